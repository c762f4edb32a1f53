#pragma once
#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <optional>

// Sets an environment variable (or removes it) for one test.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::optional<QString>& value) : name_(name) {
        if (qEnvironmentVariableIsSet(name)) saved_ = qgetenv(name);
        value ? qputenv(name, value->toUtf8()) : qunsetenv(name);
    }
    ~ScopedEnv() { saved_ ? qputenv(name_, *saved_) : qunsetenv(name_); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
    std::optional<QByteArray> saved_;
};
