// Host records as the IBM tests write them: hexadecimal bytes with blanks between.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "terminal/core/base/vxtypes.h"

namespace ibmtest {
inline std::vector<u8> Bytes(const std::string& hex)
{
    std::vector<u8> out;
    for (std::size_t i = 0; i + 1 < hex.size();) {
        if (hex[i] == ' ') {
            ++i;
            continue;
        }
        out.push_back(static_cast<u8>(std::stoi(hex.substr(i, 2), nullptr, 16)));
        i += 2;
    }
    return out;
}

inline std::string Hex(const std::vector<u8>& bytes)
{
    std::string s;
    char b[4];
    for (u8 v : bytes) {
        std::snprintf(b, sizeof b, "%02X ", v);
        s += b;
    }
    if (!s.empty())
        s.pop_back();
    return s;
}
}  // namespace ibmtest
