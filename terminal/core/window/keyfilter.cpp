#include "terminal/core/window/keyfilter.h"

#include "terminal/core/base/handles.h"
#include "terminal/core/base/menus.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/family.h"
#include "terminal/core/window/mouse/mousepointer.h"
#include "terminal/core/screen/paintsettings.h"
#include "terminal/core/window/selection/selection.h"
#include "terminal/core/base/startopts.h"
#include "terminal/input/macros/eventtext.h"
#include "terminal/input/keyboard/keycodes.h"
#include "terminal/input/macros/inputpump.h"
#include "terminal/input/macros/keydefs.h"
#include "terminal/input/macros/keyevents.h"
#include "terminal/settings/store/profilevalues.h"

namespace {

constexpr int kVkLeftShift = 0xA0, kVkRightShift = 0xA1, kVkLeftCtrl = 0xA2, kVkRightCtrl = 0xA3,
              kVkLeftAlt = 0xA4, kVkRightAlt = 0xA5;
constexpr int kVkHostEnter = 0x97, kVkHostReset = 0xF2, kVkSeparator = 0x6C;
constexpr UINT kRightShiftScanCode = 0x36;

// Whether the last press of Shift, Ctrl and Alt was the right-hand key, so that its
// release is reported for the same side.
bool g_rightShift = false, g_rightCtrl = false, g_rightAlt = false;
// Alt+Space in full-screen mode: the first press is swallowed, repeats pass.
bool g_altSpaceArmed = true;

bool ExtendedKey(const MSG* m)
{
    return ((m->lParam >> 24) & 1) != 0;
}

// A character-mode host terminal's use of the 122-key keyboard: Alt with the left Ctrl
// is Reset, the right Ctrl the keypad separator.
bool SomeHostKeys()
{
    return ActiveFamily().hostKeyboardKeys == 1;
}

u32 RefreshShiftState()
{
    u32 s = 0;
    if (GetKeyState(VK_SHIFT) & 0x8000)
        s |= kShiftBit;
    if (GetKeyState(VK_CONTROL) & 0x8000)
        s |= kCtrlBit;
    if (GetKeyState(VK_MENU) & 0x8000)
        s |= kAltBit;
    ShiftState = s;
    return s;
}

void SetShift(u32 s)
{
    ShiftState = s;
}

bool IsModifier(int vk)
{
    return vk == VK_SHIFT || vk == VK_CONTROL || vk == VK_MENU;
}

u32 BitOf(int vk)
{
    return vk == VK_SHIFT ? kShiftBit : vk == VK_CONTROL ? kCtrlBit : vk == VK_MENU ? kAltBit : 0;
}

// Left or right Shift, Ctrl or Alt: the side of a press, the remembered side of a release.
int SideKey(const MSG* m, int vk, bool isPress)
{
    bool* right = vk == VK_SHIFT ? &g_rightShift : vk == VK_CONTROL ? &g_rightCtrl : &g_rightAlt;
    if (isPress)
        *right = vk == VK_SHIFT ? ((m->lParam >> 16) & 0xFF) == kRightShiftScanCode : ExtendedKey(m);
    if (vk == VK_SHIFT)
        return *right ? kVkRightShift : kVkLeftShift;
    if (vk == VK_CONTROL)
        return *right ? kVkRightCtrl : kVkLeftCtrl;
    return *right ? kVkRightAlt : kVkLeftAlt;
}

// Return, Shift, Ctrl and Alt: host keys made from the Ctrl keys, the user's definitions
// of a modifier key alone, and the shift bits.
void TrackModifierSide(MSG* m, bool isPress)
{
    const int vk = static_cast<int>(m->wParam);
    u32 shift = ShiftState;
    if (vk == VK_RETURN)
        return;
    if (!IsModifier(vk))
        return;
    const int side = SideKey(m, vk, isPress);
    if (vk == VK_CONTROL) {
        const bool right = side == kVkRightCtrl;
        const bool host122 = KeyboardType == kKeyboard122;
        if (FamilyUsesHostKeyboard() && (host122 || (right ? Vt300Values.CtrlAsEnter : Vt300Values.CtrlAsReset))) {
            m->wParam = right ? kVkHostEnter : kVkHostReset;
            SetShift(shift & ~kCtrlBit);
            return;
        }
        if (SomeHostKeys() && host122 && shift == kAltBit && !right) {
            m->wParam = kVkHostReset;
            return;
        }
    }
    if (FindKeyDefinition(static_cast<u32>(side), kKeyMacro, 0)) {
        // A modifier alone has no shift state of its own.
        m->wParam = static_cast<WPARAM>(side);
        SetShift(shift & ~BitOf(vk));
        return;
    }
    SetShiftBit(vk, isPress);
    if (SomeHostKeys() && side == kVkRightCtrl) {
        m->wParam = kVkSeparator;
        SetShift(ShiftState & ~kCtrlBit);
    }
}

void TrackLockKeys()
{
    const u32 caps = GetKeyState(VK_CAPITAL) & 1;
    const u32 num = GetKeyState(VK_NUMLOCK) & 1;
    const bool capsChanged = CapsLockState.exchange(caps) != caps;
    const bool numChanged = NumLockState.exchange(num) != num;
    if (capsChanged || numChanged)
        if (auto changed = ActiveFamily().lockKeysChanged)
            changed(capsChanged, numChanged);
}

bool FullScreenWindow()
{
    return StartupOptions.fullScreen != 0;
}

// -1 when the shortcut keys leave the key alone, else the filter's result; may turn the
// key into copy (116) or paste (117).
int ShortcutKeys(int vk, u32 shift, bool isPress, int& keyCode)
{
    if (StartupOptions.clipboardAcceleratorsOff)
        return -1;
    if (shift == kShiftBit && isPress && vk >= kVkCursorUp && vk <= kVkCursorRight) {
        const bool hostUpDown = KeyboardType == kKeyboard122 && FamilyUsesHostKeyboard() &&
                                (vk == kVkCursorUp || vk == kVkCursorDown);
        if (!hostUpDown) {
            constexpr char kLetters[] = {'A', 'D', 'B', 'C'};
            MoveMousePointerByCell(kLetters[vk - kVkCursorUp]);
            return 1;
        }
    }
    const bool displayControls = PaintSettings.displayControls != 0;
    if (isPress && shift == kCtrlBit && vk == 'C' && SelectionPresent() && !displayControls)
        keyCode = kKeyCopy;
    if (isPress && shift == kCtrlBit && vk == 'V' && !displayControls)
        keyCode = kKeyPaste;
    if ((vk == VK_TAB || vk == VK_ESCAPE || vk == 'A') && shift == kAltBit)
        return 0;  // left to Windows
    if (vk == 'C' && !(shift & kAltBit) && keyCode != kKeyCopy)
        return 0;
    if (vk == VK_SPACE) {
        if (shift == kAltBit && FullScreenWindow() && isPress && g_altSpaceArmed) {
            // A full-screen window has no system menu to open.
            g_altSpaceArmed = false;
            return 1;
        }
        return 0;
    }
    return -1;
}

}  // namespace

void SetShiftBit(int vk, bool isPress)
{
    const u32 bit = BitOf(vk);
    if (!bit)
        return;
    SetShift(isPress ? (ShiftState | bit) : (ShiftState & ~bit));
}

void SubstituteNavigationKey(MSG* m)
{
    const int vk = static_cast<int>(m->wParam);
    const int replaced = SubstituteNavigationVirtualKey(vk, (ShiftState & kAltBit) != 0);
    if (replaced == VK_CANCEL && vk == VK_PAUSE) {
        m->wParam = VK_CANCEL;
        return;
    }
    if (vk == VK_CANCEL)
        SetShift(ShiftState & ~kCtrlBit);  // Ctrl+Break is a key of its own
    m->wParam = static_cast<WPARAM>(replaced);
}

void KeypadEnterAsSeparator(MSG* m)
{
    if (m->wParam == VK_RETURN && ExtendedKey(m))
        m->wParam = kVkSeparator;
}

namespace {
// Where a menu opens from its hot key: below its item on the menu bar, wherever the
// window is; without a menu bar, at the top left of the client area.
POINT HotMenuPosition(HMENU menu)
{
    if (HMENU bar = GetMenu(MainWindowHandle)) {
        const int count = GetMenuItemCount(bar);
        for (int i = 0; i < count; ++i) {
            RECT item;
            if (GetSubMenu(bar, i) == menu && GetMenuItemRect(MainWindowHandle, bar, static_cast<UINT>(i), &item))
                return POINT{item.left, item.bottom};
        }
    }
    POINT origin{0, 0};
    ClientToScreen(MainWindowHandle, &origin);
    return origin;
}
}  // namespace

bool HotKeyMenus(int vk, u32 shift, bool isPress)
{
    if (shift != kAltBit && shift != (kAltBit | kShiftBit))
        return false;
    // The mnemonics follow the language: they are the letters after '&' in the menu
    // titles, taken when the menus were built. A menu opens even without a menu bar.
    struct HotMenu {
        HMENU menu;
        u16 mnemonic;
        MenuOffer offer;
    };
    const HotMenu menus[] = {{Menus.file, MenuMnemonics[0], kOfferFileMenu},
                             {Menus.edit, MenuMnemonics[1], kOfferEditMenu},
                             {Menus.settings, MenuMnemonics[2], kOfferSettingsMenu}};
    for (const HotMenu& m : menus) {
        if (!m.mnemonic || m.mnemonic != vk)
            continue;
        if (isPress && m.menu && StartupOptions.offered[m.offer] && !MenuActive && MainWindowHandle) {
            const POINT at = HotMenuPosition(m.menu);
            TrackPopupMenu(m.menu, 0, at.x, at.y, 0, MainWindowHandle, nullptr);
        }
        return true;
    }
    return false;
}

namespace {

// Whether a key pressed with Alt held was used by the terminal since Alt went down.
bool g_altChordUsed = false;

int FilterKeyMessage(MSG* m)
{
    const UINT message = m->message;
    RefreshShiftState();
    KeypadDecimalChar = StartupOptions.decimalKeyChar;
    KeypadSeparatorChar = StartupOptions.otherSeparatorChar;
    const bool isPress = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;

    // The running family's own keys come first: it may take the message or change it.
    if (auto family = ActiveFamily().keyMessage) {
        const int taken = family(m, isPress);
        if (taken >= 0)
            return taken;
    }

    TrackModifierSide(m, isPress);
    SubstituteNavigationKey(m);
    TrackLockKeys();
    if (isPress)
        KeypadEnterAsSeparator(m);

    const int vk = static_cast<int>(m->wParam);
    int keyCode = VirtualKeyToKeyCode(vk);
    // Letters are typed characters; only with Alt are A and C keys of their own.
    if ((keyCode == kKeyA || keyCode == kKeyC) && !(ShiftState & kAltBit))
        keyCode = 0;
    if (isPress || keyCode == kKeyPrintScreen) {
        KeyStringSendType = 0;
        const bool ctrlKey = vk == VK_CONTROL || vk == kVkLeftCtrl || vk == kVkRightCtrl;
        if ((ShiftState & kCtrlBit) && !ctrlKey &&
            QueueKeyDefinition(static_cast<u32>(g_rightCtrl ? kVkRightCtrl : kVkLeftCtrl), 0))
            return 1;
        if (ctrlKey && isPress)
            SetShift(ShiftState & ~kCtrlBit);
        if (QueueKeyDefinition(static_cast<u32>(vk), ShiftState))
            return 1;
        if (ShiftState != kAltBit) {
            const int control = CtrlDigitControlCode(vk, ShiftState);
            if (control >= 0) {
                QueueInputEvent(1, static_cast<u16>(control), 0xFFFF);
                return 1;
            }
        }
    }
    const u32 shift = ShiftState;
    if ((shift & kAltBit) && vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9)
        return 0;  // Windows composes the Alt+number character
    const int shortcut = ShortcutKeys(vk, shift, isPress, keyCode);
    if (isPress && vk != VK_SPACE)
        g_altSpaceArmed = true;
    if (shortcut >= 0)
        return shortcut;
    if (HotKeyMenus(vk, shift, isPress))
        return isPress ? 1 : 0;

    if (keyCode == 0)
        return 0;
    // Print Screen's event comes with the release, the only message Windows is sure to send.
    if (isPress == (keyCode == kKeyPrintScreen))
        return 0;
    if ((keyCode == kKeyC && shift == kAltBit) || keyCode == kKeyCompose) {
        ComposeKey(0);
        return 1;
    }
    QueueInputEvent(3, static_cast<u16>(keyCode), static_cast<u16>(shift));
    return 1;
}

}  // namespace

int KeyMessageFilter(MSG* m)
{
    const UINT message = m->message;
    if (message != WM_KEYDOWN && message != WM_SYSKEYDOWN && message != WM_KEYUP && message != WM_SYSKEYUP)
        return 0;
    const bool isPress = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
    const int vk = static_cast<int>(m->wParam);
    const bool repeat = (m->lParam & (1L << 30)) != 0;
    if (vk == VK_MENU && isPress && !repeat)
        g_altChordUsed = false;
    const int taken = FilterKeyMessage(m);
    if (isPress && taken && vk != VK_MENU && (GetKeyState(VK_MENU) & 0x8000))
        g_altChordUsed = true;
    // Windows opens the menu bar when Alt is let go with no other key pressed in between
    // as far as it saw; a key the terminal took never reached it. The release of Alt after
    // Alt+F5 (the Help key) and the like is kept from it: the menu bar would take the
    // keyboard, and hold the key just typed back from the host, until it is closed.
    if (!isPress && vk == VK_MENU && g_altChordUsed) {
        g_altChordUsed = false;
        return 1;
    }
    return taken;
}

bool KeyAutoRepeatEnabled()
{
    return Vt300Values.kbdrpt != 0;
}

void ClearPendingKeyState()
{
    g_rightShift = g_rightCtrl = g_rightAlt = false;
    g_altChordUsed = false;
}
