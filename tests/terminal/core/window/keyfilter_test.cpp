// The keyboard filter in-process under Wine: key messages with the modifier state the
// thread's keyboard state reports, and what reaches the key-event ring. Also the
// program and window commands of the user's definitions on the real platform.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "terminal/core/base/handles.h"
#include "terminal/core/base/menus.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/startopts.h"
#include "terminal/emulations/dec/keys/keymodes.h"
#include "terminal/input/macros/eventcommands.h"
#include "terminal/input/macros/eventtext.h"
#include "terminal/input/keyboard/keycodes.h"
#include "terminal/input/macros/inputpump.h"
#include "terminal/input/macros/keydefs.h"
#include "terminal/input/macros/keyevents.h"
#include "terminal/core/window/keyfilter.h"
#include "terminal/settings/store/profilevalues.h"

namespace {

struct Event {
    int type, value, extra;
    bool operator==(const Event& o) const { return type == o.type && value == o.value && extra == o.extra; }
};

std::vector<Event> Drain()
{
    std::vector<Event> events;
    for (;;) {
        Event e{};
        TakeInputEvent(e.type, e.value, e.extra);
        if (e.type == -1)
            return events;
        if (e.type >= 4)
            FreeEventText(HandleOf(static_cast<u16>(e.value), static_cast<u16>(e.extra)));
        events.push_back(e);
    }
}

class KeyFilter : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(AllocInputQueues());
        ResetInputQueueCounters();
        DeleteAllKeyDefinitions();
        EmulationId = 2;
        Vt300Values.curskeyapp = 0;
        Vt300Values.kpadmode = 0;
        Vt300Values.barkmode = 1;
        Vt300Values.DecKeyMode = 0;
        Hold({});
    }
    void TearDown() override
    {
        Hold({});
        DeleteAllKeyDefinitions();
        ResetInputQueueCounters();
    }

    // The keys the thread's keyboard state reports as down.
    static void Hold(std::initializer_list<int> keys)
    {
        BYTE state[256] = {};
        for (int vk : keys)
            state[vk] = 0x80;
        SetKeyboardState(state);
    }

    static int Send(UINT message, int vk, bool extended = false, UINT scan = 0)
    {
        const bool up = message == WM_KEYUP || message == WM_SYSKEYUP;
        LPARAM lParam = 1 | (static_cast<LPARAM>(scan & 0xFF) << 16);
        if (extended)
            lParam |= 1L << 24;
        if (up)
            lParam |= (1L << 30) | (1L << 31);
        MSG m{};
        m.message = message;
        m.wParam = static_cast<WPARAM>(vk);
        m.lParam = lParam;
        return KeyMessageFilter(&m);
    }

    static int Press(int vk, bool extended = false) { return Send(WM_KEYDOWN, vk, extended); }
};

TEST_F(KeyFilter, SpecialKeysBecomeKeyEventsWithTheirShiftState)
{
    EXPECT_EQ(Press(VK_UP, true), 1);
    EXPECT_EQ(Send(WM_KEYUP, VK_UP, true), 0);  // releases go on to Windows
    Hold({VK_SHIFT});
    EXPECT_EQ(Press(VK_F16), 1);
    EXPECT_EQ(Press(VK_F15), 1);
    Hold({VK_CONTROL, VK_SHIFT});
    EXPECT_EQ(Press(VK_TAB), 1);
    EXPECT_EQ(Drain(), (std::vector<Event>{{3, 89, 0}, {3, 154, 1}, {3, 153, 1}, {3, 115, 3}}));
}

TEST_F(KeyFilter, CharactersAreLeftToTranslation)
{
    EXPECT_EQ(Press('A'), 0);
    EXPECT_EQ(Press('C'), 0);
    EXPECT_EQ(Press('5'), 0);
    EXPECT_EQ(Press(VK_SPACE), 0);
    Hold({VK_CONTROL});
    EXPECT_EQ(Press('A'), 0);  // Ctrl+A is the character 01
    EXPECT_EQ(Press('C'), 0);  // no selection: Ctrl+C is the character 03
    Hold({VK_MENU});
    EXPECT_EQ(Press(VK_NUMPAD5), 0);  // Windows composes Alt+number characters
    EXPECT_EQ(Send(WM_SYSKEYDOWN, 'A'), 0);
    EXPECT_TRUE(Drain().empty());
}

TEST_F(KeyFilter, CtrlDigitsTypeControlCodes)
{
    Hold({VK_CONTROL});
    EXPECT_EQ(Press('2'), 1);
    EXPECT_EQ(Press('3'), 1);
    EXPECT_EQ(Press('8'), 1);
    EXPECT_EQ(Drain(), (std::vector<Event>{{1, 0, -1}, {1, 27, -1}, {1, 127, -1}}));
}

TEST_F(KeyFilter, KeypadEnterPrintScreenAndAltC)
{
    EXPECT_EQ(Press(VK_RETURN, true), 1);
    EXPECT_EQ(Press(VK_RETURN), 1);
    EXPECT_EQ(Press(VK_SNAPSHOT), 0);  // Print Screen acts on its release
    EXPECT_EQ(Send(WM_KEYUP, VK_SNAPSHOT), 1);
    EXPECT_EQ(Drain(), (std::vector<Event>{{3, 111, 0}, {3, 114, 0}, {3, 80, 0}}));
    Hold({VK_MENU});
    EXPECT_EQ(Send(WM_SYSKEYDOWN, 'C'), 1);
    EXPECT_EQ(ComposeState(), 0);
    EndComposeKey();
    EXPECT_TRUE(Drain().empty());
}

TEST_F(KeyFilter, HomeAndDeleteStayPcKeysUntilTheDecKeysAreOn)
{
    EXPECT_EQ(Press(VK_HOME, true), 1);
    EXPECT_EQ(Press(VK_DELETE, true), 1);
    EXPECT_EQ(Press(VK_INSERT, true), 1);
    Vt300Values.DecKeyMode = 1;
    EXPECT_EQ(Press(VK_HOME, true), 1);
    EXPECT_EQ(Press(VK_DELETE, true), 1);
    EXPECT_EQ(Drain(), (std::vector<Event>{{3, 125, 0}, {3, 126, 0}, {3, 84, 0}, {3, 83, 0}, {3, 85, 0}}));
}

TEST_F(KeyFilter, AUserDefinitionForTheExactShiftStateTakesTheKey)
{
    ASSERT_TRUE(AddKeyDefinition(VK_F5, 0, kKeyMacro, 1, 2, VXT("hi"), nullptr));
    EXPECT_EQ(Press(VK_F5), 1);  // no definition without Shift
    Hold({VK_SHIFT});
    EXPECT_EQ(Press(VK_F5), 1);
    const std::vector<Event> events = Drain();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0], (Event{3, 72, 0}));
    EXPECT_EQ(events[1].type, 4);  // the definition's text, never the key
}

TEST_F(KeyFilter, CtrlVPastesUnlessControlsAreShown)
{
    Hold({VK_CONTROL});
    EXPECT_EQ(Press('V'), 1);
    EXPECT_EQ(Drain(), (std::vector<Event>{{3, 117, 2}}));
}

TEST_F(KeyFilter, AltLetGoAfterAKeyTheTerminalTookOpensNoMenuBar)
{
    struct Step {
        UINT message;
        int vk;
        std::initializer_list<int> held;
        int taken;
    };
    // clang-format off
    const Step chord[] = {
        {WM_SYSKEYDOWN, VK_MENU, {VK_MENU},        0},
        {WM_SYSKEYDOWN, VK_F5,   {VK_MENU, VK_F5}, 1},  // the Help key
        {WM_SYSKEYUP,   VK_F5,   {VK_MENU},        0},
        {WM_SYSKEYUP,   VK_MENU, {},               1},  // kept from Windows' menu bar
        // Alt alone still goes on to Windows, which then opens the menu bar.
        {WM_SYSKEYDOWN, VK_MENU, {VK_MENU},        0},
        {WM_SYSKEYUP,   VK_MENU, {},               0},
        // So does Alt with a key left to Windows.
        {WM_SYSKEYDOWN, VK_MENU, {VK_MENU},        0},
        {WM_SYSKEYDOWN, VK_TAB,  {VK_MENU, VK_TAB}, 0},
        {WM_SYSKEYUP,   VK_MENU, {},               0},
    };
    // clang-format on
    int index = 0;
    for (const Step& step : chord) {
        Hold(step.held);
        EXPECT_EQ(Send(step.message, step.vk), step.taken) << "step " << index;
        ++index;
    }
    EXPECT_EQ(Drain(), (std::vector<Event>{{3, 72, 4}}));
}

// The menu a hot key opens: the owner window hears WM_INITMENUPOPUP for it, and a timer
// closes it again so that the test goes on.
HMENU g_openedMenu = nullptr;
LRESULT CALLBACK MenuOwnerProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITMENUPOPUP)
        g_openedMenu = reinterpret_cast<HMENU>(wParam);
    return DefWindowProcW(w, message, wParam, lParam);
}
void CALLBACK CloseMenu(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    EndMenu();
}

TEST_F(KeyFilter, AltWithAMenuMnemonicOpensThatMenu)
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = MenuOwnerProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VxKeysMenuOwner";
    RegisterClassW(&wc);
    HWND owner = CreateWindowW(L"VxKeysMenuOwner", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 200,
                               nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(owner, nullptr);
    SetForegroundWindow(owner);
    const MenuHandleSet savedMenus = Menus;
    HWND savedMain = MainWindowHandle;
    MainWindowHandle = owner;
    Menus = MenuHandleSet{};
    Menus.edit = CreatePopupMenu();
    AppendMenuW(Menus.edit, MF_STRING, 1074, L"Copy");
    MenuMnemonics[1] = 'E';
    StartupOptions.offered[kOfferEditMenu] = 1;

    Hold({VK_MENU});
    SetTimer(nullptr, 0, 300, CloseMenu);
    EXPECT_EQ(Send(WM_SYSKEYDOWN, 'E'), 1);
    EXPECT_EQ(g_openedMenu, Menus.edit);
    EXPECT_EQ(Send(WM_SYSKEYUP, 'E'), 0);
    // A menu that is not offered stays shut; the key is still the menu's.
    g_openedMenu = nullptr;
    StartupOptions.offered[kOfferEditMenu] = 0;
    EXPECT_EQ(Send(WM_SYSKEYDOWN, 'E'), 1);
    EXPECT_EQ(g_openedMenu, nullptr);
    EXPECT_TRUE(Drain().empty());

    StartupOptions.offered[kOfferEditMenu] = 1;
    DestroyMenu(Menus.edit);
    Menus = savedMenus;
    MenuMnemonics[1] = 0;
    MainWindowHandle = savedMain;
    DestroyWindow(owner);
}

class PlatformCommands : public ::testing::Test {};

TEST_F(PlatformCommands, AProgramStartsFromACommandLineWithArgumentsOnThePath)
{
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    const std::string file = std::string(dir) + "vxkeys_started.txt";
    DeleteFileA(file.c_str());
    // "cmd" without a path or extension: found on the search path; the rest are its
    // arguments.
    const std::wstring command = L"cmd /c echo started> \"" + std::wstring(file.begin(), file.end()) + L"\"";
    EXPECT_EQ(StartProgramCommand(reinterpret_cast<const wchar16*>(command.c_str())), 0u);
    bool found = false;
    for (int i = 0; i < 100 && !found; ++i) {
        found = GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES;
        Sleep(100);
    }
    EXPECT_TRUE(found) << "the command's arguments did not run";
    DeleteFileA(file.c_str());
    EXPECT_EQ(StartProgramCommand(VXT("vxkeys-no-such-program /x")), static_cast<u32>(ERROR_FILE_NOT_FOUND));
}

TEST_F(PlatformCommands, AWindowIsRaisedByItsClass)
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    for (const wchar_t* name : {L"VxKeysRaiseTarget", L"VxKeysOther"}) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = instance;
        wc.lpszClassName = name;
        ASSERT_TRUE(RegisterClassW(&wc));
    }
    HWND target = CreateWindowW(L"VxKeysRaiseTarget", L"target", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                instance, nullptr);
    HWND other = CreateWindowW(L"VxKeysOther", L"other", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, instance,
                               nullptr);
    ASSERT_TRUE(target && other);
    SetWindowPos(other, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    auto targetAbove = [&] {
        for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT))
            if (w == target || w == other)
                return w == target;
        return false;
    };
    ASSERT_FALSE(targetAbove());
    EXPECT_TRUE(BringWindowOfClassToTop(VXT("VxKeysRaiseTarget")));
    EXPECT_TRUE(targetAbove());
    EXPECT_FALSE(BringWindowOfClassToTop(VXT("VxKeysNoSuchClass")));
    DestroyWindow(target);
    DestroyWindow(other);
}

}  // namespace
