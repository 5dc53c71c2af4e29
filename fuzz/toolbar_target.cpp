// The toolbar's profile values as the registry layer gives them: "Floating" and the
// "Defns" and "Actions" records of any type and length, read in either pass.
//
// Checked besides the sanitizers: the button count stays within the table, every text
// ends within a button, and what was read, once written, reads back the same.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstring>
#include <string>

#include "fuzz/check.h"
#include "support/doubles_registry.h"
#include "terminal/input/bars/toolbarvalues.h"

namespace {
using Name = std::basic_string<wchar16>;

const wchar16* const kKeys[] = {VXT("Toolbar"), VXT("Toolbar\\Defns"), VXT("Toolbar\\Actions")};

Name Number(int n)
{
    const std::string digits = std::to_string(n);
    return Name(digits.begin(), digits.end());
}

void StoreValues(FuzzedDataProvider& in)
{
    const int count = in.ConsumeIntegralInRange<int>(0, 40);
    for (int i = 0; i < count && in.remaining_bytes() > 0; ++i) {
        const int key = in.ConsumeIntegralInRange<int>(0, 2);
        const int number = in.ConsumeIntegralInRange<int>(0, 66);
        const Name name = key == 0 && number < 60 ? Name(VXT("Floating")) : Number(number);
        static const u32 kTypes[] = {kRegBinary, kRegSz, kRegDword, 0, 7};
        doubles::RegistryValue value;
        value.type = kTypes[in.ConsumeIntegralInRange<int>(0, 4)];
        value.bytes = in.ConsumeBytes<u8>(in.ConsumeIntegralInRange<std::size_t>(0, 700));
        doubles::Registry().keys[kKeys[key]][name] = std::move(value);
    }
}

void CheckTables(const ToolbarTables& t)
{
    VX_FUZZ_CHECK(t.buttonCount >= 0 && t.buttonCount <= kToolbarButtonSlots);
    for (const ToolbarButton& b : t.buttons) {
        bool ended = false;
        for (int u = 0; u < kToolbarTextUnits && !ended; ++u)
            ended = b.text[u] == 0;
        VX_FUZZ_CHECK(ended);
    }
}

bool SameButtons(const ToolbarTables& a, const ToolbarTables& b)
{
    if (a.buttonCount != b.buttonCount)
        return false;
    for (int i = 0; i < a.buttonCount; ++i) {
        const ToolbarButton &x = a.buttons[i], &y = b.buttons[i];
        // A record the reader skipped is a hole: it is written as zeros and read back so.
        if (x.spacing != y.spacing || x.image != y.image || x.action != y.action ||
            std::memcmp(&x.rect, &y.rect, sizeof x.rect) != 0 || std::memcmp(x.text, y.text, sizeof x.text) != 0)
            return false;
    }
    return true;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size)
{
    doubles::ResetRegistry();
    FuzzedDataProvider in(data, size);
    KeepCurrentValues = in.ConsumeBool() ? 1 : 0;
    StoreValues(in);

    static ToolbarTables tables, again;
    tables = ToolbarTables{};
    ToolbarRect floating;
    if (ReadFloatingRect(doubles::RegistryKeyHandle(kKeys[0]), floating)) {
        VX_FUZZ_CHECK(floating.left >= -32768 && floating.left <= 32767);
        const ToolbarRect on = BringOntoArea(floating, ToolbarRect{0, 0, 1024, 768});
        VX_FUZZ_CHECK(on.left >= 0 && on.top >= 0);
    }
    ReadToolbarButtons(tables, doubles::RegistryKeyHandle(kKeys[1]), doubles::RegistryKeyHandle(kKeys[2]));
    CheckTables(tables);

    WriteToolbarButtons(tables, doubles::RegistryKeyHandle(VXT("Out\\Defns")),
                        doubles::RegistryKeyHandle(VXT("Out\\Actions")));
    again = ToolbarTables{};
    ReadToolbarButtons(again, doubles::RegistryKeyHandle(VXT("Out\\Defns")),
                       doubles::RegistryKeyHandle(VXT("Out\\Actions")));
    VX_FUZZ_CHECK(SameButtons(tables, again));
    return 0;
}
