// The HP 700/92's soft-key labels as nine buttons under the terminal area: the eight
// keys' labels and the indicators between them.
#pragma once

// Paints the nine buttons (the frame's painter, under its paint lock).
void Hp700PaintKeyLabels();
// A press (flag 0) or release (flag 1) of the mouse at client point (x, y): true when a
// button took it. A release over the button pressed acts: f1..f4 and f5..f8 as their
// keys, the middle button shows or hides the soft-button bar.
bool Hp700ClickKeyLabel(int x, int y, int flag);
