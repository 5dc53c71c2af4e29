// The TVI 950/955 on the whole host path: bytes fed on the fake socket run through the
// core's reader into the emulation; replies, sends and the page memory are read back.
#pragma once

#include <string>

#include "../../core/hostpath_fixture.h"
#include "terminal/emulations/tvi/tvi.h"

class TviTest : public HostPathTest {
protected:
    void SetUp() override { Start(kEmu955); }
    void TearDown() override;
    void Start(u8 id);
    // A line's text: NULs as blanks, box and line glyphs as '+', trailing blanks removed.
    static std::string Line(int line);
    // Everything sent to the host, and then forgotten.
    static std::string TakeSent();
    static const ScreenCell& Cell(int line, int column);
    static constexpr u8 kEmu955 = 19, kEmu950 = 22;
};

inline const std::string kEsc = "\x1b";
