// SPDX-License-Identifier: Zlib
#include "subprocess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

constexpr std::size_t READ_CHUNK = 4096;

} // namespace

Subprocess::Subprocess(const std::vector<std::string>& argv, const std::string& workDir)
{
    int pipeEnds[2] = {-1, -1};
    if (argv.empty() || pipe2(pipeEnds, O_CLOEXEC) != 0) {
        return;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDERR_FILENO);
    if (!workDir.empty()) {
        posix_spawn_file_actions_addchdir_np(&actions, workDir.c_str());
    }
    std::vector<char*> args;
    for (const std::string& arg : argv) {
        args.push_back(const_cast<char*>(arg.c_str()));
    }
    args.push_back(nullptr);
    if (posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ) != 0) {
        pid = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    output = pipeEnds[0];
}

Subprocess::~Subprocess()
{
    if (started() && !reaped) {
        terminate();
        wait();
    }
    if (output >= 0) {
        close(output);
    }
}

std::optional<std::string> Subprocess::readLine(std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        const std::size_t end = pending.find('\n');
        if (end != std::string::npos) {
            std::string line = pending.substr(0, end);
            pending.erase(0, end + 1);
            return line;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd ready{output, POLLIN, 0};
        if (output < 0 || left.count() <= 0 || poll(&ready, 1, static_cast<int>(left.count())) <= 0) {
            return std::nullopt;
        }
        char chunk[READ_CHUNK];
        const ssize_t count = read(output, chunk, sizeof chunk);
        if (count <= 0) {
            return std::nullopt;
        }
        pending.append(chunk, static_cast<std::size_t>(count));
    }
}

void Subprocess::terminate()
{
    if (started() && !reaped) {
        kill(pid, SIGTERM);
    }
}

int Subprocess::wait()
{
    if (!started() || reaped) {
        return status;
    }
    int waitStatus = 0;
    if (waitpid(pid, &waitStatus, 0) == pid) {
        reaped = true;
        status = WIFEXITED(waitStatus) ? WEXITSTATUS(waitStatus) : -1;
    }
    return status;
}
