#pragma once
#include <QString>

// Ends the process at once, running no window's closing steps. A service,
// so that in-process tests and the fuzzer observe the end instead of dying.
class EndProgram {
public:
    virtual ~EndProgram() = default;
    [[noreturn]] virtual void End(const QString& reason) = 0;
};

class ProcessEnd : public EndProgram {
public:
    [[noreturn]] void End(const QString& reason) override;
};
