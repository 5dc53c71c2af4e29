// The profile's CONNECTION and "Telnet" values as the connection code reads them, and
// the NEW-ENVIRON variable stores. Both stores are read directly (machine-wide first,
// then the user's values over them), so the host-data thread never moves the settings
// layer's selected root under the user-interface thread.
#include <string>
#include <vector>

#include "terminal/settings/store/connsettings.h"
#include "terminal/comms/telnet/devicename.h"
#include "terminal/comms/telnet/netsession.h"
#include "terminal/comms/telnet/newenviron.h"
#include "terminal/comms/telnet/telnetoptions.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/startopts.h"
#include "terminal/core/base/win32.h"
#include "terminal/core/base/registry.h"

namespace {
const wchar16* ProfileName()
{
    return Slots.profileName[0] ? Slots.profileName : VXT("Default");
}

// The current profile's "Telnet" section, or a subkey of it, in the given root; nullptr
// when it cannot be opened.
HKEY OpenTelnetSection(HKEY root, const wchar16* subkey = nullptr)
{
    wchar_t path[kSettingsPathUnits];
    HKEY key = nullptr;
    if (!SettingsSectionPath(path, ProfileName(), VXT("Telnet"), subkey) ||
        RegOpenKeyExW(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

void ReadDword(HKEY key, const wchar_t* name, u32& value)
{
    DWORD v = 0, size = sizeof v, type = 0;
    if (key && RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&v), &size) == ERROR_SUCCESS &&
        type == REG_DWORD)
        value = v;
}

void ReadDword(HKEY key, const wchar_t* name, i32& value)
{
    u32 v = static_cast<u32>(value);
    ReadDword(key, name, v);
    value = static_cast<i32>(v);
}

bool ReadString(HKEY key, const wchar_t* name, std::wstring& value)
{
    if (!key)
        return false;
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return false;
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size) != ERROR_SUCCESS)
        return false;
    text.resize(wcsnlen(text.c_str(), text.size()));
    value = text;
    return true;
}

void ReadText(HKEY key, const wchar_t* name, wchar16* slot, int units)
{
    std::wstring value;
    if (ReadString(key, name, value))
        CopyText(slot, static_cast<std::size_t>(units), value.c_str());
}

// Runs `read` over the machine-wide "Telnet" section, then the user's.
template <typename Read>
void BothStores(Read read)
{
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        if (HKEY key = OpenTelnetSection(root)) {
            read(key);
            RegCloseKey(key);
        }
    }
}
}  // namespace

// The profile store loads CONNECTION; what the command line says about the connection
// is laid over it when the connection starts.
void ApplyStartupConnectionOptions()
{
    if (StartupOptions.telnetPort >= 0)
        Connection.telnetPort = static_cast<u32>(StartupOptions.telnetPort);
    if (StartupOptions.localPort >= 0)
        Connection.localPort = static_cast<u32>(StartupOptions.localPort);
    if (StartupOptions.connectionsOff)
        Connection.noConnection = 1;
    Connection.onCloseAction = StartupOptions.onCloseAction;
}

void LoadTelnetSettings()
{
    TelnetSettings& t = TelnetConfig;
    SetTelnetDefaults(t);
    BothStores([&t](HKEY key) {
        ReadDword(key, L"TelnetKeepAlives", t.keepAlives);
        ReadDword(key, L"TelnetEchoSuppress", t.echoSuppress);
        ReadDword(key, L"TelnetBinary", t.binary);
        ReadDword(key, L"TelnetEOR", t.eor);
        ReadDword(key, L"TelnetSendBreakTM", t.sendBreakTM);
        ReadDword(key, L"TelnetSendBreakCR", t.sendBreakCR);
        ReadText(key, L"SendLocn", t.sendLocn, 41);
        ReadDword(key, L"3270PrintDelay", t.printDelay3270);
        ReadDword(key, L"TelnetRegimeSuppress", t.regimeSuppress);
        ReadDword(key, L"Telnet3270e", t.tn3270e);
        ReadDword(key, L"Telnet3270eBind", t.bind);
        ReadDword(key, L"Telnet3270ePrtLu3", t.prtLu3);
        ReadDword(key, L"Telnet3270eResponses", t.responses);
        ReadDword(key, L"Telnet3270ePrtLu1", t.prtLu1);
        ReadDword(key, L"Telnet3270eSysReq", t.sysReq);
        ReadText(key, L"TelnetLuid", t.luid, 67);
        ReadText(key, L"Telnet3270eAssociate", t.associate, 67);
        ReadDword(key, L"TelnetNewEnvSuppress", t.newEnvSuppress);
    });
    if (Slots.luName[0])  // -LU on the command line
        CopyText(t.luid, 67, Slots.luName);
}

std::u16string WindowsUserName()
{
    wchar_t name[64] = {};
    DWORD size = 64;
    if (!GetUserNameW(name, &size))
        return {};
    name[49] = 0;
    return std::u16string(reinterpret_cast<const char16_t*>(name));
}

u32 ReadDeviceNameCount(bool session5250)
{
    u32 value = 0;
    BothStores(
        [&](HKEY key) { ReadDword(key, session5250 ? L"DeviceNameCount5250" : L"DeviceNameCount3270", value); });
    return value;
}

void WriteDeviceNameCount(bool session5250, u32 value)
{
    wchar_t path[kSettingsPathUnits];
    HKEY key = nullptr;
    if (!SettingsSectionPath(path, ProfileName(), VXT("Telnet")) ||
        RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
            ERROR_SUCCESS)
        return;
    const DWORD v = value;
    RegSetValueExW(key, session5250 ? L"DeviceNameCount5250" : L"DeviceNameCount3270", 0, REG_DWORD,
                   reinterpret_cast<const BYTE*>(&v), sizeof v);
    RegCloseKey(key);
}

std::vector<std::u16string> TelnetEnvironNames(bool machineWide, const wchar16* subkey)
{
    std::vector<std::u16string> names;
    HKEY key = OpenTelnetSection(machineWide ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER, subkey);
    if (!key)
        return names;
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        DWORD size = 256, type = 0;
        if (RegEnumValueW(key, i, name, &size, nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        if (type == REG_SZ)
            names.emplace_back(reinterpret_cast<const char16_t*>(name));
    }
    RegCloseKey(key);
    return names;
}

bool TelnetEnvironValue(bool machineWide, const wchar16* subkey, const std::u16string& name, std::u16string& value)
{
    HKEY key = OpenTelnetSection(machineWide ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER, subkey);
    if (!key)
        return false;
    std::wstring text;
    const bool found = ReadString(key, reinterpret_cast<const wchar_t*>(name.c_str()), text);
    RegCloseKey(key);
    if (found)
        value.assign(reinterpret_cast<const char16_t*>(text.c_str()));
    return found;
}

namespace {
// The "Telnet" section in the settings store that saves go to, and the factory values
// that are deleted rather than written.
HKEY CreateTelnetSection(TelnetSettings& defaults)
{
    SelectSaveRoot();
    SetTelnetDefaults(defaults);
    return SettingsCreateSection(ProfileName(), VXT("Telnet"));
}
}  // namespace

void SaveTelnetSettings(bool flush)
{
    TelnetSettings defaults{};
    HKEY key = CreateTelnetSection(defaults);
    if (!key)
        return;
    const TelnetSettings& t = TelnetConfig;
    const struct {
        const wchar16* name;
        u32 value, fallback;
    } numbers[] = {
        {VXT("TelnetKeepAlives"), t.keepAlives, defaults.keepAlives},
        {VXT("TelnetEchoSuppress"), t.echoSuppress, defaults.echoSuppress},
        {VXT("TelnetBinary"), static_cast<u32>(t.binary), static_cast<u32>(defaults.binary)},
        {VXT("TelnetEOR"), static_cast<u32>(t.eor), static_cast<u32>(defaults.eor)},
        {VXT("TelnetSendBreakTM"), t.sendBreakTM, defaults.sendBreakTM},
        {VXT("TelnetSendBreakCR"), t.sendBreakCR, defaults.sendBreakCR},
        {VXT("3270PrintDelay"), t.printDelay3270, defaults.printDelay3270},
        {VXT("TelnetRegimeSuppress"), t.regimeSuppress, defaults.regimeSuppress},
        {VXT("Telnet3270e"), t.tn3270e, defaults.tn3270e},
        {VXT("Telnet3270eBind"), t.bind, defaults.bind},
        {VXT("Telnet3270ePrtLu3"), t.prtLu3, defaults.prtLu3},
        {VXT("Telnet3270eResponses"), t.responses, defaults.responses},
        {VXT("Telnet3270ePrtLu1"), t.prtLu1, defaults.prtLu1},
        {VXT("Telnet3270eSysReq"), t.sysReq, defaults.sysReq},
        {VXT("TelnetNewEnvSuppress"), t.newEnvSuppress, defaults.newEnvSuppress},
    };
    for (const auto& n : numbers)
        SettingsWriteDwordOrDelete(key, n.name, n.value, n.fallback);
    SettingsWriteStringOrDelete(key, VXT("SendLocn"), t.sendLocn);
    SettingsWriteStringOrDelete(key, VXT("TelnetLuid"), t.luid);
    SettingsWriteStringOrDelete(key, VXT("Telnet3270eAssociate"), t.associate);
    if (flush)
        SettingsCloseKey(key);  // flushes, then closes
    else
        RegCloseKey(key);
}

void SaveTelnetTn3270eValues()
{
    TelnetSettings defaults{};
    HKEY key = CreateTelnetSection(defaults);
    if (!key)
        return;
    const TelnetSettings& t = TelnetConfig;
    SettingsWriteDwordOrDelete(key, VXT("Telnet3270eBind"), t.bind, defaults.bind);
    SettingsWriteDwordOrDelete(key, VXT("Telnet3270eResponses"), t.responses, defaults.responses);
    SettingsWriteDwordOrDelete(key, VXT("Telnet3270eSysReq"), t.sysReq, defaults.sysReq);
    SettingsWriteDwordOrDelete(key, VXT("Telnet3270ePrtLu1"), t.prtLu1, defaults.prtLu1);
    SettingsWriteDwordOrDelete(key, VXT("Telnet3270ePrtLu3"), t.prtLu3, defaults.prtLu3);
    SettingsWriteStringOrDelete(key, VXT("TelnetLuid"), t.luid);
    SettingsWriteStringOrDelete(key, VXT("Telnet3270eAssociate"), t.associate);
    SettingsCloseKey(key);
}

bool ReadTelnetEnvironText(const wchar16* subkey, const wchar16* name, wchar16* buffer, int capacity)
{
    // The user's value is taken over the machine-wide one.
    std::u16string value;
    const std::u16string wanted(reinterpret_cast<const char16_t*>(name));
    if (!TelnetEnvironValue(false, subkey, wanted, value) && !TelnetEnvironValue(true, subkey, wanted, value)) {
        if (capacity > 0)
            buffer[0] = 0;
        return false;
    }
    CopyText(buffer, static_cast<std::size_t>(capacity), reinterpret_cast<const wchar16*>(value.c_str()));
    return true;
}

void WriteTelnetEnvironText(const wchar16* subkey, const wchar16* name, const wchar16* text)
{
    SelectSaveRoot();
    HKEY section = SettingsCreateSection(ProfileName(), VXT("Telnet"));
    if (!section)
        return;
    if (HKEY key = SettingsCreateSubkey(section, subkey)) {
        SettingsWriteStringOrDelete(key, name, text);
        SettingsCloseKey(key);
    }
    SettingsCloseKey(section);
}
