// Display cells built from host cells, the spans the display update paints, and the
// operator information area row.
#include "session3270_fixture.h"

#include "terminal/emulations/ibmhost/3270/cells3270.h"
#include "terminal/emulations/ibmhost/station/nationalvariant.h"
#include "terminal/emulations/ibmhost/3270/oia3270.h"

#ifndef _WIN32
#include "terminal/core/iconvpeer.h"
#endif

namespace {
std::string OiaText(const I3270Session& s, int first, int last)
{
    std::string t;
    const HostDisplayRow& row = s.rows[static_cast<std::size_t>(s.current.rows)];
    for (int c = first; c <= last; ++c) {
        const HostDisplayCell& d = row.cells[c];
        if (d.rendition & kDisplaySymbol) {
            char b[8];
            std::snprintf(b, sizeof b, "<%02X>", d.character);
            t += b;
        } else {
            const wchar16 u = HostByteToUnicode(s.s2u, d.character);
            t.push_back(d.character == 0 || u > 0x7E ? ' ' : static_cast<char>(u));
        }
    }
    return t;
}
}  // namespace

TEST_F(Session3270Test, DisplayCellsTakeTheirFieldsLook)
{
    // Reverse red field, a non-display field, a graphic escape, a character-set cell.
    Host("00 00 00 00 01 F5 C3 29 03 C0 60 41 F2 42 F2 C1 1D 4C C2 1D 40 08 AD 28 43 F1 C3");
    const HostDisplayCell* row = s.rows[0].cells;
    EXPECT_EQ(row[1].colour, 2);
    EXPECT_EQ(row[1].rendition, kHighlightReverse);
    EXPECT_EQ(row[3].field & kCellDisplayBits, kCellDisplayBits);
    EXPECT_EQ(row[5].rendition & kDisplaySymbol, kDisplaySymbol);
    EXPECT_EQ(row[6].rendition & kDisplaySymbol, kDisplaySymbol);
    EXPECT_EQ(row[0].field & kCellAttribute, kCellAttribute);

    doubles::IbmHost().painted.clear();
    Host("00 00 00 00 02 F1 C2 11 C1 D5 C1 C2");  // two cells of row 1
    std::vector<doubles::PaintedSpan> screen;
    for (const doubles::PaintedSpan& p : doubles::IbmHost().painted)
        if (p.row < 24)
            screen.push_back(p);
    ASSERT_EQ(screen.size(), 1u);
    EXPECT_EQ(screen[0].row, 1);
    EXPECT_EQ(screen[0].first, 5);
    EXPECT_EQ(screen[0].last, 6);
}

TEST_F(Session3270Test, OperatorInformationArea)
{
    doubles::IbmHost().sessionSlot = 1;
    Host("00 00 00 00 01 F5 C3 1D 60 C1 1D 40 13");
    I3270RedrawOiaNow(&s);
    EXPECT_EQ(OiaText(s, 9, 17), "SESS 2   ");
    EXPECT_EQ(OiaText(s, 73, 79), "<28> 01/01");

    s.cursor = 1;
    Type("X");
    EXPECT_EQ(OiaText(s, 9, 17), "<36> <38><2B><28>    ");
    const HostDisplayCell& first = s.rows[24].cells[9];
    EXPECT_EQ(first.colour & 0x0F, 2);  // red
    I3270KeyReset(&s);

    doubles::IbmHost().painted.clear();
    I3270SetInsertMode(&s, 1);
    I3270SetInsertMode(&s, 1);
    EXPECT_EQ(doubles::IbmHost().painted.size(), 1u);
    EXPECT_EQ(OiaText(s, 52, 52), "<23>");

    Host("00 00 00 00 02 F7");
    EXPECT_EQ(OiaText(s, 9, 17), "<36> PROG750");
    EXPECT_EQ(s.rows[24].cells[12].colour & 0x0F, 6);  // yellow

    Start(t3270::kModel3279_5, {});
    Host("00 00 00 00 01 7E C3 11 C1 7F 13");
    s.cursorPosOn = 1;
    I3270ShowCursorPosition(&s);
    EXPECT_EQ(OiaText(s, 74, 79), "01/128");
}

TEST(EbcdicNationalVariant, TablesByCcsid)
{
    struct Case {
        u8 byte;
        u16 ccsid;
        u8 base;
    } const cases[] = {
        {0x4A, 500, 0xBA}, {0xC1, 500, 0x00}, {0x4A, 1148, 0xBA}, {0x4A, 1234, 0x00},
        {0x4A, 37, 0x00},  {0x4A, 273, 0x63}, {0x4A, 1141, 0x63}, {0xE0, 29, 0x9D},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ApplyEbcdicNationalVariant(c.byte, c.ccsid), c.base) << c.ccsid << " " << int(c.byte);
}

#ifndef _WIN32
// Every character a national page moves lands where IBM037 keeps it, as glibc's iconv
// has both pages. Where they part: glibc's IBM278 predates IBM's exchange of the
// backslash and E acute (0x71, 0xE0) that IBM1143 and the table have; glibc's IBM274
// has the square brackets at 0x4A and 0x5A where the table keeps the degree and
// section signs; CCSID 29 is not in glibc.
TEST(EbcdicNationalVariant, AgreesWithIconv)
{
    const u16 ccsids[] = {273,  274,  277,  278,  280,  284,  285,  297, 500,
                          1141, 1142, 1143, 1144, 1145, 1146, 1147, 1148};
    Iconv to037("IBM037", "UTF-16LE");
    ASSERT_TRUE(to037.ok());
    for (u16 ccsid : ccsids) {
        char name[16];
        std::snprintf(name, sizeof name, "IBM%03u", ccsid);
        Iconv decode("UTF-16LE", name);
        ASSERT_TRUE(decode.ok()) << name;
        for (int b = 0x41; b < 0xFF; ++b) {
            if ((ccsid == 278 && (b == 0x71 || b == 0xE0)) || (ccsid == 274 && (b == 0x4A || b == 0x5A)))
                continue;
            const std::optional<u16> u = PeerDecode(decode, static_cast<u8>(b));
            if (!u)
                continue;
            const std::optional<u8> base = PeerEncode(to037, *u);
            if (!base)
                continue;
            const u8 expected = *base == b ? 0 : *base;
            EXPECT_EQ(ApplyEbcdicNationalVariant(static_cast<u8>(b), ccsid), expected) << name << " byte " << b;
        }
    }
}
#endif
