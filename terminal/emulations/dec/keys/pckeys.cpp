// Key programming of the VT510 class on its PC keyboard: DECUDK in the VT510 form
// (texts for F1-F12) and DCS " x / DCS " y (texts, functions and characters for any
// key by its PC key number). The definitions go into the key-definition list as the
// host's own: they are typed or sent exactly as given, never read as macro tokens.
#include <string>

#include "terminal/core/base/hexparse.h"
#include "terminal/emulations/dec/controls/controlstring.h"
#include "terminal/emulations/dec/keys/keysequences.h"
#include "terminal/emulations/dec/params.h"
#include "terminal/emulations/dec/vtmodes.h"
#include "terminal/emulations/dec/vtparts.h"
#include "terminal/input/macros/keydefs.h"

namespace {

struct PcKeyNumber {
    u32 virtualKey;
    u32 keyNumber;
};

// Virtual keys by their position number on the 101/102-key PC keyboard, the numbers
// the VT510 uses to name its keys.
constexpr PcKeyNumber kPcKeyNumberTable[] = {
    {0xC0, 1},   {'1', 2},    {'2', 3},    {'3', 4},    {'4', 5},    {'5', 6},    {'6', 7},    {'7', 8},
    {'8', 9},    {'9', 10},   {'0', 11},   {0xBD, 12},  {0xBB, 13},  {0x08, 15},  {0x09, 16},  {'Q', 17},
    {'W', 18},   {'E', 19},   {'R', 20},   {'T', 21},   {'Y', 22},   {'U', 23},   {'I', 24},   {'O', 25},
    {'P', 26},   {0xDB, 27},  {0xDD, 28},  {0xDC, 29},  {0x14, 30},  {'A', 31},   {'S', 32},   {'D', 33},
    {'F', 34},   {'G', 35},   {'H', 36},   {'J', 37},   {'K', 38},   {'L', 39},   {0xBA, 40},  {0xDE, 41},
    {0x0D, 43},  {0xE2, 45},  {'Z', 46},   {'X', 47},   {'C', 48},   {'V', 49},   {'B', 50},   {'N', 51},
    {'M', 52},   {0xBC, 53},  {0xBE, 54},  {0xBF, 55},  {0x20, 61},  {0x2D, 75},  {0x2E, 76},  {0x25, 79},
    {0x24, 80},  {0x23, 81},  {0x26, 83},  {0x28, 84},  {0x21, 85},  {0x22, 86},  {0x27, 89},  {0x90, 90},
    {0x67, 91},  {0x64, 92},  {0x61, 93},  {0x6F, 95},  {0x68, 96},  {0x65, 97},  {0x62, 98},  {0x60, 99},
    {0x6A, 100}, {0x69, 101}, {0x66, 102}, {0x63, 103}, {0x6E, 104}, {0x6D, 105}, {0x6B, 106}, {0x1B, 110},
    {0x70, 112}, {0x71, 113}, {0x72, 114}, {0x73, 115}, {0x74, 116}, {0x75, 117}, {0x76, 118}, {0x77, 119},
    {0x78, 120}, {0x79, 121}, {0x7A, 122}, {0x7B, 123}, {0x2C, 124}, {0x91, 125}, {0x13, 126},
};

// The DEC key numbers of the VT510's DECUDK that stand for the PC keys F1-F12.
constexpr int kDecFunctionKeyNumbers[12] = {11, 12, 13, 14, 15, 17, 18, 19, 20, 21, 23, 24};
constexpr u32 kVkF1 = 0x70;

constexpr char kNoFunction[] = "<VK_NOFUNCTION>";
constexpr int kMaxDefinitionText = 4095;

// Shift states (1 Shift, 2 Ctrl, 4 Alt) of the modifier codes 0-8 of DCS " x.
constexpr u32 kModifierShift[9] = {0, 0, 1, 4, 5, 2, 3, 6, 7};
// Shift states of the levels of an alphanumeric key (DCS " y); levels 5 and 6 are
// never defined.
constexpr int kLevelShift[7] = {0, 1, 4, 6, -1, -1, 2};

int VirtualKeyOf(u32 keyNumber)
{
    for (const PcKeyNumber& k : kPcKeyNumberTable)
        if (k.keyNumber == keyNumber)
            return static_cast<int>(k.virtualKey);
    return -1;
}

// Bytes from hexadecimal pairs; decoding stops at the first character that is not one.
std::u16string FromHexPairs(const std::string& hex)
{
    std::u16string text;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        const int high = HexDigitValue(hex[i]), low = HexDigitValue(hex[i + 1]);
        if (high < 0 || low < 0)
            break;
        text.push_back(static_cast<char16_t>(high * 16 + low));
    }
    return text;
}

std::u16string Widen(const char* text)
{
    std::u16string wide;
    for (; *text; ++text)
        wide.push_back(static_cast<u8>(*text));
    return wide;
}

// A decimal field; -1 when it is empty or holds anything but digits.
long DecimalField(const std::string& field)
{
    if (field.empty() || field.size() > 9)
        return -1;
    long value = 0;
    for (char c : field) {
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

void SetNoFunction(u32 virtualKey, u32 shift)
{
    ReplaceKeyDefinitionText(virtualKey, shift, kKeyMacro, 0, Widen(kNoFunction));
}

}  // namespace

void ReplaceKeyDefinitionText(u32 keyCode, u32 shift, u32 kind, u32 sendType, const std::u16string& text)
{
    KeyDefinitionsLock locked;
    if (KeyDefinition* old = FindKeyDefinition(keyCode, kind, static_cast<i32>(shift)))
        DeleteKeyDefinition(old);
    if (!text.empty())
        AddKeyDefinition(keyCode, sendType, kind, shift, static_cast<u32>(text.size()),
                         reinterpret_cast<const wchar16*>(text.data()), nullptr, TextOrigin::Host);
}

void DefinePcFunctionKeys()
{
    const int clear = Param(1), lock = Param(2), modifier = Param(3);
    if (ParamMarker() != ' ' || clear > 1 || lock > 1 || modifier > 4 || KeySequenceTable.locked) {
        SkipControlString();
        return;
    }
    static constexpr u32 kShiftOfModifier[5] = {1, 0, 1, 4, 5};
    const u32 shift = kShiftOfModifier[modifier];
    if (clear == 0)
        for (int f = 0; f < 12; ++f)
            SetNoFunction(kVkF1 + static_cast<u32>(f), shift);
    // Definitions: decimal key number, '/', hexadecimal text, ';' between them.
    std::string field;
    long keyNumber = -1;
    bool inText = false;
    auto finish = [&] {
        if (inText) {
            for (int f = 0; f < 12; ++f)
                if (kDecFunctionKeyNumbers[f] == keyNumber) {
                    const u32 vk = kVkF1 + static_cast<u32>(f);
                    if (clear == 1)
                        SetNoFunction(vk, shift);
                    ReplaceKeyDefinitionText(vk, shift, kKeyMacro, 0, FromHexPairs(field));
                }
        }
        field.clear();
        keyNumber = -1;
        inText = false;
    };
    for (int n = 0;; ++n) {
        const int b = ReadStringByte();
        if (b == kStringEnd)
            break;
        if (n > kMaxDefinitionText)
            continue;  // an endless string is read to its end, its tail unused
        if (b == ';') {
            finish();
        } else if (b == '/' && !inText) {
            keyNumber = DecimalField(field);
            field.clear();
            inText = true;
        } else if (b > ' ' && b < 0x7F) {
            field.push_back(static_cast<char>(b));
        }
    }
    finish();
    if (lock == 0)
        KeySequenceTable.locked = 1;
    else
        KeySequenceTable.locked = 0;
}

void ProgramPcKey(const std::string& definition, int mode)
{
    std::string fields[5];
    int count = 0;
    std::string text = definition;
    if (text.empty() || text.back() != '/')
        text.push_back('/');
    std::string current;
    for (char c : text) {
        if (c != '/') {
            current.push_back(c);
            continue;
        }
        if (count < 5)
            fields[count++] = current;
        current.clear();
    }
    const long keyNumber = DecimalField(fields[0]);
    const int vk = keyNumber < 0 ? -1 : VirtualKeyOf(static_cast<u32>(keyNumber));
    if (vk < 0)
        return;
    const long function = DecimalField(fields[2]);
    const long send = DecimalField(fields[4]);
    const u32 sendType = send == 1 ? 2 : send == 2 ? 1 : 0;
    std::u16string chosen;
    bool choseText = true;
    switch (function) {
    case 91: chosen = u"\x08"; break;
    case 92: chosen = u"\x18"; break;
    case 93: chosen = u"\x1B"; break;
    case 94: chosen = u"\x7F"; break;
    case 100: chosen = FromHexPairs(fields[3]); break;
    default:
        if (function == 0 || (function >= 66 && function <= 99) || (mode == 0 && fields[1].empty()))
            chosen = Widen(kNoFunction);
        else
            choseText = false;
        break;
    }
    if (choseText) {
        long modifier = mode == 1 ? DecimalField(fields[1]) : 0;
        if (modifier < 0 || modifier > 8)
            modifier = 0;
        ReplaceKeyDefinitionText(static_cast<u32>(vk), kModifierShift[modifier], kKeyMacro, sendType, chosen);
        return;
    }
    if (mode == 1)
        return;
    // An alphanumeric key: one character per modifier level, '.' to the next level,
    // '-' for a level that stays without a definition.
    int level = 0;
    for (char c : fields[1]) {
        while (level < 7 && kLevelShift[level] < 0)
            ++level;
        if (level >= 7)
            break;
        const u32 shift = static_cast<u32>(kLevelShift[level]);
        if (c == '-') {
            ReplaceKeyDefinitionText(static_cast<u32>(vk), shift, kKeyMacro, sendType, u"");
        } else if (c != '.') {
            ReplaceKeyDefinitionText(static_cast<u32>(vk), shift, kKeyMacro, sendType,
                                     std::u16string(1, static_cast<char16_t>(static_cast<u8>(c))));
        }
        ++level;
    }
}

namespace {
void LoadKeyDefinitionString(int mode)
{
    if (!IsVt510Class()) {
        SkipControlString();
        return;
    }
    std::string text;
    bool tooLong = false;
    for (;;) {
        const int b = ReadStringByte();
        if (b == kStringEnd)
            break;
        if (b <= ' ' || tooLong)
            continue;
        // A string beyond the terminal's buffer is refused whole.
        if (static_cast<int>(text.size()) >= kMaxDefinitionText)
            tooLong = true;
        else
            text.push_back(static_cast<char>(b));
    }
    if (tooLong || ParamMarker() != ' ' || KeySequenceTable.locked)
        return;
    std::string definition;
    for (char c : text) {
        if (c == ';') {
            ProgramPcKey(definition, mode);
            definition.clear();
        } else {
            definition.push_back(c);
        }
    }
    if (!definition.empty())
        ProgramPcKey(definition, mode);
}
}  // namespace

void LoadFunctionKeyDefinitions()
{
    LoadKeyDefinitionString(1);
}

void LoadAlphanumericKeyDefinitions()
{
    LoadKeyDefinitionString(0);
}
