// The machine's serial ports as the terminal lists and opens them.
#include <gtest/gtest.h>

#include <string>

#include "terminal/comms/serial/serialport.h"
#include "terminal/comms/serial/serialports.h"
#include "terminal/core/base/win32.h"

namespace {
constexpr wchar_t kSerialComm[] = L"HARDWARE\\DEVICEMAP\\SERIALCOMM";

// Replaces the machine's list with these {value name, port name} pairs.
void SetMachinePorts(std::initializer_list<std::pair<const wchar_t*, const wchar_t*>> ports)
{
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, kSerialComm);
    HKEY key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kSerialComm, 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    for (auto [value, name] : ports)
        RegSetValueExW(key, value, 0, REG_SZ, reinterpret_cast<const BYTE*>(name),
                       static_cast<DWORD>((wcslen(name) + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
}

std::wstring ComboText(HWND combo, int item)
{
    wchar_t text[64] = {};
    SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(text));
    return text;
}
}  // namespace

TEST(SerialPorts, TheListNamesEachPortWithItsNumber)
{
    SetMachinePorts({{L"\\Device\\Serial0", L"COM3"}, {L"\\Device\\Serial1", L"COM12"}, {L"Winedev1", L"COM5:"}});
    HWND combo = CreateWindowW(L"COMBOBOX", L"", CBS_DROPDOWNLIST, 0, 0, 100, 200, nullptr, nullptr, nullptr,
                               nullptr);
    ASSERT_TRUE(combo);
    u8 working = 11;
    u32 kind = 7;
    EXPECT_EQ(FillSerialPortList(combo, &working, &kind), 3);
    EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 3);
    const int selected = static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
    EXPECT_EQ(ComboText(combo, selected), L"COM12:");
    EXPECT_EQ(SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(selected), 0), 11);
    EXPECT_EQ(kind, 7u);  // a chosen device stays as it is

    SerialPortRecord* com12 = FindSerialPort(11);
    ASSERT_TRUE(com12);
    EXPECT_STREQ(com12->name, L"COM12:");
    ASSERT_TRUE(FindSerialPort(4));
    EXPECT_STREQ(FindSerialPort(4)->name, L"COM5:");
    EXPECT_EQ(FindSerialPort(255), nullptr);
    EXPECT_EQ(FindSerialPortByName(L"com3"), FindSerialPort(2));

    // No device chosen yet: the first port becomes the choice.
    working = 255;
    EXPECT_EQ(FillSerialPortList(combo, &working, &kind), 3);
    EXPECT_EQ(working, 2);
    EXPECT_EQ(kind, 0u);
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 0);
    DestroyWindow(combo);
}

TEST(SerialPorts, NoMachineListGivesNoPorts)
{
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, kSerialComm);
    u8 working = 255;
    EXPECT_EQ(FillSerialPortList(nullptr, &working), 0);
    EXPECT_EQ(working, 255);
    EXPECT_EQ(FirstSerialPort(), nullptr);
}

TEST(SerialPorts, DevicePathsReachEveryPortNumber)
{
    wchar_t path[32];
    ASSERT_TRUE(SerialDevicePath(L"COM12:", path, 32));
    EXPECT_STREQ(path, L"\\\\.\\COM12");
    ASSERT_TRUE(SerialDevicePath(L"COM1", path, 32));
    EXPECT_STREQ(path, L"\\\\.\\COM1");
    EXPECT_FALSE(SerialDevicePath(L":", path, 32));
    EXPECT_FALSE(SerialDevicePath(L"COM123456", path, 8));
}

TEST(SerialPorts, APortHeldElsewhereSaysSo)
{
    // Windows says access denied or sharing violation for a port another program has
    // open; some drivers say open failed.
    EXPECT_EQ(SerialOpenErrorMessage(ERROR_ACCESS_DENIED), 7150u);
    EXPECT_EQ(SerialOpenErrorMessage(ERROR_SHARING_VIOLATION), 7150u);
    EXPECT_EQ(SerialOpenErrorMessage(ERROR_OPEN_FAILED), 7150u);
    EXPECT_EQ(SerialOpenErrorMessage(ERROR_FILE_NOT_FOUND), 7121u);
    EXPECT_EQ(SerialOpenErrorMessage(ERROR_PATH_NOT_FOUND), 7121u);
}
