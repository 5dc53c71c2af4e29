// The escaped Setup text: what the edit controls show for host strings and how every
// raw text comes back from it unchanged and within its buffer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "terminal/settings/unitstext.h"
#include "terminal/settings/store/setuptext.h"

namespace {

Text Encode(const Text& raw, int n)
{
    std::vector<wchar16> counted(CountedTextUnits(n) + 4, 0x7777);
    const int written = EncodeSetupText(counted.data(), raw.c_str(), n);
    EXPECT_EQ(counted[0], n);
    EXPECT_EQ(counted[1 + written], 0);
    EXPECT_EQ(counted[CountedTextUnits(n)], 0x7777) << "wrote past the counted text";
    return Text(counted.data() + 1, written);
}

Text Decode(const Text& escaped, int n)
{
    std::vector<wchar16> raw(n + 1 + 4, 0x7777);
    const int written = DecodeSetupText(raw.data(), escaped.c_str(), n);
    EXPECT_LE(written, n);
    EXPECT_EQ(raw[written], 0);
    EXPECT_EQ(raw[n + 1], 0x7777) << "wrote past n units and the terminator";
    return Text(raw.data(), written);
}

TEST(SetupText, EncodesEachKindOfUnit)
{
    const struct {
        Text raw;
        const char* shown;
    } cases[] = {
        {{'a', 'b', 13}, "ab^M"},
        {{27, '[', 'c'}, "^[[c"},
        {{0x1F, 0x1C}, "^_^\\"},
        {{0xE9}, "\\u00e9"},
        {{0x85}, "_133"},
        {{0x80, 0x9F}, "_128_159"},
        {{0x7F}, "\x7F"},
        // Units whose low byte lies in 128..159 are not C1 controls.
        {{0x192, 0x393}, "\\u0192\\u0393"},
        {{0xFFFF}, "\\uffff"},
        // Escape introducers typed as text are escaped, so they read back as typed.
        {Of("x^My_123\\"), "x\\^My\\_123\\\\"},
        {Of("a_12"), "a_12"},
        {Of("C:\\e"), "C:\\\\e"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Encode(c.raw, 32), Of(c.shown)) << c.shown;
}

TEST(SetupText, EncodingStopsAtTheCapacityOrTheTerminator)
{
    EXPECT_EQ(Encode(Of("abcdef"), 3), Of("abc"));
    // What lies beyond the capacity does not decide how a "_" before it is shown.
    EXPECT_EQ(Encode(Of("x_123"), 4), Of("x_12"));
    EXPECT_EQ(Encode(Text(), 5), Text());
    const Text thirtyTwoControls(32, 1);
    EXPECT_EQ(Encode(thirtyTwoControls, 32).size(), 64u);
}

TEST(SetupText, DecodesEachEscape)
{
    const struct {
        const char* shown;
        Text raw;
    } cases[] = {
        {"ab^M", {'a', 'b', 13}},
        {"^[", {27}},
        {"^a", Of("^a")},  // a caret before a lower-case letter is text
        {"^", Of("^")},
        {"_133", {0x85}},
        {"_999", {999 % 256}},
        {"_12x", Of("_12x")},
        {"\\\\", Of("\\")},
        {"\\^", Of("^")},
        {"\\_", Of("_")},
        {"\\e\\n\\r", {27, 10, 13}},
        {"\\u00E9\\u0192", {0xE9, 0x192}},
        {"\\u12", Of("\\u12")},
        // Octal gives a byte, zero-extended.
        {"\\351\\377\\101", {0xE9, 0xFF, 'A'}},
        {"\\38", Of("\\38")},
        {"\\q", Of("\\q")},
        {"ab\\", Of("ab\\")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Decode(Of(c.shown), 32), c.raw) << c.shown;
}

TEST(SetupText, DecodingNeverWritesMoreThanItsCapacity)
{
    EXPECT_EQ(Decode(Of("abcdef"), 4), Of("abcd"));
    // A two-unit result with room for one keeps its first unit.
    EXPECT_EQ(Decode(Of("ab^q"), 3), Of("ab^"));
    EXPECT_EQ(Decode(Of("\\q"), 1), Of("\\"));
    EXPECT_EQ(Decode(Of("x"), 0), Text());
    wchar16 counted[CountedTextUnits(2)];
    EncodeSetupText(counted, Of("ab").c_str(), 2);
    wchar16 raw[3];
    EXPECT_EQ(DecodeSetupField(raw, counted, 2), 2);
    EXPECT_EQ(Text(raw), Of("ab"));
}

TEST(SetupText, EveryUnitComesBackFromItsEscapedForm)
{
    // Alone, and between the characters that introduce or end escapes.
    for (u32 u = 1; u <= 0xFFFF; ++u) {
        const wchar16 unit = static_cast<wchar16>(u);
        for (const Text& raw : {Text{unit}, Text{'_', unit, '1', '2', '3'}, Text{'\\', unit, '7', '7'},
                                Text{'^', unit, '_', '0', '0', '0'}}) {
            const int n = static_cast<int>(raw.size());
            ASSERT_EQ(Decode(Encode(raw, n), n), raw) << "unit " << u;
        }
    }
}

TEST(SetupText, FullAnswerbacksOfControlsSurviveTheEditRoundTrip)
{
    // 32 control characters shown escaped still fit the edit control's limit.
    const Text controls(32, 0x1D);
    const Text shown = Encode(controls, 32);
    EXPECT_LE(static_cast<int>(shown.size()), CountedEditLimit(32));
    EXPECT_EQ(Decode(shown, 32), controls);
}

}  // namespace
