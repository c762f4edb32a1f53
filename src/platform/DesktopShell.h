#pragma once
#include "platform/Shell.h"

// Opens addresses and folders through the desktop's URL handlers; starts
// programs detached, so that they outlive the client.
class DesktopShell : public Shell {
public:
    void Open(const QString& target) override;
    bool StartProgram(const QString& program, const QStringList& arguments) override;
};
