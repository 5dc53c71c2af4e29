// Frames: the screen window shows the screen store through the off-screen picture
// (picture.h). Painting services called outside a frame only record what changed
// (damage.h) and ask for a frame; the user-interface thread composes at most one frame
// per display refresh (about 60 a second, the first at once), which under the frame
// lock (framelock.h) takes the record, copies the rows it repaints out of the store and
// the rows a family with a screen of its own paints, then, with the lock let go, moves
// the picture by the recorded scrolls' worth, paints the copied rows into it, and copies
// the changed band of it to the window with the text cursor on top.
#pragma once

#include "terminal/core/base/win32.h"

// Sent to the screen window: a frame is wanted, and its timer.
constexpr UINT kMsgComposeFrame = WM_APP + 30;
constexpr UINT_PTR kTimerFrame = 1;
constexpr DWORD kFrameIntervalMs = 16;

// True on a thread that composes a frame: the paint services draw into the picture
// instead of recording. A test that paints directly marks its scope the same way.
bool ComposingFrame();
class FrameComposeScope {
public:
    FrameComposeScope();
    ~FrameComposeScope();
    FrameComposeScope(const FrameComposeScope&) = delete;
    FrameComposeScope& operator=(const FrameComposeScope&) = delete;
};

// The screen window's picture, made with the window (it becomes the screen device
// context) and sized with it.
bool StartFrames(HWND screenWindow);
void SizeFrames(int width, int height);
void StopFrames();
// The screen window's messages: a frame was asked for, or its timer ran out; compose
// now when the last frame is a display refresh old, else when it will be.
void OnFrameRequested();
// Composes a frame at once (a size change; tests). False when the frame lock could not
// be had in time (the frame is then asked for again).
bool ComposeFrame();
// WM_PAINT: the window asks for a part of the picture again.
void PaintWindowFromPicture(HDC target, const RECT& area);
// A frame was asked for and is not composed yet.
bool FramePending();
// Frames composed so far (for the tests).
u32 FramesComposed();
