#include "lpr/lprtransfer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "lpr/lprprotocol.h"

namespace {

std::string Narrow(const wchar16* text)
{
    std::string out;
    for (; *text; ++text)
        out.push_back(static_cast<char>(*text));
    return out;
}

// A link that plays a daemon from a script: every step succeeds unless told otherwise,
// acknowledgements come from a queue (0x00 when it runs dry) and every send is kept.
class ScriptedLink : public LprLink {
public:
    bool failSocket = false, failResolve = false, failService = false, failConnect = false;
    int failSendNumber = -1;   // the n-th send call (from 0) fails
    int shortSendNumber = -1;  // the n-th send call takes one byte less
    u32 sendLimit = 0;         // nonzero: no send takes more than this
    int error = 10061;
    u32 now = 5000;
    std::deque<LprAck> acks;

    std::vector<std::string> sends;
    std::vector<std::string> logs;
    std::string calls;  // one letter per step: s r p c S A X

    static LprAck Byte(u8 b, std::string pending = "")
    {
        LprAck a;
        a.kind = LprAck::Byte;
        a.byte = b;
        a.pending = pending;
        return a;
    }
    static LprAck Of(LprAck::Kind kind, int error = 0)
    {
        LprAck a;
        a.kind = kind;
        a.error = error;
        return a;
    }

    bool CreateSocket(u64* socket) override
    {
        calls += 's';
        *socket = 77;
        return !failSocket;
    }
    bool Resolve(const char*) override
    {
        calls += 'r';
        return !failResolve;
    }
    bool FindPrinterPort() override
    {
        calls += 'p';
        return !failService;
    }
    bool Connect() override
    {
        calls += 'c';
        return !failConnect;
    }
    int Send(const u8* data, u32 length) override
    {
        const int number = static_cast<int>(sends.size());
        calls += 'S';
        if (number == failSendNumber) {
            sends.emplace_back();
            return -1;
        }
        u32 n = length;
        if (sendLimit && n > sendLimit)
            n = sendLimit;
        if (number == shortSendNumber && n > 0)
            --n;
        sends.emplace_back(reinterpret_cast<const char*>(data), n);
        return static_cast<int>(n);
    }
    LprAck WaitAck(u32 timeoutMs) override
    {
        EXPECT_EQ(timeoutMs, 15000u);
        calls += 'A';
        if (acks.empty())
            return Byte(0);
        LprAck a = acks.front();
        acks.pop_front();
        return a;
    }
    void Close() override { calls += 'X'; }
    int LastError() override { return error; }
    u32 Now() override { return now; }
    void Log(const wchar16* text) override { logs.push_back(Narrow(text)); }

    // Everything sent, as the daemon would read it.
    std::string Wire() const
    {
        std::string all;
        for (const auto& s : sends)
            all += s;
        return all;
    }
};

class LprTransferTest : public ::testing::Test {
protected:
    void Open(u32 retries = 0, u32 delay = 0, bool debug = false, int banner = 0)
    {
        const std::basic_string<wchar16> host = {'1', '2', '7', '.', '0', '.', '0', '.', '1'}, queue = {'l', 'p'},
                                         job = {'j'}, user = {'b', 'o', 'b'};
        LprOpenArguments a = {host.c_str(), queue.c_str(), job.c_str(), user.c_str(), 1, 1,
                              banner,       retries,       delay,       debug ? 1 : 0};
        ASSERT_TRUE(LprOpenRecord(r, a, "client"));
        r.state = LprStateQueued;
    }
    void SetData(const std::string& bytes)
    {
        data.assign(bytes.begin(), bytes.end());
        r.data = data.data();
        r.dataUsed = static_cast<u32>(data.size());
    }
    LprOutcome Send() { return LprSendJob(r, 3, "client", link, message); }
    std::string Message() const { return Narrow(message); }

    LprRequest r;
    std::vector<u8> data;
    ScriptedLink link;
    wchar16 message[LprMessageUnits] = {};
};

const std::string kControl = "Hclient\nPbob\nldfA001client\nNWindows Print\nUdfA001client\n";

TEST_F(LprTransferTest, AJobGoesAsCommandControlFileThenDataFileEachAcknowledged)
{
    Open();
    std::string payload(2920, '\0');
    for (size_t i = 0; i < payload.size(); ++i)
        payload[i] = static_cast<char>(i * 7);
    SetData(payload);
    ASSERT_EQ(Send(), LprOutcome::Printed);

    const std::vector<std::string> expected = {
        "\x02lp\n",
        std::string("\x02") + std::to_string(kControl.size()) + " cfA001client\n",
        kControl,
        std::string(1, '\0'),
        // clang-format off
        "\x03" "2920 dfA001client\n",
        // clang-format on
        payload.substr(0, 1460),
        payload.substr(1460, 1460),
        "",  // the content ended on a piece boundary
        std::string(1, '\0'),
    };
    EXPECT_EQ(link.sends, expected);
    // clang-format off
    EXPECT_EQ(link.calls, "srpcSASASSASASSSSA" "X");
    // clang-format on
    EXPECT_EQ(r.state, LprStateFree);
    EXPECT_EQ(r.socket, LprNoSocket);
    EXPECT_TRUE(link.logs.empty());
}

TEST_F(LprTransferTest, ContentIsCutIntoPiecesOf1460AndShortSendsLoseNothing)
{
    const struct {
        size_t size;
        u32 limit;
        std::vector<size_t> pieces;
    } cases[] = {
        {0, 0, {0}},
        {1, 0, {1}},
        {1459, 0, {1459}},
        {1460, 0, {1460, 0}},
        {1461, 0, {1460, 1}},
        {4000, 0, {1460, 1460, 1080}},
        {3000, 1000, {1000, 1000, 1000}},  // the system took less than offered each time
        {2000, 1000, {1000, 1000}},
    };
    for (const auto& c : cases) {
        link = ScriptedLink();
        link.sendLimit = c.limit;
        Open();
        std::string payload(c.size, 'x');
        for (size_t i = 0; i < payload.size(); ++i)
            payload[i] = static_cast<char>('a' + i % 26);
        SetData(payload);
        ASSERT_EQ(Send(), LprOutcome::Printed) << c.size;
        // The data file's content sits between its sub-command and the final 0x00.
        const size_t sub = link.sends.size() - 2 - c.pieces.size();
        ASSERT_EQ(link.sends[sub][0], '\x03');
        std::vector<size_t> pieces;
        std::string joined;
        for (size_t i = sub + 1; i + 1 < link.sends.size(); ++i) {
            pieces.push_back(link.sends[i].size());
            joined += link.sends[i];
        }
        EXPECT_EQ(pieces, c.pieces) << c.size;
        EXPECT_EQ(joined, payload) << c.size;
        EXPECT_EQ(link.sends.back(), std::string(1, '\0'));
    }
}

TEST_F(LprTransferTest, EveryFailureEndsInTheFailurePathWithItsText)
{
    using K = LprAck::Kind;
    // clang-format off
    const struct {
        const char* what;
        void (*arrange)(ScriptedLink&);
        const char* text;
        bool socketMade;
    } cases[] = {
        {"socket", [](ScriptedLink& l) { l.failSocket = true; l.error = 10055; },
         "Couldn't create socket. socket() Error 10055", false},
        {"resolve", [](ScriptedLink& l) { l.failResolve = true; l.error = 11001; },
         "WSAAsyncGetHostByName returns error 11001", true},
        {"service", [](ScriptedLink& l) { l.failService = true; l.error = 10109; },
         "getservbyname() failed. Error 10109", true},
        {"connect", [](ScriptedLink& l) { l.failConnect = true; l.error = 10061; },
         "Couldn't open socket - connect() failed. Error 10061", true},
        {"command send", [](ScriptedLink& l) { l.failSendNumber = 0; l.error = 10054; }, "Send failed. Error 10054",
         true},
        {"short command send", [](ScriptedLink& l) { l.shortSendNumber = 0; l.error = 0; }, "Send failed. Error 0",
         true},
        {"refused with 0x01", [](ScriptedLink& l) { l.acks = {ScriptedLink::Byte(1)}; },
         "LPR: Remote host has aborted connection ", true},
        {"refused with text", [](ScriptedLink& l) { l.acks = {ScriptedLink::Byte('n', "o such queue\n")}; },
         "LPR: Remote host has aborted connection no such queue\n", true},
        {"control file refused", [](ScriptedLink& l) { l.acks = {ScriptedLink::Byte(0), ScriptedLink::Byte(1)}; },
         "LPR: Remote host has aborted connection ", true},
        {"closed before the data file", [](ScriptedLink& l) {
             l.acks = {ScriptedLink::Byte(0), ScriptedLink::Byte(0), ScriptedLink::Byte(0), ScriptedLink::Of(K::Closed)};
         }, "LPR: Remote host has aborted connection ", true},
        {"timeout", [](ScriptedLink& l) { l.acks = {ScriptedLink::Of(K::Timeout)}; }, "LPR: Recv() Timed Out", true},
        {"select error", [](ScriptedLink& l) { l.acks = {ScriptedLink::Of(K::SelectError, 10038)}; },
         "Recv() Failed. Error 10038", true},
        {"read error", [](ScriptedLink& l) { l.acks = {ScriptedLink::Byte(0), ScriptedLink::Of(K::ReadError, 10054)}; },
         "Recv() Failed. Error 10054", true},
        {"error and readable", [](ScriptedLink& l) { l.acks = {ScriptedLink::Of(K::ErrorAndReadable)}; },
         "LPR: Remote host has aborted connection ", true},
        {"last acknowledgement refused", [](ScriptedLink& l) {
             l.acks = {ScriptedLink::Byte(0), ScriptedLink::Byte(0), ScriptedLink::Byte(0), ScriptedLink::Byte(0),
                       ScriptedLink::Byte(2)};
         }, "LPR: Remote host has aborted connection \x02", true},
        {"data content send", [](ScriptedLink& l) { l.failSendNumber = 5; l.error = 10053; },
         "Send failed. Error 10053", true},
        {"end byte send", [](ScriptedLink& l) { l.failSendNumber = 3; l.error = 10053; }, "Send failed. Error 10053",
         true},
    };
    // clang-format on
    for (const auto& c : cases) {
        link = ScriptedLink();
        c.arrange(link);
        Open(0, 0, true);
        SetData("hello");
        EXPECT_EQ(Send(), LprOutcome::Removed) << c.what;
        EXPECT_EQ(Message(), c.text) << c.what;
        ASSERT_GE(link.logs.size(), 2u) << c.what;
        EXPECT_EQ(link.logs[link.logs.size() - 2], c.text) << c.what;
        EXPECT_EQ(link.logs.back(), "Request Removed") << c.what;
        // The socket is closed exactly when one was made.
        EXPECT_EQ(link.calls.back() == 'X', c.socketMade) << c.what << " " << link.calls;
        EXPECT_EQ(r.socket, LprNoSocket) << c.what;
    }
}

TEST_F(LprTransferTest, AShortSubcommandSendIsNotedAndTheAcknowledgementDecides)
{
    Open();
    SetData("abc");
    link.shortSendNumber = 1;
    link.error = 0;
    link.acks = {ScriptedLink::Byte(0), ScriptedLink::Byte(0)};
    ASSERT_EQ(Send(), LprOutcome::Printed);
    EXPECT_EQ(Message(), "send returned 16. length was 17. Error 0");
}

TEST_F(LprTransferTest, RetriesCountDownThenTheRequestIsRemoved)
{
    Open(2, 500, true);
    SetData("abc");
    for (int attempt = 0; attempt < 2; ++attempt) {
        link.acks = {ScriptedLink::Byte(1)};
        link.now = 10000 + 3000 * attempt;
        ASSERT_EQ(Send(), LprOutcome::WaitingRetry) << attempt;
        EXPECT_EQ(r.state, LprStateWaitingRetry);
        EXPECT_EQ(LprRetriesLeft(r), static_cast<u32>(1 - attempt));
        EXPECT_EQ(LprRetryDelay(r), 500u);  // the count-down leaves the delay alone
        EXPECT_EQ(r.retryTime, link.now + 500);
    }
    link.acks = {ScriptedLink::Byte(1)};
    EXPECT_EQ(Send(), LprOutcome::Removed);
    EXPECT_EQ(link.logs.back(), "Request Removed");

    // A retry starts again from the socket and can succeed.
    link = ScriptedLink();
    Open(1, 0);
    SetData("abc");
    link.acks = {ScriptedLink::Of(LprAck::Timeout)};
    ASSERT_EQ(Send(), LprOutcome::WaitingRetry);
    link.sends.clear();
    ASSERT_EQ(Send(), LprOutcome::Printed);
    EXPECT_EQ(link.sends.front(), "\x02lp\n");
    EXPECT_EQ(link.sends.size(), 7u);
}

TEST_F(LprTransferTest, DebugLinesFollowTheTransfer)
{
    Open(0, 0, true);
    SetData("abc");
    ASSERT_EQ(Send(), LprOutcome::Printed);
    const std::vector<std::string> expected = {
        "Start request 3 to machine 127.0.0.1",
        "3 - Socket created 77.",
        "3 - Set up control file ready for transmission",
        "3 Transmit request to send a print",
        "3 - Ack received",
        "3 - Transmit request to send file (cfA001client)",
        "3 - Transmit file data",
        "3 - File transmitted. Wait for Ack",
        "3 - Ack received",
        "3 - Transmit request to send file (dfA001client)",
        "3 - Transmit file data",
        "3 - File transmitted. Wait for Ack",
        "3 - Ack received. Closing socket",
        "3 - Print Finished",
    };
    EXPECT_EQ(link.logs, expected);
}

TEST_F(LprTransferTest, ARefusalTextLongerThanTheBufferIsCut)
{
    Open();
    SetData("abc");
    link.acks = {ScriptedLink::Byte('E', std::string(600, 'r'))};
    ASSERT_EQ(Send(), LprOutcome::Removed);
    const std::string text = Message();
    EXPECT_EQ(text.size(), static_cast<size_t>(LprMessageUnits - 1));
    EXPECT_EQ(text.substr(0, 41), "LPR: Remote host has aborted connection E");
}

}  // namespace
