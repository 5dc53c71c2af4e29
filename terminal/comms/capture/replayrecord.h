// Replay to the host of a 3270 or 5250 session: the replayed bytes are collected into
// records, each ended by IAC EOR, and each record goes to the host as the session's
// output.
#pragma once

#include "terminal/core/base/vxtypes.h"

// A record longer than this is cut: the rest up to its IAC EOR is dropped.
constexpr int kReplayRecordMax = 64 * 1024;

// One replayed byte. IAC IAC is one data byte 255 (so FF FF EF is data, not the end of
// a record); IAC EOR ends the record and sends it; IAC and any other byte is a telnet
// command and is dropped. True when a record was sent.
bool ReplayRecordByte(u8 byte);
// Forgets a record begun (the replay ended).
void ResetReplayRecord();
