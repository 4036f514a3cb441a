// SPDX-License-Identifier: Zlib
#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

// A program the benchmark driver starts, its standard output and error read line by line
// through one pipe. One still running when the object goes is terminated and reaped.
class Subprocess {
public:
    // Runs argv[0] (a path) in workDir, or in the current directory when it is empty.
    explicit Subprocess(const std::vector<std::string>& argv, const std::string& workDir = "");
    ~Subprocess();
    Subprocess(const Subprocess&) = delete;
    Subprocess& operator=(const Subprocess&) = delete;

    bool started() const { return pid > 0; }
    pid_t id() const { return pid; }
    // The next line, without its newline; nullopt at the end of the output or when no
    // line arrives within `timeout`.
    std::optional<std::string> readLine(std::chrono::milliseconds timeout);
    void terminate();
    // The exit status; -1 when ended by a signal or not started.
    int wait();

private:
    pid_t pid = -1;
    int output = -1;
    std::string pending;
    bool reaped = false;
    int status = -1;
};
