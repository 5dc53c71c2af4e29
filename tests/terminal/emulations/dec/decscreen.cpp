// Feeds standard input through the host path into the DEC emulation and prints the
// screen as JSON, cell by cell, for comparison with an independent terminal model:
//   {"cells": [[[character, rendition, colour], ...80 cells], ...24 rows],
//    "cursor": [row, column, pending wrap], "sent": [byte, ...]}
// The character is the UTF-16 unit copying gives; rendition and colour are the cell's
// bytes. It runs the engines with the recording test doubles on a fake socket.
#include <cstdio>
#include <iostream>
#include <iterator>
#include <string>

#include "support/doubles_host.h"
#include "support/doubles_network.h"
#include "terminal/comms/telnet/network.h"
#include "terminal/core/screen/celltext.h"
#include "terminal/core/host/hostread.h"
#include "terminal/core/screen/screenops.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/session/terminalinit.h"
#include "terminal/input/macros/keyevents.h"
#include "terminal/settings/store/colours.h"
#include "terminal/settings/store/profilevalues.h"

int main()
{
    std::string bytes((std::istreambuf_iterator<char>(std::cin)), std::istreambuf_iterator<char>());
    SetFactoryAttributeColours();
    SetFactoryVt300();
    if (!AllocScreenStore() || !AllocInputQueues() || !InitialiseTerminal(1))
        return 2;
    SocketIndex = 7;
    doubles::ResetHost();
    {
        doubles::NetworkDouble& n = doubles::Network();
        std::lock_guard<std::mutex> guard(n.lock);
        for (char c : bytes)
            n.incoming.push_back(static_cast<unsigned char>(c));
    }
    while (!doubles::Ui().held)
        if (!ProcessHostChar())
            break;
    std::printf("{\"cells\": [");
    for (int r = 0; r < Screen.rows; ++r) {
        std::printf("%s[", r ? ",\n" : "");
        for (int c = 0; c <= Screen.lastColumn; ++c) {
            const ScreenCell& cell = LineAt(r)->cells[c];
            std::printf("%s[%u, %u, %u]", c ? ", " : "", CellRecordToUnicode(cell), cell.rendition, cell.colour);
        }
        std::printf("]");
    }
    std::printf("],\n \"cursor\": [%d, %d, %d],\n \"sent\": [", Screen.cursorRow, Screen.cursorColumn,
                PendingWrap);
    // What the terminal answered: reports and checksums.
    const std::vector<u8>& sent = doubles::Network().sent;
    for (std::size_t i = 0; i < sent.size(); ++i)
        std::printf("%s%u", i ? "," : "", sent[i]);
    std::printf("]}\n");
    return 0;
}
