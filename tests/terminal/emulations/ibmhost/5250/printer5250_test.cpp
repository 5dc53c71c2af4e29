// The 5250 printer session: the host's start-up answer, print records and their data,
// the job, the replies the host gets and the status lines.
#include <algorithm>

#include "session5250_fixture.h"
#include "support/doubles_host.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/emulations/ibmhost/5250/printer/printscreen5250.h"

namespace {
// A start-up answer with its code (four EBCDIC bytes), system and device names.
std::string Startup(const std::string& code)
{
    return "00 26 12 A0 90 00 05 60 06 00 20 C0 00 1A 00 00 " + code +
           " E2 E8 E2 E3 C5 D4 40 40 D7 D9 E3 F0 F1 40 40 40 40 40";
}

// A print record: the record header with the printer's flag, then the print data.
std::string PrintRecord(const std::string& data, const char* reserved = "01 00")
{
    const int length = 6 + static_cast<int>(t5250::Bytes(data).size());
    char head[32];
    std::snprintf(head, sizeof head, "%02X %02X 12 A0 %s", length >> 8, length & 0xFF, reserved);
    return std::string(head) + " " + data;
}

constexpr const char* kAck = "00 0A 12 A0 01 02 04 00 00 01 FF EF";
constexpr const char* kBadParameter = "00 0E 12 A0 01 02 08 80 00 01 08 11 02 29 FF EF";
}  // namespace

class Printer5250Test : public Session5250Test {
protected:
    void SetUp() override
    {
        I5250ClearPrinterLog();
        Start(t5250::kPrinter);
    }

    void Started()
    {
        Host(Startup("C9 F9 F0 F2"));  // I902
        ASSERT_EQ(Sent(), "");
        ASSERT_EQ(s.printerState, k5250Started);
        doubles::Comms().printCalls.clear();
    }

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
        for (wchar16 c : I5250PrinterLogText())
            text.push_back(static_cast<char>(c));
        return text;
    }
    static std::string LastLine()
    {
        const std::string log = Log();
        const auto at = log.rfind('\n');
        return at == std::string::npos ? log : log.substr(at + 1);
    }
};

TEST_F(Printer5250Test, StartupAnswersShowTheHostsMessage)
{
    // clang-format off
    struct Case {
        const char* code;
        u16 state;
        const char* shown;
    } const cases[] = {
        {"C9 F9 F0 F2", k5250Started, "#25301"},        // I902: started
        {"C9 F9 F0 F1", k5250Started, "#25300"},        // I901
        {"F8 F9 F0 F2", k5250StartupMessage, "#25307"}, // 8902: not available
        {"C9 F9 F0 F4", k5250StartupMessage, "#25328"}, // I904
        {"E7 F9 F9 F9", k5250StartupMessage, "#25329"}, // X999: unknown
    };
    // clang-format on
    for (const Case& c : cases) {
        I5250ClearPrinterLog();
        Start(t5250::kPrinter);
        Host(Startup(c.code));
        EXPECT_EQ(Sent(), "") << c.code;
        EXPECT_EQ(s.printerState, c.state) << c.code;
        EXPECT_NE(Log().find(c.shown), std::string::npos) << c.code << ": " << Log();
    }
    // The names come through the code page.
    EXPECT_EQ(s.printer.deviceName[0], u'P');
    EXPECT_EQ(s.printer.systemName[0], u'S');

    // A record too short for an answer is refused, whatever its inner length says.
    Start(t5250::kPrinter);
    std::vector<u8> shortAnswer = t5250::Bytes(Startup("C9 F9 F0 F2"));
    shortAnswer.resize(37);
    shortAnswer[1] = 37;
    shortAnswer[13] = 37 - 12;
    I5250HandleRecords(&s, shortAnswer.data(), 37);
    EXPECT_EQ(Sent(), "00 0E 12 A0 00 00 04 80 00 00 10 05 01 10 FF EF");
    EXPECT_EQ(s.printerState, k5250Connected);
    Host("00 26 12 A0 00 00" + Startup("C9 F9 F0 F2").substr(17));  // no start-up flag
    EXPECT_EQ(Sent(), "00 0E 12 A0 00 00 04 80 00 00 10 05 01 11 FF EF");
}

TEST_F(Printer5250Test, PrintDataReachesThePrinterAndIsAcknowledged)
{
    Started();
    Host("00 12 12 A0 01 00 04 18 00 01 03 05 48 45 4C 4C 4F 00");
    EXPECT_EQ(Printed(), "HELLO");
    EXPECT_EQ(Sent(), kAck);
    EXPECT_EQ(doubles::IbmHost().jobsBegun, 1);
    EXPECT_EQ(doubles::IbmHost().jobsEnded, 1);
    EXPECT_EQ(s.printerState, k5250Started);

    // A block goes on in the next record of its chain.
    Host(PrintRecord("04 10 00 01 03 08 41 42 43 44"));
    EXPECT_EQ(Sent(), kAck);
    Host(PrintRecord("04 08 00 01 45 46 47 48 03 01 49 00"));
    EXPECT_EQ(Sent(), kAck);
    EXPECT_EQ(Printed(), "ABCDEFGHI");
    EXPECT_EQ(doubles::IbmHost().jobsEnded, 2);

    // End of printing.
    Host(PrintRecord("04 18 00 02"));
    EXPECT_EQ(Sent(), "00 0A 12 A0 01 02 04 00 00 02 FF EF");
    // Records the printer skips: bit 13. Bit 15 ends the job and reads on: the host
    // starts the session again.
    Host(PrintRecord("04 18 00 01 03 01 5A", "20 00"));
    EXPECT_EQ(Sent(), "");
    Host(PrintRecord("04 10 00 01 03 04 41"));
    EXPECT_EQ(Sent(), kAck);
    Host(PrintRecord("", "80 00") + " " + Startup("C9 F9 F0 F2"));
    EXPECT_EQ(Sent(), "");
    EXPECT_EQ(s.printerState, k5250Started);
    EXPECT_EQ(s.printer.jobOpen, 0u);
    Host("00 0D 12 A0 01 00 04 18 00 01 03 01 5A");
    EXPECT_EQ(Sent(), kAck);
    EXPECT_EQ(Printed(), "AZ");
}

TEST_F(Printer5250Test, BadPrintDataIsRefusedWithItsSenseCode)
{
    Started();
    // clang-format off
    struct Case {
        std::string record;
        const char* reply;
        const char* shown;
    } const cases[] = {
        {PrintRecord("04 18 00 01 03 08 41 42"), kBadParameter, "#7641"},  // block past the record
        {PrintRecord("04 08 00 01 41"), kBadParameter, "#7641"},           // last of no chain
        {PrintRecord("03 18 00 01"), kBadParameter, "#7641"},              // header below 4
        {PrintRecord("08 18 00 01"), kBadParameter, "#7641"},              // header past the data
        {PrintRecord("04 18 00 07"), kBadParameter, "#7641"},              // no such operation
        {PrintRecord("04 18 00 01 05"), "00 0E 12 A0 01 02 08 80 00 01 08 11 02 28 FF EF", "#7642"},
        {PrintRecord("04 18 00 01 03"), kBadParameter, "#7641"},           // a count that never comes
        {PrintRecord("04 18 00 01", "00 00"), kBadParameter, "#7641"},     // not a print record
        {"00 04 12 A0", kBadParameter, "#7641"},
    };
    // clang-format on
    for (const Case& c : cases) {
        Host(c.record);
        EXPECT_EQ(Sent(), c.reply) << c.record;
        EXPECT_EQ(LastLine(), c.shown) << c.record;
        EXPECT_EQ(s.printer.jobOpen, 0u) << c.record;
        EXPECT_EQ(s.printer.chain, 0u) << c.record;
    }
}

TEST_F(Printer5250Test, CancelAndPrinterFaultsFailTheNextRecord)
{
    Started();
    Host(PrintRecord("04 10 00 01 03 04 41"));  // a chain: the job stays open
    EXPECT_EQ(Sent(), kAck);
    doubles::IbmHost().printingStopped = true;  // Cancel Printing ended the job
    Host(PrintRecord("04 08 00 01 42 43 44"));
    EXPECT_EQ(Sent(), "00 0E 12 A0 01 02 08 80 00 01 08 11 02 00 FF EF");
    EXPECT_EQ(LastLine(), "#7640");                     // "Print Cancelled"
    EXPECT_NE(Log().find("#7639"), std::string::npos);  // "Print Aborting" before it
    doubles::IbmHost().printingStopped = false;
    Host(PrintRecord("04 18 00 01 03 01 45"));
    EXPECT_EQ(Sent(), kAck);
    EXPECT_EQ(Printed(), "AE");

    // The printer runs out of paper: the host hears it once, the record fails.
    doubles::IbmHost().printerStatus = 28;
    Host(PrintRecord("04 18 00 01 03 01 41"));
    EXPECT_EQ(Sent(), "00 0F 12 A0 01 02 09 40 00 01 C9 00 03 02 50 FF EF "
                      "00 0E 12 A0 01 02 08 80 00 01 08 11 02 00 FF EF");
    EXPECT_NE(Log().find("#6005"), std::string::npos) << Log();  // "NoPaper"
    doubles::IbmHost().printerStatus = 0;

    EXPECT_EQ(I5250ReportPrinterError(31), 4);
    EXPECT_EQ(Sent(), "00 0F 12 A0 01 02 09 40 00 01 C9 00 03 02 51 FF EF");
    EXPECT_EQ(I5250ReportPrinterError(0), 3);
    Start(t5250::kModel3179);
    EXPECT_EQ(I5250ReportPrinterError(28), 7);
    EXPECT_EQ(Sent(), "");
}

TEST_F(Printer5250Test, NoPrinterFailsTheRecord)
{
    Started();
    doubles::IbmHost().printerOpens = false;
    Host(PrintRecord("04 18 00 01 03 01 41"));
    EXPECT_EQ(Sent(), "00 0E 12 A0 01 02 08 80 00 01 08 11 02 00 FF EF");
    EXPECT_EQ(Printed(), "");
}

TEST_F(Printer5250Test, StatusLinesKeepTheLastTwelve)
{
    I5250SetPrinterState(&s, k5250Connected);
    I5250SetPrinterState(&s, k5250Connected);
    EXPECT_EQ(Log(), "#7633");
    for (int i = 0; i < 14; ++i) {
        const std::u16string line = u"line " + std::u16string(1, static_cast<char16_t>('a' + i));
        I5250AppendPrinterLine(&s, reinterpret_cast<const wchar16*>(line.c_str()));
    }
    const std::string log = Log();
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 11);
    EXPECT_EQ(log.substr(0, 6), "line c");
    EXPECT_EQ(LastLine(), "line n");
}

TEST_F(Session5250Test, PrintScreenRowsLeaveAttributesAndHiddenCellsBlank)
{
    // "AB", a non-display field holding "CDE", a normal attribute, then "F".
    Host(t5250::Record("04 40 04 11 00 08 11 01 01 C1 C2 1D 40 00 27 00 03 C3 C4 C5 20 C6"));
    ScreenLineRecord line;
    I5250PrintRowText(&s, 0, line);
    std::string text;
    for (int c = 0; c < s.current.columns; ++c)
        text.push_back(static_cast<char>(line.cells[c].ch));
    EXPECT_EQ(text.substr(0, 9), "AB     F ");
    EXPECT_EQ(text.find_last_not_of(' '), 7u);

    // The run: a job, then one step a row, and the end after the last row.
    doubles::Comms().printCalls.clear();
    I5250StartPrintScreen();
    I5250PrintScreenRow(0);
    I5250PrintScreenRow(static_cast<u32>(s.current.rows));
    const std::vector<std::string> expected = {"screen", "A 1", "end"};
    EXPECT_EQ(doubles::Comms().printCalls, expected);

    // A printer session has no screen to print.
    Start(t5250::kPrinter);
    doubles::Comms().printCalls.clear();
    I5250StartPrintScreen();
    EXPECT_TRUE(doubles::Comms().printCalls.empty());
}
