#pragma once
#include <QHash>
#include <QString>
#include <map>
#include <memory>

// The program folder (DRAVIK_PROGRAM_DIR, else the executable's folder) and
// the backslash paths the client names its files by.
class ProgramPaths {
public:
    explicit ProgramPaths(QString programDir);
    static ProgramPaths FromEnvironment();
    const QString& ProgramDir() const { return programDir_; }
    // "\..\common\music\x.wav" -> a native path below the program folder; each
    // part that already exists is matched without regard to case.
    QString Resolve(const QString& backslashPath) const;

private:
    // A folder's entries by their case-folded names.
    using Listing = QHash<QString, QString>;
    QString ExistingName(const QString& dir, const QString& name) const;
    const Listing& ListingOf(const QString& dir) const;

    QString programDir_;
    // Listing a large folder costs far more than a look-up in it, so each
    // folder is listed once, on its first case-tolerant look-up; copies share
    // the listings. The shipped files do not change while the program runs,
    // and a file it makes later is found under the exact name it was made with.
    std::shared_ptr<std::map<QString, Listing>> listings_ = std::make_shared<std::map<QString, Listing>>();
};
