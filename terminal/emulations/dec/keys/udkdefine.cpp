// DECUDK in its classic form: DCS Pc ; Pl ; Pm | key/hex-text ; ... ST. The host gives
// each key a text of hexadecimal byte pairs; the texts share the key table's pool. Once
// the host has locked the keys, later definitions are read and ignored until the keys
// are cleared (a reset or the user's Set-Up), as the VT220 did.
#include "terminal/core/base/hexparse.h"
#include "terminal/emulations/dec/controls/controlstring.h"
#include "terminal/emulations/dec/keys/keymodes.h"
#include "terminal/emulations/dec/keys/keysequences.h"
#include "terminal/emulations/dec/params.h"
#include "terminal/emulations/dec/vtmodes.h"
#include "terminal/emulations/dec/vtparts.h"

namespace {

// Tokens of the definition string besides digit values 0-15.
constexpr int kTokenSemicolon = 0x100, kTokenSlash = 0x101, kTokenEnd = 0x102;

// The next token: a hexadecimal digit's value, ';', '/' or the end; other bytes are
// passed over.
int ReadUdkToken()
{
    for (;;) {
        const int b = ReadStringByte();
        if (b == kStringEnd)
            return kTokenEnd;
        const int digit = HexDigitValue(b);
        if (digit >= 0)
            return digit;
        if (b == ';')
            return kTokenSemicolon;
        if (b == '/')
            return kTokenSlash;
    }
}

void AppendUnitToKey(int key, int value, int& state)
{
    KeySequenceStore& t = KeySequenceTable;
    // A full pool ends this key's text; what is stored so far stays.
    if (t.end >= kUdkPoolUnits) {
        state = 0;
        return;
    }
    t.pool[t.end++] = static_cast<wchar16>(value);
    ++t.keys[key].length;
}

void ReadDefinitions()
{
    // 0 ignore to ';', 1 first key digit, 2 second key digit, 3 expect '/', 4 first text
    // digit, 5 second text digit.
    int state = 1, key = -1, selector = 0, high = 0;
    for (;;) {
        const int token = ReadUdkToken();
        if (token == kTokenEnd)
            return;
        if (token == kTokenSemicolon) {
            state = 1;
            continue;
        }
        if (token == kTokenSlash) {
            if (state == 3) {
                DeleteUserDefinedKey(key);
                KeySequenceTable.keys[key].local = 0;
                state = 4;
            } else {
                state = 0;
            }
            continue;
        }
        switch (state) {
        case 1:
            selector = token * 16;
            state = 2;
            break;
        case 2:
            key = UserDefinedKeyIndex(selector | token);
            state = key < 0 ? 0 : 3;
            break;
        case 4:
            high = token;
            state = 5;
            break;
        case 5:
            state = 4;
            AppendUnitToKey(key, high * 16 + token, state);
            break;
        default: break;  // 0 and 3: a digit is out of place until the next ';'
        }
    }
}

}  // namespace

void DefineUserKeys()
{
    if (!IsVt500Emulation()) {
        SkipControlString();
        return;
    }
    if (IsVt510Class()) {
        DefinePcFunctionKeys();
        return;
    }
    const int clear = Param(1), lock = Param(2), modifier = Param(3);
    if (ParamMarker() != ' ' || clear > 1 || lock > 1 || KeySequenceTable.locked || modifier >= 3) {
        SkipControlString();
        return;
    }
    if (clear == 0)
        InstallVtDefaultKeys();
    ReadDefinitions();
    if (lock == 0)
        KeySequenceTable.locked = 1;
}

bool UserDefinedKeysLocked()
{
    return KeySequenceTable.locked != 0;
}
