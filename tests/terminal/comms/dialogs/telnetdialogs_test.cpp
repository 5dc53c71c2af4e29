// The telnet settings dialogs in-process: what their OK writes at once, what the
// telnet name edits, and which controls a 3270 or 5250 session enables. The 3270 and
// 5250 sessions are stood in for by the emulation id.
#include <gtest/gtest.h>

#include <string>

#include "terminal/settings/store/connsettings.h"
#include "terminal/comms/dialogs/telnetdialogs.h"
#include "terminal/comms/telnet/telnetoptions.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/window/dialogs/dialogbase.h"
#include "terminal/core/testwindow.h"
#include "terminal/settings/store/profilevalues.h"
#include "terminal/comms/telnet/recordsession.h"
#include "terminal/settings/modaldriver.h"
#include "terminal/settings/regfixture.h"
#include "terminal/settings/setupfixture.h"
#include "terminal/settings/setup/setupcopy.h"

namespace {

using modal::Click;
using modal::Enabled;
using modal::Next;

const std::wstring kTelnet = L"Profiles\\P\\Telnet";

class TelnetDialogs : public SetupTest {
protected:
    void SetUp() override
    {
        SetupTest::SetUp();
        SetTelnetDefaults(TelnetConfig);
        SetupCopy.terminalType[0] = 0;
        TerminalId = 8;
    }
    void TearDown() override
    {
        Configured3270Model = 0;
        Configured5250Model = 0;
        SetupTest::TearDown();
    }
    INT_PTR Open(int templateId, DLGPROC procedure) { return RunModalDialog(main_.hwnd(), templateId, procedure); }
};

TEST_F(TelnetDialogs, OkWritesTheBreakSettingsAtOnce)
{
    Next([](HWND dialog) {
        EXPECT_EQ(modal::Text(dialog, 1286), L"vt420") << "an empty name shows the default";
        Click(dialog, 2982);
        modal::SetText(dialog, 1281, L"2323");
        Click(dialog, IDOK);
    });
    EXPECT_EQ(Open(kDlgTelnetOptions, TelnetOptionsDialogProc), 1);
    EXPECT_EQ(TelnetConfig.sendBreakCR, 1u);
    EXPECT_EQ(regtest::ReadDword(HKEY_CURRENT_USER, kTelnet, L"TelnetSendBreakCR"), 1u);
    EXPECT_EQ(Connection.telnetPort, 2323u);
    EXPECT_EQ(SetupCopy.terminalType[0], 0) << "the default name is kept as none";
    Connection.telnetPort = 23;
}

TEST_F(TelnetDialogs, TheNameEditsTheWorkingTerminalType)
{
    CopyText(Connection.terminalTypeName, kHostNameUnits, L"live");
    Next([](HWND dialog) {
        modal::SetText(dialog, 1286, L"vt-test");
        Click(dialog, IDOK);
    });
    Open(kDlgTelnetOptions, TelnetOptionsDialogProc);
    EXPECT_EQ(std::wstring(SetupCopy.terminalType), L"vt-test");
    EXPECT_EQ(std::wstring(Connection.terminalTypeName), L"live") << "the page's OK makes it live";
    Next([](HWND dialog) {
        EXPECT_EQ(modal::Text(dialog, 1286), L"vt-test");
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(Open(kDlgTelnetOptions, TelnetOptionsDialogProc), 0);
    Connection.terminalTypeName[0] = 0;
}

TEST_F(TelnetDialogs, SessionKindEnablesThe3270And5250Controls)
{
    struct Case {
        u8 emulation;
        bool regime, tn3270e, tn5250e, options3270, options5250;
    } cases[] = {
        {2, false, false, false, false, false},
        {6, true, true, false, true, false},
        {7, false, false, true, false, true},
    };
    for (const Case& c : cases) {
        EmulationId = c.emulation;
        Next([c](HWND dialog) {
            EXPECT_EQ(Enabled(dialog, 2973), c.regime);
            EXPECT_EQ(Enabled(dialog, 2974), c.tn3270e);
            EXPECT_EQ(Enabled(dialog, 2983), c.tn5250e);
            EXPECT_EQ(Enabled(dialog, 1322), c.options3270);
            EXPECT_EQ(Enabled(dialog, 1323), c.options5250);
            if (c.emulation == kEmuIbm3270) {
                // Suppressing TN3270E leaves nothing for its options to set.
                Click(dialog, 2974);
                EXPECT_FALSE(Enabled(dialog, 1322));
            }
            Click(dialog, IDCANCEL);
        });
        Open(kDlgTelnetOptions, TelnetOptionsDialogProc);
    }
}

TEST_F(TelnetDialogs, Tn3270OptionsWriteTheirValuesAtOnce)
{
    EmulationId = 6;
    Configured3270Model = 12;  // a 3287 printer session
    Next([](HWND dialog) {
        EXPECT_TRUE(Enabled(dialog, 2986));
        EXPECT_TRUE(Enabled(dialog, 2991));
        modal::SetText(dialog, 1288, L"LUNAME1");
        modal::SetText(dialog, 2986, L"DISPLAY1");
        Click(dialog, 2989);  // responses off
        Click(dialog, IDOK);
    });
    Open(kDlgTn3270Options, Tn3270OptionsDialogProc);
    EXPECT_EQ(regtest::ReadText(HKEY_CURRENT_USER, kTelnet, L"TelnetLuid"), L"LUNAME1");
    EXPECT_EQ(regtest::ReadText(HKEY_CURRENT_USER, kTelnet, L"Telnet3270eAssociate"), L"DISPLAY1");
    EXPECT_EQ(regtest::ReadDword(HKEY_CURRENT_USER, kTelnet, L"Telnet3270eResponses"), 0u);
    EXPECT_EQ(TelnetConfig.responses, 0u);

    Configured3270Model = 1;  // a display: no printer controls
    Next([](HWND dialog) {
        EXPECT_TRUE(Enabled(dialog, 1288));
        EXPECT_FALSE(Enabled(dialog, 2986));
        EXPECT_FALSE(Enabled(dialog, 2992));
        Click(dialog, IDCANCEL);
    });
    Open(kDlgTn3270Options, Tn3270OptionsDialogProc);
}

TEST_F(TelnetDialogs, Tn5250OptionsWriteTheEnvironmentVariables)
{
    EmulationId = 7;
    Next([](HWND dialog) {
        modal::SetText(dialog, 3015, L"QUSER");
        modal::SetText(dialog, 3013, L"DEV%u");
        Click(dialog, IDOK);
    });
    Open(kDlgTn5250Options, Tn5250OptionsDialogProc);
    EXPECT_EQ(regtest::ReadText(HKEY_CURRENT_USER, kTelnet + L"\\5250,VAR", L"USER"), L"QUSER");
    EXPECT_EQ(regtest::ReadText(HKEY_CURRENT_USER, kTelnet + L"\\5250,USERVAR", L"DEVNAME"), L"DEV%u");
    Next([](HWND dialog) {
        EXPECT_EQ(modal::Text(dialog, 3015), L"QUSER");
        Click(dialog, IDCANCEL);
    });
    Open(kDlgTn5250Options, Tn5250OptionsDialogProc);
}

TEST_F(TelnetDialogs, Tn5250PrinterChoicesAreStoredAsIndexesAndThreeAreFixed)
{
    EmulationId = 7;
    Next([](HWND dialog) {
        EXPECT_FALSE(Enabled(dialog, 3315));
        EXPECT_EQ(SendDlgItemMessageW(dialog, 3315, CB_GETCURSEL, 0, 0), 2) << "Transform shows Yes";
        EXPECT_EQ(SendDlgItemMessageW(dialog, 3305, CB_GETCURSEL, 0, 0), 0);
        modal::Select(dialog, 3319, 4);  // *LEGL
        modal::SetText(dialog, 3317, L"*HP4");
        Click(dialog, IDOK);
    });
    Open(kDlgTn5250PrinterOptions, Tn5250PrinterOptionsDialogProc);
    const std::wstring vars = kTelnet + L"\\5250PRT,USERVAR";
    EXPECT_EQ(regtest::ReadText(HKEY_CURRENT_USER, vars, L"IBMPPRSRC1"), L"4");
    EXPECT_EQ(regtest::ReadText(HKEY_CURRENT_USER, vars, L"IBMTRANSFORM"), L"2");
    EXPECT_EQ(regtest::ReadText(HKEY_CURRENT_USER, vars, L"IBMFORMFEED"), L"<absent>");
    EXPECT_EQ(regtest::ReadText(HKEY_CURRENT_USER, vars, L"IBMMFRTYPMDL"), L"*HP4");
}

}  // namespace
