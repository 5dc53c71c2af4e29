// The port list as the registry gives it: serial ports from the serial map, printer
// ports from the installed printers, and the availability check that takes a port.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "terminal/comms/printing/portlist.h"
#include "terminal/comms/printing/printjob.h"
#include "terminal/core/base/win32.h"
#include "terminal/settings/store/profilevalues.h"

namespace {

constexpr wchar_t kSerialMap[] = L"HARDWARE\\DEVICEMAP\\SERIALCOMM";
constexpr wchar_t kPrinters[] = L"SYSTEM\\CurrentControlSet\\Control\\Print\\Printers";
// A network port name as long as a port record and the profile's Port hold.
const std::wstring kLongestPort = L"\\\\server\\" + std::wstring(kPortRecordUnits - 1 - 9, L'q');

void SetString(const std::wstring& key, const wchar_t* name, const wchar_t* value)
{
    HKEY h = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h,
                              nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(h, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                   static_cast<DWORD>((lstrlenW(value) + 1) * sizeof(wchar_t)));
    RegCloseKey(h);
}

class PortList : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetString(kSerialMap, L"\\Device\\VxSerial9", L"COM3");
        SetString(std::wstring(kPrinters) + L"\\vxA", L"Port", L"LPT1:");
        SetString(std::wstring(kPrinters) + L"\\vxB", L"Port", L"LPT1:");
        SetString(std::wstring(kPrinters) + L"\\vxC", L"Port", L"\\\\server\\queue");
        SetString(std::wstring(kPrinters) + L"\\vxD", L"Port", L"FILE:");
        SetString(std::wstring(kPrinters) + L"\\vxE", L"Port", kLongestPort.c_str());
        SetString(std::wstring(kPrinters) + L"\\vxF", L"Port", (kLongestPort + L"x").c_str());
        saved_ = PrintingValues;
    }
    void TearDown() override
    {
        HKEY h = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSerialMap, 0, KEY_ALL_ACCESS, &h) == ERROR_SUCCESS) {
            RegDeleteValueW(h, L"\\Device\\VxSerial9");
            RegCloseKey(h);
        }
        for (const wchar_t* printer : {L"vxA", L"vxB", L"vxC", L"vxD", L"vxE", L"vxF"})
            RegDeleteKeyW(HKEY_LOCAL_MACHINE, (std::wstring(kPrinters) + L"\\" + printer).c_str());
        PrintingValues = saved_;
        FreePortList();
    }

    static std::vector<std::wstring> Names()
    {
        std::vector<std::wstring> names;
        PortRecord r{};
        for (u32 i = 0; FindPortByIndex(i, &r); ++i)
            names.push_back(r.name);
        return names;
    }
    static int Count(const std::vector<std::wstring>& names, const wchar_t* name)
    {
        int n = 0;
        for (const auto& s : names)
            n += s == name;
        return n;
    }

    PrintingSection saved_{};
};

TEST_F(PortList, SerialAndPrinterPorts)
{
    const int count = BuildPortList(nullptr, 0);
    const std::vector<std::wstring> names = Names();
    EXPECT_EQ(count, static_cast<int>(names.size()));
    EXPECT_EQ(Count(names, L"COM3"), 1) << "a serial map value gives its data";
    EXPECT_EQ(Count(names, L"LPT1:"), 2) << "two printers on one port list it twice";
    EXPECT_EQ(Count(names, L"\\\\server\\queue"), 1);
    EXPECT_EQ(Count(names, L"FILE:"), 0) << "only printer ports";
    // A longer name is left out rather than cut into the name of another port.
    EXPECT_EQ(Count(names, kLongestPort.c_str()), 1);
    EXPECT_EQ(Count(names, (kLongestPort + L"x").c_str()), 0);
    EXPECT_FALSE(FindPortByIndex(kNoPortIndex, nullptr));

    // The auxiliary port's list has LPT ports only, and leaves the printing list alone.
    const int aux = BuildPortList(nullptr, 1);
    EXPECT_EQ(aux, count - 2) << "no network ports";
    EXPECT_EQ(Names(), names);
}

TEST_F(PortList, SelectedPortAndAvailability)
{
    PrintingValues.ViaLPR = 0;
    PrintingValues.DirectToPort = 1;
    PrintingValues.Port[0] = 0;
    EXPECT_EQ(CheckPrinterAvailable(), 1);
    EXPECT_STREQ(PrintingValues.Port, L"LPT1:") << "an empty port takes LPT1: when listed";
    lstrcpynW(PrintingValues.Port, L"COM3", kPortNameUnits);
    PortRecord r{};
    ASSERT_TRUE(FindSelectedPort(&r));
    EXPECT_STREQ(r.name, L"COM3");
    lstrcpynW(PrintingValues.Port, L"COM", kPortNameUnits);
    EXPECT_FALSE(FindSelectedPort(nullptr)) << "the whole name must match";
    EXPECT_TRUE(FindPortByName(L"server", &r));
    EXPECT_STREQ(r.name, L"\\\\server\\queue");
}

}  // namespace
