#include "terminal/emulations/ibm3151/settings/setupbytes.h"

#include "terminal/emulations/ibm3151/i3151.h"
#include "terminal/emulations/ibm3151/screen/indicators.h"
#include "terminal/emulations/ibm3151/screen/pageops.h"
#include "terminal/emulations/ibm3151/host/partition.h"
#include "terminal/emulations/ibm3151/host/setcontrol.h"
#include "terminal/settings/store/setuptext.h"

I3151SetupFields I3151Setup;

namespace {

constexpr u8 kFactory[18] = {66, 64, 40, 74, 46, 72, 68, 46, 51, 49, 92, 46, 51, 35, 65, 32, 44, 64};
constexpr u8 kDefaults[18] = {64, 64, 56, 90, 44, 76, 68, 46, 51, 49, 93, 46, 51, 35, 65, 32, 44, 64};

u16 Bit(u8 byte, int bit)
{
    return static_cast<u16>((byte >> bit) & 1);
}

void SetBit(u8& byte, int bit, bool on)
{
    byte = static_cast<u8>(on ? (byte | (1u << bit)) : (byte & ~(1u << bit)));
}

}  // namespace

u8 I3151DefaultSetupValue(int index)
{
    return index >= 0 && index < 18 ? kDefaults[index] : 0;
}

void I3151FactorySetupBytes()
{
    I3151.mode = kFactory[0];
    for (int i = 0; i < 17; ++i)
        I3151.setup[i] = kFactory[i + 1];
}

void I3151DefaultSetupBytes()
{
    I3151FactorySetupBytes();
    u8* s = I3151.setup;
    I3151.mode &= 0xFC;
    s[1] |= 0x18;
    s[2] |= 0x12;
    s[3] = static_cast<u8>((s[3] & 0xFD) | 0x04);
    s[4] = static_cast<u8>((s[4] & 0xFC) | 0x04);
    s[5] &= 0xF7;
    s[9] = static_cast<u8>((s[9] & 0xFD) | 0x01);
    I3151DeriveTurnaround();
    I3151.terminalId[0] = 0;
    I3151.savedFormat = I3151.format;
    I3151.format = 0;
    I3151.model = 0;
}

void I3151UnpackSetupBytes()
{
    const u8* s = I3151.setup;
    I3151SetupFields& f = I3151Setup;
    f.mode = static_cast<u16>(I3151.mode & 3);
    if (f.mode == 3)
        f.mode = 0;
    f.turnaround = static_cast<u16>(s[9] & 3);
    I3151DeriveTurnaround();
    f.forcingInsert = static_cast<u16>(Bit(s[1], 4) + 2 * Bit(s[2], 4));
    f.tab = Bit(s[4], 1);
    f.enter = Bit(s[1], 3);
    f.returnKey = Bit(s[4], 0);
    f.send = Bit(s[5], 3);
    f.insertCharacter = Bit(s[4], 2);
    f.autoWrap = Bit(s[3], 2);
    f.autoLf = Bit(s[3], 1);
    f.autoNewLine = static_cast<u16>(!Bit(s[2], 1));
    EncodeSetupText(f.terminalId, I3151.terminalId, kI3151TerminalIdEditChars);
    f.format = I3151.format;
    f.model = I3151.model;
}

void I3151PackSetupBytes()
{
    u8* s = I3151.setup;
    const I3151SetupFields& f = I3151Setup;
    s[9] = static_cast<u8>((s[9] & 0xFC) | (f.turnaround & 3));
    I3151DeriveTurnaround();
    SetBit(s[4], 0, f.returnKey != 0);
    SetBit(s[4], 1, f.tab != 0);
    SetBit(s[4], 2, f.insertCharacter != 0);
    SetBit(s[1], 4, (f.forcingInsert & 1) != 0);
    SetBit(s[2], 4, (f.forcingInsert & 2) != 0);
    SetBit(s[1], 3, f.enter != 0);
    SetBit(s[5], 3, f.send != 0);
    SetBit(s[3], 1, f.autoLf != 0);
    SetBit(s[3], 2, f.autoWrap != 0);
    SetBit(s[2], 1, f.autoNewLine == 0);
    DecodeSetupField(I3151.terminalId, f.terminalId, 29);
    const u8 format = static_cast<u8>(f.format & 3);
    if (!I3151.active) {
        I3151.format = I3151.savedFormat = format;
        I3151.model = static_cast<u8>(f.model & 1);
        return;
    }
    if ((f.mode & 3) != (I3151.mode & 3)) {
        I3151.mode = static_cast<u8>((I3151.mode & 0xFC) | (f.mode & 3));
        I3151ClearScreen();
    }
    I3151.model = static_cast<u8>(f.model & 1);
    if (format == I3151.format) {
        I3151UpdateIndicators(true);
        return;
    }
    I3151UpdateIndicators(false);
    const int rows[1] = {format == 0 || format == 2 ? 24 : 25};
    I3151ApplyPartitions(1, rows, format >= 2 ? 132 : 80);
    I3151.savedFormat = format;
}

void I3151DefaultSetupFields()
{
    I3151SetupFields& f = I3151Setup;
    f.mode = 0;
    f.format = 0;
    f.turnaround = 1;
    f.forcingInsert = 3;
    f.insertCharacter = 1;
    f.tab = 0;
    f.enter = 1;
    f.returnKey = 0;
    f.send = 0;
    f.autoWrap = 1;
    f.autoLf = 0;
    f.autoNewLine = 0;
    f.terminalId[0] = 0;
    f.model = 0;
}
