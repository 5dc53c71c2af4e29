// The 3287's page: the page format the host sets, the line layout that places
// characters and controls on the print line, and the output of lines, line feeds and
// form feeds through the print back end.
#pragma once

#include "terminal/emulations/ibmhost/3270/session3270.h"

// Layout controls besides printable characters.
constexpr u8 kLayoutBackspace = 8, kLayoutTab = 9, kLayoutLineFeed = 10, kLayoutVerticalTab = 11,
             kLayoutFormFeed = 12, kLayoutReturn = 13, kLayoutEndOfMedium = 0x19, kLayoutNewLine = 0x1F,
             kLayoutNextLine = 0x85;

void I3270ResetPageFormat(I3270Session* s);
// One character (the low byte of its Unicode value) or layout control on the print line;
// nothing while printing is cancelled.
void I3270PutPrintChar(I3270Session* s, u8 code);
void I3270PrintLayoutChar(I3270Session* s, u8 code);
// Writes the print line (trailing blanks dropped and ended by CR unless print bypass is
// on); the column becomes 0.
void I3270PrintLineOut(I3270Session* s);
// The next line, tab line or page (control 10, 11 or 12); false when the page output
// failed.
bool I3270AdvancePrintLine(I3270Session* s, u8 control);
// Bytes the printer gets unchanged; text after them continues at the column it had.
void I3270TransparentOut(I3270Session* s, const u8* bytes, int count);
// The next line for vertical channel n (1-15) of the vertical tab marks.
void I3270VerticalChannel(I3270Session* s, int channel);
