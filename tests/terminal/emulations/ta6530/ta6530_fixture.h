// The TA6530 on the whole host path: bytes fed on a fake connection (a telnet socket or
// a serial line) travel the family's reader, the block protocol, its byte entry and
// commands into its page store; what it sends is read back from the line.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "terminal/core/base/vxtypes.h"

class Ta6530Test : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the emulation again on a serial line (full framing) or telnet.
    void UseSerialLine();
    // The emulation entered afresh (the settings as the test set them).
    void Enter();

    void Feed(const std::string& bytes);
    void Type(const std::string& text);
    void Key(int keyCode, int shift = 0);
    // What was sent since the last call, as hexadecimal bytes "01 3F ...".
    std::string Sent();
    // A display row of the window (24 the status row), trailing blanks removed.
    static std::string Row(int row);
    static std::string Status();
    static int CursorRow();
    static int CursorColumn();

    // A framed block: SOH or STX (with its sequence byte), the data, ETX and the check.
    static std::string Frame(char control, const std::string& data, int sequence = -1);

private:
    bool serial_ = false;
};

std::string Hex(const std::string& bytes);
