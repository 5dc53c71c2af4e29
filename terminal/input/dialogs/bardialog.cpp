#include "terminal/input/dialogs/bardialog.h"

#include <commdlg.h>

#include <new>

#include "terminal/core/base/handles.h"
#include "terminal/core/base/language.h"
#include "terminal/core/base/messagebox.h"
#include "terminal/core/window/dialogs/dialogbase.h"
#include "terminal/core/window/dialogs/dialogs.h"
#include "terminal/input/dialogs/bardialogstate.h"
#include "terminal/input/bars/bitmapload.h"
#include "terminal/input/bars/toolbars.h"
#include "terminal/input/bars/toolbarstate.h"
#include "terminal/settings/store/profile.h"
#include "terminal/core/base/registry.h"

namespace {

constexpr u32 kStrBitmapFilter = 2865, kStrLoadBitmapTitle = 2866, kStrTitle = 2868;
constexpr u32 kStrAlreadyDefined = 7154;
constexpr int kFileNameUnits = 256;  // the file dialog takes names of at most 255

// clang-format off
constexpr u16 kLabels[] = {kToolCurrentLabel, kToolImagesLabel, kToolCommandsLabel, kToolChange, kToolDelete,
                           kToolInsert, kToolAddBitmap, kToolDeleteBitmap, kToolVisible};
// Every control the dropped-down tool list disables.
constexpr u16 kOthers[] = {kToolText, kToolImages, kToolCommands, kToolChange, kToolDelete, kToolInsert,
                           kToolAddBitmap, kToolDeleteBitmap, kToolVisible, IDOK};
// clang-format on

ButtonBarDialogState* State(HWND dialog)
{
    return DialogState<ButtonBarDialogState>(dialog);
}

i32 CurrentTool(const ButtonBarDialogState& s)
{
    return s.current < s.toolCount ? s.tools[s.current] : kToolGapEntry;
}

i32 SelectedImage(HWND dialog)
{
    return static_cast<i32>(SelectedListData(dialog, kToolImages, -1));
}

void UpdateButtons(HWND dialog, const ButtonBarDialogState& s)
{
    if (s.listShown)
        return;
    const ToolbarTables& w = s.work;
    const i32 image = SelectedImage(dialog);
    EnableControl(dialog, kToolChange, w.buttonCount > 0 && image >= 0);
    EnableControl(dialog, kToolDelete, w.buttonCount > 0);
    EnableControl(dialog, kToolInsert, w.buttonCount < kToolbarButtonSlots);
    EnableControl(dialog, kToolAddBitmap, w.imageCount < kToolbarImageSlots && image >= 0);
    EnableControl(dialog, kToolDeleteBitmap, IsFileImage(w, image) && !ImageInUse(w, image));
}

// The current tool in the text field and the preview; its picture and command selected.
void ShowCurrentTool(HWND dialog, ButtonBarDialogState& s)
{
    const i32 tool = CurrentTool(s);
    ToolText(s, tool, s.shown, kToolbarTextUnits);
    SetDlgItemTextW(dialog, kToolText, s.shown);
    if (tool == kToolGapEntry) {
        SelectListData(dialog, kToolCommands, kToolGapEntry);
    } else {
        const ToolbarButton& b = s.work.buttons[tool];
        SelectListData(dialog, kToolImages, b.image);
        SelectListData(dialog, kToolCommands, b.action);
    }
    SendMessageW(GetDlgItem(dialog, kToolList), LB_SETCURSEL, static_cast<WPARAM>(s.current), 0);
    InvalidateRect(GetDlgItem(dialog, kToolPreview), nullptr, FALSE);
    UpdateButtons(dialog, s);
}

// After an edit: the tool list again, with `button` (or the same position) current.
void Refill(HWND dialog, ButtonBarDialogState& s, int button)
{
    FillToolList(dialog, s);
    const int at = ToolListPosition(s.tools, s.toolCount, button);
    if (at >= 0)
        s.current = at;
    ShowCurrentTool(dialog, s);
}

void ShowToolList(HWND dialog, ButtonBarDialogState& s, bool show)
{
    s.listShown = show;
    HWND list = GetDlgItem(dialog, kToolList);
    EnableControls(dialog, kOthers, static_cast<int>(sizeof kOthers / sizeof kOthers[0]), !show);
    if (show) {
        SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(s.current), 0);
        SetWindowPos(list, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        SetFocus(list);
    } else {
        ShowWindow(list, SW_HIDE);
        UpdateButtons(dialog, s);
        SetFocus(GetDlgItem(dialog, kToolText));
    }
    InvalidateRect(GetDlgItem(dialog, kToolListButton), nullptr, FALSE);
}

// A tool chosen in the dropped-down list becomes the current one.
void ChooseTool(HWND dialog, ButtonBarDialogState& s)
{
    const LRESULT at = SendMessageW(GetDlgItem(dialog, kToolList), LB_GETCURSEL, 0, 0);
    if (at >= 0 && at < s.toolCount)
        s.current = static_cast<int>(at);
    ShowToolList(dialog, s, false);
    ShowCurrentTool(dialog, s);
}

void ChangeCurrent(HWND dialog, ButtonBarDialogState& s)
{
    const i32 tool = CurrentTool(s), image = SelectedImage(dialog);
    if (tool == kToolGapEntry || image < 0)
        return;
    const i32 command = static_cast<i32>(SelectedListData(dialog, kToolCommands, kToolGapEntry));
    wchar16 typed[kToolbarTextUnits];
    GetDlgItemTextW(dialog, kToolText, typed, kToolbarTextUnits);
    ChangeToolButton(s.work, tool, static_cast<u32>(image), command == kToolGapEntry ? -1 : command, typed,
                     s.shown);
    Refill(dialog, s, tool);
}

void InsertAtCurrent(HWND dialog, ButtonBarDialogState& s)
{
    const int at = ButtonAtOrAfter(s.work, s.tools, s.toolCount, s.current);
    const i32 command = static_cast<i32>(SelectedListData(dialog, kToolCommands, kToolGapEntry));
    if (command == kToolGapEntry) {
        InsertToolGap(s.work, at);
        Refill(dialog, s, at);
        return;
    }
    const ToolbarSize small = ToolbarFaces.small;
    const ToolbarRect first{kToolbarGap, kToolbarGap, kToolbarGap + small.cx, kToolbarGap + small.cy};
    if (!InsertToolButton(s.work, at, first, small.cx))
        return;
    // The new button takes the selections; the text field still shows the tool that
    // was current, so only a text typed over it becomes the new button's text.
    FillToolList(dialog, s);
    s.current = ToolListPosition(s.tools, s.toolCount, at);
    ChangeCurrent(dialog, s);
}

void DeleteCurrent(HWND dialog, ButtonBarDialogState& s)
{
    const i32 tool = CurrentTool(s);
    if (s.work.buttonCount <= 0)
        return;
    if (tool == kToolGapEntry) {
        const int button = ButtonAtOrAfter(s.work, s.tools, s.toolCount, s.current);
        DeleteToolGap(s.work, button);
        Refill(dialog, s, button);
    } else {
        DeleteToolButton(s.work, tool);
        Refill(dialog, s, tool < s.work.buttonCount ? tool : s.work.buttonCount - 1);
    }
}

// The file dialog's filter: string 2865 with every "|" a terminator.
void BitmapFilter(wchar16* filter, int capacity)
{
    LoadLanguageString(InstanceHandle, kStrBitmapFilter, filter, capacity - 1);
    for (int i = 0; i < capacity - 1 && filter[i]; ++i)
        if (filter[i] == '|')
            filter[i] = 0;
    filter[capacity - 1] = 0;
}

void AddCustomBitmap(HWND dialog, ButtonBarDialogState& s)
{
    wchar16 filter[160] = {}, title[80] = {}, path[kFileNameUnits] = {};
    BitmapFilter(filter, 160);
    LoadLanguageString(InstanceHandle, kStrLoadBitmapTitle, title, 80);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = dialog;
    ofn.lpstrFilter = filter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = path;
    ofn.nMaxFile = kFileNameUnits;
    ofn.lpstrTitle = title;
    ofn.lpstrDefExt = L"bmp";
    ofn.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    if (!GetOpenFileNameW(&ofn))
        return;
    if (FindImageFile(s.work, path) >= 0) {
        MessageBoxFormatId(kStrAlreadyDefined, path);
        return;
    }
    HBITMAP bitmap = LoadBitmapFile(path);  // a bad file has been named to the user
    if (!bitmap)
        return;
    const int image = AddFileImage(s.work, bitmap, path);
    if (image < 0 || s.loadedCount >= kToolbarImageSlots) {
        DeleteObject(bitmap);
        return;
    }
    s.loaded[s.loadedCount++] = bitmap;
    FillImageList(dialog, s);
    SelectListData(dialog, kToolImages, image);
    UpdateButtons(dialog, s);
}

void DeleteCustomBitmap(HWND dialog, ButtonBarDialogState& s)
{
    HBITMAP bitmap = RemoveFileImage(s.work, SelectedImage(dialog));
    if (!bitmap)
        return;
    if (s.removedCount < kToolbarImageSlots)
        s.removed[s.removedCount++] = bitmap;
    FillImageList(dialog, s);
    InvalidateRect(GetDlgItem(dialog, kToolList), nullptr, FALSE);
    ShowCurrentTool(dialog, s);
}

// The bar as it was chosen: "Visible" asks for the profile's own kind of bar.
u32 ProfileToolbarType()
{
    HKEY section = SettingsOpenSection(CurrentProfileName(), L"Toolbar");
    const u32 type = ToolbarTypeFromValue(SettingsReadDword(section, L"Type", kToolbarAttached, kToolbarAttached));
    SettingsCloseKey(section);
    return type == kToolbarNone ? kToolbarAttached : type;
}

// The bar shows the tables it now has: the attached bar repaints, the floating one
// reflows when the number of buttons changed.
void RefreshBar(bool countChanged)
{
    if (Bars.type == kToolbarAttached && Bars.attached) {
        InvalidateRect(Bars.attached, nullptr, TRUE);
    } else if (Bars.type == kToolbarFloating && Bars.floating) {
        RECT client;
        GetClientRect(Bars.floating, &client);
        if (countChanged)
            SendMessageW(Bars.floating, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
        else
            InvalidateRect(Bars.floating, nullptr, TRUE);
    }
}

void EndWithCopy(HWND dialog, ButtonBarDialogState* s)
{
    const bool visible = IsDlgButtonChecked(dialog, kToolVisible) == BST_CHECKED;
    const bool countChanged = s->work.buttonCount != Toolbar.buttonCount;
    Toolbar = s->work;
    for (int i = 0; i < s->removedCount; ++i)
        DeleteObject(s->removed[i]);
    EndDialog(dialog, IDOK);
    if (!visible && Bars.type != kToolbarNone)
        SetToolbarType(kToolbarNone);
    else if (visible && Bars.type == kToolbarNone)
        SetToolbarType(ProfileToolbarType());
    else
        RefreshBar(countChanged);
}

void EndWithoutCopy(HWND dialog, ButtonBarDialogState* s)
{
    // Pictures loaded here were never live, whether or not they were removed again.
    for (int i = 0; i < s->loadedCount; ++i)
        DeleteObject(s->loaded[i]);
    EndDialog(dialog, IDCANCEL);
    RefreshBar(false);
}

BOOL OnInit(HWND dialog)
{
    auto* s = new (std::nothrow) ButtonBarDialogState;
    if (!s) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    s->work = Toolbar;
    SetDialogState(dialog, s);
    // The bars leave the mouse alone while their tables are being edited.
    ButtonBarDialogOpen = true;
    ReadSystemColours(*s);
    LoadDialogPictures(dialog, *s);
    SetCaptionFromString(dialog, kStrTitle);
    SetTextFromString(dialog, IDOK, IDOK);
    SetTextFromString(dialog, IDCANCEL, IDCANCEL);
    SetLabelsById(dialog, kLabels, static_cast<int>(sizeof kLabels / sizeof kLabels[0]));
    // A button's text holds 132 units: the field takes no more.
    SendDlgItemMessageW(dialog, kToolText, EM_LIMITTEXT, kToolbarTextUnits - 1, 0);
    SetListItemHeights(dialog, *s);
    HookPreview(dialog, *s);
    FillCommandList(dialog, *s);
    FillImageList(dialog, *s);
    FillToolList(dialog, *s);
    s->current = 0;
    ShowCurrentTool(dialog, *s);
    CheckDlgButton(dialog, kToolVisible, Bars.type != kToolbarNone ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;
}

void OnCommand(HWND dialog, ButtonBarDialogState* s, int id, int code)
{
    // clang-format off
    switch (id) {
    case kToolListButton: if (code == BN_CLICKED) ShowToolList(dialog, *s, !s->listShown); break;
    case kToolList:       if (code == LBN_DBLCLK) ChooseTool(dialog, *s); break;
    case kToolImages:     if (code == LBN_SELCHANGE) UpdateButtons(dialog, *s); break;
    case kToolChange:     ChangeCurrent(dialog, *s); break;
    case kToolDelete:     DeleteCurrent(dialog, *s); break;
    case kToolInsert:     InsertAtCurrent(dialog, *s); break;
    case kToolAddBitmap:  AddCustomBitmap(dialog, *s); break;
    case kToolDeleteBitmap: DeleteCustomBitmap(dialog, *s); break;
    case IDOK:            if (!s->listShown) EndWithCopy(dialog, s); break;
    case IDCANCEL:
        if (s->listShown)
            ShowToolList(dialog, *s, false);  // Escape closes the dropped list first
        else
            EndWithoutCopy(dialog, s);
        break;
    default: break;
    }
    // clang-format on
}

}  // namespace

INT_PTR CALLBACK ButtonBarDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (HandleDialogPalette(dialog, message, wParam))
        return TRUE;
    ButtonBarDialogState* s = State(dialog);
    switch (message) {
    case WM_INITDIALOG: return OnInit(dialog);
    case WM_COMMAND:
        if (s)
            OnCommand(dialog, s, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_DRAWITEM:
        if (s && DrawDialogItem(*s, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)))
            return TRUE;
        return FALSE;
    case WM_SYSCOLORCHANGE:
        if (s) {
            ReadSystemColours(*s);
            InvalidateRect(dialog, nullptr, TRUE);
        }
        return TRUE;
    case WM_DESTROY:
        if (s) {
            ButtonBarDialogOpen = false;
            RestoreControlProc(GetDlgItem(dialog, kToolPreview), s->previewProc);
            FreeDialogPictures(*s);
            SetDialogState(dialog, nullptr);
            delete s;
        }
        return FALSE;
    default: return FALSE;
    }
}

INT_PTR OpenButtonBarDialog(HWND owner)
{
    return RunModalDialog(owner, kDlgButtonTools, ButtonBarDialog);
}
