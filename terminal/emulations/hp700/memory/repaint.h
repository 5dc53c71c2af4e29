// What the HP 700/92's engine tells the painter: rows of the window changed, the window
// scrolled. The frame paints them (window/ on the Win32 side).
#pragma once

// Screen rows a..b (0..23; 24 and 25 the label rows) need painting.
void Hp700RepaintRows(int a, int b);
void Hp700RepaintAll();
// One cell changed (its row's span grows).
void Hp700RepaintCell(int row, int column);
