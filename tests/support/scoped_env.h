// SPDX-License-Identifier: Zlib
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

// An environment variable set (or removed, for nullopt) while the object lives.
class ScopedEnv {
public:
    ScopedEnv(const char* variableName, const std::optional<std::string>& value) : name(variableName)
    {
        if (const char* old = std::getenv(name)) {
            previous = old;
        }
        set(value);
    }
    ~ScopedEnv() { set(previous); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    void set(const std::optional<std::string>& value) const
    {
        if (value) {
            setenv(name, value->c_str(), 1);
        } else {
            unsetenv(name);
        }
    }

    const char* name;
    std::optional<std::string> previous;
};
