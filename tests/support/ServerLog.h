#pragma once
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <map>

// The log of a running `dravik-server`, line by line, as it comes.
class ServerLog {
public:
    explicit ServerLog(QProcess& server) : server_(server) {}
    // Waits until a line matches; every line read is kept.
    bool WaitFor(const QRegularExpression& pattern, int timeoutMs);
    // Waits until `count` lines in all match, those read before included.
    bool WaitForCount(const QRegularExpression& pattern, qsizetype count, int timeoutMs);
    // Waits for the first line and gives the port it names, 0 when none came.
    quint16 WaitForPort(int timeoutMs);
    // Waits for the video relay's first line and gives its port, 0 when none came.
    quint16 WaitForRelayPort(int timeoutMs);
    QStringList Matching(const QRegularExpression& pattern) const { return lines_.filter(pattern); }
    const QStringList& Lines() const { return lines_; }

    // The seat bit each client connection took, by connection id.
    std::map<int, int> ClientSeats() const;
    // The discards and claim answers a connection sent.
    qsizetype MovesSent(int connectionId) const;
    // The moves the server took for a seat, whoever made them.
    qsizetype MovesTaken(int seatBit) const;

private:
    // Takes in the lines that have come; true when one of them matches.
    bool ReadLines(const QRegularExpression& pattern);
    // The port that the first line matching `listening` names in its first capture.
    quint16 WaitForListening(const QRegularExpression& listening, int timeoutMs);

    QProcess& server_;
    QStringList lines_;
};
