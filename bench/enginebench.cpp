// The host path alone, without painting: each file named on the command line goes through
// the telnet engine, the reader and the DEC emulation into the screen store, with the
// recording test doubles in place of the socket and the painter (as the engine tests run
// it). Prints one line per file: its name, its size and the MB/s it was taken in at,
// the best of --rounds N runs. With --ta6530 conv (or ansi) the TA6530 takes the data
// instead, in that mode, into its own page store; with --dg the DG 410/412 in ANSI mode
// into its own screen; with --wyse ID (8-15) the Wyse family in that personality, into
// its page store; with --ibm3151 the IBM 3151 in Echo mode into its pages; with --tvi ID
// (19 or 22) the TVI 955 or 950 into its page memory. --emulation
// ID runs the DEC family (or the ANSI consoles) as that emulation (1 VT100, 2 VT500
// 7-bit, 3 VT500 8-bit, 4 ANSI BBS, 5 SCO console, 21 AT386) instead of the default.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/doubles_host.h"
#include "support/doubles_network.h"
#include "support/doubles_telnet.h"
#include "support/hostreset.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/base/family.h"
#include "terminal/core/host/hostread.h"
#include "terminal/emulations/dec/ansi/ansiconsole.h"
#include "terminal/emulations/dec/family.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/emulations/dg/dgstate.h"
#include "terminal/emulations/dg/family.h"
#include "terminal/emulations/ibm3151/family.h"
#include "terminal/emulations/ibm3151/lifecycle.h"
#include "terminal/emulations/ta6530/family.h"
#include "terminal/emulations/tvi/family.h"
#include "terminal/emulations/tvi/lifecycle.h"
#include "terminal/emulations/ta6530/tamodes.h"
#include "terminal/emulations/ta6530/settings/tasettings.h"
#include "terminal/emulations/wyse/family.h"
#include "terminal/emulations/wyse/lifecycle.h"
#include "terminal/emulations/wyse/store/wysestore.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/session/terminalinit.h"
#include "terminal/input/macros/keyevents.h"
#include "terminal/settings/store/colours.h"
#include "terminal/settings/store/profilevalues.h"

namespace {

constexpr std::size_t kChunk = 65536;  // what one read of the socket hands over

std::vector<u8> ReadFile(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<u8>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The TA6530's default mode for the session: -1 the DEC emulation.
int g_ta6530Mode = -1;
// The DG 410/412 in ANSI mode instead.
bool g_dg = false;
// The Wyse personality of the session: 0 none.
int g_wyse = 0;
// The IBM 3151 instead.
bool g_ibm3151 = false;
// The TVI emulation id: 0 none.
int g_tvi = 0;
// The DEC family's or an ANSI console's emulation; kNoEmulation the default.
u8 g_emulation = kNoEmulation;

void StartSession()
{
    if (AnsiConsoleMode)
        LeaveAnsiConsole();
    ResetHostPath();
    SetFactoryAttributeColours();
    SetFactoryVt300();
    if (!AllocScreenStore() || !AllocInputQueues() || !InitialiseTerminal(1)) {
        std::fprintf(stderr, "the screen store could not be made\n");
        std::exit(2);
    }
    doubles::ResetTelnet();
    doubles::Network().throughTelnet = true;
    if (g_emulation == kEmuAnsiBbs || g_emulation == kEmuScoConsole || g_emulation == kEmuAt386) {
        // The console takes its 25 rows, as its window does.
        SetScreenRowCount(25);
        SetScreenPageLength(25);
        SetActiveFamily(&AnsiConsoleFamily);
        EnterAnsiConsole(g_emulation);
    } else if (g_emulation != kNoEmulation) {
        EmulationId = g_emulation;
        RequestedEmulationId = g_emulation;
    }
    if (g_ta6530Mode >= 0) {
        TaProfileSettings.defMode = static_cast<u32>(g_ta6530Mode);
        EmulationId = kEmuTa6530;
        SetActiveFamily(&Ta6530Family);
        TaEnter();
    } else if (g_dg) {
        EmulationId = kEmuDg410;
        SetActiveFamily(&DgFamily);
        if (!DgEnter()) {
            std::fprintf(stderr, "the DG screen could not be made\n");
            std::exit(2);
        }
        Dg.mode = kDgModeAnsi;
    } else if (g_ibm3151) {
        EmulationId = kEmuIbm3151;
        SetActiveFamily(&Ibm3151Family);
        if (!I3151StartEngine()) {
            std::fprintf(stderr, "the IBM 3151 pages could not be made\n");
            std::exit(2);
        }
    } else if (g_tvi) {
        EmulationId = static_cast<u8>(g_tvi);
        SetActiveFamily(&TviFamily);
        if (!TviStartEngine(static_cast<u8>(g_tvi))) {
            std::fprintf(stderr, "the TVI page memory could not be made\n");
            std::exit(2);
        }
    }
    if (g_wyse) {
        if (WyseStoreActive())
            LeaveWyse();
        EmulationId = static_cast<u8>(g_wyse);
        RequestedEmulationId = static_cast<u8>(g_wyse);
        SetActiveFamily(&WyseFamily);
        if (!WyseStart()) {
            std::fprintf(stderr, "the Wyse store could not be made\n");
            std::exit(2);
        }
    }
}

double Seconds(const std::vector<u8>& data)
{
    doubles::TelnetPeer& peer = doubles::Peer();
    // Data bytes 255 travel doubled on a telnet connection.
    std::vector<u8> line;
    line.reserve(data.size());
    for (u8 b : data) {
        line.push_back(b);
        if (b == 255)
            line.push_back(255);
    }
    for (std::size_t at = 0; at < line.size(); at += kChunk)
        peer.chunks.emplace_back(line.begin() + static_cast<std::ptrdiff_t>(at),
                                 line.begin() + static_cast<std::ptrdiff_t>(std::min(at + kChunk, line.size())));
    doubles::Ui().held = false;
    doubles::Display().calls.clear();
    const auto start = std::chrono::steady_clock::now();
    // The reader waits (and the double holds it) once every chunk is used up.
    while (!doubles::Ui().held && ProcessHostChar()) {
        if (doubles::Display().calls.size() > 100000)
            doubles::Display().calls.clear();
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv)
{
    int rounds = 1;
    std::vector<const char*> files;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--rounds") && i + 1 < argc)
            rounds = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--ta6530") && i + 1 < argc)
            g_ta6530Mode = !std::strcmp(argv[++i], "ansi") ? 1 : 0;
        else if (!std::strcmp(argv[i], "--dg"))
            g_dg = true;
        else if (!std::strcmp(argv[i], "--wyse") && i + 1 < argc)
            g_wyse = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--ibm3151"))
            g_ibm3151 = true;
        else if (!std::strcmp(argv[i], "--tvi") && i + 1 < argc)
            g_tvi = std::atoi(argv[++i]) == 22 ? 22 : 19;
        else if (!std::strcmp(argv[i], "--emulation") && i + 1 < argc)
            g_emulation = static_cast<u8>(std::atoi(argv[++i]));
        else
            files.push_back(argv[i]);
    }
    for (const char* path : files) {
        const std::vector<u8> data = ReadFile(path);
        double best = 0;
        for (int r = 0; r < (rounds > 0 ? rounds : 1); ++r) {
            StartSession();
            best = std::max(best, data.size() / Seconds(data) / 1e6);
        }
        std::printf("%s %zu %.2f\n", path, data.size(), best);
        std::fflush(stdout);
    }
    return 0;
}
