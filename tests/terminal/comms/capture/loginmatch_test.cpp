// What a login script types for its responses, the conditions it waits for, and how the
// host's text is matched against the awaited text.
#include <gtest/gtest.h>

#include "terminal/comms/capture/loginmatch.h"
#include "terminal/input/macros/keynames.h"

namespace {
std::u16string U(const char* s)
{
    std::u16string out;
    for (; *s; ++s)
        out.push_back(static_cast<u8>(*s));
    return out;
}

// The actions as text: typed runs as they are, tokens in brackets.
std::u16string Typed(const std::u16string& response)
{
    std::u16string out;
    for (const LoginAction& a : ParseLoginResponse(response)) {
        switch (a.kind) {
        case LoginActionKind::Text: out += a.text; break;
        case LoginActionKind::UserName: out += u"[UN]"; break;
        case LoginActionKind::Password: out += u"[PW]"; break;
        case LoginActionKind::Pause: out += a.pauseMs == 250 ? u"[P]" : u"[D]"; break;
        case LoginActionKind::Key: out += u"[KEY]"; break;
        }
    }
    return out;
}
}  // namespace

TEST(LoginResponses, EscapesTypeTheirCharacters)
{
    struct Case {
        const char* response;
        std::u16string typed;
    };
    // clang-format off
    const Case cases[] = {
        {"a^Mb_027c\\^d<CR>", U("a\rb\x1b" "c^d\r")},
        {"^@^[^_", std::u16string{0, 0x1B, 0x1F}},
        {"^a^~", U("^a^~")},           // outside @.._ both characters stay
        {"x^", U("x^")},               // a final caret stays
        {"\\x\\\\", U("\\x\\\\")},     // a backslash before anything but a caret stays
        {"end\\", U("end\\")},
        {"_200_999_12", std::u16string{200, 999 & 0xFF} + U("_12")},
        {"<<x>> a>b", U("<x> ab")},
        {"<CR><LF><cr>", U("\r\n\r")},
        {"<NOSUCHKEY>left", U("left")},
        {"<unclosed", U("<unclosed")},
        {"", U("")},
    };
    // clang-format on
    for (const Case& c : cases)
        EXPECT_EQ(Typed(U(c.response)), c.typed) << c.response;
}

TEST(LoginResponses, TokensSplitTheTyping)
{
    EXPECT_EQ(Typed(U("me<UN>^M<PW>^M<P><D>")), U("me[UN]\r[PW]\r[P][D]"));
    const std::vector<LoginAction> actions = ParseLoginResponse(U("a<pw>b"));
    ASSERT_EQ(actions.size(), 3u);
    EXPECT_EQ(actions[0].text, U("a"));
    EXPECT_EQ(actions[1].kind, LoginActionKind::Password);
    EXPECT_EQ(actions[2].text, U("b"));
    // A response of 255 units goes out whole, in runs no longer than the typing takes.
    const std::vector<LoginAction> runs = ParseLoginResponse(std::u16string(255, u'x'));
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].text.size(), kLoginTextChunk);
    EXPECT_EQ(runs[0].text.size() + runs[1].text.size(), 255u);
}

TEST(LoginResponses, KeyNamesBecomeKeyEvents)
{
    int key = -1, shift = 0;
    std::u16string parts = U("VK_F1") + std::u16string(1, 0);
    ASSERT_TRUE(ParseKeyNameCombination(reinterpret_cast<const wchar16*>(parts.c_str()), 1, &key, &shift));
    const std::vector<LoginAction> f1 = ParseLoginResponse(U("<VK_F1>"));
    ASSERT_EQ(f1.size(), 1u);
    EXPECT_EQ(f1[0].kind, LoginActionKind::Key);
    EXPECT_EQ(f1[0].key, key);
    EXPECT_EQ(f1[0].shift, shift);

    int comboKey = -1, comboShift = 0;
    parts = U("CONTROL") + std::u16string(1, 0) + U("VK_F1") + std::u16string(1, 0);
    ASSERT_TRUE(
        ParseKeyNameCombination(reinterpret_cast<const wchar16*>(parts.c_str()), 2, &comboKey, &comboShift));
    for (const char* written : {"<CONTROL+VK_F1>", "<CONTROL-VK_F1>", "< CONTROL + VK_F1 >"}) {
        const std::vector<LoginAction> combo = ParseLoginResponse(U(written));
        ASSERT_EQ(combo.size(), 1u) << written;
        EXPECT_EQ(combo[0].key, comboKey) << written;
        EXPECT_EQ(combo[0].shift, comboShift) << written;
    }
}

TEST(LoginConditions, KeyboardLockedOrUnlocked)
{
    EXPECT_EQ(ParseLoginCondition(U("<KL>")), 0);
    EXPECT_EQ(ParseLoginCondition(U("<ku>")), 1);
    EXPECT_EQ(ParseLoginCondition(U("<KU")), 1);
    for (const char* other : {"KU", "<KX>", "", "<>", " <KL>"})
        EXPECT_EQ(ParseLoginCondition(U(other)), -1) << other;
}

TEST(LoginMatch, TheResponseFollowsTheAwaitedTextAndWhatComesAfterStays)
{
    LoginMatcher m;
    m.Await(U("login:"));
    for (char16_t c : U("xxlogin"))
        m.Append(c);
    EXPECT_FALSE(m.TestMatch());
    EXPECT_EQ(m.Held(), 5u);  // only what could still begin the text
    m.Append(u':');
    EXPECT_TRUE(m.TestMatch());
    m.Append(u' ');
    EXPECT_EQ(m.Held(), 1u);  // the blank waits for the next text
    m.Await(U(" Pass"));
    for (char16_t c : U("Pass"))
        m.Append(c);
    EXPECT_TRUE(m.TestMatch());
    EXPECT_FALSE(m.TestMatch());
    // Case counts; nothing awaited matches nothing.
    m.Await(U("ok"));
    m.Append(u'O');
    m.Append(u'K');
    EXPECT_FALSE(m.TestMatch());
    m.Await({});
    EXPECT_FALSE(m.Awaiting());
    EXPECT_FALSE(m.TestMatch());
}

TEST(LoginMatch, AHostThatNeverSaysTheWordCannotGrowTheBuffer)
{
    LoginMatcher m;
    m.Await(U("never"));
    for (std::size_t i = 0; i < kLoginMatchHeldMax * 3; ++i)
        m.Append(u'x');
    EXPECT_LE(m.Held(), kLoginMatchHeldMax);
    EXPECT_FALSE(m.TestMatch());
    EXPECT_EQ(m.Held(), 4u);
}
