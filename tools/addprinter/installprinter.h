// Installs a printer in the Wine prefix of the calling process, for printing tests: the
// Wine PostScript driver with the generic PPD the Wine spooler carries as a resource
// (type PPDFILE, id 1), written next to the driver files. The port is a spooler port name
// such as "LPT1:"; where its jobs go is the prefix's business
// (HKCU\Software\Wine\Printing\Spooler). Used by the addprinter tool and by in-process
// tests.
#pragma once

#include <windows.h>
#include <winspool.h>

#include <string>

namespace testprinter {

// The generic PPD out of the spooler module, into a file; false when it is not there.
inline bool WriteGenericPpd(const std::wstring& path)
{
    HMODULE spooler = LoadLibraryExW(L"winspool.drv", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!spooler)
        return false;
    HRSRC res = FindResourceW(spooler, MAKEINTRESOURCEW(1), L"PPDFILE");
    HGLOBAL data = res ? LoadResource(spooler, res) : nullptr;
    const void* bytes = data ? LockResource(data) : nullptr;
    const DWORD size = res ? SizeofResource(spooler, res) : 0;
    bool ok = false;
    if (bytes && size) {
        HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                  nullptr);
        DWORD written = 0;
        ok = file != INVALID_HANDLE_VALUE && WriteFile(file, bytes, size, &written, nullptr) && written == size;
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
    }
    FreeLibrary(spooler);
    return ok;
}

// Installs printer `name` on `port`; nullptr on success, else the step that failed
// (GetLastError tells why).
inline const char* InstallPrinter(const std::wstring& name, const std::wstring& port)
{
    wchar_t driverDir[MAX_PATH];
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(driverDir), sizeof driverDir,
                                    &needed))
        return "driverdir";
    CreateDirectoryW(driverDir, nullptr);
    const std::wstring ppd = std::wstring(driverDir) + L"\\vxgeneric.ppd";
    if (!WriteGenericPpd(ppd))
        return "ppd";

    wchar_t driverName[] = L"vexaNT Test PostScript";
    wchar_t environment[] = L"Windows x64";
    wchar_t driverPath[] = L"wineps.drv";
    DRIVER_INFO_3W driver{};
    driver.cVersion = 3;
    driver.pName = driverName;
    driver.pEnvironment = environment;
    driver.pDriverPath = driverPath;
    driver.pDataFile = const_cast<wchar_t*>(ppd.c_str());
    driver.pConfigFile = driverPath;
    if (!AddPrinterDriverExW(nullptr, 3, reinterpret_cast<BYTE*>(&driver), APD_COPY_NEW_FILES) &&
        GetLastError() != ERROR_PRINTER_DRIVER_ALREADY_INSTALLED)
        return "driver";

    std::wstring printerName = name, portName = port;
    wchar_t printProcessor[] = L"winprint";
    wchar_t dataType[] = L"RAW";
    PRINTER_INFO_2W info{};
    info.pPrinterName = printerName.data();
    info.pPortName = portName.data();
    info.pDriverName = driverName;
    info.pPrintProcessor = printProcessor;
    info.pDatatype = dataType;
    info.Attributes = PRINTER_ATTRIBUTE_LOCAL;
    HANDLE printer = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&info));
    if (!printer && GetLastError() != ERROR_PRINTER_ALREADY_EXISTS)
        return "printer";
    if (printer)
        ClosePrinter(printer);
    return nullptr;
}

}  // namespace testprinter
