#include "platform/RuntimeDir.h"
#include <QDir>
#include <QFile>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString ChosenRuntimeDir() {
    const QString configured = qEnvironmentVariable("DRAVIK_RUNTIME_DIR");
    if (!configured.isEmpty()) return configured;
    const QString xdg = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!xdg.isEmpty()) return xdg + QStringLiteral("/dravik");
    return QStringLiteral("/tmp/dravik-%1").arg(getuid());
}

QString Refuse(QString* error, const QString& reason) {
    if (error) *error = reason;
    return {};
}

}  // namespace

QString PrepareRuntimeDir(QString* error) {
    // Local socket names that are not absolute would land in the temp folder.
    const QString dir = QDir::cleanPath(QDir::current().absoluteFilePath(ChosenRuntimeDir()));
    const QByteArray nativeDir = QFile::encodeName(dir);
    QDir().mkdir(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    // lstat, so that a link planted in a shared folder such as /tmp is not followed.
    struct stat info {};
    if (::lstat(nativeDir.constData(), &info) != 0)
        return Refuse(error, QStringLiteral("cannot create the runtime folder %1").arg(dir));
    if (!S_ISDIR(info.st_mode))
        return Refuse(error, QStringLiteral("the runtime folder %1 is not a folder").arg(dir));
    if (info.st_uid != getuid())
        return Refuse(error, QStringLiteral("the runtime folder %1 belongs to another user").arg(dir));
    if ((info.st_mode & 07777) != 0700 && ::chmod(nativeDir.constData(), 0700) != 0)
        return Refuse(error, QStringLiteral("cannot set the runtime folder %1 to mode 0700").arg(dir));
    return dir;
}
