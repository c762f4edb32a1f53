#include "platform/InstanceLock.h"

bool InstanceLock::TryLock(const QString& runtimeDir) {
    lock_ = std::make_unique<QLockFile>(runtimeDir + QStringLiteral("/dravik-table.lock"));
    // A lock is stale only when its process is gone: by default QLockFile
    // would also call the lock of a client that has run for 30 seconds stale.
    lock_->setStaleLockTime(0);
    return lock_->tryLock(0);
}
