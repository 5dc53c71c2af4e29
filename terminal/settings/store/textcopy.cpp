#include "terminal/settings/store/textcopy.h"

std::size_t WidenString(wchar16* destination, std::size_t capacity, const char* text)
{
    if (!destination || capacity == 0)
        return 0;
    std::size_t n = 0;
    for (; text && text[n] && n + 1 < capacity; ++n)
        destination[n] = static_cast<u8>(text[n]);
    destination[n] = 0;
    return n;
}

void WidenBytes(wchar16* destination, const u8* source, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i)
        destination[i] = source[i];
}

std::size_t NarrowString(char* destination, std::size_t capacity, const wchar16* text)
{
    if (!destination || capacity == 0)
        return 0;
    std::size_t n = 0;
    for (; text && text[n] && n + 1 < capacity; ++n)
        destination[n] = static_cast<char>(static_cast<u8>(text[n]));
    destination[n] = 0;
    return n;
}

void NarrowUnits(u8* destination, const wchar16* source, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i)
        destination[i] = static_cast<u8>(source[i]);
}
