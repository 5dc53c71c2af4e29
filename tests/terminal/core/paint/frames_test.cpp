// The host-data thread only records what changed and the window composes frames from
// the store: whatever the host does and however the frames fall between its writes, the
// picture once the host is idle must be exactly what a full repaint of the store draws.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "terminal/core/base/ticks.h"
#include "terminal/core/dibcanvas.h"
#include "terminal/core/window/frame_support.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/window/scrollback.h"
#include "terminal/core/window/selection/selection.h"
#include "terminal/core/paint/frame.h"
#include "terminal/core/paint/geometry.h"
#include "terminal/core/paint/jumpscroll.h"
#include "terminal/core/screen/display.h"
#include "terminal/core/paint/picture.h"

using namespace frame_test;

namespace {

std::vector<u32> Picture()
{
    const u32* bits = PictureBits();
    return bits ? std::vector<u32>(bits, bits + PictureStride() * PictureHeight()) : std::vector<u32>{};
}

int Differing(const std::vector<u32>& a, const std::vector<u32>& b)
{
    int n = a.size() == b.size() ? 0 : 1;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i)
        n += a[i] != b[i];
    return n;
}

// Lines that differ from each other in text and colour, so that a row out of place shows.
std::string Lines(const char* tag, int count)
{
    std::string out;
    for (int i = 0; i < count; ++i)
        out += "\r\n\x1b[3" + std::to_string(i % 8) + ";4" + std::to_string((i + 3) % 8) + "m" + tag +
               std::to_string(i) + std::string(static_cast<size_t>(i % 50), '=') + "\x1b[m";
    return out;
}

// No frame is owed and jump scroll holds back no scrolls: frames held for jump scroll
// keep their record without asking, until the idle redraw lets them go.
bool Settled()
{
    return !FramePending() && !DeferredScrollPending();
}

// Feeds the stream and waits until its end marker is in the store, the host has gone
// idle and the picture has settled.
void Play(const std::string& stream, const std::string& marker)
{
    FeedHost(stream + "\r\n" + marker);
    ASSERT_TRUE(PumpUntil([&] { return OnScreen(marker); }, 10000)) << marker;
    PumpUntil([] { return false; }, 300);
    ASSERT_TRUE(PumpUntil(Settled, 3000));
}

struct Stream {
    const char* name;
    std::string bytes;
    int panBack;  // lines the view is panned into the history before the stream
};

TEST(Frames, AfterTheHostGoesIdleThePictureIsAFullRepaint)
{
    ASSERT_TRUE(StartHostOnDefaultEmulation());
    const Stream streams[] = {
        {"a scroll region", "\x1b[5;15r\x1b[15;1H" + Lines("region ", 40) + "\x1b[r", 0},
        {"reverse index at the top of a region",
         [] {
             std::string s = "\x1b[3;20r\x1b[3;1H";
             for (int i = 0; i < 30; ++i)
                 s += "\x1bM\x1b[3" + std::to_string(i % 8) + "mreverse " + std::to_string(i) + "\r";
             return s + "\x1b[m\x1b[r";
         }(),
         0},
        {"insert and delete lines",
         [] {
             std::string s = Lines("fill ", 24) + "\x1b[4;18r";
             for (int i = 0; i < 12; ++i)
                 s += "\x1b[6;1H\x1b[" + std::to_string(i % 3 + 1) + "Linserted " + std::to_string(i) +
                      "\x1b[12;1H\x1b[" + std::to_string(i % 2 + 1) + "M";
             return s + "\x1b[r";
         }(),
         0},
        {"double-width and double-height lines",
         "\x1b[H\x1b[2J\x1b#6wide line\r\n\x1b#3tall top\r\n\x1b#4tall bottom\r\n" + Lines("after ", 30) +
             "\r\n\x1b#6wide again",
         0},
        {"blinking text scrolled",
         "\x1b[5mblinking\x1b[m plain" + Lines("under blink ", 30) + "\r\n\x1b[5;7mblink", 0},
        {"a flood of the whole screen", Lines("flood ", 200), 0},
        {"a scroll into the history while panned back", Lines("panned ", 40), 6},
    };
    for (const u8 jump : {u8{0}, u8{1}}) {
        ApplyJumpScrollSetting(jump);
        int n = 0;
        for (const Stream& s : streams) {
            SCOPED_TRACE(std::string(s.name) + (jump ? ", jump scroll" : ", smooth scroll"));
            // The blink phase flips from the host-data thread's idle step every half
            // second: a flip between the two pictures changes what the full repaint draws.
            // A pass that differs and whose short window saw a flip is played again.
            int differing = -1;
            for (int attempt = 0; attempt < 4; ++attempt) {
                const std::string end = "end " + std::to_string(jump) + "-" + std::to_string(n++);
                // No indicator line: its cursor field follows about once a second, from the
                // host-data thread's idle step, and may change between the two pictures.
                Play("\x1b[!p\x1b[0$~" + Lines("before ", 30), end + "a");
                if (s.panBack) {
                    PanHistoryView(s.panBack);
                    PumpUntil([] { return false; }, 200);
                }
                Play(s.bytes, end + "b");
                // The short pump lets a flip just before the read paint its cells before
                // the picture is taken.
                const u8 phase = BlinkPhaseOn;
                PumpUntil([] { return false; }, 50);
                ASSERT_TRUE(PumpUntil(Settled, 3000));
                const std::vector<u32> framed = Picture();
                ASSERT_FALSE(framed.empty());
                InvalidateTerminal();
                ASSERT_TRUE(ComposeFrame());
                differing = Differing(framed, Picture());
                if (differing == 0 || BlinkPhaseOn == phase)
                    break;
            }
            EXPECT_EQ(differing, 0) << "pixels that differ from a full repaint";
        }
    }
    ApplyJumpScrollSetting(0);
}

// A graphics selection shows inverted on the window, never in the picture: rows painted
// while it shows, and its end, leave the picture exactly what a full repaint draws, so a
// copy takes the true colours.
TEST(Frames, AGraphicsSelectionIsInvertedOnTheWindowOnly)
{
    ASSERT_TRUE(StartHostOnDefaultEmulation());
    Play("\x1b[!p\x1b[0$~\x1b[?25l" + Lines("under ", 30), "graphics a");
    SetClipboardMode(1);
    SelectAllGraphics();
    ASSERT_TRUE(GraphicsSelectionPresent());
    ASSERT_TRUE(PumpUntil([] { return !FramePending(); }, 3000));
    const std::vector<u32> before = Picture();
    const int width = PictureWidth(), height = PictureHeight();
    ASSERT_FALSE(before.empty());
    {
        // What the window is shown: the picture with every pixel inverted.
        HDC window = CreateCompatibleDC(nullptr);
        u32* shown = nullptr;
        HBITMAP bitmap = CreateTopDownDib(width, height, &shown);
        HGDIOBJ old = SelectObject(window, bitmap);
        PaintWindowFromPicture(window, RECT{0, 0, width, height});
        GdiFlush();
        int areaWidth = 0, areaHeight = 0, wrong = 0;
        GetTerminalPixelSize(&areaWidth, &areaHeight);
        ASSERT_GT(areaWidth * areaHeight, 0);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const size_t i = static_cast<size_t>(y) * width + x;
                const bool inside = x < areaWidth && y < areaHeight;
                wrong += (shown[i] & 0xFFFFFF) != ((inside ? ~before[i] : before[i]) & 0xFFFFFF);
            }
        EXPECT_EQ(wrong, 0) << "pixels shown otherwise than inverted within the terminal area";
        SelectObject(window, old);
        DeleteObject(bitmap);
        DeleteDC(window);
    }
    // Rows painted while it shows: host output already in the store, a blink, a repaint.
    InvalidateTerminal();
    ASSERT_TRUE(ComposeFrame());
    ClearGraphicsSelection();
    ASSERT_TRUE(PumpUntil([] { return !FramePending(); }, 3000));
    const std::vector<u32> after = Picture();
    InvalidateTerminal();
    ASSERT_TRUE(ComposeFrame());
    EXPECT_EQ(Differing(after, Picture()), 0) << "pixels that differ from a full repaint";
    SetClipboardMode(0);
}

}  // namespace
