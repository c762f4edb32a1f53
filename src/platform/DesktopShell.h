#pragma once
#include "platform/Shell.h"

// Opens addresses and folders through the desktop's URL handlers.
class DesktopShell : public Shell {
public:
    void Open(const QString& target) override;
};
