// The start-up options: command-line switches, the start-up options key, the thin
// client's registration and security mask, and the keyboard layout table.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "terminal/core/base/handles.h"
#include "terminal/core/window/frame_support.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/hexparse.h"
#include "terminal/core/base/startopts.h"

using namespace frame_test;

namespace {

const std::wstring kStartupDefault = std::wstring(kBase) + L"\\Startup,Default";

class StartupOptionsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstanceHandle = GetModuleHandleW(nullptr);
        ClearSettings();
    }
    static int Read(const wchar_t* commandLine)
    {
        Slots = StringSlots{};
        return ReadStartupOptions(commandLine, InstanceHandle);
    }
};

TEST_F(StartupOptionsTest, SwitchesSetTheirOptions)
{
    const StartupOptionValues& o = StartupOptions;
    // clang-format off
    struct Case {
        const wchar_t* line;
        std::function<bool()> holds;
    } cases[] = {
        {L"-Hb10", [&] { return o.historyLines == 64; }},
        {L"-Hb5000", [&] { return o.historyLines == 999; }},
        {L"-hb200", [&] { return o.historyLines == 200; }},
        {L"-Hb99999999999999999999999", [&] { return o.historyLines == 999; }},
        {L"-E", [&] { return o.onCloseAction == 1; }},
        {L"-E0", [&] { return o.onCloseAction == 1; }},
        {L"-E1", [&] { return o.onCloseAction == 2; }},
        {L"-E2", [&] { return o.onCloseAction == 3; }},
        {L"-E3", [&] { return o.onCloseAction == 4; }},
        {L"-Ibmreply", [&] { return o.ibmReplyMode == 0 && o.ibmFixedMode == 0; }},
        {L"-IBMFIXED", [&] { return o.ibmReplyMode == 1 && o.ibmFixedMode == 1; }},
        {L"-Bl3", [&] { return o.softButtonLevels == 3; }},
        {L"-Bl9", [&] { return o.softButtonLevels == -1; }},
        {L"-Be", [&] { return o.bell == 0; }},
        {L"-Mc10", [&] { return o.mouseCursor == 0; }},
        {L"-Mc3", [&] { return o.mouseCursor == 32515; }},
        {L"-Mc99", [&] { return o.mouseCursor == kCursorIBeam; }},
        {L"-Me2", [&] { return o.mouseEditMode == 2; }},
        {L"-Debug", [&] { return o.debugTrace == 1 && o.debugTwoWay == 0; }},
        {L"-Debug2way", [&] { return o.debugTrace == 1 && o.debugTwoWay == 1; }},
        {L"-Df12345678901234", [&] { return o.defaultFontIndex == 0x7FFFFFFF; }},
        {L"-Df7", [&] { return o.defaultFontIndex == 7; }},
        {L"-Tb", [&] { return o.caption == 0 && std::wstring(Slots.windowTitle) == L"Terminal Emulation"; }},
        {L"-TFoo", [&] { return o.caption == 1 && std::wstring(Slots.windowTitle) == L"Foo"; }},
        {L"-T Foo -St Bar", [&] {
             return std::wstring(Slots.windowTitle) == L"Foo" && std::wstring(Slots.windowSubtitle) == L"Bar";
         }},
        {L"\"-TMy Title\"", [&] { return std::wstring(Slots.windowTitle) == L"My Title"; }},
        {L"-Tnport2323 -Localport1024", [&] { return o.telnetPort == 2323 && o.localPort == 1024; }},
        {L"-Lulu123456789", [&] { return std::wstring(Slots.luName) == L"lu123456"; }},
        {L"-L", [&] { return o.toolbarShown == 0 && o.buttonToolsShown == 0; }},
        {L"-L +L", [&] { return o.toolbarShown == 1 && o.buttonToolsShown == 0; }},
        {L"-Lw", [&] { return o.loadWinsockOnStartup == 1; }},
        {L"-Sy", [&] { return o.systemMenu == 0 && o.minimiseBox == 0 && o.maximiseBox == 0; }},
        {L"-Sb", [&] { return o.scrollBar == 0; }},
        {L"-Sb +Sb", [&] { return o.scrollBar == 1; }},
        {L"-Sp", [&] { return o.usePalette == 0; }},
        {L"-V", [&] { return o.statusBarAllowed == 0 && o.statusLine == 0; }},
        {L"-V +V", [&] { return o.statusBarAllowed == 1 && o.statusLine == 1; }},
        {L"-A", [&] { return o.statusLineActive == 0; }},
        {L"-Wf", [&] { return o.sizableFrame == 0; }},
        {L"-Wf +Wf", [&] { return o.sizableFrame == 1; }},
        {L"-Mn -Mx", [&] { return o.minimiseBox == 0 && o.maximiseBox == 0; }},
        {L"-Mn +Mn", [&] { return o.minimiseBox == 1; }},
        {L"-Mi", [&] { return o.startState == 2; }},
        {L"-Mz -Tb", [&] { return o.startState == 3 && o.caption == 0; }},
        {L"-Tb -Mz", [&] { return o.startState == 3 && o.caption == 1 && o.menuBar == 1; }},
        {L"-F", [&] {
             return o.fullScreen == 1 && o.startState == 3 && o.scrollBar == 0 && o.menuBar == 0 &&
                    o.toolbarShown == 0 && o.softButtonLevels == 0 && o.sizableFrame == 0 && o.caption == 0;
         }},
        {L"-F -Mi -Mz", [&] { return o.startState == 3 && o.caption == 0 && o.menuBar == 0; }},
        {L"-Fb", [&] { return o.fullScreen == 0 && o.flashInBackground == 1; }},
        {L"-Cb", [&] { return o.menuBar == 0 && o.toolbarShown == 0 && o.noMenus == 0; }},
        {L"-Cb1", [&] { return o.menuBar == 0 && o.toolbarShown == 0 && o.noMenus == 1; }},
        {L"-Cb1 +Cb", [&] { return o.menuBar == 1 && o.toolbarShown == 1 && o.noMenus == 0; }},
        {L"-Mb1", [&] { return o.menuBar == 0 && o.noMenus == 1; }},
        {L"-Cb1 +Mb1", [&] { return o.menuBar == 0 && o.noMenus == 0; }},
        {L"-Ca", [&] { return o.clipboardAcceleratorsOff == 1; }},
        {L"-J -Os -R4 -Rp", [&] {
             return o.warnOnExit == 0 && o.sessionWarning == 0 && o.r4Colours == 1 && o.remotePrinting == 0;
         }},
        {L"-K -P -Kanything", [&] { return o.targetGiven == 0; }},
        {L"-NOther", [&] { return std::wstring(Slots.startupSetName) == L"Other"; }},
        {L"+cs", [&] { return o.keepSessionSlots == 1; }},
        {L"-SeMyProfile", [&] { return std::wstring(Slots.profileName) == L"MyProfile" && o.startMode == 0; }},
        {L"myhost", [&] {
             return std::wstring(Slots.connectionTarget) == L"myhost" && o.targetGiven == 1 &&
                    o.networkProtocol == 0 && o.startMode == 0;
         }},
        {L"myhost/winsock", [&] { return o.networkProtocol == 0 && o.targetGiven == 1; }},
        {L"COM2/serial", [&] {
             return o.serialPort == 2 && Slots.connectionTarget[0] == 0 && o.networkProtocol == 1 &&
                    o.startMode == 0;
         }},
        {L"myhost/none", [&] { return o.connectionsOff == 1 && o.targetGiven == 0 && !Slots.connectionTarget[0]; }},
    };
    // clang-format on
    for (const Case& c : cases) {
        ASSERT_EQ(Read(c.line), 1) << c.line;
        EXPECT_TRUE(c.holds()) << c.line;
    }
}

TEST_F(StartupOptionsTest, AnInvalidSwitchIsShownAndLaterWordsSetNoTarget)
{
    MessageBoxAnswerer answerer;
    ASSERT_EQ(Read(L"-X myhost -Tb"), 1);
    EXPECT_EQ(StartupOptions.targetGiven, 0u);
    EXPECT_EQ(Slots.connectionTarget[0], 0);
    EXPECT_EQ(StartupOptions.caption, 1u);  // switches after the rejected word are not taken

    ASSERT_EQ(Read(L"myhost -Q"), 1);
    EXPECT_EQ(std::wstring(Slots.connectionTarget), L"myhost");  // an earlier target stays
    const std::wstring longWord = L"-G" + std::wstring(600, L'z');
    ASSERT_EQ(Read(longWord.c_str()), 1);  // formatted into a bounded text, cut

    const auto texts = answerer.Texts();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0], L"-X is not a valid command line option.");
    EXPECT_EQ(texts[1], L"-Q is not a valid command line option.");
    EXPECT_EQ(texts[2].substr(0, 4), L"-Gzz");
    EXPECT_LT(texts[2].size(), 256u);
}

TEST_F(StartupOptionsTest, ATelnetPortOutsideOneTo65535IsRefusedAndNothingConnects)
{
    MessageBoxAnswerer answerer;
    const wchar_t* refused[] = {L"-Tnport99999", L"-Tnportabc", L"-Tnport0",
                                L"-Tnport23x",   L"-Tnport",    L"-Tnport6553500000000000000000"};
    for (const wchar_t* word : refused) {
        ASSERT_EQ(Read((std::wstring(L"myhost ") + word).c_str()), 1) << word;
        EXPECT_EQ(StartupOptions.telnetPort, -1) << word;
        EXPECT_EQ(StartupOptions.targetGiven, 0u) << word;
        EXPECT_EQ(Slots.connectionTarget[0], 0) << word;
        EXPECT_EQ(StartupOptions.connectionsOff, 1u) << word;
    }
    const auto texts = answerer.Texts();
    ASSERT_EQ(texts.size(), std::size(refused));
    for (std::size_t i = 0; i < texts.size(); ++i)
        EXPECT_EQ(texts[i], std::wstring(refused[i]) + L" is not a valid command line option.");

    for (const auto& [word, port] :
         {std::pair{L"-Tnport65535", 65535}, std::pair{L"-Tnport1", 1}, std::pair{L"-Tnport0000080", 80}}) {
        ASSERT_EQ(Read((std::wstring(L"myhost ") + word).c_str()), 1);
        EXPECT_EQ(StartupOptions.telnetPort, port) << word;
        EXPECT_EQ(StartupOptions.targetGiven, 1u) << word;
        EXPECT_EQ(StartupOptions.connectionsOff, 0u) << word;
    }
    EXPECT_EQ(answerer.Texts().size(), std::size(refused));
}

TEST_F(StartupOptionsTest, LongTextOptionsAreCutToTheirSlots)
{
    const std::wstring title(600, L't');
    const std::wstring line = L"-T" + title + L" -Se" + std::wstring(300, L'p') + L" " + std::wstring(400, L'h');
    ASSERT_EQ(Read(line.c_str()), 1);
    EXPECT_EQ(std::wstring(Slots.windowTitle), std::wstring(kSlotUnits - 1, L't'));
    EXPECT_EQ(std::wstring(Slots.profileName), std::wstring(kSlotUnits - 1, L'p'));
    EXPECT_EQ(std::wstring(Slots.connectionTarget), std::wstring(kSlotUnits - 1, L'h'));
}

TEST_F(StartupOptionsTest, StartupKeyValuesApplyUnlessTheCommandLineDecided)
{
    SetString(HKEY_LOCAL_MACHINE, kStartupDefault, L"title", L"Key Title");
    SetString(HKEY_LOCAL_MACHINE, kStartupDefault, L"SubTitle", L"Key Sub");
    SetString(HKEY_LOCAL_MACHINE, kStartupDefault, L"ExitOnClose", L"dialogue");
    SetString(HKEY_LOCAL_MACHINE, kStartupDefault, L"MouseEdit", L"Disabled");
    SetString(HKEY_LOCAL_MACHINE, kStartupDefault, L"WarnExit", L"OFF");
    SetString(HKEY_LOCAL_MACHINE, kStartupDefault, L"StatusLine", L"inactive");
    SetString(HKEY_LOCAL_MACHINE, kStartupDefault, L"DebugMode", L"on");
    SetDword(HKEY_LOCAL_MACHINE, kStartupDefault, L"HistoryBuffer", 5000);
    SetDword(HKEY_LOCAL_MACHINE, kStartupDefault, L"MouseCursor", 2);
    SetDword(HKEY_LOCAL_MACHINE, kStartupDefault, L"TelnetPort", 2300);
    SetString(HKEY_LOCAL_MACHINE, kStartupDefault, L"host", L"keyhost");

    ASSERT_EQ(Read(L""), 1);
    const StartupOptionValues& o = StartupOptions;
    EXPECT_EQ(std::wstring(Slots.windowTitle), L"Key Title");
    EXPECT_EQ(std::wstring(Slots.windowSubtitle), L"Key Sub");
    EXPECT_EQ(o.onCloseAction, 4u);
    EXPECT_EQ(o.mouseEditMode, 2u);
    EXPECT_EQ(o.warnOnExit, 0);
    EXPECT_EQ(o.statusLineActive, 0u);
    EXPECT_EQ(o.debugTrace, 1);
    EXPECT_EQ(o.historyLines, 999u);
    EXPECT_EQ(o.mouseCursor, 32512);
    EXPECT_EQ(o.telnetPort, 2300);
    // A host without a protocol is not a connection target.
    EXPECT_EQ(o.targetGiven, 0u);

    ASSERT_EQ(Read(L"-TLine -E2 -Me0 -Hb100 -Mc3 -Tnport23 cmdhost"), 1);
    EXPECT_EQ(std::wstring(Slots.windowTitle), L"Line");
    EXPECT_EQ(o.onCloseAction, 3u);
    EXPECT_EQ(o.mouseEditMode, 0u);
    EXPECT_EQ(o.historyLines, 100u);
    EXPECT_EQ(o.mouseCursor, 32515);
    EXPECT_EQ(o.telnetPort, 23);
    EXPECT_EQ(std::wstring(Slots.connectionTarget), L"cmdhost");

    SetString(HKEY_LOCAL_MACHINE, kStartupDefault, L"protocol", L"winsock");
    ASSERT_EQ(Read(L""), 1);
    EXPECT_EQ(std::wstring(Slots.connectionTarget), L"keyhost");
    EXPECT_EQ(o.targetGiven, 1u);
    EXPECT_EQ(o.startMode, 0u);
}

TEST_F(StartupOptionsTest, RegistryHistoryAndWindowSizeValues)
{
    struct Case {
        DWORD history;
        u32 lines;
    } cases[] = {{5000, 999}, {0xFFFFFFFF, 999}, {999, 999}, {300, 300}, {10, 64}};
    for (const Case& c : cases) {
        SetDword(HKEY_LOCAL_MACHINE, kStartupDefault, L"HistoryBuffer", c.history);
        ASSERT_EQ(Read(L""), 1);
        EXPECT_EQ(StartupOptions.historyLines, c.lines) << c.history;
    }

    SetString(HKEY_LOCAL_MACHINE, kStartupDefault, L"WindowSize", L"FullScreen");
    ASSERT_EQ(Read(L""), 1);
    EXPECT_EQ(StartupOptions.fullScreen, 1u);
    EXPECT_EQ(StartupOptions.startState, 3u);
    EXPECT_EQ(StartupOptions.caption, 0u);
    EXPECT_EQ(StartupOptions.menuBar, 0u);
    EXPECT_EQ(StartupOptions.softButtonLevels, 0);

    SetString(HKEY_LOCAL_MACHINE, kStartupDefault, L"WindowSize", L"minimized");
    ASSERT_EQ(Read(L"-Mz"), 1);  // the command line chose the window state
    EXPECT_EQ(StartupOptions.startState, 3u);
    ASSERT_EQ(Read(L""), 1);
    EXPECT_EQ(StartupOptions.startState, 2u);
    EXPECT_EQ(StartupOptions.fullScreen, 0u);
}

TEST_F(StartupOptionsTest, TheSetNameChoosesTheKey)
{
    SetString(HKEY_LOCAL_MACHINE, std::wstring(kBase) + L"\\Startup,Kiosk", L"title", L"Kiosk");
    ASSERT_EQ(Read(L""), 1);
    EXPECT_EQ(std::wstring(Slots.windowTitle), L"Terminal Emulation");
    ASSERT_EQ(Read(L"-NKiosk"), 1);
    EXPECT_EQ(std::wstring(Slots.windowTitle), L"Kiosk");
}

TEST_F(StartupOptionsTest, MenuOffersAreReadOnlyForOfferedMenus)
{
    SetString(HKEY_LOCAL_MACHINE, kStartupDefault, L"Factory", L"off");
    SetString(HKEY_LOCAL_MACHINE, kStartupDefault, L"editmenu", L"off");
    SetString(HKEY_LOCAL_MACHINE, kStartupDefault, L"copy", L"off");
    SetString(HKEY_LOCAL_MACHINE, kStartupDefault, L"Wyse", L"OFF");
    SetString(HKEY_LOCAL_MACHINE, kStartupDefault, L"SystemMenu", L"None");
    SetString(HKEY_LOCAL_MACHINE, kStartupDefault, L"MenuCloseItem", L"off");
    SetString(HKEY_LOCAL_MACHINE, kStartupDefault, L"ToolBar", L"off");
    ASSERT_EQ(Read(L""), 1);
    const StartupOptionValues& o = StartupOptions;
    EXPECT_EQ(o.offered[kOfferFactory], 0);
    EXPECT_EQ(o.offered[kOfferReset], 1);
    EXPECT_EQ(o.offered[kOfferEditMenu], 0);
    EXPECT_EQ(o.offered[kOfferCopy], 1);  // its menu is not offered: the item is not read
    EXPECT_EQ(o.offered[kOfferWyse], 0);
    EXPECT_EQ(o.systemMenu + o.minimiseBox + o.maximiseBox, 0u);
    EXPECT_EQ(o.closeItem, 0u);
    EXPECT_EQ(o.toolbarShown, 0);

    SetString(HKEY_LOCAL_MACHINE, kStartupDefault, L"commandbar", L"off");
    ASSERT_EQ(Read(L""), 1);
    EXPECT_EQ(o.menuBar, 0u);
    EXPECT_EQ(o.offered[kOfferFactory], 1);  // without a menu bar no item is read
}

TEST_F(StartupOptionsTest, MenuMaskHoldsOnlyWhereTheSecurityMaskAllows)
{
    ASSERT_EQ(Read(L"-Mf -Mt"), 1);
    EXPECT_EQ(StartupOptions.menuMask, 0u);
    EXPECT_EQ(StartupOptions.closeItem, 1u);

    SetDword(HKEY_LOCAL_MACHINE, L"Software\\ZARA\\Security", L"SecurityCfg", 1 | 8);
    ASSERT_EQ(Read(L"-Mf -Md -Mt"), 1);
    EXPECT_EQ(StartupOptions.securityMask, 9u);
    EXPECT_EQ(StartupOptions.menuMask, 9u);
    EXPECT_EQ(StartupOptions.closeItem, 0u);
    ASSERT_EQ(Read(L"-Mf +Mf"), 1);
    EXPECT_EQ(StartupOptions.menuMask, 0u);

    SetDword(HKEY_LOCAL_MACHINE, L"Software\\ZARA\\Security", L"SecurityCfg", 31);
    ASSERT_EQ(Read(L"-Ma"), 1);
    EXPECT_EQ(StartupOptions.noMenus, 1u);
    EXPECT_EQ(StartupOptions.menuBar, 0u);
    // -Mb takes the menu bar away first, so the thin client's mask is not consulted.
    ASSERT_EQ(Read(L"-Mb"), 1);
    EXPECT_EQ(StartupOptions.menuMask, 31u);
}

TEST_F(StartupOptionsTest, RegisteredConnectionNamesTheProfile)
{
    const std::wstring connections = L"Software\\Microsoft\\WBT\\Clients\\Registration\\ZEZ\\Connections\\";
    SetString(HKEY_LOCAL_MACHINE, connections + L"Acme", L"StartExe", L"vexaNT");
    SetDword(HKEY_LOCAL_MACHINE, std::wstring(kBase) + L"\\Startup", L"Dialog", 2);

    ASSERT_EQ(Read(L""), 1);
    EXPECT_EQ(StartupOptions.startMode, 2u);
    ASSERT_EQ(Read(L"-WNowhere"), 1);
    EXPECT_EQ(StartupOptions.registeredConnection, 0u);
    EXPECT_EQ(Slots.profileName[0], 0);
    EXPECT_EQ(StartupOptions.startMode, 2u);

    ASSERT_EQ(Read(L"-WAcme"), 1);
    EXPECT_EQ(StartupOptions.registeredConnection, 1u);
    EXPECT_EQ(std::wstring(Slots.profileName), L"Acme");
    EXPECT_EQ(StartupOptions.startupDialog, 0u);
    EXPECT_EQ(StartupOptions.startMode, 0u);
}

TEST_F(StartupOptionsTest, StartupSettingsCreateTheDefaultProfileAndMendTheDialogValue)
{
    ASSERT_EQ(Read(L""), 1);
    std::wstring session;
    ASSERT_TRUE(ReadString(HKEY_LOCAL_MACHINE, kBase, L"Session", &session));
    EXPECT_EQ(session, L"Untitled");
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, std::wstring(kBase) + L"\\Profiles\\Untitled"));
    EXPECT_EQ(StartupOptions.startupDialog, 1u);
    EXPECT_EQ(StartupOptions.startMode, 1u);

    SetDword(HKEY_LOCAL_MACHINE, std::wstring(kBase) + L"\\Startup", L"Dialog", 3);
    ASSERT_EQ(Read(L""), 1);
    EXPECT_EQ(StartupOptions.startupDialog, 1u);
    DWORD dialog = 0;
    ASSERT_TRUE(ReadDword(HKEY_LOCAL_MACHINE, std::wstring(kBase) + L"\\Startup", L"Dialog", &dialog));
    EXPECT_EQ(dialog, 1u);
}

TEST(KeyboardLayout, LanguageTable)
{
    struct Case {
        u32 code, index, nameId, national, comma;
    } cases[] = {
        {0x409, 0, 1361, 1, 0},    // US English
        {0x809, 1, 1362, 1, 0},    // British
        {0x807, 10, 1371, 1, 0},   // Swiss German
        {0x407, 6, 1367, 1, 1},    // German
        {0xC07, 6, 1367, 1, 1},    // Austrian (sublanguage 3)
        {0x1007, 6, 1367, 0, 0},   // German, another sublanguage
        {0x410, 8, 1369, 1, 0},    // Italian
        {0x10410, 8, 1369, 1, 1},  // Italian, variant with the keypad comma
        {0x416, 15, 1376, 0, 1},   // Portuguese (Brazil)
        {0x816, 15, 1376, 1, 1},   // Portuguese
        {0x413, 7, 1368, 1, 1},    // Dutch
        {0x813, 2, 1363, 1, 0},    // Flemish
        {0x41A, 32, 1361, 0, 1},   // Croatian
        {0xC1A, 35, 1361, 0, 0},   // Serbian
        {0x804, 18, 1361, 0, 0},   // Chinese sublanguage 2
        {0xC0C, 3, 1364, 1, 0},    // Canadian French
        {0x100C, 9, 1370, 1, 0},   // Swiss French
        {0x140C, 13, 1374, 0, 0},  // French, another sublanguage
        {0x42F, 31, 1361, 0, 0},   // Macedonian
        {0x425, 0, 1361, 0, 0},    // a language without a row
    };
    for (const Case& c : cases) {
        const KeyboardLanguage k = KeyboardLanguageFor(c.code);
        EXPECT_EQ(k.index, c.index) << std::hex << c.code;
        EXPECT_EQ(k.nameId, c.nameId) << std::hex << c.code;
        EXPECT_EQ(k.national, c.national) << std::hex << c.code;
        EXPECT_EQ(k.comma, c.comma) << std::hex << c.code;
    }
}

TEST(KeyboardLayout, HexTextsParse)
{
    struct Case {
        const wchar_t* text;
        i64 value;
        int length;
        const wchar_t* upper;
    } cases[] = {
        {L"00000807", 0x807, 8, L"00000807"},
        {L"abc", 0xABC, 3, L"ABC"},
        {L"", 0, 0, L""},
        {L"12g4", -1, 2, L"12G4"},
        {L"FFFFFFFF", 0xFFFFFFFF, 8, L"FFFFFFFF"},
    };
    for (const Case& c : cases) {
        std::wstring text = c.text;
        int length = -7;
        EXPECT_EQ(ParseHexString(text.data(), &length), c.value) << c.text;
        EXPECT_EQ(length, c.length) << c.text;
        EXPECT_EQ(text, c.upper);
    }
}

}  // namespace
