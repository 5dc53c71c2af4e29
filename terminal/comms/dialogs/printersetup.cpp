// Printer Setup (command 1049): the Windows printer ("name on port" entries), printing
// straight to a local port or to a network printer through the LPR client, and the
// output options. The choices act on the PRINTING values at once, as the print paths
// read them; Cancel puts back the whole section as the dialog found it, including the
// port, the LPD host and the port line set through "Con&figure..".
#include <cstring>
#include <cwchar>
#include <memory>
#include <vector>

#include "terminal/comms/printing/lprbind.h"
#include "terminal/comms/printing/portlist.h"
#include "terminal/comms/dialogs/printerdialogs.h"
#include "terminal/comms/printing/printjob.h"
#include "terminal/core/base/handles.h"
#include "terminal/core/base/language.h"
#include "terminal/core/window/dialogs/dialogbase.h"
#include "terminal/core/window/dialogs/statedialog.h"
#include "terminal/settings/store/profilevalues.h"
#include "terminal/settings/setup/setuplaunch.h"

#include <commdlg.h>

namespace {

// clang-format off
enum : u16 {
    kPrinterList = 1107, kSetup = 1108, kSaveDefault = 1114, kPrinterGroup = 1122, kOutputSet = 1119,
    kConfigure = 1130, kTerminator = 1137, kDirect = 1147, kPortCombo = 1149, kAutoLf = 1617,
    kPortFrame = 6014, kOutputLabel = 6015, kDelay = 1097, kLpr = 4900, kLprHostLabel = 4901, kLprHost = 4902,
};
constexpr u16 kLabels[] = {1, 2, kConfigure, kTerminator, 1123, kDirect, kAutoLf, kPrinterGroup, kSetup,
                           1096, kLpr, kLprHostLabel, kOutputLabel, kSaveDefault};
// clang-format on
constexpr u32 kStrTitle = 5108, kStrFamily = 10108, kStrPrinterOnPort = 7147, kStrFirstOutputSet = 16006;
constexpr int kOutputSets = 12;
constexpr int kEntryUnits = 2 * kPrinterNameUnits + 16;

struct Printer {
    wchar_t name[kPrinterNameUnits];
    wchar_t port[kPrinterNameUnits];
};

struct SetupState {
    PrintingSection saved;  // what Cancel puts back
    // The printers listed; each entry's item data is its index here, so a printer whose
    // name holds " on " is never split at the wrong place.
    std::vector<Printer> printers;
    int initialSelection = -1;
    bool ports = false;
    bool updating = false;
};

PrintingSection& P = PrintingValues;

bool Checked(HWND dialog, int control)
{
    return IsDlgButtonChecked(dialog, control) == BST_CHECKED;
}

void SetCheck(HWND dialog, int control, bool on)
{
    CheckDlgButton(dialog, control, on ? BST_CHECKED : BST_UNCHECKED);
}

void Bounded(wchar_t* to, int capacity, const wchar_t* from)
{
    lstrcpynW(to, from ? from : L"", capacity);
}

// The installed printers, local and connected, as "name on port" (string 7147).
void FillPrinterList(HWND dialog, SetupState& s)
{
    HWND list = GetDlgItem(dialog, kPrinterList);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    s.printers.clear();
    const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
    DWORD needed = 0, count = 0;
    EnumPrintersW(flags, nullptr, 2, nullptr, 0, &needed, &count);
    std::unique_ptr<BYTE[]> buffer(needed ? new (std::nothrow) BYTE[needed] : nullptr);
    if (!buffer || !EnumPrintersW(flags, nullptr, 2, buffer.get(), needed, &needed, &count))
        return;
    wchar_t format[kEntryUnits] = {};
    if (LoadLanguageString(InstanceHandle, kStrPrinterOnPort, format, kEntryUnits) <= 0)
        lstrcpynW(format, L"%s on %s", kEntryUnits);
    const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.get());
    for (DWORD i = 0; i < count; ++i) {
        Printer p{};
        Bounded(p.name, kPrinterNameUnits, info[i].pPrinterName);
        Bounded(p.port, kPrinterNameUnits, info[i].pPortName);
        wchar_t text[kEntryUnits] = {};
        _snwprintf(text, kEntryUnits - 1, format, p.name, p.port);
        const LRESULT at = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        if (at == LB_ERR || at == LB_ERRSPACE)
            break;
        SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(at), static_cast<LPARAM>(s.printers.size()));
        s.printers.push_back(p);
    }
}

// The list entry of a printer by name; -1 when it is not listed.
int FindPrinterEntry(HWND dialog, const SetupState& s, const wchar_t* name)
{
    HWND list = GetDlgItem(dialog, kPrinterList);
    const int n = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n && name && name[0]; ++i) {
        const LRESULT data = SendMessageW(list, LB_GETITEMDATA, static_cast<WPARAM>(i), 0);
        if (data >= 0 && static_cast<size_t>(data) < s.printers.size() &&
            lstrcmpiW(s.printers[data].name, name) == 0)
            return i;
    }
    return -1;
}

// The profile's printer, else the WIN.INI default printer, else the first entry.
int SelectInitialPrinter(HWND dialog, const SetupState& s)
{
    int at = FindPrinterEntry(dialog, s, P.PMPrinter);
    if (at < 0) {
        wchar_t device[256] = {};
        GetProfileStringW(L"Windows", L"Device", L"", device, 255);
        if (wchar_t* comma = std::wcschr(device, L','))
            *comma = 0;
        at = FindPrinterEntry(dialog, s, device);
    }
    if (at < 0 && !s.printers.empty())
        at = 0;
    if (at >= 0)
        SendDlgItemMessageW(dialog, kPrinterList, LB_SETCURSEL, static_cast<WPARAM>(at), 0);
    return at;
}

// The printer of the selected entry; null when none is selected.
const Printer* SelectedPrinter(HWND dialog, const SetupState& s)
{
    const LRESULT at = SendDlgItemMessageW(dialog, kPrinterList, LB_GETCURSEL, 0, 0);
    if (at == LB_ERR)
        return nullptr;
    const LRESULT data = SendDlgItemMessageW(dialog, kPrinterList, LB_GETITEMDATA, static_cast<WPARAM>(at), 0);
    return data >= 0 && static_cast<size_t>(data) < s.printers.size() ? &s.printers[data] : nullptr;
}

bool PortIsSerial()
{
    return std::wcsstr(P.Port, L"COM") != nullptr;
}

// Keeps the controls consistent after `id` changed: printing to a port and to a network
// printer exclude each other, the last one ticked winning.
void UpdatePrinterSetupControls(HWND dialog, SetupState& s, int id)
{
    if (s.updating)
        return;
    s.updating = true;
    P.DirectToPort = Checked(dialog, kDirect) ? 1 : 0;
    P.ViaLPR = Checked(dialog, kLpr) ? 1 : 0;
    if (P.DirectToPort && P.ViaLPR && id != kLprHost) {
        SetCheck(dialog, kDirect, id == kDirect);
        SetCheck(dialog, kLpr, id == kLpr);
        P.DirectToPort = id == kDirect ? 1 : 0;
        P.ViaLPR = id == kLpr ? 1 : 0;
    }
    const bool lpr = P.ViaLPR != 0, direct = P.DirectToPort != 0;
    EnableControl(dialog, kPortCombo, s.ports && direct && !lpr);
    EnableControl(dialog, kPortFrame, s.ports && direct && !lpr);
    // Not while the host is typed: the edit keeps its focus.
    if (id != kLprHost) {
        EnableControl(dialog, kLprHostLabel, lpr);
        EnableControl(dialog, kLprHost, lpr);
    }
    for (u16 c : {kPrinterGroup, kPrinterList, kDirect, kDelay})
        EnableControl(dialog, c, !lpr);
    EnableControl(dialog, kTerminator, direct || lpr);
    if (lpr) {
        ControlText(dialog, kLprHost, P.LPRPrint, kPrinterNameUnits);
        EnableControl(dialog, kSetup, P.LPRPrint[0] != 0);
    } else {
        EnableControl(dialog, kSetup, true);
    }
    EnableControl(dialog, kConfigure, direct && !lpr && PortIsSerial());
    s.updating = false;
}

// The ports of the machine; the profile's Port selected, an empty one taking the first.
void FillPorts(HWND dialog, SetupState& s)
{
    HWND combo = GetDlgItem(dialog, kPortCombo);
    s.ports = BuildPortList(combo, 0) > 0;
    if (!s.ports) {
        P.DirectToPort = 0;
        return;
    }
    PortRecord r{};
    if (!P.Port[0] && FindPortByIndex(0, &r))
        Bounded(P.Port, kPortNameUnits, r.name);
    if (SendMessageW(combo, CB_GETCURSEL, 0, 0) == CB_ERR && FindSelectedPort(&r))
        SelectComboByData(dialog, kPortCombo, static_cast<LRESULT>(r.index));
}

void PortChosen(HWND dialog, SetupState& s)
{
    PortRecord r{};
    const LRESULT index = ComboSelectionData(dialog, kPortCombo, -1);
    if (index >= 0 && FindPortByIndex(static_cast<u32>(index), &r))
        Bounded(P.Port, kPortNameUnits, r.name);
    UpdatePrinterSetupControls(dialog, s, kPortCombo);
}

void Configure(HWND dialog)
{
    LineIndices line{P.line.comspeed, P.line.comparity, P.line.comstopb, P.line.comdatab, P.line.comflowc};
    if (OpenPrinterPortSetup(dialog, line))
        P.line = {line.speed, line.parity, line.stopBits, line.dataBits, line.flow};
}

// The page setup of the selected printer: paper, orientation and margins.
void ShowPageSetup(HWND dialog, const Printer& printer)
{
    HANDLE raw = nullptr;
    HGLOBAL mode = GetPrinterDevMode(printer.name, &raw);
    if (raw)
        ClosePrinter(raw);
    PAGESETUPDLGW setup{};
    setup.lStructSize = sizeof setup;
    setup.hwndOwner = dialog;
    setup.hDevMode = mode;
    setup.Flags = PSD_DISABLEPRINTER;
    if (!P.defaultMargins) {
        setup.Flags |= PSD_MARGINS |
                       (P.PrintUnits == 1 ? PSD_INTHOUSANDTHSOFINCHES : PSD_INHUNDREDTHSOFMILLIMETERS);
        setup.rtMargin = {P.PrintMargins[0], P.PrintMargins[1], P.PrintMargins[2], P.PrintMargins[3]};
    }
    if (PageSetupDlgW(&setup)) {
        if (setup.hDevMode) {
            if (const auto* dm = static_cast<const DEVMODEW*>(GlobalLock(setup.hDevMode))) {
                P.Orientation = static_cast<u32>(dm->dmOrientation);
                P.PaperSize = static_cast<u32>(dm->dmPaperSize);
                GlobalUnlock(setup.hDevMode);
            }
        }
        const RECT& m = setup.rtMargin;
        const u16 margins[4] = {static_cast<u16>(m.left), static_cast<u16>(m.top), static_cast<u16>(m.right),
                                static_cast<u16>(m.bottom)};
        if (P.defaultMargins || std::memcmp(margins, P.PrintMargins, sizeof margins) != 0) {
            std::memcpy(P.PrintMargins, margins, sizeof margins);
            P.defaultMargins = 0;
            P.PrintUnits = setup.Flags & PSD_INTHOUSANDTHSOFINCHES ? 1 : 2;
        }
    }
    if (setup.hDevMode)
        GlobalFree(setup.hDevMode);
    else if (mode)
        GlobalFree(mode);
    if (setup.hDevNames)
        GlobalFree(setup.hDevNames);
}

INT_PTR Init(HWND dialog, SetupState& s)
{
    s.saved = PrintingValues;
    SetLabelsById(dialog, kLabels, static_cast<int>(std::size(kLabels)));
    wchar_t family[64] = {}, title[128] = {};
    LoadLanguageString(InstanceHandle, kStrFamily, family, 64);
    if (LoadLanguageString(InstanceHandle, kStrTitle, title, 128) > 0) {
        wchar_t text[192] = {};
        _snwprintf(text, 191, title, family);
        SetWindowTextW(dialog, text);
    }
    FillPrinterList(dialog, s);
    s.initialSelection = SelectInitialPrinter(dialog, s);
    EnableControl(dialog, kSaveDefault, false);
    // The network printer is offered only when the LPR client module is there.
    const bool lprModule = LoadLprModule() != nullptr;
    if (!lprModule)
        P.ViaLPR = 0;
    EnableControl(dialog, kLpr, lprModule);
    FillPorts(dialog, s);
    SetCheck(dialog, kDirect, P.DirectToPort != 0);
    SetCheck(dialog, kLpr, P.ViaLPR != 0);
    SetCheck(dialog, kTerminator, P.PrintTerminator != 0);
    SetCheck(dialog, kAutoLf, P.AutoLF != 0);
    SendDlgItemMessageW(dialog, kLprHost, EM_LIMITTEXT, kPrinterNameUnits - 1, 0);
    SetDlgItemTextW(dialog, kLprHost, P.LPRPrint);
    SetDlgItemInt(dialog, kDelay, P.iPrintDelay, FALSE);
    HWND sets = GetDlgItem(dialog, kOutputSet);
    for (int i = 0; i < kOutputSets; ++i)
        AddComboString(sets, kStrFirstOutputSet + static_cast<u32>(i), i);
    SelectComboByData(dialog, kOutputSet, static_cast<LRESULT>(P.ConvertHostChars));
    for (u16 c : {kOutputSet, kTerminator, kAutoLf, kPortFrame, kPortCombo, kOutputLabel})
        EnableControl(dialog, c, s.ports);
    UpdatePrinterSetupControls(dialog, s, kDirect);
    SetFocus(GetDlgItem(dialog, IDOK));
    return FALSE;
}

void Confirm(HWND dialog, SetupState& s)
{
    if (const Printer* p = SelectedPrinter(dialog, s)) {
        Bounded(P.PMPrinter, kPrinterNameUnits, p->name);
        Bounded(P.PMPort, kPrinterNameUnits, p->port);
    }
    P.DirectToPort = Checked(dialog, kDirect) ? 1 : 0;
    P.ViaLPR = Checked(dialog, kLpr) ? 1 : 0;
    ControlText(dialog, kLprHost, P.LPRPrint, kPrinterNameUnits);
    P.iPrintDelay = ControlNumber(dialog, kDelay, P.iPrintDelay);
    // The next job opens the printer chosen now.
    DeletePrinterDC();
    EndDialog(dialog, kPrinterSetupConfirmed);
}

void Command(HWND dialog, SetupState& s, int id, int code)
{
    switch (id) {
    case kTerminator: P.PrintTerminator = Checked(dialog, kTerminator) ? 1 : 0; break;
    case kAutoLf: P.AutoLF = Checked(dialog, kAutoLf) ? 1 : 0; break;
    case kOutputSet:
        if (code == CBN_SELCHANGE)
            P.ConvertHostChars = static_cast<u32>(ComboSelectionData(dialog, kOutputSet, P.ConvertHostChars));
        break;
    case kConfigure: Configure(dialog); break;
    case kSetup:
        if (P.ViaLPR)
            OpenLpdSettingsDialog(dialog);
        else if (const Printer* p = SelectedPrinter(dialog, s))
            ShowPageSetup(dialog, *p);
        break;
    case kDirect:
    case kLpr: UpdatePrinterSetupControls(dialog, s, id); break;
    case kLprHost:
        if (code == EN_CHANGE)
            UpdatePrinterSetupControls(dialog, s, id);
        break;
    case kPortCombo:
        if (code == CBN_SELCHANGE)
            PortChosen(dialog, s);
        break;
    case kPrinterList:
        if (code == LBN_SELCHANGE)
            EnableControl(dialog, kSaveDefault,
                          SendDlgItemMessageW(dialog, kPrinterList, LB_GETCURSEL, 0, 0) != s.initialSelection);
        break;
    case kSaveDefault:
        if (const Printer* p = SelectedPrinter(dialog, s))
            SetDefaultPrinterW(p->name);
        break;
    case IDOK: Confirm(dialog, s); break;
    case IDCANCEL:
        P = s.saved;
        EndDialog(dialog, 0);
        break;
    default: break;
    }
}

}  // namespace

INT_PTR CALLBACK PrinterSetupDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    return StateDialogProc<SetupState, Init, Command>(dialog, message, wParam);
}

INT_PTR OpenPrinterSetupDialog()
{
    return RunModalDialog(MainWindowHandle, kDlgPrinterSetup, PrinterSetupDlgProc);
}
