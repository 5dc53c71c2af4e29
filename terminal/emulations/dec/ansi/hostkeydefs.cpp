// Keys a host of the ANSI consoles defines: SCO's function-key strings (ESC Q) and the
// PC key reassignment of CSI p. Both are the host's texts: they are sent exactly as
// given, never read as macro tokens, so a host can never make a key start a program or
// raise a window.
#include "terminal/emulations/dec/ansi/ansiconsole.h"

#include <string>

#include "terminal/core/host/hostread.h"
#include "terminal/emulations/dec/params.h"
#include "terminal/input/macros/keydefs.h"

namespace {

constexpr u32 kShift = 1, kCtrl = 2, kAlt = 4;
constexpr u32 kVkTab = 0x09, kVkF1 = 0x70, kVkMinus = 0xBD, kVkEquals = 0xBB;
constexpr u32 kVkHome = 0x24, kVkUp = 0x26, kVkPageUp = 0x21, kVkLeft = 0x25, kVkRight = 0x27;
constexpr u32 kVkEnd = 0x23, kVkDown = 0x28, kVkPageDown = 0x22, kVkInsert = 0x2D, kVkDelete = 0x2E;

struct PcKey {
    u32 virtualKey;
    u32 shift;
};

// The PC keyboard's extended key codes (the second byte after a 0).
bool ExtendedKey(int code, PcKey* key)
{
    static const char kRowQ[] = "QWERTYUIOP", kRowA[] = "ASDFGHJKL", kRowZ[] = "ZXCVBNM";
    auto set = [key](u32 vk, u32 shift) {
        *key = PcKey{vk, shift};
        return true;
    };
    if (code == 15)
        return set(kVkTab, kShift);
    if (code >= 16 && code <= 25)
        return set(static_cast<u8>(kRowQ[code - 16]), kAlt);
    if (code >= 30 && code <= 38)
        return set(static_cast<u8>(kRowA[code - 30]), kAlt);
    if (code >= 44 && code <= 50)
        return set(static_cast<u8>(kRowZ[code - 44]), kAlt);
    if (code >= 59 && code <= 68)
        return set(kVkF1 + static_cast<u32>(code - 59), 0);
    if (code >= 84 && code <= 93)
        return set(kVkF1 + static_cast<u32>(code - 84), kShift);
    if (code >= 94 && code <= 103)
        return set(kVkF1 + static_cast<u32>(code - 94), kCtrl);
    if (code >= 104 && code <= 113)
        return set(kVkF1 + static_cast<u32>(code - 104), kAlt);
    if (code >= 120 && code <= 128)
        return set('1' + static_cast<u32>(code - 120), kAlt);
    switch (code) {
    case 71: return set(kVkHome, 0);
    case 72: return set(kVkUp, 0);
    case 73: return set(kVkPageUp, 0);
    case 75: return set(kVkLeft, 0);
    case 77: return set(kVkRight, 0);
    case 79: return set(kVkEnd, 0);
    case 80: return set(kVkDown, 0);
    case 81: return set(kVkPageDown, 0);
    case 82: return set(kVkInsert, 0);
    case 83: return set(kVkDelete, 0);
    case 114: return set(44, kCtrl);
    case 115: return set(kVkLeft, kCtrl);
    case 116: return set(kVkRight, kCtrl);
    case 117: return set(kVkEnd, kCtrl);
    case 118: return set(kVkPageDown, kCtrl);
    case 119: return set(kVkHome, kCtrl);
    case 129: return set('0', kAlt);
    case 130: return set(kVkMinus, kAlt);
    case 131: return set(kVkEquals, kAlt);
    case 132: return set(kVkPageUp, kCtrl);
    default: return false;
    }
}

// Character codes: the key that types the character on a US keyboard.
bool CharacterKey(int code, PcKey* key)
{
    struct Entry {
        u8 code;
        u8 virtualKey;
        u8 shift;
    };
    static constexpr Entry kPunctuation[] = {
        {33, 49, 1},  {35, 51, 1},   {36, 52, 1},   {37, 53, 1},   {38, 55, 1},   {39, 192, 0}, {40, 57, 1},
        {41, 48, 1},  {42, 56, 1},   {43, 187, 1},  {44, 188, 0},  {45, 189, 0},  {46, 46, 1},  {47, 191, 0},
        {48, 45, 1},  {49, 35, 1},   {50, 40, 1},   {51, 34, 1},   {52, 37, 1},   {54, 39, 1},  {55, 36, 1},
        {56, 38, 1},  {57, 33, 1},   {58, 186, 1},  {59, 186, 0},  {60, 188, 1},  {61, 187, 0}, {62, 190, 1},
        {63, 191, 1}, {64, 50, 1},   {91, 219, 0},  {92, 220, 0},  {93, 221, 0},  {94, 54, 1},  {95, 189, 1},
        {96, 223, 0}, {123, 219, 1}, {124, 220, 1}, {125, 221, 1}, {126, 222, 1},
    };
    if (code >= 'a' && code <= 'z') {
        *key = PcKey{static_cast<u32>(code - 'a' + 'A'), 0};
        return true;
    }
    if (code >= 'A' && code <= 'Z') {
        *key = PcKey{static_cast<u32>(code), kShift};
        return true;
    }
    if (code == 9) {
        *key = PcKey{kVkTab, 0};
        return true;
    }
    if (code >= 1 && code <= 26) {
        *key = PcKey{static_cast<u32>(code + 64), kCtrl};
        return true;
    }
    if (code == '5') {
        *key = PcKey{'5', 0};
        return true;
    }
    for (const Entry& e : kPunctuation)
        if (e.code == code) {
            *key = PcKey{e.virtualKey, e.shift};
            return true;
        }
    return false;
}

// Parameter i as a character code: a quoted text stands for its first character.
int CodeOf(int i)
{
    if (const char* text = AnsiQuotedParam(i))
        return static_cast<u8>(text[0]);
    return Param(i);
}

bool IsNumeric(int i)
{
    return AnsiQuotedParam(i) == nullptr;
}

void DeleteHostKey(const PcKey& key)
{
    KeyDefinitionsLock hold;
    if (KeyDefinition* old = FindKeyDefinition(key.virtualKey, kKeyMacro, static_cast<i32>(key.shift)))
        DeleteKeyDefinition(old);
}

void DefineHostKey(const PcKey& key, const std::u16string& text)
{
    KeyDefinitionsLock hold;
    DeleteHostKey(key);
    if (!text.empty())
        AddKeyDefinition(key.virtualKey, 0, kKeyMacro, key.shift, static_cast<u32>(text.size()),
                         reinterpret_cast<const wchar16*>(text.data()), nullptr, TextOrigin::Host);
}

// The text of parameters first..count: numbers are character codes, quoted texts are
// taken as they stand.
std::u16string TextFrom(int first)
{
    std::u16string text;
    for (int i = first; i <= ParamCount(); ++i) {
        if (const char* quoted = AnsiQuotedParam(i)) {
            for (const char* p = quoted; *p; ++p)
                text.push_back(static_cast<char16_t>(static_cast<u8>(*p)));
        } else if (Param(i) <= 0xFFFF) {
            text.push_back(static_cast<char16_t>(Param(i)));
        }
    }
    return text;
}

// SCO's key selector: '0'-';' F1-F12, '`'-'b' F13-F15, '<'-'G' shifted F1-F12, 'd'-'f'
// shifted F13-F15.
int KeyStringIndex(int k)
{
    if (k >= '0' && k <= ';')
        return k - '0';
    if (k >= '`' && k <= 'b')
        return 12 + k - '`';
    if (k >= '<' && k <= 'G')
        return 15 + k - '<';
    if (k >= 'd' && k <= 'f')
        return 27 + k - 'd';
    return -1;
}

}  // namespace

void AnsiRedefineKey()
{
    if (ParamMarker() != ' ')
        return;
    const int count = ParamCount();
    const bool extended = IsNumeric(1) && Param(1) == 0;
    PcKey key{};
    if (extended ? !ExtendedKey(Param(2), &key) : !CharacterKey(CodeOf(1), &key))
        return;
    const int textStart = extended ? 3 : 2;
    // A key assigned to itself gets its own meaning back.
    if (extended && count == 4 && IsNumeric(3) && IsNumeric(4) && Param(4) == Param(2)) {
        DeleteHostKey(key);
        return;
    }
    if (!extended && count == 2 && CodeOf(2) == CodeOf(1) &&
        (IsNumeric(2) || std::char_traits<char>::length(AnsiQuotedParam(2)) == 1)) {
        DeleteHostKey(key);
        return;
    }
    if (count < textStart)
        return;
    DefineHostKey(key, TextFrom(textStart));
}

void ScoDefineFunctionKey()
{
    // Read as they come, 8 bits and controls included: the text is the host's.
    const int k = HostReadSequenceByte();
    if (k < 0)
        return;
    const int delimiter = HostReadSequenceByte();
    if (delimiter < 0)
        return;
    wchar16 text[kScoKeyStringUnits + 1] = {};
    int n = 0;
    for (;;) {
        const int b = HostReadSequenceByte();
        if (b < 0)
            return;
        if (b == delimiter)
            break;
        // A text of 30 bytes is refused; what follows arrives as data.
        if (n == kScoKeyStringUnits)
            return;
        text[n++] = static_cast<wchar16>(b);
    }
    const int index = KeyStringIndex(k);
    if (index < 0)
        return;
    for (int i = 0; i <= kScoKeyStringUnits; ++i)
        AnsiConsole.keyStrings[index][i] = i < n ? text[i] : 0;
}
