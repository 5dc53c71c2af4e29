#include "hostpath_fixture.h"
#include "terminal/core/screen/paintsettings.h"

#include "support/doubles_network.h"
#include "support/test_doubles.h"
#include "terminal/core/session/terminalinit.h"
#include "terminal/settings/store/connsettings.h"
#include "terminal/comms/telnet/netsession.h"
#include "terminal/comms/telnet/telnet.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/comms/telnet/network.h"
#include "terminal/comms/serial/serial.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/family.h"
#include "terminal/core/host/escparser.h"
#include "terminal/core/host/hostio.h"
#include "terminal/core/host/hostread.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/core/host/pushback.h"
#include "terminal/core/screen/screenops.h"
#include "terminal/emulations/dec/vtchar.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/input/macros/keyevents.h"
#include "terminal/settings/store/profilevalues.h"

namespace {
constexpr SocketHandle kFakeSocket = 7;
}  // namespace

void HostPathTest::SetUp()
{
    ResetHostPath();
    ASSERT_TRUE(AllocScreenStore());
    ASSERT_TRUE(AllocInputQueues());
    ASSERT_TRUE(InitialiseTerminal(1));
    SocketIndex = kFakeSocket;
    doubles::ResetHost();
}

void HostPathTest::TearDown()
{
    ResetHostPath();
}

void HostPathTest::Feed(const std::string& bytes)
{
    {
        doubles::NetworkDouble& n = doubles::Network();
        std::lock_guard<std::mutex> guard(n.lock);
        for (char c : bytes)
            n.incoming.push_back(static_cast<u8>(c));
    }
    doubles::Ui().held = false;
    for (int guard = 0; guard < 10 * static_cast<int>(bytes.size()) + 10 && !doubles::Ui().held; ++guard)
        if (!ProcessHostChar())
            break;
    doubles::Ui().held = false;
}

void HostPathTest::Type(const std::string& text)
{
    for (char c : text)
        QueueInputEvent(1, static_cast<u8>(c), 0);
}

std::string HostPathTest::Slot(int slot)
{
    const ScreenLineRecord* line = LineAt(slot);
    std::string s;
    if (!line)
        return "<none>";
    for (int c = 0; c <= Screen.lastColumn; ++c)
        s.push_back(static_cast<char>(line->cells[c].ch));
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

std::string HostPathTest::Row(int row)
{
    return Slot(row);
}

std::vector<std::string> HostPathTest::History()
{
    std::vector<std::string> lines;
    for (int slot = Screen.lineCount - Screen.historyCount; slot < Screen.lineCount; ++slot)
        lines.push_back(Slot(slot));
    return lines;
}

std::vector<u8> HostPathTest::Sent()
{
    std::lock_guard<std::mutex> guard(doubles::Network().lock);
    return doubles::Network().sent;
}

std::vector<int> HostPathTest::SendCalls()
{
    std::lock_guard<std::mutex> guard(doubles::Network().lock);
    return doubles::Network().sendCalls;
}
