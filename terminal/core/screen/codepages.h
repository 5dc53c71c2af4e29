// IBM code-page tables: host EBCDIC bytes to UTF-16 and back. The tables come from
// code-page files shipped beside the program (codepagefiles.h reads them), one set per
// CCSID; code page 037 is built in for when a file is missing or damaged.
//
// A byte-to-Unicode table ("S2U") is 256 big-endian 16-bit entries indexed by the host
// byte. A Unicode-to-byte table ("U2S") is a 256-byte page index by the character's high
// byte followed by pages of 256 bytes; page n starts at n x 256 from the start of the
// table, so page 0 is the index itself. Tables pass the checks below before they are
// used, so a look-up never reads outside its table.
#pragma once

#include "terminal/core/base/vxtypes.h"

constexpr std::size_t kByteToUnicodeTableBytes = 512;
constexpr std::size_t kUnicodeToByteIndexBytes = 256;
// Index values reach page 255, whose last byte is the table's byte 65535.
constexpr std::size_t kUnicodeToByteMaxBytes = 65536;
constexpr std::size_t kBuiltinUnicodeToByteBytes = 1280;
constexpr u16 kCodePageNoCharacter = 26;  // SUB
constexpr u8 kCodePageNoByte = 63;        // "?"

// The built-in tables of code page 037 (512 and 1280 bytes).
const u8* BuiltinByteToUnicodeTable();
const u8* BuiltinUnicodeToByteTable();

// Checks of tables read from files: an S2U is exactly 512 bytes; a U2S holds its index
// and every page the index names, and nothing past page 255. A CCSID is 1-65535.
bool IsValidByteToUnicodeTable(const u8* table, std::size_t size);
bool IsValidUnicodeToByteTable(const u8* table, std::size_t size);
bool IsValidCcsid(long ccsid);

// The big-endian entry of the byte; 26 (SUB) without a table.
void CodePageByteToUnicode(const u8* table, u16* out, u8 byte);
// Through the built-in 037 table.
void EbcdicByteToUnicode(u16* out, u8 byte);
// `count` conversions; an unmapped byte (SUB) becomes a blank.
void CodePageBytesToUnicode(const u8* table, u16* out, const u8* bytes, int count);
// The two-level look-up; "?" without a table.
void CodePageUnicodeToByte(const u8* table, u8* out, u16 character);

// Lists of CCSIDs, ascending 16-bit numbers with a count.
int CompareCodePageNumbers(u16 a, u16 b);
// Removes from `a` every number not in `b`; the new count of `a`. Frees `b` (a memory
// block, memblock.h).
int IntersectCodePageLists(u16* a, int countA, u16* b, int countB);
int SortedListContains(u16 number, int count, const u16* list);
// Sorts a list ascending.
void SortCodePageList(u16* list, int count);

// The CCSID a code-page file's name stands for ("IBM01141.S2U" is 1141): the five digits
// after the last "M" (either case) of the name before its last ".". -1 for any other
// name, since the tables are looked up by that form only.
long CodePageNumberFromFileName(const wchar16* name);
