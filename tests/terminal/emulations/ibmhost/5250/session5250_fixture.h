// A 5250 session over the telnet doubles in block mode: host records go in as hex, what
// the session sends comes back as hex (IAC EOR included), and the screen and the status
// row read as text through the session's code page.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/doubles_ibmhost.h"
#include "support/doubles_telnet.h"
#include "support/test_doubles.h"
#include "terminal/comms/telnet/telnet.h"
#include "terminal/comms/telnet/telnetoptions.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/emulations/ibmhost/5250/keyboard/fieldedit5250.h"
#include "terminal/emulations/ibmhost/5250/keyboard/keys5250.h"
#include "terminal/emulations/ibmhost/5250/lifecycle5250.h"
#include "terminal/emulations/ibmhost/5250/datastream/records5250.h"
#include "terminal/emulations/ibmhost/5250/screen/screentext5250.h"
#include "terminal/emulations/ibmhost/5250/settings5250.h"
#include "terminal/emulations/ibmhost/hexbytes.h"
#include "terminal/input/macros/keyevents.h"

namespace t5250 {
using ibmtest::Bytes;
using ibmtest::Hex;
constexpr int kModel3179 = 3, kModel3477 = 6, kPrinter = 11;
// Key codes of the PC keyboard.
constexpr int kF1 = 68, kF3 = 70, kEsc = 113, kKeypadStar = 95, kKeypadMinus = 96, kKeypadEnter = 111,
              kReturn = 114, kTab = 115;
constexpr u32 kShift = 1;

// A display record: header with the operation code and flags, then the data.
inline std::string Record(const std::string& data, int opcode = 3, int flags = 0)
{
    const int length = 10 + static_cast<int>(Bytes(data).size());
    char head[64];
    std::snprintf(head, sizeof head, "%02X %02X 12 A0 00 00 04 %02X 00 %02X", length >> 8, length & 0xFF, flags,
                  opcode);
    return data.empty() ? std::string(head) : std::string(head) + " " + data;
}

// A negative response with its sense code.
inline std::string Negative(const std::string& sense)
{
    return "00 0E 12 A0 00 00 04 80 00 00 " + sense + " FF EF";
}
}  // namespace t5250

class Session5250Test : public testing::Test {
protected:
    I5250Session s{};
    // Applied to the factory settings by every Start.
    std::function<void(I5250Settings&)> configure;

    void SetUp() override { Start(t5250::kModel3179); }
    void TearDown() override
    {
        I5250FreeSession(&s);
        I5250ActiveSession = nullptr;
        Tn5250ActiveSession = nullptr;
        doubles::ResetTelnet();
        ClearDeferredKeys();
    }

    // A fresh session of the model in block mode (BINARY and EOR both ways).
    void Start(int model)
    {
        doubles::Reset();
        doubles::ResetTelnet();
        doubles::UseBuilt5250Family();
        doubles::ResetIbmHost();
        ClearDeferredKeys();
        I5250SetFactorySettings(I5250Config);
        I5250Config.model = static_cast<u8>(model);
        if (configure)
            configure(I5250Config);
        if (!InputQueueBlocks.deferredKeys) {
            ASSERT_TRUE(AllocInputQueues());
        }
        I5250FreeSession(&s);
        s = I5250Session{};
        Tn5250ActiveSession = &s;
        I5250ActiveSession = &s;
        EmulationId = 7;
        Telnet.eorPermit5250 = 1;
        for (u8 o : {0, 25})
            Telnet.local[o] = Telnet.remote[o] = 1;
        ASSERT_TRUE(I5250InitSession(&s));
        Tn5250UpdateTelnetModes();
        Sent();
    }

    void Host(const std::string& hex)
    {
        const std::vector<u8> r = t5250::Bytes(hex);
        I5250HandleRecords(&s, r.data(), static_cast<int>(r.size()));
    }

    static std::string Sent()
    {
        std::string h = t5250::Hex(doubles::Peer().sent);
        doubles::Peer().sent.clear();
        return h;
    }

    std::string Row(int r) const { return I5250RowText(&s, r); }
    std::string Status() const { return I5250StatusText(&s); }

    void Type(const char* text)
    {
        for (; *text; ++text)
            I5250TypedCharacter(&s, static_cast<wchar16>(static_cast<u8>(*text)));
    }
    void Key(int code, u32 shift = 0) { I5250KeyFunction(&s, code, shift); }

    // The cursor as "row/column", 1-based.
    std::string Cursor() const
    {
        return std::to_string(RowOf(&s, s.cursor) + 1) + "/" + std::to_string(ColumnOf(&s, s.cursor) + 1);
    }
};
