// A 3270 session over the telnet doubles: host records go in as hex, what the session
// sends comes back as hex, and the screen reads as text through the session's code page.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "terminal/emulations/ibmhost/hexbytes.h"
#include "support/doubles_ibmhost.h"
#include "support/doubles_telnet.h"
#include "support/test_doubles.h"
#include "terminal/comms/telnet/telnet.h"
#include "terminal/comms/telnet/telnetoptions.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/emulations/ibmhost/3270/fieldedit3270.h"
#include "terminal/emulations/ibmhost/station/hostcodepage.h"
#include "terminal/emulations/ibmhost/3270/keys3270.h"
#include "terminal/emulations/ibmhost/3270/models3270.h"
#include "terminal/emulations/ibmhost/3270/settings3270.h"
#include "terminal/emulations/ibmhost/3270/tn3270e.h"
#include "terminal/input/macros/keyevents.h"

namespace t3270 {
constexpr int kModel3278_2 = 0, kModel3278_5 = 3, kModel3278_2E = 4, kModel3279_2 = 8, kModel3279_5 = 11;
constexpr u8 kBindImage = 0, kResponses = 2, kSysReq = 4;

using ibmtest::Bytes;
using ibmtest::Hex;
}  // namespace t3270

class Session3270Test : public testing::Test {
protected:
    I3270Session s{};
    // Applied to the factory settings by every Start.
    std::function<void(I3270Settings&)> configure;

    void SetUp() override { Start(t3270::kModel3279_2, {t3270::kResponses}); }
    void TearDown() override
    {
        Tn3270ActiveSession = nullptr;
        doubles::ResetTelnet();
        ClearDeferredKeys();
    }

    // A fresh session of the model over TN3270E with the functions agreed; no
    // functions and `tn3270e` false: plain TN3270 with BINARY and EOR both ways.
    void Start(int model, std::initializer_list<u8> functions, bool tn3270e = true)
    {
        doubles::Reset();
        doubles::ResetTelnet();
        doubles::UseBuilt3270Family();
        doubles::ResetIbmHost();
        ClearDeferredKeys();
        I3270SetFactorySettings(I3270Config, 0);
        I3270Config.mode = static_cast<u8>(model);
        if (configure)
            configure(I3270Config);
        if (!InputQueueBlocks.deferredKeys) {
            ASSERT_TRUE(AllocInputQueues());
        }
        s = I3270Session{};
        Tn3270ActiveSession = &s;
        EmulationId = 6;
        Telnet.eorPermit3270 = 1;
        for (u8 o : {0, 25})
            Telnet.local[o] = Telnet.remote[o] = 1;
        if (tn3270e) {
            Telnet.local[40] = 1;
            Telnet.tn3270eState = 4;
            for (u8 f : functions)
                Telnet.functions[f] = 1;
        }
        I3270InitSession(&s);
        s.connectionMode = 1;
        Tn3270UpdateTelnetModes();
        Sent();
    }

    void Host(const std::string& hex)
    {
        const std::vector<u8> r = t3270::Bytes(hex);
        I3270HandleRecord(&s, r.data(), static_cast<int>(r.size()));
    }

    static std::string Sent()
    {
        std::string h = t3270::Hex(doubles::Peer().sent);
        doubles::Peer().sent.clear();
        return h;
    }

    // Row r as shown: attributes, nulls and non-display characters as blanks.
    std::string Row(int r) const
    {
        std::string text;
        for (int c = 0; c < s.current.columns; ++c) {
            const HostCell& cell = s.cells[static_cast<std::size_t>(r * s.current.columns + c)];
            const wchar16 u = HostByteToUnicode(s.s2u, cell.character);
            text.push_back(IsAttribute(cell) || cell.character == 0 || u > 0x7E ? ' ' : static_cast<char>(u));
        }
        while (!text.empty() && text.back() == ' ')
            text.pop_back();
        return text;
    }

    void Type(const char* text)
    {
        for (; *text; ++text)
            I3270TypedCharacter(&s, static_cast<wchar16>(*text));
    }
};
