#include "terminal/input/keyboard/kbhookbind.h"

#include <string>

#include "terminal/core/base/handles.h"
#include "terminal/settings/store/profilevalues.h"

HMODULE HookModule = nullptr;
u32 HookActive = 0;

namespace {
// Both entries are 32-bit and use the standard Windows calling convention.
using InitHookEntry = u32(WINAPI*)();
using PreventNumLockToggleEntry = u32(WINAPI*)(u32 on, HWND window);

InitHookEntry g_initHook = nullptr;
PreventNumLockToggleEntry g_preventNumLockToggle = nullptr;
// Set at start so that the first focus gain arms the protection.
u32 g_rearmPending = 1;

std::wstring ProgramDirectory()
{
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return {};
    std::wstring directory(path, n);
    const std::size_t slash = directory.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : directory.substr(0, slash + 1);
}
}  // namespace

HMODULE LoadHookModuleFrom(const wchar_t* directory)
{
    // A full path: a module of that name in the current directory is never picked up.
    std::wstring path = directory ? directory : L"";
    path += L"VXNTHOOK.DLL";
    HMODULE module = LoadLibraryW(path.c_str());
    if (reinterpret_cast<std::uintptr_t>(module) < 32)
        return nullptr;
    auto init = reinterpret_cast<InitHookEntry>(reinterpret_cast<void*>(GetProcAddress(module, "InitHook")));
    auto prevent = reinterpret_cast<PreventNumLockToggleEntry>(
        reinterpret_cast<void*>(GetProcAddress(module, "PreventNumLockToggle")));
    if (!init || !prevent) {
        FreeLibrary(module);
        return nullptr;
    }
    g_initHook = init;
    g_preventNumLockToggle = prevent;
    return module;
}

HMODULE LoadHookModule()
{
    return LoadHookModuleFrom(ProgramDirectory().c_str());
}

void BindHookModuleFrom(const wchar_t* directory)
{
    FreeHookModule();
    HookModule = LoadHookModuleFrom(directory);
    HookActive = HookModule ? g_initHook() : 0;
    g_rearmPending = 1;
}

void BindHookModule()
{
    BindHookModuleFrom(ProgramDirectory().c_str());
}

u32 SetPreventNumLockToggle(u32 on)
{
    return PreventNumLockToggleFor(on, on ? MainWindowHandle : nullptr);
}

u32 PreventNumLockToggleFor(u32 on, HWND window)
{
    if (HookActive && g_preventNumLockToggle)
        g_preventNumLockToggle(on, window);
    return HookActive;
}

void FreeHookModule()
{
    if (HookModule)
        FreeLibrary(HookModule);
    HookModule = nullptr;
    g_initHook = nullptr;
    g_preventNumLockToggle = nullptr;
    HookActive = 0;
}

void SuspendNumLockProtection()
{
    if (!HookActive)
        return;
    SetPreventNumLockToggle(0);
    g_rearmPending = 1;
}

void RearmNumLockProtection(u32 setting)
{
    if (!HookActive || !g_rearmPending)
        return;
    SetPreventNumLockToggle(setting);
    g_rearmPending = 0;
}

u32 NumLockProtectionSetting()
{
    return Vt300Values.FreezeNumLock;
}
