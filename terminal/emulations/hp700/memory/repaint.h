// What the HP 700/92's engine tells the painter: cells and rows of the window changed.
// A changed span waits until the cursor leaves its row (or the reader idles); the rest
// is recorded for the next frame at once.
#pragma once

// Screen rows a..b (0..23; 24 and 25 the label rows) need painting.
void Hp700RepaintRows(int a, int b);
void Hp700RepaintAll();
// Columns c0..c1 of screen row `row` changed.
void Hp700MarkChanged(int row, int c0, int c1);
// The waiting span is recorded.
void Hp700FlushRow();
