// A terminal on a fake socket: bytes fed to it travel the whole host path (the reader,
// the VT character path, the parser and the screen store), with the recording doubles
// standing in for the connection, the painter and the user-interface side.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/doubles_host.h"
#include "support/hostreset.h"
#include "terminal/core/screen/screenstore.h"

class HostPathTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Queues the bytes on the fake socket and runs the reader until it has nothing left.
    void Feed(const std::string& bytes);
    // Queues typed characters as key events.
    void Type(const std::string& text);
    // Text of screen row `row` (or of any table slot), trailing blanks removed.
    static std::string Row(int row);
    static std::string Slot(int slot);
    // The history, oldest line first.
    static std::vector<std::string> History();
    static std::vector<u8> Sent();
    static std::vector<int> SendCalls();
};
