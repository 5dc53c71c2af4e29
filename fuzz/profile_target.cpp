// The profile decoders as they read the registry layer: the sections' plain values
// (bytes, numbers and texts of any length and type), the VT palette of hue, lightness and
// saturation records, and the user-defined keys (pool, offsets, lengths, flags), in the
// machine pass and the user pass of a load.
//
// Checked besides the sanitizers: every text field ends within its capacity, every
// palette record is in range and converts to percentages, every key's text lies in the
// pool, and what was loaded, once saved, loads back the same.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <vector>

#include "fuzz/check.h"
#include "terminal/core/base/corestate.h"
#include "support/doubles_registry.h"
#include "terminal/emulations/dec/keys/keysequences.h"
#include "terminal/emulations/dec/keys/udkstore.h"
#include "terminal/settings/store/colours.h"
#include "terminal/settings/store/defaults.h"
#include "terminal/settings/store/hls.h"
#include "terminal/settings/store/palettestore.h"
#include "terminal/settings/store/profilevalues.h"
#include "terminal/settings/store/valueio.h"

namespace {

using Name = std::basic_string<wchar16>;

struct Section {
    const wchar16* key;
    const ValueTable* table;
};
// clang-format off
const Section kSections[] = {
    {VXT("SAVEDITEMS"), &kSavedItemValues}, {VXT("COLOURS"), &kColourValues},
    {VXT("CONNECTION"), &kConnectionLineValues}, {VXT("PRINTING"), &kPrintingValues},
    {VXT("AUX"), &kAuxValues}, {VXT("VT300"), &kVt300Values},
};
// clang-format on
// Values with readers of their own.
const wchar16* const kColourNames[] = {VXT("hue"), VXT("lightness"), VXT("saturation"), VXT("bwswap")};
const wchar16* const kUdkNames[] = {VXT("vt220pf_key"),   VXT("vt220pf_count"),  VXT("vt220pf_local"),
                                    VXT("vt220pf_end"),   VXT("vt220pf_area0"),  VXT("vt220pf_area1"),
                                    VXT("vt220pf_area2"), VXT("vt220pf_area15"), VXT("vt220pf_area16")};

Name NameOf(FuzzedDataProvider& in, int section)
{
    const ValueTable& table = *kSections[section].table;
    switch (in.ConsumeIntegralInRange<int>(0, 3)) {
    case 0:
        if (section == 1)
            return kColourNames[in.ConsumeIntegralInRange<int>(0, 3)];
        if (section == 5)
            return kUdkNames[in.ConsumeIntegralInRange<int>(0, std::size(kUdkNames) - 1)];
        [[fallthrough]];
    case 1:
    case 2: return table.values[in.ConsumeIntegralInRange<int>(0, table.count - 1)].name;
    default: {
        const std::string text = in.ConsumeRandomLengthString(40);
        return Name(text.begin(), text.end());
    }
    }
}

void StoreValues(FuzzedDataProvider& in)
{
    const int count = in.ConsumeIntegralInRange<int>(0, 48);
    for (int i = 0; i < count && in.remaining_bytes() > 0; ++i) {
        const int section = in.ConsumeIntegralInRange<int>(0, std::size(kSections) - 1);
        const Name name = NameOf(in, section);
        static const u32 kTypes[] = {kRegSz, kRegBinary, kRegDword, 2, 0, 7};
        doubles::RegistryValue value;
        value.type = kTypes[in.ConsumeIntegralInRange<int>(0, std::size(kTypes) - 1)];
        const std::size_t length = in.ConsumeBool() ? (value.type == kRegDword ? 4 : 32)
                                                    : in.ConsumeIntegralInRange<std::size_t>(0, 1100);
        value.bytes = in.ConsumeBytes<u8>(length);
        doubles::Registry().keys[kSections[section].key][name] = std::move(value);
    }
}

void LoadProfile()
{
    for (const Section& s : kSections)
        LoadValues(doubles::RegistryKeyHandle(s.key), *s.table);
    const HKEY colours = doubles::RegistryKeyHandle(VXT("COLOURS"));
    LoadValue(colours, kBwswapValue);
    SavedItems.saveattrs = 1;
    LoadHlsPalette(colours);
    LoadUdkTable(doubles::RegistryKeyHandle(VXT("VT300")));
}

void CheckTexts()
{
    for (const Section& s : kSections)
        for (int i = 0; i < s.table->count; ++i) {
            const ProfileValue& v = s.table->values[i];
            if (v.kind != ValueKind::Text)
                continue;
            const wchar16* text = static_cast<const wchar16*>(v.field);
            bool ended = false;
            for (int u = 0; u < v.capacity && !ended; ++u)
                ended = text[u] == 0;
            VX_FUZZ_CHECK(ended);
        }
}

void CheckPalette()
{
    for (const HlsEntry& e : VtPalette.entry) {
        // Converted as the painter and the colour report do, before anything else.
        const RgbPercent rgb = HlsToRgb(e.hue, e.lightness, e.saturation);
        for (int c : {rgb.red, rgb.green, rgb.blue})
            VX_FUZZ_CHECK(c >= 0 && c <= 100);
        VX_FUZZ_CHECK(e.hue <= 360 && e.lightness <= 100 && e.saturation <= 100);
    }
}

void CheckKeys()
{
    const KeySequenceStore& t = KeySequenceTable;
    VX_FUZZ_CHECK(t.end <= kUdkPoolUnits);
    for (const KeySequenceEntry& key : t.keys) {
        if (!key.text) {
            VX_FUZZ_CHECK(key.length == 0);
            continue;
        }
        VX_FUZZ_CHECK(key.text >= t.pool && key.text + key.length <= t.pool + kUdkPoolUnits);
    }
}

// Everything the loaders set, as bytes: the table fields, the palette and the key texts.
std::vector<u8> LoadedState()
{
    std::vector<u8> state;
    auto add = [&state](const void* from, std::size_t bytes) {
        const u8* b = static_cast<const u8*>(from);
        state.insert(state.end(), b, b + bytes);
    };
    for (const Section& s : kSections)
        for (int i = 0; i < s.table->count; ++i) {
            const ProfileValue& v = s.table->values[i];
            if (v.kind == ValueKind::Byte)
                add(v.field, 1);
            else if (v.kind == ValueKind::Dword)
                add(v.field, 4);
            else
                add(v.field, TextLength(static_cast<const wchar16*>(v.field)) * 2);
        }
    add(&VtPalette, sizeof VtPalette);
    for (const KeySequenceEntry& key : KeySequenceTable.keys) {
        add(&key.length, sizeof key.length);
        add(&key.local, 1);
        if (key.text)
            add(key.text, key.length * 2u);
    }
    return state;
}

void SaveProfile()
{
    for (const Section& s : kSections)
        SaveValues(doubles::RegistryKeyHandle(s.key), *s.table);
    const HKEY colours = doubles::RegistryKeyHandle(VXT("COLOURS"));
    SaveValue(colours, kBwswapValue);
    SaveHlsPalette(colours);
    SaveUdkTable(doubles::RegistryKeyHandle(VXT("VT300")));
}

void ResetProfileState()
{
    for (const Section& s : kSections)
        SetFactoryValues(*s.table);
    SetFactoryAttributeColours();
    Colours = ColourFlags{};
    ResetAllColourSets(kLive);
    InstallVtDefaultKeys();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    doubles::ResetRegistry();
    ResetProfileState();

    StoreValues(in);
    // The machine-wide pass gives absent values their factory value, the user pass
    // keeps what the first one loaded.
    for (u32 pass : {0u, 1u}) {
        KeepCurrentValues = pass;
        LoadProfile();
        CheckTexts();
        CheckPalette();
        CheckKeys();
    }
    // Saved into an empty registry and loaded into factory settings, the profile is the
    // one that was loaded.
    const std::vector<u8> loaded = LoadedState();
    doubles::ResetRegistry();
    SaveProfile();
    ResetProfileState();
    KeepCurrentValues = 0;
    LoadProfile();
    VX_FUZZ_CHECK(LoadedState() == loaded);
    doubles::ResetRegistry();
    return 0;
}
