// The Open Session and Save Session As pages in-process: the profile chosen, the items
// and the place a profile is saved with, and the user's name in a label of fixed size.
#include <gtest/gtest.h>

#include <string>

#include "terminal/core/base/corestate.h"
#include "terminal/settings/modaldriver.h"
#include "terminal/settings/regfixture.h"
#include "terminal/settings/setupfixture.h"
#include "terminal/core/base/commandids.h"
#include "terminal/core/program/commands.h"
#include "terminal/core/session/instances.h"
#include "terminal/settings/store/profile.h"
#include "terminal/settings/store/profilevalues.h"

#include <commctrl.h>

namespace {

using modal::Click;
using modal::Next;

enum : int { kOpenSession = 1019, kSaveSessionAs = 1020 };

class SessionPages : public SetupTest {
protected:
    void SetUp() override
    {
        SetupTest::SetUp();
        SavedItems = SavedItemFlags{1, 1, 1, 1, 1, 1, 1, 1, 1, 0};
        CopyText(SelectedProfileName, kSlotUnits, L"P");
        GetEnvironmentVariableW(L"USERNAME", user_, 300);
    }
    void TearDown() override
    {
        SetEnvironmentVariableW(L"USERNAME", user_);
        MSG message;
        while (PeekMessageW(&message, main_.hwnd(), 0, 0, PM_REMOVE)) {
        }
        SetupTest::TearDown();
    }
    wchar_t user_[300] = {};
};

TEST_F(SessionPages, SaveAsWritesTheItemsChosenUnderTheNameTyped)
{
    Next([](HWND page) {
        EXPECT_EQ(modal::Text(page, 2390), L"P");
        modal::SetText(page, 2390, L"");
        EXPECT_FALSE(modal::Enabled(page, IDOK));  // no name, no save
        modal::SetText(page, 2390, L"Mine");
        EXPECT_TRUE(modal::Enabled(page, IDOK));
        Click(page, 2423);  // "Attributes" off
        Click(page, IDOK);
    });
    OpenSettingsDialog(main_.hwnd(), kSaveSessionAs);
    EXPECT_EQ(std::wstring(CurrentProfileName()), L"Mine");
    EXPECT_EQ(regtest::ReadDword(HKEY_CURRENT_USER, L"Profiles\\Mine\\SAVEDITEMS", L"saveattrs"), 0u);
    EXPECT_FALSE(regtest::KeyExists(HKEY_LOCAL_MACHINE, L"Profiles\\Mine"));

    // "all users" saves under the machine's root.
    Next([](HWND page) {
        modal::SetText(page, 2390, L"Shared");
        Click(page, 3161);
        Click(page, IDOK);
    });
    OpenSettingsDialog(main_.hwnd(), kSaveSessionAs);
    EXPECT_TRUE(regtest::KeyExists(HKEY_LOCAL_MACHINE, L"Profiles\\Shared\\SAVEDITEMS"));
}

TEST_F(SessionPages, ANoToOverwritingKeepsThePageOpen)
{
    SaveProfileAs(main_.hwnd(), 1);  // "P" exists
    bool stayed = false;
    Next([&](HWND page) {
        Next([](HWND box) { Click(box, IDNO); });
        Click(page, IDOK);
        stayed = IsWindow(page) && IsWindowVisible(page);
        modal::SetText(page, 2390, L"Q");
        Click(page, 2421);
        Click(page, IDCANCEL);
    });
    OpenSettingsDialog(main_.hwnd(), kSaveSessionAs);
    EXPECT_TRUE(stayed);
    EXPECT_EQ(std::wstring(CurrentProfileName()), L"P");
    EXPECT_EQ(SavedItems.savemacros, 1);
    EXPECT_FALSE(regtest::KeyExists(HKEY_CURRENT_USER, L"Profiles\\Q"));
}

TEST_F(SessionPages, TheUsersNameIsCutToTheLabel)
{
    const std::wstring longName(300, L'a');
    const struct {
        std::wstring user;
        std::wstring label;
    } cases[] = {
        {L"tester", L"Session stored for current user (tester) only."},
        {longName, L"Session stored for current user (" + std::wstring(65 - 33, L'a')},
    };
    for (const auto& c : cases) {
        SetEnvironmentVariableW(L"USERNAME", c.user.c_str());
        std::wstring label;
        Next([&](HWND page) {
            label = modal::Text(page, 3162);
            Click(page, IDCANCEL);
        });
        OpenSettingsDialog(main_.hwnd(), kSaveSessionAs);
        EXPECT_EQ(label, c.label);
    }
}

TEST_F(SessionPages, TheRowChosenIsTheProfileLoadedAfterOk)
{
    for (const wchar_t* name : {L"A", L"B"}) {
        SettingsSelectRoot(1);
        SettingsCreateProfile(name);
    }
    Next([](HWND page) {
        HWND list = GetDlgItem(page, 2410);
        const int rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
        int b = -1;
        for (int row = 0; row < rows; ++row) {
            wchar_t text[32] = {};
            LVITEMW cell{};
            cell.iSubItem = 1;
            cell.pszText = text;
            cell.cchTextMax = 32;
            SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&cell));
            if (std::wstring(text) == L"B")
                b = row;
        }
        ASSERT_GE(b, 0);
        LVITEMW item{};
        item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(list, LVM_SETITEMSTATE, b, reinterpret_cast<LPARAM>(&item));
        Click(page, IDOK);
    });
    OpenSettingsDialog(main_.hwnd(), kOpenSession);
    EXPECT_EQ(std::wstring(SelectedProfileName), L"B");
    MSG message{};
    EXPECT_TRUE(PeekMessageW(&message, main_.hwnd(), WM_COMMAND, WM_COMMAND, PM_REMOVE));
    EXPECT_EQ(LOWORD(message.wParam), kCmdReloadProfile);
}

}  // namespace
