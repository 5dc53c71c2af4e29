// The printer-controller filter: what reaches the printer and where the mode ends.
#include "terminal/comms/printing/printcontroller.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class Recorder : public ControllerOutput {
public:
    void PrintSequenceByte(u8 b) override { printed.push_back(static_cast<char>(b)); }
    // Ordinary bytes are marked, so a test sees which path each byte took.
    void PrintByte(u8 b) override
    {
        printed.push_back('<');
        printed.push_back(static_cast<char>(b));
        printed.push_back('>');
    }
    std::string printed;
};

struct Outcome {
    std::string printed;
    int endedAt;  // index of the byte that ended the mode, -1 none
};

Outcome Filter(const std::string& bytes, ControllerOptions options = {})
{
    ControllerSequence seq;
    Recorder r;
    for (std::size_t i = 0; i < bytes.size(); ++i)
        if (ControllerFilterByte(seq, static_cast<u8>(bytes[i]), options, r))
            return {r.printed, static_cast<int>(i)};
    return {r.printed, -1};
}

TEST(PrinterControllerTest, EndingSequencesAndWhatPrints)
{
    const std::string csi = "\x9b";
    struct Case {
        const char* what;
        std::string in;
        std::string printed;
        int endedAt;
        ControllerOptions options;
    } cases[] = {
        {"ESC [ 4 i ends, unprinted", "A\x1b[4iB", "<A>", 4, {}},
        {"CSI 4 i ends", "A" + csi + "4i", "<A>", 3, {}},
        {"ESC [ 6 i ends too", "\x1b[6i", "", 3, {}},
        {"ESC [ 5 i prints, i as a character", "\x1b[5i", "\x1b[5<i>", -1, {}},
        {"a second ESC prints what was collected", "\x1b[\x1b[4i", "\x1b[", 5, {}},
        // clang-format off
        {"ESC other", "\x1b" "c", "\x1b" "c", -1, {}},
        // clang-format on
        {"CSI 4 x", csi + "4x", csi + "4x", -1, {}},
        {"VT52 ESC X ends", "ab\x1bX", "<a><b>", 3, {true, false, false}},
        {"VT52 ignores ESC [ 4 i", "\x1b[4i", "\x1b[<4><i>", -1, {true, false, false}},
        {"155 is a character in a PC set", csi + "4i", "<\x9b><4><i>", -1, {false, true, false}},
        {"NUL XON XOFF kept", std::string("\0\x11\x13", 3), std::string("<\0><\x11><\x13>", 9), -1, {}},
        {"NUL XON XOFF dropped", std::string("\0\x11\x13x", 4), "<x>", -1, {false, false, true}},
    };
    for (const Case& c : cases) {
        const Outcome o = Filter(c.in, c.options);
        EXPECT_EQ(o.printed, c.printed) << c.what;
        EXPECT_EQ(o.endedAt, c.endedAt) << c.what;
    }
}

}  // namespace
