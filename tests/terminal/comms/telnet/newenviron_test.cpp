// NEW-ENVIRON replies of a 5250 session and the device-name templates.
#include "telnet_fixture.h"
#include "terminal/comms/telnet/devicename.h"
#include "terminal/comms/telnet/newenviron.h"
#include "terminal/core/base/corestate.h"
#include "terminal/comms/telnet/recordsession.h"

namespace {
std::vector<u8> Sb(std::vector<u8> body)
{
    return Cat(Cat(Bytes({0xFF, 0xFA}), body), Bytes({0xFF, 0xF0}));
}

void Var(bool machine, const char* subkey, const char* name, const char* value)
{
    doubles::Peer().environs[machine ? 1 : 0][doubles::U16(subkey)].push_back(
        {doubles::U16(name), doubles::U16(value)});
}

std::string Expand(const char16_t* pattern, int maximum, bool rotate)
{
    char out[kDeviceNameCap + 1];
    const int n = ExpandDeviceName(out, reinterpret_cast<const wchar16*>(pattern), maximum, rotate);
    EXPECT_EQ(n, static_cast<int>(std::string(out).size()));
    return out;
}
}  // namespace

class NewEnvironTest : public TelnetTest {
protected:
    Tn5250Session session{};
    void SetUp() override
    {
        TelnetTest::SetUp();
        Tn5250ActiveSession = &session;
        EmulationId = 7;
        Host(Bytes({0xFF, 0xFD, 0x27}));
        Drain();
        EXPECT_EQ(Hex(Sent()), "FF FB 27");
    }
};

TEST_F(NewEnvironTest, NamedVariablesGetTheirExactReply)
{
    Var(true, "5250,VAR", "USER", "qsecofr");
    Var(false, "5250,VAR", "USER", "jsmith");  // the user's store wins
    Var(true, "5250,USERVAR", "DEVNAME", "QPAD%D3%");
    doubles::Peer().deviceNameCount[1] = 2;
    Host(Sb(Cat(Cat(Bytes({0x27, 0x01, 0x00}), Text("USER")),
                Cat(Cat(Bytes({0x03}), Text("DEVNAME")), Cat(Bytes({0x03}), Text("IBMRSEED"))))));
    Drain();
    EXPECT_EQ(Hex(Sent()),
              Hex(Sb(Cat(Cat(Cat(Bytes({0x27, 0x00, 0x00}), Text("USER")), Cat(Bytes({0x01}), Text("JSMITH"))),
                         Cat(Cat(Cat(Bytes({0x03}), Text("DEVNAME")), Cat(Bytes({0x01}), Text("QPAD0"))),
                             Cat(Cat(Bytes({0x03}), Text("IBMRSEED")), Bytes({0x01})))))));
    EXPECT_EQ(doubles::Peer().deviceNameCount[1], 0u);  // (2 + 1) mod 3, written back
}

TEST_F(NewEnvironTest, EmptySendListsEveryVariableAndEscapesValues)
{
    // clang-format off
    Var(true, "5250,VAR", "USER", "a\x01" "b");
    // clang-format on
    Var(true, "5250,USERVAR", "KBDTYPE", "USB");
    Var(false, "5250,USERVAR", "CODEPAGE", "37");
    Var(false, "5250,USERVAR", "KBDTYPE", "AGB");
    Host(Sb({0x27, 0x01}));
    Drain();
    EXPECT_EQ(Hex(Sent()),
              Hex(Sb(Cat(Cat(Cat(Bytes({0x27, 0x00, 0x00}), Text("USER")), Bytes({0x01, 'A', 0x02, 0x01, 'B'})),
                         Cat(Cat(Cat(Bytes({0x03}), Text("KBDTYPE")), Cat(Bytes({0x01}), Text("AGB"))),
                             Cat(Cat(Bytes({0x03}), Text("CODEPAGE")), Cat(Bytes({0x01}), Text("37"))))))));
    // An undefined variable is named without VALUE.
    Host(Sb(Cat(Bytes({0x27, 0x01, 0x03}), Text("IBMCURLIB"))));
    Drain();
    EXPECT_EQ(Hex(Sent()), Hex(Sb(Cat(Bytes({0x27, 0x00, 0x03}), Text("IBMCURLIB")))));
}

TEST_F(NewEnvironTest, SendOfManyZerosGetsOneBoundedWellFormedReply)
{
    for (int i = 0; i < 60; ++i)
        Var(true, "5250,VAR", ("VARIABLE" + std::to_string(i)).c_str(), "a-long-enough-value-for-each");
    std::vector<u8> request{0x27, 0x01};
    request.insert(request.end(), 250, 0x00);
    Host(Sb(request));
    Host(Text("z"));
    EXPECT_EQ(Hex(Drain()), "7A");
    const std::vector<u8> reply = Sent();
    ASSERT_GE(reply.size(), 6u);
    EXPECT_LE(reply.size(), kEnvironReplyMax);
    EXPECT_EQ(Hex({reply.begin(), reply.begin() + 4}), "FF FA 27 00");
    EXPECT_EQ(Hex({reply.end() - 2, reply.end()}), "FF F0");
    // Each variable at most once, and no stray IAC inside.
    const std::string text(reply.begin() + 4, reply.end() - 2);
    EXPECT_EQ(text.find("\xFF"), std::string::npos);
    for (int i = 0; i < 60; ++i) {
        const std::string name = "VARIABLE" + std::to_string(i) + "\x01";
        const auto first = text.find(name);
        if (first != std::string::npos) {
            EXPECT_EQ(text.find(name, first + 1), std::string::npos) << name;
        }
    }
    EXPECT_NE(text.find("VARIABLE0\x01"), std::string::npos);
}

TEST_F(NewEnvironTest, RequestOutsideA5250SessionIsNotAnswered)
{
    Tn5250ActiveSession = nullptr;
    Host(Sb({0x27, 0x01}));
    Drain();
    EXPECT_TRUE(Sent().empty());
}

TEST_F(TelnetTest, DeviceNameTemplatesAreExpandedNotFormatted)
{
    struct Case {
        const char16_t* pattern;
        int maximum;
        const char* result;
    } cases[] = {
        {u"prt1", 10, "prt1"},  // no conversion: unchanged, case kept
        {u"longdevicename", 6, "longde"},
        {u"w%s", 20, "WTHINBOX"},
        {u"%u-%s", 20, "OPERATOR-THINBOX"},
        {u"%-.3s", 20, "BOX"},
        {u"100%%", 20, "100%"},
        {u"a%xb%n%p", 20, "AB"},  // unknown conversions give nothing
        {u"%s%s%s%s%s%s%s", 80, "THINBOXTHINBOXTHINBOXTHINBOXTHINBOXTHINBOX%S"},
        {u"%", 5, "%"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Expand(c.pattern, c.maximum, false), c.result);

    // A 3270 session uses the stored rotation index as it is; a 5250 session moves on.
    static Tn3270Session s3270{};
    Tn3270ActiveSession = &s3270;
    doubles::Peer().deviceNameCount[0] = 2;
    EXPECT_EQ(Expand(u"QPAD%D3%", 10, true), "QPAD2");
    EXPECT_EQ(Expand(u"QPAD%D3%", 10, true), "QPAD2");
    Tn3270ActiveSession = nullptr;
    static Tn5250Session s5250{};
    Tn5250ActiveSession = &s5250;
    doubles::Peer().deviceNameCount[1] = 2;
    EXPECT_EQ(Expand(u"QPAD%D3%", 10, true), "QPAD0");
    EXPECT_EQ(Expand(u"QPAD%d3%", 10, true), "QPAD1");
    EXPECT_EQ(Expand(u"QPAD%D3%", 10, true), "QPAD2");
    EXPECT_EQ(Expand(u"QPAD%D3%", 10, true), "QPAD2");  // three attempts: stays
    EXPECT_EQ(Expand(u"X%D0%", 10, true), "X0");
}
