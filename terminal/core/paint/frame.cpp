#include "terminal/core/paint/frame.h"

#include <atomic>

#include "terminal/core/base/corestate.h"
#include "terminal/core/base/family.h"
#include "terminal/core/base/handles.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/core/screen/framelock.h"
#include "terminal/core/paint/damage.h"
#include "terminal/core/paint/fonts.h"
#include "terminal/core/paint/jumpscroll.h"
#include "terminal/core/paint/paintrows.h"
#include "terminal/core/paint/picture.h"
#include "terminal/core/paint/screendc.h"
#include "terminal/core/paint/screenscroll.h"
#include "terminal/core/paint/textcursor.h"
#include "terminal/core/screen/screenstore.h"

namespace {

// The host-data thread lets a waiting frame through between two bytes; a frame that
// does not get the lock in this time finds it held by a thread that waits for something
// else, and is tried again a little later.
constexpr u32 kFrameLockWaitMs = 10;
constexpr UINT kRetryAfterMs = 50;

std::atomic<bool> g_requested{false};
std::atomic<u32> g_frames{0};
DWORD g_lastFrame = 0;
HDC g_windowDC = nullptr;
RECT g_caret{};  // the cursor as the window shows it; empty when it shows none
thread_local int t_composing = 0;

// A row of the store as the frame found it, painted after the lock is let go.
struct RowCopy {
    bool wanted;
    int c0, c1, offset;
    u8 lineFlags;
    ScreenCell cells[kLineCells];
};
RowCopy g_rows[kMaxVtRows];

void Unite(RECT& band, int top, int bottom)
{
    if (top >= bottom)
        return;
    if (IsRectEmpty(&band)) {
        band = RECT{0, top, PictureWidth(), bottom};
        return;
    }
    if (top < band.top)
        band.top = top;
    if (bottom > band.bottom)
        band.bottom = bottom;
}

void UniteRect(RECT& band, const RECT& r)
{
    if (!IsRectEmpty(&r))
        Unite(band, r.top, r.bottom);
}

void ScheduleFrame(UINT afterMs)
{
    if (ScreenWindowHandle)
        SetTimer(ScreenWindowHandle, kTimerFrame, afterMs ? afterMs : 1, nullptr);
}

// The store's row as the frame paints it, copied; false when there is nothing to paint.
bool CopyStoreRow(int row, int c0, int c1)
{
    RowCopy& copy = g_rows[row];
    StoreRowSegment segment;
    if (!FindStoreRowSegment(row, c0, c1, &segment))
        return false;
    copy.wanted = true;
    copy.c0 = segment.c0;
    copy.c1 = segment.c1;
    copy.offset = segment.offset;
    copy.lineFlags = segment.lineFlags;
    for (int i = 0; i < kLineCells; ++i)
        copy.cells[i] = segment.line->cells[i];
    return true;
}

// Under the frame lock: takes the record, draws what must be drawn while the store
// cannot change (a family's own screen, the status area) and copies the store's rows.
// Returns the band of the picture that changed.
RECT TakeFrame(RECT* caret)
{
    RECT band{};
    FrameDamage d = TakeDamage();
    const bool ownScreen = ActiveFamily().display != nullptr;
    const int lineHeight = BaseLineHeight;
    int rows = Screen.rows;
    if (const DisplayHooks* display = ActiveFamily().display)
        if (display->dimensions) {
            int pageLength = 0, lineCount = 0;
            display->dimensions(&rows, &pageLength, &lineCount);
        }
    if (rows > kMaxVtRows)
        rows = kMaxVtRows;
    for (RowCopy& copy : g_rows)
        copy.wanted = false;

    ScreenPaintGuard paint;
    if (d.all) {
        FillScreenBackground(nullptr);
        for (int r = 0; r < kDamageRows; ++r)
            d.rows[r] = DamagedSpan{0, kDamageColumns - 1};
        d.touched = true;
    } else {
        for (int i = 0; i < d.moveCount; ++i) {
            const PictureMove& m = d.moves[i];
            MovePictureRows(m.r0, m.r1, m.lines, lineHeight);
            Unite(band, m.r0 * lineHeight, (m.r1 + 1) * lineHeight);
        }
    }
    bool statusDone = false;
    for (int r = 0; r < kDamageRows; ++r) {
        const DamagedSpan& span = d.rows[r];
        if (span.Empty())
            continue;
        if (r >= rows) {
            // The status line and the key labels below the rows are drawn as one.
            if (!statusDone)
                RepaintScreenRegion(rows, 0, rows, kDamageColumns - 1);
            statusDone = true;
            Unite(band, r * lineHeight, PictureHeight());
            continue;
        }
        Unite(band, r * lineHeight, (r + 1) * lineHeight);
        if (ownScreen)
            RepaintScreenRegion(r, span.first, r, span.last);
        else
            CopyStoreRow(r, span.first, span.last);
    }
    *caret = RECT{};
    // A family with a screen of its own has the core's caret when it places it, or when
    // it draws no cursor of its own.
    const bool coreCaret = !ownScreen || FamilyPlacesCaret() || !ActiveFamily().display->drawCursor;
    if (coreCaret && CursorShown && !CursorDisabled)
        TextCursorRect(0, caret);
    if (d.touched)
        band = RECT{0, 0, PictureWidth(), PictureHeight()};
    return band;
}

}  // namespace

bool ComposingFrame()
{
    return t_composing > 0;
}

FrameComposeScope::FrameComposeScope()
{
    ++t_composing;
}

FrameComposeScope::~FrameComposeScope()
{
    --t_composing;
}

void RequestFrame()
{
    if (g_requested.exchange(true))
        return;
    if (ScreenWindowHandle)
        PostMessageW(ScreenWindowHandle, kMsgComposeFrame, 0, 0);
}

bool StartFrames(HWND screenWindow)
{
    g_windowDC = GetDC(screenWindow);  // the class's own DC: kept for the window's life
    if (!g_windowDC || !CreatePicture(g_windowDC))
        return false;
    ScreenDC = PictureDC();
    SetBkMode(ScreenDC, OPAQUE);
    RECT client{};
    GetClientRect(screenWindow, &client);
    SizeFrames(client.right, client.bottom);
    return true;
}

void SizeFrames(int width, int height)
{
    {
        ScreenPaintGuard paint;
        if (!SizePicture(width, height))
            return;
        g_caret = RECT{};
    }
    DamageAll();
}

void StopFrames()
{
    ScreenPaintGuard paint;
    if (ScreenDC == PictureDC())
        ScreenDC = nullptr;
    DestroyPicture();
    g_windowDC = nullptr;
}

void OnFrameRequested()
{
    if (ScreenWindowHandle)
        KillTimer(ScreenWindowHandle, kTimerFrame);
    const DWORD since = GetTickCount() - g_lastFrame;
    if (since < kFrameIntervalMs) {
        ScheduleFrame(kFrameIntervalMs - since);
        return;
    }
    ComposeFrame();
}

bool ComposeFrame()
{
    g_requested = false;
    StatusBarShowLinkState();
    if (!PictureBits())
        return true;
    // Held frames keep their record: whoever lets them go asks for a frame again.
    if (Iconic || ProfileLoadInProgress || FamilyPaintingHeld() ||
        (JumpScrollHoldsPainting() && !JumpScroll.redrawDue))
        return true;
    g_lastFrame = GetTickCount();
    FrameComposeScope composing;
    RECT band{}, caret{};
    {
        FrameLockGuard lock(kFrameLockWaitMs);
        if (!lock.Held()) {
            g_requested = true;
            ScheduleFrame(kRetryAfterMs);
            return false;
        }
        JumpScroll.redrawDue = 0;
        band = TakeFrame(&caret);
    }
    ScreenPaintGuard paint;
    for (int r = 0; r < kMaxVtRows; ++r) {
        const RowCopy& copy = g_rows[r];
        if (copy.wanted)
            PaintRowSegment(copy.cells + copy.offset, r, copy.c0, copy.c1, copy.lineFlags);
    }
    // The cursor moves: where it was is shown without it, where it is with it.
    UniteRect(band, g_caret);
    UniteRect(band, caret);
    GdiFlush();
    CopyPictureTo(g_windowDC, band, caret);
    g_caret = caret;
    ++g_frames;
    return true;
}

void PaintWindowFromPicture(HDC target, const RECT& area)
{
    ScreenPaintGuard paint;
    GdiFlush();
    CopyPictureTo(target, area, g_caret);
}

bool FramePending()
{
    return g_requested;
}

u32 FramesComposed()
{
    return g_frames;
}
