#pragma once
#include <QString>

// Hands a web address or a folder to the desktop's own program for it.
class Shell {
public:
    virtual ~Shell() = default;
    virtual void Open(const QString& target) = 0;
};
