#pragma once
#include <QByteArray>
#include <QImage>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <optional>

// A private X server of the design's screen size, on a display it picks
// itself, and the X tools a test runs on it.
class XDisplay {
public:
    ~XDisplay();
    bool Start(const QString& xvfb);
    const QString& Name() const { return name_; }
    // Runs a tool on the display; its output, or nothing when it failed.
    std::optional<QByteArray> Run(const QString& program, const QStringList& arguments) const;
    // The whole screen as it is now; a null image when it cannot be taken.
    QImage Screenshot(const QString& import) const;
    // Gives every character of the text a key of its own, with xmodmap.
    // Without one, xdotool lends a key to each character in turn and takes it
    // back at once, and a client slow to read its keys (a loaded machine)
    // reads them through the wrong mapping.
    bool BindKeysFor(const QString& xmodmap, const QString& text) const;

private:
    QProcess server_;
    QString name_;
};
