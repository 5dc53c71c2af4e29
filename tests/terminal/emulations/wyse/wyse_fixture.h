// A Wyse personality on a fake socket: bytes fed to it travel the core's reader into the
// family's per-byte entry; what it sends back is read as text.
#pragma once

#include <string>

#include "terminal/core/hostpath_fixture.h"

class WyseTest : public HostPathTest {
protected:
    void SetUp() override;
    void TearDown() override;
    // Starts a personality (emulation id 8-15) with the profile's "ZARA" values.
    void Start(u8 emulation);
    // Feeds the bytes and returns what the terminal sent meanwhile (then forgets it).
    std::string Answer(const std::string& bytes);
    // Text row r (0-based) of the screen, the status line and the label row.
    static std::string Text(int row);
    static std::string Status();
    static std::string Labels();
    // The cursor as "row,column" of the text rows, 0-based.
    static std::string Cursor();
};

std::string E(const std::string& text);
// ESC = with the row and column bytes of a 0-based address.
std::string At(int row, int column);
