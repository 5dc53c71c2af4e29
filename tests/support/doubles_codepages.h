// Code-page files as engine tests see them: tables a test puts in by CCSID and section;
// the byte tables fall back to the built-in 037 tables as the real loader does.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "terminal/core/base/vxtypes.h"

namespace doubles {
struct CodePageDouble {
    // {ccsid, section} -> the file's bytes.
    std::map<std::pair<long, std::string>, std::vector<u8>> files;
    std::vector<std::pair<long, std::string>> loads;  // every table asked for
};
CodePageDouble& CodePages();
}  // namespace doubles
