// A DEC terminal on a fake socket: bytes fed to it travel the whole host path into the
// DEC tables and handlers; what it sends back is read as text.
#pragma once

#include <string>

#include "terminal/core/hostpath_fixture.h"

class VtTest : public HostPathTest {
protected:
    void SetUp() override;
    void TearDown() override;
    // Feeds the bytes and returns what the terminal sent meanwhile (then forgets it).
    std::string Answer(const std::string& bytes);
    static std::string Text(const std::vector<u8>& bytes);
    // Cursor as "row,column", 0-based.
    static std::string Cursor();
    // Switches to the multi-page layout of the VT420 model.
    static void UsePages();
};

// ESC + text.
std::string E(const std::string& text);
// CSI (ESC [) + text.
std::string C(const std::string& text);
