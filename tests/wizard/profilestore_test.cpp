// What the wizard's writers store and delete, what its reader takes back, the copy for a
// rename and the deletion, on the in-memory registry.
#include <gtest/gtest.h>

#include "terminal/settings/store/profilevalues.h"
#include "wizard/engine/keypaths.h"
#include "wizard/engine/profilestore.h"
#include "wizard/engine/registration.h"
#include "wizard/memoryregistry.h"

namespace {

constexpr RegRoot M = RegRoot::Machine, U = RegRoot::User;
const char* kA = "SOFTWARE\\Quorlan\\vexaNT\\Profiles\\A";

struct WizardProfiles : ::testing::Test {
    MemoryRegistry reg;
    WizardSettings s;

    void New(const char* name)
    {
        s.mode = WizardMode::New;
        WizardSetDefaults(s, 0);
        s.name = W(name);
    }
    // The edit flow: defaults, machine pass, user pass.
    void Edit(const char* name, bool user = false)
    {
        s = WizardSettings{};
        s.mode = WizardMode::Edit;
        s.name = W(name);
        s.userScope = user;
        WizardSetDefaults(s, 0);
        WizardReadProfile(reg, s, true);
        WizardReadProfile(reg, s, false);
    }
    std::string Section(RegRoot root, const char* section, const char* name = "A")
    {
        return reg.Values(root, std::string("SOFTWARE\\Quorlan\\vexaNT\\Profiles\\") + name + "\\" + section);
    }
    std::string Startup(RegRoot root, const char* name = "A")
    {
        return reg.Values(root, std::string("SOFTWARE\\Quorlan\\vexaNT\\Startup,") + name);
    }
};

TEST_F(WizardProfiles, NewDefaultConnectionStoresOnlyTheTransport)
{
    New("A");
    WizardWriteProfile(reg, s, 0xA4CBC);
    EXPECT_EQ(
        reg.Export(M),
        "[Software]\n[Software\\Quorlan]\n[SOFTWARE\\Quorlan\\vexaNT]\n[SOFTWARE\\Quorlan\\vexaNT\\Profiles]\n"
        "[SOFTWARE\\Quorlan\\vexaNT\\Profiles\\A]\n[SOFTWARE\\Quorlan\\vexaNT\\Profiles\\A\\CONNECTION]\n"
        "netproto=d:0\n[SOFTWARE\\Quorlan\\vexaNT\\Startup,A]\niNumEntries=d:0\n"
        "[Software\\Quorlan\\vxntconwiz]\nBuild=d:675004\n");
    EXPECT_EQ(reg.Export(U), "");
}

TEST_F(WizardProfiles, TransportRules)
{
    New("A");
    s.Number(kValueNetproto) = 1;
    s.Number(kValueComdevice) = 0;
    s.Text(kValueNetname) = W("ignored for serial");
    s.Number(kValueHostrollover) = 1;
    WizardWriteProfile(reg, s, 0);
    EXPECT_EQ(Section(M, "CONNECTION"), "comdevice=d:0\nnetproto=d:1");

    New("B");
    s.Text(kValueNetname) = W("h");
    s.Text(kValueNetname1) = W("");
    s.Text(kValueNetname2) = W("b");
    s.Text(kValueNetname4) = W("d");
    s.Number(kValueTelnetBinary) = 0;  // 0 is not the default (-1): written
    reg.SetString(M, W("SOFTWARE\\Quorlan\\vexaNT\\Profiles\\B\\CONNECTION"), W("netname3"), W("old"));
    s.mode = WizardMode::Edit;
    WizardWriteProfile(reg, s, 0);
    EXPECT_EQ(Section(M, "CONNECTION", "B"), "netname=s:h\nnetname1=s:b\nnetname2=s:d\nnetname3=s:\nnetproto=d:0");
    EXPECT_EQ(Section(M, "Telnet", "B"), "TelnetBinary=d:0");
}

TEST_F(WizardProfiles, DirectToPortIsStoredWithItsPort)
{
    New("A");
    s.Number(kValueDirectToPort) = 1;
    s.Text(kValuePrintPort) = W("LPT2:");
    s.Text(kValueLprPrint) = W("lprhost");  // LPR off: left alone
    WizardWriteProfile(reg, s, 0);
    EXPECT_EQ(Section(M, "PRINTING"), "DirectToPort=d:1\nPort=s:LPT2:");
    s.Number(kValueViaLpr) = 1;
    WizardWriteProfile(reg, s, 0);
    EXPECT_EQ(Section(M, "PRINTING"), "DirectToPort=d:1\nLPRPrint=s:lprhost\nPort=s:LPT2:\nViaLPR=d:1");
}

TEST_F(WizardProfiles, EditingBackToTheDefaultDeletesTheStoredValue)
{
    New("A");
    s.Number(kValueVdumode) = 1;
    s.Number(kValueTelnetPort) = 2323;
    s.Text(kValueNetname) = W("h");
    WizardWriteProfile(reg, s, 0);
    reg.SetDword(M, W(std::string(kA) + "\\Macros\\key"), W("k"), 1);

    Edit("A");
    EXPECT_EQ(s.Number(kValueVdumode), 1u);
    EXPECT_EQ(s.caption, kCaptionEdit);
    EXPECT_EQ(Narrow(s.startName), "A");
    s.Number(kValueTelnetPort) = 23;
    WizardWriteProfile(reg, s, 0);
    EXPECT_EQ(Section(M, "CONNECTION"), "netname=s:h\nnetproto=d:0");
    EXPECT_EQ(Section(M, "VT300"), "vdumode=d:1");
    EXPECT_EQ(Section(M, "Macros\\key"), "k=d:1");  // an edit never clears the profile
}

TEST_F(WizardProfiles, AUserEditWritesOnlyOverridesUnderTheUser)
{
    New("A");
    s.Number(kValueTelnetPort) = 2323;
    s.Text(kValueNetname) = W("h");
    WizardWriteProfile(reg, s, 0);
    reg.SetDword(U, W(std::string(kA) + "\\CONNECTION"), W("iTelnetPortNum"), 99);
    const std::string machine = reg.Export(M);

    Edit("A", true);
    EXPECT_EQ(s.Number(kValueTelnetPort), 99u);  // the user's value wins
    s.Number(kValueTelnetPort) = 2323;           // back to the machine's
    s.Number(kValueTermid) = 5;
    WizardWriteProfile(reg, s, 0);
    EXPECT_EQ(reg.Export(M), machine);
    EXPECT_EQ(Section(U, "CONNECTION"), "");
    EXPECT_EQ(Section(U, "VT300"), "termid=d:5");
    EXPECT_FALSE(reg.KeyExists(U, StartupKeyPath(W("A"))));  // the machine's script shows through

    // An untouched edit leaves no override at all; a changed script is one.
    Edit("A", true);
    s.Number(kValueTermid) = 8;
    WizardWriteProfile(reg, s, 0);
    EXPECT_EQ(Section(U, "VT300"), "");
    s.script.steps = {{W("login:"), W("me<CR>"), 0}};
    WizardWriteProfile(reg, s, 0);
    EXPECT_EQ(Startup(U), "iNumEntries=d:1\nResponse0=s:me<CR>\nWaitFor0=s:login:");
    EXPECT_EQ(reg.Export(M), machine);
}

TEST_F(WizardProfiles, LoginScriptLeavesTheStartupOptionsOfTheSet)
{
    const WText startup = StartupKeyPath(W("Default"));
    reg.SetString(M, startup, W("Session"), W("keep"));
    reg.SetDword(M, startup, W("Dialog"), 0);
    reg.SetString(M, startup, W("WaitFor7"), W("stale"));
    New("Default");
    s.script.initiate = W("go");
    s.script.steps = {{W("login:"), W("guest<CR>"), 0}, {W("<KU>"), W("x"), kLoginStepCondition}};
    WizardWriteProfile(reg, s, 0);
    EXPECT_EQ(Startup(M, "Default"),
              "Dialog=d:0\nInitiate=s:go\niNumEntries=d:2\nResponse0=s:guest<CR>\nResponse1=s:x\nSession=s:keep\n"
              "WaitCond1=s:<KU>\nWaitFor0=s:login:");

    Edit("Default");
    ASSERT_EQ(s.script.steps.size(), 2u);
    EXPECT_EQ(s.script.steps[1].kind, kLoginStepCondition);
    EXPECT_EQ(Narrow(s.script.steps[0].response), "guest<CR>");

    DeleteProfile(reg, M, W("Default"), true);
    EXPECT_EQ(Startup(M, "Default"), "Dialog=d:0\nSession=s:keep");
    EXPECT_FALSE(reg.KeyExists(M, ProfileKeyPath(W("Default"))));
    // Without other values the key goes with the script.
    New("B");
    WizardWriteProfile(reg, s, 0);
    DeleteProfile(reg, M, W("B"), true);
    EXPECT_FALSE(reg.KeyExists(M, StartupKeyPath(W("B"))));
}

TEST_F(WizardProfiles, AUserStartupSetIsNoScript)
{
    reg.SetDword(M, StartupKeyPath(W("A")), W("iNumEntries"), 1);
    reg.SetString(M, StartupKeyPath(W("A")), W("WaitFor0"), W("login:"));
    reg.SetString(U, StartupKeyPath(W("A")), W("Session"), W("x"));
    Edit("A");
    EXPECT_EQ(s.script.steps.size(), 1u);
}

TEST_F(WizardProfiles, DamagedScriptCountIsBounded)
{
    reg.SetDword(M, StartupKeyPath(W("A")), W("iNumEntries"), 0xFFFFFFFF);
    Edit("A");
    EXPECT_EQ(s.script.steps.size(), kMaxLoginSteps);
}

TEST_F(WizardProfiles, DeletionRefusesAnEmptyNameAndKeepsMacrosWhenAsked)
{
    New("A");
    WizardWriteProfile(reg, s, 0);
    New("B");
    WizardWriteProfile(reg, s, 0);
    reg.SetDword(M, W(std::string(kA) + "\\MACROS\\key"), W("k"), 1);
    const std::string before = reg.Export(M);
    EXPECT_FALSE(DeleteProfile(reg, M, W(""), true));
    EXPECT_FALSE(DeleteProfileKeys(reg, M, W(""), true));
    EXPECT_FALSE(UnregisterConnection(reg, W("")));
    EXPECT_EQ(reg.Export(M), before);

    EXPECT_TRUE(DeleteProfile(reg, M, W("a"), false));
    EXPECT_EQ(Section(M, "MACROS\\key"), "k=d:1");
    EXPECT_EQ(Section(M, "CONNECTION"), "");
    EXPECT_EQ(Section(M, "CONNECTION", "B"), "netproto=d:0");
}

TEST_F(WizardProfiles, RenameCopiesTheWholeTree)
{
    const std::string big(1024, 'z');  // 2 KB of UTF-16
    const std::string longName(100, 'n');
    reg.SetString(M, W(std::string(kA) + "\\CONNECTION"), W(longName), W(big));
    reg.SetDword(M, W(std::string(kA) + "\\MACROS\\key"), W("k"), 7);
    reg.SetDword(M, ProfileKeyPath(W("B")), W("stale"), 1);
    ASSERT_TRUE(CopyProfile(reg, M, W("B"), W("A")));
    EXPECT_EQ(Section(M, "CONNECTION", "B"), longName + "=s:" + big);
    EXPECT_EQ(Section(M, "MACROS\\key", "B"), "k=d:7");
    EXPECT_EQ(reg.Values(M, "SOFTWARE\\Quorlan\\vexaNT\\Profiles\\B"), "");  // replaced, not mixed
    EXPECT_FALSE(CopyProfile(reg, M, W("C"), W("missing")));
}

TEST_F(WizardProfiles, Tn5250Variables)
{
    New("A");
    s.Number(kValueVdumode) = kEmulationIbm5250;
    s.displayVariables[0] = W("QUSER");
    s.displayVariables[5] = W("DSP01");
    WizardWriteProfile(reg, s, 0);
    EXPECT_EQ(Section(M, "Telnet\\5250,VAR"), "USER=s:QUSER");
    EXPECT_EQ(Section(M, "Telnet\\5250,USERVAR"), "DEVNAME=s:DSP01");

    New("P");
    s.Number(kValueVdumode) = kEmulationIbm5250;
    s.deviceType = kPrinterDeviceType;
    s.printerTexts[0] = W("PRT01");
    s.printerNumbers[8] = 13;  // IBMPPRSRC1, below 14
    s.printerNumbers[10] = 9;  // IBMENVELOPE, not below 9
    WizardWriteProfile(reg, s, 0);
    const std::string stored = Section(M, "Telnet\\5250PRT,USERVAR", "P");
    EXPECT_NE(stored.find("DEVNAME=s:PRT01"), std::string::npos);
    EXPECT_NE(stored.find("IBMTRANSFORM=s:2"), std::string::npos);
    EXPECT_NE(stored.find("IBMFORMFEED=s:\n"), std::string::npos);
    EXPECT_NE(stored.find("IBMIGCFEAT=s:\n"), std::string::npos);
    EXPECT_NE(stored.find("IBMPPRSRC1=s:13"), std::string::npos);
    EXPECT_NE(stored.find("IBMENVELOPE=s:\n"), std::string::npos);

    s = WizardSettings{};
    s.mode = WizardMode::Edit;
    s.name = W("P");
    WizardSetDefaults(s, 0);
    WizardReadProfile(reg, s, true);
    EXPECT_EQ(Narrow(s.printerTexts[0]), "");  // read as a display until the device type is known
    s.deviceType = kPrinterDeviceType;
    reg.SetString(U, W("SOFTWARE\\Quorlan\\vexaNT\\Profiles\\P\\Telnet\\5250PRT,USERVAR"), W("IBMFONT"), W("F1"));
    WizardReadEnvironment(reg, s);
    EXPECT_EQ(Narrow(s.printerTexts[4]), "F1");  // the user's value over the machine's
    EXPECT_EQ(s.printerNumbers[6], 2u);
    EXPECT_EQ(s.printerNumbers[8], 13u);
}

TEST_F(WizardProfiles, ConnectionExistsInEitherRootOrAsARegistration)
{
    EXPECT_FALSE(ConnectionExists(reg, W("A")));
    reg.CreateKey(U, ProfileKeyPath(W("a")));
    EXPECT_TRUE(ConnectionExists(reg, W("A")));
    WizardRegisterConnection(reg, W("Reg"), W("-WReg"), false);
    EXPECT_TRUE(ConnectionExists(reg, W("REG")));
    EXPECT_FALSE(ConnectionExists(reg, W("")));
}

TEST(WizardRegistration, ClientConnectionAndUnregistering)
{
    MemoryRegistry reg;
    WizardRegisterClient(reg);
    EXPECT_EQ(
        reg.Values(RegRoot::Machine, "SOFTWARE\\Microsoft\\WBT\\Clients\\Registration\\ZEZ"),
        "Description=s:Quorlan Terminal Emulation Client\nNewCmdLineArgs=s:\nNewExe=s:VXNTCONWIZ.EXE\nType=s:ZEZ");
    WizardRegisterConnection(reg, W("A B"), W("\"-WA B\""), true);
    WizardRegisterConnection(reg, W("C"), W("-WC"), false);
    EXPECT_EQ(reg.Values(RegRoot::Machine,
                         "SOFTWARE\\Microsoft\\WBT\\Clients\\Registration\\ZEZ\\Connections\\A B"),
              "DeleteCmdLineArgs=s:-DA B\nDeleteExe=s:VXNTCONWIZ.EXE\nDescription=s:A B\n"
              "PropertiesCmdLineArgs=s:-EA B -M\nPropertiesExe=s:VXNTCONWIZ.EXE\nStartCmdLineArgs=s:\"-WA B\"\n"
              "StartExe=s:vexaNT");
    WText line;
    ASSERT_TRUE(ReadStartLine(reg, W("a b"), line));
    EXPECT_EQ(Narrow(line), "\"-WA B\"");
    UnregisterConnection(reg, W("A B"));
    EXPECT_TRUE(reg.KeyExists(RegRoot::Machine, ConnectionsKeyPath()));
    UnregisterConnection(reg, W("c"));
    EXPECT_FALSE(reg.KeyExists(RegRoot::Machine, ConnectionsKeyPath()));
    EXPECT_TRUE(reg.KeyExists(RegRoot::Machine, ClientKeyPath()));
}

// The wizard's rows against the terminal's own tables of the same sections: the same
// type and default, except where the two programs are known to differ.
TEST(WizardValueTable, FollowsTheTerminalsProfileStore)
{
    const std::vector<std::pair<std::string, ValueTable>> terminal = {
        {"CONNECTION", kConnectionLineValues},
        {"PRINTING", kPrintingValues},
        {"PRINTING", kLprValues},
        {"AUX", kAuxValues},
        {"VT300", kVt300Values},
    };
    int compared = 0;
    for (int i = 0; i < kWizardValueCount; ++i) {
        const WizardValue& v = kWizardValues[i];
        for (const auto& [section, table] : terminal) {
            if (section != v.section)
                continue;
            for (int k = 0; k < table.count; ++k) {
                if (Narrow(table.values[k].name) != v.name)
                    continue;
                ++compared;
                const bool text = table.values[k].kind == ValueKind::Text;
                EXPECT_EQ(text, v.type == ValueType::Text) << v.section << "\\" << v.name;
                if (!text) {
                    EXPECT_EQ(static_cast<u8>(table.values[k].factory), static_cast<u8>(v.factory))
                        << v.section << "\\" << v.name;
                }
            }
        }
    }
    EXPECT_GE(compared, 30);
}

}  // namespace
