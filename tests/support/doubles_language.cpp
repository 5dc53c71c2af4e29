// Language texts as engine tests see them: "#<id>", so a test sees which text was asked for.
#include <string>

#include "terminal/core/base/language.h"

int LoadLanguageString(HINSTANCE, u32 id, wchar16* buffer, int capacity)
{
    if (!buffer || capacity < 1)
        return 0;
    const std::string text = "#" + std::to_string(id);
    int n = 0;
    for (; n < static_cast<int>(text.size()) && n + 1 < capacity; ++n)
        buffer[n] = static_cast<wchar16>(text[static_cast<std::size_t>(n)]);
    buffer[n] = 0;
    return n;
}
