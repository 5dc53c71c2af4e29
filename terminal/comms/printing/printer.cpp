// Whether a printer can be used at all: the network printer, a port, or the Windows
// printer of the profile (PMPrinter on PMPort), else the WIN.INI default printer.
#include <cwchar>
#include <memory>

#include "terminal/comms/printing/portlist.h"
#include "terminal/comms/printing/printjob.h"
#include "terminal/settings/store/profilevalues.h"

PrintJobState PrintJob;

namespace {

constexpr int kDeviceUnits = 254;

// Port printing: a port must exist; an empty Port becomes the first one (LPT1: when
// the list holds it).
bool PortAvailable()
{
    if (BuildPortList(nullptr, 0) < 1)
        return false;
    if (!PrintingValues.Port[0]) {
        PortRecord r{};
        if (FindPortByName(L"LPT1:", &r) || FindPortByIndex(0, &r))
            lstrcpynW(PrintingValues.Port, r.name, kPortNameUnits);
    }
    return true;
}

}  // namespace

bool WindowsPrinterAvailable()
{
    if (PrintingValues.PMPrinter[0])
        return true;
    wchar_t device[kDeviceUnits + 1] = {};
    GetProfileStringW(L"Windows", L"Device", L"", device, kDeviceUnits);
    if (!device[0])
        return false;
    ParseDeviceString(device);
    return PrintingValues.PMPrinter[0] != 0;
}

int CheckPrinterAvailable()
{
    PrintLockGuard lock;
    // A network printer needs neither a local port nor a Windows printer, and port
    // printing no Windows printer: each counts on its own.
    bool available = PrintingValues.ViaLPR != 0;
    if (!available && PrintingValues.DirectToPort)
        available = PortAvailable();
    if (!available)
        available = WindowsPrinterAvailable();
    PrintJob.printerAvailable = available ? 1 : 0;
    return available ? 1 : 0;
}

void ParseDeviceString(const wchar_t* device)
{
    if (!device)
        return;
    const wchar_t* comma = std::wcschr(device, L',');
    const int nameUnits = comma ? static_cast<int>(comma - device) : lstrlenW(device);
    lstrcpynW(PrintingValues.PMPrinter, device,
              nameUnits + 1 < kPrinterNameUnits ? nameUnits + 1 : kPrinterNameUnits);
    const wchar_t* second = comma ? std::wcschr(comma + 1, L',') : nullptr;
    if (second) {
        const wchar_t* port = second + 1;
        while (*port == L' ')
            ++port;
        lstrcpynW(PrintingValues.PMPort, port, kPrinterNameUnits);
    }
    GetPrinterPortName(PrintingValues.PMPrinter, PrintingValues.PMPort, kPrinterNameUnits);
}

void GetPrinterPortName(const wchar_t* printer, wchar_t* port, int capacity)
{
    HANDLE h = nullptr;
    if (!printer || !printer[0] || !OpenPrinterW(const_cast<wchar_t*>(printer), &h, nullptr))
        return;
    DWORD needed = 0;
    GetPrinterW(h, 2, nullptr, 0, &needed);
    std::unique_ptr<BYTE[]> info(needed ? new (std::nothrow) BYTE[needed] : nullptr);
    if (info && GetPrinterW(h, 2, info.get(), needed, &needed)) {
        const auto* pi = reinterpret_cast<const PRINTER_INFO_2W*>(info.get());
        if (pi->pPortName)
            lstrcpynW(port, pi->pPortName, capacity);
    }
    ClosePrinter(h);
}
