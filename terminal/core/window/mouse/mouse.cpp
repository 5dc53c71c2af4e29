#include "terminal/core/window/mouse/mouse.h"

#include "terminal/core/base/cursors.h"
#include "terminal/core/base/handles.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/paint/fonts.h"
#include "terminal/core/host/hostio.h"
#include "terminal/core/host/hostread.h"
#include "terminal/core/paint/overlays.h"
#include "terminal/core/screen/display.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/window/selection/selection.h"
#include "terminal/core/base/startopts.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/comms/telnet/netsession.h"
#include "terminal/core/base/family.h"
#include "terminal/input/hotspots/hotspots.h"
#include "terminal/input/macros/keydefs.h"
#include "terminal/input/macros/keyevents.h"
#include "terminal/input/bars/toolbars.h"
#include "terminal/settings/store/mouseactions.h"

namespace {

// clang-format off
enum Action : int {
    kUnassigned = 0, kSelect = 1, kExtend = 2, kCopy = 3, kPaste = 4, kShowHotspots = 5, kActionHotspot = 6,
    kMoveCursor = 7, kSendCr = 8, kSendKeyword = 9, kMiddle = 10, kSelectRectangle = 11, kSelectWord = 12,
    kSelectAndCopy = 13, kCursorSelect = 14, kRectangleAndCopy = 15,
};
// clang-format on

DWORD g_lastPressTime = 0;
int g_lastPressButton = 0;
bool g_dragging = false;
bool g_autoCopy = false;
bool g_secondKind = false;
// The button of the last report, for the release that follows it.
int g_lastReportCode = 0;

// The "MouseEdit" start-up option: 1 on, 0 off, 2 disabled.
u32 CopyMode()
{
    const u32 mode = StartupOptions.mouseEditMode;
    return mode == 0 || mode == 2 ? mode : 1;
}

bool InputWaiting()
{
    auto pending = ActiveFamily().transmitPending;
    return KeyEventsPending() || (pending && pending());
}

// Whether the host asked the running family for this kind of mouse report.
bool ReportsWanted(u8 kind)
{
    auto wanted = ActiveFamily().mouseReports;
    return wanted && (wanted() & kind) != 0;
}

void SendMouseReport(int button, int event, int row, int column)
{
    if (auto send = ActiveFamily().sendMouseReport)
        send(button, event, row, column);
}

bool SelectionBusy()
{
    return HotspotsHighlighted() || HotspotSelectionActive();
}

void StartDrag(HWND window, POINT at, SelectionKind kind, bool copyOnRelease)
{
    SetKeyboardLocked(true);
    SetCapture(window);
    StartSelectionDrag(window, at,
                       GraphicsPasteMode() && kind != SelectionKind::SecondKind ? SelectionKind::Bitmap : kind);
    g_dragging = true;
    g_autoCopy = copyOnRelease;
}

}  // namespace

bool IsDoubleClick(DWORD now, DWORD previous, int button, int previousButton, UINT doubleClickTime)
{
    return previous != 0 && button == previousButton && now - previous < doubleClickTime;
}

int MouseSlotFor(WPARAM keyFlags, int button, bool doubleClick, bool altDown)
{
    const int base = button == kButtonRight ? 6 : 0;
    if (doubleClick)
        return base + 5;
    if (altDown)
        return base + 4;
    const bool shift = (keyFlags & MK_SHIFT) != 0, control = (keyFlags & MK_CONTROL) != 0;
    return base + (shift && control ? 3 : control ? 2 : shift ? 1 : 0);
}

bool PointToCell(POINT at, int* row, int* column)
{
    if (LineHeight <= 0 || CellWidth <= 0 || at.x < 0 || at.y < 0)
        return false;
    *row = at.y / BaseLineHeight;
    *column = at.x / BaseCellWidth;
    return *row < Screen.rows && *column <= Screen.lastColumn;
}

void MouseButtonDown(HWND window, WPARAM keyFlags, POINT at, int button)
{
    const DWORD now = GetTickCount();
    HideCursorForUpdate();
    if (ClickScreenKeyLabel(at, 0)) {
        SetCapture(window);
        return;
    }
    const bool doubleClick = IsDoubleClick(now, g_lastPressTime, button, g_lastPressButton, GetDoubleClickTime());
    g_lastPressTime = now;
    g_lastPressButton = button;
    if (button == kButtonMiddle) {
        // The middle button pastes, or copies when the right button is set to paste.
        PerformMouseAction(window, keyFlags, at, button, MouseActions[6] == kPaste ? kCopy : kPaste, kNoSlot);
        return;
    }
    const int slot = MouseSlotFor(keyFlags, button, doubleClick, GetKeyState(VK_MENU) < 0);
    PerformMouseAction(window, keyFlags, at, button, MouseActions[slot], slot);
}

void PerformMouseAction(HWND window, WPARAM, POINT at, int button, int action, int slot)
{
    if (ReportsWanted(kMouseReportPress) && !InputWaiting()) {
        ClearSelectionMarks();
        SendMouseEvent(window, button, at);
        return;
    }
    if (slot != kNoSlot && !InputWaiting()) {
        KeyDefinitionsLock locked;
        if (const KeyDefinition* definition = FindKeyDefinition(static_cast<u32>(slot), kMouseMacro, -1)) {
            QueueKeyDefinition(definition);
            return;
        }
    }
    const u32 copyMode = CopyMode();
    // clang-format off
    switch (action) {
    case kSelect:
    case kSelectAndCopy:
        if (copyMode != 2 && !SelectionBusy())
            StartDrag(window, at, SelectionKind::Text, action == kSelectAndCopy);
        break;
    case kExtend:
        if (copyMode != 2 && !SelectionBusy())
            StartDrag(window, at, SelectionKind::Extend, false);
        break;
    case kCopy:
        if (SelectionPresent() && copyMode == 1)
            CopySelection();
        if (!SelectionBusy())
            ClearSelectionMarks();
        break;
    case kPaste:
        if (copyMode == 1)
            PasteClipboard();
        break;
    case kShowHotspots:
        HighlightHotspots();
        break;
    case kActionHotspot:
        SendHotspotAtPointer(window, at);
        break;
    case kMoveCursor:
    case kCursorSelect:
        MoveCursorToPointer(window, at);
        break;
    case kSendCr:
        HostSendRawByte(13);
        break;
    case kSendKeyword:
        HotspotClick(window, at);
        break;
    case kSelectRectangle:
    case kRectangleAndCopy:
        if (copyMode != 2 && !GraphicsPasteMode() && !SelectionBusy()) {
            g_secondKind = true;
            StartDrag(window, at, SelectionKind::SecondKind, action == kRectangleAndCopy);
        }
        break;
    case kSelectWord:
        if (copyMode != 2 && !GraphicsPasteMode() && !SelectionBusy())
            SelectHotspotWord(window, at);
        break;
    default:
        break;
    }
    // clang-format on
}

bool IsMiddleButtonAction(int action, int slot)
{
    return action == kMiddle && !FindKeyDefinition(static_cast<u32>(slot), kMouseMacro, -1);
}

bool ButtonActsAsMiddle(WPARAM keyFlags, int button)
{
    if (button != kButtonLeft && button != kButtonRight)
        return false;
    const int slot = MouseSlotFor(keyFlags, button, false, GetKeyState(VK_MENU) < 0);
    return IsMiddleButtonAction(MouseActions[slot], slot);
}

void MouseButtonUp(HWND window, WPARAM, POINT at, int button)
{
    g_secondKind = false;
    HideCursorForUpdate();
    ReleaseCapture();
    ToolbarButtonUp(window, at, button);
    ClearToolbarPressed(at, button);
    // The release of a press on an on-screen key label belongs to the label.
    if (ClickScreenKeyLabel(at, 1))
        return;
    if (ReportsWanted(kMouseReportRelease) && !InputWaiting()) {
        // The release names the button of the press it ends.
        int row, column;
        if (PointToCell(at, &row, &column))
            SendMouseReport(g_lastReportCode, kMouseReportRelease, row, column);
        return;
    }
    if (HotspotsHighlighted()) {
        ClearHotspotHighlights();
        return;
    }
    if (HotspotSelectionActive()) {
        ToggleHotspotHighlight();
        return;
    }
    if (g_dragging) {
        g_dragging = false;
        FinishSelectionDrag();
    }
    if (g_autoCopy) {
        g_autoCopy = false;
        if (MainWindowHandle)
            SendMessageW(MainWindowHandle, WM_COMMAND, 1074, 0);
    }
    if (!SelectionPresent())
        SetKeyboardLocked(false);
}

void MouseMove(HWND window, WPARAM keyFlags, POINT at)
{
    if (TrackToolbarDrag(window, keyFlags, at))
        return;
    SetScreenMouseCursor(at);
    if (ReportsWanted(kMouseReportMotion) && !InputWaiting()) {
        int row, column;
        if (PointToCell(at, &row, &column))
            SendMouseReport(static_cast<int>(keyFlags & 0x13), kMouseReportMotion, row, column);
    }
    if (g_dragging) {
        HideCursorForUpdate();
        ExtendSelectionDrag(window, at);
    }
}

void SendMouseEvent(HWND, int button, POINT at)
{
    int row, column;
    if (!PointToCell(at, &row, &column))
        return;
    const int code = button == kButtonLeft ? 4 : button == kButtonRight ? 1 : button == kButtonMiddle ? 2 : 0;
    g_lastReportCode = code;
    SendMouseReport(code, kMouseReportPress, row, column);
}

int SetScreenMouseCursor(POINT at)
{
    const int row = BaseLineHeight > 0 ? at.y / BaseLineHeight : 0;
    if (row >= Screen.rows) {
        SetCursor(ArrowCursor ? ArrowCursor : LoadCursorW(nullptr, IDC_ARROW));
        return 1;
    }
    if (GraphicsPasteMode())
        SetCursor(ArrowCursor ? ArrowCursor : LoadCursorW(nullptr, IDC_ARROW));
    else if (ConnectionStartState == 3)
        SetCursor(WaitCursor ? WaitCursor : LoadCursorW(nullptr, IDC_WAIT));
    else
        SetCursor(MouseCursor ? MouseCursor : LoadCursorW(nullptr, IDC_IBEAM));
    return 0;
}
