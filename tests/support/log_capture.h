// SPDX-License-Identifier: Zlib
#pragma once

#include <SDL.h>

#include <string>
#include <vector>

// Captures SDL's log lines for the lifetime of the object.
struct LoggedLine {
    SDL_LogPriority priority;
    std::string message;
    int category;
};

class LogCapture {
public:
    LogCapture()
    {
        SDL_LogGetOutputFunction(&previous, &previousData);
        SDL_LogSetOutputFunction(&LogCapture::record, this);
    }
    ~LogCapture() { SDL_LogSetOutputFunction(previous, previousData); }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    const std::vector<LoggedLine>& lines() const { return captured; }
    std::vector<std::string> messages() const
    {
        std::vector<std::string> out;
        for (const auto& line : captured) {
            out.push_back(line.message);
        }
        return out;
    }
    void clear() { captured.clear(); }

private:
    static void record(void* self, int category, SDL_LogPriority priority, const char* message)
    {
        static_cast<LogCapture*>(self)->captured.push_back({priority, message, category});
    }

    SDL_LogOutputFunction previous = nullptr;
    void* previousData = nullptr;
    std::vector<LoggedLine> captured;
};
