#include "terminal/core/window/emuswitch.h"

#include "terminal/core/base/handles.h"
#include "terminal/core/base/menus.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/family.h"
#include "terminal/core/paint/fonts.h"
#include "terminal/core/host/hostthread.h"
#include "terminal/core/screen/display.h"
#include "terminal/core/screen/screenops.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/window/scrollback.h"
#include "terminal/core/window/status/statusbar.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/input/bars/toolbars.h"
#include "terminal/core/base/registry.h"
#include "terminal/core/paint/upss.h"

namespace {

// The switch never waits for ever on a host-data thread that does not park (a blocked
// send, a modal box on that thread): after this it goes ahead with the gate closed.
constexpr u32 kSwitchHoldMs = 2000;

// Stops the family of `from` unless `to` is run by the same family. Returns the changed
// mark: the shared store is blanked after a family stopped (or when none ran).
bool DeactivateOld(u8 from, const FamilyHooks* fromFamily, const FamilyHooks* toFamily)
{
    if (!IsValidEmulationId(from) || !fromFamily)
        return true;  // nothing ran: only the mark
    if (fromFamily == toFamily)
        return false;
    if (fromFamily->deactivate)
        fromFamily->deactivate();
    return true;
}

// Starts a family: the status bar is made again with its layout, then the family runs.
void ActivateFamily(u8 to, const FamilyHooks& family)
{
    SetActiveFamily(&family);
    StatusBarClear();
    StatusBarDestroy();
    CreateStatusBar(InstanceHandle);
    if (family.showsScrollBar)
        SetScrollBarVisible(true, true);
    if (family.layoutStatusBar)
        family.layoutStatusBar(InstanceHandle);
    else
        VtLayoutStatusBar(InstanceHandle);
    if (family.activate)
        family.activate(to);
    // A family with fonts of its own sizes the terminal area for itself after it starts.
    if (family.refitsOnStart)
        RefitScreenFont();
}

// Loads the character-set choice of the emulation now running, by the profile rule:
// a machine-wide profile edited by an administrator in one pass, otherwise the
// machine-wide values and then the user's.
void LoadRunningUpss()
{
    const u8 id = EmulationId;
    const u32 savedRoot = SettingsRootIsUser(), savedKeep = KeepCurrentValues;
    const bool onePass = AdministratorMode == 1 && PerUserProfile == 0;
    for (u32 user = 0; user < (onePass ? 1u : 2u); ++user) {
        SettingsSelectRoot(user);
        KeepCurrentValues = user;
        LoadEmulationUpss(id);
    }
    KeepCurrentValues = savedKeep;
    SettingsSelectRoot(savedRoot);
}

}  // namespace

int SelectEmulation(u8 from, u8 to)
{
    // (id, id) stops that emulation and starts none.
    if (from == to)
        to = kNoEmulation;
    const bool stopOnly = to == kNoEmulation;
    // An emulation no family of this build runs would leave the reader without an
    // emulation to feed: VT500 7-Bit runs instead.
    if (!stopOnly && !FamilyFor(to))
        to = kDefaultEmulationId;
    const FamilyHooks* fromFamily = FamilyFor(from);
    const FamilyHooks* toFamily = stopOnly ? nullptr : FamilyFor(to);
    if (!(from == kNoEmulation && stopOnly)) {
        // The host-data thread parks at the switch gate before anything changes
        // under it; bytes that arrive meanwhile wait in the connection's buffers.
        HoldHostDataThread(HostGate::Switch, kSwitchHoldMs);
        ClearSelectionMarks();

        // The DEC pages are put back in order when the DEC family is left.
        if (IsVtFamily(from) && !IsVtFamily(to)) {
            NormalisePageOrder();
            ResetSavedPageMargins();
        }
        if (DeactivateOld(from, fromFamily, toFamily)) {
            SetActiveFamily(nullptr);
            BlankAllScreenLines();
        }

        if (toFamily) {
            EmulationId = to;
            RequestedEmulationId = to;
            SwitchRequestedFrom = to;
            SetScrollBarVisible(true, false);
            if (toFamily != fromFamily || !IsValidEmulationId(from))
                ActivateFamily(to, *toFamily);
            else if (toFamily->reapply)
                toFamily->reapply(to);
            StatusBarRefresh();
            // Fonts are chosen again for the new emulation; then host bytes flow again.
            InvalidateFontCache();
            ReleaseHostDataThread(HostGate::Switch);
        }
        // With nothing to start the gate stays closed; the host-data thread
        // waits there until a later switch starts an emulation.
    }
    // The scroll bar, status bar and Settings menu show the emulation now running.
    RefreshScrollRange();
    RefreshScrollThumb();
    if (StatusBarWindow())
        ShowStatusBarWindow();
    if (from != to)
        UpdateSettingsMenu();
    SoftButtonBarFollowsSession();
    LoadRunningUpss();
    return 1;
}

void ClearEmulationScreen()
{
    // Only the family that really runs clears; a stale id does nothing.
    const FamilyHooks& running = ActiveFamily();
    const FamilyHooks* family = FamilyFor(EmulationId);
    if (family && family != &running)
        return;
    if (running.clearScreen) {
        running.clearScreen();
        if (running.keepsScrollBarOnClear)
            return;
    } else {
        // The shared store's clear. The host-data thread must not write the store while
        // it is cleared under it.
        const bool hold = OnUserInterfaceThread();
        if (hold)
            HoldHostDataThread(HostGate::Switch, kSwitchHoldMs);
        InvalidateStatusLine();
        BlankAllScreenLines();
        RefitScreenFont();
        SetMarginLinePointers(0, Screen.pageLength - 1);
        MoveCursorAbsolute(0, 0);
        if (hold)
            ReleaseHostDataThread(HostGate::Switch);
        InvalidateTerminal();
    }
    RefreshScrollRange();
    RefreshScrollThumb();
}

void StopActiveEmulation()
{
    // The family that runs is stopped (none but the DEC VT family's: it has nothing to
    // stop).
    const u8 running = GetEmulationFromFlags();
    const u8 id = IsVtFamily(running) ? kNoEmulation : running;
    const u32 starting = StartingUp.exchange(1);
    const u32 loading = ProfileLoadInProgress.exchange(1);
    RequestEmulation(id, kDefaultEmulationId);
    SelectEmulation(id, kDefaultEmulationId);
    ProfileLoadInProgress = loading;
    StartingUp = starting;
}
