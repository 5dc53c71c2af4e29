// The wizard's command line. After the program's own name, arguments begin at "-" or
// "/" and run to the next " -" or " /", so a connection name may hold blanks ("-EMy Host"
// edits "My Host"). The switch letter is the argument's first character, case-sensitive:
// D delete, E edit, R register the client, M keep the profile's macros; the rest of the
// argument, when not empty, is the connection name.
#pragma once

#include <vector>

#include "wizard/engine/names.h"

enum class WizardMode : u8 { New = 0, Edit = 1, Delete = 2, Register = 3 };

struct WizardArgument {
    bool flag;   // began with "-" or "/" (dropped from `text`)
    WText text;  // trailing blanks and tabs dropped
};

// The arguments after the program name (a quoted program name may hold blanks).
std::vector<WizardArgument> SplitWizardCommandLine(const WText& line);

struct WizardCommand {
    WizardMode mode = WizardMode::New;
    bool keepMacros = false;  // -M: a replaced or deleted profile keeps its MACROS key
    bool nameGiven = false;
    WText name;
    // Edit and delete act on a name from the command line only when it passes the name
    // checks; otherwise the wizard says so and does nothing.
    NameProblem nameProblem = NameProblem::None;
};

WizardCommand ParseWizardCommandLine(const WText& line);
