#include "terminal/emulations/dg/dgio.h"

#include "terminal/core/base/corestate.h"
#include "terminal/core/host/hostio.h"
#include "terminal/core/host/hostread.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/core/host/pushback.h"
#include "terminal/emulations/dg/dgstate.h"

namespace {

constexpr u8 kEsc = 0x1B;
constexpr int kMaxSend = 64;

bool SendsLocally()
{
    return LocalMode || ModalOpen;
}

void Out(const u8* bytes, int count, bool convertControls)
{
    if (!bytes || count <= 0)
        return;
    if (count > kMaxSend)
        count = kMaxSend;
    if (SendsLocally()) {
        u16 units[kMaxSend];
        for (int i = 0; i < count; ++i)
            units[i] = bytes[i];
        PushKeyboardString(units, count);
        return;
    }
    u16 units[2 * kMaxSend];
    int n = 0;
    for (int i = 0; i < count; ++i) {
        const u8 b = bytes[i];
        if (convertControls && b >= 0x80 && b <= 0x9F) {
            units[n++] = kEsc;
            units[n++] = static_cast<u16>(b - 0x40);
        } else {
            units[n++] = b;
        }
    }
    // Typed characters still waiting go first: the host sees keys in the order pressed.
    SendBatchFlush();
    HostSendBlock(units, n);
}

}  // namespace

int DgFilterReceivedByte(int byte)
{
    if (byte < 0)
        return byte;
    byte &= 0xFF;
    if (Dg.mode == kDgModeAnsi) {
        if (byte >= 0x80 && byte <= 0x9F) {
            PushBackInputByte(static_cast<u8>(byte - 0x40));
            return kEsc;
        }
        if (byte >= 0xA0 && Dg.eightBitAnsi)
            return byte;
        return byte & 0x7F;
    }
    if (Dg.mode == kDgModeNative && byte >= 0xA1 && byte <= 0xFE && Dg.eightBitNative)
        return byte;
    return byte & 0x7F;
}

int DgReadByte()
{
    const int b = HostReadSequenceByte();
    return b < 0 ? -1 : (b & 0xFF);
}

void DgSend(const u8* bytes, int count)
{
    Out(bytes, count, true);
}

void DgSendRaw(const u8* bytes, int count)
{
    Out(bytes, count, false);
}

void DgPushKey(u8 byte)
{
    PushKeyboardInput(byte);
}
