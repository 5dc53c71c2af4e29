// The 3287 printer end to end: SCS and 3270 data-stream records from the host, the bytes
// that reach the print back end, the answers the host gets, the job and its end, print
// bypass and the status log.
#include "session3270_fixture.h"

#include <algorithm>

#include "support/doubles_host.h"
#include "terminal/emulations/ibmhost/3270/printer/job3287.h"

namespace {
constexpr int kPrinter = 12;
constexpr u8 kBind = 0, kDataStreamCtl = 1, kResponses = 2, kScsCtlCodes = 3;

// A BIND image for an LU type with a screen-size code.
std::string BindLu(int lu, int code, u16 sequence = 1)
{
    std::vector<u8> b(26, 0);
    b[0] = 0x31;
    b[14] = static_cast<u8>(lu);
    b[24] = static_cast<u8>(code);
    char header[32];
    std::snprintf(header, sizeof header, "03 00 02 %02X %02X ", sequence >> 8, sequence & 0xFF);
    return header + t3270::Hex(b);
}

std::string Header(u8 type, u16 sequence)
{
    char h[32];
    std::snprintf(h, sizeof h, "%02X 00 02 %02X %02X", type, sequence >> 8, sequence & 0xFF);
    return h;
}
}  // namespace

class Printer3287Test : public Session3270Test {
protected:
    u16 sequence = 10;

    void SetUp() override { StartPrinter(); }

    // A printer over TN3270E with BIND, both printer functions and RESPONSES.
    void StartPrinter(bool tn3270e = true)
    {
        I3270ClearPrinterLog();
        Start(kPrinter, {kBind, kDataStreamCtl, kResponses, kScsCtlCodes}, tn3270e);
        doubles::Comms().printCalls.clear();
    }

    // SCS-DATA (or 3270-DATA) with the response flag 2; what the host got back: "+" a
    // positive response to it, "-" and the reason a negative one, else the bytes.
    std::string Scs(const std::string& hex) { return Record(1, hex); }
    std::string Data3270(const std::string& hex) { return Record(0, hex); }
    std::string Record(u8 type, const std::string& hex)
    {
        Host(Header(type, ++sequence) + " " + hex);
        const std::string sent = Sent();
        char head[32];
        std::snprintf(head, sizeof head, "%02X %02X", sequence >> 8, sequence & 0xFF);
        if (sent.size() == 23 && sent.substr(9, 5) == head && sent.substr(18) == "FF EF") {
            if (sent.substr(0, 8) == "02 00 00")
                return "+";
            if (sent.substr(0, 8) == "02 00 01")
                return "-" + sent.substr(15, 2);
        }
        return sent;
    }
    static std::string Positive() { return "+"; }
    static std::string Negative(u8 reason)
    {
        char r[8];
        std::snprintf(r, sizeof r, "-%02X", reason);
        return r;
    }
    void EndOfJob()
    {
        Host(Header(8, ++sequence));
        Sent();
    }

    // Every byte handed to the print back end since the last call.
    static std::string Printed()
    {
        std::string bytes;
        for (const std::string& call : doubles::Comms().printCalls)
            if (call.rfind("char ", 0) == 0)
                bytes.push_back(static_cast<char>(std::stoi(call.substr(5))));
        doubles::Comms().printCalls.clear();
        return bytes;
    }

    static std::string Log()
    {
        std::string text;
        for (wchar16 c : I3270PrinterLogText())
            text.push_back(static_cast<char>(c));
        return text;
    }
};

TEST_F(Printer3287Test, ScsTextBecomesLinesAndPagesThroughTheLayout)
{
    // clang-format off
    struct Case {
        const char* scs;
        std::string printed;  // after the end of the job
        const char* what;
    } const cases[] = {
        {"C1 C2 15 C3", "AB\r\nC\r", "new line; the last line goes out at the end of the job"},
        {"C1 C2 0D C3 25 C4", "AB\rC\r\n D\r", "CR keeps the line, LF keeps the column"},
        {"C1 16 C2", "A\rB\r", "backspace after a character overprints it"},
        {"C1 40 16 C2", "AB\r", "backspace over a blank steps back"},
        {"2B C1 05 14 01 0A 0A C1 05 C2 05 C3", "A        B C\r", "a tab stop, then none before the MPP"},
        {"2B C1 03 14 03 C1 15 C2", "A\r\n  B\r", "a new line starts at the left margin"},
        {"2B C2 02 42 C1 0C C2", "A\r\x0C" "B\r", "66 lines a page: one form feed"},
        {"C1 0C C2", "A\r\x0C" "B\r", "a form feed before a page length ejects the page"},
        {"C1 35 02 1B 45 C2", "A\r\x1B\x45 B\r", "transparent bytes go out unchanged, the text goes on in place"},
        {"C1 08 C2 14 24", "AB\r", "graphic escape prints the next byte; 14 and 24 are ignored"},
        {"2B C1 02 03 C1 C2 C3 C4", "ABC\r\nD\r", "MPP 3 wraps the fourth character"},
        {"2B C2 04 05 01 05 C1 15 15 15 15 15 C2", "A\r\n\n\n\n\x0C" "B\r", "the page ends at its fifth line"},
    };
    // clang-format on
    for (const Case& c : cases) {
        StartPrinter();
        Host(BindLu(1, 0));
        Sent();
        EXPECT_EQ(Scs(c.scs), Positive()) << c.what;
        EndOfJob();
        EXPECT_EQ(Printed(), c.printed) << c.what;
    }
}

TEST_F(Printer3287Test, PageFormatParametersAndTheirErrors)
{
    Host(BindLu(1, 0));
    Sent();
    EXPECT_EQ(Scs("2B C1 05 50 05 00 0A"), Positive());
    const I3287Job& j = s.printer;
    EXPECT_EQ(j.mpp, 80);
    EXPECT_EQ(j.leftMargin, 5);
    EXPECT_EQ(j.rightMargin, 132);
    EXPECT_EQ(j.horizontalTabs[10], kPrintTabMark);
    EXPECT_EQ(j.horizontalTabs[5], kPrintTabMark);
    EXPECT_EQ(Scs("2B C1 02 00"), Positive());
    EXPECT_EQ(j.mpp, 132);
    EXPECT_EQ(Scs("2B C6 02 09"), Positive());
    EXPECT_EQ(j.lineDensity, 8);
    // A bad parameter stops the record; what came before it stays.
    EXPECT_EQ(Scs("2B C1 02 50 2B C6 02 0A"), Negative(0x02));
    EXPECT_EQ(s.lastError, 754u);
    EXPECT_EQ(j.mpp, 80);
    EXPECT_EQ(j.lineDensity, 8);

    // clang-format off
    struct Bad {
        const char* scs;
        u32 error;
        u8 reason;
    } const bad[] = {
        {"2B C1 02 85", 754, 0x02},           // MPP above 132
        {"2B C2 02 67", 754, 0x02},           // 103 lines
        {"2B C2 04 0A 02 01", 754, 0x02},     // bottom margin above the top
        {"2B D1 01", 753, 0x00},
        {"2B 40 01", 753, 0x00},
        {"2B C1 00", 754, 0x02},
        {"2B C1 05 50", 754, 0x02},           // parameters cut off
        {"04 00", 754, 0x02},                 // channel 0
        {"04", 754, 0x02},
        {"35 05 C1", 754, 0x02},              // transparent data cut off
        {"08", 754, 0x02},
        {"2B FE 35 00", 754, 0x02},
        {"06 01 00 0B 60 01 C1", 747, 0x00},  // a wrong envelope
        {"06 01 00 0B 60 00 00 03", 759, 0x02},
        {"06 01 00 0B 60 00 00 09 41 00", 759, 0x02},  // a field past the record
        {"06 01 00 0B 60 00 00 05 41 01 C1", 761, 0x02},
        {"06 01 00 0B 60 00 00 04 77 00", 756, 0x00},
    };
    // clang-format on
    for (const Bad& b : bad) {
        EXPECT_EQ(Scs(b.scs), Negative(b.reason)) << b.scs;
        EXPECT_EQ(s.lastError, b.error) << b.scs;
    }
    EXPECT_EQ(Scs("06 01 00 0B 60 00 00 06 41 00 C1 C2"), Positive());
}

TEST_F(Printer3287Test, VerticalTabsReachTheLastLinesOfALongPage)
{
    Host(BindLu(1, 0));
    Sent();
    // 102 lines, tab lines 101 and 102: the arrays hold marks up to line 102.
    EXPECT_EQ(Scs("2B C2 06 66 01 66 65 66 C1 0B C2"), Positive());
    EndOfJob();
    EXPECT_EQ(Printed(), "A\r" + std::string(100, '\n') + " B\r");  // the column stays

    StartPrinter();
    Host(BindLu(1, 0));
    Sent();
    // Channel 2 is the second tab line; channel 1, above the current line, ejects first.
    EXPECT_EQ(Scs("2B C2 05 0A 01 0A 04 C1 04 02 C2 04 01 C3"), Positive());
    EndOfJob();
    EXPECT_EQ(Printed(), "A\r\n\n\n B\r\x0C"
                         "C\r");
}

TEST_F(Printer3287Test, AnswersTellTheHostWhatBecameOfEachRecord)
{
    Host(BindLu(1, 0));
    EXPECT_EQ(Sent(), "02 00 00 00 01 00 FF EF");
    Host("01 00 01 00 20 C1");  // error responses only
    EXPECT_EQ(Sent(), "");
    Host("01 00 01 00 21 2B C6 02 0A");
    EXPECT_EQ(Sent(), "02 00 01 00 21 02 FF EF");

    // Plain TN3270: a record that begins with 0 is SCS; the status record answers.
    StartPrinter(false);
    Host("00 C1 C2");
    EXPECT_EQ(Sent(), "01 6C D9 02 00 FF EF");
    Host("00 2B C6 02 0A");
    EXPECT_EQ(Sent(), "01 6C D9 04 01 FF EF");
    EXPECT_EQ(s.sessionKind, 1);

    // No printer: the operator must act; nothing is interpreted.
    StartPrinter();
    doubles::IbmHost().printerOpens = false;
    Host(BindLu(1, 0));
    Sent();
    EXPECT_EQ(Scs("C1 15"), Negative(0x01));
    EXPECT_EQ(Printed(), "");
    EXPECT_NE(Log().find("#7627"), std::string::npos);  // "No Printer"
    StartPrinter(false);
    doubles::IbmHost().printerOpens = false;
    Host("00 C1");
    EXPECT_EQ(Sent(), "01 6C D9 04 40 FF EF");
}

TEST_F(Printer3287Test, OneJobLastsUntilTheEndOfJobOrItsDelay)
{
    TelnetConfig.printDelay3270 = 10;
    Host(BindLu(1, 0));
    Sent();
    Scs("C1");
    doubles::IbmHost().ticks += 5000;
    I3270JobCountdownStep(&s);
    Scs("C2");
    doubles::IbmHost().ticks += 9000;
    I3270JobCountdownStep(&s);
    EXPECT_EQ(doubles::IbmHost().jobsBegun, 1);
    EXPECT_EQ(doubles::IbmHost().jobsEnded, 0);
    EXPECT_EQ(s.printer.state, k3287Printing);
    doubles::IbmHost().ticks += 1000;
    I3270JobCountdownStep(&s);
    EXPECT_EQ(doubles::IbmHost().jobsEnded, 1);
    EXPECT_EQ(s.printer.state, k3287Connected);
    EXPECT_EQ(Printed(), "AB\r");

    // PRINT-EOJ ends the job at once; the next data opens a new one.
    Scs("C3");
    EndOfJob();
    EXPECT_EQ(doubles::IbmHost().jobsEnded, 2);
    Scs("C4");
    EXPECT_EQ(doubles::IbmHost().jobsBegun, 3);
    // Cancel Printing ended the job: the next data opens a new one.
    doubles::IbmHost().printingStopped = true;
    EXPECT_EQ(Scs("C5"), Positive());
    doubles::IbmHost().printingStopped = false;
    EXPECT_EQ(doubles::IbmHost().jobsBegun, 4);
    EXPECT_NE(Log().find("#7630"), std::string::npos);  // "Print Aborted"
    // A change of data kind ends the job too.
    Host(BindLu(3, 2));
    EXPECT_EQ(doubles::IbmHost().jobsEnded, 3);  // the cancelled job is the back end's own
    TelnetConfig.printDelay3270 = 0;
}

TEST_F(Printer3287Test, BufferPrintCutsTheBufferIntoLinesOfTheWccLength)
{
    // clang-format off
    struct Case {
        const char* write;  // Erase/Write: WCC, orders and data
        std::string printed;
        const char* what;
    } const cases[] = {
        {"F5 48 C1 C2 15 C3 19 C4", "AB\r\nC\r\n", "unformatted: NL ends the line, EM the print"},
        {"F5 48 C1 0D C2 19", "A\rB\r\n", "unformatted: CR"},
        {"F5 48 0C C1 19", "\x0C" "A\r\n", "unformatted: FF at a line's start"},
        {"F5 58 C1 15 C2 11 40 E8 C3", "A B\r\nC\r\n", "40 columns: NL as a blank, blank lines left out"},
        {"F5 78 C1 1C C2 1E 11 C1 50 C3", "A;B*\r\nC\r\n", "80 columns: DUP and FM"},
        {"F5 68 1D 4C C1 C2 1D 40 C3", "    C\r\n", "64 columns: a non-display field prints blank"},
    };
    // clang-format on
    for (const Case& c : cases) {
        StartPrinter();
        Host(BindLu(3, 2));  // 24 x 80
        Sent();
        EXPECT_EQ(Data3270(c.write), Positive()) << c.what;
        std::string p = Printed();
        // Unformatted lines that hold nothing still end: leave those line ends out.
        while (!p.empty() && p.size() > c.printed.size() && p.back() == '\n' && p[p.size() - 2] == '\n')
            p.pop_back();
        EXPECT_EQ(p, c.printed) << c.what;
    }
}

TEST_F(Printer3287Test, PrintBypassSendsHexPairsAsThePrintersOwnBytes)
{
    // clang-format off
    struct Case {
        const char* start;
        const char* end;
        u16 method;
        const char* cells;
        std::string printed;
        const char* log;
    } const cases[] = {
        {"&&", "ANY NON HEX", 0, "C1 C2 50 50 F1 C2 F4 F5 E7", "AB\x1B\x45X", ""},
        {"&&", "ANY NON HEX1", 0, "C1 C2 50 50 F1 C2 F4 F5 E7", "AB\x1B\x45", ""},
        {"&&", "%%", 0, "50 50 F1 C2 6C 6C C1", "\x1B" "A", ""},
        {"&&", "", 0, "50 50 F1 C2 F4 F5", "\x1B" "45", ""},
        {"&&", "ANY NON HEX", 0, "C1 50 50 F0 F0 F4 F5", "A45", "Invalid ByPass [00]"},
        {"&&", "1", 2, "50 50 F4 F5 E7 C1", "\x45" "A", ""},
    };
    // clang-format on
    for (const Case& c : cases) {
        configure = [&c](I3270Settings& settings) {
            for (int i = 0; i < 20; ++i) {
                settings.printBypassSeq[i] = static_cast<wchar16>(c.start[i]);
                if (!c.start[i])
                    break;
            }
            for (int i = 0; i < 20; ++i) {
                settings.printBypassEnd[i] = static_cast<wchar16>(c.end[i]);
                if (!c.end[i])
                    break;
            }
            settings.printBypassEndMethod = c.method;
        };
        StartPrinter();
        Host(BindLu(3, 2));
        Sent();
        EXPECT_EQ(Data3270(std::string("F5 48 ") + c.cells), Positive()) << c.cells;
        EXPECT_EQ(Printed(), c.printed) << c.start << " " << c.end << " " << c.cells;
        if (*c.log) {
            EXPECT_NE(Log().find(c.log), std::string::npos) << Log();
        }
    }
    configure = nullptr;
}

TEST_F(Printer3287Test, BypassLinesStayWithinTheLineAndTheBuffer)
{
    configure = [](I3270Settings& settings) {
        settings.printBypassSeq[0] = settings.printBypassSeq[1] = '&';
        settings.printBypassEnd[0] = settings.printBypassEnd[1] = '%';
    };
    StartPrinter();
    Host(BindLu(3, 2));
    Sent();
    // 1,920 printable cells and no NL: every character in order, no CR added.
    std::string write = "F5 48";
    std::string expected;
    for (int i = 0; i < 1920; ++i) {
        const char c = static_cast<char>('A' + i % 9);
        write += " C" + std::to_string(1 + i % 9);
        expected.push_back(c);
    }
    EXPECT_EQ(Data3270(write), Positive());
    EXPECT_EQ(Printed(), expected);

    // The buffer ends inside a bypass with the end sequence's first character.
    write = "F5 48 11 5D 7B 50 50 F1 C2 6C";  // at 1915: && 1B %
    EXPECT_EQ(Data3270(write), Positive());
    // The last line's blanks before it print: under bypass no line is trimmed.
    EXPECT_EQ(Printed(), std::string(1915 - 1848, ' ') + "\x1B%");
    configure = nullptr;
}

TEST_F(Printer3287Test, StatusLogShowsStatesAndTheHostsMessages)
{
    Host(BindLu(1, 0));
    Sent();
    EXPECT_EQ(Log(), "#7628");  // the BIND ends any job: "Connected"
    Scs("C1");
    EXPECT_EQ(Log(), "#7628\n#7629");  // "Printing"
    EndOfJob();
    EXPECT_EQ(Log(), "#7628\n#7629\n#7628");
    for (char c : std::string("PAPER OUT"))
        I3270NvtHostCharacter(&s, static_cast<u8>(c));
    I3270NvtHostCharacter(&s, '\r');
    EXPECT_EQ(Log(), "#7628\n#7629\n#7628\nError - PAPER OUT");
    // A line repeated is shown once; 13 lines at most remain.
    I3270SetPrinterState(&s, k3287Connected);
    I3270SetPrinterState(&s, k3287Connected);
    for (int i = 0; i < 20; ++i) {
        const std::u16string line = u"line " + std::u16string(1, static_cast<char16_t>('a' + i));
        I3270AppendPrinterLog(&s, reinterpret_cast<const wchar16*>(line.c_str()));
    }
    const std::string log = Log();
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 12);
    EXPECT_EQ(log.substr(log.size() - 6), "line t");
    EXPECT_EQ(log.substr(0, 6), "line h");
}
