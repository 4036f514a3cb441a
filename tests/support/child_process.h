// SPDX-License-Identifier: Zlib
#pragma once

#include "support/read_file.h"

#include <sys/types.h>

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

// A program started by a test, with its own environment and its output in a file.
// A process still running when the object goes is killed.
class ChildProcess {
public:
    // Environment changes: a value sets the variable, nullopt removes it.
    using EnvChanges = std::map<std::string, std::optional<std::string>>;

    ChildProcess(const std::vector<std::string>& argv, const EnvChanges& env, const std::string& outputPath);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return pid > 0; }
    // The exit status once the process has ended by itself; nullopt if it is still
    // running after `timeout` or was ended by a signal.
    std::optional<int> waitForExit(std::chrono::milliseconds timeout);
    bool running();

private:
    pid_t pid = -1;
    bool reaped = false;
    int status = 0;
};
