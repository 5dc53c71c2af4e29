#include "terminal/comms/printing/portlist.h"

#include <cwchar>
#include <mutex>
#include <vector>

#include "terminal/settings/store/profilevalues.h"

namespace {

std::mutex g_lock;
std::vector<PortRecord> g_ports;

constexpr wchar_t kSerialMap[] = L"HARDWARE\\DEVICEMAP\\SERIALCOMM";
constexpr wchar_t kPrintersKey[] = L"SYSTEM\\CurrentControlSet\\Control\\Print\\Printers";

// Locked: appends one record and its combo entry; the count so far when the combo
// refuses the entry.
int AddLocked(std::vector<PortRecord>& list, HWND combo, const wchar_t* text, const wchar_t* name, u32 kind,
              const wchar_t* selected)
{
    const u32 index = static_cast<u32>(list.size());
    if (combo) {
        const LRESULT at = SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text ? text : name));
        if (at == CB_ERR || at == CB_ERRSPACE)
            return static_cast<int>(index);
        SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(at), static_cast<LPARAM>(index));
        if (selected && std::wcscmp(name, selected) == 0)
            SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
    }
    PortRecord r{};
    lstrcpynW(r.name, name, kPortRecordUnits);
    r.index = index;
    r.kind = kind;
    list.push_back(r);
    return static_cast<int>(index) + 1;
}

// Every serial port the system lists: the data of each value of the serial map.
void AddSerialPorts(std::vector<PortRecord>& list, HWND combo, const wchar_t* selected)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSerialMap, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    for (DWORD i = 0;; ++i) {
        wchar_t name[256], data[33] = {};
        DWORD nameUnits = 256, dataBytes = sizeof data - sizeof(wchar_t), type = 0;
        const LONG r = RegEnumValueW(key, i, name, &nameUnits, nullptr, &type, reinterpret_cast<BYTE*>(data),
                                     &dataBytes);
        if (r == ERROR_NO_MORE_ITEMS)
            break;
        if (r != ERROR_SUCCESS || type != REG_SZ)
            continue;
        if (std::wcsstr(data, L"COM"))
            AddLocked(list, combo, nullptr, data, 0, selected);
    }
    RegCloseKey(key);
}

// The "Port" value of every installed printer that names a printer port (or, for the
// auxiliary list, an LPT port).
void AddPrinterPorts(std::vector<PortRecord>& list, HWND combo, int mode, const wchar_t* selected)
{
    HKEY printers = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kPrintersKey, 0, KEY_READ, &printers) != ERROR_SUCCESS)
        return;
    for (DWORD i = 0;; ++i) {
        wchar_t printer[256];
        DWORD units = 256;
        const LONG r = RegEnumKeyExW(printers, i, printer, &units, nullptr, nullptr, nullptr, nullptr);
        if (r == ERROR_NO_MORE_ITEMS)
            break;
        if (r != ERROR_SUCCESS)
            continue;
        HKEY key = nullptr;
        if (RegOpenKeyExW(printers, printer, 0, KEY_READ, &key) != ERROR_SUCCESS)
            continue;
        wchar_t port[33] = {};
        DWORD bytes = sizeof port - sizeof(wchar_t), type = 0;
        if (RegQueryValueExW(key, L"Port", nullptr, &type, reinterpret_cast<BYTE*>(port), &bytes) ==
                ERROR_SUCCESS &&
            type == REG_SZ && port[0]) {
            const bool wanted = mode == 0 ? IsPrinterPortName(port) : std::wcsstr(port, L"LPT") != nullptr;
            if (wanted)
                AddLocked(list, combo, nullptr, port, 0, selected);
        }
        RegCloseKey(key);
    }
    RegCloseKey(printers);
}

bool CopyIf(bool (*match)(const PortRecord&, const void*), const void* what, PortRecord* out)
{
    std::lock_guard<std::mutex> guard(g_lock);
    for (const PortRecord& r : g_ports) {
        if (match(r, what)) {
            if (out)
                *out = r;
            return true;
        }
    }
    return false;
}

}  // namespace

bool IsPrinterPortName(const wchar_t* name)
{
    return name && (std::wcsstr(name, L"LPT") || std::wcsstr(name, L"\\\\"));
}

int ListPorts(std::vector<PortRecord>& list, HWND combo, int mode, const wchar_t* selected)
{
    if (combo)
        SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    list.clear();
    AddSerialPorts(list, combo, selected);
    AddPrinterPorts(list, combo, mode, selected);
    return static_cast<int>(list.size());
}

int BuildPortList(HWND combo, int mode)
{
    std::vector<PortRecord> list;
    const int count = ListPorts(list, combo, mode, PrintingValues.Port);
    if (mode == 0) {
        std::lock_guard<std::mutex> guard(g_lock);
        g_ports.swap(list);
    }
    return count;
}

int AddPortRecord(HWND combo, const wchar_t* text, const wchar_t* name, u32 kind)
{
    std::lock_guard<std::mutex> guard(g_lock);
    return AddLocked(g_ports, combo, text, name, kind, PrintingValues.Port);
}

void FreePortList()
{
    std::lock_guard<std::mutex> guard(g_lock);
    g_ports.clear();
}

bool FindPortByIndex(u32 index, PortRecord* out)
{
    if (index == kNoPortIndex)
        return false;
    return CopyIf([](const PortRecord& r, const void* w) { return r.index == *static_cast<const u32*>(w); },
                  &index, out);
}

bool FindPortByName(const wchar_t* text, PortRecord* out)
{
    if (!text)
        return false;
    return CopyIf([](const PortRecord& r,
                     const void* w) { return std::wcsstr(r.name, static_cast<const wchar_t*>(w)) != nullptr; },
                  text, out);
}

bool FindSelectedPort(PortRecord* out)
{
    return CopyIf([](const PortRecord& r, const void*) { return std::wcscmp(r.name, PrintingValues.Port) == 0; },
                  nullptr, out);
}

int PortCount()
{
    std::lock_guard<std::mutex> guard(g_lock);
    return static_cast<int>(g_ports.size());
}
