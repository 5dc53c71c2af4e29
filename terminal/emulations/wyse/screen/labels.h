// The function-key label lines: the unshifted and the shifted line, their fields, the
// host text read into them, and which of them the label row shows.
#pragma once

// Reads host text into a special line from `firstColumn` for `width` cells (CR ends it;
// with `tabs`, HT and a byte move within the field).
void WyseReadLabelText(int line, int firstColumn, int width, bool tabs);
void WyseSetFunctionLabel(int field);
void WyseSetShiftedFunctionLabel(int field);
void WyseSetLabelLine();
void WyseSetShiftedLabelLine();
// ESC f: the unshifted line's text, the whole width.
void WyseSetLabelText();
void WyseShowLabelLine();
void WyseSetShiftLabelLine(int shiftState);
void WyseHideShiftedLabels();
// ESC A "1": the label lines' attribute (an attribute cell's byte, 0 for plain blanks;
// the character model takes its attribute bits).
void WyseSetLabelAttribute(int attribute);
