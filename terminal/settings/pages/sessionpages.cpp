// The "Open Session" (slot 7) and "Save Session As" (slot 8) pages over the profile
// chooser's handlers: the list of profiles with Delete and Save As Default, and the
// name, the saved items and the place a profile is saved in.
#include <cwchar>

#include "terminal/comms/serial/serial.h"
#include "terminal/comms/telnet/sockets.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/handles.h"
#include "terminal/core/window/dialogs/dialogbase.h"
#include "terminal/core/window/dialogs/dialogs.h"
#include "terminal/core/session/instances.h"
#include "terminal/core/session/username.h"
#include "terminal/core/base/registry.h"
#include "terminal/settings/setup/setupapply.h"
#include "terminal/settings/setup/setupcopy.h"
#include "terminal/settings/setup/setupdialog.h"
#include "terminal/settings/setup/setuppages.h"

#include <commctrl.h>

namespace {

SetupWorkingCopy& W = SetupCopy;

constexpr u16 kLocationGroup = 3160, kAllUsers = 3161, kThisUser = 3162;
constexpr int kLabelUnits = 66;

// ---- Open Session ----

void ProfileList(HWND window, const SetupControlEntry& entry, u8 init, WPARAM, LPARAM)
{
    if (!init)
        return;
    // The columns are made once; a refill after Delete keeps them.
    HWND header = reinterpret_cast<HWND>(SendDlgItemMessageW(window, entry.id, LVM_GETHEADER, 0, 0));
    const bool first = !header || SendMessageW(header, HDM_GETITEMCOUNT, 0, 0) <= 0;
    FillProfileList(window, first);
}

void Delete(HWND window, const SetupControlEntry&, u8, WPARAM, LPARAM)
{
    DeleteSelectedProfile(window);
}

void SaveAsDefault(HWND window, const SetupControlEntry&, u8, WPARAM, LPARAM)
{
    SetDefaultProfile(window);
    W.saveAsDefault = 1;
}

void OpenChosen(HWND, const SetupControlEntry&, u8, WPARAM, LPARAM)
{
    SessionsPageOk();
    SetupReloadRequested = true;
}

// A row the user picks, by mouse or keys, is the profile chosen.
bool OpenSessionMessage(HWND window, UINT message, WPARAM, LPARAM lParam, INT_PTR*)
{
    if (message != WM_NOTIFY)
        return false;
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->idFrom != kCtlProfileList || header->code != LVN_ITEMCHANGED)
        return false;
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
    if ((change->uNewState & LVIS_SELECTED) && !(change->uOldState & LVIS_SELECTED))
        SelectProfileRow(window, change->iItem);
    return false;
}

// A session that is open ends when another profile loads: the user agrees first.
bool OpenSessionOk(HWND)
{
    if (!NetworkConnectionOpen() && !ConfiguredSerialPortOpen())
        return true;
    if (ConfirmSessionClose(MainWindowHandle) == 1)
        return true;
    if (MainWindowHandle)
        InvalidateRect(MainWindowHandle, nullptr, FALSE);
    return false;
}

const SetupControlEntry kOpenSession[] = {
    SetupButton(IDOK, OpenChosen),
    SetupButton(IDCANCEL),
    SetupButton(kCtlDeleteProfile, Delete),
    SetupButton(kCtlSaveAsDefault, SaveAsDefault),
    SetupList(kCtlProfileList, ProfileList),
    SetupLabel(2400),
    SetupEnd(),
};

// ---- Save Session As ----

void NameField(HWND window, const SetupControlEntry& entry, u8, WPARAM wParam, LPARAM)
{
    if (LOWORD(wParam) == entry.id && HIWORD(wParam) == EN_CHANGE)
        SaveAsNameChanged(window);
}

// "Session stored for current user (%s) only.": the name is cut to what the label holds.
void LabelWithUserName(HWND window)
{
    wchar16 format[kLabelUnits] = {};
    GetDlgItemTextW(window, kThisUser, format, kLabelUnits);
    wchar16 user[kLabelUnits] = {};
    CurrentUserName(user, kLabelUnits);
    wchar16 label[kLabelUnits] = {};
    _snwprintf(label, kLabelUnits - 1, format, user);
    label[kLabelUnits - 1] = 0;
    SetDlgItemTextW(window, kThisUser, label);
}

void SaveAsDisplay(HWND window)
{
    if (OsVersionCode != 16 && OsVersionCode != 0) {
        LabelWithUserName(window);
        EnableControl(window, kAllUsers, MayEditMachineProfiles() != 0);
    } else {
        // Windows 9x keeps one set of profiles.
        for (u16 id : {kLocationGroup, kAllUsers, kThisUser})
            ShowControl(window, id, false);
    }
    SaveAsNameChanged(window);
}

// A name that exists is saved over only when the user agrees; otherwise the page stays.
bool SaveAsOk(HWND window)
{
    CopyText(SelectedProfileName, kSlotUnits, W.profileName);
    return ConfirmProfileName(window, SelectedProfileName);
}

// The page's choices are live before the profile is written.
void SaveChosen(HWND, const SetupControlEntry&, u8, WPARAM, LPARAM)
{
    ApplySetupSession();
    SaveProfileAs(MainWindowHandle, W.perUserProfile, false);
}

const SetupControlEntry kSaveSessionAs[] = {
    SetupButton(IDOK, SaveChosen),
    SetupButton(IDCANCEL),
    SetupLabel(1099),
    {SetupControlKind::TextEdit, kCtlProfileName, NameField, W.profileName, 0, 0, 128},
    SetupLabel(2420),
    SetupCheck(2421, &W.savedItems[0]),
    SetupCheck(2422, &W.savedItems[1]),
    SetupCheck(2423, &W.savedItems[2]),
    SetupCheck(2424, &W.savedItems[3]),
    SetupCheck(2425, &W.savedItems[4]),
    SetupCheck(2426, &W.savedItems[5]),
    SetupCheck(2427, &W.savedItems[6]),
    SetupCheck(2428, &W.savedItems[7]),
    SetupRadio(kLocationGroup, &W.perUserProfile),
    SetupLabel(2430),
    SetupEnd(),
};

void SaveAsPrepare(HWND)
{
    CopyText(W.profileName, kSetupLongTextUnits, SelectedProfileName);
    W.perUserProfile = MayEditMachineProfiles() ? static_cast<u16>(PerUserProfile != 0) : 1;
}

// clang-format off
const SetupPage kOpenSessionPage{2200, kOpenSession, kCtlProfileList, 0, nullptr, 0, nullptr, nullptr,
                                 OpenSessionOk, nullptr, OpenSessionMessage};
const SetupPage kSaveSessionAsPage{2210, kSaveSessionAs, kCtlProfileName, 0, nullptr, 0, SaveAsPrepare,
                                   SaveAsDisplay, SaveAsOk, nullptr, nullptr};
const bool kRegistered = (RegisterSetupPage(7, &kOpenSessionPage), RegisterSetupPage(8, &kSaveSessionAsPage), true);
// clang-format on

}  // namespace
