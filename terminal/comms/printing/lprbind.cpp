#include "terminal/comms/printing/lprbind.h"
#include "terminal/comms/printing/lprdelay.h"

#include <cwchar>

#include "terminal/comms/printing/printjob.h"
#include "terminal/core/base/handles.h"
#include "terminal/core/base/uirequests.h"
#include "terminal/settings/store/profile.h"
#include "terminal/settings/store/profilevalues.h"
#include "terminal/core/base/registry.h"

namespace {

// The LPR client module's entry points.
using InitLpdFn = HWND(WINAPI*)(HWND);
using OpenLpdFn = int(WINAPI*)(LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, int, int, int, UINT, UINT, int);
using AddLpdFn = int(WINAPI*)(int, const BYTE*, int);
using CloseLpdFn = int(WINAPI*)(int);
using DebugLpdFn = HWND(WINAPI*)();

struct LprEntryPoints {
    HMODULE module = nullptr;
    InitLpdFn InitLPD = nullptr;
    OpenLpdFn OpenLPDRequest = nullptr;
    AddLpdFn AddLPDData = nullptr;
    CloseLpdFn CloseLPDRequest = nullptr;
    DebugLpdFn StartLPDDebug = nullptr;
};
LprEntryPoints g_lpr;
int g_lprRequest = -1;
HWND g_lprDebugWindow = nullptr;

template <typename Fn>
Fn Bind(HMODULE module, const char* name)
{
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// The request number: LPRReqNum of the profile's PRINTING key plus one, 1 after 999,
// stored back at once so that the next job, of this or another instance, goes on from it.
int NextLprRequestNumber()
{
    HKEY key = SettingsCreateSection(CurrentProfileName(), VXT("PRINTING"));
    const u32 keep = KeepCurrentValues;
    KeepCurrentValues = 0;
    u32 number = SettingsReadDword(key, VXT("LPRReqNum"), 0, 0) + 1;
    KeepCurrentValues = keep;
    if (number >= 1000)
        number = 1;
    if (key)
        SettingsWriteDword(key, VXT("LPRReqNum"), number);
    SettingsCloseKey(key);
    return static_cast<int>(number);
}

}  // namespace

HMODULE TryLoadLprModule(const wchar_t* directory, int length)
{
    if (!directory || length <= 0 || length > MAX_PATH - 16)
        return nullptr;
    wchar_t path[MAX_PATH];
    lstrcpynW(path, directory, length + 1);
    if (path[length - 1] != L'\\')
        path[length++] = L'\\', path[length] = 0;
    lstrcpynW(path + length, L"lprspool.DLL", MAX_PATH - length);
    HMODULE module = LoadLibraryW(path);
    if (!module)
        return nullptr;
    LprEntryPoints e;
    e.module = module;
    e.InitLPD = Bind<InitLpdFn>(module, "InitLPD");
    e.OpenLPDRequest = Bind<OpenLpdFn>(module, "OpenLPDRequest");
    e.AddLPDData = Bind<AddLpdFn>(module, "AddLPDData");
    e.CloseLPDRequest = Bind<CloseLpdFn>(module, "CloseLPDRequest");
    e.StartLPDDebug = Bind<DebugLpdFn>(module, "StartLPDDebug");
    if (!e.InitLPD || !e.OpenLPDRequest || !e.AddLPDData || !e.CloseLPDRequest || !e.StartLPDDebug) {
        FreeLibrary(module);
        return nullptr;
    }
    g_lpr = e;
    return module;
}

HMODULE LoadLprModule()
{
    if (g_lpr.module)
        return g_lpr.module;
    wchar_t directory[MAX_PATH] = {};
    if (SettingsReadWorkDir(directory, MAX_PATH) > 0 && directory[0])
        if (HMODULE m = TryLoadLprModule(directory, lstrlenW(directory)))
            return m;
    const DWORD n = GetModuleFileNameW(nullptr, directory, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return nullptr;
    wchar_t* slash = std::wcsrchr(directory, L'\\');
    if (!slash)
        return nullptr;
    slash[1] = 0;
    return TryLoadLprModule(directory, lstrlenW(directory));
}

void UnloadLprModule()
{
    if (g_lpr.module)
        FreeLibrary(g_lpr.module);
    g_lpr = LprEntryPoints{};
    g_lprRequest = -1;
}

int OpenLprJob()
{
    if (!LoadLprModule())
        return 0;
    const int number = NextLprRequestNumber();
    const PrintingSection& p = PrintingValues;
    g_lpr.InitLPD(MainWindowHandle);
    g_lprRequest = g_lpr.OpenLPDRequest(p.LPRPrint, p.LPRDevice, p.LPRJob, p.LPRUser, number,
                                        static_cast<int>(p.LPRCopies), static_cast<int>(p.LPRBanner), p.LPRRetries,
                                        LprRetryDelayMilliseconds(p.LPRRetryDelay), static_cast<int>(p.LPRDebug));
    if (g_lprRequest == -1) {
        UnloadLprModule();
        return 0;
    }
    if (p.LPRDebug && !(g_lprDebugWindow && IsWindow(g_lprDebugWindow)))
        ShowLprDebugWindow();
    return 1;
}

void ShowLprDebugWindow()
{
    // The debug window is modeless: the user-interface thread must own it.
    if (!OnUserInterfaceThread()) {
        PostUiRequest(kUiPrintWindows, kPrintLprDebugWindow);
        return;
    }
    if (g_lpr.StartLPDDebug && !(g_lprDebugWindow && IsWindow(g_lprDebugWindow)))
        g_lprDebugWindow = g_lpr.StartLPDDebug();
}

int LprAddByte(u8 b)
{
    if (!g_lpr.AddLPDData || g_lprRequest < 0)
        return 0;
    return g_lpr.AddLPDData(g_lprRequest, &b, 1);
}

int CloseLprJob()
{
    if (!g_lpr.CloseLPDRequest || g_lprRequest < 0)
        return 0;
    const int result = g_lpr.CloseLPDRequest(g_lprRequest);
    g_lprRequest = -1;
    return result;
}

bool LprRequestOpen()
{
    return g_lprRequest >= 0;
}
