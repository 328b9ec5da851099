// Sets an environment variable (empty text unsets it) until it goes out of scope.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

struct ScopedEnv {
    ScopedEnv(const char* name, const QString& value) : name(name) {
        if (qEnvironmentVariableIsSet(name)) old = qgetenv(name);
        value.isEmpty() ? qunsetenv(name) : qputenv(name, value.toLocal8Bit());
    }
    ~ScopedEnv() { old ? qputenv(name, *old) : qunsetenv(name); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

    const char* name;
    std::optional<QByteArray> old;
};
