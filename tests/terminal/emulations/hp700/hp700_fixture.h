// The HP 700/92 on the whole host path: bytes fed on the fake socket run through the
// core's reader into the emulation; replies and the window are read back.
#pragma once

#include <string>

#include "../../core/hostpath_fixture.h"
#include "terminal/emulations/hp700/hp700.h"

class Hp700Test : public HostPathTest {
protected:
    void SetUp() override;
    void TearDown() override;
    // A window row's text (0..23; 24 and 25 the label rows): never-written cells as
    // blanks, alternate-set cells as their code, trailing blanks removed.
    static std::string ScreenRow(int row);
    // A memory line's text, the same way.
    static std::string MemoryLine(int line);
    // Everything sent to the host, and then forgotten.
    static std::string TakeSent();
};

// "\x1b" written as "\e" reads better in the tables; Esc() keeps the C++ literals plain.
inline std::string Esc(const std::string& rest)
{
    return "\x1b" + rest;
}
