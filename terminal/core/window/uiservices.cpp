#include "terminal/core/base/uiservices.h"

#include <mutex>

#include "terminal/core/base/corestate.h"
#include "terminal/core/base/handles.h"
#include "terminal/core/base/uirequests.h"

#include "terminal/core/base/startopts.h"

#include "terminal/comms/telnet/sockets.h"
#include "terminal/core/base/language.h"
#include "terminal/core/window/status/statusbar.h"

namespace {
std::mutex g_titleLock;
wchar_t g_hostTitle[kSlotUnits];
}  // namespace

void SetHostWindowTitle(const wchar16* text, int n)
{
    {
        std::lock_guard<std::mutex> hold(g_titleLock);
        int i = 0;
        for (; i < n && i < kSlotUnits - 1; ++i)
            g_hostTitle[i] = text[i];
        g_hostTitle[i] = 0;
    }
    // The title is the window's: only its own thread sets it.
    PostUiRequest(kUiHostTitle, 0);
}

void TakeHostWindowTitle()
{
    {
        std::lock_guard<std::mutex> hold(g_titleLock);
        lstrcpynW(Slots.windowTitle, g_hostTitle, kSlotUnits);
    }
    UpdateWindowTitle(MainWindowHandle);
}

void PostMainCommand(u32 commandId)
{
    if (MainWindowHandle)
        PostMessageW(MainWindowHandle, WM_COMMAND, commandId, 0);
}

void PostMainKeyMessage(u32 message, u32 wParam, u32 lParam)
{
    if (MainWindowHandle)
        PostMessageW(MainWindowHandle, message, wParam, static_cast<LPARAM>(lParam));
}

void ShowDecKeyModeField(bool on)
{
    constexpr u32 kDecKeyField = 10161;
    wchar_t text[32] = {};
    if (on)
        LoadLanguageString(InstanceHandle, kDecKeyField, text, 32);
    StatusBarSetText(kDecKeyField, on ? text : nullptr);
}

bool StatusLineFeaturePresent()
{
    return StartupOptions.statusLine != 0;
}

void ShowStatusBarText(u32 fieldId, u32 stringId)
{
    wchar_t text[64] = {};
    if (stringId)
        LoadLanguageString(InstanceHandle, stringId, text, 64);
    StatusBarSetText(fieldId, stringId ? text : nullptr);
}

void PostConnectionRefresh()
{
    if (MainWindowHandle)
        PostMessageW(MainWindowHandle, kMsgConnectFailure, 0, 0);  // 0: no failure, refresh only
}
