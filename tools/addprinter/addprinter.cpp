// addprinter: installs a printer in the Wine prefix it runs in, for printing tests.
//
//   addprinter NAME PORT [default]
//
// With "default" the printer also becomes the WIN.INI default printer. Prints one line:
// "ok" or "error <step> <code>".
#include <cstdio>
#include <string>

#include "installprinter.h"

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3) {
        std::printf("usage: addprinter NAME PORT [default]\n");
        return 2;
    }
    const std::wstring name = argv[1], port = argv[2];
    const bool makeDefault = argc > 3 && std::wstring(argv[3]) == L"default";
    if (const char* step = testprinter::InstallPrinter(name, port)) {
        std::printf("error %s %lu\n", step, GetLastError());
        return 1;
    }
    if (makeDefault) {
        const std::wstring device = name + L",winspool," + port;
        if (!WriteProfileStringW(L"windows", L"device", device.c_str())) {
            std::printf("error default %lu\n", GetLastError());
            return 1;
        }
    }
    std::printf("ok\n");
    return 0;
}
