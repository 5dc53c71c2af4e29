// The encodings of the terminal-state report and its restore: a 98-byte block sent as
// characters 0x40-0x4F (each byte as two characters, low nibble first) with a checksum,
// and the character-set codes the report uses.
#pragma once

#include "terminal/core/base/vxtypes.h"

constexpr int kTerminalStateBytes = 98;
constexpr int kTerminalStateChars = 2 * kTerminalStateBytes + 2;

// The checksum byte of the 196 data characters: their sum negated, so that the data
// characters and the checksum byte together add up to 0 modulo 256. The restore checks
// exactly this, so a report the terminal sent is always accepted back.
u8 TerminalStateChecksum(const u8* chars, int count);
// The 198 characters of a block: the data, then the checksum byte encoded like data.
void EncodeTerminalState(const u8* block, u8* chars);
// The block from 198 characters; false (and nothing written) when a character lies
// outside 0x40-0x4F or the checksum does not match.
bool DecodeTerminalState(const u8* chars, int count, u8* block);

// Internal set codes (1 ASCII, 2 DEC special graphics, 3 national, 4 user-preferred,
// 5 DEC supplemental, 6 Latin-1 supplemental, ...) to the report's codes and back.
u8 CharsetReportCode(u8 code);
struct CharsetFromReport {
    u8 code;
    u8 set96;  // 2 = the user-preferred set's own size
};
CharsetFromReport CharsetFromReportCode(u8 reportCode);
