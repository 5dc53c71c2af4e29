// What the DEC emulations answer: device attributes, status and cursor reports, mode and
// setting reports, and the state reports with their restores.
#include <gtest/gtest.h>

#include "terminal/core/base/corestate.h"
#include "terminal/core/session/terminalinit.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/emulations/dec/controls/cursorcmds.h"
#include "terminal/emulations/dec/reports/reportbuffer.h"
#include "terminal/emulations/dec/reports/reports.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/emulations/dec/vtmodes.h"
#include "terminal/settings/store/profilevalues.h"
#include "terminal/emulations/dec/vt_fixture.h"

namespace {

const std::string kDcs = "\x1bP";
const std::string kSt = "\x1b\\";

using Reports = VtTest;

TEST_F(Reports, CursorPositionFollowsOriginMode)
{
    EXPECT_EQ(Answer(C("2J") + C("5;10H") + "X" + C("6n")), C("5;11R"));
    EXPECT_EQ(Answer(C("3;20r") + C("?6h") + C("6n")), C("1;1R"));
    EXPECT_EQ(Answer(C("2;4H") + C("6n") + C("?6n")), C("2;4R") + C("?2;4;1R"));
    // With origin mode off again the row is counted from the top of the screen.
    EXPECT_EQ(Answer(C("?6l") + C("6n")), C("1;1R"));
}

TEST_F(Reports, Vt52IdentifiesItselfAndLeavesWithEscLessThan)
{
    EXPECT_EQ(Answer(C("?2l") + E("Z")), E("/Z"));
    EXPECT_EQ(EmulationId.load(), 0);
    // In VT52 ESC [ is no introducer: the bracket is shown and the c with it.
    EXPECT_EQ(Answer(C("c")), "");
    EXPECT_EQ(Answer(E("<") + C("c")), C("?64;1;2;6;7;8;9;15;18;19;21c"));
    EXPECT_EQ(EmulationId.load(), 1);
    // DECID works in VT100 but not in VT500.
    EXPECT_EQ(Answer(E("Z")), C("?64;1;2;6;7;8;9;15;18;19;21c"));
    EmulationId = 2;
    EXPECT_EQ(Answer(E("Z")), "");
}

TEST_F(Reports, DeviceAttributesByModel)
{
    struct Case {
        u8 model;
        std::string request, answer;
    };
    const Case cases[] = {
        {8, C("c"), C("?64;1;2;6;7;8;9;15;18;19;21c")},
        {8, C("0c"), C("?64;1;2;6;7;8;9;15;18;19;21c")},
        {0, C("c"), C("?1;2c")},
        {12, C("c"), C("?65;1;2;7;9;12;18;21;23;24;42;44;45;46c")},
        {13, C(">c"), C(">61;24;0c")},
        {4, C(">0c"), C(">1;20;0c")},
        {8, C(">c"), C(">41;11;0c")},
        {8, C(">1c"), ""},
        {8, C("1c"), ""},
        {8, C("=c"), ""},  // no tertiary answer is configured
    };
    for (const Case& c : cases) {
        TerminalId = c.model;
        EXPECT_EQ(Answer(c.request), c.answer) << int(c.model) << " " << c.request.substr(1);
    }
    TerminalId = 8;
    const wchar16 tertiary[] = {'4', '2', '4', '1', 0};
    std::copy(tertiary, tertiary + 5, Vt300Values.vt420_da);
    EXPECT_EQ(Answer(C("=c")), kDcs + "!|4241" + kSt);
    // The identification text goes out without a lead-in.
    EXPECT_EQ(Answer(C("0;1234c")), "vexaNT-#10100\r");
}

TEST_F(Reports, CustomIdIsSentExactly)
{
    const wchar16 custom[] = {'A', 'B', 'C', 0};
    std::copy(custom, custom + 4, Vt300Values.szCustomID);
    EXPECT_EQ(Answer(C("c")), "ABC");
    EmulationId = 3;
    EXPECT_EQ(Answer(C("c")), "ABC");
}

TEST_F(Reports, LeadInFollowsTheEmulationAndDataBits)
{
    EmulationId = 3;
    // clang-format off
    EXPECT_EQ(Answer(C("5n")), "\x9b" "0n");
    EXPECT_EQ(Answer(C("6n")), "\x9b" "1;1R");
    EXPECT_EQ(Answer(kDcs + "$qm" + kSt).substr(0, 4), "\x90" "1$r");
    // clang-format on
    DataBitsSetting = 1;
    EXPECT_EQ(Answer(C("5n")), C("0n"));
    DataBitsSetting = 2;
    // VT500 7-bit uses ESC [ even with 8 data bits.
    EmulationId = 2;
    EXPECT_EQ(Answer(C("5n")), C("0n"));
    // A received 8-bit CSI is read like ESC [ in VT500 8-bit.
    EmulationId = 3;
    // clang-format off
    EXPECT_EQ(Answer("\x9b" "5n"), "\x9b" "0n");
    // clang-format on
    // S7C1T and S8C1T switch between the two.
    EXPECT_EQ(Answer(E(" F") + C("5n")), C("0n"));
    EXPECT_EQ(EmulationId.load(), 2);
    // clang-format off
    EXPECT_EQ(Answer(E(" G") + C("5n")), "\x9b" "0n");
    // clang-format on
}

TEST_F(Reports, DeviceStatusReports)
{
    struct Case {
        std::string request, answer;
    };
    const Case cases[] = {
        {C("5n"), C("0n")},
        {C("?15n"), C("?10n")},
        {C("?25n"), C("?20n")},
        {C("?26n"), C("?27;1n")},
        {C("?55n"), C("?53n")},
        {C("?56n"), C("?57;0n")},
        {C("?62n"), C("2048*{")},
        {C("?63n"), kDcs + "63!~0000" + kSt},
        {C("?75n"), ""},
        {C("?85n"), C("83n")},
        {C("7n"), ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Answer(c.request), c.answer) << c.request.substr(1);
    // The VT420-class reports need a VT420-class model.
    TerminalId = 6;
    EXPECT_EQ(Answer(C("?85n")), "");
    EXPECT_EQ(Answer(C("?55n")), C("?53n"));
    // In VT100 the VT500 reports are not given.
    EmulationId = 1;
    EXPECT_EQ(Answer(C("?55n")), "");
    EXPECT_EQ(Answer(C("5n")), C("0n"));
}

TEST_F(Reports, TerminalParameters)
{
    // Solicited (0) and unsolicited (1) requests; no parity, 8 bits, speed index 6.
    EXPECT_EQ(Answer(C("x")), C("2;1;1;112;112;1;0;1;1;1;120;120x"));
    EXPECT_EQ(Answer(C("1x")), C("3;1;1;112;112;1;0;1;1;1;120;120x"));
    EXPECT_EQ(Answer(C("2x")), "");
}

TEST_F(Reports, ModeReportsTellEachModesState)
{
    struct Case {
        std::string change, request, answer;
    };
    const Case cases[] = {
        {"", C("4$p"), C("4;2$y")},
        {C("4h"), C("4$p"), C("4;1$y")},
        {C("20h"), C("20$p"), C("20;1$y")},
        {"", C("3$p"), C("3;4$y")},
        {C("12h"), C("12$p"), C("12;1$y")},
        {"", C("99$p"), C("99;0$y")},
        {"", C("?2$p"), C("?2;3$y")},
        {C("?1h"), C("?1$p"), C("?1;1$y")},
        {C("?6h"), C("?6$p"), C("?6;1$y")},
        {C("?7l"), C("?7$p"), C("?7;2$y")},
        {C("?25l"), C("?25$p"), C("?25;2$y")},
        {C("?42h"), C("?42$p"), C("?42;1$y")},
        {C("?69h"), C("?69$p"), C("?69;1$y")},
        {"", C("?38$p"), C("?38;2$y")},
        {"", C("?81$p"), C("?81;4$y")},
        {"", C("?600$p"), C("?255;0$y")},
        {C("?3h"), C("?3$p"), C("?3;1$y")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Answer(c.change + c.request), c.answer) << c.change.substr(1) << " " << c.request.substr(1);
    EmulationId = 1;
    EXPECT_EQ(Answer(C("4$p")), "");
}

TEST_F(Reports, SavedColumnWidthIsTheWidthTheTerminalStartsIn)
{
    // A profile saved in 132 columns ("dspwdth" 131) starts in 132 columns; the
    // 80-column font setting keeps 80 whatever is stored.
    struct Case {
        u32 font80;
        std::string answer;
        int lastColumn;
    };
    const Case cases[] = {{0, C("?3;1$y"), 131}, {1, C("?3;2$y"), 79}};
    for (const Case& c : cases) {
        // As the profile load left them (the engine tests' load is a double).
        Vt300Values.dspwdth = 131;
        Vt300Values.font80 = static_cast<u8>(c.font80);
        ASSERT_TRUE(InitialiseTerminal(1));
        EXPECT_EQ(Screen.lastColumn, c.lastColumn) << c.font80;
        EXPECT_EQ(Answer(C("?3$p")), c.answer) << c.font80;
    }
    SetFactoryVt300();
    ASSERT_TRUE(InitialiseTerminal(1));
    EXPECT_EQ(Screen.lastColumn, 79) << "the factory width";
}

TEST_F(Reports, SettingRequestsEchoTheRequest)
{
    // Renditions, then the colours as indexes: 37 and 40 for white on black, 5x for the
    // screen colour.
    EXPECT_EQ(Answer(C("1;4m") + kDcs + "$qm" + kSt), kDcs + "1$r0;1;4;37;40;50m" + kSt);
    EXPECT_EQ(Answer(C("0;5;7;8m") + kDcs + "$qm" + kSt), kDcs + "1$r0;5;7;8;37;40;50m" + kSt);
    EXPECT_EQ(Answer(C("3;20r") + kDcs + "$qr" + kSt), kDcs + "1$r3;20r" + kSt);
    EXPECT_EQ(Answer(kDcs + "$q\"p" + kSt), kDcs + "1$r63\"p" + kSt);
    EXPECT_EQ(Answer(C("1\"q") + kDcs + "$q\"q" + kSt), kDcs + "1$r1\"q" + kSt);
    EXPECT_EQ(Answer(kDcs + "$q$|" + kSt), kDcs + "1$r80$|" + kSt);
    // Unknown requests and requests with a parameter get an empty value.
    EXPECT_EQ(Answer(kDcs + "$qxyz" + kSt), kDcs + "1$rxyz" + kSt);
    EXPECT_EQ(Answer(kDcs + "1$qm" + kSt), kDcs + "1$rm" + kSt);
    // A request longer than any setting is echoed up to 127 characters and the rest
    // read away; nothing of it reaches the screen.
    const std::string longRequest(300, 'q');
    EXPECT_EQ(Answer(kDcs + "$q" + longRequest + kSt), kDcs + "1$r" + std::string(127, 'q') + kSt);
    EXPECT_EQ(Row(0), "");
}

TEST_F(Reports, UserPreferredSetAndDisplayExtent)
{
    EXPECT_EQ(Answer(C("&u")), kDcs + "0!u%5" + kSt);
    EXPECT_EQ(Answer(kDcs + "1!uA" + kSt + C("&u")), kDcs + "1!uA" + kSt);
    EXPECT_EQ(Answer(C("\"v")), C("24;80;1;1;1\"w"));
}

TEST_F(Reports, CursorInformationReportsRenditionAndDesignations)
{
    const std::string reply = Answer(C("5;7H") + C("1;4m") + E(")0") + E("*<") + E("+B") + E("n") + C("1$w"));
    // Row, column, page; bold+underline; unprotected; no flags; GL 2, GR 2; no 96-
    // character set (the user-preferred set is DEC supplemental); designations B 0 < B.
    EXPECT_EQ(reply, kDcs + "1$u5;7;1;C;@;@;2;2;@;B0<B" + kSt);
    // Restoring it elsewhere brings back position, renditions and the invoked sets.
    Feed(C("0m") + E("o") + C("H"));
    Feed(kDcs + "1$t5;7;1;C;@;@;2;2;@;B0<B" + kSt);
    EXPECT_EQ(Cursor(), "4,6");
    EXPECT_EQ(CurrentRendition & (kRendBold | kRendUnderline), kRendBold | kRendUnderline);
    EXPECT_EQ(VtMode.glSet, 2);
    // A malformed field stops the restore where it is.
    Feed(kDcs + "1$t1;1;1;C;x" + kSt);
    EXPECT_EQ(Cursor(), "0,0");
}

TEST_F(Reports, TabStopReportRestoresEveryStopIncludingTheLast)
{
    Feed(C("3g"));
    for (int column : {4, 10, 78})
        Feed(C("1;" + std::to_string(column + 1) + "H") + E("H"));
    const std::string reply = Answer(C("2$w"));
    EXPECT_EQ(reply, kDcs + "2$u5/11/79" + kSt);
    // The report ends its list with ST, not '/': the restore takes the last stop too.
    Feed(C("3g") + kDcs + "2$t5/11/79" + kSt);
    for (int c = 0; c < kTabColumns; ++c)
        EXPECT_EQ(TabStopAt(c), c == 4 || c == 10 || c == 78) << c;
}

TEST_F(Reports, LongestReportsFitTheBufferWhole)
{
    // A stop in every column of a 132-column line: the longest report there is.
    Feed(C("?3h"));
    for (int c = 0; c < kTabColumns; ++c)
        TabStops[c] = 'T';
    const std::string reply = Answer(C("2$w"));
    std::string expected = kDcs + "2$u";
    for (int column = 2; column <= 131; ++column)
        expected += std::to_string(column) + "/";
    expected.pop_back();
    EXPECT_EQ(reply, expected + kSt);
    // Appending past the end marks the report; it is never sent cut short.
    BeginReport(kCsiUnit);
    for (int i = 0; i < kReportBufferUnits + 10; ++i)
        AppendUnit('x');
    EXPECT_EQ(ReportBuffer.length, kReportBufferUnits - 1);
    EXPECT_EQ(ReportBuffer.units[kReportBufferUnits - 1], 0);
    EXPECT_TRUE(ReportBuffer.overflow);
    EXPECT_EQ(Answer(""), "");
    SendReportBuffer();
    EXPECT_TRUE(Sent().empty());
}

TEST_F(Reports, TerminalStateReportIsAcceptedBackByItsRestore)
{
    Feed(E("(0") + E(")<") + E("n") + C("3;12r"));
    std::string report = Answer(C("1$u"));
    ASSERT_EQ(report.size(), 2 + 3 + 198 + 2);
    ASSERT_EQ(report.substr(0, 5), kDcs + "1$s");
    // Everything changes; the report's data sent back as a restore brings the sets and
    // shifts back.
    report.replace(2, 3, "1$p");
    Feed(E("(B") + E(")B") + E("o"));
    EmulationId = 3;
    Feed(report);
    EXPECT_EQ(EmulationId.load(), 2);
    EXPECT_EQ(VtMode.designation[0], 2);
    EXPECT_EQ(VtMode.designation[1], 4);
    EXPECT_EQ(VtMode.glSet, 2);
    // One character changed: the checksum refuses the whole string.
    Feed(E("(B"));
    report[40] = report[40] == '@' ? 'A' : '@';
    Feed(report);
    EXPECT_EQ(VtMode.designation[0], 1);
}

TEST_F(Reports, ColourTableReportAndRestore)
{
    const std::string hls = Answer(C("2;1$u"));
    EXPECT_EQ(hls.substr(0, 5), kDcs + "2$s");
    EXPECT_NE(hls.find("0;1;0;0;0/1;1;"), std::string::npos) << hls;
    // Entry 1 set by red, green and blue percentages, then reported back as HLS.
    Feed(kDcs + "2$p1;2;100;0;0/3;1;240;50;100" + kSt);
    const std::string after = Answer(C("2;1$u"));
    EXPECT_NE(after.find("/1;1;120;50;100/"), std::string::npos) << after;
    EXPECT_NE(after.find("/3;1;240;50;100/"), std::string::npos) << after;
    EXPECT_NE(Answer(C("2;2$u")).find("/1;2;100;0;0/"), std::string::npos) << "entry 1 in RGB";
}

TEST_F(Reports, SecureResetAnswersWithItsParameter)
{
    Feed("abc" + C("4h") + C("1m"));
    EXPECT_EQ(Answer(C("5+p")), C("5*q"));
    EXPECT_EQ(Row(0), "");
    EXPECT_EQ(CurrentRendition & kRendBold, 0);
    // Pr 5 is not a plain soft reset: insert mode stays.
    EXPECT_EQ(VtMode.insertMode, 1);
    EXPECT_EQ(Answer(C("20000+p")), "");
    TerminalId = 6;
    EXPECT_EQ(Answer(C("+p")), "");
}

}  // namespace

namespace {

TEST_F(Reports, PacedTransmissionSendsTheRingByteByByte)
{
    ASSERT_NE(TransmitRing.bytes, nullptr);
    // Three bytes at the ring's end: they go out in order, the index starting over.
    TransmitRing.readIndex = kTransmitRingBytes - 2;
    TransmitRing.pending = 3;
    TransmitRing.bytes[kTransmitRingBytes - 2] = 'a';
    TransmitRing.bytes[kTransmitRingBytes - 1] = 'b';
    TransmitRing.bytes[0] = 'c';
    std::string sent;
    while (BufferedTransmitPending()) {
        EXPECT_EQ(SendNextBufferedByte(), -1);
        sent = Text(Sent());
    }
    EXPECT_EQ(sent, "abc");
    EXPECT_EQ(TransmitRing.readIndex, 0);
    EXPECT_EQ(SendNextBufferedByte(), -1);
    EXPECT_EQ(Text(Sent()), "abc") << "an empty ring sends nothing";
}

}  // namespace
