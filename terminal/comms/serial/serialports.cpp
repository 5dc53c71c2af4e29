#include "terminal/comms/serial/serialports.h"

#include <cwchar>
#include <new>

#include "terminal/comms/serial/serialline.h"

namespace {
SerialPortRecord* g_ports = nullptr;
bool g_listed = false;
// Records of open ports survive a new listing (Setup lists the ports while the host
// port is open): they wait here until the listing names them again.
SerialPortRecord* g_kept = nullptr;

void Append(SerialPortRecord** list, SerialPortRecord* record)
{
    record->next = nullptr;
    while (*list)
        list = &(*list)->next;
    *list = record;
}

SerialPortRecord* TakeKept(const wchar_t* name)
{
    for (SerialPortRecord** p = &g_kept; *p; p = &(*p)->next)
        if (_wcsicmp((*p)->name, name) == 0) {
            SerialPortRecord* r = *p;
            *p = r->next;
            return r;
        }
    return nullptr;
}

void FreeRecords(bool keepOpen)
{
    while (g_ports) {
        SerialPortRecord* next = g_ports->next;
        if (keepOpen && g_ports->context)
            Append(&g_kept, g_ports);
        else
            delete g_ports;
        g_ports = next;
    }
}
}  // namespace

std::recursive_mutex& SerialListLock()
{
    static std::recursive_mutex lock;
    return lock;
}

SerialPortRecord* AddSerialPortRecord(const wchar_t* name, u32 kind)
{
    if (!name || !name[0])
        return nullptr;
    std::lock_guard<std::recursive_mutex> hold(SerialListLock());
    wchar_t stored[kSerialPortNameUnits];
    std::wcsncpy(stored, name, kSerialPortNameUnits - 2);
    stored[kSerialPortNameUnits - 2] = 0;
    if (!std::wcschr(stored, L':'))
        std::wcscat(stored, L":");
    SerialPortRecord* record = TakeKept(stored);
    if (!record) {
        record = new (std::nothrow) SerialPortRecord{};
        if (!record)
            return nullptr;
        std::wcscpy(record->name, stored);
        const int number = SerialPortNumberOf(record->name);
        record->number = number < 0 ? kNoSerialPort : static_cast<u32>(number);
    }
    record->kind = kind;
    Append(&g_ports, record);
    return record;
}

bool AddPortToCombo(HWND combo, const SerialPortRecord* record, u8 workingDevice)
{
    if (!combo || !record)
        return true;
    const LRESULT item = SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(record->name));
    if (item == CB_ERR || item == CB_ERRSPACE)
        return false;
    SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(item), static_cast<LPARAM>(record->number));
    if (record->number == workingDevice)
        SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
    return true;
}

int FillSerialPortList(HWND combo, u8* workingDevice, u32* workingKind)
{
    if (combo)
        SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    std::lock_guard<std::recursive_mutex> hold(SerialListLock());
    FreeRecords(true);
    g_listed = true;
    HKEY key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) != ERROR_SUCCESS)
        key = nullptr;
    const u8 working = workingDevice ? *workingDevice : static_cast<u8>(kNoSerialPort);
    int count = 0;
    bool comboFull = false;
    for (DWORD index = 0; key; ++index) {
        wchar_t valueName[257];
        wchar_t data[17] = {};  // 32 bytes of name
        DWORD nameUnits = 257, dataBytes = 32, type = 0;
        if (RegEnumValueW(key, index, valueName, &nameUnits, nullptr, &type, reinterpret_cast<BYTE*>(data),
                          &dataBytes) != ERROR_SUCCESS)
            break;
        if (type != REG_SZ)
            continue;
        data[16] = 0;
        SerialPortRecord* record = AddSerialPortRecord(data, 0);
        if (!record)
            break;
        ++count;
        if (!comboFull && !AddPortToCombo(combo, record, working))
            comboFull = true;
    }
    if (key)
        RegCloseKey(key);
    // Ports still open that the machine no longer lists stay known until closed.
    while (g_kept) {
        SerialPortRecord* r = g_kept;
        g_kept = r->next;
        Append(&g_ports, r);
    }
    if (count > 0 && workingDevice && *workingDevice == kNoSerialPort && g_ports) {
        *workingDevice = static_cast<u8>(g_ports->number);
        if (workingKind)
            *workingKind = g_ports->kind;
        if (combo)
            SendMessageW(combo, CB_SETCURSEL, 0, 0);
    }
    return count;
}

int AddSerialPortsToCombo(HWND combo, u8 workingDevice)
{
    std::lock_guard<std::recursive_mutex> hold(SerialListLock());
    int count = 0;
    for (SerialPortRecord* r = g_ports; r; r = r->next) {
        if (!AddPortToCombo(combo, r, workingDevice))
            break;
        ++count;
    }
    return count;
}

void EnsureSerialPortList()
{
    std::lock_guard<std::recursive_mutex> hold(SerialListLock());
    if (!g_listed || !g_ports)
        FillSerialPortList(nullptr);
}

SerialPortRecord* FirstSerialPort()
{
    return g_ports;
}

SerialPortRecord* FindSerialPort(u32 number)
{
    if (number == kNoSerialPort)
        return nullptr;
    std::lock_guard<std::recursive_mutex> hold(SerialListLock());
    for (SerialPortRecord* r = g_ports; r; r = r->next)
        if (r->number == number)
            return r;
    return nullptr;
}

SerialPortRecord* FindSerialPortByName(const wchar_t* name)
{
    if (!name)
        return nullptr;
    std::lock_guard<std::recursive_mutex> hold(SerialListLock());
    for (SerialPortRecord* r = g_ports; r; r = r->next) {
        const std::size_t n = std::wcslen(name);
        if (_wcsnicmp(r->name, name, n) == 0 && (r->name[n] == 0 || (r->name[n] == L':' && r->name[n + 1] == 0)))
            return r;
    }
    return nullptr;
}

void FreeSerialPorts()
{
    std::lock_guard<std::recursive_mutex> hold(SerialListLock());
    FreeRecords(false);
    while (g_kept) {
        SerialPortRecord* r = g_kept;
        g_kept = r->next;
        delete r;
    }
    g_listed = false;
}

bool SerialDevicePath(const wchar_t* name, wchar_t* out, int capacity)
{
    if (!name || !out || capacity < 1)
        return false;
    std::size_t n = std::wcslen(name);
    if (n > 0 && name[n - 1] == L':')
        --n;
    if (n == 0 || static_cast<int>(n) + 5 > capacity)
        return false;
    std::wcscpy(out, L"\\\\.\\");
    std::wcsncat(out, name, n);
    return true;
}

void SerialDisplayName(const SerialPortRecord* record, wchar_t* out, int capacity)
{
    if (!out || capacity < 1)
        return;
    out[0] = 0;
    if (!record)
        return;
    std::wcsncpy(out, record->name, static_cast<std::size_t>(capacity - 1));
    out[capacity - 1] = 0;
    const std::size_t n = std::wcslen(out);
    if (n > 0 && out[n - 1] == L':')
        out[n - 1] = 0;
}
