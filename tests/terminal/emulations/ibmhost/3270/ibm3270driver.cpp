// Drives the 3270 engine from standard input, one command a line, for comparison with
// another 3270 (tests/.../s3270_differential.py):
//   start <model> <tn3270e 0|1> <functions as hex digits>
//   host <hex>        a record as the host sends it (header included under TN3270E)
//   key <name>[:arg]  String:text, Enter, Tab, BackTab, Home, PF:n, PA:n, Clear,
//                     EraseEOF, EraseInput, Delete, BackSpace, Left, Right, Up, Down,
//                     Newline, Insert, Reset, Dup, FieldMark
//   screen            the rows, each "row <text>", then "cursor <row> <column>"
// After host and key it prints "sent <hex>", what the terminal sent (telnet framing
// included). It runs the engines with the recording test doubles.
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "support/doubles_ibmhost.h"
#include "support/doubles_telnet.h"
#include "support/test_doubles.h"
#include "terminal/comms/telnet/telnet.h"
#include "terminal/comms/telnet/telnetoptions.h"
#include "terminal/core/base/corestate.h"
#include "terminal/emulations/ibmhost/3270/fieldedit3270.h"
#include "terminal/emulations/ibmhost/station/hostcodepage.h"
#include "terminal/emulations/ibmhost/3270/keys3270.h"
#include "terminal/emulations/ibmhost/3270/models3270.h"
#include "terminal/emulations/ibmhost/3270/screentext3270.h"
#include "terminal/emulations/ibmhost/3270/settings3270.h"
#include "terminal/emulations/ibmhost/3270/tn3270e.h"
#include "terminal/input/macros/keyevents.h"

namespace {
I3270Session g_session;

std::vector<u8> FromHex(const std::string& hex)
{
    std::vector<u8> out;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        out.push_back(static_cast<u8>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    return out;
}

void PrintSent()
{
    std::string h;
    char b[3];
    for (u8 v : doubles::Peer().sent) {
        std::snprintf(b, sizeof b, "%02x", v);
        h += b;
    }
    doubles::Peer().sent.clear();
    std::printf("sent %s\n", h.c_str());
}

void Start(int model, bool tn3270e, const std::string& functions)
{
    doubles::Reset();
    doubles::ResetTelnet();
    doubles::UseBuilt3270Family();
    doubles::ResetIbmHost();
    ClearDeferredKeys();
    I3270SetFactorySettings(I3270Config, 0);
    I3270Config.mode = static_cast<u8>(model);
    g_session = I3270Session{};
    I3270ActiveSession = &g_session;
    Tn3270ActiveSession = &g_session;
    EmulationId = 6;
    Telnet.eorPermit3270 = 1;
    for (u8 o : {0, 25})
        Telnet.local[o] = Telnet.remote[o] = 1;
    if (tn3270e) {
        Telnet.local[40] = 1;
        Telnet.tn3270eState = 4;
        for (char f : functions)
            Telnet.functions[f - '0'] = 1;
    }
    I3270InitSession(&g_session);
    g_session.connectionMode = 1;
    Tn3270UpdateTelnetModes();
    doubles::Peer().sent.clear();
}

void Key(const std::string& name, const std::string& arg)
{
    I3270Session* s = &g_session;
    static const struct {
        const char* name;
        int code;
        u32 shift;
    } kKeys[] = {
        {"Enter", 111, 0}, {"Tab", 115, 0},     {"BackTab", 115, 1},   {"Home", 84, 0},
        {"Clear", 139, 0}, {"EraseEOF", 87, 0}, {"EraseInput", 87, 4}, {"Delete", 86, 0},
        {"Left", 90, 0},   {"Right", 92, 0},    {"Up", 89, 0},         {"Down", 91, 0},
        {"Insert", 83, 0}, {"Reset", 148, 0},   {"Dup", 83, 1},        {"FieldMark", 84, 1},
    };
    if (name == "String") {
        for (char c : arg)
            I3270TypedCharacter(s, static_cast<wchar16>(static_cast<u8>(c)));
        return;
    }
    if (name == "Newline") {
        I3270TypedCharacter(s, 13);
        return;
    }
    if (name == "BackSpace") {
        I3270TypedCharacter(s, 8);
        return;
    }
    if (name == "PF" || name == "PA") {
        const int n = std::stoi(arg);
        if (name == "PA") {
            static const u8 kPa[4] = {0, 0x6C, 0x6E, 0x6B};
            I3270KeyAid(s, kPa[n & 3]);
        } else {
            static const u8 kPf[25] = {0,    0xF1, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7, 0xF8,
                                       0xF9, 0x7A, 0x7B, 0x7C, 0xC1, 0xC2, 0xC3, 0xC4, 0xC5,
                                       0xC6, 0xC7, 0xC8, 0xC9, 0x4A, 0x4B, 0x4C};
            I3270KeyAid(s, kPf[n % 25]);
        }
        return;
    }
    for (const auto& k : kKeys)
        if (name == k.name) {
            I3270KeyFunction(s, k.code, k.shift);
            return;
        }
    std::printf("unknown key %s\n", name.c_str());
}
}  // namespace

int main()
{
    if (!AllocInputQueues())
        return 2;
    std::string line;
    while (std::getline(std::cin, line)) {
        const std::size_t space = line.find(' ');
        const std::string command = line.substr(0, space);
        const std::string rest = space == std::string::npos ? "" : line.substr(space + 1);
        if (command == "start") {
            int model = 8, tn3270e = 1;
            char functions[16] = "";
            std::sscanf(rest.c_str(), "%d %d %15s", &model, &tn3270e, functions);
            Start(model, tn3270e != 0, functions);
            std::printf("started\n");
        } else if (command == "host") {
            const std::vector<u8> r = FromHex(rest);
            I3270HandleRecord(&g_session, r.data(), static_cast<int>(r.size()));
            PrintSent();
        } else if (command == "key") {
            const std::size_t colon = rest.find(':');
            Key(rest.substr(0, colon), colon == std::string::npos ? "" : rest.substr(colon + 1));
            PrintSent();
        } else if (command == "screen") {
            for (int r = 0; r < g_session.current.rows; ++r)
                std::printf("row %s\n", I3270RowText(&g_session, r).c_str());
            std::printf("cursor %d %d\n", g_session.cursor / g_session.current.columns,
                        g_session.cursor % g_session.current.columns);
        }
        std::fflush(stdout);
    }
    return 0;
}
