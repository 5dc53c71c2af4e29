// The IBM 3151 on the whole host path: bytes fed on the fake socket run through the
// core's reader into the emulation; replies, sends and the pages are read back.
#pragma once

#include <string>

#include "../../core/hostpath_fixture.h"
#include "terminal/emulations/ibm3151/i3151.h"

class I3151Test : public HostPathTest {
protected:
    void SetUp() override;
    void TearDown() override;
    // A page row's text: line-drawing cells as their code, attribute cells and NULs as
    // blanks, trailing blanks removed.
    static std::string PageRow(int row, int page = 0);
    // Everything sent to the host, and then forgotten.
    static std::string TakeSent();
    // A special key (the program's key code) with its shift state, run as the reader
    // would: the key's units and anything they push back are processed.
    void Key(int keyCode, int shift = 0);
    static I3151PageRecord* Page(int index = 0);
};

// A string of bytes, NULs included.
inline std::string Bytes(std::initializer_list<int> bytes)
{
    std::string s;
    for (int b : bytes)
        s.push_back(static_cast<char>(b));
    return s;
}
