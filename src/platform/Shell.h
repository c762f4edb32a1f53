#pragma once
#include <QString>
#include <QStringList>

// Hands a web address or a folder to the desktop's own program for it, and
// starts other programs.
class Shell {
public:
    virtual ~Shell() = default;
    virtual void Open(const QString& target) = 0;
    // Starts a program with its own argument list, in no shell, and does not
    // watch it; false when it could not be started.
    virtual bool StartProgram(const QString& program, const QStringList& arguments) = 0;
};
