#include "terminal/emulations/wyse/screen/banks.h"

#include "terminal/core/base/emulationids.h"
#include "terminal/core/host/pushback.h"
#include "terminal/emulations/wyse/charsets/charsets.h"
#include "terminal/emulations/wyse/host/hostpath.h"
#include "terminal/emulations/wyse/store/repaint.h"
#include "terminal/emulations/wyse/store/wysemodes.h"
#include "terminal/emulations/wyse/store/wysestore.h"

namespace {

constexpr int kEm = 0x19;
constexpr int kEnded = -2;

// The personalities without banks ignore the commands.
bool HasBanks()
{
    return !(WyIs(kEmuWy50) || WyIsTvi());
}

int ReadBank()
{
    const int b = WyseReadHostByte();
    if (b < 0)
        return -1;
    if (b == kEm) {
        PushBackInputByte(kEm);
        return -1;
    }
    return b & 3;
}

bool AcceptedFontCode(int c)
{
    return c == '1' || c == '2' || (c >= '6' && c <= ';') || (c >= '@' && c <= 'G') || (c >= 'K' && c <= 'N') ||
           c == 'Y' || c == 'Z' || c == ']' || c == '^' || (c >= '`' && c <= 'd') || (c >= 'h' && c <= 'w');
}

int HexDigit(int c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

void Done()
{
    WyseRepaintAll();
    WyseSendAck();
}

}  // namespace

int WyseReadHexByte(bool& valid)
{
    int value = 0;
    for (int i = 0; i < 2; ++i) {
        const int b = WyseReadHostByte();
        if (b < 0)
            return kEnded;
        if (b == kEm) {
            PushBackInputByte(kEm);
            return kEnded;
        }
        const int d = HexDigit(b);
        if (d < 0)
            valid = false;
        value = value * 16 + (d < 0 ? 0 : d);
    }
    return valid ? value : -1;
}

void WyseSelectBankSize()
{
    const int bank = ReadBank();
    if (bank < 0 || !HasBanks())
        return;
    WyBanks.large[bank] = WyStore.displaySize > 25 ? 1 : 0;
    WyseLoadBank(bank);
    WyBanks.current = WyBanks.selector[WyBanks.current == WyBanks.selector[1] ? 1 : 0];
    Done();
}

void WyseClearBank()
{
    const int bank = ReadBank();
    if (bank < 0 || !HasBanks() || !WyStore.bankGlyphs)
        return;
    WyseFreeSoftChars(bank);
    for (int c = 0; c < kWyseBankGlyphs; ++c)
        WyStore.bankGlyphs[bank * kWyseBankGlyphs + c] = 0x20;
    Done();
}

void WyseSelectBankFont()
{
    const int bank = ReadBank();
    if (bank < 0)
        return;
    const int code = WyseReadHostByte();
    if (code < 0 || !HasBanks() || !AcceptedFontCode(code))
        return;
    WyBanks.setCode[bank] = static_cast<u8>(code);
    WyseLoadBank(bank);
    Done();
}

void WyseBankCommand()
{
    const int mode = WyseReadHostByte();
    if (mode < 0 || !HasBanks())
        return;
    WyseSelectCharsetMode(mode);
    Done();
}

void WyseDefineGlyph()
{
    const int bank = ReadBank();
    if (bank < 0)
        return;
    bool valid = true;
    const int character = WyseReadHexByte(valid);
    if (character == kEnded)
        return;
    u8 rows[16] = {};
    for (int i = 0; i < 16; ++i) {
        const int row = WyseReadHexByte(valid);
        if (row == kEnded)
            return;
        rows[i] = static_cast<u8>(row < 0 ? 0 : row);
    }
    const int tail = WyseReadHostByte();
    if (tail >= 0 && tail != kEm)
        PushBackInputByte(static_cast<u8>(tail));
    if (valid && HasBanks())
        WyseLoadSoftChar(bank, character, rows);
    WyseSendAck();
}

void WyseSetBankSelector(int selector)
{
    const int bank = ReadBank();
    if (bank < 0 || !HasBanks())
        return;
    WyBanks.selector[selector & 1] = static_cast<u8>(bank);
    WyseSendAck();
}

void WyseSelectActiveBank(int selector)
{
    if (!HasBanks())
        return;
    WyBanks.current = WyBanks.selector[selector & 1];
    WyBanks.otherCurrent = WyBanks.current;
    WyseRepaintAll();
    WyseSendAck();
}
