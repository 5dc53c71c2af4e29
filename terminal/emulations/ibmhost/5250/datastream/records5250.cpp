#include "terminal/emulations/ibmhost/5250/datastream/records5250.h"

#include "terminal/comms/telnet/network.h"
#include "terminal/comms/telnet/telnet.h"
#include "terminal/core/base/corestate.h"
#include "terminal/emulations/ibmhost/5250/screen/cells5250.h"
#include "terminal/emulations/ibmhost/5250/datastream/commands5250.h"
#include "terminal/emulations/ibmhost/5250/datastream/replies5250.h"
#include "terminal/emulations/ibmhost/5250/screen/status5250.h"
#include "terminal/emulations/ibmhost/5250/textassist/textentry5250.h"

namespace {
constexpr u16 kRecordType = 0x12A0;
constexpr int kHeaderBytes = 10;

u16 Be16(const u8* p)
{
    return static_cast<u16>(p[0] << 8 | p[1]);
}

// What one record asks for; 0 or a sense code.
u32 RunRecord(I5250Session* s, const u8* record, int length)
{
    const u8 variable = record[6], flags1 = record[7], opcode = record[9];
    if (flags1 & 0x04)
        return 0;  // a system request record is not for this station
    const u8* data = record + 6 + variable;
    const int count = length - 6 - variable;
    switch (opcode) {
    case 0: return 0;
    case 1:
    case 3: {
        const u32 e = I5250ExecuteCommands(s, data, count, opcode);
        if (!e && !s->recordSent)
            I5250SetInvite(s);
        return e;
    }
    case 2:
    case 4:
    case 5:
    case 6:
    case 7:
    case 8:
    case 13:
    case 14:
    case 15: return I5250ExecuteCommands(s, data, count, opcode);
    case 10:
        I5250ClearPendingAid(s);
        I5250BuildDisplayHeader(s, 0, 10);
        I5250SendRecord(s);
        return 0;
    case 11: I5250SetMessageWaiting(s, 1); return 0;
    case 12: I5250SetMessageWaiting(s, 0); return 0;
    default: return kSenseType;
    }
}

}  // namespace

void I5250Put(I5250Session* s, u8 byte)
{
    if (s->outputLength >= s->output.size()) {
        s->outputOverflow = 1;
        return;
    }
    s->output[s->outputLength++] = byte;
}

void I5250Put16(I5250Session* s, u16 value)
{
    I5250Put(s, static_cast<u8>(value >> 8));
    I5250Put(s, static_cast<u8>(value));
}

void I5250BuildRecordHeader(I5250Session* s, u16 reserved, u8 variableLength, u8 flags1, u8 flags2, u8 opcode)
{
    s->outputLength = 0;
    s->outputOverflow = 0;
    I5250Put16(s, 0);
    I5250Put16(s, kRecordType);
    I5250Put16(s, reserved);
    I5250Put(s, variableLength);
    I5250Put(s, flags1);
    I5250Put(s, flags2);
    I5250Put(s, opcode);
}

void I5250BuildDisplayHeader(I5250Session* s, u8 flags1, u8 opcode)
{
    I5250BuildRecordHeader(s, 0, 4, flags1, 0, opcode);
}

void I5250SendRecord(I5250Session* s)
{
    if (s->outputOverflow || s->outputLength < 2) {
        s->outputLength = 0;
        s->outputOverflow = 0;
        return;
    }
    s->output[0] = static_cast<u16>(s->outputLength >> 8 & 0xFF);
    s->output[1] = static_cast<u16>(s->outputLength & 0xFF);
    I5250FlushOutput(s);
}

void I5250FlushOutput(I5250Session* s)
{
    if (s->outputLength > 0) {
        if (Telnet.telnetMode)
            TelnetSendData(SocketIndex, s->output.data(), static_cast<int>(s->outputLength), s->blockMode != 0);
        else if (SocketIndex != kNoSocket)
            NetworkSendBlock(SocketIndex, s->output.data(), static_cast<int>(s->outputLength));
    }
    s->outputLength = 0;
    s->recordSent = 1;
}

void I5250SendNegativeResponse(I5250Session* s, u32 sense)
{
    I5250BuildDisplayHeader(s, 0x80, 0);
    for (int shift = 24; shift >= 0; shift -= 8)
        I5250Put(s, static_cast<u8>(sense >> shift));
    I5250SendRecord(s);
}

void I5250SendFlagsRecord(I5250Session* s, u8 flags1, const u8* data, int count)
{
    I5250BuildDisplayHeader(s, flags1, 0);
    for (int i = 0; i < count; ++i)
        I5250Put(s, data[i]);
    I5250SendRecord(s);
}

void I5250SendHelpCode(I5250Session* s, u16 code)
{
    const u8 data[2] = {static_cast<u8>(code >> 8), static_cast<u8>(code)};
    I5250SendFlagsRecord(s, 0x01, data, 2);
}

void I5250SendSystemRequest(I5250Session* s)
{
    I5250BuildDisplayHeader(s, 0x04, 0);
    const int columns = s->current.columns;
    if (columns >= 3 && !s->cells.empty()) {
        int end = columns - 2;
        auto byte = [&](int column) {
            const u8 b = s->cells[static_cast<std::size_t>(s->errorLineStart + column)].character;
            return b == 0 ? static_cast<u8>(0x40) : b;
        };
        while (end >= 1 && byte(end) == 0x40)
            --end;
        for (int c = 1; c <= end; ++c)
            I5250Put(s, byte(c));
    }
    I5250SendRecord(s);
}

u32 I5250HandleRecords(I5250Session* s, const u8* bytes, int count)
{
    if (s->printerSession)
        return I5250HandlePrinterRecords(s, bytes, count);
    s->record = bytes;
    s->recordLength = count;
    u32 error = 0;
    int offset = 0;
    while (offset < count) {
        s->recordSent = 0;
        const int left = count - offset;
        const u8* r = bytes + offset;
        if (left < kHeaderBytes) {
            error = kSenseLength;
            break;
        }
        const int length = Be16(r);
        // A record must hold its header and lie within what arrived.
        if (length < kHeaderBytes || length > left) {
            error = kSenseLength;
            break;
        }
        if (Be16(r + 2) != kRecordType) {
            error = kSenseType;
            break;
        }
        if (r[6] < 4 || 6 + r[6] > length) {
            error = kSenseLength;
            break;
        }
        error = RunRecord(s, r, length);
        if (error)
            break;
        offset += length;
    }
    if (s->deferRepaint == 2) {
        s->deferRepaint = 1;
        I5250RepaintScreen(s);
    }
    I5250UpdateDisplay(s, false);
    if (error)
        I5250SendNegativeResponse(s, error);
    s->record = nullptr;
    s->recordLength = 0;
    if (!error && s->text.mode && !s->inhibited && s->heldCharacter) {
        const u8 held = s->heldCharacter;
        s->heldCharacter = 0;
        I5250TextEnterCharacter(s, held);
    }
    return error;
}
