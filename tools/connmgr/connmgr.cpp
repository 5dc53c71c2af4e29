// A stand-in for the thin client's connection manager: it reads what the wizard
// registered and starts the programs it names, as the manager does.
//
//   connmgr [-C DIR] new | start NAME | properties NAME | delete NAME
//
// The command line is the registration's Exe, a blank and its CmdLineArgs, started by
// CreateProcessW without an application name in DIR (default: this program's
// directory). It prints that line and, except for start, waits and prints the started
// program's exit code. Exit status: 0 done, 2 nothing registered, 3 the start failed.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

const wchar_t kClient[] = L"SOFTWARE\\Microsoft\\WBT\\Clients\\Registration\\ZEZ";

std::wstring ReadText(const std::wstring& path, const wchar_t* name, bool& found)
{
    HKEY key;
    found = false;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return L"";
    wchar_t text[1024] = {};
    DWORD size = sizeof text - sizeof(wchar_t), type = 0;
    found = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) == ERROR_SUCCESS &&
            type == REG_SZ;
    RegCloseKey(key);
    return text;
}

std::string Utf8(const std::wstring& text)
{
    std::string out(static_cast<std::size_t>(text.size()) * 4 + 1, '\0');
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(),
                                      static_cast<int>(out.size()), nullptr, nullptr);
    out.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return out;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    int first = 1;
    std::wstring directory;
    if (argc > 2 && std::wstring(argv[1]) == L"-C") {
        directory = argv[2];
        first = 3;
    } else {
        wchar_t path[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, path, MAX_PATH);
        directory = path;
        directory.resize(directory.rfind(L'\\'));
    }
    if (argc <= first) {
        std::fprintf(stderr, "usage: connmgr [-C DIR] new | start NAME | properties NAME | delete NAME\n");
        return 1;
    }
    const std::wstring command = argv[first];
    std::wstring key = kClient, exeName, argsName;
    if (command == L"new") {
        exeName = L"NewExe";
        argsName = L"NewCmdLineArgs";
    } else if (argc > first + 1 && (command == L"start" || command == L"properties" || command == L"delete")) {
        key += std::wstring(L"\\Connections\\") + argv[first + 1];
        const std::wstring kind = command == L"start"        ? L"Start"
                                  : command == L"properties" ? L"Properties"
                                                             : L"Delete";
        exeName = kind + L"Exe";
        argsName = kind + L"CmdLineArgs";
    } else {
        std::fprintf(stderr, "usage: connmgr [-C DIR] new | start NAME | properties NAME | delete NAME\n");
        return 1;
    }
    bool haveExe = false, haveArgs = false;
    const std::wstring exe = ReadText(key, exeName.c_str(), haveExe);
    const std::wstring args = ReadText(key, argsName.c_str(), haveArgs);
    if (!haveExe) {
        std::printf("not registered\n");
        return 2;
    }
    std::wstring line = exe + L" " + args;
    std::printf("line %s\n", Utf8(line).c_str());
    std::fflush(stdout);
    SetCurrentDirectoryW(directory.c_str());
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, directory.c_str(), &si, &pi)) {
        std::printf("start failed %lu\n", GetLastError());
        return 3;
    }
    CloseHandle(pi.hThread);
    if (command != L"start") {
        WaitForSingleObject(pi.hProcess, INFINITE);
        DWORD code = 0;
        GetExitCodeProcess(pi.hProcess, &code);
        std::printf("exit %lu\n", code);
    } else {
        std::printf("started %lu\n", pi.dwProcessId);
    }
    CloseHandle(pi.hProcess);
    return 0;
}
