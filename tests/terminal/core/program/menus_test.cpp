// The menu bar in-process (menus cannot be read from another process under Wine): texts
// from the language module, the items the options take away, and the greying rules.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "terminal/core/base/commandids.h"
#include "terminal/core/base/handles.h"
#include "terminal/core/base/menus.h"
#include "terminal/core/window/frame_support.h"
#include "terminal/core/program/commands.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/window/emuswitch.h"
#include "terminal/core/base/language.h"
#include "terminal/core/base/startopts.h"
#include "terminal/core/window/selection/selection.h"
#include "terminal/core/base/registry.h"

using namespace frame_test;

namespace {

struct Item {
    UINT id;
    std::wstring text;
    UINT state;
};

std::vector<Item> Items(HMENU menu)
{
    std::vector<Item> items;
    for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
        wchar_t text[256] = L"";
        GetMenuStringW(menu, i, text, 256, MF_BYPOSITION);
        const UINT id = GetMenuItemID(menu, i);
        items.push_back({id, text, GetMenuState(menu, i, MF_BYPOSITION)});
    }
    return items;
}

std::vector<UINT> Ids(HMENU menu)
{
    std::vector<UINT> ids;
    for (const Item& item : Items(menu))
        if (item.id != 0)
            ids.push_back(item.id);
    return ids;
}

bool Has(HMENU menu, UINT id)
{
    return menu && GetMenuState(menu, id, MF_BYCOMMAND) != static_cast<UINT>(-1);
}

bool Greyed(HMENU menu, UINT id)
{
    return (GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED) != 0;
}

bool Checked(HMENU menu, UINT id)
{
    return (GetMenuState(menu, id, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

std::wstring Language(UINT id)
{
    wchar_t text[256] = L"";
    LoadLanguageString(InstanceHandle, id, text, 256);
    return text;
}

class MenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        MainWindow();
        saved_ = StartupOptions;
        UseEnglishModule();
        ASSERT_GE(FoundLanguageModuleCount, 1u);
        StartupOptions = StartupOptionValues{};
        ClipboardMode = 0;
        EmulationId = RequestedEmulationId = kDefaultEmulationId;
    }
    void TearDown() override
    {
        StartupOptions = saved_;
        BuildMenuBar(true);
    }
    static void Build(const wchar_t* commandLine = nullptr)
    {
        if (commandLine) {
            Slots = StringSlots{};
            ReadStartupOptions(commandLine, InstanceHandle);
        }
        BuildMenuBar(StartupOptions.menuBar != 0);
    }
    StartupOptionValues saved_;
};

TEST_F(MenuTest, TextsAreTheLanguageStringsOfTheCommandIds)
{
    Build();
    ASSERT_EQ(GetMenu(MainWindowHandle), Menus.bar);
    const std::vector<Item> popups = Items(Menus.bar);
    ASSERT_EQ(popups.size(), 3u);
    EXPECT_EQ(popups[0].text, L"&File");
    EXPECT_EQ(popups[1].text, Language(1080));
    EXPECT_EQ(popups[2].text, Language(1081));
    EXPECT_EQ(MenuMnemonics[0], u16('F'));
    EXPECT_EQ(MenuMnemonics[1], u16('E'));
    EXPECT_EQ(MenuMnemonics[2], u16('S'));
    int items = 0;
    for (HMENU menu : {Menus.file, Menus.edit, Menus.settings})
        for (const Item& item : Items(menu)) {
            if (item.id == 0)
                continue;
            EXPECT_EQ(item.text, Language(item.id)) << item.id;
            // The English module has no text for the auxiliary port item.
            if (item.id != kCmdAuxPort) {
                EXPECT_FALSE(item.text.empty()) << item.id;
            }
            ++items;
        }
    EXPECT_GT(items, 35);
    EXPECT_EQ(Items(Menus.file)[0].text, L"Factory &Default...");
    EXPECT_EQ(Ids(Menus.file), (std::vector<UINT>{1001, 1002, 1015, 1019, 1088, 1011, 1020, 1049, 1040, 1048, 1057,
                                                  1041, 1072, 1008}));
    EXPECT_EQ(Ids(Menus.edit), (std::vector<UINT>{1058, 1069, 1074, 1075, 1076, 1077, 1010, 1043, 1044}));
    EXPECT_EQ(Ids(Menus.settings), (std::vector<UINT>{1012, 1022, 1031, 1033, 1028, 1035, 1036, 1013, 1157, 1014,
                                                      1016, 1017, 1032, 1018, 1023, 1024, 1090}));
}

TEST_F(MenuTest, OptionsTakeItemsAway)
{
    Build(L"");
    EXPECT_FALSE(Has(Menus.file, kCmdCapture));
    EXPECT_FALSE(Has(Menus.file, kCmdReplay));

    Build(L"-Debug");
    EXPECT_EQ(Items(Menus.file)[9].id, kCmdCapture);
    EXPECT_EQ(Items(Menus.file)[9].text, L"&Capture File...");
    EXPECT_TRUE(Has(Menus.file, kCmdReplay));

    ClearSettings();
    const std::wstring connections = L"Software\\Microsoft\\WBT\\Clients\\Registration\\ZEZ\\Connections\\Acme";
    SetString(HKEY_LOCAL_MACHINE, connections, L"StartExe", L"vexaNT");
    Build(L"-WAcme");
    for (UINT id : {kCmdOpenSession, kCmdSaveAs})
        EXPECT_FALSE(Has(Menus.file, id)) << id;
    for (UINT id : {kCmdSerial, kCmdAuxPort})
        EXPECT_FALSE(Has(Menus.settings, id)) << id;
    EXPECT_TRUE(Has(Menus.file, kCmdSave));

    Build(L"-Ca");
    EXPECT_EQ(Language(kCmdCopy), L"&Copy  Ctrl+C");
    wchar_t text[64];
    GetMenuStringW(Menus.edit, kCmdCopy, text, 64, MF_BYCOMMAND);
    EXPECT_STREQ(text, L"&Copy ");
    GetMenuStringW(Menus.edit, kCmdPaste, text, 64, MF_BYCOMMAND);
    EXPECT_STREQ(text, L"&Paste ");
}

TEST_F(MenuTest, TheSecurityMaskDecidesWhichMenusGo)
{
    ClearSettings();
    Build(L"-Mf -Md");
    EXPECT_EQ(Items(Menus.bar).size(), 3u);

    SetDword(HKEY_LOCAL_MACHINE, L"Software\\ZARA\\Security", L"SecurityCfg", 1);
    Build(L"-Mf -Md");
    ASSERT_EQ(Items(Menus.bar).size(), 2u);
    EXPECT_EQ(Items(Menus.bar)[0].text, Language(1080));
    EXPECT_EQ(Menus.file, nullptr);

    SetDword(HKEY_LOCAL_MACHINE, L"Software\\ZARA\\Security", L"SecurityCfg", 31);
    Build(L"-Mf -Md -Ms");
    EXPECT_EQ(Items(Menus.bar).size(), 0u);
    EXPECT_TRUE(StartupOptions.menuBar);
    // All five bits: no menus at all.
    Build(L"-Ma");
    EXPECT_EQ(StartupOptions.noMenus, 1u);
    EXPECT_EQ(GetMenu(MainWindowHandle), nullptr);
    ClearSettings();
}

TEST_F(MenuTest, OfferFlagsAndStateGreyItems)
{
    StartupOptions.offered[kOfferFactory] = 0;
    StartupOptions.offered[kOfferEmulation] = 0;
    StartupOptions.offered[kOfferEditMenu] = 0;
    StartupOptions.softButtonLevels = 0;
    Build();
    EXPECT_TRUE(Greyed(Menus.file, kCmdFactoryDefault));
    EXPECT_FALSE(Greyed(Menus.file, kCmdResetTerminal));
    EXPECT_TRUE(Greyed(Menus.bar, 1) || (GetMenuState(Menus.bar, 1, MF_BYPOSITION) & MF_GRAYED));
    EXPECT_TRUE(Greyed(Menus.settings, kCmdSoftButtons));
    // Close Session needs an open connection; Cancel Print a print in progress.
    EXPECT_TRUE(Greyed(Menus.file, kCmdCloseSession));
    EXPECT_TRUE(Greyed(Menus.file, kCmdCancelPrint));
    EXPECT_FALSE(Greyed(Menus.file, kCmdPrintScreenBitmap));
    EXPECT_FALSE(Checked(Menus.file, kCmdAutoPrint));
    // Nothing is selected: Copy greyed, Select All offered.
    EXPECT_TRUE(Greyed(Menus.edit, kCmdCopy));
    EXPECT_FALSE(Greyed(Menus.edit, kCmdSelectAll));
    EXPECT_TRUE(Checked(Menus.edit, kCmdClipboardText));

    // The emulation's own items follow the emulation; Emulation follows its offer flag.
    EXPECT_TRUE(Greyed(Menus.settings, kCmdEmulation));
    EXPECT_FALSE(Greyed(Menus.settings, kCmdLocalEditing));
    EXPECT_TRUE(Greyed(Menus.settings, kCmdWyse));
    EmulationId = 3;
    UpdateSettingsMenu();
    EXPECT_TRUE(Greyed(Menus.settings, kCmdEmulation));
    EXPECT_TRUE(Greyed(Menus.settings, kCmdLocalEditing));
    EXPECT_FALSE(Greyed(Menus.settings, kCmdAuxPort));
    EmulationId = 9;
    UpdateSettingsMenu();
    EXPECT_FALSE(Greyed(Menus.settings, kCmdWyse));
    EXPECT_TRUE(Greyed(Menus.settings, kCmdAuxPort));
    StartupOptions.offered[kOfferEmulation] = 1;
    UpdateSettingsMenu();
    EXPECT_FALSE(Greyed(Menus.settings, kCmdEmulation));
    EmulationId = kDefaultEmulationId;
}

TEST_F(MenuTest, ClipboardModeCommandsCheckTheirItem)
{
    Build();
    SendMessageW(MainWindowHandle, WM_COMMAND, kCmdClipboardGraphics, 0);
    EXPECT_EQ(ClipboardMode, 1u);
    EXPECT_TRUE(Checked(Menus.edit, kCmdClipboardGraphics));
    EXPECT_FALSE(Checked(Menus.edit, kCmdClipboardText));
    SendMessageW(MainWindowHandle, WM_COMMAND, kCmdClipboardText, 0);
    EXPECT_EQ(ClipboardMode, 0u);
    EXPECT_TRUE(Checked(Menus.edit, kCmdClipboardText));
}

TEST_F(MenuTest, MoreThanOneLanguageOffersTheLanguageMenu)
{
    Build();
    EXPECT_EQ(Menus.language, nullptr);
    const u32 savedCount = FoundLanguageModuleCount;
    const u32 savedFound = LanguageModuleTable[2].found;
    FoundLanguageModuleCount = 2;
    LanguageModuleTable[2].found = 1;
    Build();
    ASSERT_NE(Menus.language, nullptr);
    EXPECT_EQ(Items(Menus.settings)[0].text, L"&Language");
    EXPECT_EQ(Ids(Menus.language), (std::vector<UINT>{1501, 1503}));
    EXPECT_TRUE(Checked(Menus.language, 1501));
    SendMessageW(MainWindowHandle, WM_COMMAND, 1503, 0);
    EXPECT_EQ(CurrentLanguageIndex, 2);
    EXPECT_TRUE(Checked(Menus.language, 1503));
    EXPECT_FALSE(Checked(Menus.language, 1501));
    SendMessageW(MainWindowHandle, WM_COMMAND, 1505, 0);  // not found: nothing changes
    EXPECT_EQ(CurrentLanguageIndex, 2);
    CurrentLanguageIndex = 0;
    FoundLanguageModuleCount = savedCount;
    LanguageModuleTable[2].found = savedFound;
}

TEST_F(MenuTest, StartModesOpenTheirPage)
{
    for (auto [mode, page] : {std::pair{1u, kCmdNewConnection}, std::pair{2u, kCmdOpenSession}}) {
        PumpMessages();
        MainCommand(MainWindowHandle, MAKEWPARAM(kCmdConnect, mode), 0);
        MSG msg;
        ASSERT_TRUE(PeekMessageW(&msg, MainWindowHandle, WM_COMMAND, WM_COMMAND, PM_REMOVE));
        EXPECT_EQ(LOWORD(msg.wParam), page);
    }
}

}  // namespace
