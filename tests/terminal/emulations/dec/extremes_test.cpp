// Generated streams of the VT420's keys, macros, pages, rectangles, status line and
// local editing commands with extreme parameters: under the sanitizers every index is
// watched, and afterwards the terminal still answers a status request.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "support/doubles_network.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/emulations/dec/localedit/localedit.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/settings/store/profilevalues.h"
#include "vt_fixture.h"

namespace {

using Extremes = VtTest;

std::string Parameters(std::mt19937& random, int count)
{
    static const char* const kValues[] = {"",   "0",   "1",   "2",   "5",   "24",  "63",    "64",    "72",
                                          "80", "132", "144", "255", "256", "999", "32767", "65535", "99999999"};
    std::uniform_int_distribution<int> pick(0, static_cast<int>(std::size(kValues)) - 1);
    std::string p;
    for (int i = 0; i < count; ++i)
        p += std::string(i ? ";" : "") + kValues[pick(random)];
    return p;
}

std::string Hex(std::mt19937& random, int bytes)
{
    static const char kDigits[] = "0123456789ABCDEF";
    std::string h;
    for (int i = 0; i < 2 * bytes; ++i)
        h.push_back(kDigits[random() % 16]);
    return h;
}

std::string Step(std::mt19937& random)
{
    static const char* const kFinals[] = {"$r",  "$t",  "$v",   "$x",   "$z",   "${", "*y", "*x",  "*|",
                                          "'}",  "'~",  " P",   " Q",   " R",   "U",  "V",  "t",   "$~",
                                          "$}",  "}",   "|",    "?|",   "?'s",  "s",  "r",  "H",   "G",
                                          "`",   "Z",   "L",    "M",    "@",    "P",  "J",  "K",   "X",
                                          "?6h", "?6l", "?69h", "?10h", "?10l", "*z", "6n", "?6n", "?62n"};
    const std::string dcs = "\x1bP", st = "\x1b\\";
    // clang-format off
    switch (random() % 12) {
    case 0:
        return dcs + Parameters(random, 3) + "|" + Parameters(random, 1) + "/" + Hex(random, random() % 40) + st;
    case 1:
        return dcs + "\"x" + Parameters(random, 1) + "/" + Parameters(random, 1) + "/100/" + Hex(random, 5) + st;
    case 2:
        return dcs + "\"y" + Parameters(random, 1) + "/aA.-b/" + Parameters(random, 1) + st;
    case 3:
        return dcs + Parameters(random, 3) + "!z" + (random() % 2 ? Hex(random, random() % 30) : "\x1b[1;2H*\x1b[7*z") +
               st;
    case 4:
        return std::string("\x1b") + (random() % 2 ? "!" : "@") + char('a' + random() % 15) + "/x(y)<z>/";
    case 5:
        return std::string("\x1b") + "VWFG"[random() % 4];
    case 6:
        return std::string("\x1b ") + "LMN"[random() % 3];
    case 7:
        return std::string(static_cast<std::size_t>(random() % 20), static_cast<char>('a' + random() % 26));
    default: {
        const int count = 1 + static_cast<int>(random() % 9);
        return "\x1b[" + Parameters(random, count) + kFinals[random() % std::size(kFinals)];
    }
    }
    // clang-format on
}

TEST_F(Extremes, GeneratedStreamsLeaveATerminalThatAnswers)
{
    std::mt19937 random(20261210);
    for (int round = 0; round < 40; ++round) {
        // The local editing and protection settings change between rounds too.
        Vt300Values.inedit = static_cast<u8>(random() % 3);
        Vt300Values.erasemode = static_cast<u8>(random() % 2);
        Vt300Values.edit_protall = static_cast<u8>(random() % 2);
        SyncLocalEditState();
        if (round % 2)
            UsePages();
        std::string stream;
        for (int n = 0; n < 400; ++n)
            stream += Step(random);
        Feed(stream);
        TransmitEditBlock();
        // A stream may have reset the ANSI mode (VT52 asks in its own way): ESC < back.
        const std::string answer = Answer("\x18\x1b\\\x1b<\x1b[5n");
        // clang-format off
        ASSERT_NE(answer.find(EmulationId == kEmuVt500Bit8 ? "\x9b" "0n" : "\x1b[0n"), std::string::npos)
            << "round " << round;
        // clang-format on
        EXPECT_LT(Screen.cursorRow, Screen.pageLength);
        EXPECT_LE(Screen.cursorColumn, Screen.lastColumn);
    }
}

}  // namespace
