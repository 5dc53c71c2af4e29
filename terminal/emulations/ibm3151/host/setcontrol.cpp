#include "terminal/emulations/ibm3151/host/setcontrol.h"

#include "terminal/emulations/ibm3151/host/hostpath.h"
#include "terminal/emulations/ibm3151/i3151.h"
#include "terminal/emulations/ibm3151/screen/indicators.h"
#include "terminal/emulations/ibm3151/screen/pageops.h"
#include "terminal/emulations/ibm3151/output/print3151.h"
#include "terminal/settings/store/profilevalues.h"

namespace {

constexpr u8 kFixed[17] = {0x40, 0x20, 0x48, 0x20, 0x40, 0x40, 0x20, 0x30, 0x20,
                           0x40, 0x20, 0x30, 0x20, 0x40, 0x20, 0x20, 0x40};
constexpr u8 kEsc = 0x1B;

u8 Merge(int index, u8 value)
{
    return static_cast<u8>(value | kFixed[index]);
}

void Store(int index, u8 value)
{
    I3151.setup[index] = Merge(index, value);
}

void Operate(int index, u8 op, u8 value)
{
    I3151.setup[index] = I3151ApplyOperator(op, I3151.setup[index], Merge(index, value));
}

// A control of `width` bytes from `first`: one value sets the first byte; with an
// operator last, it works on the bytes before it; otherwise the values are stored.
void SetBytes(int first, int width, const u8* v, int n)
{
    if (n < 1)
        return;
    if (n == 1) {
        Store(first, v[0]);
        return;
    }
    const bool op = I3151IsOperator(v[n - 1]);
    const int values = op ? n - 1 : (n < width ? n : width);
    for (int i = 0; i < values && i < width; ++i) {
        if (op)
            Operate(first + i, v[n - 1], v[i]);
        else
            Store(first + i, v[i]);
    }
}

void SetControl1(const u8* v, int n)
{
    const u8 before = I3151.mode & 3;
    if (n == 1) {
        I3151.mode = v[0];
    } else if (n == 2 || n == 3) {
        if (I3151IsOperator(v[n - 1])) {
            I3151.mode = I3151ApplyOperator(v[n - 1], I3151.mode, v[0]);
            if (n == 3)
                Operate(0, v[2], v[1]);
        } else {
            I3151.mode = v[0];
            Store(0, v[1]);
        }
    } else {
        return;
    }
    if ((I3151.mode & 3) != before)
        I3151ClearScreen();
    I3151UpdateIndicators(true);
}

// The speed code of a serial speed index, as the terminal reports it.
u8 SpeedCode(u8 index)
{
    static constexpr u8 kCodes[8] = {2, 6, 7, 8, 10, 12, 14, 15};
    return kCodes[index < 8 ? index : 7];
}

u8 ParityCode(u8 parity)
{
    switch (parity) {
    case 1: return 3;
    case 2: return 4;
    case 3: return 2;
    case 4: return 1;
    default: return 0;
    }
}

// Control 5 and 6: the line's set-control bytes with its serial settings.
void LineBytes(int first, const LineSettings& line, u16* out)
{
    const u8* s = I3151.setup;
    out[0] = static_cast<u16>((s[first] & 0xE0) | 0x20 | ((line.comstopb == 1 || line.comstopb == 2) ? 0x10 : 0) |
                              SpeedCode(line.comspeed));
    out[1] = static_cast<u16>((s[first + 1] & 0xF0) | 0x30 | (line.comdatab == 2 ? 8 : 0) |
                              ParityCode(line.comparity));
    out[2] = static_cast<u16>(s[first + 2] | 0x20);
}

}  // namespace

bool I3151IsOperator(u8 byte)
{
    return (byte & 0x60) == 0x60;
}

u8 I3151ApplyOperator(u8 op, u8 current, u8 value)
{
    switch (op & 0x1F) {
    case 0: return value;
    case 1: return static_cast<u8>(current | value);
    case 2: return static_cast<u8>(current & value);
    default: return current;
    }
}

u8 I3151FixedBits(int index)
{
    return index >= 0 && index < 17 ? kFixed[index] : 0;
}

int I3151ReadParameterList(u8* out)
{
    for (int n = 0; n < kI3151ParameterBytes;) {
        const int b = I3151NextByte();
        if (b < 0)
            return -1;
        out[n++] = static_cast<u8>(b);
        if (b & 0x40)
            return n;
    }
    return -1;
}

void I3151DeriveTurnaround()
{
    I3151.setup[17] = kI51TurnaroundByCode[I3151.setup[9] & 3];
}

void I3151SetControl(int control, const u8* v, int n)
{
    static constexpr int kMaxValues[8] = {0, 3, 3, 3, 2, 5, 5, 4};
    if (control < 1 || control > 7 || n < 1 || n > kMaxValues[control])
        return;
    switch (control) {
    case 1: SetControl1(v, n); return;
    case 2: SetBytes(1, 2, v, n); break;
    case 3: SetBytes(3, 2, v, n); break;
    case 4: SetBytes(5, 1, v, n); break;
    case 5:
        SetBytes(6, 4, v, n);
        I3151DeriveTurnaround();
        break;
    case 6:
        SetBytes(10, 4, v, n);
        if (I3151.setup[13] & 0x04)
            I3151StartPrinting();
        else if (I3151.passThrough == 0)
            I3151StopPrinting();
        break;
    case 7: SetBytes(14, 3, v, n); break;
    default: break;
    }
}

int I3151ControlReport(int control, u16* out)
{
    static constexpr u8 kGroup[8] = {0, ' ', '!', '"', '#', '$', '%', '&'};
    if (control < 1 || control > 7)
        return 0;
    const u8* s = I3151.setup;
    int n = 0;
    out[n++] = kEsc;
    out[n++] = kGroup[control];
    out[n++] = '7';
    switch (control) {
    case 1: out[n++] = static_cast<u16>(I3151.mode | 0x40); break;
    case 2:
        out[n++] = static_cast<u16>(s[1] | 0x20);
        out[n++] = static_cast<u16>(s[2] | 0x48);
        break;
    case 3:
        out[n++] = static_cast<u16>((s[3] & 0xDF) | 0x20);
        out[n++] = static_cast<u16>((s[4] & 0xBF) | 0x40);
        break;
    case 4: out[n++] = static_cast<u16>(s[5] | 0x40); break;
    case 5: {
        LineBytes(6,
                  LineSettings{ConnectionValues.comspeed, ConnectionValues.comparity, ConnectionValues.comstopb,
                               ConnectionValues.comdatab, ConnectionValues.comflowc},
                  out + n);
        n += 3;
        const u8 t = I3151Turnaround();
        const u8 code = t == 4 ? 2 : t == 13 ? 1 : t == 19 ? 3 : 0;
        out[n++] = static_cast<u16>((s[9] & 0xFC) | 0x40 | code);
        break;
    }
    case 6:
        LineBytes(10, AuxValues.line, out + n);
        n += 3;
        out[n++] = static_cast<u16>(s[13] | 0x40);
        break;
    case 7:
        out[n++] = static_cast<u16>(s[14] | 0x20);
        out[n++] = static_cast<u16>(s[15] | 0x20);
        out[n++] = static_cast<u16>(s[16] | 0x40);
        break;
    default: break;
    }
    return n;
}
