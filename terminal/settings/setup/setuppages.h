// The Setup pages as data. Every page is one modal dialog run by SetupDialogProc; its
// slot (command id - 1012) names a template and a control table. The table lists the
// page's controls in order, each with its kind, its id (also the id of its label's
// language string), a handler and the working-copy variable it edits; from it the
// dialog procedure labels the controls, shows the working copy, routes commands,
// toggles check boxes and radio buttons and reads edited texts back.
//
// A family adds its page by registering a SetupPage for its slot from its own folder:
// template, table, hooks and check-list rows. A slot without a page opens nothing.
#pragma once

#include "terminal/core/base/win32.h"

constexpr int kSetupSlots = 27;
constexpr UINT kFirstSetupCommand = 1012;

enum class SetupControlKind : i32 {
    End = -1,
    Button = 0,         // push button; routed by its position in the table
    RadioGroup = 1,     // the id is the group's first control, its buttons follow it
    CheckBox = 2,       // u16 0/1
    Label = 3,          // static text or group frame
    TextEdit = 4,       // edit over a text of kSetupTextUnits
    ColourSwatch = 5,   // colour field of the Attributes page
    HandlerList = 6,    // list or combo box filled and read by its handler
    PlainCheckBox = 8,  // check box whose caption is a separate Label
    EditableCombo = 9,  // editable combo box; the handler fills it, the text is read back
    CountedEdit = 11,   // edit over a counted text (setuptext.h)
    BufferEdit = 12,    // edit over a heap buffer allocated while the page is open
    BufferCombo = 14,   // combo box over such a buffer
    SampleText = 15,    // the Attributes page's preview
    CheckList = 17,     // owner-drawn list of check boxes
};

struct SetupControlEntry;
// One handler form for every kind. List handlers get `init` 1 when the values are
// shown and 0 with each command's wParam and lParam (every command of the page, so
// they test the control id and notification themselves); button, check-box and radio
// handlers get the window; OK and Cancel handlers get no window.
using SetupHandler = void (*)(HWND window, const SetupControlEntry& entry, u8 init, WPARAM wParam, LPARAM lParam);

enum SetupEntryFlags : u8 {
    kEntryCounted = 1,  // an EditableCombo over a counted text: shows and reads its text part
};

struct SetupControlEntry {
    SetupControlKind kind;
    u16 id;
    SetupHandler handler;  // nullptr where the control needs none
    void* variable;        // nullptr where it edits no variable
    u8 flags;
    u16 label;     // the label's string when it is not the control's id
    u16 capacity;  // text variables: units with the terminator (0: 80)
};

// The entries as the tables write them.
constexpr SetupControlEntry SetupButton(u16 id, SetupHandler handler = nullptr, u16 label = 0)
{
    return {SetupControlKind::Button, id, handler, nullptr, 0, label, 0};
}
constexpr SetupControlEntry SetupLabel(u16 id)
{
    return {SetupControlKind::Label, id, nullptr, nullptr, 0, 0, 0};
}
constexpr SetupControlEntry SetupList(u16 id, SetupHandler handler, void* variable = nullptr)
{
    return {SetupControlKind::HandlerList, id, handler, variable, 0, 0, 0};
}
constexpr SetupControlEntry SetupCheck(u16 id, u16* variable, SetupHandler handler = nullptr)
{
    return {SetupControlKind::CheckBox, id, handler, variable, 0, 0, 0};
}
constexpr SetupControlEntry SetupCountedEdit(u16 id, wchar16* counted)
{
    return {SetupControlKind::CountedEdit, id, nullptr, counted, 0, 0, 0};
}
constexpr SetupControlEntry SetupTextEdit(u16 id, wchar16* text, u16 capacity = 0)
{
    return {SetupControlKind::TextEdit, id, nullptr, text, 0, 0, capacity};
}
constexpr SetupControlEntry SetupCombo(u16 id, SetupHandler handler, wchar16* text, u8 flags = 0, u16 capacity = 0)
{
    return {SetupControlKind::EditableCombo, id, handler, text, flags, 0, capacity};
}
constexpr SetupControlEntry SetupBufferCombo(u16 id, SetupHandler handler, u16* variable)
{
    return {SetupControlKind::BufferCombo, id, handler, variable, 0, 0, 0};
}
constexpr SetupControlEntry SetupBufferEdit(u16 id)
{
    return {SetupControlKind::BufferEdit, id, nullptr, nullptr, 0, 0, 0};
}
constexpr SetupControlEntry SetupRadio(u16 id, u16* variable, SetupHandler handler = nullptr)
{
    return {SetupControlKind::RadioGroup, id, handler, variable, 0, 0, 0};
}
constexpr SetupControlEntry SetupCheckList(u16 id)
{
    return {SetupControlKind::CheckList, id, nullptr, nullptr, 0, 0, 0};
}
constexpr SetupControlEntry SetupEnd()
{
    return {SetupControlKind::End, 0, nullptr, nullptr, 0, 0, 0};
}

// One row of a check list: its text's language string and its u16 working flag.
struct CheckListRow {
    u32 stringId;
    u16* variable;
};

struct SetupPage {
    u16 templateId;
    const SetupControlEntry* controls;  // ended by a SetupControlKind::End entry
    u16 focusControl;                   // 0: the OK button
    // The page's check list, when it has one.
    u16 checkListId;
    const CheckListRow* checkRows;
    int checkRowCount;
    // Before the labels: limits and preparations (`prepare`); after the values are
    // shown: enabling by emulation and connection state (`initDisplay`); OK and Cancel
    // work of the page before the dialog ends.
    void (*prepare)(HWND window);
    void (*initDisplay)(HWND window);
    bool (*okWork)(HWND window);  // false keeps the page open
    void (*cancelWork)(HWND window);
    // Messages the framework does not handle (painting, timers); true when handled.
    bool (*message)(HWND window, UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result);
};

// Registers the page of a slot (replacing any earlier one).
void RegisterSetupPage(int slot, const SetupPage* page);
const SetupPage* SetupPageOf(int slot);
// The template of a slot's page, 0 when the slot has none.
u16 SetupTemplateOf(int slot);
// True when the family that runs `emulation` brings its own page for the slot (its
// Settings menu item is offered while it runs).
bool FamilyHasSetupPage(u8 emulation, int slot);
