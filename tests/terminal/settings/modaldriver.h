// Drives a modal dialog of this thread from inside its own message loop: a thread timer
// finds the dialog that is open and enabled (the innermost of nested ones) and hands it
// to the test's steps, which end it. A step that opens a nested dialog queues the steps
// for it first.
#pragma once

#include <functional>
#include <vector>

#include "terminal/core/base/win32.h"

namespace modal {

using Step = std::function<void(HWND dialog)>;

inline std::vector<Step>& Queue()
{
    static std::vector<Step> steps;
    return steps;
}

inline HWND OpenDialog()
{
    struct Search {
        HWND found = nullptr;
    } search;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM p) -> BOOL {
            wchar_t cls[16] = {};
            GetClassNameW(window, cls, 16);
            if (lstrcmpW(cls, L"#32770") == 0 && IsWindowVisible(window) && IsWindowEnabled(window)) {
                reinterpret_cast<Search*>(p)->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

inline void CALLBACK Tick(HWND, UINT, UINT_PTR timer, DWORD)
{
    // A timer whose step was taken by another, or cleared by its test, is spent.
    if (Queue().empty()) {
        KillTimer(nullptr, timer);
        return;
    }
    HWND dialog = OpenDialog();
    if (!dialog)
        return;
    KillTimer(nullptr, timer);
    Step step = Queue().front();
    Queue().erase(Queue().begin());
    step(dialog);
}

// Queues `step` for the next dialog that opens.
inline void Next(Step step)
{
    Queue().push_back(std::move(step));
    SetTimer(nullptr, 0, 30, Tick);
}

// The dialog's control handle and the usual gestures.
// A button pressed as the mouse presses it: an automatic check box flips itself, and
// the dialog hears BN_CLICKED.
inline void Click(HWND dialog, int id)
{
    SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

inline void Select(HWND dialog, int id, int index)
{
    HWND control = GetDlgItem(dialog, id);
    SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(control));
}

inline void SetText(HWND dialog, int id, const wchar_t* text)
{
    SetDlgItemTextW(dialog, id, text);
}

inline std::wstring Text(HWND dialog, int id)
{
    wchar_t text[512] = {};
    GetDlgItemTextW(dialog, id, text, 512);
    return text;
}

inline std::wstring Caption(HWND window)
{
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

inline bool Enabled(HWND dialog, int id)
{
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

inline bool Shown(HWND dialog, int id)
{
    return (GetWindowLongPtrW(GetDlgItem(dialog, id), GWL_STYLE) & WS_VISIBLE) != 0;
}

}  // namespace modal
