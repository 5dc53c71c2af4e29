// Pass-through printing's filter: what reaches the auxiliary port, where pass-through
// ends, and AutoLF's CR handling.
#include <gtest/gtest.h>

#include <string>

#include "terminal/comms/aux/auxfilter.h"

namespace {

// Records the port's bytes; its translation upper-cases a to h (as a national set
// replaces a few codes), so a test sees which bytes went through it.
class Recorder : public AuxFilterOutput {
public:
    std::string written;
    int ends = 0;
    std::string afterEnd;  // bytes written once the closing sequence was seen
    u8 Map(u8 b) override { return b >= 'a' && b <= 'h' ? static_cast<u8>(b - 32) : b; }
    void Write(u8 b) override { (ends ? afterEnd : written).push_back(static_cast<char>(b)); }
    void End() override { ++ends; }
};

struct FilterRun {
    std::string written;
    int ends;
    std::string afterEnd;
};

FilterRun Filter(const std::string& host, AuxFilterOptions options)
{
    AuxFilterState state;
    Recorder out;
    for (char c : host)
        AuxFilterByte(state, options, static_cast<u8>(c), out);
    return {out.written, out.ends, out.afterEnd};
}

constexpr AuxFilterOptions kPlain{false, false, true, false};

}  // namespace

TEST(AuxFilter, PassesBytesAndEndsAtMediaCopySix)
{
    struct Case {
        const char* name;
        std::string host;
        AuxFilterOptions options;
        std::string written;
        int ends;
    };
    // clang-format off
    const Case cases[] = {
        {"text, MC 5 unchanged, 8-bit MC 6 ends", "AB\r\nC\x1b[5i\x9b" "6i", kPlain, "AB\r\nC\x1b[5i", 1},
        {"7-bit MC 6 ends", "xa\x1b[6i", kPlain, "xA", 1},
        {"plain bytes translated, sequence bytes not", "a\x1b[ab", kPlain, "A\x1b[aB", 0},
        {"a near miss is printed whole", "\x1b[6x", kPlain, "\x1b[6x", 0},
        {"a second ESC prints the first", "\x1b\x1b[6i", kPlain, "\x1b", 1},
        {"ESC alone waits for more", "c\x1b", kPlain, "C", 0},
        {"CSI as a printable character", "\x9b" "6i", {false, false, false, false}, "\x9b" "6i", 0},
        {"VT52: ESC X ends", "ab\x1bX", {false, true, true, false}, "AB", 1},
        {"VT52: another pair is printed", "\x1bY\x1b[6i", {false, true, true, false}, "\x1bY\x1b[6i", 0},
        {"flow bytes kept with disp_errors on", std::string("a\0\x11\x13", 4), kPlain, std::string("A\0\x11\x13", 4), 0},
        {"flow bytes dropped with disp_errors off", std::string("a\0\x11\x13" "b", 5), {true, false, true, false},
         "AB", 0},
    };
    // clang-format on
    for (const Case& c : cases) {
        const FilterRun r = Filter(c.host, c.options);
        EXPECT_EQ(r.written, c.written) << c.name;
        EXPECT_EQ(r.ends, c.ends) << c.name;
    }
}

TEST(AuxFilter, NothingOfTheClosingSequenceIsPrinted)
{
    // The bytes after the end are the filter's only if the caller keeps feeding it; the
    // closing sequence itself never reaches the port.
    const FilterRun r = Filter("\x1b[6ibad", kPlain);
    EXPECT_EQ(r.written, "");
    EXPECT_EQ(r.ends, 1);
    EXPECT_EQ(r.afterEnd, "BAD");
}

TEST(AuxFilter, AutoLfPrintsOneCrLfPair)
{
    struct Case {
        std::string host, written;
    };
    const Case cases[] = {
        {"A\rB", "A\r\nB"},
        {"A\r\nB", "A\r\nB"},
        {"A\r\n\nB", "A\r\n\nB"},  // only the LF right after the CR is dropped
        {"\n\r\r\n", "\n\r\n\r\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Filter(c.host, {false, false, true, true}).written, c.written) << c.host;
    EXPECT_EQ(Filter("A\r\nB", kPlain).written, "A\r\nB");
    EXPECT_EQ(Filter("A\rB", kPlain).written, "A\rB");
}
