#include "support/WarningLog.h"
#include <QMutex>

namespace {
QMutex lock;
QStringList lines;

void Record(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type != QtWarningMsg) return;
    const QMutexLocker locked(&lock);
    lines << text;
}
}  // namespace

WarningLog::WarningLog() {
    {
        const QMutexLocker locked(&lock);
        lines.clear();
    }
    previous_ = qInstallMessageHandler(&Record);
}

WarningLog::~WarningLog() { qInstallMessageHandler(previous_); }

QStringList WarningLog::Lines() const {
    const QMutexLocker locked(&lock);
    return lines;
}
