// A stored profile as the wizard reads it: values of any type and content under the
// profile's sections, its login-script key and the TN5250 variable keys, in both roots.
// The reader stays within its bounds (a bounded script, printer numbers below their
// limits), and what the full writer stores reads back as the same settings.
#include <fuzzer/FuzzedDataProvider.h>

#include "fuzz/check.h"
#include "wizard/engine/keypaths.h"
#include "wizard/engine/profilestore.h"
#include "wizard/memoryregistry.h"

namespace {

const char* const kKeys[] = {
    "CONNECTION",
    "Telnet",
    "VT300",
    "AIXTerm",
    "IBM3151",
    "ZARA",
    "PRINTING",
    "AUX",
    "Window",
    "HP70092",
    "IBM3270",
    "IBM5250",
    "Telnet\\5250,VAR",
    "Telnet\\5250,USERVAR",
    "Telnet\\5250PRT,USERVAR",
    "MACROS\\key",
};
const char* const kScriptNames[] = {"iNumEntries", "Initiate", "WaitFor0", "WaitCond0", "Response0", "WaitFor1"};

WText Text(FuzzedDataProvider& in, std::size_t most)
{
    WText text;
    const std::size_t n = in.ConsumeIntegralInRange<std::size_t>(0, most);
    for (std::size_t i = 0; i < n && in.remaining_bytes(); ++i)
        text.push_back(in.ConsumeIntegral<u16>());
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    MemoryRegistry reg;
    const WText name = VXT("A");
    const bool printer = in.ConsumeBool();
    const int count = in.ConsumeIntegralInRange(0, 24);
    for (int i = 0; i < count && in.remaining_bytes(); ++i) {
        const RegRoot root = in.ConsumeBool() ? RegRoot::User : RegRoot::Machine;
        const int where = in.ConsumeIntegralInRange(0, 2);
        WText path, value;
        if (where == 0) {
            path = StartupKeyPath(name);
            value = Widen(kScriptNames[in.ConsumeIntegralInRange<std::size_t>(0, std::size(kScriptNames) - 1)]);
        } else {
            path = SectionKeyPath(name,
                                  Widen(kKeys[in.ConsumeIntegralInRange<std::size_t>(0, std::size(kKeys) - 1)]));
            value = where == 1 ? Widen(kWizardValues[in.ConsumeIntegralInRange(0, kWizardValueCount - 1)].name)
                               : Text(in, 12);
        }
        if (in.ConsumeBool())
            reg.SetDword(root, path, value, in.ConsumeIntegral<u32>());
        else
            reg.SetString(root, path, value, Text(in, 80));
    }

    WizardSettings s;
    s.mode = WizardMode::Edit;
    s.name = name;
    WizardSetDefaults(s, 0);
    if (printer)
        s.deviceType = kPrinterDeviceType;
    WizardReadProfile(reg, s, true);
    WizardReadProfile(reg, s, false);
    VX_FUZZ_CHECK(s.script.steps.size() <= kMaxLoginSteps);
    for (int i = 0; i < kPrinterVariableCount; ++i)
        VX_FUZZ_CHECK(!kPrinterVariables[i].number || s.printerNumbers[i] < kPrinterVariables[i].limit);

    WriteFullProfile(reg, s, 1);
    WizardSettings back;
    back.mode = WizardMode::Edit;
    back.name = name;
    WizardSetDefaults(back, 0);
    WizardReadProfile(reg, back, true);
    for (int i = 0; i < kWizardValueCount; ++i) {
        const ValueRule rule = kWizardValues[i].rule;
        if (rule != ValueRule::Plain && rule != ValueRule::NotPerUser && rule != ValueRule::EmptyDeletes)
            continue;
        VX_FUZZ_CHECK(back.number[i] == s.number[i]);
        VX_FUZZ_CHECK(back.text[i] == s.text[i]);
    }
    VX_FUZZ_CHECK(back.script.steps.size() == s.script.steps.size());
    return 0;
}
