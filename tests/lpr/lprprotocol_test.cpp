#include "lpr/lprprotocol.h"
#include "lpr/lprrequest.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

using WStr = std::basic_string<wchar16>;

WStr W(const std::u16string& s)
{
    return WStr(s.begin(), s.end());
}

WStr U(const std::string& s)
{
    return WStr(s.begin(), s.end());
}

// Open arguments from UTF-16 strings kept alive by the caller.
struct Opening {
    WStr host = W(u"printhost"), queue = W(u"lp"), job = W(u"Terminal job"), user = W(u"alice");
    i32 number = 1;
    u32 retries = 0, delay = 0;
    i32 banner = 0;

    LprOpenArguments Args() const
    {
        return {host.c_str(), queue.c_str(), job.c_str(), user.c_str(), number, 1, banner, retries, delay, 0};
    }
};

LprRequest Opened(const Opening& o, const char* localHost = "client")
{
    LprRequest r;
    EXPECT_TRUE(LprOpenRecord(r, o.Args(), localHost));
    const std::string name = LprDataFileName(r.jobNumber, localHost);
    std::strcpy(r.dataFileName, name.c_str());
    return r;
}

TEST(LprNames, DataAndControlFileNamesCarryJobNumberAndLocalHost)
{
    const struct {
        i32 job;
        const char* host;
        const char* data;
        const char* control;
    } cases[] = {
        {1, "client", "dfA001client", "cfA001client"},
        {42, "client", "dfA042client", "cfA042client"},
        {999, "h", "dfA999h", "cfA999h"},
        {1000, "h", "dfA1000h", "cfA1000h"},  // more digits, never cut
        {7, "", "dfA007", "cfA007"},
    };
    for (const auto& c : cases) {
        const std::string data = LprDataFileName(c.job, c.host);
        EXPECT_EQ(data, c.data);
        EXPECT_EQ(LprControlFileName(data), c.control);
    }
}

TEST(LprControlFile, BannerOffIsFiveLinesAndBannerOnAddsJobClassAndBannerUser)
{
    Opening o;
    EXPECT_EQ(LprControlFile(Opened(o), "client"),
              "Hclient\nPalice\nldfA001client\nNWindows Print\nUdfA001client\n");
    o.banner = 1;
    EXPECT_EQ(LprControlFile(Opened(o), "client"),
              "Hclient\nPalice\nJTerminal job\nC\nLalice\nldfA001client\nNWindows Print\nUdfA001client\n");
}

TEST(LprControlFile, LongestFieldsFitWholeAndOverlongOnesAreCutToTheirLimits)
{
    Opening o;
    o.banner = 1;
    o.user = U(std::string(40, 'u'));
    o.job = U(std::string(120, 'j'));
    o.queue = U(std::string(20, 'q'));
    o.host = U(std::string(80, 'h'));
    const std::string local(LprLocalHostChars, 'c');
    const LprRequest r = Opened(o, local.c_str());
    EXPECT_EQ(std::string(r.host), std::string(LprHostChars, 'h'));
    EXPECT_EQ(LprReceiveJobCommand(r), "\x02" + std::string(16, 'q') + "\n");

    const std::string file = LprControlFile(r, local.c_str());
    const std::string dataName = "dfA001" + local;
    // H and P/L are held to the protocol's 31 octets; the job name keeps its 99.
    const std::string expected = "H" + std::string(31, 'c') + "\nP" + std::string(31, 'u') + "\nJ" +
                                 std::string(99, 'j') + "\nC\nL" + std::string(31, 'u') + "\nl" + dataName +
                                 "\nNWindows Print\nU" + dataName + "\n";
    EXPECT_EQ(file, expected);
    EXPECT_GT(file.size(), 256u);  // more than a fixed 256-unit buffer would have held
}

TEST(LprRequestRecord, OpeningFillsDefaultsAndKeepsTheWholeDelay)
{
    Opening o;
    o.user = W(u"");
    o.retries = 17;
    o.delay = 5000;
    LprRequest r = Opened(o);
    EXPECT_EQ(r.state, LprStateOpen);
    EXPECT_EQ(r.filesLeft, 2);
    EXPECT_EQ(LprLowBytes(r.user), "root");
    EXPECT_EQ(LprRetriesLeft(r), 1u);
    EXPECT_EQ(LprRetryDelay(r), 5000u);  // not cut to 12 bits (904)
    EXPECT_EQ(r.socket, LprNoSocket);
    EXPECT_EQ(LprControlFile(r, "client").substr(0, 14), "Hclient\nProot\n");

    // A missing user string is an empty one.
    LprOpenArguments args = o.Args();
    args.user = nullptr;
    ASSERT_TRUE(LprOpenRecord(r, args, "client"));
    EXPECT_EQ(LprLowBytes(r.user), "root");
}

TEST(LprRequestRecord, TextsTheProtocolCannotCarryAreRefused)
{
    const struct {
        const char* what;
        WStr Opening::*field;
        std::u16string value;
        const char* localHost;
    } cases[] = {
        {"LF in user", &Opening::user, u"al\nice", "client"},
        {"LF in job name", &Opening::job, u"job\n", "client"},
        {"CR in job name", &Opening::job, u"a\rb", "client"},
        {"unit whose low byte is LF", &Opening::job, u"x\u010Ay", "client"},
        {"space in queue", &Opening::queue, u"my lp", "client"},
        {"empty queue", &Opening::queue, u"", "client"},
        {"tab in queue", &Opening::queue, u"l\tp", "client"},
        {"DEL in user", &Opening::user, u"a\x7f", "client"},
        {"space in local host", &Opening::user, u"alice", "my host"},
    };
    for (const auto& c : cases) {
        Opening o;
        o.*c.field = W(c.value);
        LprRequest r;
        r.state = 99;
        EXPECT_FALSE(LprOpenRecord(r, o.Args(), c.localHost)) << c.what;
        EXPECT_EQ(r.state, LprStateFree) << c.what;
        EXPECT_EQ(r.jobNumber, -1) << c.what;
    }
    // Spaces and 8-bit characters are fine in job and user names.
    Opening o;
    o.job = W(u"Caf\u00e9 report 1");
    o.user = W(u"J\u00fcrgen M");
    LprRequest r;
    EXPECT_TRUE(LprOpenRecord(r, o.Args(), "client"));
}

TEST(LprRequestRecord, DataBlockGrowsByTheLengthPlus1024OnlyWhenFull)
{
    EXPECT_EQ(LprGrownSize(1024, 0, 1000), 1024u);
    EXPECT_EQ(LprGrownSize(1024, 1000, 100), 2148u);
    EXPECT_EQ(LprGrownSize(1024, 1024, 0), 1024u);
    EXPECT_EQ(LprGrownSize(2148, 1100, 1048), 2148u);
    EXPECT_EQ(LprGrownSize(2148, 1100, 1049), 4221u);
    EXPECT_EQ(LprGrownSize(0x7FFF0000u, 0x7FFF0000u, 0x10000u), 0u);
    EXPECT_EQ(LprGrownSize(0xFFFFFF00u, 0xFFFFFF00u, 0xFFFFFFFFu), 0u);
}

TEST(LprProtocolBytes, CommandAndSubcommandsAreCodeOperandsAndLf)
{
    EXPECT_EQ(LprSubcommand(LprReceiveControlFile, 63, "cfA001client"), std::string("\x02") + "63 cfA001client\n");
    EXPECT_EQ(LprSubcommand(LprReceiveDataFile, 2920, "dfA001client"),
              std::string("\x03") + "2920 dfA001client\n");
    EXPECT_EQ(LprSubcommand(LprReceiveDataFile, 0, "dfA002c"), std::string("\x03") + "0 dfA002c\n");
    Opening o;
    EXPECT_EQ(LprReceiveJobCommand(Opened(o)), "\x02lp\n");
}

TEST(LprTicks, DueTimesHoldAcrossTheTickCountWrap)
{
    EXPECT_TRUE(LprTickReached(1000, 1000));
    EXPECT_FALSE(LprTickReached(999, 1000));
    EXPECT_TRUE(LprTickReached(0x00000010u, 0xFFFFFFF0u));
    EXPECT_FALSE(LprTickReached(0xFFFFFFF0u, 0x00000010u));
}

}  // namespace
