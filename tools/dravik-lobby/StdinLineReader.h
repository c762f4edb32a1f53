#pragma once
#include <QByteArray>
#include <QObject>
#include <QSocketNotifier>
#include <memory>

// Reads standard input without blocking the event loop and hands on each
// line. At the end of input it simply stops reading.
class StdinLineReader : public QObject {
    Q_OBJECT
public:
    StdinLineReader();

signals:
    void LineRead(const QString& line);

private:
    void ReadAvailable();
    void EmitCompleteLines();

    std::unique_ptr<QSocketNotifier> notifier_;
    QByteArray pending_;
};
