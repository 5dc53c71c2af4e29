// The soft-button bar's values in the profile's SOFTBUTTONS section: how many levels
// show and in which order, whether the bar is attached, and where the floating bar
// stands. Read through the registry layer (machine root, then the user's); written only
// where they differ from the factory values.
#pragma once

#include "terminal/core/base/vxtypes.h"
#include "terminal/input/bars/softbarlayout.h"
#include "terminal/core/base/registry.h"

// "%d" (the button's code 0-55): a button's own place in a floating bar laid out by
// hand, {left, top, right, bottom} in the bar's client area as it stands when the
// button's level is the top one.
struct SoftBarButtonPlace {
    i32 left = 0, top = 0, right = 0, bottom = 0;
    u32 present = 0;
};
// A place farther out than this is no place in a bar on any screen.
constexpr i32 kSoftBarPlaceLimit = 8192;

struct SoftBarValues {
    u32 buttonStyle = 0;  // "cSoftButtonLevel"
    // "cSoftButtonLevelView": visible levels 0-4; -1 is one level with the bar hidden.
    i32 levelView = 1;
    u32 order = 0;     // "Order": the first visible level, 0-3
    u32 attached = 1;  // "Attached"
    // "x", "y", "w", "h": the floating bar's window; signed, since a bar may stand
    // partly left of or above the screen. A width of 0 means never placed.
    i32 x = 0, y = 0, w = 0, h = 0;
    i32 buttonWidth = 0;               // "cx": a floating bar's button width, 0 for the default
    u32 levelShown[4] = {1, 0, 0, 0};  // "Level%dVis"
    SoftBarButtonPlace places[kSoftBarCodes];
};

// Reads the values present under `key` into `values`; an absent or unusable value keeps
// the current one or takes the factory one as KeepCurrentValues says.
void ReadSoftBarValues(HKEY key, SoftBarValues& values);
// Writes the values that differ from the factory ones.
void WriteSoftBarValues(HKEY key, const SoftBarValues& values);
// Whether level 0-3 shows by default with that many visible levels.
u32 DefaultLevelShown(int level, i32 levelView);
