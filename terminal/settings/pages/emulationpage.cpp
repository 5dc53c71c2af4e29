// The "Emulation Settings" page (slot 0): the emulation, the VT identity texts, the
// national character set and the answerback.
#include "terminal/comms/serial/serial.h"
#include "terminal/comms/telnet/sockets.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/base/family.h"
#include "terminal/core/base/language.h"
#include "terminal/core/window/dialogs/dialogbase.h"
#include "terminal/core/base/startopts.h"
#include "terminal/settings/store/profilevalues.h"
#include "terminal/settings/setup/setupcopy.h"
#include "terminal/settings/setup/setupdialog.h"
#include "terminal/settings/setup/setuppagehelpers.h"
#include "terminal/settings/setup/setupfamily.h"

namespace {

// clang-format off
enum : u16 {
    kAlphaLabel = 1330, kEmulationList = 1329, kTerminalIdLabel = 1300, kTerminalIdList = 1299,
    kNational = 1412, kNationalLabel = 1410, kTertiaryLabel = 1377, kTertiaryEdit = 1378,
    kAnswerbackLabel = 1380, kAnswerbackEdit = 1381, kAnswerbackConcealed = 1382,
};
// clang-format on
constexpr u32 kFirstEmulationName = 11331;  // the program's own names, one per id
constexpr u32 kFirstTerminalIdName = 1301;  // "vt100" ... "vt525"
constexpr int kTerminalIds = 15;

SetupWorkingCopy& W = SetupCopy;

bool IsIbmHost(u8 emulation)
{
    return emulation == kEmuIbm3270 || emulation == kEmuIbm5250;
}

bool TertiaryApplies(u8 emulation, u16 terminalId)
{
    return ModelAnswersTertiary(terminalId) && IsVtFamily(emulation);
}

// How many characters the emulation's answerback takes: its family's rule, else the
// VT and ANSI one; 0 when it keeps none.
int AnswerbackChars(u8 emulation)
{
    if (const FamilyHooks* family = FamilyFor(emulation);
        family && family->setup && family->setup->answerbackChars)
        return family->setup->answerbackChars(emulation);
    return IsVtOrAnsiFamily(emulation) ? kAnswerbackChars : 0;
}

void ConcealAnswerback(HWND window)
{
    if (!W.answerbackConcealed)
        return;
    SendDlgItemMessageW(window, kAnswerbackEdit, EM_SETPASSWORDCHAR, L'*', 0);
    EnableControl(window, kAnswerbackEdit, false);
}

void RevealAnswerback(HWND window)
{
    if (W.answerbackConcealed)
        return;
    SendDlgItemMessageW(window, kAnswerbackEdit, EM_SETPASSWORDCHAR, 0, 0);
    EnableControl(window, kAnswerbackEdit, true);
}

// What the working emulation and terminal id allow, applied to the controls.
void EnableForEmulation(HWND window)
{
    const u8 emulation = static_cast<u8>(W.emulation);
    const bool vt = IsVtOrAnsiFamily(emulation);
    EnableControl(window, kTerminalIdLabel, vt);
    EnableControl(window, kTerminalIdList, vt);
    const bool tertiary = TertiaryApplies(emulation, W.terminalId);
    EnableControl(window, kTertiaryLabel, tertiary);
    EnableControl(window, kTertiaryEdit, tertiary);
    const int answerbackChars = AnswerbackChars(emulation);
    const bool answerback = answerbackChars > 0;
    EnableControl(window, kAnswerbackLabel, answerback);
    EnableControl(window, kAnswerbackConcealed, answerback);
    EnableControl(window, kAnswerbackEdit, answerback && !W.answerbackConcealed);
    const int limit = answerback ? answerbackChars : kAnswerbackChars;
    SendDlgItemMessageW(window, kAnswerbackEdit, EM_LIMITTEXT, CountedEditLimit(limit), 0);
    SendDlgItemMessageW(window, kTertiaryEdit, EM_LIMITTEXT, CountedEditLimit(kTertiaryChars), 0);
    // The IBM host displays have no national replacement sets.
    const bool national = !IsIbmHost(emulation) && StartupOptions.nationalKeyboard;
    EnableControl(window, kNational, national);
    EnableControl(window, kNationalLabel, national);
}

void EmulationList(HWND window, const SetupControlEntry& entry, u8 init, WPARAM wParam, LPARAM)
{
    HWND combo = GetDlgItem(window, entry.id);
    if (init) {
        SendMessageW(combo, CB_RESETCONTENT, 0, 0);
        for (u32 id = 0; id < kEmulationCount; ++id) {
            wchar16 name[64];
            if (LoadProgramString(kFirstEmulationName + id, name, 64) <= 0)
                continue;
            if (lstrcmpiW(name, L"DG200") == 0)
                lstrcpyW(name, L"DG410");
            AddComboItem(combo, name, static_cast<LRESULT>(id));
        }
        SelectComboByData(window, entry.id, W.emulation);
    } else if (IsSelectionChange(entry, wParam)) {
        W.emulation = static_cast<u16>(ComboSelectionData(window, entry.id, W.emulation));
        W.national = Vt300Values.mltnat == 0;
        CheckDlgButton(window, kNational, W.national ? BST_CHECKED : BST_UNCHECKED);
    } else {
        return;
    }
    EnableForEmulation(window);
}

void TerminalIdList(HWND window, const SetupControlEntry& entry, u8 init, WPARAM wParam, LPARAM)
{
    HWND combo = GetDlgItem(window, entry.id);
    if (init) {
        FillComboFromStrings(combo, kFirstTerminalIdName, kFirstTerminalIdName + kTerminalIds - 1);
        const int id = W.terminalId < kTerminalIds ? W.terminalId : 0;
        // A custom identity stands in the list in place of its model's name.
        if (W.terminalIdText[0]) {
            SendMessageW(combo, CB_DELETESTRING, static_cast<WPARAM>(id), 0);
            SendMessageW(combo, CB_INSERTSTRING, static_cast<WPARAM>(id),
                         reinterpret_cast<LPARAM>(W.terminalIdText));
        }
        SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(id), 0);
    } else if (IsSelectionChange(entry, wParam)) {
        const int index = static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
        if (index >= 0 && index < kTerminalIds)
            W.terminalId = static_cast<u16>(index);
        EnableForEmulation(window);
    }
}

void AnswerbackConcealedChanged(HWND window, const SetupControlEntry&, u8, WPARAM, LPARAM)
{
    if (W.answerbackConcealed) {
        ConcealAnswerback(window);
        InvalidateRect(GetDlgItem(window, kAnswerbackEdit), nullptr, TRUE);
    } else {
        // A concealed answerback is never shown: it must be typed again.
        RevealAnswerback(window);
        SetDlgItemTextW(window, kAnswerbackEdit, L"");
    }
}

void InitDisplay(HWND window)
{
    // The emulation cannot be changed on a live line.
    const bool live = NetworkConnectionOpen() || ConfiguredSerialPortOpen();
    EnableControl(window, kAlphaLabel, !live);
    EnableControl(window, kEmulationList, !live);
    EnableForEmulation(window);
    if (W.answerbackConcealed)
        ConcealAnswerback(window);
    else
        RevealAnswerback(window);
    if (AnswerbackChars(static_cast<u8>(W.emulation)) == 0)
        EnableControl(window, kAnswerbackEdit, false);
}

const SetupControlEntry kControls[] = {
    SetupButton(IDOK),
    SetupButton(IDCANCEL),
    SetupLabel(kAlphaLabel),
    SetupList(kEmulationList, EmulationList, &W.emulation),
    SetupLabel(kTerminalIdLabel),
    SetupCombo(kTerminalIdList, TerminalIdList, W.terminalIdText, 0, kSetupLongTextUnits),
    SetupCheck(kNational, &W.national),
    SetupLabel(kNationalLabel),
    SetupLabel(kTertiaryLabel),
    SetupCountedEdit(kTertiaryEdit, W.tertiary),
    SetupLabel(kAnswerbackLabel),
    SetupCountedEdit(kAnswerbackEdit, W.answerback),
    SetupCheck(kAnswerbackConcealed, &W.answerbackConcealed, AnswerbackConcealedChanged),
    SetupEnd(),
};

// clang-format off
const SetupPage kPage{2120, kControls, kEmulationList, 0, nullptr, 0, nullptr, InitDisplay, nullptr, nullptr, nullptr};
// clang-format on
const bool kRegistered = (RegisterSetupPage(0, &kPage), true);

}  // namespace
