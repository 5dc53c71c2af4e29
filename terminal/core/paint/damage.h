// What changed on the screen since the last frame. The host-data thread no longer
// paints: every paint service it calls only records here which cells of which window
// rows changed, how the picture must be moved for the scrolls made meanwhile, and that
// a frame is due. The user-interface thread then composes at most one frame per display
// refresh from the screen store (frame.h): it takes the record, moves the off-screen
// picture by the recorded scrolls, repaints the rows marked and copies the changed band
// to the window.
//
// A mark moves with the rows a scroll moves, so each row is painted once per frame,
// where it has come to be, after the picture has moved: the picture then equals a full
// repaint of the store. Any move may also be given up in favour of repainting what it
// covers; the moves only save painting.
#pragma once

#include "terminal/core/base/vxtypes.h"

// Window rows 0..63 and, past the last screen row, the status line and key labels.
constexpr int kDamageRows = 72;
constexpr int kDamageColumns = 162;  // the widest row a family shows
// Scrolls of different regions or directions kept apart within one frame; more make
// the frame a full repaint.
constexpr int kMaxPictureMoves = 16;

struct DamagedSpan {
    i16 first = 1, last = 0;  // window columns; empty while first > last
    bool Empty() const { return first > last; }
};

// Rows r0..r1 of the picture move `lines` rows up (negative: down), the whole width.
struct PictureMove {
    i16 r0, r1, lines;
};

struct FrameDamage {
    DamagedSpan rows[kDamageRows];
    PictureMove moves[kMaxPictureMoves];
    int moveCount = 0;
    bool all = false;      // everything is repainted; the moves are dropped
    bool touched = false;  // something drew into the picture outside a frame: copy it all
    bool cursor = false;   // the text cursor changed
    bool Clean() const;
};

// Recording; every call asks for a frame. Safe on any thread.
void DamageCells(int row, int c0, int c1);
void DamageRegion(int r0, int c0, int r1, int c1);
void DamageAll();
// Rows r0..r1 moved one line up (or down): the store already shows it.
void DamageScroll(int r0, int r1, bool up);
void DamagePictureTouched();
void DamageCursor();

// Hands the record to the frame (which holds the frame lock, so the record matches the
// store it reads) and starts a clean one.
FrameDamage TakeDamage();
// The pure steps, for the frame and the tests.
void MarkCells(FrameDamage& d, int row, int c0, int c1);
void MarkScroll(FrameDamage& d, int r0, int r1, bool up);

// The service the frame gives the recorders: a frame is wanted (posted to the window's
// thread; the engine tests record it).
void RequestFrame();
