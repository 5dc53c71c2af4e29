// What leaves the terminal: text sends in pieces, cursor reports and identities, the
// answerback, printing of the byte path and the print page command.
#pragma once

#include "terminal/emulations/tvi/tvi.h"

// Text sends (ESC 4-7, ESC S / s, ESC Z).
void TviSendRowToCursor(bool unprotectedOnly);
void TviSendPageToCursor(bool unprotectedOnly);
void TviSendMessage(bool unprotectedOnly);
void TviSendStatusRow(int line);
// Sends cells c0..c1 of a line by the send rules; `sent` tells whether anything went
// before in this send, `inProtected` the state of the protected run.
struct TviSendState;
// Reports.
void TviCursorReport(bool withPage);
void TviCsiCursorReport(bool withPage);
void TviIdentify();
void TviSendAnswerback();
// Printing from the byte path.
void TviStartPrint(u8 kind);
void TviEndPrint();
void TviPrintByte(u8 byte);
// The print page command (ESC L, ESC P, CSI 0;n i): the options, then the main window's
// print command; the page's print ends with the print-complete answer.
void TviPrintPage(u8 first, u8 second);
// Prints the current page's rows (the print command's job).
void TviPrintPageRows();
// The print command's job ended: the print field is blanked and the answer sent.
void TviPrintFinished();
// The emulation stops: a print that runs ends.
void TviEndPrintForStop();
