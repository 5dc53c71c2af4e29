// The mouse pointer moved by the keyboard.
#pragma once

// One cell up ('A'), down ('B'), right ('C') or left ('D'), kept inside the screen
// window's client area.
void MoveMousePointerByCell(int letter);
