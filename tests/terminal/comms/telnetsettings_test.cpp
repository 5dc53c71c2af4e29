// The "Telnet" section: what is saved reads back, and defaults are not written.
#include <gtest/gtest.h>

#include "terminal/comms/netsession.h"
#include "terminal/comms/telnetoptions.h"
#include "terminal/core/corestate.h"
#include "terminal/core/win32.h"

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
        eorWritten |= RegGetValueW(root, path, L"TelnetEOR", RRF_RT_REG_DWORD, nullptr, &value, &size) == ERROR_SUCCESS;
        size = sizeof value;
        binaryWritten |= RegGetValueW(root, path, L"TelnetBinary", RRF_RT_REG_DWORD, nullptr, &value, &size) == ERROR_SUCCESS;
    }
    EXPECT_FALSE(eorWritten);
    EXPECT_TRUE(binaryWritten);
    Slots.profileName[0] = 0;
}
