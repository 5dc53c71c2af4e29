// The profile's mouse-action table ("Mouse Actions" key): the action each button runs
// with its modifiers, and whether a hot spot is highlighted when actioned.
#pragma once

#include "terminal/core/base/vxtypes.h"

constexpr int kMouseSlots = 12;

// Action codes per slot: Normal, Shift, Control, ControlShift, Alt, DoubleClick for the
// left button, then the same six for the right button. The profile loads them; these
// are the factory actions.
extern u16 MouseActions[kMouseSlots];
extern const u16 kFactoryMouseActions[kMouseSlots];
extern u32 HighlightWhenActioned;

void LoadMouseActions();
// Deletes the profile's Mouse Actions key and writes what differs from the defaults.
void SaveMouseActions();
// The name of an action is language string 2560 + code.
bool IsMouseActionName(const wchar16* name);
bool IsHotspotMouseAction(const wchar16* name);
bool IsSendingMouseAction(const wchar16* name);
