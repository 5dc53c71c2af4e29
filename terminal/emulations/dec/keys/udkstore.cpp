#include "terminal/emulations/dec/keys/udkstore.h"

#include <string>

#include "terminal/emulations/dec/keys/keysequences.h"

namespace {
constexpr int kChunkUnits = 32;
constexpr int kChunks = kUdkPoolUnits / kChunkUnits;
// A stored chunk is read with room to spare; what lies past the pool is dropped.
constexpr int kChunkReadUnits = 133;

std::basic_string<wchar16> AreaName(int chunk)
{
    std::basic_string<wchar16> name = VXT("vt220pf_area");
    for (const char digit : std::to_string(chunk))
        name.push_back(static_cast<wchar16>(digit));
    return name;
}
}  // namespace

void SaveUdkTable(HKEY vt300)
{
    if (UserDefinedKeysAreFactory())
        return;
    const KeySequenceStore& t = KeySequenceTable;
    u16 offsets[kUdkKeys], lengths[kUdkKeys], locals[kUdkKeys];
    for (int i = 0; i < kUdkKeys; ++i) {
        offsets[i] = static_cast<u16>((t.keys[i].text ? t.keys[i].text - t.pool : 0) * 2);
        lengths[i] = t.keys[i].length;
        locals[i] = static_cast<u16>(static_cast<i16>(static_cast<i8>(t.keys[i].local)));
    }
    for (int chunk = 0; chunk < kChunks; ++chunk) {
        u16 units[kChunkUnits];
        for (int u = 0; u < kChunkUnits; ++u)
            units[u] = static_cast<u16>(t.pool[chunk * kChunkUnits + u]);
        SettingsWriteBinary(vt300, AreaName(chunk).c_str(), units, kChunkUnits);
    }
    SettingsWriteBinary(vt300, VXT("vt220pf_key"), offsets, kUdkKeys);
    SettingsWriteBinary(vt300, VXT("vt220pf_count"), lengths, kUdkKeys);
    SettingsWriteBinary(vt300, VXT("vt220pf_local"), locals, kUdkKeys);
    SettingsWriteDword(vt300, VXT("vt220pf_end"), t.end);
}

void LoadUdkTable(HKEY vt300)
{
    if (!vt300)
        return;
    u16 pool[kUdkPoolUnits];
    int units = 0;
    for (int chunk = 0; units < kUdkPoolUnits; ++chunk) {
        u16 area[kChunkReadUnits];
        const int n = SettingsReadBinary(vt300, AreaName(chunk).c_str(), area, kChunkReadUnits);
        if (n == 0)
            break;
        for (int u = 0; u < n && units < kUdkPoolUnits; ++u)
            pool[units++] = area[u];
    }
    u16 offsets[kUdkKeys], lengths[kUdkKeys], locals[kUdkKeys];
    const bool haveOffsets = SettingsReadBinary(vt300, VXT("vt220pf_key"), offsets, kUdkKeys) == kUdkKeys;
    const bool haveLengths = SettingsReadBinary(vt300, VXT("vt220pf_count"), lengths, kUdkKeys) == kUdkKeys;
    const bool haveLocals = SettingsReadBinary(vt300, VXT("vt220pf_local"), locals, kUdkKeys) == kUdkKeys;
    const u32 keep = KeepCurrentValues;
    KeepCurrentValues = 1;
    const u32 end = SettingsReadDword(vt300, VXT("vt220pf_end"), 0xFFFFFFFF, 0xFFFFFFFF);
    KeepCurrentValues = keep;
    RestoreUserDefinedKeys(units ? pool : nullptr, units, haveOffsets ? offsets : nullptr,
                           haveLengths ? lengths : nullptr, haveLocals ? locals : nullptr,
                           end != 0xFFFFFFFF ? &end : nullptr);
}
