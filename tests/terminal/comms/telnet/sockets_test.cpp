// The socket layer over real loopback sockets under Wine: rollover, the one error report,
// Cancel and time-out, reconnecting, and telnet bytes both ways.
#include <winsock2.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "terminal/core/base/handles.h"
#include "terminal/settings/store/connsettings.h"
#include "terminal/comms/telnet/netsession.h"
#include "terminal/comms/telnet/network.h"
#include "terminal/comms/telnet/sockets.h"
#include "terminal/comms/telnet/telnetoptions.h"
#include "terminal/core/base/corestate.h"

namespace {
std::vector<i32> Failures;  // wParam of every WM_USER+396, in order

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kMsgSocketEvent) {
        SocketEvent(wParam, lParam);
        return 0;
    }
    if (message == kMsgConnectFailure) {
        Failures.push_back(static_cast<i32>(static_cast<i64>(wParam)));
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

struct Listener {
    SOCKET s = INVALID_SOCKET;
    u16 port = 0;
    explicit Listener(int backlog = 5)
    {
        s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
        int n = sizeof a;
        getsockname(s, reinterpret_cast<sockaddr*>(&a), &n);
        port = ntohs(a.sin_port);
        listen(s, backlog);
    }
    ~Listener() { closesocket(s); }
    SOCKET Accept()
    {
        SOCKET c = accept(s, nullptr, nullptr);
        const DWORD timeout = 5000;
        setsockopt(c, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);
        return c;
    }
};

// A port where nothing listens.
u16 RefusingPort()
{
    Listener l;
    return l.port;
}

std::string Hex(const std::string& bytes)
{
    std::string s;
    char b[4];
    for (unsigned char v : bytes) {
        snprintf(b, sizeof b, "%02X ", v);
        s += b;
    }
    if (!s.empty())
        s.pop_back();
    return s;
}

std::string ReceiveAtLeast(SOCKET s, std::size_t n)
{
    std::string got;
    char buffer[4096];
    while (got.size() < n) {
        const int r = recv(s, buffer, sizeof buffer, 0);
        if (r <= 0)
            break;
        got.append(buffer, static_cast<std::size_t>(r));
    }
    return got;
}

void SetHost(wchar16* slot, const wchar_t* text)
{
    wcscpy(slot, text);
}

class SocketLayerTest : public testing::Test {
protected:
    HWND window = nullptr;

    static void SetUpTestSuite()
    {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
        WNDCLASSW c{};
        c.lpfnWndProc = TestWindowProc;
        c.hInstance = GetModuleHandleW(nullptr);
        c.lpszClassName = L"vxSocketTest";
        RegisterClassW(&c);
    }

    void SetUp() override
    {
        InstanceHandle = GetModuleHandleW(nullptr);
        window = CreateWindowW(L"vxSocketTest", L"", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                               InstanceHandle, nullptr);
        MainWindowHandle = window;
        Failures.clear();
        ResetConnectionSettings();
        SetTelnetDefaults(TelnetConfig);
        EmulationId = 2;
    }

    void TearDown() override
    {
        if (SocketIndex >= 0)
            DisconnectNetworkSession(SocketIndex);
        SocketIndex = kNoSocket;
        Pump(200);
        DestroyWindow(window);
        MainWindowHandle = nullptr;
    }

    static void Pump(DWORD milliseconds)
    {
        const DWORD end = GetTickCount() + milliseconds;
        MSG msg;
        while (static_cast<i32>(end - GetTickCount()) > 0) {
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            Sleep(5);
        }
    }

    // Runs ConnectWithRollover on a worker thread (as the host-data thread does) while
    // this thread serves the window's messages; `during` runs on this thread meanwhile.
    template <typename During>
    int Connect(During during)
    {
        std::atomic<int> result{-100};
        std::atomic<bool> done{false};
        std::thread worker([&] {
            result = ConnectNetworkSession(0, Connection.netname);
            done = true;
        });
        const DWORD start = GetTickCount();
        MSG msg;
        while (!done && GetTickCount() - start < 30000) {
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            during(GetTickCount() - start);
            Sleep(5);
        }
        worker.join();
        Pump(300);  // the posted reports arrive
        return result;
    }
    int Connect()
    {
        return Connect([](DWORD) {});
    }
};

TEST_F(SocketLayerTest, RolloverSkipsRefusingAndEmptyHostsSilently)
{
    Listener live;  // on 127.0.0.1 only
    Connection.hostrollover = 1;
    Connection.telnetPort = live.port;
    SetHost(Connection.netname, L"127.0.0.2");      // loopback too, but nothing listens there
    SetHost(Connection.rollover[1], L"127.0.0.1");  // netname2 stays empty
    const int socket = Connect();
    ASSERT_GE(socket, 0);
    EXPECT_TRUE(Failures.empty() || (Failures.size() == 1 && Failures[0] == 0));
    SOCKET peer = live.Accept();
    EXPECT_EQ(Hex(ReceiveAtLeast(peer, 3)), "FF FD 01");  // DO ECHO first
    closesocket(peer);
}

TEST_F(SocketLayerTest, WhenAllHostsRefuseOneErrorIsReported)
{
    Connection.telnetPort = RefusingPort();
    SetHost(Connection.netname, L"127.0.0.1");
    EXPECT_EQ(Connect(), -1);
    ASSERT_EQ(Failures.size(), 1u);
    EXPECT_EQ(Failures[0], -WSAECONNREFUSED);

    Failures.clear();
    Connection.hostrollover = 1;
    SetHost(Connection.rollover[0], L"127.0.0.1");
    SetHost(Connection.rollover[2], L"127.0.0.1");
    EXPECT_EQ(Connect(), -1);
    ASSERT_EQ(Failures.size(), 1u);
    EXPECT_EQ(Failures[0], -WSAECONNREFUSED);

    // After the failures a live host connects: no earlier refusal decides this attempt.
    Failures.clear();
    Listener live;
    Connection.hostrollover = 0;
    Connection.telnetPort = live.port;
    const int socket = Connect();
    EXPECT_GE(socket, 0);
    for (i32 f : Failures)
        EXPECT_EQ(f, 0);
}

TEST_F(SocketLayerTest, UnresolvableNameIsReportedOnce)
{
    SetHost(Connection.netname, L"no-such-host.invalid");
    EXPECT_EQ(Connect(), -1);
    ASSERT_EQ(Failures.size(), 1u);
    EXPECT_LT(Failures[0], -10000);
}

// A listener whose queue is full keeps further connects pending.
struct StalledHost {
    Listener listener{0};
    std::vector<SOCKET> fillers;
    StalledHost()
    {
        for (int i = 0; i < 4; ++i) {
            SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
            u_long nb = 1;
            ioctlsocket(s, FIONBIO, &nb);
            sockaddr_in a{};
            a.sin_family = AF_INET;
            a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            a.sin_port = htons(listener.port);
            connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
            fillers.push_back(s);
        }
        Sleep(200);
    }
    ~StalledHost()
    {
        for (SOCKET s : fillers)
            closesocket(s);
    }
};

TEST_F(SocketLayerTest, CountdownAbandonsTheAttemptAsTimedOut)
{
    StalledHost stalled;
    Connection.telnetPort = stalled.listener.port;
    Connection.timeOut = 2;
    SetHost(Connection.netname, L"127.0.0.1");
    EXPECT_EQ(Connect(), -1);
    ASSERT_EQ(Failures.size(), 1u);
    EXPECT_EQ(Failures[0], -13);
}

TEST_F(SocketLayerTest, CancelInTheConnectingDialogReportsNothing)
{
    StalledHost stalled;
    Connection.telnetPort = stalled.listener.port;
    SetHost(Connection.netname, L"127.0.0.1");
    bool cancelled = false;
    wchar_t shown[128] = {};
    const int result = Connect([&](DWORD elapsed) {
        if (cancelled || elapsed < 2500)
            return;
        // The dialog appears after 1.5 s; press its Cancel button.
        HWND dialog = FindWindowW(L"#32770", nullptr);
        if (dialog && IsWindowVisible(dialog)) {
            GetDlgItemTextW(dialog, 1151, shown, 128);
            PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
            cancelled = true;
        }
    });
    EXPECT_TRUE(cancelled);
    EXPECT_STREQ(shown, L"Connecting via TCP/IP to 127.0.0.1");
    EXPECT_EQ(result, -1);
    for (i32 f : Failures)
        EXPECT_EQ(f, 0);
}

TEST_F(SocketLayerTest, TelnetBytesTravelBothWaysAndALostHostIsSeen)
{
    Listener live;
    Connection.telnetPort = live.port;
    SetHost(Connection.netname, L"127.0.0.1");
    const int socket = Connect();
    ASSERT_GE(socket, 0);
    SOCKET peer = live.Accept();
    EXPECT_EQ(Hex(ReceiveAtLeast(peer, 3)), "FF FD 01");

    const char data[] = "\x41\xFF\xFF\x42\xFF\x05\x43";
    send(peer, data, 7, 0);
    std::string got;
    for (int i = 0; i < 2000 && got.size() < 4; ++i) {
        Pump(1);
        const int b = NetworkReadByte(SocketIndex);
        if (b >= 0)
            got.push_back(static_cast<char>(b));
    }
    EXPECT_EQ(Hex(got), "41 FF 42 43");

    EXPECT_EQ(NetworkSendBreak(SocketIndex), 1);
    EXPECT_EQ(Hex(ReceiveAtLeast(peer, 5)), "FF F3 FF FD 06");
    const u16 units[] = {'h', 0xFF, 'i'};
    NetworkSendBlock(SocketIndex, units, 3);
    EXPECT_EQ(Hex(ReceiveAtLeast(peer, 4)), "68 FF FF 69");

    closesocket(peer);
    int last = -1;
    for (int i = 0; i < 2000 && last != -2; ++i) {
        Pump(1);
        last = NetworkReadByte(SocketIndex);
    }
    EXPECT_EQ(last, -2);
}
}  // namespace
