#include "wizard/engine/commandline.h"

namespace {

bool IsBlank(wchar16 c)
{
    return c == ' ' || c == '\t';
}

// Where the program's name ends: at its closing quote when it starts with one, else at
// the first blank.
std::size_t SkipProgramName(const WText& line)
{
    std::size_t i = 0;
    while (i < line.size() && IsBlank(line[i]))
        ++i;
    if (i < line.size() && line[i] == '"') {
        const std::size_t close = line.find('"', i + 1);
        return close == WText::npos ? line.size() : close + 1;
    }
    while (i < line.size() && !IsBlank(line[i]))
        ++i;
    return i;
}

}  // namespace

std::vector<WizardArgument> SplitWizardCommandLine(const WText& line)
{
    std::vector<WizardArgument> arguments;
    std::size_t i = SkipProgramName(line);
    while (true) {
        while (i < line.size() && IsBlank(line[i]))
            ++i;
        if (i >= line.size())
            break;
        // The argument runs to the first " -" or " /" (the blank starts the next one).
        std::size_t end = i + 1;
        while (end < line.size() &&
               !(line[end] == ' ' && end + 1 < line.size() && (line[end + 1] == '-' || line[end + 1] == '/')))
            ++end;
        WText text = line.substr(i, end - i);
        while (!text.empty() && IsBlank(text.back()))
            text.pop_back();
        const bool flag = text[0] == '-' || text[0] == '/';
        arguments.push_back({flag, flag ? text.substr(1) : text});
        i = end;
    }
    return arguments;
}

WizardCommand ParseWizardCommandLine(const WText& line)
{
    WizardCommand command;
    for (const WizardArgument& argument : SplitWizardCommandLine(line)) {
        // A word without a switch character is no switch: "Delete" must not delete.
        if (!argument.flag || argument.text.empty())
            continue;
        switch (argument.text[0]) {
        case 'D': command.mode = WizardMode::Delete; break;
        case 'E': command.mode = WizardMode::Edit; break;
        case 'R': command.mode = WizardMode::Register; break;
        case 'M': command.keepMacros = true; break;
        default: continue;
        }
        if (argument.text.size() > 1) {
            command.name = argument.text.substr(1);
            command.nameGiven = true;
        }
    }
    command.nameProblem = CheckConnectionName(command.name);
    return command;
}
