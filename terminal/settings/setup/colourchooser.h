// The Attributes page's colour tools: "&Set Colour...", which redefines one of the
// sixteen colours of the working palette with the standard colour dialog, and the
// preview that draws "AaBbCcDdEe" in a screen element's colours and attributes, blinking
// on timer 100 while the element flashes.
#pragma once

#include "terminal/core/base/win32.h"
#include "terminal/settings/setup/attributelook.h"

constexpr UINT_PTR kPreviewBlinkTimer = 100;
constexpr UINT kPreviewBlinkMs = 500;

// The palette entry the page last picked; entry 0 cannot be redefined.
extern int SetupSelectedPaletteIndex;

// Opens the colour dialog on the selected entry of the working palette; OK replaces the
// entry and rebuilds the drawing colours. True when the entry changed.
bool ChooseSetupPaletteColour(HWND window);
// The custom colours the colour dialog keeps between uses (16 entries), or nullptr
// before its first use.
const COLORREF* SetupCustomColours();

// Draws the preview into `sample` (dialog coordinates). Blink step 0 paints it afresh;
// step 1 is a timer tick, drawing the flashing sample in its other phase.
void DrawAttributePreview(HWND window, const RECT& sample, u8 foreground, u8 background,
                          const AttributeLookOptions& options, int blinkStep);
// The drawing itself, into any device context, with the dialog's font.
void PaintAttributePreview(HDC dc, HFONT dialogFont, const RECT& sample, const AttributeLook& look, int blinkStep);
void StartPreviewBlink(HWND window);
void StopPreviewBlink(HWND window);
bool PreviewBlinkRunning();
