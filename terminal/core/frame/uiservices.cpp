#include "terminal/core/frame/uiservices.h"

#include "terminal/core/frame/startopts.h"

#include "terminal/comms/sockets.h"
#include "terminal/core/base/language.h"
#include "terminal/core/frame/mainwindow.h"
#include "terminal/core/frame/startup.h"
#include "terminal/core/frame/statusbar.h"

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
