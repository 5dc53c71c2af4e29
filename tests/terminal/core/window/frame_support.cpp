#include "frame_support.h"

#include <mutex>

#include <gtest/gtest.h>

#include <cstdio>

#include "terminal/core/base/corestate.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/base/handles.h"
#include "terminal/core/window/emuswitch.h"
#include "terminal/core/host/hostthread.h"
#include "terminal/core/base/language.h"
#include "terminal/settings/store/profilevalues.h"
#include "terminal/core/base/registry.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/program/mainwindow.h"
#include "terminal/core/window/messageloop.h"
#include "terminal/core/base/startopts.h"
#include "terminal/core/program/startup.h"

namespace frame_test {

namespace {
std::wstring TempFile(const wchar_t* name)
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp) + name;
}

// The host source must be named before anything asks for it, so it is set up as the
// test program starts.
class HostSourceEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        const std::wstring host = TempFile(L"vx_frame_host.bin"), sink = TempFile(L"vx_frame_sink.bin");
        DeleteFileW(host.c_str());
        DeleteFileW(sink.c_str());
        CloseHandle(CreateFileW(host.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr));
        SetEnvironmentVariableW(L"VXNT_TEST_HOST", host.c_str());
        SetEnvironmentVariableW(L"VXNT_TEST_SINK", sink.c_str());
    }
};
[[maybe_unused]] const auto* g_hostEnvironment = ::testing::AddGlobalTestEnvironment(new HostSourceEnvironment);
}  // namespace

void FeedHost(const std::string& bytes)
{
    HANDLE f = CreateFileW(TempFile(L"vx_frame_host.bin").c_str(), FILE_APPEND_DATA,
                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    DWORD written = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(f);
}

void StartHost()
{
    MainWindow();
    // The frame tests watch lines go into the history: a model with one page (vt320).
    TerminalId = 4;
    ApplyPageModeSetting();
    StartHostDataThread();
}

bool StartHostOnDefaultEmulation()
{
    StartHost();
    if (EmulationId != kDefaultEmulationId)
        RequestEmulation(EmulationId, kDefaultEmulationId);
    return PumpUntil([] { return EmulationId == kDefaultEmulationId; }, 3000);
}

bool PumpUntil(const std::function<bool()>& done, int timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        PumpMessages();
        if (done())
            return true;
        if (GetTickCount() - start > static_cast<DWORD>(timeoutMs))
            return done();
        Sleep(10);
    }
}

std::string SlotText(int slot)
{
    const ScreenLineRecord* line = LineAt(slot);
    std::string s;
    if (!line)
        return s;
    for (int c = 0; c <= Screen.lastColumn; ++c)
        s.push_back(static_cast<char>(line->cells[c].ch));
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

std::vector<std::string> StoreLines()
{
    std::vector<std::string> lines;
    for (int slot = Screen.lineCount - Screen.historyCount; slot < Screen.lineCount; ++slot)
        lines.push_back(SlotText(slot));
    for (int row = 0; row < Screen.rows; ++row)
        lines.push_back(SlotText(row));
    return lines;
}

bool OnScreen(const std::string& text)
{
    for (const std::string& line : StoreLines())
        if (line.find(text) != std::string::npos)
            return true;
    return false;
}

void SetString(HKEY root, const std::wstring& path, const wchar_t* name, const std::wstring& value)
{
    HKEY key;
    if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
}

void SetDword(HKEY root, const std::wstring& path, const wchar_t* name, DWORD value)
{
    HKEY key;
    if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
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

void UseEnglishModule()
{
    SettingsSelectRoot(0);
    HKEY base = SettingsCreateBaseKey();
    SettingsWriteString(base, L"WorkDir", VX_LANGUAGE_DIR);
    SettingsCloseKey(base);
    CurrentLanguageIndex = 0;
    FindLanguageModules();
}

HWND MainWindow()
{
    if (!MainWindowHandle) {
        OsVersionCode = GetOsVersionCode();
        InstanceHandle = GetModuleHandleW(nullptr);
        AllocateGlobalBuffers();
        ReadStartupOptions(CommandLine, InstanceHandle);
        StartupOptions.startMode = 0;  // no Setup page at start: nobody would close it here
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
            EnumChildWindows(
                box,
                [](HWND child, LPARAM found) -> BOOL {
                    wchar_t cls[32], words[1024] = L"";
                    GetClassNameW(child, cls, 32);
                    if (lstrcmpiW(cls, L"Static") == 0 && GetWindowTextW(child, words, 1024) > 0)
                        *reinterpret_cast<std::wstring*>(found) += words;
                    return TRUE;
                },
                reinterpret_cast<LPARAM>(&text));
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
