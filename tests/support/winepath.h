// Paths of the build as the programs under Wine name them.
#pragma once

#include <string>

// Build paths are Unix paths; under Wine drive Z: is the root of the Unix tree.
inline std::wstring WindowsPath(const char* unixPath)
{
    std::wstring path = L"Z:";
    for (const char* p = unixPath; *p; ++p)
        path += *p == '/' ? L'\\' : wchar_t(static_cast<unsigned char>(*p));
    return path;
}
