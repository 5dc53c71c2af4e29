// Save Screen and Restore Screen: the screen, its format table, windows, cursor and
// text-assist state as one image the host keeps and later sends back unchanged, packed
// with a run-length rule of its own.
#pragma once

#include <vector>

#include "terminal/emulations/ibmhost/5250/session5250.h"

// Answers Save Screen (partial: Save Partial Screen) with the Restore Screen command
// that brings the screen back.
u32 I5250SaveScreen(I5250Session* s, bool partial);
// The parameters of Restore Screen at `p` (after its command byte); an image Save
// Screen cannot have written is refused with 0x10030101 and nothing changes.
u32 I5250RestoreScreen(I5250Session* s, const u8*& p, int& remaining);

// The run-length rule: a run of more than 3 equal bytes, or any run of 0x3F, becomes
// 0x3F, the count (1-255) and the byte.
std::vector<u8> I5250Compress(const std::vector<u8>& body);
// The reverse, up to `size` bytes; a 0x3F with fewer than 3 bytes left is a literal.
// Returns the packed bytes used, -1 when they end first or a run passes `size`.
int I5250Expand(const u8* data, int count, std::size_t size, std::vector<u8>& out);
