// Shared helpers of the frame tests: registry values of the program key, the main
// window made once per test program, and a watcher that answers message boxes.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace frame_test {

constexpr wchar_t kBase[] = L"Software\\Quorlan\\vexaNT";

void SetString(HKEY root, const std::wstring& path, const wchar_t* name, const std::wstring& value);
void SetDword(HKEY root, const std::wstring& path, const wchar_t* name, DWORD value);
bool ReadString(HKEY root, const std::wstring& path, const wchar_t* name, std::wstring* value);
bool ReadDword(HKEY root, const std::wstring& path, const wchar_t* name, DWORD* value);
bool KeyExists(HKEY root, const std::wstring& path);
void DeleteTree(HKEY root, const std::wstring& path);
// Deletes the program key in both roots, and the thin client's keys.
void ClearSettings();

// Binds the English language module of the build (WorkDir names its directory).
void UseEnglishModule();

// The main window of this test program, created on first use (with its menus).
HWND MainWindow();
// Dispatches like the main loop until the queue is dry.
void PumpMessages();

// The host byte source of this test program: a file the host-data thread follows.
void FeedHost(const std::string& bytes);
// Starts the host-data thread on that source (once).
void StartHost();
// Starts the host and brings back the default emulation an earlier test may have left;
// false when the switch did not come.
bool StartHostOnDefaultEmulation();
// Pumps messages until `done` holds or the time runs out; the last result of `done`.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs);
// Text of a store slot, trailing blanks removed.
std::string SlotText(int slot);
// Every line of the store, history (oldest first) then the screen rows.
std::vector<std::string> StoreLines();
// Whether any line of the store holds `text`.
bool OnScreen(const std::string& text);

// Answers every message box of this process with `button` while it lives, and records
// their texts.
class MessageBoxAnswerer {
public:
    explicit MessageBoxAnswerer(int button = IDOK);
    ~MessageBoxAnswerer();
    std::vector<std::wstring> Texts();

private:
    void Run();
    int button_;
    std::atomic<bool> stop_{false};
    std::mutex lock_;
    std::vector<std::wstring> texts_;
    std::thread thread_;
};

}  // namespace frame_test
