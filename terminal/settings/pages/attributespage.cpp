// The "Attributes" page (slot 4): for each screen element of the working emulation a
// foreground and a background picked from two grids of the sixteen palette colours, the
// attribute flags that go with them, a preview, and the colour preferences. The grids
// and the preview are drawn by the page itself over hidden placeholder controls; the
// page edits the working copy, and "&Set Colour..." and "S&wap Black/White" the working
// palette, which the terminal shows at once and Cancel takes back.
#include "terminal/core/base/emulationids.h"
#include "terminal/core/base/family.h"
#include "terminal/core/base/handles.h"
#include "terminal/core/base/language.h"
#include "terminal/core/window/dialogs/dialogbase.h"
#include "terminal/core/screen/display.h"
#include "terminal/core/paint/palette.h"
#include "terminal/settings/setup/attributelists.h"
#include "terminal/settings/setup/colourchooser.h"
#include "terminal/settings/store/colours.h"
#include "terminal/settings/store/defaults.h"
#include "terminal/settings/setup/setupcopy.h"
#include "terminal/settings/setup/setupdialog.h"
#include "terminal/settings/setup/setuppages.h"

namespace {

SetupWorkingCopy& W = SetupCopy;

// clang-format off
enum : u16 {
    kDefault = 3, kSetColour = 4, kForegroundBase = 1960, kBackgroundBase = 2060, kElementList = 2160,
    kUseColours = 2211, kFlashing = 2212, kUnderline = 2213, kInverse = 2214, kIntensity = 2215,
    kBoldFont = 2216, kSeparator = 2217, kHidden = 2218, kInverseColours = 2221, kSwapBlackWhite = 2222,
    kAutoColour = 2223, kAnsiDisabled = 2224, kColoursCleared = 2225, kNormalBackground = 2226,
    kItalic = 2227, kSample = 2935,
};
// clang-format on
constexpr u32 kStrSetColour = 2933, kStrHalfBright = 2220;
constexpr int kRepaintCommand = 1056;

// The attribute boxes: their flag, which byte of the pair holds it, and its bit.
struct AttributeBox {
    u16 control;
    u8 flag;        // AttributeFlag; 0 for "Use Colours"
    u8 background;  // 1: the bit lives in the background byte
    u8 bit;
};
// clang-format off
constexpr AttributeBox kBoxes[] = {
    {kIntensity, kFlagIntensity, 0, 0x80}, {kUnderline, kFlagUnderline, 0, 0x40}, {kFlashing, kFlagFlashing, 0, 0x10},
    {kInverse, kFlagInverse, 0, 0x20},     {kSeparator, kFlagSeparator, 1, 0x20}, {kHidden, kFlagHidden, 1, 0x10},
    {kUseColours, 0, 1, 0x80},
};
// clang-format on
constexpr int kBoxCount = static_cast<int>(std::size(kBoxes));

// The page's state while it is open: the boxes' flags, the colour marked in the grid
// drawn last, and a colour drag in progress.
u16 g_flags[kBoxCount] = {};
int g_marked = -1;
bool g_dragging = false;

const AttributeElementList& List()
{
    return AttributeListFor(static_cast<u8>(W.emulation));
}

const AttributeEntry& Entry()
{
    const AttributeElementList& list = List();
    return list.entries[SetupScreenElement < list.count ? SetupScreenElement : 0];
}

RECT ControlRect(HWND page, int id)
{
    RECT r{};
    GetWindowRect(GetDlgItem(page, id), &r);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

COLORREF PaletteColour(int index)
{
    const u32 bgr = PaletteRgb(index & 0x0F);
    return RGB(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

// "&Set Colour..." redefines the colour marked; never colour 0, never from the
// palette-choice entry.
void UpdateSetColourButton(HWND page)
{
    EnableControl(page, kSetColour, g_marked > 0 && !(Entry().flags & kEntryPalette));
}

// The pair the preview shows: an entry without its own colours takes the normal ones.
void DrawPreview(HWND page, int blinkStep)
{
    const AttributeElementList& list = List();
    u8 fg = static_cast<u8>(SetupColourPair[0]), bg = static_cast<u8>(SetupColourPair[1]);
    if (Entry().flags & kEntryOneColour) {
        fg = bg = bg & 0x0F;
    } else if (!(bg & 0x80)) {
        const AttributeEntry& normal = list.entries[list.normalEntry];
        fg = static_cast<u8>((fg & 0xF0) | (list.table[normal.foreground] & 0x0F));
        bg = static_cast<u8>((bg & 0xF0) | (list.table[normal.background] & 0x0F));
    }
    AttributeLookOptions options{};
    options.boldFont = W.boldFont != 0;
    options.italicWithIntensity = W.italicWithIntensity != 0;
    options.intensityReversed = list.intensityReversed && list.intensityReversed();
    DrawAttributePreview(page, ControlRect(page, kSample), fg, bg, options, blinkStep);
}

// The two frames around the colours 0-7 and 8-15 of each grid; sunken around the half
// the palette entry's choice names.
void FramePaletteHalves(HWND page, HDC dc, bool clear)
{
    if (!List().paletteHalves)
        return;
    const struct {
        u16 first, last;
        int right;
        bool sunken;
    } frames[] = {
        {kForegroundBase, kForegroundBase + 7, 2, !clear && (SetupColourPair[0] & 0x0F) < 8},
        {kForegroundBase + 8, kForegroundBase + 15, 2, !clear && (SetupColourPair[0] & 0x0F) >= 8},
        {kBackgroundBase, kBackgroundBase + 7, 4, !clear && (SetupColourPair[1] & 0x0F) < 8},
        {kBackgroundBase + 8, kBackgroundBase + 15, 4, !clear && (SetupColourPair[1] & 0x0F) >= 8},
    };
    for (const auto& f : frames) {
        RECT first = ControlRect(page, f.first), last = ControlRect(page, f.last);
        RECT r{first.left - 2, first.top - 2, last.right + f.right, last.bottom + 2};
        DrawEdge(dc, &r, f.sunken ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_SOFT);
    }
}

void DrawSwatchGrid(HWND page, HDC dc, u16 base, u16 value)
{
    const bool palette = (Entry().flags & kEntryPalette) != 0;
    g_marked = -1;
    for (int k = 0; k < 16; ++k) {
        RECT r = ControlRect(page, base + k);
        HBRUSH brush = CreateSolidBrush(PaletteColour(k));
        FillRect(dc, &r, brush);
        DeleteObject(brush);
        const bool marked = !palette && k == (value & 0x0F);
        if (marked)
            g_marked = k;
        DrawEdge(dc, &r, marked ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_SOFT);
    }
}

// Which boxes the selected entry offers, and their checks from the pair.
void ShowAttributeBoxes(HWND page)
{
    const AttributeElementList& list = List();
    const AttributeEntry& entry = Entry();
    wchar16 label[128] = {};
    LoadLanguageString(InstanceHandle, list.firstString + SetupScreenElement, label, 128);
    const u8 named = AttributeFlagsNamed(label) & list.flagsOffered;
    if (entry.flags & kEntryForcesUseColours)
        SetupColourPair[1] |= 0x80;
    for (int i = 0; i < kBoxCount; ++i) {
        const AttributeBox& box = kBoxes[i];
        const bool enabled = box.flag ? (named & box.flag) != 0 : !(entry.flags & kEntryNoUseColours);
        const bool set = (SetupColourPair[box.background] & box.bit) != 0;
        EnableControl(page, box.control, enabled);
        if (enabled)
            g_flags[i] = set;
        else if (box.flag)
            g_flags[i] = 0;
        CheckDlgButton(page, box.control, (enabled ? set : !box.flag) ? BST_CHECKED : BST_UNCHECKED);
    }
}

void DrawColourFields(HWND page)
{
    ApplyHlsPalette(SetupPalette);
    HDC dc = GetDC(page);
    if (!dc)
        return;
    const bool palette = (Entry().flags & kEntryPalette) != 0;
    if (!palette)
        FramePaletteHalves(page, dc, true);
    DrawSwatchGrid(page, dc, kForegroundBase, SetupColourPair[0]);
    DrawSwatchGrid(page, dc, kBackgroundBase, SetupColourPair[1]);
    if (palette)
        FramePaletteHalves(page, dc, false);
    ReleaseDC(page, dc);
    ShowAttributeBoxes(page);
}

void Refresh(HWND page)
{
    DrawColourFields(page);
    DrawPreview(page, 0);
    UpdateSetColourButton(page);
}

void FillListFromStrings(HWND list, u32 first, u32 last)
{
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (u32 id = first; id <= last; ++id) {
        wchar16 text[128] = {};
        if (LoadLanguageString(InstanceHandle, id, text, 128) > 0)
            SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
}

void HandleScreenElementList(HWND page, const SetupControlEntry& entry, u8 init, WPARAM wParam, LPARAM)
{
    HWND list = GetDlgItem(page, entry.id);
    if (init) {
        const AttributeElementList& elements = List();
        FillListFromStrings(list, elements.firstString, elements.firstString + elements.count - 1u);
        SetupScreenElement = 0;
        LoadAttributeColourPair(0);
        SendMessageW(list, LB_SETCURSEL, 0, 0);
        return;
    }
    if (LOWORD(wParam) != entry.id || HIWORD(wParam) != LBN_SELCHANGE)
        return;
    const LRESULT chosen = SendMessageW(list, LB_GETCURSEL, 0, 0);
    if (chosen == LB_ERR)
        return;
    StoreAttributeColourPair(SetupScreenElement);
    SetupScreenElement = static_cast<u8>(chosen);
    LoadAttributeColourPair(SetupScreenElement);
    Refresh(page);
}

void ToggleAttributeFlag(HWND page, const SetupControlEntry& entry, u8, WPARAM, LPARAM)
{
    for (int i = 0; i < kBoxCount; ++i)
        if (kBoxes[i].control == entry.id) {
            u16& byte = SetupColourPair[kBoxes[i].background];
            byte = static_cast<u16>(g_flags[i] ? byte | kBoxes[i].bit : byte & ~kBoxes[i].bit);
        }
    DrawPreview(page, 0);
    UpdateSetColourButton(page);
}

void RefreshAttributeSample(HWND page, const SetupControlEntry&, u8, WPARAM, LPARAM)
{
    DrawPreview(page, 0);
}

void SwapBlackWhiteClicked(HWND page, const SetupControlEntry&, u8, WPARAM, LPARAM)
{
    if (SwapBlackWhite(SetupPalette)) {
        ApplyHlsPalette(SetupPalette);
        InvalidateRect(page, nullptr, TRUE);
    }
}

void DefaultColours(HWND page, const SetupControlEntry&, u8, WPARAM, LPARAM)
{
    ResetEmulationColours();
    ApplyHlsPalette(SetupPalette);
    ColoursEditedFlag = 1;
    SettingsChangedFlag = 1;
    InvalidateRect(page, nullptr, TRUE);
}

void SetColour(HWND page, const SetupControlEntry&, u8, WPARAM, LPARAM)
{
    SetupSelectedPaletteIndex = g_marked;
    if (ChooseSetupPaletteColour(page))
        InvalidateRect(page, nullptr, TRUE);
}

// OK: the colours are applied after the page, the working palette becomes the one the
// running emulation shows.
void Confirmed(HWND, const SetupControlEntry&, u8, WPARAM, LPARAM)
{
    ColoursEditedFlag = 1;
    RunningHlsPalette() = SetupPalette;
}

// Cancel: what the page previewed goes back.
void Cancelled(HWND, const SetupControlEntry&, u8, WPARAM, LPARAM)
{
    SetupPalette = RunningHlsPalette();
    ApplyColourPalette();
    InvalidateTerminal();
}

bool OkWork(HWND page)
{
    StopPreviewBlink(page);
    if (MainWindowHandle)
        PostMessageW(MainWindowHandle, WM_COMMAND, MAKEWPARAM(kRepaintCommand, 0xFFF9), 0);
    return true;
}

void CancelWork(HWND page)
{
    StopPreviewBlink(page);
}

void InitDisplay(HWND page)
{
    const u8 emulation = static_cast<u8>(W.emulation);
    for (u16 id : {kColoursCleared, kInverseColours})
        EnableControl(page, id, IsVtFamily(emulation));
    for (u16 id : {kAutoColour, kAnsiDisabled})
        EnableControl(page, id, VtFamilyRunning());
    EnableControl(page, kNormalBackground, List().normalBackground);
    if (const u16 label = List().intensityLabel)
        SetTextFromString(page, kIntensity, label);
    else if (emulation == kEmuHp70092)
        SetTextFromString(page, kIntensity, kStrHalfBright);
    // The grids mark the entry's colours before the page is first painted.
    ShowAttributeBoxes(page);
}

// The swatch under a point of the page (client coordinates): its control, 0 for none.
u16 SwatchAt(HWND page, POINT at)
{
    for (u16 base : {kForegroundBase, kBackgroundBase})
        for (int k = 0; k < 16; ++k) {
            const RECT r = ControlRect(page, base + k);
            if (PtInRect(&r, at))
                return static_cast<u16>(base + k);
        }
    return 0;
}

void DropColour(HWND page, u16 swatch)
{
    const bool background = swatch >= kBackgroundBase;
    u16& byte = SetupColourPair[background ? 1 : 0];
    byte = static_cast<u16>((byte & 0xF0) | (swatch - (background ? kBackgroundBase : kForegroundBase)));
    // Choosing a colour for an entry asks for it to be used.
    if (IsWindowEnabled(GetDlgItem(page, kUseColours))) {
        SetupColourPair[1] |= 0x80;
        g_flags[kBoxCount - 1] = 1;
        CheckDlgButton(page, kUseColours, BST_CHECKED);
    }
    Refresh(page);
}

bool Message(HWND page, UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(page, &paint);
        EndPaint(page, &paint);
        Refresh(page);
        *result = TRUE;
        return true;
    }
    case WM_LBUTTONDOWN: {
        const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        g_dragging = SwatchAt(page, at) != 0;
        return false;
    }
    case WM_LBUTTONUP: {
        const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        const u16 swatch = g_dragging ? SwatchAt(page, at) : 0;
        g_dragging = false;
        if (swatch)
            DropColour(page, swatch);
        return false;
    }
    case WM_TIMER:
        if (wParam == kPreviewBlinkTimer)
            DrawPreview(page, 1);
        return false;
    case WM_QUERYNEWPALETTE:
    case WM_PALETTECHANGED:
        // A true-colour display has nothing to realise: the page is drawn again.
        if (message == WM_PALETTECHANGED && reinterpret_cast<HWND>(wParam) == page)
            return false;
        InvalidateRect(page, nullptr, TRUE);
        *result = message == WM_PALETTECHANGED;
        return message == WM_PALETTECHANGED;
    default: return false;
    }
}

constexpr SetupControlEntry Swatch(u16 id, u16* variable)
{
    return {SetupControlKind::ColourSwatch, id, nullptr, variable, 0, 0, 0};
}

// clang-format off
#define VX_GRID(base, variable)                                                                               \
    Swatch(base + 0, variable), Swatch(base + 1, variable), Swatch(base + 2, variable), Swatch(base + 3, variable), \
        Swatch(base + 4, variable), Swatch(base + 5, variable), Swatch(base + 6, variable),                   \
        Swatch(base + 7, variable), Swatch(base + 8, variable), Swatch(base + 9, variable),                   \
        Swatch(base + 10, variable), Swatch(base + 11, variable), Swatch(base + 12, variable),                \
        Swatch(base + 13, variable), Swatch(base + 14, variable), Swatch(base + 15, variable)
// clang-format on

const SetupControlEntry kControls[] = {
    SetupButton(IDOK, Confirmed),
    SetupButton(IDCANCEL, Cancelled),
    SetupButton(kDefault, DefaultColours),
    SetupButton(kSetColour, SetColour, kStrSetColour),
    SetupLabel(1959),
    VX_GRID(kForegroundBase, &SetupColourPair[0]),
    SetupLabel(2059),
    VX_GRID(kBackgroundBase, &SetupColourPair[1]),
    SetupLabel(2159),
    SetupList(kElementList, HandleScreenElementList),
    SetupLabel(2210),
    SetupCheck(kFlashing, &g_flags[2], ToggleAttributeFlag),
    SetupCheck(kUnderline, &g_flags[1], ToggleAttributeFlag),
    SetupCheck(kInverse, &g_flags[3], ToggleAttributeFlag),
    SetupCheck(kIntensity, &g_flags[0], ToggleAttributeFlag),
    SetupCheck(kSeparator, &g_flags[4], ToggleAttributeFlag),
    SetupCheck(kHidden, &g_flags[5], ToggleAttributeFlag),
    SetupLabel(2934),
    {SetupControlKind::SampleText, kSample, nullptr, nullptr, 0, 0, 0},
    SetupLabel(1609),
    SetupCheck(kUseColours, &g_flags[6], ToggleAttributeFlag),
    SetupCheck(kInverseColours, &W.inverseColours),
    SetupCheck(kSwapBlackWhite, &W.swapBlackWhite, SwapBlackWhiteClicked),
    SetupCheck(kAutoColour, &W.autoColour),
    SetupCheck(kAnsiDisabled, &W.ansiColoursDisabled),
    SetupCheck(kColoursCleared, &W.coloursClearedWithAttributes),
    SetupCheck(kNormalBackground, &W.attributesNormalBackground),
    SetupCheck(kItalic, &W.italicWithIntensity, RefreshAttributeSample),
    SetupCheck(kBoldFont, &W.boldFont, RefreshAttributeSample),
    SetupEnd(),
};
#undef VX_GRID

const SetupPage kPage{2160, kControls, 0, 0, nullptr, 0, nullptr, InitDisplay, OkWork, CancelWork, Message};
const bool kRegistered = (RegisterSetupPage(4, &kPage), true);

}  // namespace
