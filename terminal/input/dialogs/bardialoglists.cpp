// The "Button Tools" dialog's lists (commands, pictures, tools in bar order) and what it
// draws: the pictures, the tool list and its arrow button, the current tool's preview.
// Buttons are drawn by the bar's own drawing, so the dialog shows them as the bar will.
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/handles.h"
#include "terminal/core/base/language.h"
#include "terminal/core/base/commandids.h"
#include "terminal/core/base/menus.h"
#include "terminal/core/window/dialogs/dialogbase.h"
#include "terminal/input/dialogs/bardialog.h"
#include "terminal/input/dialogs/bardialogstate.h"
#include "terminal/input/bars/toolbarstate.h"

namespace {

constexpr int kMenuTextUnits = 128;
constexpr int kListTextUnits = 160;

void RemoveMarks(wchar16* text)
{
    wchar16* out = text;
    for (const wchar16* in = text; *in; ++in)
        if (*in != '&')
            *out++ = *in;
    *out = 0;
}

int AddListItem(HWND list, const wchar16* text, LRESULT data)
{
    const LRESULT at = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    if (at >= 0)
        SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(at), data);
    return static_cast<int>(at);
}

// The arrow picture of the tool-list button at (x, y).
void DrawArrow(HDC dc, int x, int y, int width, int height, HBITMAP arrow)
{
    HDC memory = CreateCompatibleDC(dc);
    if (!memory)
        return;
    HGDIOBJ old = SelectObject(memory, arrow);
    BitBlt(dc, x, y, width, height, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
}

// `button` drawn released as the bar draws it, its top-left corner at (x, y).
void DrawButtonAt(const ButtonBarDialogState& state, HDC dc, int x, int y, const ToolbarButton& button)
{
    const int width = button.rect.right - button.rect.left, height = button.rect.bottom - button.rect.top;
    DrawToolbarButton(dc, state.work, button, RECT{x, y, x + width, y + height}, false);
}

// Button `button` centred in `area`.
void DrawButtonCentred(const ButtonBarDialogState& state, HDC dc, const RECT& area, int button)
{
    const ToolbarButton& b = state.work.buttons[button];
    const int width = b.rect.right - b.rect.left, height = b.rect.bottom - b.rect.top;
    DrawButtonAt(state, dc, (area.left + area.right - width) / 2, (area.top + area.bottom - height) / 2, b);
}

void FillItem(const ButtonBarDialogState& state, const DRAWITEMSTRUCT& item, bool selected)
{
    const COLORREF back = selected ? state.highlight : state.window;
    SetBkColor(item.hDC, back);
    ExtTextOutW(item.hDC, 0, 0, ETO_OPAQUE, &item.rcItem, nullptr, 0, nullptr);
}

void DrawImageItem(const ButtonBarDialogState& state, const DRAWITEMSTRUCT& item)
{
    FillItem(state, item, (item.itemState & ODS_SELECTED) != 0);
    // Each picture on a small button.
    const ToolbarSize size = ToolbarFaces.small;
    const RECT& r = item.rcItem;
    ToolbarButton picture{};
    picture.image = static_cast<u32>(item.itemData);
    picture.rect = ToolbarRect{0, 0, size.cx, size.cy};
    DrawButtonAt(state, item.hDC, (r.left + r.right - size.cx) / 2, (r.top + r.bottom - size.cy) / 2, picture);
    if (item.itemState & ODS_FOCUS)
        DrawFocusRect(item.hDC, &r);
}

void DrawToolItem(const ButtonBarDialogState& state, const DRAWITEMSTRUCT& item)
{
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillItem(state, item, selected);
    const i32 tool = static_cast<i32>(item.itemData);
    RECT text = item.rcItem;
    if (tool != kToolGapEntry && tool >= 0 && tool < state.work.buttonCount) {
        RECT picture = item.rcItem;
        picture.right = picture.left + ToolbarFaces.large.cx + 4;
        DrawButtonCentred(state, item.hDC, picture, tool);
        text.left = picture.right + 2;
    } else {
        text.left += ToolbarFaces.large.cx + 6;
    }
    wchar16 label[kListTextUnits];
    ToolText(state, tool, label, kListTextUnits);
    SetTextColor(item.hDC, selected ? state.highlightText : state.windowText);
    SetBkMode(item.hDC, TRANSPARENT);
    DrawTextW(item.hDC, label, -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (item.itemState & ODS_FOCUS)
        DrawFocusRect(item.hDC, &item.rcItem);
}

void DrawArrowButton(const ButtonBarDialogState& state, const DRAWITEMSTRUCT& item)
{
    HBITMAP arrow = state.arrows[(item.itemState & ODS_SELECTED) ? 2 : state.listShown ? 1 : 0];
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    BITMAP info{};
    if (!arrow || !GetObjectW(arrow, sizeof info, &info))
        return;
    const RECT& r = item.rcItem;
    DrawArrow(item.hDC, (r.left + r.right - info.bmWidth) / 2, (r.top + r.bottom - info.bmHeight) / 2,
              info.bmWidth, info.bmHeight, arrow);
}

LRESULT CALLBACK PreviewProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND dialog = GetParent(frame);
    const auto* state = DialogState<ButtonBarDialogState>(dialog);
    if (!state)
        return DefWindowProcW(frame, message, wParam, lParam);
    if (message != WM_PAINT)
        return CallWindowProcW(state->previewProc, frame, message, wParam, lParam);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(frame, &paint);
    RECT r;
    GetClientRect(frame, &r);
    SetBkColor(dc, state->window);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
    FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    const i32 tool = state->current < state->toolCount ? state->tools[state->current] : kToolGapEntry;
    if (tool != kToolGapEntry && tool < state->work.buttonCount) {
        HRGN clip = CreateRectRgn(r.left + 1, r.top + 1, r.right - 1, r.bottom - 1);
        SelectClipRgn(dc, clip);
        DrawButtonCentred(*state, dc, r, tool);
        SelectClipRgn(dc, nullptr);
        DeleteObject(clip);
    }
    EndPaint(frame, &paint);
    return 0;
}

}  // namespace

void CommandMenuText(u32 command, wchar16* text, int capacity)
{
    if (capacity < 1)
        return;
    text[0] = 0;
    if (command == kCmdAbout)
        FormatAboutMenuText(text, capacity);
    else if (command)
        LoadLanguageString(InstanceHandle, command, text, capacity);
    RemoveMarks(text);
}

void ToolText(const ButtonBarDialogState& state, i32 tool, wchar16* text, int capacity)
{
    if (tool == kToolGapEntry || tool < 0 || tool >= state.work.buttonCount) {
        LoadLanguageString(InstanceHandle, kToolGapEntry, text, capacity);
        return;
    }
    const ToolbarButton& b = state.work.buttons[tool];
    if (b.text[0]) {
        CopyText(text, static_cast<std::size_t>(capacity), b.text);
        return;
    }
    const i32 command = ToolbarActionCommand(state.work, static_cast<int>(b.action));
    CommandMenuText(command > 0 ? static_cast<u32>(command) : 0, text, capacity);
}

void FillCommandList(HWND dialog, const ButtonBarDialogState& state)
{
    HWND list = GetDlgItem(dialog, kToolCommands);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    wchar16 text[kMenuTextUnits];
    LoadLanguageString(InstanceHandle, kToolGapEntry, text, kMenuTextUnits);
    AddListItem(list, text, kToolGapEntry);
    // The item data is the action index, so two actions of one command (two "Copy (Swap
    // B/W)" entries) each keep their own line.
    for (int i = 0; i < state.work.actionCount && i < kToolbarActionSlots; ++i) {
        if (!state.work.actions[i])
            continue;
        CommandMenuText(state.work.actions[i], text, kMenuTextUnits);
        if (text[0])
            AddListItem(list, text, i);
    }
}

void FillImageList(HWND dialog, const ButtonBarDialogState& state)
{
    HWND list = GetDlgItem(dialog, kToolImages);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (int i = 0; i < state.work.imageCount && i < kToolbarImageSlots; ++i)
        if (state.work.images[i].bitmap)
            AddListItem(list, state.work.images[i].name, i);
}

void FillToolList(HWND dialog, ButtonBarDialogState& state)
{
    state.toolCount = ToolListEntries(state.work, state.tools, kToolListCapacity);
    if (state.current >= state.toolCount)
        state.current = state.toolCount > 0 ? state.toolCount - 1 : 0;
    HWND list = GetDlgItem(dialog, kToolList);
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    wchar16 text[kListTextUnits];
    for (int i = 0; i < state.toolCount; ++i) {
        ToolText(state, state.tools[i], text, kListTextUnits);
        AddListItem(list, text, state.tools[i]);
    }
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(state.current), 0);
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

void SelectListData(HWND dialog, int control, LRESULT data)
{
    HWND list = GetDlgItem(dialog, control);
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        if (SendMessageW(list, LB_GETITEMDATA, static_cast<WPARAM>(i), 0) == data) {
            SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(i), 0);
            return;
        }
    }
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}

LRESULT SelectedListData(HWND dialog, int control, LRESULT fallback)
{
    HWND list = GetDlgItem(dialog, control);
    const LRESULT at = SendMessageW(list, LB_GETCURSEL, 0, 0);
    return at < 0 ? fallback : SendMessageW(list, LB_GETITEMDATA, static_cast<WPARAM>(at), 0);
}

void LoadDialogPictures(HWND dialog, ButtonBarDialogState& state)
{
    HINSTANCE program = GetModuleHandleW(nullptr);
    // Large fonts get the larger arrows.
    RECT units{0, 0, 4, 8};
    MapDialogRect(dialog, &units);
    const bool large = units.right == 10 && units.bottom == 20;
    const wchar16* arrows[2][3] = {{L"combo", L"scup", L"scdn"}, {L"mcombo", L"mcup", L"mcdn"}};
    for (int i = 0; i < 3; ++i)
        state.arrows[i] = LoadBitmapW(program, arrows[large][i]);
}

void FreeDialogPictures(ButtonBarDialogState& state)
{
    for (HBITMAP& b : state.arrows)
        if (b)
            DeleteObject(b), b = nullptr;
}

void ReadSystemColours(ButtonBarDialogState& state)
{
    state.window = GetSysColor(COLOR_WINDOW);
    state.windowText = GetSysColor(COLOR_WINDOWTEXT);
    state.highlight = GetSysColor(COLOR_HIGHLIGHT);
    state.highlightText = GetSysColor(COLOR_HIGHLIGHTTEXT);
}

void SetListItemHeights(HWND dialog, const ButtonBarDialogState&)
{
    // Four pictures show in the picture list.
    HWND images = GetDlgItem(dialog, kToolImages);
    RECT r;
    GetClientRect(images, &r);
    SendMessageW(images, LB_SETITEMHEIGHT, 0, MAKELPARAM((r.bottom + 3) / 4, 0));
    const int tool = ToolbarFaces.large.cy > ToolbarFaces.small.cy ? ToolbarFaces.large.cy : ToolbarFaces.small.cy;
    SendMessageW(GetDlgItem(dialog, kToolList), LB_SETITEMHEIGHT, 0, MAKELPARAM(tool + 4, 0));
}

bool DrawDialogItem(const ButtonBarDialogState& state, const DRAWITEMSTRUCT& item)
{
    if (item.CtlID == static_cast<UINT>(kToolListButton)) {
        DrawArrowButton(state, item);
        return true;
    }
    if (item.CtlID != static_cast<UINT>(kToolImages) && item.CtlID != static_cast<UINT>(kToolList))
        return false;
    if (item.itemID == static_cast<UINT>(-1)) {
        FillItem(state, item, false);
        return true;
    }
    if (item.CtlID == static_cast<UINT>(kToolImages))
        DrawImageItem(state, item);
    else
        DrawToolItem(state, item);
    return true;
}

void HookPreview(HWND dialog, ButtonBarDialogState& state)
{
    state.previewProc = SubclassControl(GetDlgItem(dialog, kToolPreview), PreviewProc);
}
