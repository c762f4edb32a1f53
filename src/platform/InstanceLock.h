#pragma once
#include <QLockFile>
#include <QString>
#include <memory>

// Refuses a second running table client: a lock file in the runtime folder.
class InstanceLock {
public:
    // False when another instance holds the lock.
    bool TryLock(const QString& runtimeDir);

private:
    std::unique_ptr<QLockFile> lock_;
};
