// The international dialog's rules as data: a keyboard layout's national-language row,
// the table's values, the suggested sets and font character sets, which emulations have
// the dialog, and the code pages listed from the conversion files.
#include <gtest/gtest.h>

#include <string>

#include "wizard/engine/national.h"

namespace {

WText W(const char* text)
{
    return Widen(text);
}

TEST(WizardNational, KeyboardLayoutsChooseTheirRow)
{
    const struct {
        const char* layout;  // null: the system gave no name
        u32 row;
        bool national;
    } cases[] = {
        {"00000409", 0, true},                            // English (US)
        {"00000809", 1, true},                            // English (UK), sub-language 2
        {"00010409", 0, true},                            // a US variant: only the low 16 bits count
        {"00000411", 16, false},                          // Japanese
        {"00000407", 6, true},   {"00000807", 10, true},  // German, Swiss German
        {"00000c07", 6, true},   {"00001007", 6, false},  // Austrian; another German: no national set
        {"0000080C", 13, true},  {"00000C0C", 3, true},   // Belgian French, Canadian French
        {"00000804", 18, false}, {"00000C04", 0, false},  // Chinese PRC; another Chinese: the default
        {"00000416", 15, false}, {"00000816", 15, true},  // Portuguese (Brazil), (Portugal)
        {"0000041A", 32, true},  {"00000C1A", 35, true},  // Croatian, Serbian (Cyrillic)
        {"0000041F", 24, true},  {"00000408", 22, true},  // Turkish, Greek
        {"0000042A", 0, false},                           // Vietnamese has no row
        {"0000040G", 0, false},                           // no hexadecimal number
        {nullptr, 0, false},
    };
    for (const auto& c : cases) {
        const WText name = c.layout ? W(c.layout) : WText();
        const LayoutLanguage got = LanguageOfLayoutName(c.layout ? name.c_str() : nullptr);
        EXPECT_EQ(got.row, c.row) << (c.layout ? c.layout : "none");
        EXPECT_EQ(got.national, c.national) << (c.layout ? c.layout : "none");
    }
}

TEST(WizardNational, TheLanguageTableGivesEachRowsValues)
{
    EXPECT_STREQ(NationalLanguageAt(0).keyboardType, "USB");
    EXPECT_EQ(NationalLanguageAt(0).codePage5250, 37);
    const NationalLanguage& japanese = NationalLanguageAt(16);
    EXPECT_STREQ(japanese.keyboardType, "JKB");
    EXPECT_EQ(japanese.doubleBytePage, 300);
    EXPECT_EQ(japanese.charset5250, 1172);
    EXPECT_EQ(japanese.ccsid3270, 930);
    const NationalLanguage& canadian = NationalLanguageAt(3);  // 5250 and 3270 differ
    EXPECT_EQ(canadian.codePage5250, 500);
    EXPECT_EQ(canadian.codePage3270, 37);
    EXPECT_EQ(NationalLanguageAt(32).charset3270, 1375);
    EXPECT_STREQ(NationalLanguageAt(36).keyboardType, "YGM");
    EXPECT_STREQ(NationalLanguageAt(37).keyboardType, "USB");  // past the table: the first row
}

TEST(WizardNational, RowsSuggestASetAndFontsFollowTheSetOrTheRow)
{
    const struct {
        u32 row, set;
        u8 charset;
    } rows[] = {
        {0, kSetLatin1, 0},      {16, kSetLatin1, 128}, {19, kSetLatin1, 136}, {20, kSetHebrew, 177},
        {21, kSetLatin1, 222},   {22, kSetGreek, 161},  {23, kSetLatin1, 204}, {24, kSetLatin5, 162},
        {25, kSetCyrillic, 204}, {26, kSetLatin2, 238}, {28, kSetLatin2, 238}, {29, kSetLatin1, 0},
        {30, kSetLatin1, 238},   {32, kSetLatin2, 238}, {36, kSetLatin2, 238},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(SuggestedCharacterSet(r.row), r.set) << r.row;
        EXPECT_EQ(FontCharsetOfRow(r.row), r.charset) << r.row;
    }
    EXPECT_EQ(FontCharsetOfSet(kSetGreek), 161);
    EXPECT_EQ(FontCharsetOfSet(kSetHebrew), 177);
    EXPECT_EQ(FontCharsetOfSet(kSetCyrillic), 0);
}

TEST(WizardNational, EachEmulationKeepsItsChoicesInItsOwnValues)
{
    for (u32 emulation = 0; emulation < 24; ++emulation) {
        const bool shown = emulation != 17 && emulation != 19 && emulation != 20 && emulation != 22;
        EXPECT_EQ(HasInternationalSettings(emulation), shown) << emulation;
    }
    EXPECT_EQ(NationalPlaceOf(1).set, kValueVtUpss);
    EXPECT_EQ(NationalPlaceOf(5).set, kValueAnsi386Upss);
    EXPECT_EQ(NationalPlaceOf(21).set, kValueAnsi386Upss);
    EXPECT_EQ(NationalPlaceOf(16).font, kValueI51UpssFont);
    EXPECT_EQ(NationalPlaceOf(18).kind, NationalKind::Hp);
    EXPECT_EQ(NationalPlaceOf(18).codePage, kWizardValueCount);
    EXPECT_EQ(NationalPlaceOf(15).codePage, kValueWyMultset);
    EXPECT_EQ(NationalPlaceOf(6).codePage, kValueIbmCodePage);
    EXPECT_EQ(NationalPlaceOf(7).font, kValueI52Font);
    EXPECT_TRUE(CodePageEnabled(NationalKind::Character, kSetAnsi));
    EXPECT_FALSE(CodePageEnabled(NationalKind::Character, kSetLatin1));
    EXPECT_TRUE(CodePageEnabled(NationalKind::Wyse, kSetDecMcs));
}

TEST(WizardNational, CodePagesNeedBothConversionFiles)
{
    EXPECT_EQ(CodePageOfFileName(W("IBM00037.S2U")), 37);
    EXPECT_EQ(CodePageOfFileName(W("ibm273.u2s")), 273);
    EXPECT_EQ(CodePageOfFileName(W("IBM.S2U")), -1);
    EXPECT_EQ(CodePageOfFileName(W("IBMX1.S2U")), -1);  // the last M is followed by X
    EXPECT_EQ(CodePageOfFileName(W("IBM123456789.S2U")), -1);

    using Pages = std::vector<u32>;
    EXPECT_EQ(CodePagesWithBothFiles({37, 273, 500}, {37, 273, 500}), (Pages{37, 273, 500}));
    EXPECT_EQ(CodePagesWithBothFiles({37, 273, 500}, {37, 500}), (Pages{37, 500}));
    // A directory that lists its files in another order loses none of them.
    EXPECT_EQ(CodePagesWithBothFiles({500, 37, 273}, {273, 500, 37}), (Pages{37, 273, 500}));
    EXPECT_EQ(CodePagesWithBothFiles({37, 37}, {37}), (Pages{37}));
    EXPECT_EQ(CodePagesWithBothFiles({}, {37}), Pages{});
    EXPECT_EQ(CodePagesWithBothFiles({37, 1140}, {}), Pages{});
}

}  // namespace
