// The Local Editing, Block Transmission and Mouse Button Actions pages in-process: what
// OK carries into the settings, what Cancel leaves, and how the controls follow.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "terminal/settings/modaldriver.h"
#include "terminal/settings/regfixture.h"
#include "terminal/settings/setupfixture.h"
#include "terminal/core/program/commands.h"
#include "terminal/input/macros/keydefs.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/settings/store/mouseactions.h"
#include "terminal/settings/store/profilevalues.h"
#include "terminal/settings/setup/setupcopy.h"

namespace {

using modal::Click;
using modal::Enabled;
using modal::Next;
using modal::Select;

enum : int { kLocalEditing = 1023, kBlockTransmission = 1024, kMouseActions = 1032 };

class OptionPages : public SetupTest {
protected:
    void SetUp() override
    {
        SetupTest::SetUp();
        SetFactoryVt300();
        DeleteAllKeyDefinitions();
        for (int i = 0; i < kMouseSlots; ++i)
            MouseActions[i] = kFactoryMouseActions[i];
        HighlightWhenActioned = 1;
    }
    void TearDown() override
    {
        DeleteAllKeyDefinitions();
        SetupTest::TearDown();
    }
};

TEST_F(OptionPages, RadioGroupsAndInvertedBoxesReachTheirSettings)
{
    bool interactiveChecked = false;
    Next([&](HWND page) {
        interactiveChecked = IsDlgButtonChecked(page, 1643) == BST_CHECKED;  // factory: unavailable
        Click(page, 1641);                                                   // "&Interactive"
        EXPECT_EQ(IsDlgButtonChecked(page, 1643), BST_UNCHECKED);
        Click(page, 1652);  // "&Deferred"
        Click(page, 1660);  // "C&lear Unprotected" off
        Click(page, IDOK);
    });
    OpenSettingsDialog(main_.hwnd(), kLocalEditing);
    EXPECT_TRUE(interactiveChecked);
    EXPECT_EQ(Vt300Values.inedit, 0);
    EXPECT_EQ(Vt300Values.edit_key_defer, 1);
    EXPECT_EQ(Vt300Values.erasemode, 0);

    Next([](HWND page) {
        EXPECT_EQ(IsDlgButtonChecked(page, 1820), BST_CHECKED);    // edit_gatm 0: sends unprotected only
        EXPECT_EQ(IsDlgButtonChecked(page, 1850), BST_UNCHECKED);  // edit_no_rs 1
        Click(page, 1820);
        Click(page, 1850);
        Click(page, 1913);  // "As &TX Prefix"
        Click(page, IDOK);
    });
    OpenSettingsDialog(main_.hwnd(), kBlockTransmission);
    EXPECT_EQ(Vt300Values.edit_gatm, 1);
    EXPECT_EQ(Vt300Values.edit_no_rs, 0);
    EXPECT_EQ(Vt300Values.edit_pfkey, 2);
}

TEST_F(OptionPages, EndCharactersAreEscapedAndOnlyAnEditChangesThem)
{
    // An untouched OK keeps the stored count and bytes as they are.
    Next([](HWND page) {
        EXPECT_EQ(modal::Text(page, 1931), L"");
        Click(page, IDOK);
    });
    OpenSettingsDialog(main_.hwnd(), kBlockTransmission);
    EXPECT_EQ(Vt300Values.edit_eol_cnt, kLineEndChars);

    Next([](HWND page) {
        modal::SetText(page, 1931, L"^M^J");
        modal::SetText(page, 1941, L"_131");
        Click(page, IDOK);
    });
    OpenSettingsDialog(main_.hwnd(), kBlockTransmission);
    EXPECT_EQ(Vt300Values.edit_eol_cnt, 2);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(Vt300Values.edit_eol_ch)), "\r\n");
    EXPECT_EQ(Vt300Values.edit_eob_cnt, 1);
    EXPECT_EQ(Vt300Values.edit_eob_ch[0], 131);

    Next([](HWND page) {
        EXPECT_EQ(modal::Text(page, 1931), L"^M^J");
        modal::SetText(page, 1931, L"XXXX");
        Click(page, IDCANCEL);
    });
    OpenSettingsDialog(main_.hwnd(), kBlockTransmission);
    EXPECT_EQ(Vt300Values.edit_eol_cnt, 2);
}

TEST_F(OptionPages, AMouseActionIsTheProfilesAtOnce)
{
    Next([](HWND page) {
        // "Normal" offers every action; "Edit Paste" is the fifth.
        EXPECT_EQ(SendDlgItemMessageW(page, 2460, CB_GETCOUNT, 0, 0), 16);
        Select(page, 2460, 4);
        Click(page, IDOK);
    });
    OpenSettingsDialog(main_.hwnd(), kMouseActions);
    EXPECT_EQ(MouseActions[0], 4);
    EXPECT_EQ(regtest::ReadDword(HKEY_CURRENT_USER, L"P\\Mouse Actions", L"Normal"), 4u);

    Next([](HWND page) {
        Select(page, 2460, 1);
        Click(page, IDCANCEL);
    });
    OpenSettingsDialog(main_.hwnd(), kMouseActions);
    EXPECT_EQ(MouseActions[0], 4);
    EXPECT_EQ(regtest::ReadDword(HKEY_CURRENT_USER, L"P\\Mouse Actions", L"Normal"), 4u);
}

TEST_F(OptionPages, AKeywordTakesAnActionsPlaceUntilANameComesBack)
{
    Next([](HWND page) {
        Select(page, 2470, 9);  // Shift: "Send Keyword"
        modal::SetText(page, 2470, L"ls^M");
        Click(page, IDOK);
    });
    OpenSettingsDialog(main_.hwnd(), kMouseActions);
    {
        KeyDefinitionsLock locked;
        const KeyDefinition* d = FindKeyDefinition(1, kMouseMacro, -1);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(std::wstring(d->text, d->length), L"ls\r");
    }
    EXPECT_EQ(MouseActions[1], 9);

    Next([](HWND page) {
        // The keyword stands where its action was, escaped.
        EXPECT_EQ(modal::Text(page, 2470), L"ls^M");
        wchar_t item[64] = {};
        SendDlgItemMessageW(page, 2470, CB_GETLBTEXT, 9, reinterpret_cast<LPARAM>(item));
        EXPECT_STREQ(item, L"ls^M");
        Select(page, 2470, 3);  // "Edit Copy": a name, so the keyword goes
        Click(page, IDOK);
    });
    OpenSettingsDialog(main_.hwnd(), kMouseActions);
    KeyDefinitionsLock locked;
    EXPECT_EQ(FindKeyDefinition(1, kMouseMacro, -1), nullptr);
    EXPECT_EQ(MouseActions[1], 3);
}

TEST_F(OptionPages, TheEditButtonServesHotSpotsAndTheHighlightSendingActions)
{
    Next([](HWND page) {
        wchar_t label[32] = {};
        GetDlgItemTextW(page, 3, label, 32);
        EXPECT_STREQ(label, L"Edit...");
        const struct {
            int action;
            bool edit, highlight;
        } cases[] = {{1, false, false}, {5, true, false}, {6, true, true}, {9, false, true}};
        for (const auto& c : cases) {
            Select(page, 2460, c.action);
            EXPECT_EQ(Enabled(page, 3), c.edit) << c.action;
            EXPECT_EQ(Enabled(page, 2580), c.highlight) << c.action;
        }
        Click(page, IDCANCEL);
    });
    OpenSettingsDialog(main_.hwnd(), kMouseActions);
}

}  // namespace

namespace {

class TabStopsPage : public OptionPages {
protected:
    void SetUp() override
    {
        OptionPages::SetUp();
        lastColumn_ = Screen.lastColumn;
    }
    void TearDown() override
    {
        Screen.lastColumn = lastColumn_;
        OptionPages::TearDown();
    }
    int lastColumn_ = 79;
};

constexpr int kTerminalSettings = 1014;

std::wstring TabStopsText(int columns)
{
    return std::wstring(Vt300Values.tabstops, Vt300Values.tabstops + columns);
}

TEST_F(TabStopsPage, SetEveryReachesTheTerminalOnlyThroughTheOuterOk)
{
    Screen.lastColumn = 79;
    for (int outer : {IDCANCEL, IDOK}) {
        Next([outer](HWND page) {
            Next([](HWND tabs) {
                EXPECT_EQ(modal::Caption(tabs), L"Tab Stops");
                EXPECT_EQ(modal::Text(tabs, 2584), L"8");
                modal::SetText(tabs, 2584, L"4");
                Click(tabs, 2583);
                Click(tabs, IDCANCEL);  // the page's Cancel keeps its edits
            });
            Click(page, 8);
            EXPECT_EQ(SetupCopy.tabLine[5], L'T');
            Click(page, outer);
        });
        OpenSettingsDialog(main_.hwnd(), kTerminalSettings);
        EXPECT_EQ(TabStopsText(9), outer == IDOK ? L"T   T   T" : L"T       T") << outer;
    }
    // Columns the screen does not show keep their stops.
    const std::wstring beyond = TabStopsText(132).substr(80);
    for (int c = 80; c < 132; ++c)
        EXPECT_EQ(beyond[c - 80] == L'T', c % 8 == 0) << c;
}

TEST_F(TabStopsPage, ClicksCountFromTheScrolledColumnAndKeysChangeNothing)
{
    Screen.lastColumn = 131;
    Next([](HWND page) {
        Next([](HWND tabs) {
            HWND ruler = GetDlgItem(tabs, 2581);
            EXPECT_EQ(SendMessageW(ruler, LB_GETCOUNT, 0, 0), 3);
            SendMessageW(ruler, WM_HSCROLL, SB_PAGERIGHT, 0);
            SendMessageW(ruler, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(0, 5));
            EXPECT_EQ(SetupCopy.tabLine[53], L'T');
            SendMessageW(ruler, WM_KEYDOWN, VK_SPACE, 0);
            SendMessageW(ruler, WM_CHAR, L'T', 0);
            wchar_t line[140] = {};
            SendMessageW(ruler, LB_GETTEXT, 2, reinterpret_cast<LPARAM>(line));
            EXPECT_EQ(line[52], L'T');
            EXPECT_EQ(std::wstring(line).size(), 132u);

            // A ruler narrower than its columns: a cell of one pixel.
            MoveWindow(ruler, 0, 0, 60, 60, FALSE);
            SendMessageW(tabs, WM_COMMAND, 3, 0);  // shows the values again, the ruler fitted anew
            for (int code = SB_LINELEFT; code <= SB_THUMBTRACK; ++code)
                SendMessageW(ruler, WM_HSCROLL, MAKEWPARAM(code, 7), 0);
            SendMessageW(ruler, WM_HSCROLL, SB_PAGELEFT, 0);
            SendMessageW(ruler, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 5));
            EXPECT_EQ(SetupCopy.tabLine[4], L'T');
            for (int x = 0; x < 400; x += 7)
                SendMessageW(ruler, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 5));
            EXPECT_EQ(SetupCopy.tabLine[133], 0);
            Click(tabs, IDOK);
        });
        Click(page, 8);
        Click(page, IDCANCEL);
    });
    OpenSettingsDialog(main_.hwnd(), kTerminalSettings);
}

}  // namespace
