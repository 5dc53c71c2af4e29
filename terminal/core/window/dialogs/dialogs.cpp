#include "terminal/core/window/dialogs/dialogs.h"

#include <cwchar>

#include "terminal/comms/telnet/netsession.h"
#include "terminal/comms/telnet/sockets.h"
#include "terminal/core/base/commandids.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/handles.h"
#include "terminal/core/screen/display.h"
#include "terminal/core/window/dialogs/dialogbase.h"
#include "terminal/core/base/language.h"
#include "terminal/core/paint/screencolours.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/core/base/version.h"

namespace {

constexpr u32 kStrOk = 1, kStrCancel = 2;
constexpr u32 kStrAboutCaption = 5000;  // "About %s "
constexpr u32 kStrProgramDescription = 10108;
constexpr u32 kStrVersionWord = 10110;     // " Version "
constexpr u32 kStrProgramVersion = 10100;  // the program's own "1.6.1"
constexpr u32 kStrBuildWord = 10134;       // " Build "
constexpr int kTextUnits = 255;
constexpr int kDescriptionUnits = 32;
constexpr int kHostClosedUnits = 131;

// `format` with `argument` in place of its first %s, into kTextUnits units. The format
// comes from a language module, so nothing else in it is read as a conversion.
void FormatFirstArgument(wchar_t* out, const wchar_t* format, const wchar_t* argument)
{
    const wchar_t* at = std::wcsstr(format, L"%s");
    if (at)
        _snwprintf(out, kTextUnits - 1, L"%.*s%s%s", static_cast<int>(at - format), format, argument, at + 2);
    else
        CopyText(out, kTextUnits, format);
    out[kTextUnits - 1] = 0;
}

// The caption of the close and host-closed dialogs: the window title, else the
// program name of the language module, else the program's own name.
void SetProgramCaption(HWND dialog)
{
    wchar_t caption[kTextUnits];
    if (Slots.windowTitle[0])
        CopyText(caption, kTextUnits, Slots.windowTitle);
    else if (LoadLanguageString(InstanceHandle, kStrProgramDescription, caption, kTextUnits) == 0)
        CopyText(caption, kTextUnits, L"vexaNT");
    SetWindowTextW(dialog, caption);
}

void RepaintMain()
{
    if (MainWindowHandle)
        InvalidateRect(MainWindowHandle, nullptr, FALSE);
}

INT_PTR RunModal(int templateId, HWND owner, DLGPROC procedure)
{
    return RunModalDialog(owner, templateId, procedure);
}

}  // namespace

bool HandleDialogPalette(HWND dialog, UINT message, WPARAM wParam)
{
    if (message != WM_QUERYNEWPALETTE &&
        !(message == WM_PALETTECHANGED && reinterpret_cast<HWND>(wParam) != dialog))
        return false;
    if (ProgramPalette) {
        HDC dc = GetDC(dialog);
        const int changed = RealizePaletteInto(dc, true);
        ReleaseDC(dialog, dc);
        if (changed) {
            InvalidateRect(dialog, nullptr, TRUE);
            InvalidateTerminal();
        }
    }
    return true;
}

const wchar_t* OsVersionSuffix(i32 code)
{
    switch (code) {
    case 0: return L" (Win32 - [x86])";
    case 16: return L" (Win9x\\Me)";
    case 32: return L" (Windows NT3.x - [x86])";
    case 34: return L" (Windows 2000 - [x86])";
    case 36: return L" (Windows XP - [x86])";
    default: return L" (Windows NT4.0 - [x86])";
    }
}

void FormatVersionLine(wchar_t* text, int capacity, i32 osVersionCode)
{
    if (!text || capacity < 1)
        return;
    text[0] = 0;
    wchar_t word[kTextUnits], version[kTextUnits], build[kTextUnits];
    if (LoadLanguageString(InstanceHandle, kStrVersionWord, word, kTextUnits) == 0 ||
        LoadProgramString(kStrProgramVersion, version, kTextUnits) == 0)
        return;
    if (LoadLanguageString(InstanceHandle, kStrBuildWord, build, kTextUnits) > 0)
        _snwprintf(text, capacity - 1, L"%s%s%s%s%X", word, version, OsVersionSuffix(osVersionCode), build,
                   ProgramBuildStamp());
    else
        _snwprintf(text, capacity - 1, L"%s%s%s", word, version, OsVersionSuffix(osVersionCode));
    text[capacity - 1] = 0;
}

bool ConfirmClose(u32 warnOnExit)
{
    if (!warnOnExit || !NetworkConnectionOpen())
        return true;
    return RunModal(kDlgConfirmExit, MainWindowHandle, ConfirmExitProc) == 1;
}

INT_PTR ShowAboutBox(HWND owner)
{
    return RunModal(kDlgAbout, owner, AboutDialogProc);
}

INT_PTR ShowHostClosedDialog(HWND owner)
{
    return RunModal(kDlgHostClosed, owner, HostClosedProc);
}

INT_PTR ConfirmSessionClose(HWND owner)
{
    return RunModal(kDlgConfirmSessionClose, owner, ConfirmSessionCloseProc);
}

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (HandleDialogPalette(dialog, message, wParam))
        return TRUE;
    switch (message) {
    case WM_INITDIALOG: {
        wchar_t description[kDescriptionUnits];
        if (LoadProgramString(kStrProgramDescription, description, kDescriptionUnits) == 0)
            std::wcscpy(description, L"vexaNT");
        wchar_t format[kTextUnits], caption[kTextUnits];
        if (LoadLanguageString(InstanceHandle, kStrAboutCaption, format, kTextUnits) > 0) {
            FormatFirstArgument(caption, format, description);
            SetWindowTextW(dialog, caption);
        }
        SetDlgItemTextW(dialog, kCtlAboutDescription, description);
        SetTextFromString(dialog, IDOK, kStrOk);
        wchar_t line[kTextUnits];
        FormatVersionLine(line, kTextUnits, OsVersionCode);
        if (line[0])
            SetDlgItemTextW(dialog, kCtlAboutVersion, line);
        SetTextFromString(dialog, kCtlAboutNotice, kCtlAboutNotice);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wParam) == IDOK ? 1 : 0);
            RepaintMain();
            return TRUE;
        }
        break;
    }
    return FALSE;
}

namespace {

// The body both OK/Cancel confirmations share: the palette, their texts (set by `init`,
// then OK and Cancel), and OK (1) or Cancel (0) ending the dialog.
INT_PTR OkCancelDialog(HWND dialog, UINT message, WPARAM wParam, void (*init)(HWND dialog))
{
    if (HandleDialogPalette(dialog, message, wParam))
        return TRUE;
    switch (message) {
    case WM_INITDIALOG:
        init(dialog);
        SetTextFromString(dialog, IDOK, kStrOk);
        SetTextFromString(dialog, IDCANCEL, kStrCancel);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wParam) == IDOK ? 1 : 0);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

void InitExitQuestion(HWND dialog)
{
    SetProgramCaption(dialog);
    wchar_t format[kTextUnits], name[kTextUnits], text[kTextUnits];
    if (LoadLanguageString(InstanceHandle, kCtlExitQuestion, format, kTextUnits) > 0) {
        if (LoadLanguageString(InstanceHandle, kStrProgramDescription, name, kTextUnits) == 0)
            std::wcscpy(name, L"vexaNT");
        FormatFirstArgument(text, format, name);
        SetDlgItemTextW(dialog, kCtlExitQuestion, text);
    }
}

void InitSessionCloseQuestion(HWND dialog)
{
    SetTextFromString(dialog, kCtlSessionCloseText, kCtlSessionCloseText);
}

}  // namespace

INT_PTR CALLBACK ConfirmExitProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    return OkCancelDialog(dialog, message, wParam, InitExitQuestion);
}

INT_PTR CALLBACK ConfirmSessionCloseProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    return OkCancelDialog(dialog, message, wParam, InitSessionCloseQuestion);
}

INT_PTR CALLBACK HostClosedProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (HandleDialogPalette(dialog, message, wParam))
        return TRUE;
    switch (message) {
    case WM_INITDIALOG:
        SetProgramCaption(dialog);
        SetTextFromString(dialog, kCtlReconnect, kCtlReconnect, kHostClosedUnits);
        SetTextFromString(dialog, IDCANCEL, kStrCancel, kHostClosedUnits);
        SetTextFromString(dialog, kCtlExitProgram, kCtlExitProgram, kHostClosedUnits);
        SetTextFromString(dialog, kCtlHostClosedText, kCtlHostClosedText, kHostClosedUnits);
        SetFocus(GetDlgItem(dialog, kCtlReconnect));
        return FALSE;  // the focus is set
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDCANCEL:
            EndDialog(dialog, 1);
            RepaintMain();
            return TRUE;
        case kCtlReconnect:
            EndDialog(dialog, 1);
            ConnectionStartState = 2;  // the host-data thread connects again
            RepaintMain();
            return TRUE;
        case kCtlExitProgram:
            EndDialog(dialog, 1);
            // The normal close path, with its own confirmation rules.
            PostMainCommand(kCmdExit);
            RepaintMain();
            return TRUE;
        }
        break;
    }
    return FALSE;
}
