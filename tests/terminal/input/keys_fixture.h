// A terminal on a fake socket with the key path attached: key events queued as the
// window thread would queue them travel through the pump, the dispatcher and the key
// actions to the bytes the host receives.
#pragma once

#include <string>

#include "../core/hostpath_fixture.h"

class KeyPathTest : public HostPathTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs the host-data thread's reader until every queued key has been handled.
    void Pump();
    // A special key (key code and shift state), then the pump.
    void Key(int keyCode, int shift = 0);
    // The bytes the host received, as a string, and forgets them.
    std::string TakeSent();
    void UseEmulation(u8 id);
};

// "\x1b[A" style text of bytes, for failure messages.
std::string Printable(const std::string& bytes);
