#include "support/doubles_input.h"

#include "terminal/input/macros/eventcommands.h"

namespace doubles {
InputDouble& Input()
{
    static InputDouble d;
    return d;
}
}  // namespace doubles

namespace {
std::u16string Text(const wchar16* t)
{
    std::u16string s;
    for (; t && *t; ++t)
        s.push_back(static_cast<char16_t>(*t));
    return s;
}
}  // namespace

bool BringWindowOfClassToTop(const wchar16* className)
{
    doubles::Input().raisedClasses.push_back(Text(className));
    return true;
}

u32 StartProgramCommand(const wchar16* commandLine)
{
    doubles::Input().startedCommands.push_back(Text(commandLine));
    return doubles::Input().startError;
}

// The US layout, as MapVirtualKeyW gives it: digits, letters (upper case), blank and the
// punctuation keys.
int VirtualKeyToCharacter(int vk)
{
    if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z') || vk == ' ')
        return vk;
    struct Oem {
        int vk;
        char c;
    };
    constexpr Oem kOem[] = {{0xBA, ';'}, {0xBB, '='}, {0xBC, ','},  {0xBD, '-'}, {0xBE, '.'},  {0xBF, '/'},
                            {0xC0, '`'}, {0xDB, '['}, {0xDC, '\\'}, {0xDD, ']'}, {0xDE, '\''}, {0xE2, '\\'}};
    for (const Oem& o : kOem)
        if (o.vk == vk)
            return o.c;
    return 0;
}
