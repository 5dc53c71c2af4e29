#include "terminal/input/macros/eventcommands.h"

#include <vector>

#include "terminal/core/base/win32.h"

bool BringWindowOfClassToTop(const wchar16* className)
{
    HWND window = className ? FindWindowW(className, nullptr) : nullptr;
    return window && BringWindowToTop(window);
}

u32 StartProgramCommand(const wchar16* commandLine)
{
    if (!commandLine || !*commandLine)
        return ERROR_INVALID_PARAMETER;
    // As a command line with no application name the path is searched and the
    // arguments reach the program; CreateProcessW may write into the text it is given,
    // so it gets its own copy.
    std::vector<wchar_t> line(commandLine, commandLine + wcslen(commandLine) + 1);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr, nullptr,
                        &startup, &process))
        return GetLastError();
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}

int VirtualKeyToCharacter(int virtualKey)
{
    if (virtualKey <= 0 || virtualKey > 0xFE)
        return 0;
    // The high bit marks a dead key; its character is still the key's own.
    return static_cast<int>(MapVirtualKeyW(static_cast<UINT>(virtualKey), MAPVK_VK_TO_CHAR) & 0x7FFFFFFF);
}
