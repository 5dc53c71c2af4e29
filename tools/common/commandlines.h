// The line protocol of the test drivers: one command a line on standard input, one line
// of JSON per answer on standard output. Drivers whose commands must run on their window
// thread (as the terminal's user-interface thread calls a module) read the lines on a
// thread of their own and hand each one to that window.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

// Words split at spaces; a word that starts with '"' runs to the next '"' ("" is an
// empty word).
inline std::vector<std::string> SplitCommand(const std::string& line)
{
    std::vector<std::string> words;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && line[i] == ' ')
            ++i;
        if (i >= line.size())
            break;
        if (line[i] == '"') {
            size_t j = line.find('"', i + 1);
            if (j == std::string::npos)
                j = line.size();
            words.push_back(line.substr(i + 1, j - i - 1));
            i = j + 1;
        } else {
            size_t j = line.find(' ', i);
            if (j == std::string::npos)
                j = line.size();
            words.push_back(line.substr(i, j - i));
            i = j;
        }
    }
    return words;
}

// Each line goes to `window` as `message` with a std::string* in lParam. The window
// procedure sets `answer` (and `exit` for the last command) and signals `done`; the
// answer is then printed. The end of the input is handed over as "exit".
struct CommandChannel {
    HWND window = nullptr;
    UINT message = 0;
    HANDLE done = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    std::string answer;
    bool exit = false;
};

// Thread body; the parameter is the CommandChannel.
inline DWORD WINAPI ReadCommandLines(void* parameter)
{
    auto* channel = static_cast<CommandChannel*>(parameter);
    static char buffer[65536];
    while (std::fgets(buffer, sizeof buffer, stdin)) {
        std::string line(buffer);
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
            line.pop_back();
        PostMessageW(channel->window, channel->message, 0, reinterpret_cast<LPARAM>(&line));
        WaitForSingleObject(channel->done, INFINITE);
        std::printf("%s\n", channel->answer.c_str());
        std::fflush(stdout);
        if (channel->exit)
            return 0;
    }
    static std::string exitLine = "exit";
    PostMessageW(channel->window, channel->message, 0, reinterpret_cast<LPARAM>(&exitLine));
    return 0;
}
