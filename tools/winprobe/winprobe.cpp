// winprobe: looks at and drives the windows of other programs under Wine, for
// whole-program tests. It reads one command per line on standard input and answers
// each with one line of JSON on standard output:
//
//   find CLASS [TIMEOUT_MS]           first visible-or-not top-level window of a class
//   find-all CLASS                    every top-level window of a class
//   wait-gone HWND [TIMEOUT_MS]       until the window no longer exists
//   info HWND                         class, title, styles, window and client rects, and
//                                     the window holding its thread's mouse capture, its
//                                     focus window and whether a menu is in its menu mode
//   children HWND                     direct and nested children: classes and control ids
//   text HWND                         WM_GETTEXT of a window
//   settext HWND TEXT                 WM_SETTEXT of a window (a dialog's edit field)
//   scrollinfo HWND                   range and thumb of a scroll bar control
//   dialogs                           top-level dialogs (#32770): title and texts
//   press TEXT [TIMEOUT_MS]           clicks the first dialog button with that text
//   post HWND MSG WPARAM LPARAM       PostMessageW (numbers decimal or 0x hex)
//   send HWND MSG WPARAM LPARAM [TIMEOUT_MS]  SendMessageTimeoutW (5 s unless given),
//                                     answers the result
//   command HWND ID                   posts WM_COMMAND with that id
//   find-dialog TITLE [TIMEOUT_MS]    first visible dialog (#32770) with that title
//   ctl HWND ID                       a dialog control: class, text, enabled, visible, check
//                                     state, style and screen rect
//   items HWND ID                     a combo or list box: items with their data, selection,
//                                     item height and top index
//   set-text HWND ID TEXT             WM_SETTEXT on the control
//   select HWND ID INDEX              sets the selection, then posts the control's
//                                     selection-change notification to the dialog
//   click HWND ID                     posts BM_CLICK to the control: it is pressed as the mouse
//                                     presses it (automatic check boxes flip, BN_CLICKED follows)
//   workarea                          SPI_GETWORKAREA
//   clip-text / clip-set-text HEX / clip-set-file PATH / clip-set-bitmap W H /
//   clip-save-bitmap PATH / clip-hold / clip-release / clip-empty   the clipboard
//                                     (clipboard.h)
//   move HWND X Y WIDTH HEIGHT        SetWindowPos (no z-order change), answers the new rect
//   quit
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "tools/common/commandlines.h"
#include "tools/winprobe/answers.h"
#include "tools/winprobe/clipboard.h"

namespace {

std::string Hwnd(HWND h)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "\"0x%llx\"", (unsigned long long)(uintptr_t)h);
    return buf;
}

HWND ParseHwnd(const std::string& s)
{
    return (HWND)(uintptr_t)std::strtoull(s.c_str(), nullptr, 0);
}

long long Number(const std::string& s)
{
    return std::strtoll(s.c_str(), nullptr, 0);
}

std::wstring ClassOf(HWND h)
{
    wchar_t buf[256] = {};
    GetClassNameW(h, buf, 255);
    return buf;
}

// The window that holds the mouse capture on the window's thread: a test that drags with
// real input waits for the release to be handled before it looks at the result.
HWND CaptureOf(HWND h)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(h, nullptr), &info) ? info.hwndCapture : nullptr;
}

// The window's thread's input state: its focus window and whether a menu tracks the
// keyboard (a test that presses keys waits for a menu to be gone, or sees one wrongly open).
GUITHREADINFO ThreadInputOf(HWND h)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(h, nullptr), &info))
        info = GUITHREADINFO{};
    return info;
}

std::wstring TextOf(HWND h)
{
    wchar_t buf[4096] = {};
    DWORD_PTR got = 0;
    SendMessageTimeoutW(h, WM_GETTEXT, 4095, (LPARAM)buf, SMTO_ABORTIFHUNG, 2000, &got);
    return buf;
}

std::string Rect(const RECT& r)
{
    char buf[96];
    std::snprintf(buf, sizeof buf, "[%ld,%ld,%ld,%ld]", r.left, r.top, r.right, r.bottom);
    return buf;
}

struct FindState {
    std::wstring cls;
    HWND found;
};

BOOL CALLBACK FindTop(HWND h, LPARAM p)
{
    auto* st = (FindState*)p;
    if (ClassOf(h) == st->cls) {
        st->found = h;
        return FALSE;
    }
    return TRUE;
}

HWND FindClassWait(const std::wstring& cls, DWORD timeout)
{
    DWORD start = GetTickCount();
    for (;;) {
        FindState st{cls, nullptr};
        EnumWindows(FindTop, (LPARAM)&st);
        if (st.found || GetTickCount() - start >= timeout)
            return st.found;
        Sleep(50);
    }
}

BOOL CALLBACK CollectChild(HWND h, LPARAM p)
{
    ((std::vector<HWND>*)p)->push_back(h);
    return TRUE;
}

std::vector<HWND> ChildrenOf(HWND h)
{
    std::vector<HWND> v;
    EnumChildWindows(h, CollectChild, (LPARAM)&v);
    return v;
}

BOOL CALLBACK CollectTop(HWND h, LPARAM p)
{
    ((std::vector<HWND>*)p)->push_back(h);
    return TRUE;
}

std::vector<HWND> Dialogs()
{
    std::vector<HWND> all, out;
    EnumWindows(CollectTop, (LPARAM)&all);
    for (HWND h : all)
        if (ClassOf(h) == L"#32770" && IsWindowVisible(h))
            out.push_back(h);
    return out;
}

std::string DialogJson(HWND d)
{
    std::string s = "{\"hwnd\":" + Hwnd(d) + ",\"title\":" + Json(Utf8(TextOf(d))) + ",\"texts\":[";
    std::string buttons = "[";
    bool firstText = true, firstButton = true;
    for (HWND c : ChildrenOf(d)) {
        std::wstring cls = ClassOf(c);
        std::string t = Json(Utf8(TextOf(c)));
        if (_wcsicmp(cls.c_str(), L"Button") == 0) {
            buttons += (firstButton ? "" : ",") + t;
            firstButton = false;
        } else if (_wcsicmp(cls.c_str(), L"Static") == 0 || _wcsicmp(cls.c_str(), L"Edit") == 0) {
            s += (firstText ? "" : ",") + t;
            firstText = false;
        }
    }
    return s + "],\"buttons\":" + buttons + "]}";
}

bool IsCombo(HWND h)
{
    return _wcsicmp(ClassOf(h).c_str(), L"ComboBox") == 0;
}

LRESULT Send(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutW(h, msg, wp, lp, SMTO_ABORTIFHUNG, 5000, &result);
    return (LRESULT)result;
}

std::string ControlJson(HWND dialog, int id)
{
    HWND c = GetDlgItem(dialog, id);
    if (!c)
        return "{\"ok\":false,\"error\":\"no control\"}";
    RECT r{};
    GetWindowRect(c, &r);
    const std::wstring cls = ClassOf(c);
    long long check = -1;
    if (_wcsicmp(cls.c_str(), L"Button") == 0)
        check = (long long)Send(c, BM_GETCHECK, 0, 0);
    char buf[160];
    std::snprintf(buf, sizeof buf, ",\"enabled\":%s,\"visible\":%s,\"check\":%lld,\"style\":%lu,\"rect\":",
                  IsWindowEnabled(c) ? "true" : "false", IsWindowVisible(c) ? "true" : "false", check,
                  (unsigned long)GetWindowLongPtrW(c, GWL_STYLE));
    return "{\"ok\":true,\"hwnd\":" + Hwnd(c) + ",\"class\":" + Json(Utf8(cls)) +
           ",\"text\":" + Json(Utf8(TextOf(c))) + buf + Rect(r) + "}";
}

std::string ItemsJson(HWND dialog, int id)
{
    HWND c = GetDlgItem(dialog, id);
    if (!c)
        return "{\"ok\":false,\"error\":\"no control\"}";
    const bool combo = IsCombo(c);
    const UINT getCount = combo ? CB_GETCOUNT : LB_GETCOUNT, getLen = combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN,
               getText = combo ? CB_GETLBTEXT : LB_GETTEXT, getData = combo ? CB_GETITEMDATA : LB_GETITEMDATA,
               getSel = combo ? CB_GETCURSEL : LB_GETCURSEL,
               getHeight = combo ? CB_GETITEMHEIGHT : LB_GETITEMHEIGHT;
    const long long count = (long long)Send(c, getCount, 0, 0);
    std::string items = "[";
    for (long long i = 0; i < count; ++i) {
        const long long len = (long long)Send(c, getLen, (WPARAM)i, 0);
        std::wstring text(len > 0 ? (size_t)len + 1 : 1, L'\0');
        if (len > 0)
            Send(c, getText, (WPARAM)i, (LPARAM)text.data());
        text.resize(wcsnlen(text.c_str(), text.size()));
        char data[32];
        std::snprintf(data, sizeof data, "%lld", (long long)Send(c, getData, (WPARAM)i, 0));
        items += std::string(i ? "," : "") + "{\"text\":" + Json(Utf8(text)) + ",\"data\":" + data + "}";
    }
    char tail[160];
    std::snprintf(tail, sizeof tail, "],\"selected\":%lld,\"itemHeight\":%lld,\"topIndex\":%lld}",
                  (long long)Send(c, getSel, 0, 0), (long long)Send(c, getHeight, 0, 0),
                  combo ? 0LL : (long long)Send(c, LB_GETTOPINDEX, 0, 0));
    return "{\"ok\":true,\"items\":" + items + tail;
}

std::string Handle(const std::vector<std::string>& a)
{
    std::string clipboardAnswer;
    if (ClipboardCommand(a, &clipboardAnswer))
        return clipboardAnswer;
    const std::string& cmd = a[0];
    auto arg = [&](size_t i) { return i < a.size() ? a[i] : std::string(); };
    if (cmd == "find") {
        HWND h = FindClassWait(Wide(arg(1)), a.size() > 2 ? (DWORD)Number(arg(2)) : 0);
        return h ? "{\"ok\":true,\"hwnd\":" + Hwnd(h) + "}" : Error("not found");
    }
    if (cmd == "find-all") {
        struct All {
            std::wstring cls;
            std::string list;
        } all{Wide(arg(1)), ""};
        EnumWindows(
            [](HWND h, LPARAM p) -> BOOL {
                auto* st = (All*)p;
                if (ClassOf(h) == st->cls)
                    st->list += (st->list.empty() ? "" : ",") + Hwnd(h);
                return TRUE;
            },
            (LPARAM)&all);
        return "{\"ok\":true,\"windows\":[" + all.list + "]}";
    }
    if (cmd == "wait-gone") {
        HWND h = ParseHwnd(arg(1));
        DWORD timeout = a.size() > 2 ? (DWORD)Number(arg(2)) : 0, start = GetTickCount();
        while (IsWindow(h) && GetTickCount() - start < timeout)
            Sleep(20);
        return IsWindow(h) ? Error("still there") : "{\"ok\":true}";
    }
    if (cmd == "info") {
        HWND h = ParseHwnd(arg(1));
        if (!IsWindow(h))
            return Error("no window");
        RECT wr, cr;
        GetWindowRect(h, &wr);
        GetClientRect(h, &cr);
        char buf[128];
        std::snprintf(buf, sizeof buf, "\"style\":%lu,\"exstyle\":%lu,\"visible\":%s,",
                      (unsigned long)GetWindowLongPtrW(h, GWL_STYLE),
                      (unsigned long)GetWindowLongPtrW(h, GWL_EXSTYLE), IsWindowVisible(h) ? "true" : "false");
        return "{\"ok\":true,\"class\":" + Json(Utf8(ClassOf(h))) + ",\"title\":" + Json(Utf8(TextOf(h))) + "," +
               buf + "\"rect\":" + Rect(wr) + ",\"client\":" + Rect(cr) + ",\"parent\":" + Hwnd(GetParent(h)) +
               ",\"menu\":" + Hwnd((HWND)GetMenu(h)) + ",\"capture\":" + Hwnd(CaptureOf(h)) +
               ",\"focus\":" + Hwnd(ThreadInputOf(h).hwndFocus) +
               ",\"menumode\":" + ((ThreadInputOf(h).flags & GUI_INMENUMODE) ? "true" : "false") + "}";
    }
    if (cmd == "children") {
        std::string s = "{\"ok\":true,\"children\":[";
        bool first = true;
        for (HWND c : ChildrenOf(ParseHwnd(arg(1)))) {
            s += (first ? "" : ",") + std::string("{\"hwnd\":") + Hwnd(c) +
                 ",\"id\":" + std::to_string(GetDlgCtrlID(c)) + ",\"class\":" + Json(Utf8(ClassOf(c))) +
                 ",\"parent\":" + Hwnd(GetParent(c)) + ",\"visible\":" + (IsWindowVisible(c) ? "true" : "false") +
                 "}";
            first = false;
        }
        return s + "]}";
    }
    if (cmd == "scrollinfo") {
        // A scroll bar control's range and thumb, as the user sees them.
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_ALL;
        if (!GetScrollInfo(ParseHwnd(arg(1)), SB_CTL, &info))
            return Error("no scroll information");
        return "{\"ok\":true,\"min\":" + std::to_string(info.nMin) + ",\"max\":" + std::to_string(info.nMax) +
               ",\"pos\":" + std::to_string(info.nPos) + "}";
    }
    if (cmd == "settext") {
        // WM_SETTEXT carries its text across processes.
        std::wstring text = Wide(arg(2));
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutW(ParseHwnd(arg(1)), WM_SETTEXT, 0, (LPARAM)text.c_str(), SMTO_ABORTIFHUNG, 5000,
                                 &result))
            return Error("settext failed");
        return "{\"ok\":true}";
    }
    if (cmd == "text")
        return "{\"ok\":true,\"text\":" + Json(Utf8(TextOf(ParseHwnd(arg(1))))) + "}";
    if (cmd == "dialogs") {
        std::string s = "{\"ok\":true,\"dialogs\":[";
        bool first = true;
        for (HWND d : Dialogs()) {
            s += (first ? "" : ",") + DialogJson(d);
            first = false;
        }
        return s + "]}";
    }
    if (cmd == "press") {
        std::wstring want = Wide(arg(1));
        DWORD timeout = a.size() > 2 ? (DWORD)Number(arg(2)) : 0, start = GetTickCount();
        for (;;) {
            for (HWND d : Dialogs())
                for (HWND c : ChildrenOf(d)) {
                    std::wstring t = TextOf(c);
                    std::wstring plain;
                    for (wchar_t ch : t)
                        if (ch != L'&')
                            plain += ch;
                    if (_wcsicmp(ClassOf(c).c_str(), L"Button") == 0 && (t == want || plain == want)) {
                        PostMessageW(d, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(c), BN_CLICKED), (LPARAM)c);
                        return "{\"ok\":true,\"dialog\":" + Hwnd(d) + "}";
                    }
                }
            if (GetTickCount() - start >= timeout)
                return Error("no such button");
            Sleep(50);
        }
    }
    if (cmd == "post" || cmd == "send") {
        HWND h = ParseHwnd(arg(1));
        UINT msg = (UINT)Number(arg(2));
        WPARAM wp = (WPARAM)Number(arg(3));
        LPARAM lp = (LPARAM)Number(arg(4));
        if (cmd == "post")
            return PostMessageW(h, msg, wp, lp) ? "{\"ok\":true}" : Error("post failed");
        DWORD_PTR result = 0;
        const UINT timeout = a.size() > 5 ? (UINT)Number(arg(5)) : 5000;
        if (!SendMessageTimeoutW(h, msg, wp, lp, SMTO_ABORTIFHUNG, timeout, &result))
            return Error("send failed");
        return "{\"ok\":true,\"result\":" + std::to_string((long long)result) + "}";
    }
    if (cmd == "command") {
        HWND h = ParseHwnd(arg(1));
        return PostMessageW(h, WM_COMMAND, (WPARAM)Number(arg(2)), 0) ? "{\"ok\":true}" : Error("post failed");
    }
    if (cmd == "move") {
        HWND h = ParseHwnd(arg(1));
        if (!SetWindowPos(h, nullptr, (int)Number(arg(2)), (int)Number(arg(3)), (int)Number(arg(4)),
                          (int)Number(arg(5)), SWP_NOZORDER | SWP_NOACTIVATE))
            return Error("move failed");
        RECT r{};
        GetWindowRect(h, &r);
        return "{\"ok\":true,\"rect\":" + Rect(r) + "}";
    }
    if (cmd == "find-dialog") {
        const std::wstring want = Wide(arg(1));
        DWORD timeout = a.size() > 2 ? (DWORD)Number(arg(2)) : 0, start = GetTickCount();
        for (;;) {
            for (HWND d : Dialogs())
                if (TextOf(d) == want)
                    return "{\"ok\":true,\"hwnd\":" + Hwnd(d) + "}";
            if (GetTickCount() - start >= timeout)
                return Error("no such dialog");
            Sleep(50);
        }
    }
    if (cmd == "ctl")
        return ControlJson(ParseHwnd(arg(1)), (int)Number(arg(2)));
    if (cmd == "items")
        return ItemsJson(ParseHwnd(arg(1)), (int)Number(arg(2)));
    if (cmd == "set-text") {
        HWND c = GetDlgItem(ParseHwnd(arg(1)), (int)Number(arg(2)));
        if (!c)
            return Error("no control");
        const std::wstring text = Wide(arg(3));
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutW(c, WM_SETTEXT, 0, (LPARAM)text.c_str(), SMTO_ABORTIFHUNG, 5000, &result))
            return Error("send failed");
        return "{\"ok\":true}";
    }
    if (cmd == "select") {
        HWND dialog = ParseHwnd(arg(1));
        const int id = (int)Number(arg(2));
        HWND c = GetDlgItem(dialog, id);
        if (!c)
            return Error("no control");
        const bool combo = IsCombo(c);
        const LRESULT got = Send(c, combo ? CB_SETCURSEL : LB_SETCURSEL, (WPARAM)Number(arg(3)), 0);
        if (got == (combo ? CB_ERR : LB_ERR))
            return Error("no such item");
        const WORD code = combo ? CBN_SELCHANGE : LBN_SELCHANGE;
        return PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, code), (LPARAM)c) ? "{\"ok\":true}"
                                                                                 : Error("post failed");
    }
    if (cmd == "click") {
        HWND dialog = ParseHwnd(arg(1));
        const int id = (int)Number(arg(2));
        HWND c = GetDlgItem(dialog, id);
        if (!c)
            return Error("no control");
        return PostMessageW(c, BM_CLICK, 0, 0) ? "{\"ok\":true}" : Error("post failed");
    }
    if (cmd == "workarea") {
        RECT r{};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
        return "{\"ok\":true,\"rect\":" + Rect(r) + "}";
    }
    return Error("unknown command " + cmd);
}

}  // namespace

int main()
{
    char line[8192];
    while (std::fgets(line, sizeof line, stdin)) {
        std::string s(line);
        while (!s.empty() && (s.back() == '\n' || s.back() == '\r'))
            s.pop_back();
        auto args = SplitCommand(s);
        if (args.empty())
            continue;
        if (args[0] == "quit")
            break;
        std::string out = Handle(args);
        std::fputs((out + "\n").c_str(), stdout);
        std::fflush(stdout);
    }
    return 0;
}
