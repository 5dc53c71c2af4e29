// The HP 700/92's replies: status, cursor sensing, identity, colour pairs, and the DC1
// handshake that every reply waits for.
#include "hp700_fixture.h"

#include "terminal/emulations/hp700/terminaltype.h"

namespace {

const std::string kDc1 = "\x11";

struct ReplyCase {
    const char* name;
    std::string setup, request, reply;
};

TEST_F(Hp700Test, RepliesAfterTheHostsDc1)
{
    // clang-format off
    const ReplyCase cases[] = {
        {"primary status",     "",                       Esc("^"),        Esc("\\8008000\r")},
        {"secondary status",   "",                       Esc("~"),        Esc("|0500000\r")},
        {"identity",           "",                       Esc("*s1^"),     "70092\r"},
        {"identity 0",         "",                       Esc("*s0^"),     "70092\r"},
        {"model feature 1",    "",                       Esc("*s-1^"),    "C !#\r"},
        {"model feature 4",    "",                       Esc("*s-4^"),    "B\" \r"},
        {"product name",       "",                       Esc("*s12347^"), "vexaNT\r"},
        {"unlisted value",     "",                       Esc("*s5^"),     ""},
        {"absolute cursor",    Esc("&a5y10C"),           Esc("a"),        Esc("&a010c005R\r")},
        {"relative cursor",    Esc("&a5y10C"),           Esc("`"),        Esc("&a010c005Y\r")},
        {"auto LF",           Esc("&k1A"),              Esc("^"),        Esc("\\800<000\r\n")},
        {"block page ends RS", Esc("&k1B") + Esc("&s1D"), Esc("^"),       Esc("\\880:000\x1e")},
        {"colour pair 2",      Esc("&v0.5a2I"),          Esc("&v2^"),     Esc("&v0m0.50a02I\r")},
        {"colour pair 9",      "",                       Esc("&v9^"),     ""},
    };
    // clang-format on
    for (const ReplyCase& c : cases) {
        SCOPED_TRACE(c.name);
        Hp700.settings = Hp700Settings{};
        Feed(c.setup);
        TakeSent();
        Feed(c.request);
        EXPECT_EQ(TakeSent(), "") << "the reply waits for DC1";
        Feed(kDc1);
        EXPECT_EQ(TakeSent(), c.reply);
    }
}

TEST_F(Hp700Test, TwoRequestsBeforeTheHandshakeGiveOneReply)
{
    Feed(Esc("^") + Esc("^") + kDc1 + kDc1);
    EXPECT_EQ(TakeSent(), Esc("\\8008000\r"));
}

TEST_F(Hp700Test, EachPendingReplyTakesItsOwnDc1)
{
    Feed(Esc("a") + Esc("^"));
    Feed(kDc1);
    EXPECT_EQ(TakeSent(), Esc("\\8008100\r")) << "the cursor request is still pending";
    Feed(kDc1);
    EXPECT_EQ(TakeSent(), Esc("&a000c000R\r"));
}

TEST_F(Hp700Test, HandshakesByStrap)
{
    Hp700.settings.inhhndshk = 1;
    Hp700.settings.inhdc2 = 1;
    Feed(Esc("~"));
    EXPECT_EQ(TakeSent(), Esc("|0500000\r")) << "no handshake at all";
    Hp700.settings.inhdc2 = 0;
    Feed(Esc("~"));
    EXPECT_EQ(TakeSent(), "");
    Feed(kDc1);
    EXPECT_EQ(TakeSent(), "\x12\r") << "DC2 asks for leave to send";
    Feed(kDc1);
    EXPECT_EQ(TakeSent(), Esc("|0500000\r"));
}

TEST_F(Hp700Test, PagesAndSelfTestInThePrimaryStatus)
{
    Hp700.settings.inhhndshk = Hp700.settings.inhdc2 = 1;
    for (auto [pages, first] : {std::pair{2, '4'}, {6, ':'}, {8, '?'}, {3, '8'}}) {
        Hp700.pages = pages;
        Feed(Esc("^"));
        EXPECT_EQ(TakeSent().substr(2, 1), std::string(1, first)) << pages;
    }
}

TEST_F(Hp700Test, ModelsOutsideTheSevenHundredSeriesAnswerTheirIdentity)
{
    Hp700.settings.inhhndshk = Hp700.settings.inhdc2 = 1;
    HpModel = 0;
    Feed(Esc("*s-1^"));
    EXPECT_EQ(TakeSent(), "2392A\r");
    HpModel = 4;
    Feed(Esc("*s-1^"));
    EXPECT_EQ(TakeSent(), "B !\r");
    HpModel = 7;
    Feed(Esc("*s1^"));
    EXPECT_EQ(TakeSent(), "2622A\r");
    HpModel = 1;
    Hp700.settings.customId[0] = 'X';
    Hp700.settings.customId[1] = 'Y';
    Feed(Esc("*s1^"));
    EXPECT_EQ(TakeSent(), "XY\r");
}

}  // namespace
