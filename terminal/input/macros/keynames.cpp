#include "terminal/input/macros/keynames.h"

#include <utility>

#include "terminal/core/host/pushback.h"
#include "terminal/input/macros/eventcommands.h"
#include "terminal/input/keyboard/keycodes.h"

namespace {

struct KeyNameRow {
    const wchar16* name;
    KeyNameEntry entry;
};

constexpr KeyNameRow kKeyNames[] = {
#define VX_KEY_NAME(id, name, number, shift) {VXT(name), {number, shift}},
#define VX_VIRTUAL_KEY_NAME(vk, id)
#include "terminal/input/macros/keynames.def"
#undef VX_KEY_NAME
#undef VX_VIRTUAL_KEY_NAME
};
static_assert(sizeof kKeyNames / sizeof kKeyNames[0] == kKeyNameCount, "one row per string 13000-13643");

struct VirtualKeyName {
    u16 virtualKey, id;
};

constexpr VirtualKeyName kVirtualKeyNames[] = {
#define VX_KEY_NAME(id, name, number, shift)
#define VX_VIRTUAL_KEY_NAME(vk, id) {vk, id},
#include "terminal/input/macros/keynames.def"
#undef VX_KEY_NAME
#undef VX_VIRTUAL_KEY_NAME
};

constexpr int kHostBindingBase = 300;
constexpr int kPrefixUnits = 3;  // "VK_", "VT_" ...
constexpr int kMaxNameUnits = 16;

wchar16 Upper(wchar16 c)
{
    return c >= 'a' && c <= 'z' ? static_cast<wchar16>(c - 32) : c;
}

int Length(const wchar16* s)
{
    int n = 0;
    while (s[n])
        ++n;
    return n;
}

bool SameName(const wchar16* a, int length, const wchar16* b)
{
    int i = 0;
    for (; i < length; ++i)
        if (!b[i] || Upper(a[i]) != Upper(b[i]))
            return false;
    return b[i] == 0;
}

// A modifier position only adds its bit.
u32 ModifierBit(int position)
{
    // clang-format off
    switch (position) {
    case 57: case 69: return kShiftBit;
    case 70: case 74: return kCtrlBit;
    case 71: case 73: return kAltBit;
    default: return 0;
    }
    // clang-format on
}

}  // namespace

const wchar16* KeyNameAt(int index)
{
    return index >= 0 && index < kKeyNameCount ? kKeyNames[index].name : nullptr;
}

KeyNameEntry KeyNameEntryAt(int index)
{
    return index >= 0 && index < kKeyNameCount ? kKeyNames[index].entry : KeyNameEntry{kNoKeyPosition, 0};
}

int KeyNameToIndex(const wchar16* name, int length)
{
    if (!name)
        return -1;
    if (length < 0)
        length = Length(name);
    const bool prefixed = length >= 4 && name[2] == '_';
    for (int i = 0; i < kKeyNameCount; ++i)
        if (SameName(name, length, kKeyNames[i].name + (prefixed ? 0 : kPrefixUnits)))
            return i;
    return -1;
}

int KeyPositionToKey(int position, int* key, int* shift)
{
    *key = -1;
    const int virtualKey = KeyPositionToVirtualKey(position);
    if (virtualKey < 0)
        return 0;
    if (const int code = VirtualKeyToKeyCodeByTable(virtualKey)) {
        *key = code;
        return 1;
    }
    int c = VirtualKeyToCharacter(virtualKey);
    if (c <= 0)
        return 0;
    const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    if ((*shift == 0 || *shift == static_cast<int>(kShiftBit)) && c < 128) {
        if (letter)
            c = *shift ? (c & ~0x20) : (c | 0x20);
        *shift = -1;
    } else if ((*shift & ~static_cast<int>(kShiftBit)) == static_cast<int>(kCtrlBit) && c >= 0x40 && c < 0x80) {
        // Ctrl with a letter or one of @[\]^_ types its control character, as the
        // keyboard would.
        c &= 0x1F;
        *shift = -1;
    } else if ((*shift & kAltBit) && letter) {
        c &= ~0x20;
    }
    *key = c;
    return 1;
}

int KeyNameToKey(const wchar16* name, int length, int* key, int* shift)
{
    *key = -1;
    const int index = KeyNameToIndex(name, length);
    if (index < 0)
        return 0;
    const KeyNameEntry entry = kKeyNames[index].entry;
    const int position = entry.number >= kHostBindingBase ? entry.number - kHostBindingBase : entry.number;
    if (const u32 bit = ModifierBit(position)) {
        *shift |= static_cast<int>(bit);
        return 0;
    }
    *shift |= entry.shift;
    return KeyPositionToKey(position, key, shift);
}

int ParseKeyNameCombination(const wchar16* parts, int count, int* key, int* shift)
{
    *key = -1;
    const wchar16* part = parts;
    for (int i = 0; i < count; ++i) {
        const int length = Length(part);
        if (KeyNameToKey(part, length, key, shift))
            return 1;
        part += length + 1;
    }
    *key = -1;
    return 0;
}

int VirtualKeyToNameId(int virtualKey)
{
    if (virtualKey >= '0' && virtualKey <= '9')
        return static_cast<int>(kFirstKeyNameId) + 4 + virtualKey - '0';
    if (virtualKey >= 'A' && virtualKey <= 'Z')
        return static_cast<int>(kFirstKeyNameId) + 14 + virtualKey - 'A';
    for (const VirtualKeyName& v : kVirtualKeyNames)
        if (v.virtualKey == virtualKey)
            return v.id;
    return -1;
}

int NameIdToVirtualKey(int id)
{
    const int first = static_cast<int>(kFirstKeyNameId);
    if (id >= first + 4 && id <= first + 13)
        return '0' + id - (first + 4);
    if (id >= first + 14 && id <= first + 39)
        return 'A' + id - (first + 14);
    for (const VirtualKeyName& v : kVirtualKeyNames)
        if (v.id == id)
            return v.virtualKey;
    return -1;
}

bool ParseKeyCombinationName(const wchar16* text, int* virtualKey, int* shift)
{
    if (!text)
        return false;
    int length = Length(text);
    if (length > 0 && text[0] == '<') {
        length -= text[length - 1] == '>' ? 2 : 1;
        ++text;
    }
    *shift = 0;
    for (;;) {
        if (length < 2 || text[1] != '+')
            break;
        const wchar16 c = Upper(text[0]);
        const int bit = c == 'A' ? kAltBit : c == 'C' ? kCtrlBit : c == 'S' ? kShiftBit : 0;
        if (!bit)
            break;
        *shift |= bit;
        text += 2;
        length -= 2;
    }
    const int index = KeyNameToIndex(text, length);
    *virtualKey = index < 0 ? -1 : NameIdToVirtualKey(static_cast<int>(kFirstKeyNameId) + index);
    return *virtualKey >= 0;
}

int FormatKeyCombinationName(int virtualKey, int shift, wchar16* out)
{
    out[0] = 0;
    const int id = VirtualKeyToNameId(virtualKey);
    if (id < 0)
        return 0;
    int n = 0;
    for (const auto& [bit, letter] : {std::pair<u32, wchar16>{kAltBit, 'A'}, {kCtrlBit, 'C'}, {kShiftBit, 'S'}})
        if (shift & static_cast<int>(bit)) {
            out[n++] = letter;
            out[n++] = '+';
        }
    const wchar16* name = kKeyNames[id - static_cast<int>(kFirstKeyNameId)].name;
    for (int i = 0; name[i] && i < kMaxNameUnits; ++i)
        out[n++] = name[i];
    out[n] = 0;
    return n;
}

int KeyNameText(int key, int shift, u32 firstId, u32 lastId, wchar16* out)
{
    out[0] = 0;
    int position = -1, wanted = shift;
    if (shift < 0) {
        const bool control = key >= 0 && key < 32;
        position = VirtualKeyToKeyPosition(control ? key + 64 : key);
        wanted = control ? static_cast<int>(kCtrlBit) : 0;
    } else {
        position = KeyCodeToKeyPosition(key);
    }
    if (position < 0 || firstId < kFirstKeyNameId)
        return 0;
    for (u32 id = firstId; id <= lastId && id <= kLastKeyNameId; ++id) {
        const KeyNameEntry e = kKeyNames[id - kFirstKeyNameId].entry;
        if (e.number == kNoKeyPosition || e.number % kHostBindingBase != position || e.shift != wanted)
            continue;
        int n = 0;
        out[n++] = '<';
        for (const wchar16* p = kKeyNames[id - kFirstKeyNameId].name; *p && n < 30; ++p)
            out[n++] = *p;
        out[n++] = '>';
        out[n] = 0;
        return n;
    }
    return 0;
}

bool PushKeyNameText(int key, int shift, u32 firstId, u32 lastId)
{
    wchar16 text[32];
    const int n = KeyNameText(key, shift, firstId, lastId, text);
    if (n <= 0)
        return false;
    u16 units[32];
    for (int i = 0; i < n; ++i)
        units[i] = static_cast<u16>(text[i]);
    PushKeyboardString(units, n);
    return true;
}
