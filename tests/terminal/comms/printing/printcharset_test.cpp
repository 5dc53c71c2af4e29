// Printer output character sets: a table of cases, and each set against glibc's iconv
// (native build), with the places where the terminal's sets knowingly differ.
#include "terminal/comms/printing/printcharset.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "terminal/core/base/corestate.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/settings/store/profilevalues.h"

#ifndef _WIN32
#include "terminal/core/iconvpeer.h"
#endif

namespace {

std::string Bytes(u32 charset, u16 ch, const u8* national = nullptr)
{
    u8 out[3];
    const int n = TranslatePrintChar(charset, ch, national, out);
    return std::string(reinterpret_cast<const char*>(out), static_cast<std::size_t>(n));
}

// clang-format off
constexpr u8 kGerman[] = {'@', 0xA7, '[', 0xC4, '\\', 0xD6, ']', 0xDC, '{', 0xE4, '|', 0xF6, '}', 0xFC, '~', 0xDF, 0};
// clang-format on

TEST(PrintCharsetTest, TableCases)
{
    // clang-format off
    struct Case {
        u32 charset;
        u16 ch;
        std::string out;
    } cases[] = {
        {kPrintLatin1, 0x00E9, "\xE9"},      {kPrintLatin1, 0x0141, " "},
        {kPrintNational7Bit, 162, "c\b|"},   {kPrintNational7Bit, 164, "C\b="},
        {kPrintNational7Bit, 165, "Y\b="},   {kPrintNational7Bit, 0x00C4, "["},
        {kPrintNational7Bit, 0x00E9, " "},   {kPrintNational7Bit, 'A', "A"},
        {kPrintRoman8, 0x00E9, "\xC5"},      {kPrintRoman8, 0x00A9, " "},
        {kPrintLatin2, 0x0141, "\xA3"},      {kPrintLatin2, 0x20AC, " "},
        {kPrintLatin5, 0x011E, "\xD0"},      {kPrintLatin9, 0x20AC, "\xA4"},
        {kPrintLatin9, 0x00E9, "\xE9"},      {kPrintEbcdic, 'A', "\xC1"},
        {kPrintEbcdic, ' ', "\x40"},         {kPrintEbcdic, 0x20AC, "\x40"},
        {kPrintCp437, 0x00E9, "\x82"},       {kPrintCp437, 0x20AC, " "},
        {kPrintCp850, 0x00E9, "\x82"},       {kPrintCp850, 150, "\x96"},
        {kPrintCp852, 0x0141, "\x9D"},       {kPrintCp858, 164, "\xD5"},
        {kPrintCp858, 0x00E9, "\x82"},       {kPrintCp1250, 0x0104, "\xA5"},
        {kPrintCp1250, 166, "\xA6"},         {kPrintCp1250, 0x0141, "\xA3"},
        {kPrintCp1250, 0x00E4, "\xE4"},
    };
    // clang-format on
    for (const Case& c : cases)
        EXPECT_EQ(Bytes(c.charset, c.ch, kGerman), c.out) << "set " << c.charset << " U+" << std::hex << c.ch;
}

TEST(PrintCharsetTest, ControllerBytesThroughTheNationalSet)
{
    const u32 convert = PrintingValues.ConvertHostChars;
    const u8 multinational = Vt300Values.mltnat, national = KeyboardTypeIndex;
    KeyboardTypeIndex = 6;  // German
    Vt300Values.mltnat = 0;
    PrintingValues.ConvertHostChars = kPrintNational7Bit;
    EXPECT_EQ(MapControllerChar('['), 0xC4);
    EXPECT_EQ(MapControllerChar('A'), 'A');
    EXPECT_EQ(MapControllerChar(0xC4), 0xC4) << "8-bit bytes pass";
    Vt300Values.mltnat = 1;
    EXPECT_EQ(MapControllerChar('['), '[') << "multinational mode has no national set";
    Vt300Values.mltnat = 0;
    PrintingValues.ConvertHostChars = kPrintLatin1;
    EXPECT_EQ(MapControllerChar('['), '[');
    PrintingValues.ConvertHostChars = convert;
    Vt300Values.mltnat = multinational;
    KeyboardTypeIndex = national;
}

#ifndef _WIN32
// Every character of Latin-1 and the Latin extensions, the euro and some box drawing,
// translated by the terminal and by iconv. Where iconv has no byte the terminal prints
// a blank; the listed characters are where the terminal's tables knowingly differ.
TEST(PrintCharsetTest, AgainstIconv)
{
    const u8 blank = ' ';
    struct Set {
        u32 charset;
        const char* iconvName;
        std::map<u16, u8> differences;  // character -> the terminal's byte
    } sets[] = {
        {kPrintRoman8, "HP-ROMAN8", {}},
        {kPrintLatin2, "ISO-8859-2", {}},
        // The terminal's Turkish set keeps the euro at 164 and Latin-1's Y and y acute
        // where ISO 8859-9 has the dotted and dotless I.
        {kPrintLatin5, "ISO-8859-9", {{0xA4, ' '}, {0xDD, 0xDD}, {0xFD, 0xFD}, {0x130, ' '}, {0x131, ' '}}},
        {kPrintLatin9, "ISO-8859-15", {}},
        {kPrintEbcdic, "IBM037", {}},
        {kPrintCp437, "CP437", {}},
        {kPrintCp850, "CP850", {}},
        {kPrintCp852, "CP852", {}},
        // 164 is the euro of a Latin-9 host on this printer.
        {kPrintCp858, "IBM858", {{0xA4, 213}}},
        {kPrintCp1250, "CP1250", {}},
    };
    for (Set& set : sets) {
        Iconv encode(set.iconvName, "UTF-16LE");
        ASSERT_TRUE(encode.ok()) << set.iconvName;
        std::map<u16, std::pair<int, int>> found;
        for (u16 ch = 0xA0; ch < 0x250; ++ch) {
            const std::optional<u8> peer = PeerEncode(encode, ch);
            const std::string ours = Bytes(set.charset, ch);
            ASSERT_EQ(ours.size(), 1u);
            const u8 mine = static_cast<u8>(ours[0]);
            const u8 expected = peer ? *peer : (set.charset == kPrintEbcdic ? 0x40 : blank);
            if (mine != expected)
                found[ch] = {mine, peer ? *peer : -1};
        }
        std::string report;
        for (const auto& [ch, bytes] : found)
            if (!set.differences.count(ch) || set.differences[ch] != bytes.first)
                report += " U+" + std::to_string(ch) + " ours " + std::to_string(bytes.first) + " iconv " +
                          std::to_string(bytes.second);
        EXPECT_EQ(report, "") << set.iconvName;
    }
}
#endif

}  // namespace
