// The "Button Tools" dialog on its real template and controls: what it shows on
// opening, edits of the working copy that OK makes live and Cancel throws away,
// pictures added from files (with the file dialog and the message boxes driven as a
// user would), and the text field that holds no more than a button does.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "terminal/core/base/handles.h"
#include "terminal/core/window/frame_support.h"
#include "terminal/settings/modaldriver.h"
#include "terminal/input/bars/bmpwriter.h"
#include "terminal/core/window/dialogs/dialogbase.h"
#include "terminal/input/dialogs/bardialog.h"
#include "terminal/input/dialogs/bardialogstate.h"
#include "terminal/input/bars/toolbars.h"
#include "terminal/input/bars/toolbarstate.h"

namespace {

constexpr i32 G = kToolGapEntry;
constexpr int kMessageText = 0xFFFF;  // a message box's text control

LRESULT Send(HWND dialog, int id, UINT message, WPARAM w = 0, LPARAM l = 0)
{
    return SendDlgItemMessageW(dialog, id, message, w, l);
}

std::vector<LRESULT> Data(HWND dialog, int list)
{
    std::vector<LRESULT> data;
    const LRESULT count = Send(dialog, list, LB_GETCOUNT);
    for (LRESULT i = 0; i < count; ++i)
        data.push_back(Send(dialog, list, LB_GETITEMDATA, static_cast<WPARAM>(i)));
    return data;
}

std::wstring ItemText(HWND dialog, int list, int index)
{
    wchar_t text[256] = L"";
    Send(dialog, list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
}

LRESULT SelectedData(HWND dialog, int list)
{
    const LRESULT at = Send(dialog, list, LB_GETCURSEL);
    return at < 0 ? -1 : Send(dialog, list, LB_GETITEMDATA, static_cast<WPARAM>(at));
}

// Selects the item with `data` as a click would, the dialog hearing of it.
void Pick(HWND dialog, int list, LRESULT data, WORD notification = LBN_SELCHANGE)
{
    const std::vector<LRESULT> all = Data(dialog, list);
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i] != data)
            continue;
        Send(dialog, list, LB_SETCURSEL, i);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(list, notification),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, list)));
        return;
    }
    ADD_FAILURE() << "no item " << data << " in list " << list;
}

// The tool at list position `position` becomes current through the dropped list.
void ChooseTool(HWND dialog, int position)
{
    modal::Click(dialog, kToolListButton);
    Send(dialog, kToolList, LB_SETCURSEL, static_cast<WPARAM>(position));
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kToolList, LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, kToolList)));
}

// Answers the message box that comes with OK, keeping its text; the dialogs that open
// before it are left alone.
modal::Step AnswerBox(std::vector<std::wstring>* texts)
{
    return [texts](HWND box) {
        if (!GetDlgItem(box, kMessageText)) {
            modal::Queue().insert(modal::Queue().begin(), AnswerBox(texts));
            SetTimer(nullptr, 0, 30, modal::Tick);
            return;
        }
        texts->push_back(modal::Text(box, kMessageText));
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    };
}

// "Add Custom Bitmap..." with `path` typed into the file dialog; a message box that
// follows is answered into `boxes`.
void AddBitmap(HWND dialog, const std::wstring& path, std::vector<std::wstring>* boxes = nullptr)
{
    modal::Next([path](HWND files) {
        const int field = GetDlgItem(files, 1148) ? 1148 : 1152;  // the file-name combo or edit
        SetDlgItemTextW(files, field, path.c_str());
        SendMessageW(files, WM_COMMAND, IDOK, 0);
    });
    if (boxes)
        modal::Next(AnswerBox(boxes));
    modal::Click(dialog, kToolAddBitmap);
}

class ButtonToolsDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame_test::UseEnglishModule();
        ResetToolbarActions(Toolbar, false);
        ResetToolbarButtons(Toolbar, ToolbarFaces);
        for (int i = 0; i < kFactoryImageCount; ++i)
            SetToolbarImage(Toolbar, i, LoadBitmapW(GetModuleHandleW(nullptr), FactoryImageName(i)),
                            FactoryImageName(i), 1);
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        dir_ = std::wstring(temp) + L"vx_bardialog_" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(dir_.c_str(), nullptr);
    }
    void TearDown() override
    {
        for (ToolbarImage& image : Toolbar.images)
            if (image.bitmap)
                DeleteObject(image.bitmap), image = ToolbarImage{};
        Toolbar = ToolbarTables{};
        if (MainWindowHandle)
            SetToolbarType(kToolbarAttached);
        else
            Bars.type = kToolbarAttached;
    }

    // Runs the dialog with `steps` done in it; its result.
    INT_PTR Run(modal::Step steps)
    {
        modal::Next(std::move(steps));
        return OpenButtonBarDialog(nullptr);
    }

    std::wstring Write(const wchar_t* name, const std::vector<unsigned char>& bytes)
    {
        return bmp_test::WriteBytes(dir_, name, bytes);
    }

    std::vector<u32> LiveActions()
    {
        std::vector<u32> a;
        for (int i = 0; i < Toolbar.buttonCount; ++i)
            a.push_back(Toolbar.buttons[i].action);
        return a;
    }

    std::wstring dir_;
};

TEST_F(ButtonToolsDialog, OpensOnTheFirstToolWithEveryListFilled)
{
    const INT_PTR result = Run([](HWND d) {
        EXPECT_EQ(modal::Caption(d), L"Button Tools");
        EXPECT_EQ(modal::Text(d, kToolInsert), L"Insert at Current");
        EXPECT_EQ(modal::Text(d, kToolText), L"New Connection...");
        EXPECT_EQ(Send(d, kToolText, EM_GETLIMITTEXT), kToolbarTextUnits - 1);
        EXPECT_EQ(IsDlgButtonChecked(d, kToolVisible), BST_CHECKED);
        // The tools in bar order, a gap entry before each button with a group gap.
        EXPECT_EQ(Data(d, kToolList),
                  (std::vector<LRESULT>{0, 1, 2, G, 3, 4, G, 5, 6, G, 7, 8, 9, 10, G, 11, G, 12}));
        EXPECT_EQ(ItemText(d, kToolList, 3), L"    [Space]    ");
        EXPECT_EQ(Data(d, kToolImages).size(), 21u);
        EXPECT_EQ(SelectedData(d, kToolImages), 0);
        // The gap entry first, then one line per command without its "&" marks, sorted.
        const std::vector<LRESULT> commands = Data(d, kToolCommands);
        EXPECT_EQ(commands.size(), 1u + 48u);
        EXPECT_EQ(commands[0], G);
        EXPECT_EQ(SelectedData(d, kToolCommands), 0);
        std::vector<std::wstring> texts;
        for (std::size_t i = 0; i < commands.size(); ++i)
            texts.push_back(ItemText(d, kToolCommands, static_cast<int>(i)));
        for (std::size_t i = 2; i < texts.size(); ++i)
            EXPECT_LE(lstrcmpiW(texts[i - 1].c_str(), texts[i].c_str()), 0) << texts[i];
        for (const std::wstring& t : texts)
            EXPECT_EQ(t.find(L'&'), std::wstring::npos) << t;
        EXPECT_NE(std::find(texts.begin(), texts.end(), L"About Terminal Emulation..."), texts.end());
        // Both "Copy (Swap B/W)" actions keep a line of their own.
        EXPECT_EQ(std::count(texts.begin(), texts.end(), L"Copy  (Swap B/W)"), 2);
        EXPECT_FALSE(modal::Enabled(d, kToolDeleteBitmap));  // a built-in picture

        // The dropped list holds the dialog until a tool is chosen.
        modal::Click(d, kToolListButton);
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(d, kToolList)));
        for (int id : {kToolChange, kToolCommands, kToolImages, kToolText, IDOK})
            EXPECT_FALSE(modal::Enabled(d, id)) << id;
        modal::Click(d, kToolListButton);
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(d, kToolList)));
        EXPECT_TRUE(modal::Enabled(d, IDOK));
        EXPECT_EQ(GetFocus(), GetDlgItem(d, kToolText));
        ChooseTool(d, 4);
        EXPECT_EQ(modal::Text(d, kToolText), L"Copy  Ctrl+C");
        EXPECT_EQ(SelectedData(d, kToolImages), 3);
        ChooseTool(d, 3);
        EXPECT_EQ(modal::Text(d, kToolText), L"    [Space]    ");
        EXPECT_EQ(SelectedData(d, kToolCommands), G);
        modal::Click(d, IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
}

TEST_F(ButtonToolsDialog, EditsBecomeLiveOnOkOnly)
{
    const std::vector<u32> factory = LiveActions();
    auto edit = [](HWND d) {
        ChooseTool(d, 2);  // button 2
        Pick(d, kToolImages, 5);
        Pick(d, kToolCommands, 41);  // Exit
        modal::Click(d, kToolChange);
        EXPECT_EQ(modal::Text(d, kToolText), L"Exit");
        EXPECT_EQ(ItemText(d, kToolList, 2), L"Exit");
        // A text typed over the shown one is the new button's; it goes before button 2.
        Pick(d, kToolCommands, 28);
        modal::SetText(d, kToolText, L"ls^M");
        modal::Click(d, kToolInsert);
        EXPECT_EQ(modal::Text(d, kToolText), L"ls^M");
        // Button 0 goes; the gap before button 3 (now 4) shrinks away.
        ChooseTool(d, 0);
        modal::Click(d, kToolDelete);
        EXPECT_EQ(Data(d, kToolList),
                  (std::vector<LRESULT>{0, 1, 2, G, 3, 4, G, 5, 6, G, 7, 8, 9, 10, G, 11, G, 12}));
        ChooseTool(d, 3);
        modal::Click(d, kToolDelete);
        // A gap grows before button 0 with the gap entry as the command.
        ChooseTool(d, 0);
        Pick(d, kToolCommands, G);
        modal::Click(d, kToolInsert);
        EXPECT_EQ(Data(d, kToolList),
                  (std::vector<LRESULT>{G, 0, 1, 2, 3, 4, G, 5, 6, G, 7, 8, 9, 10, G, 11, G, 12}));
    };
    EXPECT_EQ(Run([&](HWND d) { edit(d), modal::Click(d, IDCANCEL); }), IDCANCEL);
    EXPECT_EQ(LiveActions(), factory);

    const ToolbarRect secondPlace = Toolbar.buttons[1].rect;
    EXPECT_EQ(Run([&](HWND d) { edit(d), modal::Click(d, IDOK); }), IDOK);
    EXPECT_EQ(LiveActions(), (std::vector<u32>{1, 28, 41, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    EXPECT_EQ(std::wstring(Toolbar.buttons[1].text), L"ls^M");
    EXPECT_EQ(std::wstring(Toolbar.buttons[2].text), L"");
    EXPECT_EQ(Toolbar.buttons[2].image, 5u);
    EXPECT_EQ(Toolbar.buttons[0].spacing, 6u);
    EXPECT_EQ(Toolbar.buttons[3].spacing, 2u);
    EXPECT_EQ(Toolbar.buttons[1].rect.left, secondPlace.left);  // records keep their places
    EXPECT_FALSE(ToolbarButtonsAreFactory(Toolbar));
}

// The running bar follows "Visible" on OK, and only then.
TEST_F(ButtonToolsDialog, VisibleHidesTheBarOrBringsTheProfilesOneBack)
{
    HWND main = frame_test::MainWindow();
    auto attached = [main] { return GetDlgItem(main, kToolbarChildId); };
    auto floating = [] { return FindWindowW(L"vexaNT2", nullptr); };
    SetToolbarType(kToolbarFloating);
    ASSERT_NE(floating(), nullptr);
    EXPECT_EQ(Run([](HWND d) {
                  EXPECT_EQ(IsDlgButtonChecked(d, kToolVisible), BST_CHECKED);
                  modal::Click(d, kToolVisible);
                  modal::Click(d, IDOK);
              }),
              IDOK);
    EXPECT_EQ(Bars.type, kToolbarNone);
    EXPECT_EQ(floating(), nullptr);
    EXPECT_EQ(attached(), nullptr);
    // Cancel leaves it hidden; checked again with OK, the profile's kind comes back (the
    // attached bar, as this profile names none) and the terminal area makes room for it.
    EXPECT_EQ(Run([](HWND d) {
                  EXPECT_EQ(IsDlgButtonChecked(d, kToolVisible), BST_UNCHECKED);
                  modal::Click(d, kToolVisible);
                  modal::Click(d, IDCANCEL);
              }),
              IDCANCEL);
    EXPECT_EQ(Bars.type, kToolbarNone);
    EXPECT_EQ(attached(), nullptr);
    EXPECT_EQ(Run([](HWND d) { modal::Click(d, kToolVisible), modal::Click(d, IDOK); }), IDOK);
    EXPECT_EQ(Bars.type, kToolbarAttached);
    ASSERT_NE(attached(), nullptr);
    EXPECT_TRUE(IsWindowVisible(attached()));
    EXPECT_GT(GetToolbarHeight(), 0);
    EXPECT_EQ(floating(), nullptr);
}

// While the tables are edited the bars take no clicks; closing the dialog either way
// gives the mouse back.
TEST_F(ButtonToolsDialog, TheBarsIgnoreTheMouseWhileItRuns)
{
    HWND main = frame_test::MainWindow();
    SetToolbarType(kToolbarAttached);
    HWND bar = GetDlgItem(main, kToolbarChildId);
    ASSERT_NE(bar, nullptr);
    for (int close : {IDOK, IDCANCEL}) {
        EXPECT_EQ(Run([&](HWND d) {
                      EXPECT_TRUE(ButtonBarDialogOpen);
                      SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
                      EXPECT_NE(GetCapture(), bar) << "no button pressed";
                      SendMessageW(bar, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
                      modal::Click(d, close);
                  }),
                  close);
        EXPECT_FALSE(ButtonBarDialogOpen);
        MSG msg;
        EXPECT_FALSE(PeekMessageW(&msg, main, WM_COMMAND, WM_COMMAND, PM_REMOVE)) << "nothing ran";
    }
}

// The current tool shows as the bar shows it: the small up face over the whole button,
// the picture inside it, centred in the preview frame.
TEST_F(ButtonToolsDialog, ThePreviewShowsTheButtonOnItsFace)
{
    frame_test::MainWindow();  // the bar's faces
    ASSERT_NE(Bars.faceUp[0], nullptr);
    HDC screen = GetDC(nullptr);
    HBITMAP red = CreateCompatibleBitmap(screen, 21, 17);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, red);
    RECT all{0, 0, 21, 17};
    HBRUSH brush = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(memory, &all, brush);
    DeleteObject(brush);
    SelectObject(memory, Bars.faceUp[0]);
    const COLORREF faceCorner = GetPixel(memory, 0, 0);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    ASSERT_NE(faceCorner, GetSysColor(COLOR_WINDOW));
    DeleteObject(Toolbar.images[0].bitmap);
    Toolbar.images[0].bitmap = red;

    EXPECT_EQ(Run([&](HWND d) {
                  HWND preview = GetDlgItem(d, kToolPreview);
                  RedrawWindow(preview, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
                  RECT r;
                  GetClientRect(preview, &r);
                  const int x = (r.right - 26) / 2, y = (r.bottom - 22) / 2;
                  HDC dc = GetDC(preview);
                  EXPECT_EQ(GetPixel(dc, x, y), faceCorner) << "the face's corner";
                  EXPECT_EQ(GetPixel(dc, x + 13, y + 11), RGB(255, 0, 0)) << "the picture";
                  EXPECT_EQ(GetPixel(dc, x - 1, y + 11), GetSysColor(COLOR_WINDOW)) << "beside the button";
                  ReleaseDC(preview, dc);
                  modal::Click(d, IDCANCEL);
              }),
              IDCANCEL);
}

TEST_F(ButtonToolsDialog, TheTextFieldHoldsWhatAButtonHolds)
{
    EXPECT_EQ(Run([](HWND d) {
                  // Typed: the field stops at 132 characters.
                  SetFocus(GetDlgItem(d, kToolText));
                  modal::SetText(d, kToolText, L"");
                  for (int i = 0; i < 140; ++i)
                      SendDlgItemMessageW(d, kToolText, WM_CHAR, 'a', 1);
                  EXPECT_EQ(modal::Text(d, kToolText).size(), 132u);
                  // Put there whole by another program: the button still takes 132.
                  modal::SetText(d, kToolText, std::wstring(254, L'x').c_str());
                  modal::Click(d, kToolChange);
                  modal::Click(d, IDOK);
              }),
              IDOK);
    EXPECT_EQ(std::wstring(Toolbar.buttons[0].text), std::wstring(132, L'x'));
    EXPECT_EQ(Toolbar.buttons[0].action, 0u);
    EXPECT_EQ(Toolbar.buttons[1].action, 1u);
    EXPECT_EQ(std::wstring(Toolbar.buttons[1].text), L"");
}

TEST_F(ButtonToolsDialog, PicturesFromFiles)
{
    const std::wstring good24 = Write(L"good24.bmp", bmp_test::BitmapFileBytes(21, 17, 24));
    const std::wstring good8 = Write(L"good8.bmp", bmp_test::BitmapFileBytes(21, 17, 8));
    std::vector<unsigned char> truncated = bmp_test::BitmapFileBytes(21, 17, 24);
    truncated.resize(100);
    const std::wstring bad = Write(L"bad.bmp", truncated);
    std::vector<std::wstring> boxes;
    HBITMAP loaded[2] = {};

    // Two pictures added, one refused twice; Cancel deletes both added bitmaps.
    EXPECT_EQ(Run([&](HWND d) {
                  AddBitmap(d, good24);
                  EXPECT_EQ(SelectedData(d, kToolImages), 21);
                  EXPECT_EQ(ItemText(d, kToolImages, 21), good24);
                  EXPECT_TRUE(modal::Enabled(d, kToolDeleteBitmap));
                  AddBitmap(d, good24, &boxes);
                  AddBitmap(d, bad, &boxes);
                  AddBitmap(d, good8);
                  EXPECT_EQ(Data(d, kToolImages).size(), 23u);
                  const auto* s = DialogState<ButtonBarDialogState>(d);
                  loaded[0] = s->work.images[21].bitmap, loaded[1] = s->work.images[22].bitmap;
                  modal::Click(d, IDCANCEL);
              }),
              IDCANCEL);
    EXPECT_EQ(boxes, (std::vector<std::wstring>{good24 + L" is already defined.",
                                                bad + L" is not a valid Bitmap File."}));
    EXPECT_EQ(Toolbar.imageCount, 21);
    for (HBITMAP b : loaded) {
        EXPECT_NE(b, nullptr);
        EXPECT_EQ(GetObjectType(b), 0u);
    }

    // Kept with OK: one picture in use, one removed again (its bitmap deleted).
    HBITMAP removed = nullptr;
    EXPECT_EQ(Run([&](HWND d) {
                  AddBitmap(d, good8);
                  AddBitmap(d, good24);
                  removed = DialogState<ButtonBarDialogState>(d)->work.images[22].bitmap;
                  modal::Click(d, kToolDeleteBitmap);
                  Pick(d, kToolImages, 21);
                  modal::Click(d, kToolChange);
                  EXPECT_FALSE(modal::Enabled(d, kToolDeleteBitmap));  // button 0 shows it
                  modal::Click(d, IDOK);
              }),
              IDOK);
    EXPECT_EQ(Toolbar.imageCount, 22);
    EXPECT_EQ(Toolbar.fileImageCount, 1);
    EXPECT_EQ(std::wstring(Toolbar.images[21].name), good8);
    EXPECT_NE(GetObjectType(Toolbar.images[21].bitmap), 0u);
    EXPECT_EQ(Toolbar.buttons[0].image, 21u);
    EXPECT_EQ(GetObjectType(removed), 0u);
}

}  // namespace
