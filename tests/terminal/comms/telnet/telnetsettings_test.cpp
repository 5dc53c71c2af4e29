// The "Telnet" section: what is saved reads back, defaults are not written, and the
// device-name counter and NEW-ENVIRON variables live in the current profile's section.
#include <gtest/gtest.h>

#include "terminal/comms/telnet/devicename.h"
#include "terminal/comms/telnet/netsession.h"
#include "terminal/comms/telnet/newenviron.h"
#include "terminal/comms/telnet/telnetoptions.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/win32.h"

TEST(TelnetSettings, SavedValuesReadBackAndDefaultsStayUnwritten)
{
    CopyText(Slots.profileName, kSlotUnits, L"TelnetSave");
    SetTelnetDefaults(TelnetConfig);
    TelnetConfig.binary = 1;
    TelnetConfig.sendBreakTM = 0;
    TelnetConfig.newEnvSuppress = 1;
    CopyText(TelnetConfig.luid, 67, L"LU%D4%");
    CopyText(TelnetConfig.sendLocn, 41, L"Desk 7");
    SaveTelnetSettings(true);

    SetTelnetDefaults(TelnetConfig);
    LoadTelnetSettings();
    EXPECT_EQ(TelnetConfig.binary, 1);
    EXPECT_EQ(TelnetConfig.sendBreakTM, 0u);
    EXPECT_EQ(TelnetConfig.newEnvSuppress, 1u);
    EXPECT_STREQ(TelnetConfig.luid, L"LU%D4%");
    EXPECT_STREQ(TelnetConfig.sendLocn, L"Desk 7");
    EXPECT_EQ(TelnetConfig.eor, -1);
    EXPECT_EQ(TelnetConfig.tn3270e, 1u);

    // A value at its default is not in the registry.
    DWORD value = 0, size = sizeof value;
    const wchar_t* path = L"Software\\Quorlan\\vexaNT\\Profiles\\TelnetSave\\Telnet";
    bool eorWritten = false, binaryWritten = false;
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        size = sizeof value;
        eorWritten |= RegGetValueW(root, path, L"TelnetEOR", RRF_RT_REG_DWORD, nullptr, &value, &size) ==
                      ERROR_SUCCESS;
        size = sizeof value;
        binaryWritten |= RegGetValueW(root, path, L"TelnetBinary", RRF_RT_REG_DWORD, nullptr, &value, &size) ==
                         ERROR_SUCCESS;
    }
    EXPECT_FALSE(eorWritten);
    EXPECT_TRUE(binaryWritten);
    Slots.profileName[0] = 0;
}

TEST(TelnetSettings, DeviceNameCountAndEnvironmentVariablesAreThoseOfTheProfile)
{
    const wchar_t* section = L"Software\\Quorlan\\vexaNT\\Profiles\\TelnetEnv\\Telnet";
    const std::wstring variables = std::wstring(section) + L"\\5250,USERVAR";
    RegDeleteTreeW(HKEY_CURRENT_USER, section);
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, variables.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    const wchar_t text[] = L"desk7";
    RegSetValueExW(key, L"PLACE", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof text);
    RegCloseKey(key);

    CopyText(Slots.profileName, kSlotUnits, L"TelnetEnv");
    WriteDeviceNameCount(true, 41);
    EXPECT_EQ(ReadDeviceNameCount(true), 41u);
    EXPECT_EQ(ReadDeviceNameCount(false), 0u);
    DWORD value = 0, size = sizeof value;
    EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, section, L"DeviceNameCount5250", RRF_RT_REG_DWORD, nullptr, &value,
                           &size),
              ERROR_SUCCESS);
    EXPECT_EQ(value, 41u);

    EXPECT_EQ(TelnetEnvironNames(false, L"5250,USERVAR"), std::vector<std::u16string>{u"PLACE"});
    EXPECT_TRUE(TelnetEnvironNames(true, L"5250,USERVAR").empty());
    std::u16string found;
    EXPECT_TRUE(TelnetEnvironValue(false, L"5250,USERVAR", u"PLACE", found));
    EXPECT_EQ(found, u"desk7");
    EXPECT_FALSE(TelnetEnvironValue(false, L"5250,USERVAR", u"OTHER", found));

    // Another profile sees none of it.
    CopyText(Slots.profileName, kSlotUnits, L"TelnetOther");
    EXPECT_EQ(ReadDeviceNameCount(true), 0u);
    EXPECT_TRUE(TelnetEnvironNames(false, L"5250,USERVAR").empty());
    Slots.profileName[0] = 0;
    RegDeleteTreeW(HKEY_CURRENT_USER, section);
}
