// The soft keys: seven fixed menus of eight keys, each key with its two label lines,
// the mode flag its "*" shows and what it does. The label lines of every menu are kept
// built; showing a menu only changes which pair the label row shows.
#include "terminal/emulations/hp700/menus/menus.h"

#include <cstdio>

#include "terminal/core/base/corestate.h"
#include "terminal/core/host/hostio.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/emulations/hp700/charset/roman8.h"
#include "terminal/emulations/hp700/hostpath.h"
#include "terminal/emulations/hp700/hp700.h"
#include "terminal/emulations/hp700/keys/keys.h"
#include "terminal/emulations/hp700/memory/memory.h"
#include "terminal/emulations/hp700/memory/repaint.h"
#include "terminal/emulations/hp700/printer/device.h"
#include "terminal/emulations/hp700/screen/write.h"
#include "terminal/emulations/hp700/userkeys/userkeys.h"

namespace {

constexpr u16 kEsc = 0x1B;

// The mode a key shows and toggles.
enum class State : u8 {
    None,
    LineModify,
    ModifyAll,
    BlockMode,
    RemoteMode,
    MemoryLock,
    DisplayFunctions,
    AutoLf,
    ToExtDev,
    ToDisplay,
    RecordMode,
    LogBottom,
    LogTop,
};

enum class Act : u8 {
    None,
    Menu,    // n: the menu
    Toggle,  // the key's state turned over
    ToggleUnlessLocked,
    Escape,  // n: the escape function's final byte
    UserKey,
    NextChoice,
    PreviousChoice,
    DefaultValues,
    Device,  // n: the device command
};

enum Device : u8 { kAdvancePage, kAdvanceLine, kCopyAll, kCopyPage, kCopyLine };

struct SoftKey {
    const char* line1;
    const char* line2;
    State state;
    Act act;
    u8 n;
};

constexpr SoftKey kBlank{"", "", State::None, Act::None, 0};

// clang-format off
constexpr SoftKey kMenus[7][8] = {
    {   // main
        {"Device", "Control", State::None, Act::Menu, kHpMenuDevice},
        {"Margins/", "Tabs/Col", State::None, Act::Menu, kHpMenuMargins},
        kBlank,
        {"Modes", "", State::None, Act::Menu, kHpMenuModes},
        kBlank, kBlank, kBlank, kBlank,
    },
    {   // modes
        {"Line", "Modify", State::LineModify, Act::Toggle, 0},
        {"Modify", "All", State::ModifyAll, Act::ToggleUnlessLocked, 0},
        {"Block", "Mode", State::BlockMode, Act::ToggleUnlessLocked, 0},
        {"Remote", "Mode", State::RemoteMode, Act::ToggleUnlessLocked, 0},
        {"Terminal", "Test", State::None, Act::Escape, 'z'},
        {"Memory", "Lock", State::MemoryLock, Act::Escape, 'l'},
        {"Display", "Functns", State::DisplayFunctions, Act::Escape, 'Y'},
        {"Auto", "LF", State::AutoLf, Act::ToggleUnlessLocked, 0},
    },
    {   // user keys: their labels come from the definitions
        {"", "", State::None, Act::UserKey, 0}, {"", "", State::None, Act::UserKey, 1},
        {"", "", State::None, Act::UserKey, 2}, {"", "", State::None, Act::UserKey, 3},
        {"", "", State::None, Act::UserKey, 4}, {"", "", State::None, Act::UserKey, 5},
        {"", "", State::None, Act::UserKey, 6}, {"", "", State::None, Act::UserKey, 7},
    },
    {   // margins and tabs
        {"Start", "Column", State::None, Act::None, 0},
        {"Set", "Tab", State::None, Act::Escape, '1'},
        {"Clear", "Tab", State::None, Act::Escape, '2'},
        {"Clr All", "Tabs", State::None, Act::Escape, '3'},
        {"Left", "Margin", State::None, Act::Escape, '4'},
        {"Right", "Margin", State::None, Act::Escape, '5'},
        {"Clr All", "Margins", State::None, Act::Escape, '9'},
        kBlank,
    },
    {   // configuration: the definition screen
        kBlank,
        {"Next", "Choice", State::None, Act::NextChoice, 0},
        {"Previous", "Choice", State::None, Act::PreviousChoice, 0},
        {"Default", "Values", State::None, Act::DefaultValues, 0},
        kBlank, kBlank,
        {"Display", "Functns", State::DisplayFunctions, Act::Toggle, 0},
        kBlank,
    },
    {   // device control
        {"Device", "Modes", State::None, Act::Menu, kHpMenuDeviceModes},
        {"To Ext", "Dev", State::ToExtDev, Act::Toggle, 0},
        {"To", "Display", State::ToDisplay, Act::Toggle, 0},
        {"Advance", "Page", State::None, Act::Device, kAdvancePage},
        {"Advance", "Line", State::None, Act::Device, kAdvanceLine},
        {"Copy", "All", State::None, Act::Device, kCopyAll},
        {"Copy", "Page", State::None, Act::Device, kCopyPage},
        {"Copy", "Line", State::None, Act::Device, kCopyLine},
    },
    {   // device modes
        {"Device", "Control", State::None, Act::Menu, kHpMenuDevice},
        {"Record", "Mode", State::RecordMode, Act::Toggle, 0},
        {"Log", "Bottom", State::LogBottom, Act::Toggle, 0},
        {"Log", "Top", State::LogTop, Act::Toggle, 0},
        kBlank, kBlank, kBlank, kBlank,
    },
};
// clang-format on

bool Get(State s)
{
    const Hp700Settings& v = Hp700.settings;
    switch (s) {
    case State::LineModify: return Hp700.lineModify;
    case State::ModifyAll: return v.modall != 0;
    case State::BlockMode: return v.blockmode != 0;
    case State::RemoteMode: return v.remote != 0;
    case State::MemoryLock: return Hp700.memoryLock;
    case State::DisplayFunctions: return Hp700.displayFunctions;
    case State::AutoLf: return v.autolf != 0;
    case State::ToExtDev: return Hp700.toExtDev;
    case State::ToDisplay: return Hp700.toDisplay;
    case State::RecordMode: return Hp700.recordMode;
    case State::LogBottom: return Hp700.logBottom;
    case State::LogTop: return Hp700.logTop;
    case State::None: break;
    }
    return false;
}

void Set(State s, bool on)
{
    Hp700Settings& v = Hp700.settings;
    switch (s) {
    case State::LineModify: Hp700.lineModify = on; break;
    case State::ModifyAll: v.modall = on; break;
    case State::BlockMode: v.blockmode = on; break;
    case State::RemoteMode:
        v.remote = on;
        LocalMode = on ? 0 : 1;
        break;
    case State::MemoryLock:
        if (on)
            Hp700MemoryLockOn();
        else
            Hp700MemoryLockOff();
        break;
    case State::DisplayFunctions: Hp700.displayFunctions = on; break;
    case State::AutoLf: v.autolf = on; break;
    case State::ToExtDev: Hp700.toExtDev = on; break;
    case State::ToDisplay: Hp700.toDisplay = on; break;
    case State::RecordMode:
        if (on)
            Hp700.logTop = Hp700.logBottom = false;
        Hp700.recordMode = on;
        break;
    case State::LogBottom:
        if (on)
            Hp700.logTop = false;
        Hp700.logBottom = on;
        break;
    case State::LogTop:
        if (on)
            Hp700.logBottom = false;
        Hp700.logTop = on;
        break;
    case State::None: break;
    }
}

bool Modal()
{
    return ModalOpen.load() != 0;
}

void Bell()
{
    if (Hp700.settings.bell)
        RequestBell();
}

bool LabelScreen(u8 menu)
{
    return menu == kHpMenuLabelEntry || menu == kHpMenuLabels;
}

void RepaintLabelRow()
{
    Hp700RepaintRows(kHpScreenRows, kHpScreenRows + 1);
}

HpLine& Line(u8 menu, int which)
{
    return Hp700.labelLines[2 * menu + which];
}

// Text centred in a label's 8 columns (an odd blank goes right).
void PutCentred(HpLine& line, int start, const wchar16* text, int n)
{
    if (n > kHpLabelWidth)
        n = kHpLabelWidth;
    const int left = (kHpLabelWidth - n) / 2;
    for (int c = 0; c < kHpLabelWidth; ++c) {
        const int i = c - left;
        line.cells[start + c].ch = i >= 0 && i < n ? Hp700ConvertDefinedChar(static_cast<u8>(text[i])) : ' ';
    }
    line.used = 1;
}

int FromAscii(const char* text, wchar16* out)
{
    int n = 0;
    for (; text[n] && n < 16; ++n)
        out[n] = static_cast<u8>(text[n]);
    out[n] = 0;
    return n;
}

// A label line of a key. The program's language strings carry no soft-key labels, so
// the built-in texts are the labels.
int LabelText(u8 menu, int key, int which, wchar16* out)
{
    const SoftKey& s = kMenus[menu][key];
    return FromAscii(which == 0 ? s.line1 : s.line2, out);
}

void WriteMark(u8 menu, int key)
{
    const SoftKey& s = kMenus[menu][key];
    if (s.state == State::None)
        return;
    ScreenCell& cell = Line(menu, 0).cells[kHpLabelStarts[key] + kHpMarkColumn];
    const u8 mark = Get(s.state) ? '*' : ' ';
    if (cell.ch == mark)
        return;
    cell.ch = mark;
    if (Hp700.menu == menu)
        Hp700RepaintRows(kHpScreenRows, kHpScreenRows);
}

void BuildMenu(u8 menu)
{
    for (int w = 0; w < 2; ++w) {
        Hp700BlankLine(&Line(menu, w));
        for (int c = 0; c < 80; ++c)
            Line(menu, w).cells[c].ch = ' ';
        Line(menu, w).used = 1;
    }
    if (menu == kHpMenuUserKeys) {
        Hp700BuildUserKeyLabels();
        return;
    }
    for (int key = 0; key < 8; ++key) {
        wchar16 text[17];
        for (int w = 0; w < 2; ++w) {
            const int n = LabelText(menu, key, w, text);
            PutCentred(Line(menu, w), kHpLabelStarts[key], text, n);
        }
        WriteMark(menu, key);
    }
}

void ShowIndicators(bool force);

void Toggle(const SoftKey& s, int key)
{
    if (Modal())
        return;
    Set(s.state, !Get(s.state));
    WriteMark(Hp700.menu, key);
    ShowIndicators(true);
}

// A key that stands for an escape function: sent through the keyboard input when the
// functions are transmitted (or a dialog is open), else performed here.
void EscapeFunction(const SoftKey& s, int key)
{
    u8 final = s.n;
    if (s.state == State::MemoryLock && Hp700.memoryLock)
        final = 'm';
    bool asInput = Hp700.settings.txfunctns || Modal();
    if (s.state == State::DisplayFunctions) {
        const Hp700Settings& v = Hp700.settings;
        asInput = asInput && v.remote && !v.blockmode && !v.modall && !Hp700.lineModify && !v.echo &&
                  !Hp700.displayFunctions;
    }
    if (asInput) {
        const u16 units[2] = {kEsc, final};
        Hp700PutOnInput(units, 2);
        return;
    }
    Hp700FlushRow();
    switch (final) {
    case 'z': Hp700SelfTest(); return;
    case '1': Hp700SetTab(); return;
    case '2': Hp700ClearTab(); return;
    case '3': Hp700ClearAllTabs(); return;
    case '4': Hp700SetLeftMargin(); return;
    case '5': Hp700SetRightMargin(); return;
    case '9': Hp700ClearMargins(); return;
    default: Toggle(s, key); return;
    }
}

void DeviceCommand(u8 command)
{
    if (command == kCopyAll) {
        Hp700CopyAll();
        return;
    }
    // The others as their ESC & p sequences would ask for them.
    static Hp700GroupParameters p;
    p = Hp700GroupParameters{};
    switch (command) {
    case kAdvancePage: p.groups[0] = Hp700Group{'C', false, false, true, 0, 1, 0}; break;
    case kAdvanceLine: p.groups[0] = Hp700Group{'C', false, false, true, 1, 1, 0}; break;
    case kCopyPage: p.groups[0] = Hp700Group{'F', false, false, false, 0, 0, 0}; break;
    default: p.groups[0] = Hp700Group{'B', false, false, false, 0, 0, 0}; break;
    }
    p.count = 1;
    Hp700DeviceControl(p);
}

void Perform(const SoftKey& s, int key)
{
    switch (s.act) {
    case Act::None: break;
    case Act::Menu:
        if (Hp700.labelLock && (s.n == kHpMenuMain || s.n == kHpMenuModes))
            Bell();
        else
            Hp700ShowMenu(s.n);
        break;
    case Act::Toggle: Toggle(s, key); break;
    case Act::ToggleUnlessLocked:
        if (Modal())
            break;
        if (Hp700.settings.configlock)
            Hp700ShowNotice();
        else
            Toggle(s, key);
        break;
    case Act::Escape: EscapeFunction(s, key); break;
    case Act::UserKey: Hp700ExecuteUserKey(s.n + 1); break;
    case Act::NextChoice: Hp700ConfigChoice(1); break;
    case Act::PreviousChoice: Hp700ConfigChoice(-1); break;
    case Act::DefaultValues:
        Hp700DefaultUserKeyLines();
        Hp700RepaintRows(0, kHpScreenRows - 1);
        break;
    case Act::Device: DeviceCommand(s.n); break;
    }
}

void PutNumber(HpLine& line, int column, int value)
{
    char text[8];
    std::snprintf(text, sizeof text, "%3d", value % 1000);
    for (int i = 0; i < 3; ++i)
        line.cells[column + i].ch = static_cast<u8>(text[i]);
}

void PutText(HpLine& line, int column, const char* text)
{
    for (int i = 0; text[i]; ++i)
        line.cells[column + i].ch = static_cast<u8>(text[i]);
}

// The middle of the label row: the cursor's memory row and column, "Lck" and the insert
// mode; none of them on the definition screen.
void ShowIndicators(bool force)
{
    const u8 menu = Hp700.menu;
    if (menu > kHpMenuDeviceModes || menu == kHpMenuConfig)
        return;
    const int row = Hp700.cursorRow + 1, column = Hp700.cursorColumn + 1;
    HpLine& l1 = Line(menu, 0);
    HpLine& l2 = Line(menu, 1);
    const char* lock = Hp700.keyboardLocked || Hp700.transferRunning ? "Lck" : "   ";
    const char* insert = Hp700.insertMode == 1 ? "Ins" : Hp700.insertMode == 2 ? "InW" : "   ";
    const bool stateChanged = l2.cells[kHpIndicatorColumn].ch != static_cast<u8>(lock[0]) ||
                              l2.cells[kHpIndicatorColumn + 4].ch != static_cast<u8>(insert[0]) ||
                              l2.cells[kHpIndicatorColumn + 6].ch != static_cast<u8>(insert[2]);
    if (!force && !stateChanged && row == Hp700.shownRow && column == Hp700.shownColumn &&
        l1.cells[kHpIndicatorColumn + 2].ch != 0)
        return;
    Hp700.shownRow = row;
    Hp700.shownColumn = column;
    PutNumber(l1, kHpIndicatorColumn, row);
    l1.cells[kHpIndicatorColumn + 3].ch = ' ';
    PutNumber(l1, kHpIndicatorColumn + 4, column);
    PutText(l2, kHpIndicatorColumn, lock);
    l2.cells[kHpIndicatorColumn + 3].ch = ' ';
    PutText(l2, kHpIndicatorColumn + 4, insert);
    RepaintLabelRow();
}

}  // namespace

void Hp700BuildLabelLines()
{
    for (u8 m = 0; m <= kHpMenuDeviceModes; ++m)
        BuildMenu(m);
    Hp700.shownRow = Hp700.shownColumn = -1;
    ShowIndicators(true);
    RepaintLabelRow();
}

void Hp700BuildUserKeyLabels()
{
    for (int w = 0; w < 2; ++w) {
        HpLine& line = Line(kHpMenuUserKeys, w);
        for (int key = 0; key < 8; ++key) {
            const ScreenCell* header = Hp700.userKeyLines[2 * key].cells;
            const int from = w == 0 ? 12 : 21;
            for (int c = 0; c < kHpLabelWidth; ++c) {
                const u8 ch = header[from + c].ch;
                line.cells[kHpLabelStarts[key] + c].ch = ch == 0 ? ' ' : ch;
            }
        }
        line.used = 1;
    }
    if (Hp700.menu == kHpMenuUserKeys)
        RepaintLabelRow();
}

const HpLine* Hp700MenuLabelLine(int which)
{
    if (!Hp700Running() || which < 0 || which > 1 || Hp700.menu > kHpMenuLabels)
        return nullptr;
    return &Line(Hp700.menu, which);
}

void Hp700ShowMenu(u8 menu)
{
    if (menu > kHpMenuDeviceModes)
        return;
    Hp700ReleaseKeyboard();
    if (Hp700.menu == kHpMenuConfig && menu != kHpMenuConfig)
        Hp700LeaveConfigScreen();
    if (Hp700.menu == kHpMenuLabelEntry)
        for (int w = 0; w < 2; ++w)
            Hp700BlankLine(&Line(kHpMenuLabelEntry, w));
    Hp700.noticeShown = false;
    Hp700.menu = Hp700.rememberedMenu = menu;
    ShowIndicators(true);
    RepaintLabelRow();
}

void Hp700ReturnToRememberedMenu()
{
    if (!LabelScreen(Hp700.menu))
        return;
    if (Hp700.menu == kHpMenuLabelEntry)
        for (int w = 0; w < 2; ++w)
            Hp700BlankLine(&Line(kHpMenuLabelEntry, w));
    Hp700.noticeShown = false;
    Hp700.menu = Hp700.rememberedMenu <= kHpMenuDeviceModes ? Hp700.rememberedMenu : kHpMenuModes;
    ShowIndicators(true);
    RepaintLabelRow();
}

void Hp700RefreshSoftKeyStates()
{
    if (!Hp700Running())
        return;
    for (u8 m = 0; m <= kHpMenuDeviceModes; ++m)
        for (int key = 0; key < 8; ++key)
            WriteMark(m, key);
}

void Hp700KeySoftKey(int index)
{
    if (!Hp700Running() || index < 0 || index > 7 || Hp700CheckKeyboardLocked())
        return;
    if (LabelScreen(Hp700.menu)) {
        Hp700ExecuteUserKey(index + 1);
        return;
    }
    Perform(kMenus[Hp700.menu][index], index);
}

void Hp700ShowNotice()
{
    RequestBell();
    if (!LabelScreen(Hp700.menu))
        Hp700.rememberedMenu = Hp700.menu;
    HpLine& l1 = Line(kHpMenuLabels, 0);
    HpLine& l2 = Line(kHpMenuLabels, 1);
    Hp700BlankLine(&l1);
    Hp700BlankLine(&l2);
    PutText(l1, 0, "Function Locked");
    PutText(l2, 0, "Press ENTER to clear");
    l1.used = l2.used = 1;
    Hp700.menu = kHpMenuLabels;
    Hp700.noticeShown = true;
    RepaintLabelRow();
}

void Hp700EndNotice()
{
    if (!Hp700.noticeShown)
        return;
    Hp700BlankLine(&Line(kHpMenuLabels, 0));
    Hp700BlankLine(&Line(kHpMenuLabels, 1));
    Hp700.noticeShown = false;
    Hp700ReturnToRememberedMenu();
}

void Hp700IdleUpdate()
{
    if (!Hp700Running() || (++Hp700.idleTicks & 3) != 0)
        return;
    ShowIndicators(false);
}
