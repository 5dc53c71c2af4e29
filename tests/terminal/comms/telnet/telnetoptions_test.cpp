// Option negotiation, terminal types, 3270/5250 record modes and TN3270E.
#include <optional>

#include "telnet_fixture.h"
#include "terminal/settings/store/connsettings.h"
#include "terminal/comms/telnet/telnetoptions.h"
#include "terminal/core/base/corestate.h"
#include "terminal/comms/telnet/recordsession.h"
#include "terminal/core/testfamily.h"
#include "terminal/emulations/hp700/terminaltype.h"
#include "terminal/settings/store/profilevalues.h"

namespace {
std::vector<u8> Sb(std::vector<u8> body)
{
    return Cat(Cat(Bytes({0xFF, 0xFA}), body), Bytes({0xFF, 0xF0}));
}

void Set(wchar16* slot, const char* text)
{
    for (; *text; ++text)
        *slot++ = static_cast<wchar16>(*text);
    *slot = 0;
}
}  // namespace

TEST_F(TelnetTest, NegotiationStartsWithDoEcho)
{
    TelnetStartNegotiation(SocketIndex);
    EXPECT_EQ(Hex(Sent()), "FF FD 01");

    TelnetConfig.binary = 1;
    TelnetConfig.eor = 0;
    Set(TelnetConfig.sendLocn, "Room 12");
    TelnetStartNegotiation(SocketIndex);
    EXPECT_EQ(Hex(Sent()), "FF FD 01 FF FD 00 FF FE 19 FF FB 17");
    Host(Bytes({0xFF, 0xFD, 0x17}));
    Drain();
    EXPECT_EQ(Hex(Sent()), Hex(Sb(Cat(Bytes({0x17}), Text("Room 12")))));

    doubles::ResetTelnet();
    TelnetConfig.echoSuppress = 1;
    TelnetStartNegotiation(SocketIndex);
    EXPECT_TRUE(Sent().empty());
}

TEST_F(TelnetTest, TerminalTypeOfEveryEmulation)
{
    const char* const names[24] = {
        "vt100",    "vt100",    "vt100",   "vt100",  "ansi",   "ansi",    "IBM-3279-3", "IBM-3180-2",
        "ZARA-50",  "ZARA-50",  "TVI910",  "TVI920", "TVI925", "ADDS-A2", "HZ1500",     "ZARA-60",
        "IBM-3151", "tn6530-8", "HP70094", "TVI955", "dg410",  "at386-m", "TVI950",     "aixterm",
    };
    Tn3270Session s3270{};
    s3270.model = 9;
    Tn5250Session s5250{};
    s5250.model = 5;
    for (u8 id = 0; id < 24; ++id) {
        doubles::ResetTelnet();
        static const TelnetHooks hpTelnet{.terminalType = HpTerminalTypeName};
        std::optional<TestFamily> hp;
        if (id == 18)
            hp.emplace(FamilyHooks{.emulations = EmulationBit(18), .telnet = &hpTelnet});
        EmulationId = id;
        HpModel = 3;
        if (id == 6)
            Tn3270ActiveSession = &s3270;
        if (id == 7)
            Tn5250ActiveSession = &s5250;
        Host(Cat(Bytes({0xFF, 0xFD, 0x18}), Sb({0x18, 0x01})));
        Drain();
        EXPECT_EQ(Hex(Sent()), Hex(Cat(Bytes({0xFF, 0xFB, 0x18}), Sb(Cat(Bytes({0x18, 0}), Text(names[id]))))))
            << "emulation " << int(id) << " " << names[id];
    }
    HpModel = 1;

    // The VT models name themselves, and a configured name wins over every default.
    doubles::ResetTelnet();
    TerminalId = 14;
    char name[32];
    GetTerminalTypeName(name, sizeof name);
    EXPECT_STREQ(name, "vt525");
    TerminalId = 0;
    Set(Connection.terminalTypeName, "xterm");
    Host(Sb({0x18, 0x01}));
    Drain();
    EXPECT_EQ(Hex(Sent()), Hex(Sb(Cat(Bytes({0x18, 0}), Text("xterm")))));
}

TEST_F(TelnetTest, OptionsOutsideTheListAreRefused)
{
    // DO x answered WONT x; WILL x answered DONT x; in a VT session.
    for (int x : {2, 5, 7, 8, 23, 29, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 44, 200, 255}) {
        doubles::ResetTelnet();
        Host(Bytes({0xFF, 0xFD, x, 0xFF, 0xFB, x}));
        Drain();
        EXPECT_EQ(Hex(Sent()), Hex(Bytes({0xFF, 0xFC, x, 0xFF, 0xFE, x}))) << "option " << x;
        EXPECT_EQ(Telnet.local[x] + Telnet.remote[x], 0) << "option " << x;
    }
    // Accepted both ways: answered once, never again for a repeat.
    for (int x : {0, 3, 25}) {
        doubles::ResetTelnet();
        Host(Bytes({0xFF, 0xFD, x, 0xFF, 0xFB, x, 0xFF, 0xFD, x, 0xFF, 0xFB, x}));
        Drain();
        EXPECT_EQ(Hex(Sent()), Hex(Bytes({0xFF, 0xFB, x, 0xFF, 0xFD, x}))) << "option " << x;
    }
    // Session-bound options refused in the wrong session or when switched off.
    Tn3270Session s3270{};
    Tn5250Session s5250{};
    struct Case {
        Tn3270Session* a;
        Tn5250Session* b;
        int option;
        u32 regimeSuppress;
        const char* answer;
    } cases[] = {
        {nullptr, &s5250, 40, 1, "FF FC 28"}, {&s3270, nullptr, 39, 1, "FF FC 27"},
        {&s3270, nullptr, 29, 1, "FF FC 1D"}, {&s3270, nullptr, 29, 0, "FF FB 1D"},
        {&s3270, nullptr, 40, 1, "FF FB 28"}, {nullptr, &s5250, 39, 1, "FF FB 27"},
    };
    for (const Case& c : cases) {
        doubles::ResetTelnet();
        Tn3270ActiveSession = c.a;
        Tn5250ActiveSession = c.b;
        TelnetConfig.regimeSuppress = c.regimeSuppress;
        Host(Bytes({0xFF, 0xFD, c.option}));
        Drain();
        EXPECT_EQ(Hex(Sent()), c.answer) << "option " << c.option;
    }
}

TEST_F(TelnetTest, EchoNegotiationDrivesLocalEcho)
{
    Host(Bytes({0xFF, 0xFB, 0x01, 0xFF, 0xFD, 0x01}));
    Drain();
    EXPECT_EQ(Hex(Sent()), "FF FD 01 FF FB 01");
    EXPECT_EQ(LocalEcho.load(), 1u);
    Host(Bytes({0xFF, 0xFE, 0x01, 0xFF, 0xFC, 0x01}));
    Drain();
    EXPECT_EQ(Hex(Sent()), "FF FC 01 FF FE 01");
    EXPECT_EQ(LocalEcho.load(), 0u);
}

TEST_F(TelnetTest, Ibm3270SessionEntersRecordModeAndExchangesRecords)
{
    Tn3270Session s3270{};
    s3270.model = 1;
    Tn3270ActiveSession = &s3270;
    EmulationId = 6;
    Host(Cat(Bytes({0xFF, 0xFD, 0x18}), Sb({0x18, 0x01})));
    Host(Bytes({0xFF, 0xFB, 0x01}));  // the host echoes until the records start
    Host(Bytes({0xFF, 0xFD, 0x00, 0xFF, 0xFB, 0x00, 0xFF, 0xFD, 0x19, 0xFF, 0xFB, 0x19}));
    Drain();
    EXPECT_EQ(s3270.recordMode, 1);
    EXPECT_EQ(s3270.connectionMode, 3u);
    const std::vector<u8> sent = Sent();
    EXPECT_NE(Hex(sent).find("FF FE 01"), std::string::npos) << Hex(sent);  // DONT ECHO

    Host(Bytes({0xF5, 0xC2, 0x11, 0xFF, 0xFF, 0xFF, 0xEF}));
    Drain();
    ASSERT_EQ(doubles::Peer().records3270.size(), 1u);
    EXPECT_EQ(Hex(doubles::Peer().records3270[0]), "F5 C2 11 FF");
    const u16 reply[] = {0x7D, 0xFF};
    TelnetSendData(SocketIndex, reply, 2, true);
    EXPECT_EQ(Hex(Sent()), "7D FF FF FF EF");

    // BINARY withdrawn: record mode ends and echo is asked for again.
    Host(Bytes({0xFF, 0xFC, 0x00}));
    Drain();
    EXPECT_EQ(s3270.recordMode, 0);
    EXPECT_EQ(Hex(Sent()), "FF FE 00 FF FD 01");
}

// DONT ECHO on entering the records goes to a host that echoes or has not yet answered
// DO ECHO, never again to one that already refused (RFC 854: no repeated refusals).
TEST_F(TelnetTest, Ibm3270RecordModeAsksDontEchoOnlyWhileEchoMayBeOn)
{
    const struct {
        const char* name;
        std::vector<u8> before;
        bool askEcho;
        bool dontEcho;
    } cases[] = {
        {"host echoes", {0xFF, 0xFB, 0x01}, false, true},
        {"DO ECHO unanswered", {}, true, true},
        {"host refused DO ECHO", {0xFF, 0xFC, 0x01}, true, false},
        {"host never offered", {}, false, false},
    };
    for (const auto& c : cases) {
        doubles::ResetTelnet();
        Tn3270Session s3270{};
        s3270.model = 1;
        Tn3270ActiveSession = &s3270;
        EmulationId = 6;
        Host(Cat(Bytes({0xFF, 0xFD, 0x18}), Sb({0x18, 0x01})));
        if (c.askEcho)
            TelnetStartNegotiation(SocketIndex);
        if (!c.before.empty())
            Host(c.before);
        Drain();
        Sent();
        Host(Bytes({0xFF, 0xFD, 0x00, 0xFF, 0xFB, 0x00, 0xFF, 0xFD, 0x19, 0xFF, 0xFB, 0x19}));
        Drain();
        EXPECT_EQ(s3270.recordMode, 1) << c.name;
        EXPECT_EQ(Hex(Sent()).find("FF FE 01") != std::string::npos, c.dontEcho) << c.name;
        Tn3270ActiveSession = nullptr;
    }
}

TEST_F(TelnetTest, TerminalTypeOf3270CarriesTheLuName)
{
    Tn3270Session s3270{};
    s3270.model = 4;
    Tn3270ActiveSession = &s3270;
    EmulationId = 6;
    Set(TelnetConfig.luid, "prt1");
    char name[64];
    TelnetTerminalTypeReply(name, sizeof name);
    EXPECT_STREQ(name, "IBM-3278-2-E@prt1");
    EXPECT_EQ(Telnet.eorPermit3270, 1);
}

class Tn3270eTest : public TelnetTest {
protected:
    Tn3270Session session{};
    void SetUp() override
    {
        TelnetTest::SetUp();
        session.model = 4;
        Tn3270ActiveSession = &session;
        EmulationId = 6;
        Host(Bytes({0xFF, 0xFD, 0x28}));
        Drain();
        EXPECT_EQ(Hex(Sent()), "FF FB 28");
    }
};

TEST_F(Tn3270eTest, DeviceTypeAndFunctionsAreRequested)
{
    Host(Sb({0x28, 0x08, 0x02}));
    Drain();
    EXPECT_EQ(Hex(Sent()), Hex(Sb(Cat(Bytes({0x28, 0x02, 0x07}), Text("IBM-3278-2-E")))));
    EXPECT_EQ(Telnet.tn3270eState, 2);

    Host(Sb(Cat(Cat(Bytes({0x28, 0x02, 0x04}), Text("IBM-3278-2-E")), Cat(Bytes({0x01}), Text("TCP00034")))));
    Drain();
    EXPECT_EQ(Hex(Sent()), Hex(Sb({0x28, 0x03, 0x07, 0, 1, 2, 3, 4})));
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(Telnet.luName)), u"TCP00034");

    Host(Sb({0x28, 0x03, 0x04, 0x00, 0x02}));
    Drain();
    EXPECT_TRUE(Sent().empty());
    EXPECT_TRUE(TelnetTn3270eComplete());
    EXPECT_EQ(Hex({Telnet.functions, Telnet.functions + 5}), "01 00 01 00 00");
    EXPECT_EQ(session.connectionMode, 1u);
}

TEST_F(Tn3270eTest, DeviceTypeRequestNamesTheLuOrTheAssociation)
{
    Set(TelnetConfig.luid, "LU%D3%");
    Host(Sb({0x28, 0x08, 0x02}));
    Drain();
    EXPECT_EQ(Hex(Sent()),
              Hex(Sb(Cat(Cat(Bytes({0x28, 0x02, 0x07}), Text("IBM-3278-2-E")), Cat(Bytes({0x01}), Text("LU0"))))));
    TelnetConfig.luid[0] = 0;
    Set(TelnetConfig.associate, "PRT7");
    Host(Sb({0x28, 0x08, 0x02}));
    Drain();
    EXPECT_EQ(Hex(Sent()), Hex(Sb(Cat(Cat(Bytes({0x28, 0x02, 0x07}), Text("IBM-3278-2-E")),
                                      Cat(Bytes({0x00}), Text("PRT7"))))));
    // An unknown model is asked for again.
    Set(TelnetConfig.associate, "");
    Host(Sb(Cat(Bytes({0x28, 0x02, 0x04}), Text("IBM-9999"))));
    Drain();
    EXPECT_EQ(Hex(Sent()), Hex(Sb(Cat(Bytes({0x28, 0x02, 0x07}), Text("IBM-3278-2-E")))));
}

TEST_F(Tn3270eTest, FunctionListsAreCheckedAgainstWhatWasAsked)
{
    struct Case {
        std::vector<u8> host;
        const char* reply;  // hex of the reply body, "" for none
        u8 state;
    } cases[] = {
        {{0x03, 0x04, 0, 2}, "", 4},
        {{0x03, 0x04, 0, 5}, "28 03 07 00", 3},
        {{0x03, 0x07, 2, 4}, "28 03 04 02 04", 4},
        {{0x03, 0x07, 0, 9, 1}, "28 03 07 00 01", 3},
    };
    for (const Case& c : cases) {
        Telnet.tn3270eState = 3;
        for (u8& f : Telnet.functions)
            f = 1;
        Host(Sb(Cat(Bytes({0x28}), c.host)));
        Drain();
        const std::vector<u8> sent = Sent();
        EXPECT_EQ(Hex(sent), *c.reply ? std::string("FF FA ") + c.reply + " FF F0" : "") << Hex(c.host);
        EXPECT_EQ(Telnet.tn3270eState, c.state) << Hex(c.host);
    }
}

TEST_F(Tn3270eTest, RejectShowsItsReasonAndFallsBackToTelnet)
{
    struct Case {
        std::vector<u8> body;
        const char16_t* reason;
    } cases[] = {
        {{0x28, 0x02, 0x06, 0x05, 0x03}, u"#25204"},
        {{0x28, 0x02, 0x06, 0x05, 0x0B}, u"#25207"},
        {{0x28, 0x02, 0x06}, u"#25207"},
        {{0x28, 0x02, 0x06, 0x09, 0x01}, u"#25207"},
    };
    for (const Case& c : cases) {
        doubles::Reset();
        Telnet.local[0x28] = 1;
        Telnet.tn3270eState = 2;
        Host(Sb(c.body));
        Drain();
        EXPECT_EQ(Hex(Sent()), "FF FC 28");
        EXPECT_EQ(Telnet.tn3270eState, 0);
        std::lock_guard<std::mutex> guard(doubles::Recorded().lock);
        ASSERT_EQ(doubles::Recorded().messageBoxes.size(), 1u);
        EXPECT_EQ(doubles::Recorded().messageBoxes[0].id, 25200u);
        EXPECT_EQ(doubles::Recorded().messageBoxes[0].text, c.reason);
    }
}

TEST_F(Tn3270eTest, PrinterWithoutPrintFunctionsGivesUpTn3270e)
{
    session.model = k3287PrinterModel;
    Telnet.tn3270eState = 3;
    for (u8& f : Telnet.functions)
        f = 1;
    Host(Sb({0x28, 0x03, 0x04, 0x00, 0x02}));
    Drain();
    EXPECT_EQ(Hex(Sent()), "FF FC 28");
    std::lock_guard<std::mutex> guard(doubles::Recorded().lock);
    ASSERT_EQ(doubles::Recorded().messageBoxes.size(), 1u);
    EXPECT_EQ(doubles::Recorded().messageBoxes[0].id, 25209u);
}
