// IBM code-page files: "IBM" + the CCSID in five digits + "." + a section ("S2U",
// "U2S", "ALT", "E2E"), shipped in the code-page directory or a directory below it.
// This finds them, lists the CCSIDs there are files for, and reads tables whole into
// memory blocks (the caller frees them with MemFreeBlock). Conversions: codepages.h.
#pragma once

#include "terminal/core/base/vxtypes.h"

constexpr int kCodePagePathUnits = 260;

// WorkDir when it is set, else the program's own directory; it always ends with "\".
// Determined once at start-up.
extern wchar16 CodePageDirectory[kCodePagePathUnits];
const wchar16* GetCodePageDirectory();

// The CCSIDs for which a file "IBM*." + section exists in `directory` (the code-page
// directory for nullptr) or, when it has none, in the first directory below it that
// has some. An ascending list in a memory block, its count; 0 and no list for none.
int ListCodePageFiles(const wchar16* directory, const wchar16* section, u16** list);
// CCSIDs with both an S2U and a U2S file; the list is freed by the caller.
int ListAvailableCodePages(u16** list);

// Finds `name` in `directory` (a buffer of kCodePagePathUnits, left holding the file's
// full path) or below it and reads it whole. With `report`, a missing file shows "Cannot
// Find Font %s". The block and its size, or nullptr.
void* LoadWholeFile(wchar16* directory, const wchar16* name, int report, std::size_t* size = nullptr);
// The file of a CCSID's section from the code-page directory.
void* LoadCodePageTable(long ccsid, const wchar16* section, int report, std::size_t* size = nullptr);
void* LoadCodePageTableReported(long ccsid, const wchar16* section, std::size_t* size = nullptr);

// The CCSID's S2U / U2S table; a missing or damaged file shows "Cannot Find Font %s"
// and the built-in table of code page 037 takes its place. nullptr only when memory
// ran out.
u8* LoadByteToUnicodeTable(long ccsid);
u8* LoadUnicodeToByteTable(long ccsid);
