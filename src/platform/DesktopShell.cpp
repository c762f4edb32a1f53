#include "platform/DesktopShell.h"
#include <QDesktopServices>
#include <QUrl>

void DesktopShell::Open(const QString& target) { QDesktopServices::openUrl(QUrl::fromUserInput(target)); }
