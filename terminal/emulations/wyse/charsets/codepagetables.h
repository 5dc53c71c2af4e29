// Code-page tables of the Wyse character sets (codepagetables.cpp).
#pragma once

#include "terminal/core/base/vxtypes.h"

extern const u16 kCp437Upper[128], kCp850Upper[128], kCp858Upper[128], kCp437PolishUpper[128];
extern const u16 kCp852Upper[128], kCp863Upper[128], kCp865Upper[128], kCp437CatalanUpper[128];
extern const u16 kCp860Upper[128], kCp866Upper[128], kCp857Upper[128];
// Code page 437's pictures of the codes 0-31.
extern const u16 kPcControlGlyphs[32];
