#include "terminal/core/screen/charsets.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

#ifndef _WIN32
#include "terminal/core/iconvpeer.h"
#endif

namespace {

using Translator = u16 (*)(u16);

TEST(CharsetsTest, TableCases)
{
    struct Case {
        const char* what;
        Translator f;
        u16 in, out;
    } cases[] = {
        {"437 e-acute", UnicodeToCp437, 0x00E9, 130},
        {"437 euro absent", UnicodeToCp437, 0x20AC, 0},
        {"437 box", UnicodeToCp437, 0x2554, 201},
        {"850 dotless i", UnicodeToCp850, 0x0131, 213},
        {"852 L-stroke", UnicodeToCp852, 0x0141, 157},
        {"cent has no 437 code", Latin1ToCp437, 162, 0},
        {"diaeresis as quote", Latin1ToCp437, 168, 34},
        {"division has no 437 code", Latin1ToCp437, 247, 0},
        {"NBSP to 437 blank", Latin1ToCp437, 160, 32},
        {"below 160 unchanged", Latin1ToCp437, 65, 65},
        {"above Latin-1 no code", Latin1ToCp437, 0x0141, 0},
        {"NBSP to 850 blank", Latin1ToCp850, 160, 32},
        {"437 florin", Cp437ToLatin1, 159, 131},
        {"437 square to DEL", Cp437ToLatin1, 254, 127},
        {"437 NBSP", Cp437ToLatin1, 255, 32},
        {"850 thorn", Cp850ToLatin1, 231, 254},
        {"850 capital thorn", Cp850ToLatin1, 232, 222},
        {"850 dotless i blank", Cp850ToLatin1, 213, 32},
        {"Cyrillic NBSP", CyrillicToUnicode, 160, 160},
        {"Cyrillic SHY", CyrillicToUnicode, 173, 173},
        {"Cyrillic A", CyrillicToUnicode, 176, 0x0410},
        {"Cyrillic numero", CyrillicToUnicode, 240, 0x2116},
        {"to Cyrillic section", UnicodeToCyrillic, 0x00A7, 253},
        {"KOI8 ef", Koi8ToUnicode, 198, 0x0444},
        {"KOI8 EF", Koi8ToUnicode, 230, 0x0424},
        {"KOI8 255 unchanged", Koi8ToUnicode, 255, 255},
        {"to KOI8 TSE", UnicodeToKoi8, 0x0426, 227},
        {"to KOI8 absent", UnicodeToKoi8, 0x2500, 0x2500},
        {"Greek Beta", GreekToUnicode, 194, 0x0392},
        {"Greek undefined", GreekToUnicode, 210, 32},
        {"Greek guillemet", GreekToUnicode, 187, 187},
        {"to Greek omega", UnicodeToGreek, 0x03C9, 249},
        {"Hebrew alef", HebrewToUnicode, 224, 0x05D0},
        {"Hebrew double low line", HebrewToUnicode, 223, '='},
        {"to Hebrew tav", UnicodeToHebrew, 0x05EA, 250},
        {"1250 ogonek A is the 8859-2 place", UnicodeToCp1250, 0x0104, 161},
        {"1250 unknown unchanged", UnicodeToCp1250, 0x4E00, 0x4E00},
        {"1250 space stays", UnicodeToCp1250, 0x0020, 0x0020},
        {"1250 proper caron", Cp1250HighToUnicode, 161, 0x02C7},
        {"1250 proper A-ogonek", Cp1250HighToUnicode, 165, 0x0104},
        {"Turkish euro", TurkishToUnicode, 164, 0x20AC},
        {"to Turkish s-cedilla", UnicodeToTurkish, 0x015F, 254},
        {"TurkishAlt euro", TurkishAltToUnicode, 168, 0x20AC},
        {"TurkishAlt blank", TurkishAltToUnicode, 175, 32},
        {"TurkishAlt OE", TurkishAltToUnicode, 215, 0x0152},
        {"TurkishAlt other unchanged", TurkishAltToUnicode, 200, 200},
        {"to TurkishAlt dotted I", UnicodeToTurkishAlt, 0x0130, 174},
        {"control glyph NUL", ControlCharGlyph, 0, 32},
        {"control glyph smiley", ControlCharGlyph, 1, 0x263A},
        {"control glyph last", ControlCharGlyph, 31, 0x25BC},
        {"no control glyph", ControlCharGlyph, 32, 32},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.f(c.in), c.out) << c.what;
}

// Every set that has a reverse goes there and back for each code it defines.
TEST(CharsetsTest, RoundTrips)
{
    struct Pair {
        const char* name;
        Translator toUnicode, fromUnicode;
        u16 first, last;
    } pairs[] = {
        {"852", Cp852ToUnicode, UnicodeToCp852, 128, 255},
        {"Cyrillic", CyrillicToUnicode, UnicodeToCyrillic, 161, 255},
        {"KOI8", Koi8ToUnicode, UnicodeToKoi8, 192, 254},
        {"Turkish", TurkishToUnicode, UnicodeToTurkish, 128, 255},
        {"Greek", GreekToUnicode, UnicodeToGreek, 180, 254},
        {"Hebrew", HebrewToUnicode, UnicodeToHebrew, 224, 250},
        {"Central European", Cp1250ToUnicode, UnicodeToCp1250, 161, 255},
    };
    for (const Pair& p : pairs)
        for (u16 c = p.first; c <= p.last; ++c) {
            const u16 u = p.toUnicode(c);
            if (u == 0x0020 || (p.toUnicode == GreekToUnicode && (c == 187 || c == 189)))
                continue;  // blanks for undefined codes have no way back
            EXPECT_EQ(p.fromUnicode(u), c) << p.name << " code " << c;
        }
    for (u16 c : {168, 174, 190, 208, 215, 221, 222, 240, 247, 253, 254})
        EXPECT_EQ(UnicodeToTurkishAlt(TurkishAltToUnicode(c)), c) << "TurkishAlt " << c;
}

TEST(CharsetsTest, PaintedCellTranslation)
{
    struct Case {
        const char* what;
        u8 mode, codePage;
        u16 in;
        u8 glyphSet;
        bool controlGlyph;
        u16 out;
    } cases[] = {
        {"858 euro", kCharModePcCodePage, kPcCp858, 213, 0, false, 0x20AC},
        {"437 letter", kCharModePcCodePage, kPcCp437, 0x82, 0, false, 0xE9},
        {"437 line piece", kCharModePcCodePage, kPcCp437, 0xDA, 0, false, 0x250C},
        {"858 is 850 elsewhere", kCharModePcCodePage, kPcCp858, 0xDA, 0, false, 0x250C},
        {"PC control symbol", kCharModePcCodePage, kPcCp437, 3, 0, false, 0x2665},
        {"PC control shown as glyph", kCharModePcCodePage, kPcCp437, 3, 0, true, 3},
        {"PC 1250", kCharModePcCodePage, kPcCp1250, 165, 0, false, 0x0104},
        {"PC 852", kCharModePcCodePage, kPcCp852, 157, 0, false, 0x0141},
        // A line-drawing cell holds a glyph index, not a host character.
        {"PC 852 leaves glyph cells", kCharModePcCodePage, kPcCp852, 201, 3, false, 201},
        {"PC 852 leaves bitmap cells", kCharModePcCodePage, kPcCp852, 200, 6, false, 200},
        {"Latin-9 euro", kCharModeLatin9, 0, 164, 0, false, 0x20AC},
        {"Latin-9 euro only in the base set", kCharModeLatin9, 0, 164, 3, false, 164},
        {"Greek", kCharModeGreek, 0, 225, 0, false, 0x03B1},
        {"Greek other set", kCharModeGreek, 0, 225, 2, false, 225},
        {"Central European", kCharModeCentralEuropean, 0, 163, 0, false, 0x0141},
        {"Cyrillic", kCharModeCyrillic, 0, 208, 0, false, 0x0430},
        {"KOI8", kCharModeKoi8, 0, 193, 0, false, 0x0430},
        {"Turkish", kCharModeTurkish, 0, 208, 0, false, 0x011E},
        {"Turkish alternative", kCharModeTurkishAlt, 0, 174, 0, false, 0x0130},
        {"Hebrew", kCharModeHebrew, 0, 225, 0, false, 0x05D1},
        {"no translation in other modes", 0, 0, 0xE9, 0, false, 0xE9},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TranslateCellChar(c.mode, c.codePage, c.in, c.glyphSet, c.controlGlyph), c.out) << c.what;
}

#ifndef _WIN32
// glibc's converters are the published code pages; every code of a set is compared
// with them. Where a translator deliberately differs, the deviation is written here.
using Deviations = std::map<u16, u16>;

struct DecodeSet {
    const char* name;
    Translator f;
    const char* codeset;  // the peer; a byte below 128 counts as itself
    u16 first, last;
    bool toLatin1;          // the translator gives Latin-1 codes: others become a blank
    Deviations deviations;  // byte -> what the translator gives instead
};

// Undefined positions of a set show as a blank unless a deviation says otherwise.
TEST(CharsetsTest, DecodersAgreeWithGlibcExceptForTheWrittenDeviations)
{
    // clang-format off
    const DecodeSet sets[] = {
        {"437 to Latin-1", Cp437ToLatin1, "IBM437", 128, 255, true,
         {{159, 131}, {254, 127}, {255, 32}}},
        {"850 to Latin-1", Cp850ToLatin1, "IBM850", 128, 255, true, {{159, 131}, {255, 32}}},
        {"852", Cp852ToUnicode, "IBM852", 0, 255, false, {}},
        {"Central European high half", Cp1250ToUnicode, "ISO-8859-2", 160, 255, false,
         {{160, 32}}},
        {"Central European low half", Cp1250ToUnicode, "CP1250", 128, 159, false, {}},
        {"Windows-1250", Cp1250HighToUnicode, "CP1250", 128, 255, false, {{160, 32}}},
        // The Turkish set adds the euro and keeps the Latin-1 letters at 221 and 253.
        {"Turkish", TurkishToUnicode, "ISO-8859-9", 0, 255, false,
         {{164, 0x20AC}, {221, 221}, {253, 253}}},
        {"Cyrillic", CyrillicToUnicode, "ISO-8859-5", 0, 255, false, {}},
        // Only the letters of KOI8-R are translated.
        {"KOI8", Koi8ToUnicode, "KOI8-R", 192, 254, false, {}},
        // Quotes and the bar are shown in their ASCII or Latin-1 forms; the 2003
        // additions (euro, drachma, ypogegrammeni) are blanks; the Greek ano teleia
        // stands for the middle dot.
        {"Greek", GreekToUnicode, "ISO-8859-7", 0, 255, false,
         {{160, 32}, {161, '`'}, {162, '\''}, {164, 32}, {165, 32}, {170, 32}, {173, '.'},
          {175, 0xAF}, {183, 0x0387}}},
        // Multiplication and division keep their Latin-1 neighbours, the double low line
        // is "=", the direction marks are blanks.
        {"Hebrew", HebrewToUnicode, "ISO-8859-8", 0, 255, false,
         {{170, 0xAA}, {186, 0xBA}, {223, '='}, {253, 32}, {254, 32}}},
    };
    // clang-format on
    for (const DecodeSet& s : sets) {
        Iconv cv("UTF-16LE", s.codeset);
        ASSERT_TRUE(cv.ok()) << s.codeset;
        for (u16 b = s.first; b <= s.last; ++b) {
            const u16 got = s.f(b);
            auto dev = s.deviations.find(b);
            if (dev != s.deviations.end()) {
                EXPECT_EQ(got, dev->second) << s.name << " deviation at " << b;
                continue;
            }
            u16 want = PeerDecode(cv, static_cast<u8>(b)).value_or(0x20);
            if (s.toLatin1 && want > 0xFF)
                want = 0x20;
            EXPECT_EQ(got, want) << s.name << " at byte " << b;
        }
    }
    // Outside their ranges the translators leave the code alone.
    EXPECT_EQ(Koi8ToUnicode(0xC0 - 1), 0xBF);
    EXPECT_EQ(Cp437ToLatin1(0x41), 0x41);
}

// The PC code pages as the screen shows and copies their cells: each byte 128-255 is
// glibc's character of that code page, 858's euro included.
TEST(CharsetsTest, PcCodePageCellsShowGlibcsCharacters)
{
    const struct {
        PcCodePageIndex page;
        const char* codeset;
        Deviations deviations;
    } pages[] = {
        {kPcCp437, "IBM437", {}},
        {kPcCp850, "IBM850", {}},
        {kPcCp858, "IBM858", {}},
        // The no-break space and the undefined positions show as blanks.
        {kPcCp1250, "CP1250", {{160, 32}}},
        {kPcCp852, "IBM852", {}},
    };
    for (const auto& p : pages) {
        Iconv cv("UTF-16LE", p.codeset);
        ASSERT_TRUE(cv.ok()) << p.codeset;
        for (u16 b = 128; b <= 255; ++b) {
            const u16 got = TranslateCellChar(kCharModePcCodePage, p.page, b, 0, false);
            auto dev = p.deviations.find(b);
            const u16 want = dev != p.deviations.end() ? dev->second
                                                       : PeerDecode(cv, static_cast<u8>(b)).value_or(0x20);
            EXPECT_EQ(got, want) << p.codeset << " at byte " << b;
        }
    }
    EXPECT_EQ(TranslateCellChar(kCharModePcCodePage, kPcCp858, 0xD5, 0, false), 0x20AC);
}

struct EncodeSet {
    const char* name;
    Translator f;
    const char* codeset;
    u16 lowestByte, highestByte;  // peer bytes outside are not the translator's business
    bool absentIsZero;            // absent characters give 0, else they come back unchanged
    bool latin1Only;              // only Latin-1 160-255 is asked
    Deviations deviations;        // character -> what the translator gives instead
};

TEST(CharsetsTest, EncodersAgreeWithGlibcOverTheWholeBasicPlane)
{
    // clang-format off
    const EncodeSet sets[] = {
        {"437", UnicodeToCp437, "IBM437", 128, 255, true, false, {}},
        {"850", UnicodeToCp850, "IBM850", 128, 255, true, false, {}},
        {"852", UnicodeToCp852, "IBM852", 128, 255, true, false, {}},
        {"Latin-1 to 437", Latin1ToCp437, "IBM437", 128, 255, true, true,
         {{160, 32}, {162, 0}, {168, 34}, {247, 0}}},
        {"Latin-1 to 850", Latin1ToCp850, "IBM850", 128, 255, true, true, {{160, 32}}},
        // Searched only where the ISO 8859-2 half lies; the no-break space is skipped.
        {"Central European", UnicodeToCp1250, "ISO-8859-2", 161, 255, false, false, {}},
        // Only the letters: hard sign 255 is outside the table.
        {"KOI8", UnicodeToKoi8, "KOI8-R", 192, 254, false, false, {}},
        // The whole Cyrillic block is shifted, including the four letters ISO 8859-5
        // lacks, which land on its non-letter positions.
        {"Cyrillic", UnicodeToCyrillic, "ISO-8859-5", 161, 255, false, false,
         {{0x0400, 160}, {0x040D, 173}, {0x0450, 240}, {0x045D, 253}}},
        {"Hebrew letters", UnicodeToHebrew, "ISO-8859-8", 224, 250, false, false, {}},
    };
    // clang-format on
    for (const EncodeSet& s : sets) {
        Iconv cv(s.codeset, "UTF-16LE");
        ASSERT_TRUE(cv.ok()) << s.codeset;
        for (u32 u = 0; u <= 0xFFFF; ++u) {
            if ((u >= 0xD800 && u <= 0xDFFF) || (s.latin1Only && (u < 160 || u > 255)))
                continue;
            const u16 got = s.f(static_cast<u16>(u));
            auto dev = s.deviations.find(static_cast<u16>(u));
            if (dev != s.deviations.end()) {
                EXPECT_EQ(got, dev->second) << s.name << " deviation at U+" << std::hex << u;
                continue;
            }
            std::optional<u8> peer = PeerEncode(cv, static_cast<u16>(u));
            const bool inRange = peer && *peer >= s.lowestByte && *peer <= s.highestByte;
            const u16 want = inRange ? *peer : (s.absentIsZero ? 0 : static_cast<u16>(u));
            EXPECT_EQ(got, want) << s.name << " at U+" << std::hex << u;
        }
    }
}
#endif

}  // namespace
