#include "keys_fixture.h"

#include <cstdio>
#include <mutex>

#include "support/doubles_input.h"
#include "support/doubles_network.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/family.h"
#include "terminal/core/host/hostio.h"
#include "terminal/core/host/hostread.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/core/screen/paintsettings.h"
#include "terminal/core/host/pushback.h"
#include "terminal/emulations/dec/keys/keymodes.h"
#include "terminal/emulations/dec/keys/keysequences.h"
#include "terminal/input/keyboard/keycodes.h"
#include "terminal/input/macros/keydefs.h"
#include "terminal/input/macros/keyevents.h"
#include "terminal/settings/store/profilevalues.h"

namespace {
void ResetKeyState()
{
    Vt300Values.curskeyapp = 0;
    Vt300Values.kpadmode = 0;
    Vt300Values.barkmode = 1;
    Vt300Values.DecKeyMode = 0;
    Vt300Values.mltnat = 1;
    Vt300Values.ignnulls = 0;
    Vt300Values.edit_pfkey = 0;
    KeyboardType = 4;
    ShiftState = 0;
    NumLockState = 1;
    KeypadDecimalChar = '.';
    KeypadSeparatorChar = ',';
    PaintSettings.displayControls = 0;
    DeleteAllKeyDefinitions();
    InstallVtDefaultKeys();
    doubles::Input() = doubles::InputDouble{};
}
}  // namespace

void KeyPathTest::SetUp()
{
    HostPathTest::SetUp();
    ResetKeyState();
}

void KeyPathTest::TearDown()
{
    ResetKeyState();
    HostPathTest::TearDown();
}

void KeyPathTest::Pump()
{
    for (int guard = 0; guard < 100000; ++guard) {
        if (!IsKeyboardInputPending())
            break;
        doubles::Ui().held = false;
        ProcessHostChar();
    }
    doubles::Ui().held = false;
    SendBatchFlush();
}

void KeyPathTest::Key(int keyCode, int shift)
{
    QueueInputEvent(3, static_cast<u16>(keyCode), static_cast<u16>(shift));
    Pump();
}

std::string KeyPathTest::TakeSent()
{
    doubles::NetworkDouble& n = doubles::Network();
    std::lock_guard<std::mutex> guard(n.lock);
    std::string s(n.sent.begin(), n.sent.end());
    n.sent.clear();
    n.sendCalls.clear();
    return s;
}

void KeyPathTest::UseEmulation(u8 id)
{
    EmulationId = id;
    RequestedEmulationId = id;
}

std::string Printable(const std::string& bytes)
{
    std::string out;
    for (unsigned char c : bytes) {
        if (c == 0x1B)
            out += "ESC ";
        else if (c < 32 || c >= 127) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "<%02X>", c);
            out += hex;
        } else
            out += static_cast<char>(c);
    }
    return out;
}
