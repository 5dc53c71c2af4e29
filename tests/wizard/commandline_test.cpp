// The wizard's command line and the connection-name checks.
#include <gtest/gtest.h>

#include "wizard/engine/commandline.h"
#include "wizard/memoryregistry.h"

namespace {

struct SplitCase {
    const char* line;
    std::vector<std::string> arguments;  // "-text" for a switch, "text" otherwise
};

TEST(WizardCommandLine, SplitsAtBlankHyphenOrSlash)
{
    const SplitCase cases[] = {
        {"VXNTCONWIZ.EXE", {}},
        {"VXNTCONWIZ.EXE -EA", {"-EA"}},
        {"VXNTCONWIZ.EXE -EMy Host -M", {"-EMy Host", "-M"}},
        {"\"C:\\Program Files\\w -x\\VXNTCONWIZ.EXE\" /DA", {"-DA"}},
        {"wiz -EHost-Finance", {"-EHost-Finance"}},
        {"wiz\t-R   ", {"-R"}},
        {"wiz -EA\t -M", {"-EA", "-M"}},
        {"wiz stray -DA", {"stray", "-DA"}},
    };
    for (const SplitCase& c : cases) {
        std::vector<std::string> got;
        for (const WizardArgument& a : SplitWizardCommandLine(W(c.line)))
            got.push_back((a.flag ? "-" : "") + Narrow(a.text));
        EXPECT_EQ(got, c.arguments) << c.line;
    }
}

TEST(WizardCommandLine, ModesNamesAndMacros)
{
    struct Case {
        const char* line;
        WizardMode mode;
        const char* name;
        bool keepMacros;
        NameProblem problem;
    } cases[] = {
        {"wiz", WizardMode::New, "", false, NameProblem::Empty},
        {"wiz -EA B", WizardMode::Edit, "A B", false, NameProblem::None},
        {"wiz -DA -M", WizardMode::Delete, "A", true, NameProblem::None},
        {"wiz -R", WizardMode::Register, "", false, NameProblem::Empty},
        {"wiz -D", WizardMode::Delete, "", false, NameProblem::Empty},
        {"wiz -E", WizardMode::Edit, "", false, NameProblem::Empty},
        {"wiz -eA", WizardMode::New, "", false, NameProblem::Empty},  // the letter is case-sensitive
        {"wiz Delete", WizardMode::New, "", false, NameProblem::Empty},
        {"wiz -Da\\b", WizardMode::Delete, "a\\b", false, NameProblem::Separator},
        {"wiz -Da/b", WizardMode::Delete, "a/b", false, NameProblem::Separator},
        {"wiz -D\"a\"", WizardMode::Delete, "\"a\"", false, NameProblem::Separator},
        // 43 characters fit; 44 do not, and are never cut into another name.
        {"wiz -D1234567890123456789012345678901234567890123", WizardMode::Delete,
         "1234567890123456789012345678901234567890123", false, NameProblem::None},
        {"wiz -D12345678901234567890123456789012345678901234", WizardMode::Delete,
         "12345678901234567890123456789012345678901234", false, NameProblem::TooLong},
    };
    for (const Case& c : cases) {
        const WizardCommand command = ParseWizardCommandLine(W(c.line));
        EXPECT_EQ(command.mode, c.mode) << c.line;
        EXPECT_EQ(Narrow(command.name), c.name) << c.line;
        EXPECT_EQ(command.keepMacros, c.keepMacros) << c.line;
        EXPECT_EQ(command.nameProblem, c.problem) << c.line;
    }
}

TEST(WizardCommandLine, LongLinesKeepTheWholeName)
{
    const std::string name(600, 'x');
    const WizardCommand command = ParseWizardCommandLine(W("wiz -D" + name));
    EXPECT_EQ(command.name.size(), 600u);
    EXPECT_EQ(command.nameProblem, NameProblem::TooLong);
}

TEST(WizardNames, PageChecks)
{
    const std::pair<const char*, NameProblem> cases[] = {
        {"A", NameProblem::None},         {"Host-Finance", NameProblem::None},
        {"A B", NameProblem::None},       {"A -B", NameProblem::Switch},
        {"x/y", NameProblem::Separator},  {"x\"y", NameProblem::Separator},
        {"x\\y", NameProblem::Separator}, {"", NameProblem::Empty},
    };
    for (const auto& [name, problem] : cases)
        EXPECT_EQ(CheckConnectionName(W(name)), problem) << name;
}

}  // namespace
