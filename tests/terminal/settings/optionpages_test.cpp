// The Local Editing, Block Transmission and Mouse Button Actions pages in-process: what
// OK carries into the settings, what Cancel leaves, and how the controls follow.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "modaldriver.h"
#include "regfixture.h"
#include "setupfixture.h"
#include "terminal/core/frame/commands.h"
#include "terminal/core/frame/instances.h"
#include "terminal/core/frame/mouse.h"
#include "terminal/input/keydefs.h"
#include "terminal/settings/profilevalues.h"

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
        Click(page, 1641);  // "&Interactive"
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
