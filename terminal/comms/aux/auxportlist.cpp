#include "terminal/comms/aux/auxportlist.h"

#include <cwchar>
#include <cwctype>
#include <mutex>
#include <vector>

#include "terminal/settings/store/profilevalues.h"

namespace {

std::mutex g_lock;
std::vector<AuxPortRecord> g_ports;

std::size_t BareLength(const wchar_t* name)
{
    std::size_t n = std::wcslen(name);
    return n > 0 && name[n - 1] == L':' ? n - 1 : n;
}

}  // namespace

bool SamePortName(const wchar_t* a, const wchar_t* b)
{
    if (!a || !b)
        return false;
    const std::size_t n = BareLength(a);
    return n > 0 && n == BareLength(b) && _wcsnicmp(a, b, n) == 0;
}

bool IsSerialPortName(const wchar_t* name)
{
    return name && _wcsnicmp(name, L"COM", 3) == 0 && std::iswdigit(name[3]);
}

int BuildAuxPortList(HWND combo)
{
    std::vector<AuxPortRecord> list;
    ListPorts(list, combo, kPortListAux, AuxValues.Port);
    std::lock_guard<std::mutex> guard(g_lock);
    g_ports.swap(list);
    return static_cast<int>(g_ports.size());
}

void FreeAuxPorts()
{
    std::lock_guard<std::mutex> guard(g_lock);
    std::vector<AuxPortRecord>().swap(g_ports);
}

bool FindAuxPort(u32 index, AuxPortRecord* out)
{
    std::lock_guard<std::mutex> guard(g_lock);
    if (index >= g_ports.size())
        return false;
    if (out)
        *out = g_ports[index];
    return true;
}

bool FindAuxPortByName(const wchar_t* name, AuxPortRecord* out)
{
    std::lock_guard<std::mutex> guard(g_lock);
    for (const AuxPortRecord& r : g_ports)
        if (SamePortName(r.name, name)) {
            if (out)
                *out = r;
            return true;
        }
    return false;
}
