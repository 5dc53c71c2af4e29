// The reader's runs (received bytes handed out straight from the connection's buffer,
// a byte given back taken in front of the rest, printable ones written a run at a time)
// against the byte-by-byte way through the same host path: every stream must leave the
// same screen, cursor, modes and answers in each DEC emulation and ANSI console.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "support/doubles_host.h"
#include "support/doubles_network.h"
#include "support/doubles_telnet.h"
#include "terminal/comms/telnet/socketio.h"
#include "terminal/comms/telnet/telnet.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/host/hostread.h"
#include "terminal/core/screen/paintsettings.h"
#include "terminal/core/screen/screenmodes.h"
#include "terminal/core/screen/screenops.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/emulations/dec/ansi/ansiconsole.h"
#include "terminal/emulations/dec/family.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/emulations/dec/vtmodes.h"
#include "terminal/settings/store/profilevalues.h"
#include "vt_fixture.h"

namespace {

struct Outcome {
    std::vector<u8> cells;  // every line slot's cells, slot by slot
    std::vector<int> numbers;
    std::vector<u8> modes;
    std::string sent;
};

// Random picks of the tokens that decide how a character is written or a sequence read:
// text (reaching the margins), renditions, insert and auto-wrap modes, margins, character
// sets and shifts, line attributes, shown controls, strings, C1 controls in both forms,
// NUL, DEL, 8-bit text and sequences cut by ESC, CAN and SUB.
std::string Stream(unsigned seed, int picks)
{
    // clang-format off
    static const char* const kTokens[] = {
        "abc", "The quick brown fox jumps over the lazy dog. ", "0123456789", "          ", "x", "\r", "\n",
        "\b", "\t", "\r\n", "\x1b[1;5m", "\x1b[0m", "\x1b[7;31;44m", "\x1b[4h", "\x1b[4l", "\x1b[?7l",
        "\x1b[?7h", "\x1b[5;20r", "\x1b[r", "\x1b[?69h\x1b[10;50s", "\x1b[?69l", "\x1b[12;70H", "\x1b[24;75H",
        "\x1b[H", "\x1b[2J", "\x1b[K", "\x1b[5C", "\x1b[3D", "\x1b(0", "\x1b(B", "\x1b)0", "\x0e", "\x0f",
        "\x1bN", "\x1bO", "\x8e", "\x8f", "\x1b#6", "\x1b#3", "\x1b#5", "\x1b[3h", "\x1b[3l", "\x1bP1$qm\x1b\\",
        "\x90q#0\x9c", "\x9d" "0;title\x07", "\x98sos\x9c", "\x1b]2;t\x1b\\", "\x84", "\x85", "\x8d", "\x88",
        "\x9b" "2;3H", "\x9b" "1m", "\x80", "\x83", "\x9a", "\x00", "\x7f", "\xe9\xa3\xf0", "\x1b[1\x1b[2m",
        "\x1b[3\x18" "4", "\x1b[5\x1a", "\x1b", "\x1b[", ";", "?", "\x1b[1;2$r", "\x1b[?6h", "\x1b[?6l",
        "\x1b[20h", "\x1b[20l", "\x1b" "D", "\x1b" "M", "\x1b" "7", "\x1b" "8", "\x1b[?2l", "\x1b<",
    };
    // clang-format on
    std::mt19937 rng(seed);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(kTokens) - 1);
    std::string out;
    for (int i = 0; i < picks; ++i) {
        const char* token = kTokens[pick(rng)];
        // Tokens holding NUL are one byte long.
        out.append(token, token[0] ? std::strlen(token) : 1);
    }
    return out;
}

class RunPath : public VtTest {
protected:
    // A fresh terminal as `emulation`, fed `bytes` either byte by byte or through the
    // telnet engine in chunks (runs), and what it ended with.
    Outcome Run(u8 emulation, const std::string& bytes, bool runs, unsigned chunkSeed)
    {
        LeaveConsole();
        VtTest::TearDown();
        VtTest::SetUp();
        doubles::ResetTelnet();
        TerminalId = 8;
        if (IsVtFamily(emulation)) {
            SetDecEmulationId(emulation);
        } else {
            // The console takes its 25 rows, as its window does.
            SetScreenRowCount(25);
            SetScreenPageLength(25);
            SetActiveFamily(&AnsiConsoleFamily);
            EnterAnsiConsole(emulation);
        }
        doubles::Network().throughTelnet = runs;
        if (runs) {
            std::mt19937 rng(chunkSeed);
            std::uniform_int_distribution<std::size_t> size(1, 700);
            for (std::size_t at = 0; at < bytes.size();) {
                const std::size_t n = std::min(size(rng), bytes.size() - at);
                doubles::Peer().chunks.emplace_back(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                                                    bytes.begin() + static_cast<std::ptrdiff_t>(at + n));
                at += n;
            }
            for (std::size_t guard = 0; guard < 8 * bytes.size() + 1000; ++guard) {
                doubles::Ui().held = false;
                if (!ProcessHostChar())
                    break;
                if (doubles::Ui().held && doubles::Peer().chunks.empty() && NetBuffers.receiveCount == 0)
                    break;
            }
        } else {
            Feed(bytes);
        }
        Outcome o;
        for (int slot = 0; slot < Screen.lineCount; ++slot) {
            const ScreenLineRecord* line = LineAt(slot);
            if (!line)
                continue;
            const u8* cells = reinterpret_cast<const u8*>(line->cells);
            o.cells.insert(o.cells.end(), cells, cells + kStoreColumns * sizeof(ScreenCell));
        }
        o.numbers = {Screen.cursorRow, Screen.cursorColumn, Screen.top,
                     Screen.bottom,    Screen.left,         Screen.right,
                     Screen.firstLine, Screen.historyCount, Screen.lastColumn,
                     PendingWrap,      CurrentColour,       CurrentRendition,
                     CurrentFlags,     EmulationId.load(),  static_cast<int>(PaintSettings.displayControls)};
        const u8* modes = reinterpret_cast<const u8*>(&VtMode);
        o.modes.assign(modes, modes + sizeof VtMode);
        const std::vector<u8>& sent = runs ? doubles::Peer().sent : doubles::Network().sent;
        o.sent.assign(sent.begin(), sent.end());
        return o;
    }

    void TearDown() override
    {
        LeaveConsole();
        VtTest::TearDown();
    }

    static void LeaveConsole()
    {
        if (AnsiConsoleMode)
            LeaveAnsiConsole();
        SetActiveFamily(nullptr);
    }

    void ExpectSame(u8 emulation, const std::string& bytes, unsigned seed)
    {
        const Outcome bytewise = Run(emulation, bytes, false, seed);
        const Outcome runs = Run(emulation, bytes, true, seed);
        const std::string what = "emulation " + std::to_string(emulation) + ", seed " + std::to_string(seed);
        EXPECT_EQ(bytewise.numbers, runs.numbers) << what;
        EXPECT_EQ(bytewise.modes, runs.modes) << what;
        EXPECT_EQ(bytewise.sent, runs.sent) << what;
        if (bytewise.cells != runs.cells) {
            std::size_t at = 0;
            while (at < bytewise.cells.size() && at < runs.cells.size() && bytewise.cells[at] == runs.cells[at])
                ++at;
            const std::size_t cell = at / sizeof(ScreenCell);
            ADD_FAILURE() << what << ": cells differ first at slot " << cell / kStoreColumns << " column "
                          << cell % kStoreColumns;
        }
    }
};

TEST_F(RunPath, StreamsLeaveWhatTheByteByByteWayLeaves)
{
    for (u8 emulation : {kEmuVt100, kEmuVt500Bit7, kEmuVt500Bit8, kEmuAnsiBbs, kEmuScoConsole, kEmuAt386})
        for (unsigned seed = 1; seed <= 6; ++seed)
            ExpectSame(emulation, Stream(seed * 7 + emulation, 3000), seed);
}

TEST_F(RunPath, EightBitControlsAndCutSequencesKeepTheirOrder)
{
    // Each C1 byte is an ESC and a byte given back, each ESC inside a sequence is given
    // back: what follows them in the run comes after.
    std::string c1;
    std::mt19937 rng(5);
    for (int i = 0; i < 20000; ++i)
        c1 += static_cast<char>(0x80 + rng() % 32);
    c1 += "\x1b\\\x18";
    // clang-format off
    const std::string cut = "ab\x1b[1\x1b[2;3Hcd\x9b" "5Cef";
    // clang-format on
    for (u8 emulation : {kEmuVt100, kEmuVt500Bit7, kEmuVt500Bit8}) {
        ExpectSame(emulation, c1 + "end", 11);
        ExpectSame(emulation, cut + "\x1b[4\x1b[7mgh", 12);
    }
    // The text after them lands where the byte-by-byte way puts it.
    Run(kEmuVt500Bit8, cut, true, 1);
    EXPECT_EQ(Row(1), "  cd     ef");
}

}  // namespace
