// The ANSI consoles (Ansi BBS, SCO Console, AT 386) driven through the whole host path:
// their parser with quoted texts, their control sequences, colours, virtual screens,
// host-defined keys and capture control.
#include "terminal/emulations/dec/vt_fixture.h"

#include <cstring>

#ifndef _WIN32
#include "terminal/core/iconvpeer.h"
#endif

#include "support/doubles_host.h"
#include "support/doubles_registry.h"
#include "support/doubles_settings.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/base/family.h"
#include "terminal/core/base/commandids.h"
#include "terminal/core/host/hostio.h"
#include "terminal/core/screen/paintsettings.h"
#include "terminal/core/screen/celltext.h"
#include "terminal/core/screen/charsets.h"
#include "terminal/core/screen/screenmodes.h"
#include "terminal/core/screen/screenops.h"
#include "terminal/emulations/dec/ansi/aixterm.h"
#include "terminal/emulations/dec/ansi/ansiconsole.h"
#include "terminal/emulations/dec/ansi/ansipalettes.h"
#include "terminal/emulations/dec/ansi/ansiprofile.h"
#include "terminal/settings/store/colours.h"
#include "terminal/settings/store/hls.h"
#include "terminal/emulations/dec/family.h"
#include "terminal/emulations/dec/pages/statusline.h"
#include "terminal/emulations/dec/vtparts.h"
#include "terminal/emulations/dec/keys/ansikeys.h"
#include "terminal/emulations/dec/controls/rendition.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/input/macros/keydefs.h"
#include "terminal/settings/store/profilevalues.h"

namespace {

constexpr u32 kVkF1 = 0x70;

class AnsiConsoleTest : public VtTest {
protected:
    void Enter(u8 id)
    {
        // The window takes the console's 25 rows (the painter's double only records
        // the resize).
        SetScreenRowCount(25);
        SetScreenPageLength(25);
        SetActiveFamily(&AnsiConsoleFamily);
        EnterAnsiConsole(id);
    }
    void TearDown() override
    {
        if (AnsiConsoleMode)
            LeaveAnsiConsole();
        if (AixtermMode > 0)
            LeaveAixterm();
        SetActiveFamily(nullptr);
        VtTest::TearDown();
    }
    static const ScreenCell& Cell(int row, int column) { return LineAt(row)->cells[column]; }
    static std::u16string KeyText(u32 vk, u32 shift, TextOrigin* origin = nullptr)
    {
        KeyDefinitionsLock hold;
        const KeyDefinition* d = FindKeyDefinition(vk, kKeyMacro, static_cast<i32>(shift));
        if (!d)
            return u"<none>";
        if (origin)
            *origin = d->origin;
        return std::u16string(reinterpret_cast<const char16_t*>(d->text), d->length);
    }
};

TEST_F(AnsiConsoleTest, EnteringTakesTwentyFiveRowsAndLeavingGivesTheVtSettingsBack)
{
    VtMode.autoWrap = 0;
    PaintSettings.characterMode = 1;
    Vt300Values.ansi386_upss = 4;
    const int rows = Screen.rows;
    doubles::Display().calls.clear();
    EnterAnsiConsole(kEmuScoConsole);
    EXPECT_EQ(PaintSettings.characterMode.load(), 4) << "the consoles show the PC code page";
    EXPECT_EQ(AnsiConsoleMode, 1);
    EXPECT_EQ(EmulationId, kEmuScoConsole);
    EXPECT_EQ(VtMode.autoWrap, 1);
    ASSERT_GE(doubles::Display().Count("resize"), 1);
    LeaveAnsiConsole();
    EXPECT_EQ(AnsiConsoleMode, 0);
    EXPECT_EQ(VtMode.autoWrap, 0);
    EXPECT_EQ(PaintSettings.characterMode.load(), 1) << "the VT emulation gets its own character set back";
    std::vector<int> resizes;
    for (const auto& c : doubles::Display().calls)
        if (c.what == "resize")
            resizes.push_back(c.a);
    ASSERT_EQ(resizes.size(), 2u);
    EXPECT_EQ(resizes[0], 25);
    EXPECT_EQ(resizes[1], rows);
}

TEST_F(AnsiConsoleTest, CursorEraseInsertDeleteAndScrollAsTheTerminfoEntriesUseThem)
{
    struct Case {
        u8 id;
        std::string setup, command;
        std::string row0, row1;
        std::string cursor;
    };
    const Case cases[] = {
        {kEmuScoConsole, "abcdef", C("1;3H") + C("2@"), "ab  cdef", "", "0,2"},
        {kEmuAt386, "abcdef", C("1;3H") + C("2P"), "abef", "", "0,2"},
        {kEmuAnsiBbs, "abcdef", C("1;3H") + C("2X"), "ab  ef", "", "0,2"},
        {kEmuAt386, "abcdef", C("1;4H") + C("K"), "abc", "", "0,3"},
        {kEmuScoConsole, "abcdef", C("1;4H") + C("1K"), "    ef", "", "0,3"},
        {kEmuAnsiBbs, "abc\r\ndef", C("1;2H") + C("J"), "a", "", "0,1"},
        {kEmuScoConsole, "abc\r\ndef", C("2;2H") + C("1J"), "", "  f", "1,1"},
        {kEmuAnsiBbs, "abc\r\ndef", C("2;2H") + C("2J"), "", "", "0,0"},
        {kEmuScoConsole, "abc\r\ndef", C("1;2H") + C("L"), "", "abc", "0,0"},
        {kEmuAt386, "abc\r\ndef", C("1;2H") + C("M"), "def", "", "0,0"},
        {kEmuScoConsole, "abc\r\ndef", C("2;3H") + C("S"), "def", "", "1,2"},
        {kEmuAt386, "abc\r\ndef", C("2;3H") + C("T"), "", "abc", "1,2"},
        {kEmuScoConsole, "", C("5`") + C("3d") + C("2a") + C("e"), "", "", "3,6"},
        {kEmuAt386, "", C("4G") + C("2;1f") + C("3C") + C("B") + C("A") + C("2D"), "", "", "1,1"},
        {kEmuScoConsole, "abc", C("E") + "x" + C("F") + "y", "ybc", "x", "0,1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.setup + " then " + c.command.substr(1) + " in " + std::to_string(c.id));
        Enter(c.id);
        Feed(c.setup);
        Feed(c.command);
        EXPECT_EQ(Row(0), c.row0);
        EXPECT_EQ(Row(1), c.row1);
        EXPECT_EQ(Cursor(), c.cursor);
        LeaveAnsiConsole();
    }
}

TEST_F(AnsiConsoleTest, TheParserCollectsQuotedTextsAndEndsAsTheFamilyDoes)
{
    Enter(kEmuAnsiBbs);
    // A CR inside a sequence is executed and the sequence goes on; an ESC cancels it.
    Feed("abc" + C("1;\r2Hx"));
    EXPECT_EQ(Row(0), "axc");
    Feed(C("2;\x1b[1;1Hy"));
    EXPECT_EQ(Row(0), "yxc");
    // A marker after digits is malformed: nothing happens.
    Feed(C("5=3H") + "z");
    EXPECT_EQ(Row(0), "yzc");
    // ESC c, D, E and M are not the consoles': they end the sequence unread.
    Feed(E("D") + E("M") + "w");
    EXPECT_EQ(Row(0), "yzw");
    // A quoted text holds ';', digits and controls; CAN ends one left open.
    Feed(C("\"a;1\x1b[5n") + "\x18" + "!");
    EXPECT_EQ(Row(0), "yzw!");
    EXPECT_EQ(Answer(C("5n")), "\x1b[0n");
    // ESC P 0 ... is a control sequence: ESC P 0 ; 5 H moves the cursor.
    Feed(E("P0;5H"));
    EXPECT_EQ(Cursor(), "0,4");
}

TEST_F(AnsiConsoleTest, GeneratedStreamsLeaveTheParserAnswering)
{
    Enter(kEmuScoConsole);
    std::string stream;
    for (int i = 0; i < 60; ++i)
        stream += std::to_string(i * 997) + ";";
    Feed(C(stream + "m"));
    Feed(C("0;\"" + std::string(400, 'q') + "\";65p"));
    for (int i = 0; i < 300; ++i)
        Feed(C("=27g"));
    Feed(E("Q0'" + std::string(200, 'h')));
    Feed("\x18" + E("P1z") + std::string(300, 'n'));
    EXPECT_EQ(Answer("\x18" + C("5n")), "\x1b[0n");
    EXPECT_LT(Screen.cursorRow, 25);
    EXPECT_LE(Screen.cursorColumn, Screen.lastColumn);
}

TEST_F(AnsiConsoleTest, ScoGraphicCharacterIsSentAndShownAfterTheSequence)
{
    Enter(kEmuScoConsole);
    // The ESC comes back as received data after the sequence: with "[5n" after it the
    // host gets the raw byte and then the status report.
    EXPECT_EQ(Answer(C("=27g") + "[5n"), "\x1b\x1b[0n");
    EXPECT_EQ(Answer(C("=65;66g")), "AB");
    EXPECT_EQ(Row(0), "AB");
    // Ansi BBS does nothing with the '=' form.
    LeaveAnsiConsole();
    Enter(kEmuAnsiBbs);
    EXPECT_EQ(Answer(C("=65g")), "");
    EXPECT_EQ(Row(0), "");
}

TEST_F(AnsiConsoleTest, RenditionAndColoursFollowEachConsolesRules)
{
    Enter(kEmuScoConsole);
    // SCO reads 2;f;b as a colour pair through its own map.
    Feed(C("2;1;4m") + "a");
    EXPECT_EQ(Cell(0, 0).colour, 0x21);
    EXPECT_EQ(Cell(0, 0).rendition & (kRendBold | kRendUnderline), 0);
    // 7;f;b exchanges the two.
    Feed(C("7;1;4m") + "b");
    EXPECT_EQ(Cell(0, 1).colour, 0x12);
    // SGR 31;44 in the ANSI order; SGR 0 goes back to the normal colours.
    Feed(C("0;31;44m") + "c" + C("0m") + "d");
    EXPECT_EQ(Cell(0, 2).colour, 0x12);
    EXPECT_EQ(Cell(0, 3).colour, 0x07);
    // CSI = x F / G: map A; the last of several stays.
    Feed(C("=1;4F") + C("=6G") + "e");
    EXPECT_EQ(Cell(0, 4).colour, 0xA2);
    LeaveAnsiConsole();

    Enter(kEmuAnsiBbs);
    Feed(C("2;1;4m") + "a");
    EXPECT_EQ(Cell(0, 0).rendition & (kRendBold | kRendUnderline), kRendBold | kRendUnderline);
    EXPECT_EQ(Cell(0, 0).colour, 0x07);
}

TEST_F(AnsiConsoleTest, ScoColourEraseGivesErasedCellsTheRendition)
{
    Enter(kEmuScoConsole);
    Feed("abcd" + C("7m") + C("=0L") + C("1;2H") + C("K"));
    EXPECT_EQ(Cell(0, 1).rendition & kRendReverse, kRendReverse);
    EXPECT_EQ(Cell(0, 0).rendition & kRendReverse, 0);
    Feed(C("=1L") + C("1;1H") + C("K"));
    EXPECT_EQ(Cell(0, 1).rendition & kRendReverse, 0);
}

// The terminfo entries' alternate character sets: ansi's smacs (SGR 11) shows the control
// codes of its acsc as their PC symbols, scoansi's and at386's (SGR 12) a byte below DEL as
// the PC character 128 above it; the controls that move the cursor keep acting, and nothing
// is dropped, so the rest of the row stays in its columns.
TEST_F(AnsiConsoleTest, AlternateGlyphsShowThePcCharactersOfTheEntriesLineDrawing)
{
    struct Case {
        u8 id;
        std::string bytes;
        std::u16string row0;
        std::string cursor;
    };
    const Case cases[] = {
        // dialog's scroll arrows and the diamond, then text that must not move left.
        {kEmuAnsiBbs, C("11m") + "\x04\x10\x11\x18\x19\xdb" + C("10m") + "(+)",
         u"\u2666\u25ba\u25c4\u2191\u2193\u2588(+)", "0,9"},
        {kEmuAnsiBbs, C("11m") + "\x01\x1a\x1f", u"\u263a\u2192\u25bc", "0,3"},
        // Cursor controls, BEL and ESC still act in the alternate set.
        {kEmuAnsiBbs, C("11m") + "ab\rX\tY\x08Z\x07", u"Xb      Z", "0,9"},
        // SGR 10 goes back: the control codes act again (EOT shows nothing).
        {kEmuAnsiBbs,
         C("11m") + C("10m") +
             "a\x04"
             "b",
         u"ab", "0,2"},
        // scoansi: 'Z' is the corner 0xDA, FS (its pound sign) 0x9C.
        {kEmuScoConsole, C("12m") + "Z\x1c" + C("10m") + "Z", u"\u250c\u00a3Z", "0,3"},
        {kEmuAt386, C("12m") + "D3" + C("10m") + "q", u"\u2500\u2502q", "0,3"},
    };
    Vt300Values.ansi386_upss = 4;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.id) + ": " + c.bytes);
        Enter(c.id);
        Feed(c.bytes);
        std::u16string row;
        for (int col = 0; col < 80; ++col)
            row += static_cast<char16_t>(Cell(0, col).ch ? CellRecordToUnicode(Cell(0, col)) : u' ');
        while (!row.empty() && row.back() == u' ')
            row.pop_back();
        EXPECT_EQ(row, c.row0);
        EXPECT_EQ(Cursor(), c.cursor);
        LeaveAnsiConsole();
    }
}

TEST_F(AnsiConsoleTest, ScoVirtualScreensKeepTheirTextAndCursor)
{
    Enter(kEmuScoConsole);
    Feed("first" + C("3;4H"));
    Feed(C("2z"));
    EXPECT_EQ(ScoShownVirtualScreen(), 1);
    EXPECT_EQ(Row(0), "");
    EXPECT_EQ(Cursor(), "0,0");
    Feed("second");
    Feed(C("1z"));
    EXPECT_EQ(Row(0), "first");
    EXPECT_EQ(Cursor(), "2,3");
    Feed(C("2z"));
    EXPECT_EQ(Row(0), "second");
    // The screen already shown, or one that is not there, rings the bell.
    BellPending = 0;
    Feed(C("2z"));
    EXPECT_EQ(BellPending, 1);
    BellPending = 0;
    Feed(C("7z"));
    EXPECT_EQ(BellPending, 1);
    EXPECT_EQ(Row(0), "second");
    // Leaving shows the first screen's lines again.
    LeaveAnsiConsole();
    Enter(kEmuScoConsole);
    EXPECT_EQ(ScoShownVirtualScreen(), 0);
}

TEST_F(AnsiConsoleTest, ScoPrintsAllSixVirtualScreensInTurn)
{
    Enter(kEmuScoConsole);
    auto& comms = doubles::Comms();
    comms.printerAvailable = true;
    comms.printCalls.clear();
    doubles::Ui().postedCommands.clear();
    // Screens 1, 2 and 6 hold text; screen 2 is shown and has scrolled by one line.
    Feed("one" + C("2z") + "lost" + C("6z") + "six" + C("2z") + "\r\ntwo" + C("S"));
    Feed(C("?11i"));
    ASSERT_EQ(doubles::Ui().postedCommands, std::vector<u32>{kCmdPrintScreen});
    ConsolePrintScreen();
    comms.printMode = 3;
    for (u32 step = 0; step <= 6 * 25; ++step)
        ConsolePrintStep(step);
    const std::vector<std::string>& calls = comms.printCalls;
    ASSERT_EQ(calls.size(), 1u + 150 + 5 + 1);
    EXPECT_EQ(calls[0], "screen");
    EXPECT_EQ(calls[1], "o 1");
    EXPECT_EQ(calls[26], "char 12");  // between screens 1 and 2
    EXPECT_EQ(calls[27], "t 26");     // the shown screen as it stands
    EXPECT_EQ(calls[130], "char 12");
    EXPECT_EQ(calls[131], "s 126");  // 1 + 5 screens of 25 lines + 5 form feeds
    EXPECT_EQ(calls.back(), "end");
    // The run is over: the next Print Screen prints the shown screen only.
    comms.printCalls.clear();
    ConsolePrintStep(0);
    EXPECT_EQ(comms.printCalls, std::vector<std::string>{"line 0"});
    comms.printMode = 0;
    comms.printerAvailable = false;
}

TEST_F(AnsiConsoleTest, ScoFunctionKeyStringsFromTheHost)
{
    Enter(kEmuScoConsole);
    auto sent = [this](int key, int state) {
        Answer("");
        ScoSendFunctionKey(key, state);
        return Text(Sent());
    };
    EXPECT_EQ(sent(0, 0), "\x1b[M");
    EXPECT_EQ(sent(0, 1), "\x1b[Y");
    Feed(E("Q0'hello'"));
    EXPECT_EQ(sent(0, 0), "hello");
    EXPECT_EQ(sent(0, 1), "\x1b[Y");
    // '<' is shifted F1; controls are part of the text.
    Feed(E("Q<|a\rb|"));
    EXPECT_EQ(sent(0, 1), "a\rb");
    // A text of 30 bytes is refused and what follows arrives as data.
    Feed(E("Q1'" + std::string(30, 'x') + "rest'"));
    EXPECT_EQ(sent(1, 0), "\x1b[N");
    EXPECT_EQ(Row(0), "rest'");
    // An empty text gives the key its own string back.
    Feed(E("Q0''"));
    EXPECT_EQ(sent(0, 0), "\x1b[M");
}

TEST_F(AnsiConsoleTest, HostKeyRedefinitionIsSentExactlyAsDefined)
{
    Enter(kEmuScoConsole);
    TextOrigin origin = TextOrigin::User;
    Feed(C("0;59;\"dir\";13p"));
    EXPECT_EQ(KeyText(kVkF1, 0, &origin), u"dir\r");
    EXPECT_EQ(origin, TextOrigin::Host);
    Feed(C("0;59;0;59p"));
    EXPECT_EQ(KeyText(kVkF1, 0), u"<none>");
    // A text that reads as a macro token stays the host's literal text.
    Feed(C("0;84;\"(notepad)\"p"));
    EXPECT_EQ(KeyText(kVkF1, 1, &origin), u"(notepad)");
    EXPECT_EQ(origin, TextOrigin::Host);
    // Character keys: 'a' sends "xy"; a quoted first parameter stands for its first
    // character; a key assigned to itself gets its meaning back.
    Feed(C("97;\"xy\"p"));
    EXPECT_EQ(KeyText('A', 0), u"xy");
    Feed(C("\"a\";\"a\"p"));
    EXPECT_EQ(KeyText('A', 0), u"<none>");
    Feed(C("\"A\";66p"));
    EXPECT_EQ(KeyText('A', 1), u"B");
    // A code without a key defines nothing.
    Feed(C("0;200;65p"));
    EXPECT_EQ(KeyText(0, 0), u"<none>");
}

TEST_F(AnsiConsoleTest, CaptureControlOpensTheNamedFileWithoutDivertingTheData)
{
    Enter(kEmuAt386);
    doubles::Comms().hostCaptureResult = true;
    Feed(E("Pzlog.txt;") + "shown");
    ASSERT_EQ(doubles::Comms().hostCaptureFiles.size(), 1u);
    EXPECT_EQ(doubles::Comms().hostCaptureFiles[0].mode, 0);
    EXPECT_EQ(doubles::Comms().hostCaptureFiles[0].name, "log.txt");
    EXPECT_EQ(Row(0), "shown");
    Feed(E("P1zmore.txt;"));
    ASSERT_EQ(doubles::Comms().hostCaptureFiles.size(), 2u);
    EXPECT_EQ(doubles::Comms().hostCaptureFiles[1].mode, 1);
    // Other modes are no capture control.
    Feed(E("P2zx;"));
    EXPECT_EQ(doubles::Comms().hostCaptureFiles.size(), 2u);
}

TEST_F(AnsiConsoleTest, ReportsOfTheConsoles)
{
    Enter(kEmuAt386);
    EXPECT_EQ(Answer(C("5n")), "\x1b[0n");
    EXPECT_EQ(Answer(C("?25n")), "\x1b[?20n");
    Feed(C("3;7H"));
    EXPECT_EQ(Answer(C("6n")), "\x1b[3;7R");
}

#ifndef _WIN32
// Typed characters go out as the code page's byte: each character glibc gives for a
// byte 128-255 comes back as that byte, the euro as 858's 0xD5.
TEST_F(AnsiConsoleTest, TypedCharactersGoOutAsTheCodePagesByte)
{
    // clang-format off
    const struct {
        u8 index;
        const char* codeset;
    } pages[] = {{kPcCp437, "IBM437"}, {kPcCp850, "IBM850"}, {kPcCp858, "IBM858"}, {kPcCp1250, "CP1250"},
                 {kPcCp852, "IBM852"}};
    // clang-format on
    PaintSettings.characterMode = kCharModePcCodePage;
    for (const auto& p : pages) {
        PaintSettings.pcCodePage = p.index;
        Iconv cv("UTF-16LE", p.codeset);
        ASSERT_TRUE(cv.ok()) << p.codeset;
        for (int b = 128; b <= 255; ++b) {
            const auto u = PeerDecode(cv, static_cast<u8>(b));
            if (!u || *u == 0xA0)
                continue;  // undefined, or the no-break space that copies as a blank
            EXPECT_EQ(UnicodeToPcCodePage(*u), b) << p.codeset << " byte " << b;
        }
    }
    PaintSettings.pcCodePage = kPcCp858;
    EXPECT_EQ(UnicodeToPcCodePage(0x20AC), 0xD5);
    PaintSettings.pcCodePage = kPcCp852;
    EXPECT_EQ(UnicodeToPcCodePage(0xE9), 0x82) << "é";
    EXPECT_EQ(UnicodeToPcCodePage(0x20AC), -1) << "852 has no euro";
}
#endif

using AixtermTest = AnsiConsoleTest;

std::string StatusText()
{
    wchar16 text[140] = {};
    const int n = StatusLineText(text, 140);
    return std::string(text, text + n);
}

TEST_F(AixtermTest, TitlesEndAtBelStCanOrSubAndStayWithinTheirRoom)
{
    EnterAixterm(kEmuAixterm);
    auto& titles = doubles::Ui().hostTitles;
    Feed("\x1b]0;hi\x07");
    Feed("\x1b]2;there\x1b\\after");
    ASSERT_EQ(titles.size(), 2u);
    EXPECT_EQ(titles[0], u"hi");
    EXPECT_EQ(titles[1], u"there");
    EXPECT_EQ(Row(0), "after");
    // Other forms set nothing; CAN ends one without a BEL.
    Feed("\x1b]3;x\x07\x1b]0;cut\x18!");
    ASSERT_EQ(titles.size(), 3u);
    EXPECT_EQ(titles[2], u"cut");
    EXPECT_EQ(Row(0), "after!");
    // 600 characters: the first 511 make the title, the rest arrive as data.
    Feed("\r\n\x1b]0;" + std::string(511, 't') + std::string(89, 'u') + "\x07");
    ASSERT_EQ(titles.size(), 4u);
    EXPECT_EQ(titles[3], std::u16string(511, u't'));
    EXPECT_EQ(Row(1), std::string(80, 'u'));
    // An invalid form is read no further than a valid one could go.
    Feed("\r\n\n\x1b]3;" + std::string(2000, 'v'));
    EXPECT_EQ(titles.size(), 4u);
    EXPECT_EQ(Answer("\x18\x1b[5n"), "\x1b[0n");
}

TEST_F(AixtermTest, StatusLineDeviceAttributesAndHftColours)
{
    EnterAixterm(kEmuAixterm);
    EXPECT_EQ(StatusDisplayType(), kStatusHostWritable);
    Feed("\x1b[?5Tstatus text\x1b[?F" + std::string("main"));
    EXPECT_EQ(StatusText(), "    status text");
    EXPECT_EQ(Row(0), "main");
    Feed("\x1b[?E");
    EXPECT_EQ(StatusText(), "");
    EXPECT_EQ(Answer("\x1b[0c"), "\x1b[?1;2c");
    EXPECT_EQ(Answer("\x1b[1c"), "");
    // HFT mode (the factory setting) takes the colours.
    Feed("\x1b[31mr");
    EXPECT_EQ(LineAt(0)->cells[4].colour & 0x0F, 2);
    Aixterm.hftMode = 0;
    Feed("\x1b[0m\x1b[34mb");
    EXPECT_EQ(LineAt(0)->cells[5].colour & 0x0F, LineAt(0)->cells[0].colour & 0x0F);
    LeaveAixterm();
    EXPECT_EQ(AixtermMode, 0);
}

// aixterm's entry has automatic margins without the deferred wrap: after the last column
// the cursor is on the next row at once, where curses then writes without moving it.
TEST_F(AixtermTest, WritingTheLastColumnWrapsAtOnce)
{
    EnterAixterm(kEmuAixterm);
    Feed(std::string(80, 'a'));
    EXPECT_EQ(Cursor(), "1,0");
    Feed(C("2;80H") + "b" + C("C") + "c");
    EXPECT_EQ(Row(2), " c");
    Feed(C("?7l") + C("4;80H") + "de");
    EXPECT_EQ(Cursor(), "3,79");
    EXPECT_EQ(Row(3).substr(79), "e");
}

TEST_F(AixtermTest, HostModesOfTheScrollBarStatusLineAndTextDirection)
{
    doubles::ResetRegistry();
    Aixterm.hftMode = 1;
    EnterAixterm(kEmuAixterm);
    // The scroll bar is hidden until the host shows it; each change refreshes its range.
    EXPECT_TRUE(AixtermScrollBarOff());
    doubles::Display().calls.clear();
    Feed("\x1b[?42h");
    EXPECT_FALSE(AixtermScrollBarOff());
    EXPECT_GE(doubles::Display().Count("range"), 1);
    Feed("\x1b[?42l");
    EXPECT_TRUE(AixtermScrollBarOff());
    // CSI ? 48 h / l: every status-line cell reversed, and back.
    Feed("\x1b[?5Tst\x1b[?F\x1b[?48h");
    auto statusReversed = [] {
        const MainDisplayScope main;
        SelectActiveDisplay(1);
        int n = 0;
        for (int c = 0; c < 132; ++c)
            n += (LineAt(0)->cells[c].rendition & kRendReverse) != 0;
        SelectActiveDisplay(0);
        return n;
    };
    EXPECT_EQ(statusReversed(), 132);
    Feed("\x1b[?48l");
    EXPECT_EQ(statusReversed(), 0);
    // HFT direction: CSI 1;1 S runs right to left (BS moves forward) without the
    // multinational set; CSI 0;1 S goes back.
    Vt300Values.mltnat = 1;
    Feed("\x1b[1;1S\x1b[1;10H\b\b");
    EXPECT_EQ(VtMode.rightToLeft, 1);
    EXPECT_EQ(Vt300Values.mltnat, 0);
    EXPECT_EQ(Cursor(), "0,11");
    Feed("\x1b[0;1S");
    EXPECT_EQ(VtMode.rightToLeft, 0);
    EXPECT_EQ(Vt300Values.mltnat, 1);
    // Outside HFT mode the same sequence scrolls.
    Aixterm.hftMode = 0;
    Feed("\x1b[H\x1b[2Bdown\x1b[1;1S");
    EXPECT_EQ(VtMode.rightToLeft, 0);
    EXPECT_EQ(Row(1), "down");
    Aixterm.hftMode = 1;
}

// The palettes: each emulation's factory palette with its profile section's values
// over it, shown while it runs, and written back only when it differs.
using PaletteTest = AnsiConsoleTest;

void StoreUnits(const char16_t* section, const char16_t* value, std::vector<u16> units)
{
    SettingsWriteBinary(doubles::RegistryKeyHandle(reinterpret_cast<const wchar16*>(section)),
                        reinterpret_cast<const wchar16*>(value), units.data(), static_cast<int>(units.size()));
}

std::vector<u16> StoredUnits(const char16_t* section, const char16_t* value)
{
    const auto& keys = doubles::Registry().keys;
    const auto key = keys.find(reinterpret_cast<const wchar16*>(section));
    if (key == keys.end())
        return {};
    const auto v = key->second.find(reinterpret_cast<const wchar16*>(value));
    if (v == key->second.end())
        return {};
    std::vector<u16> units(v->second.bytes.size() / 2);
    std::memcpy(units.data(), v->second.bytes.data(), units.size() * 2);
    return units;
}

// The colour the terminal palette got last for `index`.
doubles::PaletteCall Shown(int index)
{
    const auto& calls = doubles::Settings().paletteColours;
    for (auto it = calls.rbegin(); it != calls.rend(); ++it)
        if (it->index == index)
            return *it;
    return {-1, -1, -1, -1};
}

TEST_F(PaletteTest, EachConsoleShowsItsFactoryPaletteWithTheProfilesValuesOverIt)
{
    doubles::ResetRegistry();
    Colours.bwswap = 0;
    // Two lightness units (entries 0 and 1), and an out-of-range hue for entry 2 that
    // keeps its factory colour.
    StoreUnits(u"ScoConsole", u"lightness", {10, 20});
    StoreUnits(u"ScoConsole", u"hue", {0, 0, 999});
    // Whatever a profile load's last pass left, entering starts from the factory colours.
    KeepCurrentValues = 1;
    ScoPalette = HlsPalette{};
    Enter(kEmuScoConsole);
    KeepCurrentValues = 0;
    const HlsPalette factory = FactoryConsolePalette(false);
    EXPECT_EQ(ScoPalette.entry[0].lightness, 10);
    EXPECT_EQ(ScoPalette.entry[1].lightness, 20);
    EXPECT_EQ(ScoPalette.entry[2], factory.entry[2]);
    for (int i = 3; i < kPaletteEntries; ++i)
        EXPECT_EQ(ScoPalette.entry[i], factory.entry[i]) << i;
    EXPECT_EQ(SetupPalette, ScoPalette);
    // Shown: entry 1 is blue at 20% lightness; entry 11 is the SCO light cyan, not a VT colour.
    EXPECT_EQ(Shown(1).blue, HlsToRgb(0, 20, 100).blue);
    const RgbPercent cyan = HlsToRgb(214, 73, 100);
    EXPECT_EQ(Shown(11).red, cyan.red);
    EXPECT_EQ(Shown(11).green, cyan.green);
    // AT 386 keeps a palette of its own; the same section does not reach it.
    ReapplyAnsiConsole(kEmuAt386);
    EXPECT_EQ(At386Palette, factory);
    EXPECT_EQ(Shown(1).blue, HlsToRgb(0, 50, 100).blue);
    // Leaving gives the VT palette back.
    LeaveAnsiConsole();
    EXPECT_EQ(Shown(1).blue,
              HlsToRgb(VtPalette.entry[1].hue, VtPalette.entry[1].lightness, VtPalette.entry[1].saturation).blue);
    // bwswap exchanges the consoles' factory black and white.
    EXPECT_EQ(FactoryConsolePalette(true).entry[0], factory.entry[15]);
    EXPECT_EQ(FactoryConsolePalette(true).entry[15], factory.entry[0]);
}

TEST_F(PaletteTest, SaveWritesThePaletteOfTheRunningConsoleOnlyWhenItDiffersFromTheFactory)
{
    doubles::ResetRegistry();
    Enter(kEmuScoConsole);
    ConsoleSaveSettings(0);
    EXPECT_TRUE(StoredUnits(u"ScoConsole", u"hue").empty());
    EXPECT_TRUE(StoredUnits(u"ScoConsole", u"lightness").empty());
    // With bwswap the swapped palette is the factory one.
    Colours.bwswap = 1;
    LoadConsolePaletteFromProfile(kEmuScoConsole);
    ConsoleSaveSettings(0);
    EXPECT_TRUE(StoredUnits(u"ScoConsole", u"saturation").empty());
    Colours.bwswap = 0;
    LoadConsolePaletteFromProfile(kEmuScoConsole);
    // One lightness changed: all three values, 16 units each.
    ScoPalette.entry[4].lightness = 33;
    ConsoleSaveSettings(0);
    const auto lightness = StoredUnits(u"ScoConsole", u"lightness");
    ASSERT_EQ(lightness.size(), 16u);
    EXPECT_EQ(lightness[4], 33);
    EXPECT_EQ(lightness[15], 100);
    EXPECT_EQ(StoredUnits(u"ScoConsole", u"hue").size(), 16u);
    EXPECT_EQ(StoredUnits(u"ScoConsole", u"saturation").size(), 16u);
    // What was saved comes back on the next entry.
    LeaveAnsiConsole();
    Enter(kEmuAnsiBbs);
    EXPECT_EQ(ScoPalette.entry[4].lightness, 33);
    LeaveAnsiConsole();
    // A family that does not run writes nothing.
    doubles::ResetRegistry();
    ScoPalette.entry[4].lightness = 1;
    ConsoleSaveSettings(0);
    EXPECT_TRUE(doubles::Registry().keys.empty());
}

TEST_F(PaletteTest, AixtermKeepsItsPaletteAndHftModeInItsSection)
{
    doubles::ResetRegistry();
    Aixterm.hftMode = 1;
    StoreUnits(u"AIXTerm", u"saturation", {0, 100});
    SettingsWriteDword(doubles::RegistryKeyHandle(reinterpret_cast<const wchar16*>(u"AIXTerm")),
                       reinterpret_cast<const wchar16*>(u"aix_hftmode"), 0);
    EnterAixterm(kEmuAixterm);
    EXPECT_EQ(Aixterm.hftMode, 0u);
    EXPECT_EQ(AixtermPalette.entry[1].saturation, 100);
    EXPECT_EQ(AixtermPalette.entry[2], kFactoryAixtermPalette.entry[2]);
    // HFT mode off: the colour sequences change nothing.
    Feed("\x1b[31mr");
    EXPECT_EQ(LineAt(0)->cells[0].colour & 0x0F, AttributeColourTable.frg[0] & 0x0F);
    doubles::ResetRegistry();
    ConsoleSaveSettings(0);
    const auto key = doubles::Registry().keys.find(reinterpret_cast<const wchar16*>(u"AIXTerm"));
    ASSERT_NE(key, doubles::Registry().keys.end());
    EXPECT_EQ(key->second.count(reinterpret_cast<const wchar16*>(u"aix_hftmode")), 1u);
    EXPECT_EQ(StoredUnits(u"AIXTerm", u"saturation").size(), 16u);
    // The factory mode and palette leave the section empty.
    doubles::ResetRegistry();
    ResetAixterm();
    EXPECT_EQ(Aixterm.hftMode, 0u);  // nothing stored: the mode stays as it was
    Aixterm.hftMode = 1;
    ConsoleSaveSettings(0);
    EXPECT_TRUE(doubles::Registry().keys.begin() == doubles::Registry().keys.end() ||
                doubles::Registry().keys.begin()->second.empty());
}

}  // namespace
