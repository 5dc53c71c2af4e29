#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "terminal/core/base/ticks.h"
#include "terminal/core/dibcanvas.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/paint/frame.h"
#include "terminal/core/paint/glyphcache.h"
#include "terminal/core/paint/glyphs.h"
#include "terminal/core/paint/glyphpaint.h"
#include "terminal/core/paint/jumpscroll.h"
#include "terminal/core/paint/paintrows.h"
#include "terminal/core/screen/paintsettings.h"
#include "terminal/core/screen/screenops.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/paint/textcursor.h"
#include "terminal/settings/store/colours.h"

namespace {

constexpr u8 kReverse = 0x02, kUnderline = 0x04, kBold = 0x08, kBlink = 0x01;

class Painting : public ::testing::Test {
public:
    static void SetUpTestSuite() { ASSERT_TRUE(AllocScreenStore()); }

    void SetUp() override
    {
        SetFactoryAttributeColours();
        PaintSettings.characterMode = 0;
        PaintSettings.displayOff = 0;
        ApplyJumpScrollSetting(0);
        JumpScroll.count = 0;
        BlinkPhaseOn = 1;
        CursorShown = 0;
        for (int r = 0; r < Screen.rows; ++r)
            Fill(r, ' ', 0x47, 0);
    }

    // Row r: every cell the same character and colours (foreground 7 on background 4).
    void Fill(int row, u8 ch, u8 colour, u8 rendition, u8 flags = 0)
    {
        ScreenLineRecord* line = LineAt(row);
        for (int c = 0; c < kStoreColumns; ++c)
            line->cells[c] = ScreenCell{ch, colour, rendition, flags};
    }
    ScreenCell& Cell(int row, int column) { return LineAt(row)->cells[column]; }

    void PaintRow(int row, int c0 = 0, int c1 = 79)
    {
        PaintGenericRow(LineAt(row)->cells, row, c0, c1, LineAt(row)->cells[0].flags & kLineAttrBits);
    }
};

// The text calls a paint makes, recorded through an enhanced metafile.
struct TextCall {
    std::wstring text;
    std::vector<int> advances;
    int x;
};

int CALLBACK CollectText(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM calls)
{
    if (record->iType == EMR_EXTTEXTOUTW) {
        const auto* r = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
        const auto* base = reinterpret_cast<const BYTE*>(record);
        TextCall call;
        call.text.assign(reinterpret_cast<const wchar_t*>(base + r->emrtext.offString), r->emrtext.nChars);
        const auto* dx = reinterpret_cast<const INT*>(base + r->emrtext.offDx);
        call.advances.assign(dx, dx + r->emrtext.nChars);
        call.x = r->emrtext.ptlReference.x;
        reinterpret_cast<std::vector<TextCall>*>(calls)->push_back(call);
    }
    return 1;
}

template <typename Paint>
std::vector<TextCall> RecordTextCalls(Paint paint)
{
    HDC metafile = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    HDC previous = ScreenDC;
    ScreenDC = metafile;
    InvalidateColourCache();
    InvalidateFontCache();
    paint();
    ScreenDC = previous;
    InvalidateColourCache();
    InvalidateFontCache();
    HENHMETAFILE recorded = CloseEnhMetaFile(metafile);
    std::vector<TextCall> calls;
    EnumEnhMetaFile(nullptr, recorded, CollectText, &calls, nullptr);
    DeleteEnhMetaFile(recorded);
    return calls;
}

TEST_F(Painting, OneTextCallPerRunOfEqualCells)
{
    SetCellSize(9, 17);
    Fill(0, 'A', 0x47, 0);
    auto calls = RecordTextCalls([&] { PaintRow(0); });
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].text, std::wstring(80, L'A'));
    EXPECT_EQ(calls[0].advances, std::vector<int>(80, 9)) << "every character advances one cell";

    // A change of colour, of rendition and of mark each start a run.
    for (int c = 20; c < 40; ++c)
        Cell(0, c).colour = 0x42;
    for (int c = 40; c < 80; ++c)
        Cell(0, c).rendition = kBold;
    for (int c = 60; c < 80; ++c)
        Cell(0, c).flags = kCellSelected;  // as 40-59 but marked
    calls = RecordTextCalls([&] { PaintRow(0); });
    ASSERT_EQ(calls.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(calls[i].text.size(), 20u);
        EXPECT_EQ(calls[i].x, 20 * i * 9) << "run " << i << " starts at its column x cell width";
    }
}

TEST_F(Painting, AGlyphSetOrControlPictureChangeStartsARunToo)
{
    SetCellSize(9, 17);
    Fill(0, 'B', 0x47, 0);
    Cell(0, 10) = ScreenCell{'q', 0x47, 0, 3};  // line drawing, from its bitmap: no text
    Cell(0, 11).ch = 1;                         // a control picture: no text either
    const auto calls = RecordTextCalls([&] { PaintRow(0); });
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].text.size(), 10u);
    EXPECT_EQ(calls[1].text.size(), 68u);
    EXPECT_EQ(calls[1].x, 12 * 9);
}

TEST_F(Painting, InkFallsInsideItsCell)
{
    DibCanvas canvas(80 * 9, 2 * 17);
    SetCellSize(9, 17);
    Fill(1, ' ', 0x47, 0);
    Cell(1, 37).ch = 'M';
    PaintRow(1);
    const int inCell = canvas.Count(7, 37 * 9, 17, 38 * 9, 34);
    EXPECT_GT(inCell, 10);
    EXPECT_EQ(canvas.Count(7, 0, 0, 80 * 9, 34), inCell) << "no ink outside column 37 of row 1";
    EXPECT_EQ(canvas.Count(4, 0, 17, 80 * 9, 34) + inCell, 80 * 9 * 17) << "the row's background";
}

TEST_F(Painting, RenditionsAndMarksInPixels)
{
    DibCanvas canvas(80 * 9, 17);
    SetCellSize(9, 17);
    Fill(0, ' ', 0x47, 0);
    Cell(0, 0).rendition = kReverse;
    Cell(0, 1) = ScreenCell{' ', 0x47, kReverse, kCellSelected};
    Cell(0, 2).flags = kCellSelected;
    Cell(0, 3).rendition = kUnderline;
    Cell(0, 4).rendition = kBold | kReverse;
    PaintRow(0);
    EXPECT_EQ(canvas.At(4, 8), PaletteRgb(7)) << "reverse";
    EXPECT_EQ(canvas.At(9 + 4, 8), PaletteRgb(4)) << "a marked reverse cell shows normal colours";
    EXPECT_EQ(canvas.At(18 + 4, 8), PaletteRgb(7)) << "marked";
    EXPECT_EQ(canvas.Count(7, 27, 16, 36, 17), 9) << "underline on the cell's last pixel row";
    EXPECT_EQ(canvas.Count(7, 27, 0, 36, 16), 0) << "and nowhere else";
    EXPECT_EQ(canvas.At(36 + 4, 8), PaletteRgb(15)) << "bold reverse: bright background";
}

TEST_F(Painting, ALineDrawingCellMatchesItsBitmapAtTwiceItsSize)
{
    DibCanvas canvas(80 * 18, 34);
    SetCellSize(18, 34);
    Fill(0, ' ', 0x0F, 0);                     // white on black
    Cell(0, 5) = ScreenCell{'l', 0x0F, 0, 3};  // upper-left corner
    PaintRow(0);
    const u8* glyphs = GlyphResource(kResLineDrawingGlyphs, nullptr);
    ASSERT_NE(glyphs, nullptr);
    const int index = LineDrawingBitmapIndex('l');
    int mismatches = 0;
    for (int y = 0; y < 34; ++y)
        for (int x = 0; x < 18; ++x) {
            const u8* row = glyphs + index * 34 + (y / 2) * 2;
            const int px = x / 2;
            const bool ink = ((px < 8 ? row[0] << px : row[1] << (px - 8)) & 0x80) != 0;
            mismatches += canvas.At(5 * 18 + x, y) != PaletteRgb(ink ? 15 : 0);
        }
    EXPECT_EQ(mismatches, 0);
}

TEST_F(Painting, DoubleWidthLinesArePaintedWholeAtTwiceTheWidth)
{
    SetCellSize(9, 17);
    Fill(2, 'W', 0x47, 0, kLineDoubleWidth);
    const auto calls = RecordTextCalls([&] {
        FrameComposeScope composing;
        RepaintScreenRegion(2, 30, 2, 31);
    });
    ASSERT_EQ(calls.size(), 1u) << "asked for two columns, the whole line is painted";
    EXPECT_EQ(calls[0].text.size(), 40u);
    EXPECT_EQ(calls[0].advances[0], 18);
    EXPECT_EQ(calls[0].x, 0);
}

TEST_F(Painting, BlinkOffPhaseAndInvisibleCellsShowBlanks)
{
    SetCellSize(9, 17);
    Fill(0, 'X', 0x47, kBlink);
    BlinkPhaseOn = 0;
    auto calls = RecordTextCalls([&] { PaintRow(0, 0, 9); });
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].text, std::wstring(10, L' '));
    BlinkPhaseOn = 1;
    calls = RecordTextCalls([&] { PaintRow(0, 0, 9); });
    EXPECT_EQ(calls[0].text, std::wstring(10, L'X'));
    Fill(0, 'X', 0x47, 0x10);
    calls = RecordTextCalls([&] { PaintRow(0, 0, 9); });
    EXPECT_EQ(calls[0].text, std::wstring(10, L' '));
}

// A control code that blinks off shows a blank, not a control picture: the picture
// index would otherwise be taken from the blank and fall past the 32 pictures.
TEST_F(Painting, TheControlPictureFollowsTheCharacterShown)
{
    DibCanvas canvas(80 * 9, 17);
    SetCellSize(9, 17);
    Fill(0, 3, 0x47, kBlink);
    BlinkPhaseOn = 0;
    const auto calls = RecordTextCalls([&] { PaintRow(0, 0, 3); });
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].text, L"    ");
    BlinkPhaseOn = 1;
    PaintRow(0, 0, 0);
    EXPECT_GT(canvas.Count(7, 0, 0, 9, 17), 0) << "the picture when the phase shows it";
}

TEST_F(Painting, ScreenDisplayOffFillsButDrawsNoCharacters)
{
    DibCanvas canvas(80 * 9, 17);
    SetCellSize(9, 17);
    Fill(0, 'H', 0x47, 0);
    PaintSettings.displayOff = 1;
    PaintRow(0);
    PaintSettings.displayOff = 0;
    EXPECT_EQ(canvas.Count(4, 0, 0, 80 * 9, 17), 80 * 9 * 17);
}

// A stand-in for the screen window's device context: what a frame copies out.
class WindowStandIn {
public:
    WindowStandIn(int width, int height) : width_(width), height_(height)
    {
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateTopDownDib(width, height, &pixels_);
        old_ = SelectObject(dc_, bitmap_);
    }
    ~WindowStandIn()
    {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    // Asks the frame for the whole picture, as WM_PAINT does.
    std::vector<u32> Shown()
    {
        PaintWindowFromPicture(dc_, RECT{0, 0, width_, height_});
        GdiFlush();
        return std::vector<u32>(pixels_, pixels_ + width_ * height_);
    }

private:
    int width_, height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
    u32* pixels_ = nullptr;
};

int Differing(const std::vector<u32>& a, const std::vector<u32>& b)
{
    int n = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i)
        n += a[i] != b[i];
    return n;
}

// Every row its own text and background, so that a row out of place shows.
void FillDistinctRows(Painting& t)
{
    for (int r = 0; r < 24; ++r) {
        t.Fill(r, static_cast<u8>('a' + r), static_cast<u8>(((r % 7 + 1) << 4) | ((r + 3) % 8)), 0);
        t.Cell(r, r).ch = '#';
    }
}

void ComposeWhole()
{
    InvalidateTerminal();
    EXPECT_TRUE(ComposeFrame());
}

// Scrolls recorded while host bytes change the store, rows written between them and
// frames composed at any point: the picture must end exactly as a full repaint of the
// store draws it.
TEST_F(Painting, FramesEndWithTheFullRepaintPicture)
{
    struct Phase {
        int top, bottom;
        bool up;
        int lines;
    };
    struct Case {
        const char* name;
        std::vector<Phase> phases;
        int outsideRow;   // written midway when >= 0
        int framesEvery;  // lines between frames; 0: one frame at the end
    };
    const Case cases[] = {
        {"one line of the whole screen", {{0, 23, true, 1}}, -1, 0},
        {"a few lines of the whole screen", {{0, 23, true, 5}}, -1, 0},
        {"a region, all but one of its rows", {{3, 20, true, 17}}, -1, 0},
        {"more lines than the region holds", {{3, 20, true, 25}}, -1, 0},
        {"down in a region", {{3, 20, false, 6}}, -1, 2},
        {"a row above the region written midway", {{3, 20, true, 8}}, 1, 3},
        {"up, then down, then another region", {{3, 20, true, 4}, {3, 20, false, 3}, {0, 10, true, 2}}, -1, 0},
        {"a region, then an overlapping one", {{3, 20, false, 3}, {0, 10, true, 2}}, 22, 1},
        // clang-format off
        {"more regions than a frame keeps apart", {{0, 23, true, 1}, {0, 23, false, 1}, {2, 9, true, 1},
                                                   {2, 9, false, 1}, {1, 5, true, 1}, {1, 5, false, 1},
                                                   {3, 8, true, 1}, {3, 8, false, 1}, {0, 2, true, 1},
                                                   {0, 2, false, 1}, {4, 6, true, 1}, {4, 6, false, 1},
                                                   {5, 7, true, 1}, {5, 7, false, 1}, {6, 8, true, 1},
                                                   {6, 8, false, 1}, {7, 9, true, 1}, {7, 9, false, 1}},
         -1, 0},
        // clang-format on
    };
    DibCanvas canvas(80 * 9, 25 * 17, DibCanvas::kPicture);
    SetCellSize(9, 17);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FillDistinctRows(*this);
        ComposeWhole();
        int written = 0;
        for (const Phase& p : c.phases) {
            Screen.top = static_cast<i16>(p.top);
            Screen.bottom = static_cast<i16>(p.bottom);
            for (int i = 0; i < p.lines; ++i, ++written) {
                p.up ? RotateRegionUp() : RotateRegionDown();
                p.up ? ScrollScreenUp(p.top, p.bottom) : ScrollScreenDown(p.top, p.bottom);
                // The new row gets its text after the scroll, as a flood writes it.
                const int row = p.up ? p.bottom : p.top;
                Fill(row, static_cast<u8>('A' + written % 26), static_cast<u8>(((written % 7 + 1) << 4) | 7), 0);
                Cell(row, 40 + written % 30).ch = '@';
                PaintRowSegment(LineAt(row)->cells, row, 40, 79, 0);
                if (c.outsideRow >= 0 && i == p.lines / 2) {
                    Fill(c.outsideRow, '%', 0x16, 0);
                    PaintRowSegment(LineAt(c.outsideRow)->cells, c.outsideRow, 0, 79, 0);
                }
                if (c.framesEvery && written % c.framesEvery == 0)
                    ComposeFrame();
            }
        }
        ComposeFrame();
        const std::vector<u32> framed = canvas.Pixels();
        ComposeWhole();
        EXPECT_EQ(Differing(framed, canvas.Pixels()), 0) << "pixels that differ from a full repaint";
    }
    Screen.top = 0;
    Screen.bottom = 23;
}

// Cells come from the cache once drawn: they must look as drawn, and a new palette must
// not show the old colours.
TEST_F(Painting, KeptCellsLookAsDrawnAndFollowThePalette)
{
    DibCanvas canvas(80 * 9, 25 * 17, DibCanvas::kPicture);
    SetCellSize(9, 17);
    FillDistinctRows(*this);
    Cell(2, 5).rendition = kUnderline;
    Cell(3, 6) = ScreenCell{'q', 0x47, 0, 3};
    ComposeWhole();
    const std::vector<u32> drawn = canvas.Pixels();
    const u64 hits = GlyphCacheHits();
    ComposeWhole();
    EXPECT_GT(GlyphCacheHits(), hits) << "the second frame copies kept cells";
    EXPECT_EQ(Differing(drawn, canvas.Pixels()), 0);
    SetPaletteColour(4, 10, 20, 30);
    ComposeWhole();
    // Row 1's background is colour index 4 (see FillDistinctRows).
    EXPECT_EQ(canvas.At(30 * 9 + 1, 17 + 1), PaletteRgb(4));
    SetPaletteColour(4, 0, 0, 100);
}

// The picture never holds the cursor: the window is shown it over the picture.
TEST_F(Painting, TheCursorIsShownOverThePictureNotInIt)
{
    DibCanvas canvas(80 * 9, 25 * 17, DibCanvas::kPicture);
    WindowStandIn window(80 * 9, 25 * 17);
    SetCellSize(9, 17);
    HasFocus = 1;
    Fill(5, 'c', 0x47, 0);
    ComposeWhole();
    const std::vector<u32> picture = canvas.Pixels();
    const std::vector<u32> clean = window.Shown();
    Screen.cursorRow = 5;
    Screen.cursorColumn = 7;
    struct Style {
        u8 style;
        int height;
    } styles[] = {{1, 17}, {0, 2}};
    for (const Style& s : styles) {
        PaintSettings.cursorStyle = s.style;
        ToggleTextCursor(0);
        EXPECT_EQ(CursorShown.load(), 1);
        ComposeFrame();
        EXPECT_EQ(Differing(canvas.Pixels(), picture), 0) << "the picture stays as it was";
        EXPECT_EQ(Differing(window.Shown(), clean), 9 * s.height) << "its shape in column 7 of row 5";
        ToggleTextCursor(0);
        ComposeFrame();
        EXPECT_EQ(Differing(window.Shown(), clean), 0);
        EXPECT_EQ(CursorShown.load(), 0);
    }
    PaintSettings.cursorStyle = 2;  // steady: the blink tick leaves it alone
    ToggleTextCursor(1);
    EXPECT_EQ(CursorShown.load(), 0);
    PaintSettings.cursorStyle = 1;
    Screen.cursorRow = Screen.cursorColumn = 0;
    HasFocus = 0;
}

TEST_F(Painting, JumpScrollShowsNoFrameUntilItsRedraw)
{
    DibCanvas canvas(80 * 9, 25 * 17, DibCanvas::kPicture);
    SetCellSize(9, 17);
    FillDistinctRows(*this);
    ComposeWhole();
    const std::vector<u32> before = canvas.Pixels();
    ApplyJumpScrollSetting(1);
    RotateRegionUp();
    ScrollScreenUp(0, 23);
    Fill(23, 'N', 0x16, 0);
    PaintRowSegment(LineAt(23)->cells, 23, 0, 79, 0);
    EXPECT_TRUE(DeferredScrollPending());
    ComposeFrame();
    EXPECT_EQ(Differing(canvas.Pixels(), before), 0) << "nothing is shown while the scroll is counted";
    FlushDeferredScroll();
    ComposeFrame();
    const std::vector<u32> jumped = canvas.Pixels();
    EXPECT_GT(Differing(jumped, before), 0);
    ComposeWhole();
    EXPECT_EQ(Differing(jumped, canvas.Pixels()), 0) << "the redraw is a full repaint";
    ApplyJumpScrollSetting(0);
}

// Two threads paint rows of different colours into the one device context, as the
// host-data thread and the user-interface thread do: each run's colours and fill must
// stay its own.
TEST_F(Painting, TwoThreadsPaintingTheSameContextKeepTheirColours)
{
    DibCanvas canvas(80 * 9, 2 * 17);
    SetCellSize(9, 17);
    Fill(0, ' ', 0x21, 0);  // foreground 1 on background 2
    Fill(1, ' ', 0x43, 0);  // foreground 3 on background 4
    for (int c = 0; c < 80; c += 2) {
        Cell(0, c).colour = 0x12;  // alternate, so that every cell sets colours again
        Cell(1, c).colour = 0x34;
    }
    // Each thread checks its own row after every paint: the other only draws its row.
    auto paint = [this, &canvas](int row, int* badPaints) {
        const int fg = row ? 3 : 1, bg = row ? 4 : 2;
        for (int i = 0; i < 300; ++i) {
            PaintRow(row);
            int wrong = 0;
            for (int c = 0; c < 80; ++c)
                wrong += canvas.At(c * 9 + 4, row * 17 + 8) != PaletteRgb((c % 2) ? bg : fg);
            *badPaints += wrong != 0;
        }
    };
    int badOther = 0, badHere = 0;
    std::thread other(paint, 1, &badOther);
    paint(0, &badHere);
    other.join();
    const int wrong = badOther + badHere;
    EXPECT_EQ(wrong, 0);
}

}  // namespace
