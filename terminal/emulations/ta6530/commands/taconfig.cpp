#include "terminal/emulations/ta6530/commands/taconfig.h"

#include "terminal/settings/store/connsettings.h"
#include "terminal/comms/telnet/network.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/core/screen/paintsettings.h"
#include "terminal/emulations/ta6530/tamodes.h"
#include "terminal/emulations/ta6530/screen/tapages.h"
#include "terminal/emulations/ta6530/protocol/taprotocol.h"
#include "terminal/emulations/ta6530/tareceive.h"
#include "terminal/emulations/ta6530/taservices.h"
#include "terminal/emulations/ta6530/screen/tastatus.h"
#include "terminal/settings/store/profilevalues.h"

namespace {

constexpr int kCr = 13, kSo = 14, kSi = 15, kEsc = 27, kSt = 156, kCan = 24;

// Line speed codes by the serial speed setting (110 ... 115200), and back.
constexpr u8 kSpeedCodes[11] = {2, 6, 7, 9, 12, 13, 14, 15, 15, 15, 15};
struct SpeedCode {
    u8 code, setting;
};
constexpr SpeedCode kSpeedSettings[] = {{2, 0}, {6, 1}, {7, 2}, {9, 3}, {12, 4}, {13, 5}, {14, 6}, {15, 7}};
constexpr u8 kParityCodes[5] = {2, 1, 0, 2, 2};

// The cursor style with its two low bits exchanged, both ways.
u8 SwapLowBits(u8 v)
{
    return static_cast<u8>((v & ~3) | ((v & 1) << 1) | ((v >> 1) & 1));
}

bool Serial()
{
    return SocketIndex == kNoSocket;
}

// ---- Applying values ----

u32 DefaultModeOf(int g)
{
    return g == 3 ? 1 : g == 2 ? 2 : 0;
}

void SetSpeedCode(int code)
{
    if (!Serial() || code == TaLineSpeedCode())
        return;
    for (const SpeedCode& s : kSpeedSettings)
        if (s.code == code) {
            ConnectionValues.comspeed = s.setting;
            TaApplyLineFlowControl();
            return;
        }
}

void SetParityCode(int code)
{
    ConnectionValues.comparity = code == 0 ? 2 : code == 1 ? 1 : 0;
    TaApplyLineFlowControl();
}

void SetEightBit(bool on)
{
    ConnectionValues.comdatab = on ? 2 : 1;
    DataBitsSetting = ConnectionValues.comdatab;
    TaApplyLineFlowControl();
}

// One value of ESC v or DCS ?, when the emulation runs.
void ApplyValue(char letter, int v)
{
    switch (letter) {
    case 'A': PaintSettings.cursorStyle = SwapLowBits(static_cast<u8>(v)); break;
    case 'B': TaSettings.marginBell = static_cast<u32>(v); break;
    case 'C': TaSettings.bellOn = static_cast<u32>(v); break;
    case 'D': Ta.valueD = static_cast<u8>(v); break;
    case 'E':
        TaSettings.border = static_cast<u32>(v);
        TaRepaintRows(kTaRows - 1, kTaStatusRow);
        break;
    case 'F': TaNationalFromCode(v); break;
    case 'G':
        if (v != 1)
            TaSettings.defMode = DefaultModeOf(v);
        break;
    case 'H': SetSpeedCode(v); break;
    case 'I':
        if (v >= 1)
            SetParityCode(v - 1);
        break;
    case 'J': LocalEcho = v ? 1 : 0; break;
    case 'L':
        TaSettings.packetBlock = static_cast<u32>(v);
        TaApplyPacketBlock();
        break;
    case 'M': TaSettings.returnFunc = static_cast<u32>(v); break;
    case 'P': Ta.valueP = static_cast<u8>(v); break;
    case 'T':
        Ta.valueT = static_cast<u8>(v);
        TaRepaintRows(0, kTaStatusRow);
        break;
    case 'U': Ta.valueU = static_cast<u8>(v); break;
    case 'V': SetEightBit(v != 0); break;
    case 'X': Ta.valueX = static_cast<u8>(v); break;
    default: break;
    }
}

struct Letter {
    char letter;
    int maximum;
};
// clang-format off
constexpr Letter kLetters[] = {
    {'A', 3}, {'B', 80}, {'C', 1}, {'D', 1}, {'E', 1}, {'F', 999}, {'G', 3}, {'H', 15}, {'I', 5},
    {'J', 1}, {'K', 0}, {'L', 7}, {'M', 1}, {'N', 0}, {'O', 1}, {'P', 20}, {'S', 0}, {'T', 1},
    {'U', 80}, {'V', 1}, {'W', 0}, {'X', 10}, {'e', 64}, {'f', 0},
};
// clang-format on
constexpr int kLetterCount = sizeof kLetters / sizeof kLetters[0];

int LetterIndex(int b)
{
    for (int i = 0; i < kLetterCount; ++i)
        if (kLetters[i].letter == b)
            return i;
    return -1;
}

void AppendPair(char letter, int value)
{
    value = value < 0 ? 0 : value > 99 ? 99 : value;
    TaSendByte(static_cast<u8>(letter));
    TaSendByte(static_cast<u8>(value < 10 ? ' ' : '0' + value / 10));
    TaSendByte(static_cast<u8>('0' + value % 10));
}

int DefaultModeReport()
{
    return TaSettings.defMode == 1 ? 3 : TaSettings.defMode == 2 ? 2 : 0;
}

// ---- DCS ? ----

struct AnsiValue {
    char letter;
    int maximum;
};
// clang-format off
constexpr AnsiValue kAnsiValues[] = {
    {'A', 1}, {'B', 80}, {'C', 1}, {'D', 1}, {'E', 1}, {'F', 32}, {'G', 12}, {'H', 4}, {'I', 1},
    {'J', 1}, {'K', 10}, {'Q', 1}, {'R', 7}, {'S', 1}, {'W', 1}, {'X', 20},
};
// clang-format on
// DCS ? G: line speed steps 0-12 to speed codes (8 has none).
constexpr int kAnsiSpeedCodes[13] = {1, 2, 3, 4, 6, 7, 9, 10, -1, 12, 13, 14, 15};

void ApplyAnsiValue(char letter, int v)
{
    switch (letter) {
    case 'G':
        if (kAnsiSpeedCodes[v] >= 0)
            SetSpeedCode(kAnsiSpeedCodes[v]);
        break;
    case 'H': SetParityCode(v <= 1 ? v : 2); break;
    case 'I': LocalEcho = v ? 1 : 0; break;
    case 'J': SetEightBit(v != 0); break;
    case 'K': Ta.valueX = static_cast<u8>(v); break;
    case 'Q':
        Ta.flowControl = v ? 3 : 0;
        TaApplyLineFlowControl();
        break;
    case 'R':
        TaSettings.packetBlock = static_cast<u32>(v);
        TaApplyPacketBlock();
        break;
    case 'S': TaSettings.returnFunc = static_cast<u32>(v); break;
    case 'W': TaSettings.defMode = v ? 1 : 0; break;
    case 'X': Ta.valueP = static_cast<u8>(v); break;
    default: ApplyValue(letter, v); break;
    }
}

int AnsiSpeedReport()
{
    const u8 code = TaLineSpeedCode();
    static constexpr u8 kBack[16] = {12, 0, 1, 2, 3, 12, 4, 5, 12, 6, 7, 8, 9, 10, 11, 12};
    return code < 16 ? kBack[code] : 12;
}

}  // namespace

u8 TaLineSpeedCode()
{
    const u8 s = ConnectionValues.comspeed;
    return kSpeedCodes[s < 11 ? s : 6];
}

u8 TaParityCode()
{
    const u8 p = ConnectionValues.comparity;
    return kParityCodes[p < 5 ? p : 0];
}

void TaStatusReport()
{
    TaBeginKeyReply('!');
    AppendPair('A', SwapLowBits(PaintSettings.cursorStyle));
    AppendPair('B', static_cast<int>(TaSettings.marginBell));
    AppendPair('C', static_cast<int>(TaSettings.bellOn));
    AppendPair('D', Ta.valueD);
    AppendPair('E', static_cast<int>(TaSettings.border));
    AppendPair('F', Ta.language);
    AppendPair('G', DefaultModeReport());
    AppendPair('H', TaLineSpeedCode());
    AppendPair('I', TaParityCode() + 1);
    AppendPair('J', LocalEcho ? 1 : 0);
    AppendPair('K', 0);
    AppendPair('L', static_cast<int>(TaSettings.packetBlock));
    AppendPair('M', static_cast<int>(TaSettings.returnFunc));
    AppendPair('N', 0);
    AppendPair('O', 0);
    AppendPair('P', Ta.valueP);
    AppendPair('S', 0);
    AppendPair('T', Ta.valueT);
    AppendPair('U', Ta.valueU);
    AppendPair('V', DataBitsSetting == 2 ? 1 : 0);
    AppendPair('W', 0);
    AppendPair('X', Ta.valueX);
    AppendPair('e', 1);
    AppendPair('f', 0);
    TaEndTransmission();
}

void TaIdentify()
{
    TaBeginKeyReply('?');
    TaSendByte(Ta.identified ? 'A' : 'C');
    Ta.identified = true;
    TaSendString("FC");
    if (TaBlockMode()) {
        TaSendByte(static_cast<u8>(Ta.pagesInUse + 64));
        TaSendString("^@");
    }
    TaEndTransmission();
}

void TaTerminalTypeReply()
{
    TaBeginKeyReply('#');
    TaSendString("C20T0C20");
    TaEndTransmission();
}

void TaCursorReport()
{
    const TaPage& page = TaWritePage();
    TaBeginKeyReply('_');
    TaSendByte(static_cast<u8>(Ta.writePage + 32));
    TaSendByte(static_cast<u8>(TaPageRow(page, page.cursorLine) + 32));
    TaSendByte(static_cast<u8>(page.cursorColumn + 32));
    TaEndTransmission();
}

void TaSetConfiguration()
{
    int values[kLetterCount];
    for (int& v : values)
        v = -1;
    int open = -1;  // the letter whose value is being read
    bool digits = false;
    for (;;) {
        const int b = TaReadParameter();
        if (b < 0)
            return;
        if (b == kCr || b == 0)
            break;
        if (b == kSo || b == kSi || b == kEnq) {
            continue;  // shift state and poll have no meaning inside the list
        }
        if (b < 32) {
            TaPushBack(static_cast<u8>(b));
            return;  // broken off: nothing applied
        }
        if (open < 0) {
            open = LetterIndex(b);
            digits = false;
            continue;
        }
        if (b == ' ')
            continue;
        if (b >= '0' && b <= '9') {
            const int max = kLetters[open].maximum;
            const int d = b - '0';
            if (!digits) {
                if (d > max) {
                    open = -1;  // no value for this letter
                    continue;
                }
                values[open] = d;
                digits = true;
                continue;
            }
            const int next = values[open] * 10 + d;
            if (next > max) {
                if (kLetters[open].letter == 'F')
                    values[open] = 999;
                open = -1;
                continue;
            }
            values[open] = next;
            continue;
        }
        // Anything else ends the value; a letter opens the next one.
        open = -1;
        TaPushBack(static_cast<u8>(b));
    }
    if (!Ta.entered)
        return;
    for (int i = 0; i < kLetterCount; ++i) {
        if (values[i] < 0)
            continue;
        if (kLetters[i].letter == 'O') {
            if (values[i] == 1)
                TaSaveProfileNow();
            continue;
        }
        ApplyValue(kLetters[i].letter, values[i]);
    }
}

void TaMessageText()
{
    int column = 1;
    u8 video = 0;
    for (;;) {
        const int b = TaReadParameter();
        if (b < 0)
            return;
        if (b == 0 || b == kCr)
            return;
        if (b == kSo || b == kSi || b == kEnq) {
            if (b == kSo)
                Ta.shiftOutHost = true;
            else if (b == kSi)
                Ta.shiftOutHost = false;
            continue;
        }
        if (b == kEsc) {
            const int next = TaReadParameter();
            if (next < 0)
                return;
            if (next == '6') {
                const int v = TaReadParameter();
                if (v < 0)
                    return;
                video = static_cast<u8>(v & kTaVideoBits);
                const u8 blank = ' ';
                TaSetMessageText(column, &blank, 1, video);
                column = column >= 64 ? 1 : column + 1;
                continue;
            }
            TaPushBack(static_cast<u8>(next));
            TaPushBack(kEsc);
            return;
        }
        if (b < 32) {
            TaPushBack(static_cast<u8>(b));
            return;
        }
        u8 ch = static_cast<u8>(b);
        if (Ta.fromKeyboard ? Ta.shiftOutKeyboard : Ta.shiftOutHost)
            ch |= 0x80;
        TaSetMessageText(column, &ch, 1, video);
        column = column >= 64 ? 1 : column + 1;
    }
}

void TaAnsiSetConfiguration()
{
    struct Pending {
        char letter;
        int value;
    } pending[32];
    int count = 0;
    for (;;) {
        int letter = TaReadSequenceByte();
        if (letter == kSt)
            break;
        if (letter == kCan)
            return;  // everything discarded
        const int d1 = TaReadSequenceByte();
        if (d1 == kCan)
            return;
        if (d1 == kSt)
            break;
        const int d2 = TaReadSequenceByte();
        if (d2 == kCan)
            return;
        if (d2 == kSt)
            break;
        if (letter < 'A' || letter > 'Z' || d1 < '0' || d1 > '9' || d2 < '0' || d2 > '9')
            continue;
        const int v = (d1 - '0') * 10 + (d2 - '0');
        for (const AnsiValue& a : kAnsiValues)
            if (a.letter == letter && v <= a.maximum && count < 32)
                pending[count++] = Pending{static_cast<char>(letter), v};
    }
    if (!Ta.entered)
        return;
    for (int i = 0; i < count; ++i)
        ApplyAnsiValue(pending[i].letter, pending[i].value);
}

void TaAnsiReportConfiguration()
{
    auto pair = [](char letter, int v) {
        v = v < 0 ? 0 : v > 99 ? 99 : v;
        TaSendByte(static_cast<u8>(letter));
        TaSendByte(static_cast<u8>('0' + v / 10));
        TaSendByte(static_cast<u8>('0' + v % 10));
    };
    TaSendString("\033P>");
    pair('A', SwapLowBits(PaintSettings.cursorStyle) & 1);
    pair('B', static_cast<int>(TaSettings.marginBell));
    pair('C', static_cast<int>(TaSettings.bellOn));
    pair('D', Ta.valueD);
    pair('E', static_cast<int>(TaSettings.border));
    pair('F', Ta.language);
    pair('G', AnsiSpeedReport());
    pair('H', TaParityCode());
    pair('I', LocalEcho ? 1 : 0);
    pair('J', DataBitsSetting == 2 ? 1 : 0);
    pair('K', Ta.valueX);
    pair('Q', Ta.flowControl ? 1 : 0);
    pair('R', static_cast<int>(TaSettings.packetBlock));
    pair('S', static_cast<int>(TaSettings.returnFunc));
    pair('W', TaSettings.defMode == 1 ? 1 : 0);
    pair('X', Ta.valueP);
    TaSendString("\033\\");
}
