#include "terminal/settings/setup/setupdialog.h"

#include <commctrl.h>

#include "terminal/core/base/handles.h"
#include "terminal/core/window/dialogs/dialogbase.h"
#include "terminal/core/base/language.h"
#include "terminal/input/keyboard/kbhookbind.h"
#include "terminal/core/base/memblock.h"
#include "terminal/settings/setup/connectionpage.h"
#include "terminal/settings/store/defaults.h"
#include "terminal/settings/setup/setupapply.h"
#include "terminal/settings/setup/setupcopy.h"

u32 SetupPageNumber = 0;
bool SetupReloadRequested = false;

namespace {

constexpr u32 kTitleBase = 5012;
constexpr u32 kStrNestedSerialTitle = 7139;   // "Serial Settings"
constexpr u32 kStrPrinterSerialTitle = 7170;  // "Printer Serial Settings"
constexpr u32 kStrAuxSerialTitle = 7182;      // "Auxport Serial Settings"
constexpr int kSerialSlot = 1;
constexpr u16 kNeverRelabelled = 1134;
constexpr int kLabelUnits = 66;

struct OpenRequest {
    int slot;
    bool nested;
    u32 serialOwner;
    SetupDialogOutcome* outcome;
};

// Commands of the page's buttons, routed by position in the control table: the
// templates give these buttons the command ids, the entries carry their labels.
struct ButtonRoute {
    u16 command;
    i8 slot;  // -1: every page
    u8 entry;
    bool readFirst;  // ReadSetupValues before the handler
    bool showAfter;  // ShowSetupValues after it
};
constexpr ButtonRoute kButtonRoutes[] = {
    {3, -1, 2, false, true},    {4, -1, 3, true, false},  {5, 5, 4, false, false},     {6, 5, 5, false, false},
    {7, 5, 6, false, false},    {5, 6, 4, false, false},  {6, 6, 5, false, false},     {7, 6, 6, false, false},
    {8, 2, 2, false, false},    {8, 21, 3, false, false}, {1130, -1, 2, false, false}, {1132, -1, 2, false, true},
    {2450, 7, 3, false, false},
};

void Call(const SetupControlEntry* entry, HWND window, u8 init, WPARAM wParam, LPARAM lParam)
{
    if (entry && entry->handler)
        entry->handler(window, *entry, init, wParam, lParam);
}

int TextCapacity(const SetupControlEntry& entry)
{
    return entry.capacity ? entry.capacity : kSetupTextUnits;
}

u16* Value(const SetupControlEntry& entry)
{
    return static_cast<u16*>(entry.variable);
}

// The last control of the dialog group that starts at `first`.
int LastOfGroup(HWND window, int first)
{
    HWND start = GetDlgItem(window, first);
    if (!start)
        return first;
    HWND last = GetNextDlgGroupItem(window, start, TRUE);
    return last ? GetDlgCtrlID(last) : first;
}

void SetTitle(HWND window, const SetupDialogSession& s)
{
    u32 id = kTitleBase + static_cast<u32>(s.slot);
    if (s.slot == kSerialSlot) {
        if (s.serialOwner == kSerialOwnerPrinter)
            id = kStrPrinterSerialTitle;
        else if (s.serialOwner == kSerialOwnerAux)
            id = kStrAuxSerialTitle;
        else if (s.nested)
            id = kStrNestedSerialTitle;
    }
    SetCaptionFromString(window, id);
}

void AllocSetupBuffers(SetupDialogSession& s)
{
    for (int i = 0; i < kMaxSetupEntries; ++i) {
        const SetupControlEntry* e = SetupEntryAt(s.page, i);
        if (!e)
            break;
        if ((e->kind == SetupControlKind::BufferEdit || e->kind == SetupControlKind::BufferCombo) && !s.buffers[i])
            s.buffers[i] = static_cast<wchar16*>(MemAllocBlock(kSetupBufferUnits * sizeof(wchar16)));
    }
}

void FreeSetupBuffers(SetupDialogSession& s)
{
    for (wchar16*& buffer : s.buffers)
        if (buffer) {
            MemFreeBlock(buffer);
            buffer = nullptr;
        }
}

int EntryIndex(const SetupDialogSession& s, const SetupControlEntry& entry)
{
    const int index = static_cast<int>(&entry - s.page->controls);
    return index >= 0 && index < kMaxSetupEntries ? index : -1;
}

BOOL InitDialog(HWND window, const OpenRequest& request)
{
    auto* s = new SetupDialogSession;
    s->slot = request.slot;
    s->page = SetupPageOf(request.slot);
    s->nested = request.nested;
    s->serialOwner = request.serialOwner;
    s->initialising = true;
    s->outcome = request.outcome;
    SetDialogState(window, s);
    // Num Lock stays steady while the page has the keyboard, as it does for the terminal.
    if (NumLockProtectionSetting())
        PreventNumLockToggleFor(1, window);
    AllocSetupBuffers(*s);
    SetTitle(window, *s);
    // A nested page and the serial page of another port edit what their caller prepared.
    if (!s->nested && s->serialOwner == kSerialOwnerConnection) {
        FillSetupCopy();
    }
    if (s->page->prepare)
        s->page->prepare(window);
    InitSetupLabels(window, *s);
    ShowSetupValues(window, *s);
    if (s->page->initDisplay)
        s->page->initDisplay(window);
    SetInitialSetupFocus(window, *s);
    s->initialising = false;
    return FALSE;  // the focus is set
}

void Finish(HWND window, SetupDialogSession& s)
{
    CheckListFree(s.checkList);
    EndDialog(window, 1);
    FreeSetupBuffers(s);
}

BOOL OkFlow(HWND window, SetupDialogSession& s)
{
    ReadSetupValues(window, s);
    if (s.page->okWork && !s.page->okWork(window))
        return TRUE;
    SetupResult = 1;
    if (s.checkList.items)
        CheckListStore(s.checkList);
    if (s.outcome)
        s.outcome->settingsChanged = true;
    Finish(window, s);
    // A page opened from inside another, or for another port, leaves its choices in the
    // copy for its caller; only a page of its own makes them live.
    if (!s.nested && s.serialOwner == kSerialOwnerConnection)
        Call(SetupEntryAt(s.page, 0), nullptr, 0, 0, 0);
    return TRUE;
}

BOOL CancelFlow(HWND window, SetupDialogSession& s)
{
    if (s.page->cancelWork)
        s.page->cancelWork(window);
    Finish(window, s);
    Call(SetupEntryAt(s.page, 1), nullptr, 0, 0, 0);
    if (MainWindowHandle)
        InvalidateRect(MainWindowHandle, nullptr, FALSE);
    return TRUE;
}

// Every other command: radio buttons and check boxes change their value, every list
// handler hears of it.
BOOL GenericCommand(HWND window, SetupDialogSession& s, WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    for (int i = 0;; ++i) {
        const SetupControlEntry* e = SetupEntryAt(s.page, i);
        if (!e)
            break;
        switch (e->kind) {
        case SetupControlKind::RadioGroup: {
            const int last = LastOfGroup(window, e->id);
            if (id > e->id && id <= last) {
                if (u16* v = Value(*e))
                    *v = static_cast<u8>(id - e->id - 1);
                CheckRadioButton(window, e->id + 1, last, id);
                Call(e, window, 0, wParam, lParam);
            }
            break;
        }
        case SetupControlKind::CheckBox:
        case SetupControlKind::PlainCheckBox:
            if (id == e->id && IsWindowEnabled(GetDlgItem(window, id))) {
                if (u16* v = Value(*e)) {
                    *v = *v == 0;
                    CheckDlgButton(window, id, *v ? BST_CHECKED : BST_UNCHECKED);
                }
                Call(e, window, 0, wParam, lParam);
            }
            break;
        case SetupControlKind::TextEdit:
        case SetupControlKind::HandlerList:
        case SetupControlKind::EditableCombo:
        case SetupControlKind::CountedEdit:
        case SetupControlKind::BufferCombo: Call(e, window, 0, wParam, lParam); break;
        case SetupControlKind::Button:
            // A button no position routes runs its own handler.
            if (id == e->id)
                Call(e, window, 0, wParam, lParam);
            break;
        default: break;
        }
    }
    return TRUE;
}

BOOL Command(HWND window, SetupDialogSession& s, WPARAM wParam, LPARAM lParam)
{
    if (s.initialising)
        return TRUE;
    const u16 id = LOWORD(wParam);
    if (id == IDOK || id == kConnectCommand)
        return OkFlow(window, s);
    if (id == IDCANCEL)
        return CancelFlow(window, s);
    for (const ButtonRoute& route : kButtonRoutes) {
        if (route.command != id || (route.slot >= 0 && route.slot != s.slot))
            continue;
        if (route.readFirst)
            ReadSetupValues(window, s);
        Call(SetupEntryAt(s.page, route.entry), window, 0, wParam, lParam);
        if (route.showAfter)
            return ShowSetupValues(window, s);
        return TRUE;
    }
    return GenericCommand(window, s, wParam, lParam);
}

void SetCountedText(HWND window, int control, const wchar16* counted)
{
    SetDlgItemTextW(window, control, counted + 1);
    SendDlgItemMessageW(window, control, EM_LIMITTEXT, static_cast<WPARAM>(CountedEditLimit(counted[0])), 0);
    SendDlgItemMessageW(window, control, EM_SETSEL, 0, 0x7FFF0000);
}

// Reads an edit's text into a counted text: as much as the escaped form of its capacity.
void ReadCountedText(HWND window, int control, wchar16* counted)
{
    ControlText(window, control, counted + 1, CountedEditLimit(counted[0]) + 1);
}

}  // namespace

SetupDialogSession* SetupSessionOf(HWND window)
{
    return window ? DialogState<SetupDialogSession>(window) : nullptr;
}

wchar16* SetupEntryBuffer(HWND window, const SetupControlEntry& entry)
{
    SetupDialogSession* s = SetupSessionOf(window);
    if (!s)
        return nullptr;
    const int index = EntryIndex(*s, entry);
    return index >= 0 ? s->buffers[index] : nullptr;
}

const SetupControlEntry* SetupEntryAt(const SetupPage* page, int index)
{
    if (!page || !page->controls || index < 0)
        return nullptr;
    for (int i = 0; i <= index; ++i)
        if (page->controls[i].kind == SetupControlKind::End)
            return nullptr;
    return &page->controls[index];
}

void InitSetupLabels(HWND window, SetupDialogSession& s)
{
    for (int i = 0;; ++i) {
        const SetupControlEntry* e = SetupEntryAt(s.page, i);
        if (!e)
            break;
        const u32 label = e->label ? e->label : e->id;
        switch (e->kind) {
        case SetupControlKind::Button:
            if (e->id != kNeverRelabelled)
                SetTextFromString(window, e->id, label, kLabelUnits);
            break;
        case SetupControlKind::RadioGroup: {
            const int last = LastOfGroup(window, e->id);
            for (int id = e->id; id <= last; ++id)
                SetTextFromString(window, id, static_cast<u32>(id), kLabelUnits);
            break;
        }
        case SetupControlKind::CheckBox:
        case SetupControlKind::Label: SetTextFromString(window, e->id, label, kLabelUnits); break;
        default: break;
        }
    }
    const SetupPage* page = s.page;
    if (page->checkListId && page->checkRows)
        CheckListInit(window, s.checkList, page->checkListId, page->checkRows, page->checkRowCount);
}

BOOL ShowSetupValues(HWND window, const SetupDialogSession& s)
{
    BOOL result = TRUE;
    for (int i = 0;; ++i) {
        const SetupControlEntry* e = SetupEntryAt(s.page, i);
        if (!e)
            break;
        switch (e->kind) {
        case SetupControlKind::RadioGroup:
            if (const u16* v = Value(*e))
                CheckRadioButton(window, e->id + 1, LastOfGroup(window, e->id), e->id + 1 + *v);
            Call(e, window, 1, 0, 0);
            break;
        case SetupControlKind::CheckBox:
        case SetupControlKind::PlainCheckBox:
            if (const u16* v = Value(*e); v && IsWindowEnabled(GetDlgItem(window, e->id)))
                CheckDlgButton(window, e->id, (*v & 0xFF) ? BST_CHECKED : BST_UNCHECKED);
            break;
        case SetupControlKind::TextEdit:
            if (e->variable) {
                SendDlgItemMessageW(window, e->id, EM_LIMITTEXT, static_cast<WPARAM>(TextCapacity(*e) - 1), 0);
                SetDlgItemTextW(window, e->id, static_cast<const wchar16*>(e->variable));
                SendDlgItemMessageW(window, e->id, EM_SETSEL, 0, 0x7FFF0000);
                result = FALSE;
            } else {
                Call(e, window, 1, 0, 0);
            }
            break;
        case SetupControlKind::CountedEdit:
            if (e->variable) {
                SetCountedText(window, e->id, static_cast<const wchar16*>(e->variable));
                result = FALSE;
            } else {
                Call(e, window, 1, 0, 0);
            }
            break;
        case SetupControlKind::BufferEdit:
            if (const wchar16* buffer = SetupEntryBuffer(window, *e)) {
                SendDlgItemMessageW(window, e->id, EM_LIMITTEXT, 253, 0);
                SetDlgItemTextW(window, e->id, buffer + 1);
                SendDlgItemMessageW(window, e->id, EM_SETSEL, 0, 0x7FFF0000);
                result = FALSE;
            }
            break;
        case SetupControlKind::HandlerList:
        case SetupControlKind::EditableCombo:
        case SetupControlKind::BufferCombo: Call(e, window, 1, 0, 0); break;
        default: break;
        }
    }
    return result;
}

void ReadSetupValues(HWND window, const SetupDialogSession& s)
{
    for (int i = 0;; ++i) {
        const SetupControlEntry* e = SetupEntryAt(s.page, i);
        if (!e)
            break;
        switch (e->kind) {
        case SetupControlKind::CountedEdit:
            if (e->variable)
                ReadCountedText(window, e->id, static_cast<wchar16*>(e->variable));
            break;
        case SetupControlKind::BufferEdit:
            if (wchar16* buffer = SetupEntryBuffer(window, *e))
                ControlText(window, e->id, buffer + 1, kSetupBufferUnits - 1);
            break;
        case SetupControlKind::EditableCombo:
            if (e->variable && (e->flags & kEntryCounted))
                ReadCountedText(window, e->id, static_cast<wchar16*>(e->variable));
            else if (e->variable)
                ControlText(window, e->id, static_cast<wchar16*>(e->variable), TextCapacity(*e));
            break;
        case SetupControlKind::BufferCombo:
            if (wchar16* buffer = SetupEntryBuffer(window, *e))
                ControlText(window, e->id, buffer + 1, kSetupLoadedText - 1);
            break;
        case SetupControlKind::TextEdit:
            if (e->variable)
                ControlText(window, e->id, static_cast<wchar16*>(e->variable), TextCapacity(*e));
            break;
        default: break;
        }
    }
}

void SetInitialSetupFocus(HWND window, const SetupDialogSession& s)
{
    int control = s.page->focusControl;
    // A radio group gives the focus to its checked button.
    for (int i = 0; control; ++i) {
        const SetupControlEntry* e = SetupEntryAt(s.page, i);
        if (!e)
            break;
        if (e->kind == SetupControlKind::RadioGroup && e->id == control && e->variable) {
            control = e->id + 1 + *Value(*e);
            break;
        }
    }
    HWND focus = control ? GetDlgItem(window, control) : nullptr;
    if (!focus || !IsWindowEnabled(focus))
        focus = GetDlgItem(window, IDOK);
    if (!focus)
        focus = GetDlgItem(window, kConnectCommand);
    if (focus)
        SetFocus(focus);
}

INT_PTR CALLBACK SetupDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        return InitDialog(window, *reinterpret_cast<const OpenRequest*>(lParam));
    if (message == WM_MEASUREITEM) {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (measure->CtlType == ODT_LISTBOX) {
            CheckListMeasureItem(measure);
            return TRUE;
        }
        return FALSE;
    }
    SetupDialogSession* s = SetupSessionOf(window);
    if (!s)
        return FALSE;
    if (s->page->message) {
        INT_PTR result = FALSE;
        if (s->page->message(window, message, wParam, lParam, &result))
            return result;
    }
    switch (message) {
    case WM_COMMAND: return Command(window, *s, wParam, lParam);
    case WM_DRAWITEM:
        return CheckListDrawItem(s->checkList, reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)) ? TRUE : FALSE;
    case WM_NCDESTROY:
        CheckListFree(s->checkList);
        FreeSetupBuffers(*s);
        SetDialogState(window, nullptr);
        delete s;
        return FALSE;
    }
    return FALSE;
}

INT_PTR RunSetupPage(HWND owner, int slot, bool nested, u32 serialOwner, SetupDialogOutcome* outcome)
{
    const u16 templateId = SetupTemplateOf(slot);
    if (!templateId)
        return 0;
    // The macro, soft-button and session pages hold list views.
    static const bool commonControls = [] {
        INITCOMMONCONTROLSEX classes{sizeof classes, ICC_LISTVIEW_CLASSES};
        return InitCommonControlsEx(&classes) != FALSE;
    }();
    (void)commonControls;
    const u32 savedPage = SetupPageNumber;
    SetupPageNumber = static_cast<u32>(slot);
    OpenRequest request{slot, nested, serialOwner, outcome};
    // The palette copy belongs to the dialog while it is open.
    ++SetupDialogOpen;
    const INT_PTR result = RunModalDialog(owner, templateId, SetupDialogProc, reinterpret_cast<LPARAM>(&request));
    --SetupDialogOpen;
    SetupPageNumber = savedPage;
    return result;
}
