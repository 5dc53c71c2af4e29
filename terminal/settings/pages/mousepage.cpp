// The "Mouse Button Actions" page (slot 20): one combo box per button and modifier that
// offers the sixteen actions or takes a keyword typed in their place. Unlike the other
// pages its OK writes the profile at once: the actions and keywords are the profile's.
#include <cwchar>

#include "terminal/core/base/corestate.h"
#include "terminal/core/base/handles.h"
#include "terminal/core/base/language.h"
#include "terminal/core/window/dialogs/dialogbase.h"
#include "terminal/input/macros/keydefs.h"
#include "terminal/settings/setup/setupcopy.h"
#include "terminal/settings/setup/setupdialog.h"
#include "terminal/settings/setup/setuppages.h"
#include "terminal/settings/store/mouseactions.h"

namespace {

SetupWorkingCopy& W = SetupCopy;

constexpr u16 kEditButton = 3, kHighlight = 2580;
constexpr u32 kFirstActionName = 2560, kLastActionName = 2575;
constexpr u32 kStrEdit = 1080;  // "&Edit"
// The combos in the order of the mouse-action slots.
constexpr u16 kCombos[kMouseSlots] = {2460, 2470, 2480, 2490, 2500, 2505, 2510, 2520, 2530, 2540, 2550, 2555};
constexpr int kTextUnits = kSetupLoadedText - 1;

bool SameText(const wchar16* a, const wchar16* b)
{
    while (*a && *a == *b)
        ++a, ++b;
    return *a == *b;
}

int SlotOf(u16 combo)
{
    for (int i = 0; i < kMouseSlots; ++i)
        if (kCombos[i] == combo)
            return i;
    return -1;
}

// The "Edit..." button serves the hot-spot actions, the highlight the sending ones.
void EnableForAction(HWND window, u16 combo)
{
    wchar16 text[kTextUnits] = {};
    ControlText(window, combo, text, kTextUnits);
    EnableControl(window, kEditButton, IsHotspotMouseAction(text));
    EnableControl(window, kHighlight, IsSendingMouseAction(text));
}

void ActionCombo(HWND window, const SetupControlEntry& entry, u8 init, WPARAM wParam, LPARAM)
{
    u16* action = static_cast<u16*>(entry.variable);
    HWND combo = GetDlgItem(window, entry.id);
    wchar16* buffer = SetupEntryBuffer(window, entry);
    if (!action || !combo)
        return;
    if (init) {
        FillComboFromStrings(combo, kFirstActionName, kLastActionName);
        // A keyword takes the place of the action it is sent by.
        if (buffer && buffer[kSetupLoadedText]) {
            SendMessageW(combo, CB_DELETESTRING, *action, 0);
            SendMessageW(combo, CB_INSERTSTRING, *action, reinterpret_cast<LPARAM>(buffer + 1));
        }
        SendMessageW(combo, CB_SETCURSEL, *action, 0);
        return;
    }
    const int code = HIWORD(wParam);
    if (LOWORD(wParam) != entry.id || (code != CBN_SELCHANGE && code != CBN_SETFOCUS))
        return;
    const int index = ComboSelection(window, entry.id);
    if (index != CB_ERR && code == CBN_SELCHANGE)
        *action = static_cast<u16>(index);
    // The text is not in the edit field yet while the selection changes.
    wchar16 text[kTextUnits] = {};
    if (index != CB_ERR && SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0) < kTextUnits &&
        SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text)) != CB_ERR) {
        EnableControl(window, kEditButton, IsHotspotMouseAction(text));
        EnableControl(window, kHighlight, IsSendingMouseAction(text));
    } else {
        EnableForAction(window, entry.id);
    }
}

// The page shows what the profile holds now (another instance may have changed it),
// and each combo's keyword, escaped, as typed and as loaded.
void Prepare(HWND window)
{
    LoadMouseActions();
    for (int i = 0; i < kMouseSlots; ++i)
        W.mouseActions[i] = MouseActions[i];
    W.highlightWhenActioned = HighlightWhenActioned;
    SetupDialogSession* session = SetupSessionOf(window);
    KeyDefinitionsLock locked;
    for (int i = 0; session; ++i) {
        const SetupControlEntry* e = SetupEntryAt(session->page, i);
        if (!e)
            break;
        const int slot = SlotOf(e->id);
        wchar16* buffer = e->kind == SetupControlKind::BufferCombo ? SetupEntryBuffer(window, *e) : nullptr;
        const KeyDefinition* d = slot >= 0 ? FindKeyDefinition(static_cast<u32>(slot), kMouseMacro, -1) : nullptr;
        if (!buffer || !d)
            continue;
        wchar16 raw[kTextUnits] = {};
        const u32 length = d->length < kTextUnits / kSetupEscapeUnits ? d->length : kTextUnits / kSetupEscapeUnits;
        for (u32 k = 0; k < length; ++k)
            raw[k] = d->text[k];
        wchar16 counted[CountedTextUnits(kTextUnits / kSetupEscapeUnits)];
        EncodeSetupText(counted, raw, static_cast<int>(length));
        CopyText(buffer + 1, kTextUnits, counted + 1);
        CopyText(buffer + kSetupLoadedText, kSetupBufferUnits - kSetupLoadedText, counted + 1);
    }
}

void InitDisplay(HWND window)
{
    wchar16 edit[64] = {};
    if (LoadLanguageString(InstanceHandle, kStrEdit, edit, 60) > 0) {
        wchar16 label[64] = {};
        int n = 0;
        for (const wchar16* p = edit; *p && n < 59; ++p)
            if (*p != '&')
                label[n++] = *p;
        CopyText(label + n, 64 - n, VXT("..."));
        SetDlgItemTextW(window, kEditButton, label);
    }
    EnableForAction(window, kCombos[0]);
}

// The actions and the keywords typed in place of one are the profile's at once.
bool Ok(HWND window)
{
    SetupDialogSession* session = SetupSessionOf(window);
    {
        KeyDefinitionsLock locked;
        for (int i = 0; session; ++i) {
            const SetupControlEntry* e = SetupEntryAt(session->page, i);
            if (!e)
                break;
            const int slot = SlotOf(e->id);
            const wchar16* buffer = e->kind == SetupControlKind::BufferCombo ? SetupEntryBuffer(window, *e)
                                                                             : nullptr;
            if (slot < 0 || !buffer || SameText(buffer + 1, buffer + kSetupLoadedText))
                continue;
            if (KeyDefinition* old = FindKeyDefinition(static_cast<u32>(slot), kMouseMacro, -1))
                DeleteKeyDefinition(old);
            if (IsMouseActionName(buffer + 1))
                continue;
            wchar16 text[kTextUnits + 1] = {};
            const int length = DecodeSetupText(text, buffer + 1, kTextUnits);
            if (length > 0)
                AddKeyDefinition(static_cast<u32>(slot), 0, kMouseMacro, 0, static_cast<u32>(length), text,
                                 nullptr);
        }
    }
    for (int i = 0; i < kMouseSlots; ++i)
        MouseActions[i] = W.mouseActions[i];
    HighlightWhenActioned = W.highlightWhenActioned ? 1 : 0;
    SaveMouseActions();
    return true;
}

void Nothing(HWND, const SetupControlEntry&, u8, WPARAM, LPARAM) {}

const SetupControlEntry kControls[] = {
    SetupButton(IDOK),
    SetupButton(IDCANCEL),
    SetupButton(kEditButton, Nothing),
    SetupLabel(2360),
    SetupLabel(2370),
    SetupLabel(2301),
    SetupLabel(2302),
    SetupLabel(2303),
    SetupLabel(2304),
    SetupLabel(2305),
    SetupLabel(2306),
    SetupBufferCombo(2460, ActionCombo, &W.mouseActions[0]),
    SetupBufferCombo(2470, ActionCombo, &W.mouseActions[1]),
    SetupBufferCombo(2480, ActionCombo, &W.mouseActions[2]),
    SetupBufferCombo(2490, ActionCombo, &W.mouseActions[3]),
    SetupBufferCombo(2500, ActionCombo, &W.mouseActions[4]),
    SetupBufferCombo(2505, ActionCombo, &W.mouseActions[5]),
    SetupBufferCombo(2510, ActionCombo, &W.mouseActions[6]),
    SetupBufferCombo(2520, ActionCombo, &W.mouseActions[7]),
    SetupBufferCombo(2530, ActionCombo, &W.mouseActions[8]),
    SetupBufferCombo(2540, ActionCombo, &W.mouseActions[9]),
    SetupBufferCombo(2550, ActionCombo, &W.mouseActions[10]),
    SetupBufferCombo(2555, ActionCombo, &W.mouseActions[11]),
    SetupCheck(kHighlight, &W.highlightWhenActioned),
    SetupEnd(),
};

const SetupPage kPage{2330, kControls, kCombos[0], 0, nullptr, 0, Prepare, InitDisplay, Ok, nullptr, nullptr};
const bool kRegistered = (RegisterSetupPage(20, &kPage), true);

}  // namespace
