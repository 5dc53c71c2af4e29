// The Setup dialog: one page of the table-driven pages (setuppages.h) at a time, run
// modal over the working copy (setupcopy.h). Pages opened from inside another page (the
// serial page behind "Configure..", the telnet options) keep their own state and edit
// the copy their caller prepared.
#pragma once

#include "terminal/settings/setup/checklist.h"
#include "terminal/settings/setup/setuppages.h"

// Who a serial page edits the line of: the connection, or the printer or auxiliary port
// (the command ids that open their settings).
constexpr u32 kSerialOwnerConnection = 0;
constexpr u32 kSerialOwnerPrinter = 1049;
constexpr u32 kSerialOwnerAux = 1157;

struct SetupDialogOutcome {
    bool settingsChanged;  // OK: the working copy is to be applied
    bool reloadRequested;  // a page chose another profile
};

// Heap buffers of the BufferEdit and BufferCombo entries: 1014 bytes each, a count unit
// and the text.
constexpr int kSetupBufferUnits = 507;
// A BufferCombo's buffer: its text from unit 1, and from this unit the text as the page
// loaded it, so that OK can tell an edited text.
constexpr int kSetupLoadedText = 253;
constexpr int kMaxSetupEntries = 96;

// The state of one open page, kept in its window.
struct SetupDialogSession {
    int slot = 0;
    const SetupPage* page = nullptr;
    bool initialising = true;  // commands change nothing until WM_INITDIALOG ends
    bool nested = false;       // the caller filled the copy
    u32 serialOwner = 0;
    CheckList checkList;
    wchar16* buffers[kMaxSetupEntries] = {};
    SetupDialogOutcome* outcome = nullptr;
};
SetupDialogSession* SetupSessionOf(HWND window);
// The heap buffer of a BufferEdit or BufferCombo entry of the open page, or nullptr.
wchar16* SetupEntryBuffer(HWND window, const SetupControlEntry& entry);

// The page number being opened or open (slot 0..26).
extern u32 SetupPageNumber;

INT_PTR CALLBACK SetupDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Runs the page of `slot`: 0 when the slot has no page, -1 when its template cannot be
// created, else the dialog's result. `nested` and `serialOwner` as in the session.
INT_PTR RunSetupPage(HWND owner, int slot, bool nested, u32 serialOwner, SetupDialogOutcome* outcome);

// The table walkers.
void InitSetupLabels(HWND window, SetupDialogSession& session);
BOOL ShowSetupValues(HWND window, const SetupDialogSession& session);
void ReadSetupValues(HWND window, const SetupDialogSession& session);
void SetInitialSetupFocus(HWND window, const SetupDialogSession& session);
// A control table's entry at position `index`, nullptr past its end.
const SetupControlEntry* SetupEntryAt(const SetupPage* page, int index);

// The profile reload that a page asked for; cleared by whoever posts it.
extern bool SetupReloadRequested;
