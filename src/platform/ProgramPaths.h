#pragma once
#include <QString>

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
    QString programDir_;
};
