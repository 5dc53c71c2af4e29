#include "terminal/comms/capture/capturename.h"

#include <initializer_list>

namespace {
wchar16 Upper(wchar16 c)
{
    return c >= 'a' && c <= 'z' ? static_cast<wchar16>(c - 32) : c;
}

bool SameWord(const wchar16* name, int length, const char* word)
{
    int i = 0;
    for (; i < length && word[i]; ++i)
        if (Upper(name[i]) != word[i])
            return false;
    return i == length && !word[i];
}

// CON, PRN, AUX, NUL, COM1-9 and LPT1-9 open devices whatever extension follows.
bool DeviceName(const wchar16* name, int stemLength)
{
    for (const char* word : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"})
        if (SameWord(name, stemLength, word))
            return true;
    if (stemLength == 4 && name[3] >= '1' && name[3] <= '9')
        return SameWord(name, 3, "COM") || SameWord(name, 3, "LPT");
    return false;
}
}  // namespace

bool IsPlainCaptureName(const wchar16* name)
{
    if (!name || !name[0])
        return false;
    int length = 0, stem = -1;
    for (const wchar16* p = name; *p; ++p, ++length) {
        const wchar16 c = *p;
        if (c < 32 || c == '\\' || c == '/' || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' ||
            c == '>' || c == '|')
            return false;
        if (c == '.' && stem < 0)
            stem = length;
        if (length >= 255)
            return false;
    }
    // "." and ".." name directories; a trailing dot or blank is dropped by Windows,
    // so "x." would be another file than the one asked for.
    if (name[0] == '.' || name[length - 1] == '.' || name[length - 1] == ' ')
        return false;
    return !DeviceName(name, stem < 0 ? length : stem);
}
