// The keyboard-macro page's operations on real controls: the key-name combo box, names
// inserted into the macro, and the list of macros with its replace question.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "terminal/core/base/emulationids.h"
#include "terminal/core/window/frame_support.h"
#include "terminal/input/macros/keydefs.h"
#include "terminal/input/dialogs/macroeditor.h"

namespace {

using frame_test::MessageBoxAnswerer;

class MacroPage : public ::testing::Test {
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX classes{sizeof classes, ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&classes);
        frame_test::UseEnglishModule();
        page_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 600, 400, nullptr, nullptr, nullptr, nullptr);
        Child(L"EDIT", kMacroKeyNameField, ES_AUTOHSCROLL);
        Child(L"BUTTON", kMacroLocalCheck, BS_AUTOCHECKBOX);
        Child(L"EDIT", kMacroTextField, ES_AUTOHSCROLL);
        Child(L"COMBOBOX", kMacroKeyNameCombo, CBS_DROPDOWNLIST | WS_VSCROLL);
        Child(WC_LISTVIEWW, kMacroList, LVS_REPORT);
        Child(L"STATIC", kMacroInfoLine, 0);
        Child(L"STATIC", kMacroInfoLine2, 0);
        DeleteAllKeyDefinitions();
    }
    void TearDown() override
    {
        DestroyWindow(page_);
        DeleteAllKeyDefinitions();
    }
    void Child(const wchar_t* cls, int id, DWORD style)
    {
        ASSERT_NE(CreateWindowExW(0, cls, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 200, 200, page_,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr),
                  nullptr);
    }
    std::wstring Text(int id)
    {
        wchar_t text[512] = L"";
        GetDlgItemTextW(page_, id, text, 512);
        return text;
    }
    HWND Item(int id) { return GetDlgItem(page_, id); }
    int Rows() { return static_cast<int>(SendMessageW(Item(kMacroList), LVM_GETITEMCOUNT, 0, 0)); }
    std::wstring Cell(int row, int column)
    {
        wchar_t text[512] = L"";
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = 512;
        SendMessageW(Item(kMacroList), LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
        return text;
    }
    void Select(int row)
    {
        LVITEMW item{};
        item.stateMask = LVIS_SELECTED;
        item.state = LVIS_SELECTED;
        SendMessageW(Item(kMacroList), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    }
    bool Add(const wchar_t* key, const wchar_t* text, bool local = false)
    {
        SetDlgItemTextW(page_, kMacroKeyNameField, key);
        SetDlgItemTextW(page_, kMacroTextField, text);
        CheckDlgButton(page_, kMacroLocalCheck, local ? BST_CHECKED : BST_UNCHECKED);
        return AddMacroFromFields(page_);
    }
    HWND page_ = nullptr;
};

TEST_F(MacroPage, TheComboOffersPcKeysAndTheEmulationsGroup)
{
    HWND combo = Item(kMacroKeyNameCombo);
    auto has = [&](const wchar_t* name) {
        return SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name)) !=
               CB_ERR;
    };
    FillKeyNameCombo(page_, 0, true, 0, 2, true);
    EXPECT_TRUE(has(L"VK_CONTROL"));
    EXPECT_TRUE(has(L"VK_F1"));
    EXPECT_TRUE(has(L"VT_F6"));
    EXPECT_TRUE(has(L"VT_PANRIGHT"));
    for (const wchar_t* absent : {L"VK_SHIFT", L"VK_MENU", L"VK_ALT", L"VK_OEM_102", L"VK_CAPITAL", L"AS_F1"})
        EXPECT_FALSE(has(absent)) << absent;
    FillKeyNameCombo(page_, 0, true, 0, 7, true);
    EXPECT_TRUE(has(L"AS_DELAY"));
    EXPECT_FALSE(has(L"VT_F6"));

    // A choice is remembered and shown with the PC key it stands for.
    const LRESULT f17 = SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                     reinterpret_cast<LPARAM>(L"AS_F13"));
    SendMessageW(combo, CB_SETCURSEL, f17, 0);
    FillKeyNameCombo(page_, kMacroKeyNameCombo, false, CBN_SELCHANGE, 7, true);
    EXPECT_EQ(Text(kMacroInfoLine), L"<S+VK_F1>");
    FillKeyNameCombo(page_, 0, true, 0, 7, false);
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), f17);
    EXPECT_FALSE(IsWindowVisible(Item(kMacroInfoLine)));

    SetDlgItemTextW(page_, kMacroTextField, L"ab");
    SendMessageW(Item(kMacroTextField), EM_SETSEL, 1, 1);
    InsertKeyNameInMacro(page_);
    EXPECT_EQ(Text(kMacroTextField), L"a<AS_F13>b");
}

TEST_F(MacroPage, EachEmulationOffersItsOwnFamilysKeys)
{
    HWND combo = Item(kMacroKeyNameCombo);
    auto has = [&](const wchar_t* name) {
        return SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name)) !=
               CB_ERR;
    };
    const struct {
        u8 emulation;
        const wchar_t *first, *last;
    } cases[] = {
        {kEmuDg410, L"DG_F1", L"DG_CMDPRINT"},
        {kEmuTa6530, L"TA_F1", L"TA_SEND"},
        {kEmuIbm3270, L"IB_F1", L"IB_INSERTTOGGLE"},
        {kEmuIbm5250, L"AS_F1", L"AS_DELAY"},
        {kEmuHp70092, L"HP_F1", L"HP_SETTAB"},
        {kEmuTvi955, L"TV_F1", L"TV_LINEFEED"},
        {kEmuWy60, L"WY_F1", L"WY_F1"},
    };
    for (const auto& c : cases) {
        FillKeyNameCombo(page_, 0, true, 0, c.emulation, true);
        EXPECT_TRUE(has(c.first)) << int(c.emulation);
        EXPECT_TRUE(has(c.last)) << int(c.emulation);
        EXPECT_TRUE(has(L"VK_F1")) << int(c.emulation);
        EXPECT_FALSE(has(L"VT_F6")) << int(c.emulation);
    }
}

TEST_F(MacroPage, TheListShowsTheMacrosAndRowsAreAddedEditedAndReplaced)
{
    ASSERT_TRUE(AddKeyDefinition(0x70, 2, kKeyMacro, 3, 4, L"ls\r\n", nullptr));
    ASSERT_TRUE(AddKeyDefinition(0x41, 0, kKeyMacro, 4, 5, L"<F6>x", nullptr));
    ASSERT_TRUE(AddKeyDefinition(0x05, 0, kMouseMacro, 0, 1, L"m", nullptr));
    FillMacroList(page_, kMacroList, true);
    ASSERT_EQ(Rows(), 2);
    EXPECT_EQ(Cell(0, 0), L"C+S+VK_F1");
    EXPECT_EQ(Cell(0, 1), L"L");
    EXPECT_EQ(Cell(0, 2), L"ls^M^J");
    EXPECT_EQ(Cell(1, 0), L"A+VK_A");
    EXPECT_EQ(Cell(1, 1), L" ");

    EXPECT_FALSE(Add(L"<VK_F2>", L""));
    EXPECT_FALSE(Add(L"", L"text"));
    EXPECT_FALSE(Add(L"<NOSUCH>", L"text"));
    ASSERT_TRUE(Add(L"<VK_F2>", L"pwd^M", true));
    EXPECT_EQ(Rows(), 3);
    EXPECT_EQ(Text(kMacroKeyNameField), L"");
    EXPECT_EQ(Text(kMacroTextField), L"");

    {
        MessageBoxAnswerer no(IDNO);
        EXPECT_FALSE(Add(L"<C+S+VK_F1>", L"new"));
        ASSERT_EQ(no.Texts().size(), 1u);
        EXPECT_EQ(no.Texts()[0],
                  L"Macro already defined for sequence:\n<C+S+VK_F1>\nas <ls^M^J>\nDo you want to replace it?");
    }
    EXPECT_EQ(Cell(0, 2), L"ls^M^J");
    {
        MessageBoxAnswerer yes(IDYES);
        EXPECT_TRUE(Add(L"<C+S+VK_F1>", L"new"));
    }
    ASSERT_EQ(Rows(), 3);
    EXPECT_EQ(Cell(2, 0), L"C+S+VK_F1");
    EXPECT_EQ(Cell(2, 2), L"new");

    // One selected row goes back into the fields; all selected rows leave.
    Select(1);
    EditSelectedMacros(page_);
    EXPECT_EQ(Text(kMacroKeyNameField), L"<VK_F2>");
    EXPECT_EQ(Text(kMacroTextField), L"pwd^M");
    EXPECT_EQ(IsDlgButtonChecked(page_, kMacroLocalCheck), BST_CHECKED);
    ASSERT_EQ(Rows(), 2);
    Select(0);
    Select(1);
    SetDlgItemTextW(page_, kMacroKeyNameField, L"");
    EditSelectedMacros(page_);
    EXPECT_EQ(Rows(), 0);
    EXPECT_EQ(Text(kMacroKeyNameField), L"") << "two rows selected fill no fields";
    Add(L"<VK_F3>", L"x");
    ClearMacroList(page_);
    EXPECT_EQ(Rows(), 0);
}

}  // namespace
