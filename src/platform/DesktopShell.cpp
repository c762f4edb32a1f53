#include "platform/DesktopShell.h"
#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

void DesktopShell::Open(const QString& target) { QDesktopServices::openUrl(QUrl::fromUserInput(target)); }

bool DesktopShell::StartProgram(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
}
