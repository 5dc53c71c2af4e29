// The host code pages of a 3270 session: loading the byte-to-Unicode ("S2U") and
// Unicode-to-byte ("U2S") tables of a CCSID from the code-page files (037 built in when
// a file is missing), and single conversions through them.
#pragma once

#include <vector>

#include "terminal/core/base/vxtypes.h"

// True when both tables of the CCSID have files.
bool HostCodePageAvailable(u16 ccsid);
// Fills the two tables of the CCSID (the built-in 037 ones for a missing file); false
// only when memory ran out.
bool LoadHostCodePage(u16 ccsid, std::vector<u8>& s2u, std::vector<u8>& u2s);
// A further section of the CCSID's files ("E2E", "ALT"); empty when absent.
std::vector<u8> LoadHostCodePageSection(u16 ccsid, const wchar16* section);

// The Unicode character of a host byte; 26 (SUB) without a table.
wchar16 HostByteToUnicode(const std::vector<u8>& s2u, u8 byte);
// The host byte of a character; "?" (63) without a table.
u8 UnicodeToHostByte(const std::vector<u8>& u2s, wchar16 ch);
