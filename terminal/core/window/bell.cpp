#include "terminal/core/window/bell.h"

#include "terminal/core/base/handles.h"

std::atomic<u32> SoundSchemePresent{0};
BOOL(WINAPI* BeepSound)(DWORD frequency, DWORD duration) = Beep;

void RingBell()
{
    // The sound blocks the user-interface thread, never the host-data thread.
    if (SoundSchemePresent)
        MessageBeep(static_cast<UINT>(-1));
    else if (MainWindowHandle)
        PostMessageW(MainWindowHandle, kMsgBeep, 1000, 150);
}

void DetectSoundScheme()
{
    HKEY key;
    const bool present = RegOpenKeyExW(HKEY_CURRENT_USER,
                                       L"AppEvents\\Schemes\\Apps\\.Default\\.Default\\.Current", 0, KEY_READ,
                                       &key) == ERROR_SUCCESS;
    if (present)
        RegCloseKey(key);
    SoundSchemePresent = present ? 1 : 0;
}
