#include "terminal/emulations/dec/keys/keysequences.h"

#include <cstring>

KeySequenceStore KeySequenceTable{};

#define CSI "\x9B"
// clang-format off
const char* const kVtDefaultKeyStrings[kVtDefaultKeyCount] = {
    // F1-F20
    CSI "11~", CSI "12~", CSI "13~", CSI "14~", CSI "15~", CSI "17~", CSI "18~", CSI "19~", CSI "20~",
    CSI "21~", CSI "23~", CSI "24~", CSI "25~", CSI "26~", CSI "28~", CSI "29~", CSI "31~", CSI "32~",
    CSI "33~", CSI "34~",
    // shifted F1-F20
    CSI "11;2~", CSI "12;2~", CSI "13;2~", CSI "14;2~", CSI "15;2~", CSI "17;2~", CSI "18;2~",
    CSI "19;2~", CSI "20;2~", CSI "21;2~", CSI "23;2~", CSI "24;2~", CSI "25;2~", CSI "26;2~",
    CSI "28;2~", CSI "29;2~", CSI "31;2~", CSI "32;2~", CSI "33;2~", CSI "34;2~",
    // editing keys
    CSI "1~", CSI "2~", CSI "3~", CSI "4~", CSI "5~", CSI "6~",
};
// clang-format on
#undef CSI

namespace {
KeySequenceStore& T = KeySequenceTable;

int OffsetOf(const KeySequenceEntry& key)
{
    return key.text ? static_cast<int>(key.text - T.pool) : 0;
}

// Appends bytes as units at the end of the pool; the part that does not fit is lost.
void AppendKey(int index, const char* bytes)
{
    KeySequenceEntry& key = T.keys[index];
    key.text = T.pool + T.end;
    key.length = 0;
    for (; *bytes && T.end < kUdkPoolUnits; ++bytes, ++key.length)
        T.pool[T.end++] = static_cast<u8>(*bytes);
}
}  // namespace

void ClearUserDefinedKeys()
{
    for (KeySequenceEntry& key : T.keys)
        key = {T.pool, 0, 0};
    T.end = 0;
    T.locked = 0;
}

void DeleteUserDefinedKey(int index)
{
    if (index < 0 || index >= kUdkKeys)
        return;
    KeySequenceEntry& doomed = T.keys[index];
    const int start = OffsetOf(doomed), length = doomed.length;
    if (length && start + length <= T.end) {
        std::memmove(T.pool + start, T.pool + start + length, (T.end - start - length) * sizeof(wchar16));
        T.end = static_cast<u16>(T.end - length);
        for (KeySequenceEntry& key : T.keys)
            if (&key != &doomed && OffsetOf(key) >= start + length)
                key.text -= length;
    }
    doomed = {T.pool + T.end, 0, doomed.local};
}

void InstallVtDefaultKeys()
{
    ClearUserDefinedKeys();
    for (int i = 0; i < kVtDefaultKeyCount; ++i) {
        DeleteUserDefinedKey(i);
        T.keys[i].local = 0;
        AppendKey(i, kVtDefaultKeyStrings[i]);
    }
}

bool UserDefinedKeysAreFactory()
{
    for (int i = 0; i < kUdkKeys; ++i) {
        const KeySequenceEntry& key = T.keys[i];
        const char* factory = i < kVtDefaultKeyCount ? kVtDefaultKeyStrings[i] : "";
        // A key kept on this side is a setting to save, whatever its text.
        if (key.length != std::strlen(factory) || key.local != 0)
            return false;
        for (int u = 0; u < key.length; ++u)
            if (key.text[u] != static_cast<u8>(factory[u]))
                return false;
    }
    return true;
}

void RestoreUserDefinedKeys(const u16* pool, int poolUnits, const u16* offsets, const u16* lengths,
                            const u16* locals, const u32* end)
{
    if (pool)
        for (int i = 0; i < poolUnits && i < kUdkPoolUnits; ++i)
            T.pool[i] = static_cast<u8>(pool[i]);
    for (int i = 0; i < kUdkKeys; ++i) {
        KeySequenceEntry& key = T.keys[i];
        if (offsets)
            key.text = T.pool + (offsets[i] / 2 < kUdkPoolUnits ? offsets[i] / 2 : kUdkPoolUnits);
        if (lengths)
            key.length = lengths[i];
        if (locals)
            key.local = static_cast<u8>(locals[i]);
        // Offsets and lengths come from the registry: the text never reaches past the pool.
        const int room = kUdkPoolUnits - OffsetOf(key);
        if (key.length > room)
            key.length = static_cast<u16>(room);
    }
    if (end)
        T.end = static_cast<u16>(*end < kUdkPoolUnits ? *end : kUdkPoolUnits);
}

namespace {
// Until a profile or the host says otherwise the keys send their built-in texts.
const bool kDefaultKeysInstalled = (InstallVtDefaultKeys(), true);
}  // namespace
