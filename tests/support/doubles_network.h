#pragma once

#include <deque>
#include <mutex>
#include <vector>

#include "terminal/core/base/vxtypes.h"

namespace doubles {
struct NetworkDouble {
    std::mutex lock;
    std::deque<int> incoming;    // bytes NetworkReadByte hands out
    bool lost = false;           // -2 once incoming is empty
    std::vector<u8> sent;        // every byte sent
    std::vector<int> sendCalls;  // the size of each send call
    int breaks = 0;
    // The fuzz targets' way: reads and sends go through the real telnet engine to the
    // telnet double's peer (doubles_telnet.h) instead of the queue above.
    bool throughTelnet = false;
};
NetworkDouble& Network();
}  // namespace doubles
