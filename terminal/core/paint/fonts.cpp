#include "terminal/core/paint/fonts.h"

#include <cwchar>

#include "terminal/core/paint/overlays.h"
#include "terminal/core/screen/charsets.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/paint/geometry.h"
#include "terminal/core/paint/glyphcache.h"
#include "terminal/core/base/memblock.h"
#include "terminal/core/base/messagebox.h"
#include "terminal/core/screen/paintsettings.h"
#include "terminal/core/paint/screendc.h"
#include "terminal/settings/store/colours.h"

int BaseCellWidth = 8, BaseLineHeight = 16;
int CellWidth = 8, LineHeight = 16;
int LineWidthPixels = 80 * 8;
int SelectedFaceIndex = 0;

namespace {
constexpr wchar_t kDefaultFace[] = L"Courier New";
constexpr int kMaxFaces = 32;
constexpr int kFaceUnits = 32;
constexpr u32 kStrFontCreateFailed = 7141;

INT* g_advance = nullptr;
HFONT g_font = nullptr;
int g_averageWidth = 0, g_fontHeight = 0;
int g_cachedGlyphSet = 255, g_cachedFlags = 255;

struct FaceList {
    wchar_t names[kMaxFaces][kFaceUnits];
    int count;
};
FaceList* g_faces = nullptr;

void FillAdvance(int width)
{
    if (!g_advance)
        g_advance = static_cast<INT*>(LocalAlloc(LPTR, sizeof(INT) * kAdvanceEntries));
    if (g_advance)
        for (int i = 0; i < kAdvanceEntries; ++i)
            g_advance[i] = width;
}

int CALLBACK CollectFace(const LOGFONTW* logFont, const TEXTMETRICW* metrics, DWORD type, LPARAM charset)
{
    FaceList* list = g_faces;
    if (!list || list->count >= kMaxFaces)
        return 0;
    if (!(type & TRUETYPE_FONTTYPE))
        return 1;
    // TMPF_FIXED_PITCH set means variable pitch.
    if (charset == ANSI_CHARSET && (metrics->tmPitchAndFamily & TMPF_FIXED_PITCH))
        return 1;
    const wchar_t* name = logFont->lfFaceName;
    if (name[0] == L'@')
        return 1;  // vertical variants are not terminal faces
    for (int i = 0; i < list->count; ++i)
        if (std::wcscmp(list->names[i], name) == 0)
            return 1;
    CopyText(list->names[list->count], kFaceUnits, name);
    return ++list->count < kMaxFaces;
}

int EnumerateFaces(BYTE charset)
{
    if (g_faces)
        MemFreeBlock(g_faces);
    g_faces = static_cast<FaceList*>(MemAllocBlock(sizeof(FaceList)));
    if (!g_faces)
        return 0;
    HDC dc = ScreenDC ? ScreenDC : GetDC(nullptr);
    LOGFONTW query{};
    query.lfCharSet = charset;
    query.lfPitchAndFamily = FIXED_PITCH;
    {
        ScreenPaintGuard guard;
        EnumFontFamiliesExW(dc, &query, reinterpret_cast<FONTENUMPROCW>(CollectFace), charset, 0);
    }
    if (dc != ScreenDC)
        ReleaseDC(nullptr, dc);
    return g_faces->count;
}
}  // namespace

const INT* AdvanceArray()
{
    if (!g_advance)
        FillAdvance(CellWidth);
    return g_advance;
}

bool SetCellSize(int width, int height)
{
    InvalidateGlyphCache();
    BaseCellWidth = CellWidth = width;
    BaseLineHeight = LineHeight = height;
    LineWidthPixels = 80 * width;
    FillAdvance(width);
    return true;
}

BYTE FontCharsetForMode(int characterMode)
{
    if (characterMode == kCharModeGreek)
        return GREEK_CHARSET;
    if (characterMode == kCharModeHebrew)
        return HEBREW_CHARSET;
    return ANSI_CHARSET;
}

BYTE FontCharsetForIbmCodePage(int index)
{
    // clang-format off
    static const BYTE kSets[37] = {
        0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,   // 0-15
        128, 129, 134, 136, 177, 222, 161, 204, 162, 204,  // 16-25
        238, 238, 238, 0, 238, 238, 238, 238, 238, 238, 238,  // 26-36
    };
    // clang-format on
    return index >= 0 && index < 37 ? kSets[index] : ANSI_CHARSET;
}

const wchar_t* FaceNameForIndex(int index)
{
    if (!g_faces || g_faces->count == 0)
        return kDefaultFace;
    if (index < 0 || index >= g_faces->count)
        index = 0;
    return g_faces->names[index];
}

const wchar_t* TerminalFaceName()
{
    return FaceNameForIndex(SelectedFaceIndex);
}

void FillTerminalLogFont(LOGFONTW* font, int height, int width, bool italic)
{
    *font = LOGFONTW{};
    font->lfHeight = height;
    font->lfWidth = width;
    font->lfWeight = Colours.boldfont ? FW_BOLD : FW_NORMAL;
    font->lfItalic = italic ? TRUE : FALSE;
    font->lfCharSet = FontCharsetForMode(PaintSettings.characterMode);
    font->lfOutPrecision = OUT_DEFAULT_PRECIS;
    font->lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font->lfQuality = DEFAULT_QUALITY;
    font->lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    CopyText(font->lfFaceName, LF_FACESIZE, TerminalFaceName());
}

HFONT CreateTerminalFont(int height, int width, bool italic)
{
    LOGFONTW lf;
    FillTerminalLogFont(&lf, height, width, italic);
    HFONT font = CreateFontIndirectW(&lf);
    if (!font)
        MessageBoxFormatId(kStrFontCreateFailed, lf.lfFaceName);
    return font;
}

void MeasureTerminalFont(int height, int width, bool italic)
{
    HFONT font = CreateTerminalFont(height, width, italic);
    if (!font || !ScreenDC)
        return;
    ScreenPaintGuard guard;
    HFONT old = static_cast<HFONT>(SelectObject(ScreenDC, font));
    if (old && old == g_font)
        DeleteObject(old);
    TEXTMETRICW tm{};
    GetTextMetricsW(ScreenDC, &tm);
    // A variable-pitch face is narrowed until no character is wider than the cell plus
    // one pixel, so that advancing by the cell never lets glyphs overlap much.
    if (tm.tmPitchAndFamily & TMPF_FIXED_PITCH) {
        for (int w = tm.tmAveCharWidth - 1; w >= 1 && tm.tmMaxCharWidth > width + 1; --w) {
            HFONT narrower = CreateTerminalFont(height, w, italic);
            if (!narrower)
                break;
            HFONT previous = static_cast<HFONT>(SelectObject(ScreenDC, narrower));
            DeleteObject(previous);
            font = narrower;
            GetTextMetricsW(ScreenDC, &tm);
        }
    }
    g_font = font;
    CellWidth = width;
    LineHeight = height;
    g_averageWidth = tm.tmAveCharWidth;
    g_fontHeight = tm.tmHeight;
    FillAdvance(width);
}

void SelectLineFont(int glyphSet, int fontFlags)
{
    ScreenPaintGuard guard;
    if (glyphSet == g_cachedGlyphSet && fontFlags == g_cachedFlags && g_font)
        return;
    g_cachedGlyphSet = glyphSet;
    g_cachedFlags = fontFlags;
    int width = BaseCellWidth, height = BaseLineHeight;
    switch (fontFlags & kFontSizeBits) {
    case kFontDoubleWidth: width *= 2; break;
    case kFontTopHalf:
    case kFontBottomHalf: height *= 2; break;
    case kFontDoubleWidth | kFontTopHalf:
    case kFontDoubleWidth | kFontBottomHalf:
        width *= 2;
        height *= 2;
        break;
    }
    MeasureTerminalFont(height, width, (fontFlags & kFontItalic) != 0);
    LineHeight = BaseLineHeight;
    LayoutScreenKeyLabels();
    SetTerminalClipRect();
}

void RefreshTerminalFonts()
{
    InvalidateFontCache();
    MeasureTerminalFont(BaseLineHeight, BaseCellWidth, false);
    g_cachedGlyphSet = 0;
    g_cachedFlags = 0;
}

void SelectWidthFont(bool doubleWidth)
{
    SelectLineFont(0, doubleWidth ? kFontDoubleWidth : 0);
    LineWidthPixels = (doubleWidth ? 40 : 80) * CellWidth;
}

void InvalidateFontCache()
{
    ScreenPaintGuard guard;
    g_cachedGlyphSet = g_cachedFlags = 255;
    // Whoever forgets the selected font may have changed the face or its weight.
    InvalidateGlyphCache();
}

bool TerminalFontExists()
{
    return g_font != nullptr;
}

HFONT CurrentTerminalFont()
{
    return g_font;
}

int FontAverageWidth()
{
    return g_averageWidth;
}

int FontHeight()
{
    return g_fontHeight;
}

int EnumFontFacesForList(int characterMode)
{
    const int count = EnumerateFaces(FontCharsetForMode(characterMode));
    if (SelectedFaceIndex >= count)
        SelectedFaceIndex = 0;
    return count;
}

int EnumFontFamiliesForList(int codePageIndex)
{
    return EnumerateFaces(FontCharsetForIbmCodePage(codePageIndex));
}

int FontFaceCount()
{
    return g_faces ? g_faces->count : 0;
}

const wchar_t* FontFaceAt(int index)
{
    return g_faces && index >= 0 && index < g_faces->count ? g_faces->names[index] : nullptr;
}

int FindFontIndex()
{
    if (!g_faces || !g_font)
        return 0;
    LOGFONTW lf{};
    GetObjectW(g_font, sizeof lf, &lf);
    for (int i = 0; i < g_faces->count; ++i)
        if (_wcsicmp(g_faces->names[i], lf.lfFaceName) == 0)
            return i;
    return 0;
}
