// The HP 700/92's "HP70092" section as its reader takes it from the registry layer: the
// one-byte values, the page count, the return definition, the custom identity, the user
// keys' label and string lines, the palette and the colour pairs, each of any type and
// length, in the machine pass and the user pass of a load.
//
// Checked besides the sanitizers: the page count stays within 2..8, every colour pair
// names a palette entry, the identity ends within its capacity, a user key's string ends
// at its first empty cell, and what was loaded, once saved, loads back the same.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz/check.h"
#include "support/doubles_registry.h"
#include "terminal/emulations/hp700/hp700.h"
#include "terminal/emulations/hp700/settings/settings.h"
#include "terminal/emulations/hp700/terminaltype.h"

namespace {

using Name = std::basic_string<wchar16>;
constexpr const wchar16* kSection = VXT("HP70092");

// clang-format off
const char* const kNames[] = {
    "hp_modall", "hp_blockmode", "hp_remote", "hp_autolf", "hp_configlock", "hp_destbs", "hp_echo",
    "hp_enqack", "hp_termid", "hp_capslock", "hp_startclmn", "hp_inhhndshk", "hp_inhdc2", "hp_escxfer",
    "hp_bell", "hp_txfunctns", "hp_spow", "hp_inheolwrap", "hp_txpage", "hp_8bits", "hp_crnull",
    "hp_datashi", "hp_chkparity", "hp_typeahead", "hp_promptchar", "hp_fieldsep", "hp_blockterm",
    "hp_printff", "hp_ignoreff", "hp_width80", "hp_pages", "hp_returndef", "szCustomHPID", "hp_hue",
    "hp_light", "hp_sat", "hp_foreground", "hp_background", "hp_pflabels", "hp_pfstrings",
};
// clang-format on

Name Wide(const std::string& text)
{
    return Name(text.begin(), text.end());
}

Name NameOf(FuzzedDataProvider& in)
{
    std::string name;
    if (in.ConsumeIntegralInRange<int>(0, 7) == 0)
        name = in.ConsumeRandomLengthString(20);
    else
        name = kNames[in.ConsumeIntegralInRange<std::size_t>(0, std::size(kNames) - 1)];
    // The user keys' values carry their number, mostly one of theirs.
    if (name == "hp_pflabels" || name == "hp_pfstrings")
        name += std::to_string(in.ConsumeIntegralInRange<int>(0, 9));
    return Wide(name);
}

void StoreValues(FuzzedDataProvider& in)
{
    const int count = in.ConsumeIntegralInRange<int>(0, 48);
    for (int i = 0; i < count && in.remaining_bytes() > 0; ++i) {
        const Name name = NameOf(in);
        static const u32 kTypes[] = {kRegDword, kRegBinary, kRegSz, 0};
        doubles::RegistryValue value;
        value.type = kTypes[in.ConsumeIntegralInRange<std::size_t>(0, std::size(kTypes) - 1)];
        std::size_t length = value.type == kRegDword ? 4 : in.ConsumeIntegralInRange<std::size_t>(0, 300);
        if (value.type == kRegDword && in.ConsumeIntegralInRange<int>(0, 15) == 0)
            length = in.ConsumeIntegralInRange<std::size_t>(0, 8);
        value.bytes = in.ConsumeBytes<u8>(length);
        doubles::Registry().keys[kSection][name] = std::move(value);
    }
}

void Load()
{
    Hp700ReadProfile(doubles::RegistryKeyHandle(kSection));
}

void Save()
{
    Hp700WriteProfile(doubles::RegistryKeyHandle(kSection));
}

void CheckInvariants()
{
    const Hp700Settings& s = Hp700.settings;
    VX_FUZZ_CHECK(s.pages >= kHpMinPages && s.pages <= kHpMaxPages);
    for (int p = 0; p < 8; ++p)
        VX_FUZZ_CHECK(s.foreground[p] < 16 && s.background[p] < 16);
    VX_FUZZ_CHECK(s.customId[kHpCustomIdUnits] == 0);
    for (int k = 0; k < kHpUserKeys; ++k) {
        const ScreenCell* cells = Hp700UserKeyStringLine(k).cells;
        bool ended = false;
        for (int c = 0; c < kHpUserKeyStringUnits; ++c) {
            ended = ended || cells[c].ch == 0;
            VX_FUZZ_CHECK(!ended || cells[c].ch == 0);
        }
    }
}

// Everything the reader sets, as bytes.
std::vector<u8> LoadedState()
{
    std::vector<u8> state;
    auto add = [&state](const void* from, std::size_t bytes) {
        const u8* b = static_cast<const u8*>(from);
        state.insert(state.end(), b, b + bytes);
    };
    const Hp700Settings& s = Hp700.settings;
    const u8* bytes[] = {&s.modall,    &s.blockmode, &s.remote,    &s.autolf,    &s.configlock, &s.destbs,
                         &s.echo,      &s.enqack,    &s.capslock,  &s.startclmn, &s.inhhndshk,  &s.inhdc2,
                         &s.escxfer,   &s.bell,      &s.txfunctns, &s.spow,      &s.inheolwrap, &s.txpage,
                         &s.eightBits, &s.crnull,    &s.datashi,   &s.chkparity, &s.typeahead,  &s.promptchar,
                         &s.fieldsep,  &s.blockterm, &s.printff,   &s.ignoreff,  &s.width80,    &s.pages};
    for (const u8* b : bytes)
        add(b, 1);
    add(&HpModel, 1);
    add(s.returndef, sizeof s.returndef);
    add(s.customId, sizeof s.customId);
    add(s.hue, sizeof s.hue);
    add(s.light, sizeof s.light);
    add(s.sat, sizeof s.sat);
    add(s.foreground, sizeof s.foreground);
    add(s.background, sizeof s.background);
    for (const HpLine& line : Hp700.userKeyLines)
        for (const ScreenCell& cell : line.cells)
            state.push_back(cell.ch);
    return state;
}

void ResetState()
{
    Hp700.settings = Hp700Settings{};
    Hp700FactoryDefaults();
    for (HpLine& line : Hp700.userKeyLines)
        line = HpLine{};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    doubles::ResetRegistry();
    ResetState();

    StoreValues(in);
    // The machine-wide pass gives absent values their factory value, the user pass
    // keeps what the first one loaded.
    for (u32 pass : {0u, 1u}) {
        KeepCurrentValues = pass;
        Load();
        CheckInvariants();
    }
    // Saved into an empty registry and loaded into factory settings, the section is the
    // one that was loaded, and saving that again stores the same values.
    const std::vector<u8> loaded = LoadedState();
    doubles::ResetRegistry();
    Save();
    const auto saved = doubles::Registry().keys;
    ResetState();
    KeepCurrentValues = 0;
    Load();
    VX_FUZZ_CHECK(LoadedState() == loaded);
    doubles::ResetRegistry();
    Save();
    VX_FUZZ_CHECK(doubles::Registry().keys.size() == saved.size());
    for (const auto& [key, values] : saved) {
        const auto& again = doubles::Registry().keys[key];
        VX_FUZZ_CHECK(again.size() == values.size());
        for (const auto& [name, value] : values) {
            const auto found = again.find(name);
            VX_FUZZ_CHECK(found != again.end() && found->second.type == value.type &&
                          found->second.bytes == value.bytes);
        }
    }
    doubles::ResetRegistry();
    KeepCurrentValues = 0;
    return 0;
}
