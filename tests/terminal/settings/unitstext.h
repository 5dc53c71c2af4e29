// UTF-16 texts written as ASCII in the engine tests, which run where wchar16 is not
// wchar_t.
#pragma once

#include <string>

#include "terminal/core/base/vxtypes.h"

using Text = std::basic_string<wchar16>;

inline Text Of(const char* ascii)
{
    Text t;
    for (const char* p = ascii; *p; ++p)
        t += static_cast<wchar16>(static_cast<unsigned char>(*p));
    return t;
}
