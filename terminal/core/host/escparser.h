// Table-driven escape parsing. A state is an array of byte ranges ended by a range whose
// first byte is 0; each byte of a range has an action {handler, next state}. The walker
// pulls the bytes of one sequence itself, so one call can consume a whole sequence:
//
//   state  = the family's escape state       // after ESC
//   byte   = next sequence byte              // 0 ends the walk (cancelled or stopping)
//   action = the first range holding byte    // no range: the sequence ends, byte dropped
//   action.handler()                          // reads CsiParameters.currentByte
//   state  = action.next                      // none or empty: the sequence is complete
//
// The CSI collector is the set of handlers that digits, ';' and the private markers
// select; the final byte's handler reads the collected slots.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>

#include "terminal/core/base/vxtypes.h"

struct ParserAction;

struct ParserRange {
    i8 first;  // first and last byte, compared as signed values
    i8 last;
    const ParserAction* actions;  // last - first + 1 entries, entry b - first for byte b
};
using ParserState = ParserRange;  // a state is the array of its ranges

struct ParserAction {
    void (*handler)();
    const ParserRange* next;  // nullptr or an empty state ends the sequence
};

extern const ParserRange EmptyParserState[];

// Runs one sequence from `state`, pulling its bytes from the family's sequence reader;
// nextByte gives 0 to end the walk.
void ParseWithStateTableFrom(const ParserRange* state, int (*nextByte)());

// CSI parameters: slots 1..50 of {value, marker}; the marker is ' ', a private marker
// '<' '=' '>' '?', or 'E' for a malformed number (a marker after digits).
constexpr int kCsiSlots = 50;
struct CsiSlot {
    u16 value;
    u8 marker;
};
struct CsiParameterSet {
    CsiSlot slots[kCsiSlots + 1];  // slots[0] is not used
    u16 count;                     // the slot being filled (1 after a reset)
    u32 digits;                    // digits collected for the current slot
    u8 markerInForce;              // the marker new slots inherit
    u8 currentByte;                // the byte the walker is dispatching
    u8 intermediate;               // the last intermediate byte, ' ' when none
};
extern CsiParameterSet CsiParameters;

// Set while an escape sequence is parsed; a second ESC, CAN or SUB clears it.
extern std::atomic<u8> InSequence;

// Resets the collector: slot count 1, every slot {0, ' '}, no digits, marker ' '.
void ResetCsiCollector();

// Handlers of the collector.
void CsiParamDigit();
void CsiNextParam();
void CsiParamMarker();
void CsiCollectIntermediate();
void IgnoreAction();

// Reads bytes from the family's sequence reader while they lie in low..high; the first
// byte outside the range is consumed. A cancelled sequence (0) ends it.
void SkipSequenceBytesFrom(int low, int high, int (*nextByte)());

// N actions with one handler and one next state: a range of bytes that all mean the
// same.
template <std::size_t N>
constexpr std::array<ParserAction, N> SameActions(void (*handler)(), const ParserRange* next = nullptr)
{
    std::array<ParserAction, N> actions{};
    for (ParserAction& a : actions)
        a = ParserAction{handler, next};
    return actions;
}

// The actions of a control sequence's parameter bytes 0x30-0x3F: digits, the separator
// ';' and the private markers '<' '=' '>' '?' are collected and the sequence stays in
// `state`; the colon runs `colon` and goes on in `colonNext`.
constexpr std::array<ParserAction, 16> CsiParameterActions(const ParserRange* state, void (*colon)(),
                                                           const ParserRange* colonNext = nullptr);

// The second byte of the first pair whose first byte is b, else b; the table is a list
// of (from, to) pairs ended by a 0.
u8 MapByteByPairTable(u8 b, const u8* table);

constexpr std::array<ParserAction, 16> CsiParameterActions(const ParserRange* state, void (*colon)(),
                                                           const ParserRange* colonNext)
{
    std::array<ParserAction, 16> actions{};
    for (int digit = 0; digit < 10; ++digit)
        actions[digit] = ParserAction{CsiParamDigit, state};
    actions[10] = ParserAction{colon, colonNext};     // :
    actions[11] = ParserAction{CsiNextParam, state};  // ;
    for (int marker = 12; marker < 16; ++marker)      // < = > ?
        actions[marker] = ParserAction{CsiParamMarker, state};
    return actions;
}
