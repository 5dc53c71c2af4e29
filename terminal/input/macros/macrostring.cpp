#include "terminal/input/macros/macrostring.h"

#include "terminal/core/screen/charsets.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/screen/paintsettings.h"
#include "terminal/input/macros/eventtext.h"
#include "terminal/input/macros/keyevents.h"
#include "terminal/input/macros/keynames.h"

namespace {

constexpr wchar16 kEsc = 0x1B;
constexpr int kMaxNameParts = 64;  // units of the parts of one key-name combination

int LiteralTypeOf(int mode)
{
    return mode == 5 ? 8 : mode == 6 ? 9 : 7;
}

// The index of `closer` after `from`, -1 when the text has none.
int FindCloser(const wchar16* text, int length, int from, wchar16 closer)
{
    for (int i = from; i < length; ++i)
        if (text[i] == closer)
            return i;
    return -1;
}

// A bracket that opens a token: single, not the text's last unit, and closed later.
bool OpensToken(const wchar16* text, int length, int i)
{
    const wchar16 c = text[i];
    if (c != '<' && c != '(')
        return false;
    if (i + 1 >= length || text[i + 1] == c)
        return false;
    return FindCloser(text, length, i + 1, c == '<' ? '>' : ')') >= 0;
}

// The seven-bit terminals take a C1 control as ESC and its Fe character.
bool SplitsC1()
{
    return EmulationId <= kEmuVt500Bit7 && PaintSettings.characterMode != kCharModePcCodePage;
}

// Plain units from the start into `out`; the units of text consumed.
int CollectPlain(const wchar16* text, int length, wchar16* out, int* collected)
{
    int i = 0, n = 0;
    const bool splitC1 = SplitsC1();
    while (i < length) {
        const wchar16 c = text[i];
        if ((c == '<' || c == '(') && i + 1 < length && text[i + 1] == c) {
            if (n + 1 > kMacroPlainRunUnits)
                break;
            out[n++] = c;
            i += 2;
            continue;
        }
        if (OpensToken(text, length, i))
            break;
        if (splitC1 && c >= 0x80 && c <= 0x9F) {
            if (n + 2 > kMacroPlainRunUnits)
                break;
            out[n++] = kEsc;
            out[n++] = static_cast<wchar16>(c - 0x40);
        } else {
            if (n + 1 > kMacroPlainRunUnits)
                break;
            out[n++] = c;
        }
        ++i;
    }
    *collected = n;
    return i;
}

struct Token {
    int end = 0;    // units taken
    int type = 0;   // event type, 0 for nothing (a name not in the table)
    int first = 0;  // the text of a string event
    int length = 0;
    int key = 0, shift = 0;
};

// The token at the start: an opening bracket with its closer later on.
Token ParseToken(const wchar16* text, int length)
{
    Token token;
    if (text[0] == '(') {
        const int close = FindCloser(text, length, 1, ')');
        token = {close + 1, 12, 1, close - 1};
        return token;
    }
    const wchar16 quote = text[1];
    if (quote == '"' || quote == '\'') {
        for (int j = 2; j + 1 < length; ++j)
            if (text[j] == quote && text[j + 1] == '>') {
                token = {j + 2, quote == '"' ? 10 : 11, 2, j - 2};
                return token;
            }
    }
    const int close = FindCloser(text, length, 1, '>');
    token.end = close + 1;
    // The parts of the combination, each ended by a NUL; blanks do not count.
    wchar16 parts[kMaxNameParts + 1];
    int n = 0, count = 0;
    bool partOpen = false;
    for (int i = 1; i < close && n < kMaxNameParts; ++i) {
        const wchar16 c = text[i];
        if (c == ' ')
            continue;
        if (c == '+' || c == '-') {
            if (partOpen) {
                parts[n++] = 0;
                partOpen = false;
            }
            continue;
        }
        if (!partOpen) {
            ++count;
            partOpen = true;
        }
        parts[n++] = c;
    }
    parts[n] = 0;
    int key = -1, shift = 0;
    if (ParseKeyNameCombination(parts, count, &key, &shift)) {
        token.type = shift < 0 ? 1 : 3;
        token.key = key;
        token.shift = shift;
    }
    return token;
}

void PushToken(const wchar16* text, const Token& token, TextOrigin origin)
{
    // clang-format off
    switch (token.type) {
    case 1:
        PushInputEventFront(1, static_cast<u16>(token.key), 0xFFFF);
        break;
    case 3:
        PushInputEventFront(3, static_cast<u16>(token.key), static_cast<u16>(token.shift));
        break;
    case 10:
    case 11:
    case 12:
        PushStringEventFront(text + token.first, token.type, token.length, origin);
        break;
    default:
        break;
    }
    // clang-format on
}

}  // namespace

void RunMacroString(u32 handle, int mode, int)
{
    int length = 0;
    TextOrigin origin = TextOrigin::Host;
    const wchar16* text = EventText(handle, &length, &origin);
    if (!text) {
        FreeEventText(handle);
        return;
    }
    wchar16 plain[kMacroPlainRunUnits];
    int collected = 0;
    const int used = CollectPlain(text, length, plain, &collected);
    const Token token = collected == 0 && used < length ? ParseToken(text + used, length - used) : Token{};
    // The rest goes to the front first, so that what comes before it runs first.
    const int restStart = used + token.end;
    if (restStart < length)
        PushStringEventFront(text + restStart, mode, length - restStart, origin);
    if (collected > 0)
        PushStringEventFront(plain, LiteralTypeOf(mode), collected, origin);
    else
        PushToken(text + used, token, origin);
    FreeEventText(handle);
}
