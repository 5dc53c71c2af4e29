#include "lpr/lprdebug.h"

#include <atomic>
#include <cwchar>
#include <new>

#include "lpr/resource.h"

namespace {

// A posted line: lParam is a text allocated with new[], owned by the message.
constexpr UINT WM_LPR_DEBUG_LINE = WM_APP + 1;

std::atomic<HWND> g_window{nullptr};
std::atomic<bool> g_hidden{false};

void FreePostedLines(HWND window)
{
    MSG m;
    while (PeekMessageW(&m, window, WM_LPR_DEBUG_LINE, WM_LPR_DEBUG_LINE, PM_REMOVE))
        delete[] reinterpret_cast<wchar16*>(m.lParam);
}

INT_PTR CALLBACK LprDebugDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDCANCEL: DestroyWindow(window); return TRUE;
        case IDC_LPR_DEBUG_CLEAR:
            SendDlgItemMessageW(window, IDC_LPR_DEBUG_LIST, LB_RESETCONTENT, 0, 0);
            return TRUE;
        case IDC_LPR_DEBUG_HIDE:
            ShowWindow(window, SW_HIDE);
            g_hidden = true;
            return TRUE;
        }
        break;
    case WM_LPR_DEBUG_LINE: {
        wchar16* text = reinterpret_cast<wchar16*>(lParam);
        if (g_hidden.exchange(false))
            ShowWindow(window, SW_SHOW);
        SendDlgItemMessageW(window, IDC_LPR_DEBUG_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        delete[] text;
        return TRUE;
    }
    case WM_DESTROY: FreePostedLines(window); break;
    case WM_NCDESTROY: {
        HWND expected = window;
        g_window.compare_exchange_strong(expected, nullptr);
        break;
    }
    }
    return FALSE;
}

}  // namespace

HWND LprStartDebugWindow(HINSTANCE instance, HWND owner)
{
    HWND existing = g_window.load();
    if (existing && IsWindow(existing)) {
        ShowWindow(existing, SW_SHOW);
        g_hidden = false;
        return existing;
    }
    // The window's procedure lives in this module, so the module stays loaded as long as
    // the process: an unload under a live window would leave it calling freed code.
    HMODULE pinned = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_PIN | GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                       reinterpret_cast<LPCWSTR>(&LprDebugDialogProc), &pinned);
    if (owner && !IsWindow(owner))
        owner = nullptr;
    HWND window = CreateDialogParamW(instance, MAKEINTRESOURCEW(IDD_LPR_DEBUG), owner, LprDebugDialogProc, 0);
    if (!window)
        return nullptr;
    SetWindowTextW(window, L"LPR-Debug Output");
    RECT around, self;
    if (!owner || !GetWindowRect(owner, &around))
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &around, 0);
    GetWindowRect(window, &self);
    const int width = self.right - self.left, height = self.bottom - self.top;
    SetWindowPos(window, nullptr, around.left + (around.right - around.left - width) / 2,
                 around.top + (around.bottom - around.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    g_hidden = false;
    g_window = window;
    ShowWindow(window, SW_SHOW);
    return window;
}

void LprDebugAddLine(const wchar16* text)
{
    HWND window = g_window.load();
    if (!window || !text)
        return;
    const size_t n = std::wcslen(text);
    wchar16* copy = new (std::nothrow) wchar16[n + 1];
    if (!copy)
        return;
    std::wmemcpy(copy, text, n + 1);
    if (!PostMessageW(window, WM_LPR_DEBUG_LINE, 0, reinterpret_cast<LPARAM>(copy)))
        delete[] copy;
}
