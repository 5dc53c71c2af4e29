// The Auxport dialog: chooses the auxiliary port among the machine's serial and
// parallel printer ports, and opens the serial page for a COM port's line.
#include "terminal/comms/dialogs/auxdialog.h"

#include <cwchar>

#include "terminal/comms/aux/auxport.h"
#include "terminal/comms/aux/auxportlist.h"
#include "terminal/core/base/language.h"
#include "terminal/core/window/dialogs/dialogbase.h"
#include "terminal/core/window/dialogs/dialogs.h"
#include "terminal/settings/store/profilevalues.h"
#include "terminal/settings/setup/setuplaunch.h"

namespace {

constexpr int kDlgAuxPort = 2574;
constexpr u16 kConfigure = 1130, kPortLabel = 1158, kPortCombo = 1159;
constexpr u16 kLabels[] = {IDOK, IDCANCEL, kConfigure, kPortLabel};
constexpr u32 kStrTitle = 5157;  // "%s Auxport Setup"
constexpr u32 kStrProduct = 10108;

// The selected entry's port name; false when none is selected.
bool SelectedPort(HWND dialog, AuxPortRecord* out)
{
    const LRESULT index = ComboSelectionData(dialog, kPortCombo, -1);
    return index >= 0 && FindAuxPort(static_cast<u32>(index), out);
}

void UpdateConfigure(HWND dialog)
{
    AuxPortRecord port{};
    EnableControl(dialog, kConfigure, SelectedPort(dialog, &port) && IsSerialPortName(port.name));
}

void SetTitle(HWND dialog)
{
    wchar_t format[64] = {}, product[64] = {}, title[160];
    LoadLanguageString(nullptr, kStrTitle, format, 64);
    LoadLanguageString(nullptr, kStrProduct, product, 64);
    // The format comes from the language module: only its first %s is filled in.
    const wchar_t* at = std::wcsstr(format, L"%s");
    if (at) {
        const std::size_t head = static_cast<std::size_t>(at - format);
        lstrcpynW(title, format, static_cast<int>(head) + 1);
        std::wcsncat(title, product, 159 - std::wcslen(title));
        std::wcsncat(title, at + 2, 159 - std::wcslen(title));
    } else {
        lstrcpynW(title, format, 160);
    }
    SetWindowTextW(dialog, title);
}

void Init(HWND dialog)
{
    SetTitle(dialog);
    SetLabelsById(dialog, kLabels, static_cast<int>(std::size(kLabels)));
    HWND combo = GetDlgItem(dialog, kPortCombo);
    if (BuildAuxPortList(combo) < 1) {
        // Nowhere to print through.
        RequestAuxPassThroughEnd();
    } else {
        AuxPortRecord port{};
        if (!AuxValues.Port[0] && FindAuxPort(0, &port))
            lstrcpynW(AuxValues.Port, port.name, kPortNameUnits);
        if (FindAuxPortByName(AuxValues.Port, &port))
            SelectComboByData(dialog, kPortCombo, static_cast<LRESULT>(port.index));
    }
    UpdateConfigure(dialog);
}

void Configure(HWND dialog)
{
    LineSettings& a = AuxValues.line;
    LineIndices line{a.comspeed, a.comparity, a.comstopb, a.comdatab, a.comflowc};
    if (OpenAuxPortSetup(dialog, line))
        a = {line.speed, line.parity, line.stopBits, line.dataBits, line.flow};
}

INT_PTR CALLBACK AuxPortDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (HandleDialogPalette(dialog, message, wParam))
        return TRUE;
    switch (message) {
    case WM_INITDIALOG: Init(dialog); return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case kPortCombo:
            if (HIWORD(wParam) == CBN_SELCHANGE)
                UpdateConfigure(dialog);
            return TRUE;
        case kConfigure: Configure(dialog); return TRUE;
        case IDOK: {
            AuxPortRecord port{};
            if (SelectedPort(dialog, &port))
                lstrcpynW(AuxValues.Port, port.name, kPortNameUnits);
            EndDialog(dialog, 1);
            return TRUE;
        }
        case IDCANCEL: EndDialog(dialog, 0); return TRUE;
        }
        break;
    }
    return FALSE;
}

}  // namespace

INT_PTR OpenAuxPortDialog(HWND owner)
{
    const INT_PTR r = RunModalDialog(owner, kDlgAuxPort, AuxPortDialogProc);
    if (owner)
        SetFocus(owner);
    return r < 0 ? 0 : r;
}
