// The device mode of the profile's printer with the profile's paper and orientation,
// and its device context.
#include <cwchar>
#include <memory>

#include "terminal/comms/printing/printjob.h"
#include "terminal/core/base/cursors.h"
#include "terminal/settings/store/profilevalues.h"

namespace {

// The spooler's printers (local and connections) as PRINTER_INFO_2W records.
struct PrinterList {
    std::unique_ptr<BYTE[]> bytes;
    DWORD count = 0;
    const PRINTER_INFO_2W* at(DWORD i) const { return reinterpret_cast<const PRINTER_INFO_2W*>(bytes.get()) + i; }
};

PrinterList EnumeratePrinters()
{
    PrinterList list;
    const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
    DWORD needed = 0, count = 0;
    EnumPrintersW(flags, nullptr, 2, nullptr, 0, &needed, &count);
    if (needed == 0)
        return list;
    list.bytes.reset(new (std::nothrow) BYTE[needed]);
    if (list.bytes && EnumPrintersW(flags, nullptr, 2, list.bytes.get(), needed, &needed, &count))
        list.count = count;
    return list;
}

}  // namespace

HDC CreatePrinterDC(const wchar_t* printer, const wchar_t* port, const DEVMODEW* mode)
{
    if (!printer || !printer[0])
        return nullptr;
    const PrinterList list = EnumeratePrinters();
    for (DWORD i = 0; i < list.count; ++i) {
        const PRINTER_INFO_2W* pi = list.at(i);
        if (!pi->pPrinterName || std::wcscmp(pi->pPrinterName, printer) != 0)
            continue;
        if (port && port[0] && !(pi->pPortName && std::wcsstr(pi->pPortName, port)))
            continue;
        return CreateDCW(pi->pDriverName, pi->pPrinterName, nullptr, mode);
    }
    return nullptr;
}

void DeletePrinterDC()
{
    if (PrintJob.dc) {
        RestorePrinterFont();
        DeleteDC(PrintJob.dc);
        PrintJob.dc = nullptr;
    }
}

HGLOBAL GetPrinterDevMode(const wchar_t* printer, HANDLE* rawPrinter)
{
    DeletePrinterDC();
    HANDLE h = nullptr;
    PRINTER_DEFAULTSW defaults{nullptr, nullptr, PRINTER_ACCESS_USE};
    if (!printer || !printer[0] || !OpenPrinterW(const_cast<wchar_t*>(printer), &h, &defaults))
        return nullptr;
    *rawPrinter = h;
    wchar_t* name = const_cast<wchar_t*>(printer);
    const LONG size = DocumentPropertiesW(nullptr, h, name, nullptr, nullptr, 0);
    if (size <= 0)
        return nullptr;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, static_cast<SIZE_T>(size));
    auto* mode = block ? static_cast<DEVMODEW*>(GlobalLock(block)) : nullptr;
    if (!mode) {
        if (block)
            GlobalFree(block);
        return nullptr;
    }
    bool ok = DocumentPropertiesW(nullptr, h, name, mode, nullptr, DM_OUT_BUFFER) == IDOK;
    if (ok) {
        mode->dmFields = DM_ORIENTATION | DM_PAPERSIZE;
        mode->dmOrientation = static_cast<short>(PrintingValues.Orientation);
        mode->dmPaperSize = static_cast<short>(PrintingValues.PaperSize);
        ok = DocumentPropertiesW(nullptr, h, name, mode, mode, DM_IN_BUFFER | DM_OUT_BUFFER) == IDOK;
    }
    GlobalUnlock(block);
    if (!ok) {
        GlobalFree(block);
        return nullptr;
    }
    return block;
}

HDC GetPrinterDC(const DEVMODEW* mode)
{
    if (PrintJob.dc)
        return PrintJob.dc;
    if (!CheckPrinterAvailable())
        return nullptr;
    return CreatePrinterDC(PrintingValues.PMPrinter, PrintingValues.PMPort, mode);
}

namespace {

void CloseRawPrinter()
{
    if (PrintJob.rawPrinter) {
        ClosePrinter(PrintJob.rawPrinter);
        PrintJob.rawPrinter = nullptr;
    }
}

// The device mode and the DC of the profile's printer; false when either is missing.
bool MakePrinterDC()
{
    CloseRawPrinter();
    if (!PrintingValues.PMPrinter[0])
        WindowsPrinterAvailable();
    HGLOBAL block = GetPrinterDevMode(PrintingValues.PMPrinter, &PrintJob.rawPrinter);
    const auto* mode = block ? static_cast<const DEVMODEW*>(GlobalLock(block)) : nullptr;
    PrintJob.dc = GetPrinterDC(mode);
    if (block) {
        GlobalUnlock(block);
        GlobalFree(block);
    }
    return PrintJob.dc != nullptr;
}

}  // namespace

int OpenPrinterOutput()
{
    PrintLockGuard lock;
    PrintJob.cancelled = 0;
    if ((PrintJob.continuous && PrintingValues.DirectToPort) || PrintingValues.ViaLPR || PrintJob.dc)
        return 1;
    if (!MakePrinterDC()) {
        // The profile's printer is gone: the default printer of WIN.INI takes its place.
        PrintingValues.PMPrinter[0] = 0;
        if (!MakePrinterDC()) {
            CloseRawPrinter();
            return 0;
        }
    }
    SelectPrinterFont();
    return 1;
}

int QueryPrinterEscape(int escape)
{
    HCURSOR previous = SetCursor(WaitCursor);
    HDC dc = PrintJob.dc ? PrintJob.dc : GetPrinterDC(nullptr);
    int supported = 0;
    if (dc) {
        supported = Escape(dc, QUERYESCSUPPORT, sizeof escape, reinterpret_cast<LPCSTR>(&escape), nullptr);
        if (dc != PrintJob.dc)
            DeleteDC(dc);
    }
    SetCursor(previous);
    return supported > 0 ? 1 : 0;
}
