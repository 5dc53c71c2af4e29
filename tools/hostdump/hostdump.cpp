// Feeds bytes from standard input through the host path and prints what came of them,
// for comparisons against independent terminal models:
//
//   hostdump screen   the screen store afterwards: rows, cursor and history as JSON
//   hostdump tokens   the sequences the table walker and CSI collector recognised, as
//                     JSON tokens (text, controls, CSI and ESC sequences)
//
// It runs the engines with the recording test doubles on a fake socket.
#include <array>
#include <cstdio>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "support/doubles_host.h"
#include "support/doubles_network.h"
#include "terminal/comms/telnet/network.h"
#include "terminal/core/host/escparser.h"
#include "terminal/core/host/hostread.h"
#include "terminal/core/screen/screenops.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/session/terminalinit.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/input/macros/keyevents.h"
#include "terminal/settings/store/profilevalues.h"

namespace {

std::string Json(const std::string& s)
{
    std::string out = "\"";
    for (unsigned char c : s) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c >= 0x7F) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out += buf;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::string LineText(int slot)
{
    std::string s;
    const ScreenLineRecord* line = LineAt(slot);
    for (int c = 0; line && c <= Screen.lastColumn; ++c)
        s.push_back(static_cast<char>(line->cells[c].ch));
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

void Queue(const std::string& bytes)
{
    doubles::NetworkDouble& n = doubles::Network();
    std::lock_guard<std::mutex> guard(n.lock);
    for (char c : bytes)
        n.incoming.push_back(static_cast<unsigned char>(c));
}

int DumpScreen(const std::string& bytes)
{
    Queue(bytes);
    while (!doubles::Ui().held)
        if (!ProcessHostChar())
            break;
    std::printf("{\"rows\": [");
    for (int r = 0; r < Screen.rows; ++r)
        std::printf("%s%s", r ? ", " : "", Json(LineText(r)).c_str());
    std::printf("],\n \"cursor\": [%d, %d, %d],\n \"history\": [", Screen.cursorRow, Screen.cursorColumn,
                PendingWrap);
    for (int slot = Screen.lineCount - Screen.historyCount, i = 0; slot < Screen.lineCount; ++slot, ++i)
        std::printf("%s%s", i ? ", " : "", Json(LineText(slot)).c_str());
    std::printf("]}\n");
    return 0;
}

// ---- tokens ----

std::vector<std::string> g_tokens;
std::string g_text;
std::string g_intermediates;

void FlushText()
{
    if (!g_text.empty())
        g_tokens.push_back("[\"text\", " + Json(g_text) + "]");
    g_text.clear();
}

void CollectIntermediate()
{
    g_intermediates.push_back(static_cast<char>(CsiParameters.currentByte));
}

void EmitEsc()
{
    FlushText();
    g_tokens.push_back("[\"esc\", " + Json(g_intermediates + static_cast<char>(CsiParameters.currentByte)) + "]");
}

void EmitCsi()
{
    FlushText();
    const CsiParameterSet& p = CsiParameters;
    const u8 marker = p.slots[1].marker;
    std::string leader = (marker == '<' || marker == '=' || marker == '>' || marker == '?')
                             ? std::string(1, marker)
                             : "";
    std::string args;
    for (int i = 1; i <= p.count; ++i)
        args += (i > 1 ? ", " : "") + std::to_string(p.slots[i].value);
    g_tokens.push_back("[\"csi\", " + Json(leader) + ", [" + args + "], " + Json(g_intermediates) + ", " +
                       Json(std::string(1, static_cast<char>(p.currentByte))) + "]");
}

extern const ParserRange kEscInter[];
extern const ParserRange kCsi[];
extern const ParserRange kCsiInter[];

constexpr auto kEscCollect = SameActions<16>(CollectIntermediate, kEscInter);
constexpr auto kCsiCollect = SameActions<16>(CollectIntermediate, kCsiInter);
constexpr auto kEscFinal43 = SameActions<43>(EmitEsc, nullptr);  // 0x30-0x5A
constexpr auto kEscFinal35 = SameActions<35>(EmitEsc, nullptr);  // 0x5C-0x7E
constexpr auto kEscFinal79 = SameActions<79>(EmitEsc, nullptr);  // 0x30-0x7E
constexpr auto kCsiFinal63 = SameActions<63>(EmitCsi, nullptr);  // 0x40-0x7E
constexpr std::array<ParserAction, 1> kOpenCsi = {{{IgnoreAction, kCsi}}};
constexpr auto kCsiParameterBytes = CsiParameterActions(kCsi, IgnoreAction, kCsi);

const ParserRange kEsc[] = {
    {0x20, 0x2F, kEscCollect.data()},
    {0x30, 0x5A, kEscFinal43.data()},
    {0x5B, 0x5B, kOpenCsi.data()},
    {0x5C, 0x7E, kEscFinal35.data()},
    {0, 0, nullptr},
};
const ParserRange kEscInter[] = {
    {0x20, 0x2F, kEscCollect.data()},
    {0x30, 0x7E, kEscFinal79.data()},
    {0, 0, nullptr},
};
const ParserRange kCsi[] = {
    {0x20, 0x2F, kCsiCollect.data()},
    {0x30, 0x3F, kCsiParameterBytes.data()},
    {0x40, 0x7E, kCsiFinal63.data()},
    {0, 0, nullptr},
};
const ParserRange kCsiInter[] = {
    {0x20, 0x2F, kCsiCollect.data()},
    {0x40, 0x7E, kCsiFinal63.data()},
    {0, 0, nullptr},
};

int DumpTokens(const std::string& bytes)
{
    Queue(bytes);
    for (;;) {
        const int b = HostReadByte();
        if (b < 0)
            break;
        if (b == 0x1B) {
            // As VtEnterEscape does, with this tool's recording graph: an ESC inside the
            // sequence cancels it and is pushed back; CAN and SUB end it.
            InSequence = 1;
            ResetCsiCollector();
            g_intermediates.clear();
            ParseWithStateTableFrom(kEsc, NextSequenceByte);
            InSequence = 0;
        } else if (b == 0 || b == 0x7F) {
            // ignored
        } else if (b < 0x20) {
            FlushText();
            g_tokens.push_back("[\"ctl\", " + std::to_string(b) + "]");
        } else {
            g_text.push_back(static_cast<char>(b));
        }
    }
    FlushText();
    std::printf("[");
    for (std::size_t i = 0; i < g_tokens.size(); ++i)
        std::printf("%s%s\n", i ? "," : "", g_tokens[i].c_str());
    std::printf("]\n");
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    std::string bytes((std::istreambuf_iterator<char>(std::cin)), std::istreambuf_iterator<char>());
    // The screen models keep a history: the VT100 model has one page and its history.
    TerminalId = 0;
    if (!AllocScreenStore() || !AllocInputQueues() || !InitialiseTerminal(1))
        return 2;
    SocketIndex = 7;
    doubles::ResetHost();
    if (mode == "screen")
        return DumpScreen(bytes);
    if (mode == "tokens")
        return DumpTokens(bytes);
    std::fprintf(stderr, "usage: hostdump screen|tokens < bytes\n");
    return 2;
}
