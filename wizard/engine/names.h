// What a connection name may be. The name is a registry key under "Profiles" and under
// the connection manager's "Connections", and a word of the terminal's command line, so
// separators and the terminal's switch start are refused; it is never cut, since a cut
// name names another connection.
#pragma once

#include "wizard/engine/wztext.h"

// The name field holds 44 units: 43 characters and the terminator.
constexpr int kConnectionNameUnits = 44;
constexpr std::size_t kConnectionNameChars = kConnectionNameUnits - 1;

enum class NameProblem : u8 {
    None,
    Empty,
    TooLong,
    Separator,  // a backslash, a slash or a double quote
    Switch,     // a blank followed by a hyphen
};

NameProblem CheckConnectionName(const WText& name);
