#include "ta6530_fixture.h"

#include <cstdio>

#include "support/doubles_host.h"
#include "support/doubles_network.h"
#include "support/doubles_ta6530.h"
#include "support/hostreset.h"
#include "terminal/comms/telnet/network.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/base/family.h"
#include "terminal/core/host/hostread.h"
#include "terminal/core/screen/screenops.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/session/terminalinit.h"
#include "terminal/emulations/ta6530/family.h"
#include "terminal/emulations/ta6530/screen/tacelltext.h"
#include "terminal/emulations/ta6530/tamodes.h"
#include "terminal/emulations/ta6530/screen/tapages.h"
#include "terminal/emulations/ta6530/settings/tasettings.h"
#include "terminal/emulations/ta6530/screen/tastatus.h"
#include "terminal/emulations/ta6530/tatables.h"
#include "terminal/input/macros/keyevents.h"

namespace {
constexpr SocketHandle kFakeSocket = 7;
}  // namespace

std::string Hex(const std::string& bytes)
{
    std::string out;
    char b[4];
    for (char c : bytes) {
        std::snprintf(b, sizeof b, "%02X", static_cast<u8>(c));
        if (!out.empty())
            out += ' ';
        out += b;
    }
    return out;
}

void Ta6530Test::SetUp()
{
    ResetHostPath();
    ASSERT_TRUE(AllocScreenStore());
    ASSERT_TRUE(AllocInputQueues());
    ASSERT_TRUE(InitialiseTerminal(1));
    doubles::ResetHost();
    doubles::Ta6530() = doubles::Ta6530Double{};
    SocketIndex = kFakeSocket;
    EmulationId = kEmuTa6530;
    SetActiveFamily(&Ta6530Family);
    TaProfileSettings = TaFactorySettings();
    Enter();
}

void Ta6530Test::TearDown()
{
    TaLeave();
    SetActiveFamily(nullptr);
    EmulationId = kDefaultEmulationId;
    ResetHostPath();
}

void Ta6530Test::UseSerialLine()
{
    serial_ = true;
    SocketIndex = kNoSocket;
    doubles::Comms().serialRecord = true;
    doubles::Comms().serialOpen = true;
    Enter();
}

void Ta6530Test::Enter()
{
    TaEnter();
    TaResetTerminal(true);
    Sent();
}

void Ta6530Test::Feed(const std::string& bytes)
{
    if (serial_) {
        for (char c : bytes)
            doubles::Comms().serialIncoming.push_back(static_cast<u8>(c));
    } else {
        doubles::NetworkDouble& n = doubles::Network();
        std::lock_guard<std::mutex> guard(n.lock);
        for (char c : bytes)
            n.incoming.push_back(static_cast<u8>(c));
    }
    doubles::Ui().held = false;
    for (int guard = 0; guard < 20 * static_cast<int>(bytes.size()) + 20 && !doubles::Ui().held; ++guard)
        if (!ProcessHostChar())
            break;
    doubles::Ui().held = false;
}

void Ta6530Test::Type(const std::string& text)
{
    for (char c : text)
        QueueInputEvent(1, static_cast<u8>(c), 0);
    Feed("");
}

void Ta6530Test::Key(int keyCode, int shift)
{
    QueueInputEvent(3, static_cast<u16>(keyCode), static_cast<u16>(shift));
    Feed("");
}

std::string Ta6530Test::Sent()
{
    std::string out;
    if (serial_) {
        std::vector<u8>& sent = doubles::Comms().serialSent;
        out.assign(sent.begin(), sent.end());
        sent.clear();
    } else {
        doubles::NetworkDouble& n = doubles::Network();
        std::lock_guard<std::mutex> guard(n.lock);
        out.assign(n.sent.begin(), n.sent.end());
        n.sent.clear();
    }
    return Hex(out);
}

std::string Ta6530Test::Row(int row)
{
    const TaLine& line = row < kTaRows ? *Ta.screen[row] : TaRow24Line();
    std::string s;
    for (const ScreenCell& cell : line.cells) {
        const u16 c = TaCellUnicode(cell);
        s.push_back(c < 128 ? static_cast<char>(c) : '?');
    }
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

std::string Ta6530Test::Status()
{
    return Row(kTaStatusRow);
}

int Ta6530Test::CursorRow()
{
    const TaPage& page = TaDisplayPage();
    return page.cursorLine - page.top;
}

int Ta6530Test::CursorColumn()
{
    return TaDisplayPage().cursorColumn;
}

std::string Ta6530Test::Frame(char control, const std::string& data, int sequence)
{
    std::string f(1, control);
    u8 check = 0;
    if (sequence >= 0) {
        f += static_cast<char>(sequence);
        check ^= static_cast<u8>(sequence);
    }
    for (char c : data)
        check ^= static_cast<u8>(c);
    check ^= 3;
    f += data;
    f += '\x03';
    f += static_cast<char>(check);
    return f;
}
