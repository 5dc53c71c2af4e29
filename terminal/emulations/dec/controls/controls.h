// The control characters of the DEC VT and ANSI console family.
#pragma once

// Executes a C0 control at once (AIXterm has its own table).
void VtControlChar(int c);
// The control-character table of the DEC/ANSI family, without the AIXterm detour.
void ExecuteC0Control(int c);
void VtCarriageReturn();
void VtLineFeed();
void VtVerticalTab();
void VtFormFeed();
void VtBackspace();
// ESC: a second ESC inside a sequence cancels it and is read again.
void VtEnterEscape(int c);
// CAN and SUB end a sequence (shown as error glyphs with display-errors on).
void CancelSequenceChar(int c);
// Drops host bytes up to the next ESC or CSI, which is read again.
void SkipToNextEscape();
