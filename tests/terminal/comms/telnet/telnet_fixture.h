// Shared fixture of the telnet engine tests: a scripted peer behind the socket doubles,
// results compared as hex so a failure shows the bytes.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "support/doubles_telnet.h"
#include "support/test_doubles.h"
#include "terminal/comms/telnet/socketio.h"
#include "terminal/comms/telnet/telnet.h"

inline std::string Hex(const std::vector<u8>& bytes)
{
    std::string s;
    char b[4];
    for (u8 v : bytes) {
        std::snprintf(b, sizeof b, "%02X ", v);
        s += b;
    }
    if (!s.empty())
        s.pop_back();
    return s;
}

inline std::vector<u8> Bytes(std::initializer_list<int> list)
{
    std::vector<u8> v;
    for (int b : list)
        v.push_back(static_cast<u8>(b));
    return v;
}

inline std::vector<u8> Text(const std::string& s)
{
    return std::vector<u8>(s.begin(), s.end());
}

inline std::vector<u8> Cat(std::vector<u8> a, const std::vector<u8>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class TelnetTest : public testing::Test {
protected:
    void SetUp() override
    {
        doubles::Reset();
        doubles::ResetTelnet();
    }
    void TearDown() override { doubles::ResetTelnet(); }

    static void Host(const std::vector<u8>& bytes) { doubles::Peer().chunks.push_back(bytes); }

    // Every data byte the engine hands out until the peer's chunks are used up.
    static std::vector<u8> Drain()
    {
        std::vector<u8> out;
        for (int idle = 0; idle < 3;) {
            const int b = TelnetGetByte(SocketIndex, 1);
            if (b == -2)
                break;
            if (b >= 0) {
                out.push_back(static_cast<u8>(b));
                idle = 0;
            } else if (doubles::Peer().chunks.empty() && NetBuffers.receiveCount == 0) {
                ++idle;
            }
        }
        return out;
    }

    // What the engine sent since the last call.
    static std::vector<u8> Sent()
    {
        std::vector<u8> s = doubles::Peer().sent;
        doubles::Peer().sent.clear();
        return s;
    }
};
