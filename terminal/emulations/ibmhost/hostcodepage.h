// Host code pages of the IBM sessions: the byte-to-Unicode ("S2U", 256 big-endian units)
// and Unicode-to-byte ("U2S", a page index by high byte, then 256-byte pages) tables of a
// CCSID, and single conversions through them.
#pragma once

#include <vector>

#include "terminal/core/base/vxtypes.h"

// True when both tables of the CCSID can be had.
bool HostCodePageAvailable(u16 ccsid);
// Fills the two tables of the CCSID; false when either is missing.
bool LoadHostCodePage(u16 ccsid, std::vector<u8>& s2u, std::vector<u8>& u2s);
// A further section of the CCSID's files ("E2E", "ALT"); empty when absent.
std::vector<u8> LoadHostCodePageSection(u16 ccsid, const char* section);

// The Unicode character of a host byte; 26 (SUB) without a table.
wchar16 HostByteToUnicode(const std::vector<u8>& s2u, u8 byte);
// The host byte of a character (the table's substitute when unmapped); 63 without a
// table.
u8 UnicodeToHostByte(const std::vector<u8>& u2s, wchar16 ch);
