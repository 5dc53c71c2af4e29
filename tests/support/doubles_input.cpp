#include "support/doubles_input.h"

#include "terminal/input/eventcommands.h"

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
