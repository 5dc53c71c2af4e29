#include "terminal/core/program/startup.h"

#include "terminal/core/base/handles.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/host/hostthread.h"
#include "terminal/core/base/language.h"
#include "terminal/core/base/displaymetrics.h"
#include "terminal/core/program/mainwindow.h"
#include "terminal/core/base/messagebox.h"
#include "terminal/core/window/messageloop.h"
#include "terminal/core/base/memblock.h"
#include "terminal/core/base/startopts.h"
#include "terminal/core/base/stringids.h"

i32 OsVersionCodeFor(u32 platformId, u32 major, u32 minor)
{
    if (platformId == VER_PLATFORM_WIN32_WINDOWS)
        return 16;
    if (platformId != VER_PLATFORM_WIN32_NT)
        return 0;
    if (major == 4)
        return 33;
    if (major == 5)
        return minor == 1 ? 36 : 34;
    return 32;
}

i32 GetOsVersionCode()
{
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExW(&info))
        return 0;
    return OsVersionCodeFor(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion);
}

int AllocateGlobalBuffers()
{
    // The shared buffers are module-level arrays owned by their subsystems; what is
    // left here is to bring the process-wide state to its start values.
    StartingUp = 1;
    QuitRequested = 0;
    Slots = StringSlots{};
    CommandLine[0] = 0;
    ReadSystemMetrics();
    return 1;
}

const wchar_t* CommandLineArguments(const wchar_t* line)
{
    if (!line)
        return L"";
    // The program name is the first word, quoted when it holds blanks.
    if (*line == L'"') {
        ++line;
        while (*line && *line != L'"')
            ++line;
        if (*line == L'"')
            ++line;
    } else {
        while (*line && *line != L' ' && *line != L'\t')
            ++line;
    }
    while (*line == L' ' || *line == L'\t')
        ++line;
    return line;
}

int RunTerminalProgram(HINSTANCE instance, const wchar_t* commandLine, int showCommand)
{
    OsVersionCode = GetOsVersionCode();
    if (!AllocateGlobalBuffers())
        return 0;
    // A longer command line is cut at the buffer's end, never overrun.
    CopyText(CommandLine, kCommandLineUnits, commandLine);
    InstanceHandle = instance;

    if (!BindLanguageModule())
        return 0;
    if (!ReadStartupOptions(CommandLine, instance)) {
        MessageBoxById(kStrInitialisationError);
        return 0;
    }
    if (!CreateMainWindow(instance, nullptr, showCommand))
        return 0;

    MSG msg;
    for (;;) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            ExitCode = static_cast<u32>(msg.wParam);
            break;
        }
        if (got == -1) {
            ExitCode = GetLastError();
            break;
        }
        if (!FilterMainMessage(&msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        ReleaseDeferredClose();
    }
    MainWindowExit();
    return static_cast<int>(ExitCode.load());
}

void MainWindowExit()
{
    StopHostDataThread();
    CloseGateEvents();
    StopWorkerThreads();
}
