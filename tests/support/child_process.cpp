// SPDX-License-Identifier: Zlib
#include "support/child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

extern char** environ;

namespace {

std::vector<std::string> changedEnvironment(const ChildProcess::EnvChanges& changes)
{
    std::vector<std::string> result;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text = *entry;
        if (changes.count(text.substr(0, text.find('='))) == 0) {
            result.push_back(text);
        }
    }
    for (const auto& [name, value] : changes) {
        if (value) {
            result.push_back(name + "=" + *value);
        }
    }
    return result;
}

std::vector<char*> pointersTo(std::vector<std::string>& strings)
{
    std::vector<char*> pointers;
    for (std::string& s : strings) {
        pointers.push_back(s.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

} // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const EnvChanges& env,
                           const std::string& outputPath)
{
    std::vector<std::string> args = argv;
    std::vector<std::string> environment = changedEnvironment(env);
    std::vector<char*> argPointers = pointersTo(args);
    std::vector<char*> envPointers = pointersTo(environment);
    const int output = open(outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    pid = fork();
    if (pid == 0) {
        dup2(output, STDOUT_FILENO);
        dup2(output, STDERR_FILENO);
        execvpe(argPointers[0], argPointers.data(), envPointers.data());
        _exit(127);
    }
    close(output);
}

ChildProcess::~ChildProcess()
{
    if (running()) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
}

bool ChildProcess::running()
{
    if (pid <= 0 || reaped) {
        return false;
    }
    reaped = waitpid(pid, &status, WNOHANG) == pid;
    return !reaped;
}

std::optional<int> ChildProcess::waitForExit(std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (running() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (!reaped || !WIFEXITED(status)) {
        return std::nullopt;
    }
    return WEXITSTATUS(status);
}
