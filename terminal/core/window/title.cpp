#include "terminal/core/base/uiservices.h"

#include <cwchar>
#include <iterator>

#include "terminal/comms/telnet/network.h"
#include "terminal/comms/serial/serial.h"
#include "terminal/comms/telnet/sockets.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/handles.h"
#include "terminal/core/base/uirequests.h"
#include "terminal/input/bars/softbar.h"
#include "terminal/input/bars/toolbars.h"

namespace {
constexpr int kSmallIconId = 702;

void FormatTitle(wchar_t* title, std::size_t capacity)
{
    const wchar16* subtitle = Slots.windowSubtitle;
    bool blankSubtitle = true;
    for (const wchar16* p = subtitle; *p; ++p)
        blankSubtitle = blankSubtitle && *p == L' ';
    const bool serialOpen = ConfiguredSerialPortOpen();
    if (subtitle[0]) {
        if (blankSubtitle)
            _snwprintf(title, capacity - 1, L"%s", Slots.windowTitle);
        else
            _snwprintf(title, capacity - 1, L"%s - %s", Slots.windowTitle, subtitle);
    } else if (!NetworkConnectionOpen() && !serialOpen) {
        if (Slots.profileName[0])
            _snwprintf(title, capacity - 1, L"%s (%s)", Slots.windowTitle, Slots.profileName);
        else
            _snwprintf(title, capacity - 1, L"%s", Slots.windowTitle);
    } else {
        _snwprintf(title, capacity - 1, L"%s (%s) %s", Slots.windowTitle, Slots.profileName,
                   serialOpen ? Slots.connectionTarget : Slots.networkHostShown);
    }
    title[capacity - 1] = 0;
}
}  // namespace

void UpdateWindowTitle(HWND window)
{
    if (!window)
        return;
    if (!OnUserInterfaceThread()) {
        // SetWindowTextW would send to the user-interface thread.
        PostUiRequest(kUiUpdateTitle, 0);
        return;
    }
    wchar_t title[3 * kSlotUnits + 8];
    FormatTitle(title, std::size(title));
    if (HICON icon = LoadIconW(InstanceHandle, MAKEINTRESOURCEW(kSmallIconId)))
        SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    SetWindowTextW(window, title);
    UpdateButtonBarCaption();
    UpdateSoftButtonBarCaption();
}
