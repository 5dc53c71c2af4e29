// Text through the clipboard: the marked cells copied as Unicode text, and clipboard
// text pasted as typed input by a short-lived thread of its own.
#include <cstring>

#include "terminal/core/base/menus.h"
#include "terminal/core/window/selection/selection.h"
#include "terminal/input/macros/eventtext.h"

namespace {

// Set and cleared on the user-interface thread only; the paste thread never touches it.
HANDLE g_pasteThread = nullptr;

DWORD WINAPI PasteThread(LPVOID window)
{
    PasteClipboardText(static_cast<HWND>(window));
    return 0;
}

// Takes the clipboard's text in the emulation's form; the clipboard is closed on every
// path out.
int TakeClipboardText(HWND window, SelectionText* text)
{
    if (!OpenClipboard(window))
        return -1;
    int result = 0;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (!data) {
        result = -2;
    } else if (const auto* units = static_cast<const wchar16*>(GlobalLock(data))) {
        // The handle's size bounds the text where a terminator is missing.
        const std::size_t limit = GlobalSize(data) / sizeof(wchar16);
        std::size_t length = 0;
        while (length < limit && units[length])
            ++length;
        try {
            *text = FilterPasteText(units, length, PasteKeepsLineFeed());
        } catch (...) {
            result = -3;
        }
        GlobalUnlock(data);
    } else {
        result = -4;
    }
    CloseClipboard();
    return result;
}

}  // namespace

void CopySelectionText(HWND window)
{
    if (!SelectionPresent())
        return;
    SelectionText text;
    try {
        if (!TakeSelectedText(&text))
            return;
    } catch (...) {
        return;
    }
    // Nothing is changed, and the selection stays, when the clipboard is busy.
    if (!OpenClipboard(window))
        return;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar16));
    if (void* units = block ? GlobalLock(block) : nullptr) {
        std::memcpy(units, text.c_str(), (text.size() + 1) * sizeof(wchar16));
        GlobalUnlock(block);
        EmptyClipboard();
        if (SetClipboardData(CF_UNICODETEXT, block))
            block = nullptr;  // the clipboard owns it now
    }
    if (block)
        GlobalFree(block);
    CloseClipboard();
    UpdateEditMenu();
}

int PasteClipboardText(HWND window)
{
    SelectionText text;
    const int result = TakeClipboardText(window, &text);
    if (result == 0 && !text.empty())
        QueueStringEvent(text.data(), 7, static_cast<int>(text.size()));
    return result;
}

void WaitForPasteThread()
{
    if (!g_pasteThread)
        return;
    WaitForSingleObject(g_pasteThread, INFINITE);
    CloseHandle(g_pasteThread);
    g_pasteThread = nullptr;
}

void StartPaste(HWND window)
{
    // One paste at a time: a paste thread still running is waited for; one that has
    // ended (whatever its result) is only closed.
    WaitForPasteThread();
    g_pasteThread = CreateThread(nullptr, 0, PasteThread, window, 0, nullptr);
}
