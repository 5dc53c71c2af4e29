#include "terminal/emulations/ta6530/tacontrols.h"

#include "terminal/core/host/hostio.h"
#include "terminal/core/screen/paintsettings.h"
#include "terminal/emulations/ta6530/commands/taansi.h"
#include "terminal/emulations/ta6530/screen/tacursor.h"
#include "terminal/emulations/ta6530/commands/taescape.h"
#include "terminal/emulations/ta6530/tamodes.h"
#include "terminal/emulations/ta6530/screen/tapages.h"
#include "terminal/emulations/ta6530/protocol/taprotocol.h"
#include "terminal/emulations/ta6530/tareceive.h"
#include "terminal/emulations/ta6530/screen/tawrite.h"

namespace {

constexpr u8 kCr = 13;

// A position byte carries the value plus 32.
int Position(int b)
{
    return b < 0 ? -1 : b - 32;
}

// Reads a row and a column; false when the command was abandoned.
bool ReadPosition(int* row, int* column)
{
    const int r = TaReadParameter();
    if (r < 0)
        return false;
    const int c = TaReadParameter();
    if (c < 0)
        return false;
    *row = Position(r);
    *column = Position(c);
    return true;
}

// A repeated character is processed as if it came again; a control that reads bytes of
// its own is taken once only, so that repeats never nest.
void Repeat(u8 ch, int count)
{
    const bool takesBytes = ch < 32 && (ch == 1 || ch == 17 || ch == 18 || ch == 19 || ch == 20 || ch == 27 ||
                                        ch == 28 || ch == 29);
    if (takesBytes)
        count = count > 0 ? 1 : 0;
    for (int i = 0; i < count; ++i)
        Ta6530ProcessChar(ch);
}

void Dc1()
{
    int row, column;
    if (!ReadPosition(&row, &column))
        return;
    if (!TaBlockMode() || !TaSetBufferAddress(row, column))
        TaCommandError();
}

void Dc2()
{
    const int n = TaReadParameter();
    if (n < 0)
        return;
    const int ch = TaReadParameter();
    if (ch < 0 || !TaBlockMode())
        return;
    // Counts below 0x20 would be negative: nothing is repeated.
    const int count = (n & 127) - 32;
    if (count > 0)
        Repeat(static_cast<u8>(ch), count);
}

void Dc3()
{
    int row, column;
    if (!ReadPosition(&row, &column))
        return;
    if (Ta.mode == kTaAnsi || !TaSetCursor(row, column))
        TaCommandError();
}

void Dc4()
{
    const int b = TaReadParameter();
    if (b < 0 || !TaBlockMode())
        return;
    if (b & 0x40)
        Repeat(' ', b & 63);
    else
        Repeat('0', b & 31);
}

void Fs()
{
    int row, column;
    if (!ReadPosition(&row, &column))
        return;
    const int code = TaReadParameter();
    if (code < 0)
        return;
    if (Ta.mode != kTaProtected || !TaSetBufferAddress(row, column)) {
        TaCommandError();
        return;
    }
    TaStartFieldByCode(static_cast<u8>(code));
}

void Gs()
{
    const int video = TaReadParameter();
    if (video < 0)
        return;
    const int data = TaReadParameter();
    if (data < 0)
        return;
    if (Ta.mode != kTaProtected || video == 0 || data == 0) {
        TaCommandError();
        return;
    }
    TaWriteAttribute(static_cast<u8>((video & kTaVideoBits) | 0x60), static_cast<u8>(data & 63), 0);
}

// Runs a command that reads bytes with the input held for its source.
void Held(void (*command)())
{
    TaHoldInput();
    command();
    TaEndCommand();
}

}  // namespace

void Ta6530ProcessChar(int value)
{
    if (value < 0 || !Ta.entered)
        return;
    u8 b = static_cast<u8>(value);
    if (b > 31) {
        if (Ta.mode == kTaAnsi && b >= 128 && b <= 159) {
            TaAnsiC1(b);
            return;
        }
        if (!PaintSettings.displayControls && (Ta.fromKeyboard ? Ta.shiftOutKeyboard : Ta.shiftOutHost))
            b |= 0x80;
        TaWriteChar(b);
        return;
    }
    TaControlChar(b);
}

void TaControlChar(u8 b)
{
    if (PaintSettings.displayControls) {
        TaWriteChar(b);
        return;
    }
    const bool host = !Ta.fromKeyboard;
    const bool conversational = Ta.mode == kTaConversational || Ta.mode == kTaAnsi;
    switch (b) {
    case 1:
        if (host && conversational)
            TaSohCommand();
        break;
    case 5:
        if (host && conversational)
            TaSendByte(6);
        break;
    case 7:
        if (TaSettings.bellOn)
            RequestBell();
        break;
    case 8: TaCursorLeft(); break;
    case 9: TaTab(); break;
    case 10: TaLineFeed(); break;
    case 11:
    case 12:
        if (Ta.mode == kTaAnsi)
            TaLineFeed();
        break;
    case 13: TaCarriageReturn(); break;
    case 14: (Ta.fromKeyboard ? Ta.shiftOutKeyboard : Ta.shiftOutHost) = true; break;
    case 15: (Ta.fromKeyboard ? Ta.shiftOutKeyboard : Ta.shiftOutHost) = false; break;
    case 17:
        if (host)
            Held(Dc1);
        break;
    case 18:
        if (host)
            Held(Dc2);
        break;
    case 19:
        if (host)
            Held(Dc3);
        break;
    case 20:
        if (host)
            Held(Dc4);
        break;
    case 27: TaEscapeCommand(); break;
    case 28:
        if (host)
            Held(Fs);
        break;
    case 29:
        if (host)
            Held(Gs);
        break;
    default: break;
    }
}

void TaSohCommand()
{
    TaHoldInput();
    TaProtocolState& p = TaProtocol;
    for (;;) {
        int count = 0;
        u8 check = 0;
        bool restart = false;
        for (;;) {
            const int b = TaReadParameter();
            if (b < 0 || b == 0 || b == kCr) {
                TaEndCommand();
                return;
            }
            check ^= static_cast<u8>(b);
            if (b == kEtx)
                break;
            if (count < p.maxBlock && count < kTaReceiveBuffer)
                p.buffer[count++] = static_cast<u8>(b);
        }
        const int given = TaReadParameter();
        if (given < 0) {
            TaEndCommand();
            return;
        }
        if (TaFullFraming() && given != check) {
            // A bad block: skipped up to the next SOH, which starts it again, or a NUL.
            for (;;) {
                const int b = TaReadParameter();
                if (b < 0 || b == 0) {
                    TaEndCommand();
                    return;
                }
                if (b == kSoh) {
                    restart = true;
                    break;
                }
            }
        }
        if (restart)
            continue;
        TaEndCommand();
        if (TaFullFraming())
            TaQueueOutput(kAck);
        if (count < 1)
            return;
        switch (p.buffer[0]) {
        case 'A':
            if (Ta.mode != kTaAnsi)
                TaEnterMode(kTaAnsi);
            break;
        case 'B': TaEnterMode(kTaBlock); break;
        case 'C':
            if (Ta.mode != kTaConversational)
                TaEnterMode(kTaConversational);
            break;
        default: break;
        }
        return;
    }
}
