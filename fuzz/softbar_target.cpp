// The soft-button bar's SOFTBUTTONS values as the registry layer hands them over (any
// type, any length), in the machine pass and then the user pass of a load.
//
// Checked besides the sanitizers: every value is in its range, every button of the
// visible levels lands inside the bar's grid, and what was read, once written, reads
// back the same.
#include <fuzzer/FuzzedDataProvider.h>

#include <iterator>
#include <string>

#include "fuzz/check.h"
#include "support/doubles_registry.h"
#include "terminal/input/bars/softbarlayout.h"
#include "terminal/input/bars/softbarvalues.h"

namespace {

// clang-format off
const wchar16* const kNames[] = {
    VXT("cSoftButtonLevel"), VXT("cSoftButtonLevelView"), VXT("Order"), VXT("Attached"), VXT("x"), VXT("y"),
    VXT("w"), VXT("h"), VXT("cx"), VXT("Level0Vis"), VXT("Level1Vis"), VXT("Level2Vis"), VXT("Level3Vis"),
    VXT("0"), VXT("7"), VXT("13"), VXT("55"),
};
// clang-format on
const u32 kTypes[] = {kRegDword, kRegSz, kRegBinary, 0};

HKEY Section()
{
    return doubles::RegistryKeyHandle(VXT("SOFTBUTTONS"));
}

void StoreValues(FuzzedDataProvider& in)
{
    const int count = in.ConsumeIntegralInRange<int>(0, 24);
    for (int i = 0; i < count && in.remaining_bytes() > 0; ++i) {
        const wchar16* name = kNames[in.ConsumeIntegralInRange<int>(0, std::size(kNames) - 1)];
        doubles::RegistryValue value;
        value.type = kTypes[in.ConsumeIntegralInRange<int>(0, std::size(kTypes) - 1)];
        value.bytes = in.ConsumeBytes<u8>(in.ConsumeIntegralInRange<std::size_t>(0, 20));
        doubles::Registry().keys[VXT("SOFTBUTTONS")][name] = std::move(value);
    }
}

bool Same(const SoftBarValues& a, const SoftBarValues& b)
{
    for (int level = 0; level < 4; ++level)
        if (a.levelShown[level] != b.levelShown[level])
            return false;
    for (int code = 0; code < kSoftBarCodes; ++code) {
        const SoftBarButtonPlace &p = a.places[code], &q = b.places[code];
        if (p.present != q.present || p.left != q.left || p.top != q.top || p.right != q.right ||
            p.bottom != q.bottom)
            return false;
    }
    return a.buttonStyle == b.buttonStyle && a.levelView == b.levelView && a.order == b.order &&
           a.attached == b.attached && a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h &&
           a.buttonWidth == b.buttonWidth;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    SoftBarValues v;
    doubles::ResetRegistry();
    StoreValues(in);
    KeepCurrentValues = 0;
    ReadSoftBarValues(Section(), v);
    doubles::ResetRegistry();
    StoreValues(in);
    KeepCurrentValues = 1;
    ReadSoftBarValues(Section(), v);

    VX_FUZZ_CHECK(v.levelView >= -1 && v.levelView <= 4);
    VX_FUZZ_CHECK(v.order <= 3);
    VX_FUZZ_CHECK(v.attached <= 1);
    VX_FUZZ_CHECK((v.w > 0 && v.h > 0) || (v.x == 0 && v.y == 0 && v.w == 0 && v.h == 0));
    VX_FUZZ_CHECK(v.buttonWidth >= 0 && v.buttonWidth <= 4096);
    for (u32 shown : v.levelShown)
        VX_FUZZ_CHECK(shown <= 1);
    for (const SoftBarButtonPlace& p : v.places)
        VX_FUZZ_CHECK(!p.present || (p.left >= 0 && p.top >= 0 && p.left < p.right && p.top < p.bottom &&
                                     p.right <= kSoftBarPlaceLimit && p.bottom <= kSoftBarPlaceLimit));

    const int visible = v.levelView < 0 ? 1 : v.levelView;
    const int columns = FloatingSoftBarColumns(v.w, v.buttonWidth);
    VX_FUZZ_CHECK(columns >= 1 && columns <= kSoftButtonSlots);
    int placed = 0;
    for (int code = 0; code < kSoftBarCodes; ++code) {
        SoftBarCell cell;
        if (!SoftBarButtonCell(code, static_cast<int>(v.order), visible, columns, &cell))
            continue;
        ++placed;
        VX_FUZZ_CHECK(cell.column >= 0 && cell.column < columns);
        VX_FUZZ_CHECK(cell.row >= 0 && cell.row < visible * SoftBarRowsPerLevel(columns));
    }
    VX_FUZZ_CHECK(placed == visible * kSoftButtonSlots);

    doubles::ResetRegistry();
    WriteSoftBarValues(Section(), v);
    SoftBarValues back;
    KeepCurrentValues = 0;
    ReadSoftBarValues(Section(), back);
    VX_FUZZ_CHECK(Same(v, back));
    return 0;
}
