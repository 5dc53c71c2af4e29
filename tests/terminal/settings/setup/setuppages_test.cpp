// The Setup pages in-process, driven as a user drives them: what OK carries into the
// live settings, what Cancel leaves alone, and how the controls follow the state.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "terminal/settings/modaldriver.h"
#include "terminal/settings/regfixture.h"
#include "terminal/settings/setup/connectionpage.h"
#include "terminal/settings/setupfixture.h"
#include "terminal/settings/store/connsettings.h"
#include "terminal/comms/telnet/network.h"
#include "terminal/comms/telnet/telnetoptions.h"
#include "terminal/core/program/commands.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/settings/setup/checklist.h"
#include "terminal/settings/store/profilevalues.h"
#include "terminal/settings/setup/setupcopy.h"
#include "terminal/settings/setup/setupdialog.h"
#include "terminal/settings/setup/setuplaunch.h"
#include "terminal/core/testwindow.h"

namespace {

using modal::Click;
using modal::Enabled;
using modal::Next;
using modal::Select;
using modal::Shown;

using Text = std::wstring;

enum : int { kEmulationCommand = 1012, kSerialCommand = 1013, kTerminalCommand = 1014, kConnectionCommand = 1015 };

class SetupPages : public SetupTest {
protected:
    void SetUp() override
    {
        SetupTest::SetUp();
        SetFactoryVt300();
        SetFactoryConnection();
        SocketIndex = kNoSocket;
    }
    void TearDown() override
    {
        SocketIndex = kNoSocket;
        SetupTest::TearDown();
    }
};

TEST_F(SetupPages, AnUntouchedOkKeepsStoredAnswerbacksByteForByte)
{
    const Text stored[] = {Text(29, L'\x1D'), L"x^My_123\\"};
    for (const Text& answerback : stored) {
        CopyText(Vt300Values.ans_back, 33, answerback.c_str());
        const Vt300Section before = Vt300Values;
        Text shown;
        Next([&](HWND page) {
            shown = modal::Text(page, 1381);
            Click(page, IDOK);
        });
        OpenSettingsDialog(main_.hwnd(), kEmulationCommand);
        EXPECT_FALSE(shown.empty());
        EXPECT_EQ(Text(Vt300Values.ans_back), answerback);
        EXPECT_EQ(std::memcmp(&before, &Vt300Values, sizeof before), 0);
    }
}

TEST_F(SetupPages, ATypedAnswerbackIsWhatEnqGets)
{
    Next([](HWND page) {
        modal::SetText(page, 1381, L"ab^M");
        Click(page, IDOK);
    });
    OpenSettingsDialog(main_.hwnd(), kEmulationCommand);
    EXPECT_EQ(Text(Vt300Values.ans_back), L"ab\r");
    EXPECT_EQ(Text(AnswerbackText), L"ab\r");
}

TEST_F(SetupPages, TheEmulationCannotChangeOnALiveLine)
{
    for (SocketHandle socket : {kNoSocket, SocketHandle{5}}) {
        SocketIndex = socket;
        bool enabled = false;
        Next([&](HWND page) {
            enabled = Enabled(page, 1329) && Enabled(page, 1330);
            Click(page, IDCANCEL);
        });
        OpenSettingsDialog(main_.hwnd(), kEmulationCommand);
        EXPECT_EQ(enabled, socket == kNoSocket);
    }
}

TEST_F(SetupPages, ConcealingTheAnswerbackLocksItAndRevealingEmptiesIt)
{
    CopyText(Vt300Values.ans_back, 33, L"secret");
    Next([](HWND page) {
        Click(page, 1382);
        EXPECT_EQ(SendDlgItemMessageW(page, 1381, EM_GETPASSWORDCHAR, 0, 0), L'*');
        EXPECT_FALSE(Enabled(page, 1381));
        Click(page, 1382);
        EXPECT_EQ(SendDlgItemMessageW(page, 1381, EM_GETPASSWORDCHAR, 0, 0), 0);
        EXPECT_TRUE(Enabled(page, 1381));
        EXPECT_EQ(modal::Text(page, 1381), L"");
        Click(page, IDCANCEL);
    });
    OpenSettingsDialog(main_.hwnd(), kEmulationCommand);
    EXPECT_EQ(Text(Vt300Values.ans_back), L"secret");
}

TEST_F(SetupPages, TheEmulationChoiceDecidesWhatCanBeEdited)
{
    Next([](HWND page) {
        const struct {
            int emulation;
            bool answerback, terminalId, tertiary;
            int limit;
        } cases[] = {
            {2, true, true, true, 6 * 32},     // VT500 with the vt420 id
            {7, false, false, false, 6 * 32},  // IBM 5250
            {8, false, false, false, 6 * 32},  // WY50 keeps none
            {9, true, false, false, 6 * 20},   // WY50+: a Wyse answerback has 20 characters
            {15, true, false, false, 6 * 20},  // WY60
            {19, true, false, false, 6 * 32},  // TVI955
        };
        for (const auto& c : cases) {
            // Items are in emulation id order: the position is the id.
            Select(page, 1329, c.emulation);
            EXPECT_EQ(SetupCopy.emulation, c.emulation);
            EXPECT_EQ(Enabled(page, 1381), c.answerback) << c.emulation;
            EXPECT_EQ(Enabled(page, 1299), c.terminalId) << c.emulation;
            EXPECT_EQ(Enabled(page, 1378), c.tertiary) << c.emulation;
            EXPECT_EQ(SendDlgItemMessageW(page, 1381, EM_GETLIMITTEXT, 0, 0), c.limit) << c.emulation;
        }
        Click(page, IDCANCEL);
    });
    OpenSettingsDialog(main_.hwnd(), kEmulationCommand);
    EXPECT_EQ(EmulationId.load(), 2);
}

// The Terminal Settings page's check list, clicked where a user clicks.
class CheckListClicks : public SetupPages {
protected:
    static POINT BoxOf(HWND list, int row)
    {
        RECT r{};
        SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
        return {r.left + 4, r.top + 3};
    }
    static void Press(HWND list, POINT at)
    {
        SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        SendMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    }
};

TEST_F(CheckListClicks, OnlyAClickInARowsBoxFlipsIt)
{
    Vt300Values.autowrap = 0;
    Vt300Values.autonl = 0;
    Next([](HWND page) {
        HWND list = GetDlgItem(page, 1639);
        // Auto Wrap's text: selects the row, leaves its box.
        POINT text = BoxOf(list, kRowAutoWrap);
        text.x += 60;
        Press(list, text);
        // Below the last row.
        RECT client{};
        GetClientRect(list, &client);
        const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
        RECT last{};
        SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(count - 1), reinterpret_cast<LPARAM>(&last));
        if (last.bottom + 4 < client.bottom)
            Press(list, {last.left + 4, last.bottom + 3});
        // Arrow keys move the selection; the flags stay.
        SendMessageW(list, WM_KEYDOWN, VK_DOWN, 0);
        SendMessageW(page, WM_COMMAND, MAKEWPARAM(1639, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
        SendMessageW(list, WM_KEYDOWN, VK_UP, 0);
        EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), kRowAutoWrap);
        Click(page, IDOK);
    });
    OpenSettingsDialog(main_.hwnd(), kTerminalCommand);
    EXPECT_EQ(Vt300Values.autowrap, 0);
    EXPECT_EQ(Vt300Values.autonl, 0);

    Next([](HWND page) {
        HWND list = GetDlgItem(page, 1639);
        Press(list, BoxOf(list, kRowAutoWrap));
        SendMessageW(list, LB_SETCURSEL, kRowAutoNewLine, 0);
        SendMessageW(list, WM_KEYDOWN, VK_SPACE, 0);
        Click(page, IDOK);
    });
    OpenSettingsDialog(main_.hwnd(), kTerminalCommand);
    EXPECT_EQ(Vt300Values.autowrap, 1);
    EXPECT_EQ(Vt300Values.autonl, 1);
}

TEST(CheckListHit, BoxesAreFoundByRowAndColumn)
{
    // clang-format off
    const struct {
        POINT at;
        int top, count, row;
    } cases[] = {
        {{4, 3}, 0, 18, 0},      {{4, 16 * 5 + 3}, 0, 18, 5}, {{4, 16 * 5 + 3}, 2, 18, 7},
        {{40, 3}, 0, 18, -1},    {{1, 3}, 0, 18, -1},         {{4, 0}, 0, 18, -1},
        {{4, 16 * 18 + 3}, 0, 18, -1}, {{4, 16 * 3 + 3}, 16, 18, -1}, {{4, -5}, 0, 18, -1},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(CheckListBoxAt(c.at, 16, c.top, c.count, 13), c.row)
            << c.at.x << "," << c.at.y << " top " << c.top;
}

TEST_F(SetupPages, CancelAfterChangingEveryControlChangesNothing)
{
    Vt300Values.autowrap = 0;
    CopyText(Connection.netname, kHostNameUnits, L"host1");
    Connection.netproto = 0;
    const Vt300Section vt = Vt300Values;
    const ConnectionSection line = ConnectionValues;
    const ConnectionSettings connection = Connection;
    const u8 emulation = EmulationId;

    Next([](HWND page) {
        Select(page, 1329, 18);
        modal::SetText(page, 1381, L"changed");
        Click(page, 1412);
        Click(page, 1382);
        Click(page, IDCANCEL);
    });
    OpenSettingsDialog(main_.hwnd(), kEmulationCommand);
    Next([](HWND page) {
        for (int combo : {1421, 1441, 1451, 1461, 1471, 1502})
            Select(page, combo, 1);
        Click(page, 1490);
        Click(page, 1491);
        Click(page, IDCANCEL);
    });
    OpenSettingsDialog(main_.hwnd(), kSerialCommand);
    Next([](HWND page) {
        HWND list = GetDlgItem(page, 1639);
        for (int row = 0; row < kTerminalModeRows; ++row) {
            SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
            SendMessageW(list, WM_KEYDOWN, VK_SPACE, 0);
        }
        for (int combo : {1516, 1561, 1601, 1571, 1593})
            Select(page, combo, 1);
        modal::SetText(page, 1522, L"36");
        modal::SetText(page, 1542, L"200");
        Click(page, 1517);
        Click(page, 1632);
        Click(page, IDCANCEL);
    });
    OpenSettingsDialog(main_.hwnd(), kTerminalCommand);
    Next([](HWND page) {
        Select(page, 1210, 2);
        Select(page, 1210, 1);
        Select(page, 1210, 0);
        modal::SetText(page, 1260, L"elsewhere");
        Click(page, IDCANCEL);
    });
    OpenSettingsDialog(main_.hwnd(), kConnectionCommand);

    EXPECT_EQ(std::memcmp(&vt, &Vt300Values, sizeof vt), 0);
    EXPECT_EQ(std::memcmp(&line, &ConnectionValues, sizeof line), 0);
    EXPECT_EQ(std::memcmp(&connection, &Connection, sizeof connection), 0);
    EXPECT_EQ(EmulationId.load(), emulation);
}

TEST_F(SetupPages, TheTerminalPageShowsTheSetsAndModesOfTheEmulationsFamily)
{
    const struct {
        u8 emulation;
        bool sets;
        int setCount;
        const wchar_t* firstSet;
        bool ignoreNulls, backspaceDel;
    } cases[] = {
        {kEmuVt500Bit7, true, 11, L"DEC-MCS", true, true},   {kEmuTa6530, true, 9, L"ISO Latin-1", false, false},
        {kEmuHp70092, true, 1, L"HP Roman 8", false, false}, {kEmuDg410, false, 11, L"DEC-MCS", true, false},
        {kEmuTvi955, false, 11, L"DEC-MCS", true, false},
    };
    for (const auto& c : cases) {
        EmulationId = c.emulation;
        Next([&](HWND page) {
            HWND sets = GetDlgItem(page, 1571);
            EXPECT_EQ(Enabled(page, 1571), c.sets) << int(c.emulation);
            EXPECT_EQ(SendMessageW(sets, CB_GETCOUNT, 0, 0), c.setCount) << int(c.emulation);
            wchar_t first[64] = L"";
            SendMessageW(sets, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(first));
            EXPECT_EQ(Text(first), c.firstSet) << int(c.emulation);
            const CheckList& rows = SetupSessionOf(page)->checkList;
            EXPECT_EQ(!rows.items[kRowIgnoreNulls].disabled, c.ignoreNulls) << int(c.emulation);
            EXPECT_EQ(!rows.items[kRowBackspaceDel].disabled, c.backspaceDel) << int(c.emulation);
            Click(page, IDCANCEL);
        });
        OpenSettingsDialog(main_.hwnd(), kTerminalCommand);
    }
}

TEST_F(SetupPages, NewConnectionShowsTheFieldsOfItsTransport)
{
    Connection.netproto = 0;
    Next([](HWND page) {
        EXPECT_TRUE(Shown(page, 1260));
        EXPECT_FALSE(Shown(page, 1262));
        EXPECT_TRUE(Enabled(page, kTelnetOptionsCommand));
        Select(page, 1210, 1);  // Serial: the port list instead of the host field
        EXPECT_FALSE(Shown(page, 1260));
        EXPECT_TRUE(Shown(page, 1262));
        EXPECT_FALSE(Enabled(page, kTelnetOptionsCommand));
        Select(page, 1210, 2);  // None: no field at all
        for (int id : {1250, 1251, 1260, 1262, 1271, 1272, 1273})
            EXPECT_FALSE(Shown(page, id)) << id;
        EXPECT_FALSE(Enabled(page, 1130));
        Click(page, IDCANCEL);
    });
    OpenSettingsDialog(main_.hwnd(), kConnectionCommand);
}

TEST_F(SetupPages, TheNestedSerialPageEditsOnlyTheConnectionsCopy)
{
    Connection.netproto = 1;
    ConnectionValues.comspeed = 6;
    Next([](HWND page) {
        Next([](HWND serial) {
            EXPECT_EQ(modal::Caption(serial), L"Serial Settings");
            Select(serial, 1421, 7);
            Click(serial, IDOK);
        });
        // Without a listed port the button is greyed; its command opens the page on the copy.
        SendMessageW(page, WM_COMMAND, MAKEWPARAM(1130, BN_CLICKED), 0);
        EXPECT_EQ(SetupCopy.line[kLineConnection].speed, 7);
        Click(page, IDCANCEL);
    });
    OpenSettingsDialog(main_.hwnd(), kConnectionCommand);
    EXPECT_EQ(ConnectionValues.comspeed, 6);
}

TEST_F(SetupPages, ThePrinterPortsSerialPageShowsOnlyTheLine)
{
    LineIndices line{6, 0, 0, 2, 1};
    Next([](HWND serial) {
        EXPECT_EQ(modal::Caption(serial), L"Printer Serial Settings");
        for (int id : {1490, 1491, 1501, 1502})
            EXPECT_FALSE(Shown(serial, id)) << id;
        Select(serial, 1421, 7);
        Select(serial, 1441, 2);
        Click(serial, IDOK);
    });
    EXPECT_TRUE(OpenPrinterPortSetup(main_.hwnd(), line));
    EXPECT_EQ(line.speed, 7);
    EXPECT_EQ(line.parity, 2);
    EXPECT_EQ(ConnectionValues.comspeed, 6);  // the connection's own line is untouched
}

TEST_F(SetupPages, ASlotWithoutAPageOpensNothing)
{
    SetupDialogOutcome outcome{};
    EXPECT_EQ(RunSetupPage(main_.hwnd(), 13, false, kSerialOwnerConnection, &outcome), 0);
    EXPECT_EQ(RunSetupPage(main_.hwnd(), 26, false, kSerialOwnerConnection, &outcome), 0);
    EXPECT_FALSE(outcome.settingsChanged);
}

}  // namespace
