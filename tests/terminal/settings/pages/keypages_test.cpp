// The Define Keyboard Macros and Soft Buttons pages in-process: the key field takes a
// key, the lists become key definitions on OK, and Cancel keeps the old ones.
#include <gtest/gtest.h>

#include <string>

#include "terminal/settings/modaldriver.h"
#include "terminal/settings/setupfixture.h"
#include "terminal/core/program/commands.h"
#include "terminal/input/macros/keydefs.h"
#include "terminal/input/bars/softbar.h"
#include "terminal/input/bars/softbuttons.h"

#include <commctrl.h>

namespace {

using modal::Click;
using modal::Next;
using modal::Select;

enum : int { kMacros = 1017, kSoftButtons = 1018 };

class KeyPages : public SetupTest {
protected:
    void SetUp() override
    {
        SetupTest::SetUp();
        DeleteAllKeyDefinitions();
    }
    void TearDown() override
    {
        DeleteAllKeyDefinitions();
        SetupTest::TearDown();
    }
    static std::wstring TextOf(u32 key, u32 kind, i32 shift)
    {
        KeyDefinitionsLock locked;
        const KeyDefinition* d = FindKeyDefinition(key, kind, shift);
        return d ? std::wstring(d->text, d->length) : L"<none>";
    }
    static std::wstring LabelOf(u32 key)
    {
        KeyDefinitionsLock locked;
        const KeyDefinition* d = FindKeyDefinition(key, kSoftButton, -1);
        return d && d->label ? std::wstring(d->label) : L"<none>";
    }
};

// A key pressed and released in the key field, as the keyboard sends it.
void Press(HWND page, int key)
{
    HWND field = GetDlgItem(page, 2307);
    SetFocus(field);
    SendMessageW(field, WM_KEYDOWN, static_cast<WPARAM>(key), 1);
    SendMessageW(field, WM_CHAR, 'x', 1);
    SendMessageW(field, WM_KEYUP, static_cast<WPARAM>(key), 0xC0000001);
}

TEST_F(KeyPages, TheKeyFieldNamesTheKeyAndAddedMacrosBecomeTheKeys)
{
    AddKeyDefinition(VK_F6, 0, kKeyMacro, 0, 3, L"old", nullptr);
    Next([](HWND page) {
        EXPECT_EQ(SendDlgItemMessageW(page, 2313, LVM_GETITEMCOUNT, 0, 0), 1);
        Press(page, VK_SHIFT);  // a modifier alone names nothing
        EXPECT_EQ(modal::Text(page, 2307), L"");
        Press(page, VK_F5);
        EXPECT_EQ(modal::Text(page, 2307), L"<VK_F5>");
        EXPECT_EQ(GetFocus(), GetDlgItem(page, 2310));
        modal::SetText(page, 2310, L"ls^M");
        Click(page, 5);  // "Add ->"
        EXPECT_EQ(SendDlgItemMessageW(page, 2313, LVM_GETITEMCOUNT, 0, 0), 2);
        Click(page, IDOK);
    });
    OpenSettingsDialog(main_.hwnd(), kMacros);
    EXPECT_EQ(TextOf(VK_F5, kKeyMacro, 0), L"ls\r");
    EXPECT_EQ(TextOf(VK_F6, kKeyMacro, 0), L"old");

    // Cancel keeps the macros, whatever the list showed.
    Next([](HWND page) {
        Click(page, 7);  // "Remove All"
        Click(page, IDCANCEL);
    });
    OpenSettingsDialog(main_.hwnd(), kMacros);
    EXPECT_EQ(TextOf(VK_F5, kKeyMacro, 0), L"ls\r");

    // A removed row is gone after OK.
    Next([](HWND page) {
        Click(page, 7);
        Click(page, IDOK);
    });
    OpenSettingsDialog(main_.hwnd(), kMacros);
    EXPECT_EQ(TextOf(VK_F5, kKeyMacro, 0), L"<none>");
}

TEST_F(KeyPages, ApplyPutsTheChosenKeyNameIntoTheMacro)
{
    Next([](HWND page) {
        const LRESULT index = SendDlgItemMessageW(page, 2312, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                  reinterpret_cast<LPARAM>(L"VT_F6"));
        ASSERT_NE(index, CB_ERR);
        Select(page, 2312, static_cast<int>(index));
        Click(page, 4);  // "Apply"
        EXPECT_EQ(modal::Text(page, 2310), L"<VT_F6>");
        Click(page, IDCANCEL);
    });
    OpenSettingsDialog(main_.hwnd(), kMacros);
}

TEST_F(KeyPages, SoftButtonsTakeTheCodesOfTheirLevelsAroundTheNameSlot)
{
    Next([](HWND page) {
        Select(page, 3121, 6);  // button 7 of level 1
        modal::SetText(page, 3113, L"Seven");
        modal::SetText(page, 3114, L"x^M");
        Click(page, 5);
        Click(page, 3132);      // level 2
        Select(page, 3121, 0);  // button 1
        modal::SetText(page, 3114, L"y");
        Click(page, 5);
        Click(page, IDOK);
    });
    OpenSettingsDialog(main_.hwnd(), kSoftButtons);
    EXPECT_EQ(TextOf(8, kSoftButton, -1), L"x\r");
    EXPECT_EQ(LabelOf(8), L"Seven");
    EXPECT_EQ(TextOf(15, kSoftButton, -1), L"y");

    // Taken back for editing, a button shows its number, level and fields.
    Next([](HWND page) {
        HWND list = GetDlgItem(page, 3126);
        ASSERT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 2);
        LVITEMW item{};
        item.stateMask = item.state = LVIS_SELECTED;
        SendMessageW(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&item));
        Click(page, 6);  // "<- Remove"
        EXPECT_EQ(SendDlgItemMessageW(page, 3121, CB_GETCURSEL, 0, 0), 6);
        EXPECT_EQ(IsDlgButtonChecked(page, 3131), BST_CHECKED);
        EXPECT_EQ(modal::Text(page, 3113), L"Seven");
        EXPECT_EQ(modal::Text(page, 3114), L"x^M");
        Click(page, IDOK);
    });
    OpenSettingsDialog(main_.hwnd(), kSoftButtons);
    EXPECT_EQ(TextOf(8, kSoftButton, -1), L"<none>");
    EXPECT_EQ(TextOf(15, kSoftButton, -1), L"y");
}

TEST_F(KeyPages, ARightClickOnABarButtonOpensThePageOnThatButton)
{
    // Level 4, button 7: the slot after the level's name.
    ASSERT_TRUE(AddKeyDefinition(50, 2, kSoftButton, 0, 2, L"ab", L"Fifty"));
    PressSoftButton(50, true);
    EXPECT_EQ(SoftButtonEditorCode, 50);
    Next([](HWND page) {
        EXPECT_EQ(SendDlgItemMessageW(page, 3121, CB_GETCURSEL, 0, 0), 6);
        EXPECT_EQ(IsDlgButtonChecked(page, 3134), BST_CHECKED);
        EXPECT_EQ(IsDlgButtonChecked(page, 3112), BST_CHECKED);
        EXPECT_EQ(modal::Text(page, 3113), L"Fifty");
        EXPECT_EQ(modal::Text(page, 3114), L"ab");
        Click(page, IDCANCEL);
    });
    OpenSettingsDialog(main_.hwnd(), kSoftButtons);
    EXPECT_EQ(SoftButtonEditorCode, -1);
}

TEST_F(KeyPages, LevelNamesSurviveChangingTheLevelAndCancelKeepsThem)
{
    SetSoftButtonLevelName(3, L"Three");
    Next([](HWND page) {
        modal::SetText(page, 3164, L"One");
        Click(page, 3132);
        EXPECT_EQ(modal::Text(page, 3164), L"");
        modal::SetText(page, 3164, L"Two");
        Click(page, 3133);
        EXPECT_EQ(modal::Text(page, 3164), L"Three");
        Click(page, 3131);
        EXPECT_EQ(modal::Text(page, 3164), L"One");
        Click(page, IDOK);
    });
    OpenSettingsDialog(main_.hwnd(), kSoftButtons);
    wchar16 name[kSoftButtonLabelUnits];
    for (const auto& [level, expected] : {std::pair{1, L"One"}, {2, L"Two"}, {3, L"Three"}, {4, L""}}) {
        GetSoftButtonLevelName(level, name);
        EXPECT_EQ(std::wstring(name), expected) << level;
    }
    Next([](HWND page) {
        modal::SetText(page, 3164, L"Other");
        Click(page, IDCANCEL);
    });
    OpenSettingsDialog(main_.hwnd(), kSoftButtons);
    GetSoftButtonLevelName(1, name);
    EXPECT_EQ(std::wstring(name), L"One");
}

}  // namespace
