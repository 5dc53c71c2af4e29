// A stand-in for the keyboard hook module that appends every call it receives to the
// file named by VX_HOOK_LOG, one line each: "load", "InitHook", "PreventNumLockToggle
// <on> <window>", "unload". VX_HOOK_INIT gives InitHook's result (default 1).
// Built twice: with both entries, and with InitHook alone (HOOKLOG_INIT_ONLY).
#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {
void Log(const char* line)
{
    char path[MAX_PATH];
    if (!GetEnvironmentVariableA("VX_HOOK_LOG", path, MAX_PATH))
        return;
    if (FILE* f = std::fopen(path, "a")) {
        std::fprintf(f, "%s\n", line);
        std::fclose(f);
    }
}
}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        Log("load");
    else if (reason == DLL_PROCESS_DETACH)
        Log("unload");
    return TRUE;
}

extern "C" UINT WINAPI InitHook()
{
    Log("InitHook");
    char value[16];
    if (GetEnvironmentVariableA("VX_HOOK_INIT", value, sizeof value))
        return static_cast<UINT>(std::atoi(value));
    return 1;
}

#ifndef HOOKLOG_INIT_ONLY
extern "C" UINT WINAPI PreventNumLockToggle(UINT on, HWND window)
{
    char line[96];
    std::snprintf(line, sizeof line, "PreventNumLockToggle %u 0x%llx", on,
                  static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)));
    Log(line);
    return on;
}
#endif
