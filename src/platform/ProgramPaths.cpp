#include "platform/ProgramPaths.h"
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <utility>

namespace {
// The name `name` has in `dir`: itself when it exists as written, else an
// entry that differs only in letter case, else `name` unchanged.
QString ExistingName(const QString& dir, const QString& name) {
    if (QFileInfo::exists(dir + QLatin1Char('/') + name))
        return name;
    const QStringList entries =
        QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return name;
}
}  // namespace

ProgramPaths::ProgramPaths(QString programDir) : programDir_(std::move(programDir)) {}

ProgramPaths ProgramPaths::FromEnvironment() {
    const QString fromEnvironment = qEnvironmentVariable("DRAVIK_PROGRAM_DIR");
    return ProgramPaths(fromEnvironment.isEmpty() ? QCoreApplication::applicationDirPath() : fromEnvironment);
}

QString ProgramPaths::Resolve(const QString& backslashPath) const {
    QString path = programDir_;
    for (const QString& part : backslashPath.split(QLatin1Char('\\'), Qt::SkipEmptyParts)) {
        // ".." is applied before the next lookup, so that lookup lists the right folder.
        if (part == QLatin1String(".") || part == QLatin1String(".."))
            path = QDir::cleanPath(path + QLatin1Char('/') + part);
        else
            path += QLatin1Char('/') + ExistingName(path, part);
    }
    return QDir::toNativeSeparators(QDir::cleanPath(path));
}
