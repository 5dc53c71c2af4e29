// Login scripts: a thread that types the Initiate text, then for each entry waits for a
// text from the host (or for the keyboard to lock or unlock) and types the entry's
// response. The entries are values of the key "Startup,<connection>" that the connection
// wizard writes for a registered connection, else of the start-up options set's key.
#include "terminal/comms/capture/loginscript.h"

#include <atomic>
#include <string>

#include "terminal/comms/capture/loginmatch.h"
#include "terminal/comms/serial/serial.h"
#include "terminal/comms/telnet/sockets.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/handles.h"
#include "terminal/core/base/language.h"
#include "terminal/core/base/threadwait.h"
#include "terminal/core/base/win32.h"
#include "terminal/core/host/hostio.h"
#include "terminal/core/host/hostthread.h"
#include "terminal/input/macros/eventtext.h"
#include "terminal/input/macros/keyevents.h"
#include "terminal/core/base/registry.h"
#include "terminal/core/base/startopts.h"

namespace {
constexpr int kUserNameDialog = 2154, kPasswordDialog = 2155;
constexpr int kPromptLabel = 1150, kPromptEdit = 1151;
constexpr int kPromptUnits = 128;
constexpr int kWaitUnits = 81, kResponseUnits = 255;
constexpr DWORD kStopWaitMs = 3000;
constexpr DWORD kConnectionPollMs = 100;

struct LoginScriptState {
    HANDLE thread = nullptr;
    std::atomic<DWORD> threadId{0};
    int priority = THREAD_PRIORITY_NORMAL;
    HANDLE scriptEvent = nullptr;  // a character arrived, a condition may have changed, or stop
    HANDLE doneEvent = nullptr;
    // Set with the script event by the host-data thread, cleared by the script before it
    // resets the event: one signal per wake, not one per received byte.
    std::atomic<u8> signalled{0};
    std::atomic<u8> stop{0};
    std::atomic<u8> pause{0};
    // -1 none, 0 wait for the keyboard to lock, 1 to unlock; the state seen when set.
    std::atomic<int> condition{-1};
    std::atomic<u8> lockedWhenSet{0};
    std::atomic<HWND> prompt{nullptr};
};
LoginScriptState g_script;
LoginMatcher g_matcher;

// A connection started by its registered name (-W) keeps its script under that name.
HKEY OpenScriptKey()
{
    const bool registered = StartupOptions.registeredConnection && Slots.profileName[0];
    return SettingsOpenStartupKey(registered ? Slots.profileName : Slots.startupSetName);
}

struct PromptParameter {
    wchar_t text[kPromptUnits];
    int kind;  // 0 user name, 1 password
};

INT_PTR CALLBACK LoginPromptDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        auto* p = reinterpret_cast<PromptParameter*>(lParam);
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        SetDlgItemTextW(dialog, kPromptLabel, p->kind ? L"Password:" : L"Username:");
        SetWindowTextW(dialog, Slots.windowTitle);
        for (int id : {IDOK, IDCANCEL}) {
            wchar_t text[32];
            LoadLanguageString(InstanceHandle, static_cast<u32>(id), text, 32);
            SetDlgItemTextW(dialog, id, text);
        }
        SendDlgItemMessageW(dialog, kPromptEdit, EM_LIMITTEXT, kPromptUnits - 1, 0);
        g_script.prompt = dialog;
        // A stop asked for before the dialog existed ends it at once.
        if (g_script.stop)
            PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            auto* p = reinterpret_cast<PromptParameter*>(GetWindowLongPtrW(dialog, DWLP_USER));
            const int n = GetDlgItemTextW(dialog, kPromptEdit, p->text, kPromptUnits);
            EndDialog(dialog, g_script.stop ? 0 : n);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, 0);
            return TRUE;
        }
        break;
    case WM_DESTROY: g_script.prompt = nullptr; break;
    }
    return FALSE;
}

bool Stopping()
{
    return g_script.stop || QuitRequested;
}

void TypeText(const std::u16string& text)
{
    if (!text.empty())
        QueueStringEvent(reinterpret_cast<const wchar16*>(text.c_str()), 7, static_cast<int>(text.size()));
}

// Asks for a user name or password on this thread, owned by the main window; the text
// entered, empty after Cancel.
std::u16string Prompt(int kind)
{
    PromptParameter p{};
    p.kind = kind;
    SetModalFlag(1);
    const INT_PTR n = DialogBoxParamW(InstanceHandle, MAKEINTRESOURCEW(kind ? kPasswordDialog : kUserNameDialog),
                                      MainWindowHandle, LoginPromptDialogProc, reinterpret_cast<LPARAM>(&p));
    SetModalFlag(0);
    if (n <= 0)
        return {};
    return std::u16string(reinterpret_cast<const char16_t*>(p.text), static_cast<std::size_t>(n));
}

void Type(const std::u16string& response)
{
    for (const LoginAction& a : ParseLoginResponse(response)) {
        if (Stopping())
            return;
        switch (a.kind) {
        case LoginActionKind::Text: TypeText(a.text); break;
        case LoginActionKind::UserName: TypeText(Prompt(0)); break;
        case LoginActionKind::Password: TypeText(Prompt(1)); break;
        case LoginActionKind::Pause:
            // Text arriving meanwhile is not matched; a stop ends the pause.
            g_script.pause = 1;
            WaitForSingleObject(g_script.scriptEvent, a.pauseMs);
            if (!Stopping())
                ResetEvent(g_script.scriptEvent);
            g_script.pause = 0;
            break;
        case LoginActionKind::Key:
            if (a.shift < 0)
                QueueInputEvent(1, static_cast<u16>(a.key), 0xFFFF);
            else
                QueueInputEvent(3, static_cast<u16>(a.key), static_cast<u16>(a.shift));
            break;
        }
    }
}

std::u16string ReadText(HKEY key, const wchar_t* name, int capacity, bool* present)
{
    wchar_t buffer[kResponseUnits + 1] = {};
    *present = key && RegQueryValueExW(key, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    if (*present)
        SettingsReadStringDefault(key, name, L"", buffer, capacity);
    return std::u16string(reinterpret_cast<const char16_t*>(buffer));
}

std::u16string Entry(HKEY key, const wchar_t* format, int step, int capacity, bool* present)
{
    wchar_t name[32];
    _snwprintf(name, 31, format, step);
    name[31] = 0;
    return ReadText(key, name, capacity, present);
}

// The condition's state is tested now: already met, it is no condition at all.
void SetCondition(int code)
{
    const bool locked = IsKeyboardInhibited();
    if ((code == 0 && locked) || (code == 1 && !locked))
        code = -1;
    g_script.lockedWhenSet = locked ? 1 : 0;
    g_script.condition = code;
}

bool ConditionMet()
{
    const bool locked = IsKeyboardInhibited();
    const int code = g_script.condition;
    return code == 0 ? locked : code == 1 ? !locked : true;
}

DWORD WINAPI LoginScriptThread(void*)
{
    g_matcher.Clear();
    g_matcher.Await({});
    g_script.condition = -1;
    ResetEvent(g_script.scriptEvent);
    // The script answers a host: what it typed before the connection is made would be
    // lost, so it starts once the line is open.
    while (!Stopping() && !NetworkConnectionOpen() && !ConfiguredSerialPortOpen())
        WaitForSingleObject(g_script.scriptEvent, kConnectionPollMs);
    ResetEvent(g_script.scriptEvent);
    HKEY key = Stopping() ? nullptr : OpenScriptKey();
    const u32 entries = key ? SettingsReadDword(key, L"iNumEntries", 0, 0) : 0;
    for (int step = -1; key && !Stopping();) {
        bool present = false;
        const std::u16string response = step < 0 ? ReadText(key, L"Initiate", kResponseUnits, &present)
                                                 : Entry(key, L"Response%d", step, kResponseUnits, &present);
        Type(response);
        ++step;
        if (Stopping() || static_cast<u32>(step) >= entries)
            break;
        g_matcher.Await({});
        g_script.condition = -1;
        const std::u16string waitFor = Entry(key, L"WaitFor%d", step, kWaitUnits, &present);
        if (present && !waitFor.empty()) {
            g_matcher.Await(waitFor);
        } else {
            const int code = ParseLoginCondition(Entry(key, L"WaitCond%d", step, kWaitUnits, &present));
            if (code >= 0) {
                g_matcher.Clear();
                SetCondition(code);
            }
        }
        // The event is reset before each test, so a signal that comes during the test is
        // not lost; and before the flag is cleared, or a signal between the two would be
        // reset while the flag still says one is pending, and no later byte would wake
        // the script again.
        while (!Stopping() && (g_matcher.Awaiting() || g_script.condition >= 0)) {
            ResetEvent(g_script.scriptEvent);
            g_script.signalled = 0;
            if (g_matcher.Awaiting() ? g_matcher.TestMatch() : ConditionMet())
                break;
            WaitForSingleObject(g_script.scriptEvent, INFINITE);
        }
    }
    if (key)
        SettingsCloseKey(key);
    g_matcher.Await({});
    g_matcher.Clear();
    g_script.condition = -1;
    g_script.threadId = 0;
    SetEvent(g_script.doneEvent);
    return 0;
}
}  // namespace

void StartLoginScript()
{
    if (g_script.threadId)
        return;
    HKEY key = OpenScriptKey();
    const u32 entries = key ? SettingsReadDword(key, L"iNumEntries", 0, 0) : 0;
    if (key)
        SettingsCloseKey(key);
    if (entries == 0)
        return;
    StopLoginScript();
    // The events live as long as the program: the host-data thread may still signal
    // one while a script ends.
    if (!g_script.doneEvent)
        g_script.doneEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!g_script.scriptEvent)
        g_script.scriptEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!g_script.doneEvent || !g_script.scriptEvent)
        return;
    g_script.stop = 0;
    g_script.pause = 0;
    ResetEvent(g_script.doneEvent);
    ResetEvent(g_script.scriptEvent);
    DWORD id = 0;
    g_script.thread = CreateThread(nullptr, 0, LoginScriptThread, nullptr, CREATE_SUSPENDED, &id);
    if (!g_script.thread)
        return;
    g_script.threadId = id;
    g_script.priority = GetThreadPriority(g_script.thread);
    ResumeThread(g_script.thread);
}

void StopLoginScript()
{
    g_script.stop = 1;
    if (g_script.scriptEvent)
        SetEvent(g_script.scriptEvent);
    if (HWND prompt = g_script.prompt)
        PostMessageW(prompt, WM_COMMAND, IDCANCEL, 0);
    if (g_script.thread) {
        // The thread may be in its prompt, whose owner is the main window: keep this
        // thread's messages moving while it ends.
        if (g_script.doneEvent)
            WaitForThreadPumping(g_script.doneEvent, kStopWaitMs);
        CloseHandle(g_script.thread);
        g_script.thread = nullptr;
    }
    g_script.threadId = 0;
}

bool LoginScriptRunning()
{
    return g_script.threadId != 0;
}

void SetLoginScriptPriority(int priority)
{
    if (!g_script.thread)
        return;
    SetThreadPriority(g_script.thread, priority == THREAD_PRIORITY_NORMAL ? g_script.priority : priority);
}

void NotifyLoginScriptState()
{
    const int code = g_script.condition;
    if (code < 0 || !g_script.scriptEvent)
        return;
    if ((IsKeyboardInhibited() ? 1 : 0) != g_script.lockedWhenSet && !g_script.signalled.exchange(1))
        SetEvent(g_script.scriptEvent);
}

void MatchLoginScriptText(int value)
{
    if (value < 0 || g_script.pause || !g_script.threadId)
        return;
    g_matcher.Append(static_cast<wchar16>(value & 0xFF));
    if (g_script.scriptEvent && !g_script.signalled.exchange(1))
        SetEvent(g_script.scriptEvent);
}
