// The screen's partition into pages and its format, and the status row: what it shows
// (status-row modes) and the host's status text.
#pragma once

#include "terminal/emulations/ibm3151/i3151.h"

// ESC SP r: the partitions read from the host; a malformed list changes nothing.
void I3151PartitionScreen();
// `count` partitions of `rows` each, all `columns` wide: false (and no change) unless
// they add up to 24 or 25 rows of 80 or 132 columns.
bool I3151ApplyPartitions(int count, const int* rows, int columns);
// 24 or 25 rows of 80 or 132 columns; the pages are reset.
void I3151SetScreenFormat(int rows, int columns);
// The format code of a size: 0 24x80, 1 25x80, 2 24x132, 3 25x132.
u8 I3151FormatCode(int rows, int columns);

// 1 and 2 show the blank and the host's status record; anything else 0 (the blank one,
// blanked first). 3 shows the define-key prompt.
void I3151SetStatusRowMode(int mode);
void I3151NextStatusRowMode();
// ESC =: the host's text for the status row, up to the next ESC =.
void I3151WriteStatusText();
