// The HP 700/92's replies: every request sets a bit of the pending word, a handshake
// with the host may follow (DC1, or DC2 then DC1), and each handshake done sends the
// reply of the lowest pending bit.
#pragma once

#include "terminal/emulations/hp700/hp700.h"

// Queues reply `bit` (Hp700Reply) unless it is pending already; the handshake starts
// once the byte being processed is done.
void Hp700Request(int bit);
// Runs what the pending word asks when no handshake waits (called by the byte path after
// each byte, and by the keys after queueing a transmission).
void Hp700RunPending();
// The host's DC1 arrived.
void Hp700Dc1Received();
// The reply terminator: the block terminator in Block Mode with page transfers, else CR
// (and LF with Auto LF).
void Hp700QueueTerminator();
// The seven status characters of ESC ^ and ESC ~ (the self test writes them too).
void Hp700PrimaryStatus(u8 out[7]);
void Hp700SecondaryStatus(u8 out[7]);
// The terminal identity string (custom or the model's) into `out`; its length.
int Hp700IdentityText(wchar16* out, int capacity);
