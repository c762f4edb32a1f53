#include "platform/ProgramPaths.h"
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <utility>

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

// The name `name` has in `dir`: itself when it exists as written, else an
// entry that differs only in letter case, else `name` unchanged.
QString ProgramPaths::ExistingName(const QString& dir, const QString& name) const {
    if (QFileInfo::exists(dir + QLatin1Char('/') + name)) return name;
    return ListingOf(dir).value(name.toCaseFolded(), name);
}

const ProgramPaths::Listing& ProgramPaths::ListingOf(const QString& dir) const {
    const auto [place, isNew] = listings_->try_emplace(dir);
    Listing& listing = place->second;
    if (!isNew) return listing;
    // In name order, so that of two entries differing only in case the first is taken.
    const QStringList entries =
        QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& entry : entries) {
        const QString folded = entry.toCaseFolded();
        if (!listing.contains(folded)) listing.insert(folded, entry);
    }
    return listing;
}
