#include "terminal/comms/telnet/socketio.h"

SocketBuffers NetBuffers{};
std::atomic<i32> ConnectionType{-1};
