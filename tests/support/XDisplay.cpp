#include "support/XDisplay.h"
#include "support/EventLoopWait.h"
#include <QProcessEnvironment>

XDisplay::~XDisplay() {
    server_.terminate();
    if (!server_.waitForFinished(5000)) server_.kill();
}

bool XDisplay::Start(const QString& xvfb) {
    // A loaded machine can take many seconds to bring a server up.
    constexpr int kStartMs = 30000;
    server_.start(xvfb, {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
    if (!server_.waitForStarted(kStartMs)) return false;
    QString number;
    const bool up = WaitUntil([&] {
        number += QString::fromLatin1(server_.readAllStandardOutput());
        return number.contains(QLatin1Char('\n'));
    }, kStartMs);
    name_ = QLatin1Char(':') + number.trimmed();
    return up;
}

std::optional<QByteArray> XDisplay::Run(const QString& program, const QStringList& arguments) const {
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), name_);
    tool.setProcessEnvironment(env);
    QByteArray output;
    QObject::connect(&tool, &QProcess::readyReadStandardOutput, [&] { output += tool.readAllStandardOutput(); });
    tool.start(program, arguments);
    bool done = false;
    WaitUntil([&] { return done = tool.state() == QProcess::NotRunning; }, 10000);
    if (!done) tool.kill();
    if (!done || tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0) return std::nullopt;
    return output + tool.readAllStandardOutput();
}

QImage XDisplay::Screenshot(const QString& import) const {
    const std::optional<QByteArray> png = Run(import, {"-window", "root", "png:-"});
    return png ? QImage::fromData(*png, "PNG") : QImage();
}

bool XDisplay::BindKeysFor(const QString& xmodmap, const QString& text) const {
    const std::optional<QByteArray> keymap = Run(xmodmap, {"-pke"});
    if (!keymap) return false;
    QStringList freeKeycodes;
    for (const QString& line : QString::fromLatin1(*keymap).split('\n'))
        if (const QStringList words = line.simplified().split(' '); words.size() == 3 && words[0] == "keycode")
            freeKeycodes << words[1];
    QStringList bindings;
    QString seen;
    for (const QChar character : text) {
        if (seen.contains(character)) continue;
        if (freeKeycodes.isEmpty()) return false;
        seen += character;
        bindings << "-e" << QStringLiteral("keycode %1 = U%2").arg(freeKeycodes.takeFirst()).arg(character.unicode(), 4, 16, QChar('0'));
    }
    return Run(xmodmap, bindings).has_value();
}
