#include "frame_support.h"

#include <mutex>

#include "terminal/core/corestate.h"
#include "terminal/core/mainwindow.h"
#include "terminal/core/messageloop.h"
#include "terminal/core/startopts.h"
#include "terminal/core/startup.h"

namespace frame_test {

void SetString(HKEY root, const std::wstring& path, const wchar_t* name, const std::wstring& value)
{
    HKEY key;
    if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
}

void SetDword(HKEY root, const std::wstring& path, const wchar_t* name, DWORD value)
{
    HKEY key;
    if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
}

bool ReadString(HKEY root, const std::wstring& path, const wchar_t* name, std::wstring* value)
{
    wchar_t buffer[1024];
    DWORD size = sizeof buffer, type = 0;
    if (RegGetValueW(root, path.c_str(), name, RRF_RT_REG_SZ, &type, buffer, &size) != ERROR_SUCCESS)
        return false;
    *value = buffer;
    return true;
}

bool ReadDword(HKEY root, const std::wstring& path, const wchar_t* name, DWORD* value)
{
    DWORD size = sizeof *value;
    return RegGetValueW(root, path.c_str(), name, RRF_RT_REG_DWORD, nullptr, value, &size) == ERROR_SUCCESS;
}

bool KeyExists(HKEY root, const std::wstring& path)
{
    HKEY key;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

void DeleteTree(HKEY root, const std::wstring& path)
{
    RegDeleteTreeW(root, path.c_str());
    RegDeleteKeyW(root, path.c_str());
}

void ClearSettings()
{
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER})
        DeleteTree(root, kBase);
    DeleteTree(HKEY_LOCAL_MACHINE, L"Software\\ZARA");
    DeleteTree(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\WBT");
}

HWND MainWindow()
{
    if (!MainWindowHandle) {
        InstanceHandle = GetModuleHandleW(nullptr);
        AllocateGlobalBuffers();
        ReadStartupOptions(CommandLine, InstanceHandle);
        CreateMainWindow(InstanceHandle, nullptr, SW_SHOWNOACTIVATE);
        PumpMessages();
    }
    return MainWindowHandle;
}

void PumpMessages()
{
    MSG msg;
    for (int i = 0; i < 500 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
        if (msg.message == WM_QUIT)
            break;
        if (!FilterMainMessage(&msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

MessageBoxAnswerer::MessageBoxAnswerer(int button) : button_(button), thread_([this] { Run(); }) {}

MessageBoxAnswerer::~MessageBoxAnswerer()
{
    stop_ = true;
    thread_.join();
}

std::vector<std::wstring> MessageBoxAnswerer::Texts()
{
    std::lock_guard<std::mutex> hold(lock_);
    return texts_;
}

void MessageBoxAnswerer::Run()
{
    const DWORD process = GetCurrentProcessId();
    while (!stop_) {
        Sleep(20);
        HWND box = nullptr;
        while ((box = FindWindowExW(nullptr, box, L"#32770", nullptr))) {
            DWORD owner = 0;
            GetWindowThreadProcessId(box, &owner);
            if (owner != process || !IsWindowVisible(box))
                continue;
            // The text is the box's static control that holds words (the icon's has none).
            std::wstring text;
            EnumChildWindows(box, [](HWND child, LPARAM found) -> BOOL {
                wchar_t cls[32], words[1024] = L"";
                GetClassNameW(child, cls, 32);
                if (lstrcmpiW(cls, L"Static") == 0 && GetWindowTextW(child, words, 1024) > 0)
                    *reinterpret_cast<std::wstring*>(found) += words;
                return TRUE;
            }, reinterpret_cast<LPARAM>(&text));
            {
                std::lock_guard<std::mutex> hold(lock_);
                texts_.push_back(text);
            }
            PostMessageW(box, WM_COMMAND, button_, 0);
            Sleep(100);
        }
    }
}

}  // namespace frame_test
