#include "terminal/core/language.h"

#include "terminal/core/win32.h"

// No language module is bound yet: start-up goes on with the program's own table, as it
// does when the module is missing and the user chooses to continue.
int BindLanguageModule()
{
    return 1;
}

int LoadLanguageString(HINSTANCE instance, u32 id, wchar16* buffer, int capacity)
{
    // With a capacity of 0, LoadStringW would write a pointer into the buffer.
    if (!buffer || capacity < 1)
        return 0;
    buffer[0] = 0;
    return LoadStringW(instance, id, buffer, capacity);
}
