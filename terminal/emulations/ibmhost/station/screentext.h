// Screen text of the IBM displays in UTF-8, as the whole-program tests read it.
#pragma once

#include <string>
#include <vector>

#include "terminal/core/base/vxtypes.h"
#include "terminal/emulations/ibmhost/station/hostcells.h"

void AppendUtf8(std::string& out, wchar16 c);
// A status row without its trailing blanks: characters through the byte-to-Unicode
// table, each cell whose rendition has `symbolFlag` as "{XX}" (its number in hex).
std::string StatusRowText(const HostDisplayRow& row, int columns, const std::vector<u8>& s2u, u8 symbolFlag);
