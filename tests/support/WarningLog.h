#pragma once
#include <QStringList>
#include <QtGlobal>

// Collects the warnings Qt logs while it lives, from any thread.
class WarningLog {
public:
    WarningLog();
    ~WarningLog();
    WarningLog(const WarningLog&) = delete;
    WarningLog& operator=(const WarningLog&) = delete;

    QStringList Lines() const;

private:
    QtMessageHandler previous_;
};
