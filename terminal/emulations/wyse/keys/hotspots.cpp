#include "terminal/emulations/wyse/keys/hotspots.h"

#include "terminal/core/base/emulationids.h"
#include "terminal/input/hotspots/hotspotwords.h"

namespace {

// clang-format off
constexpr HotspotDefault kWords[] = {
    {VXT("F1"), VXT("<WY_F1>")},   {VXT("F2"), VXT("<WY_F2>")},   {VXT("F3"), VXT("<WY_F3>")},
    {VXT("F4"), VXT("<WY_F4>")},   {VXT("F5"), VXT("<WY_F5>")},   {VXT("F6"), VXT("<WY_F6>")},
    {VXT("F7"), VXT("<WY_F7>")},   {VXT("F8"), VXT("<WY_F8>")},   {VXT("F9"), VXT("<WY_F9>")},
    {VXT("F10"), VXT("<WY_F10>")}, {VXT("F11"), VXT("<WY_F11>")}, {VXT("F12"), VXT("<WY_F12>")},
    {VXT("F13"), VXT("<WY_F13>")}, {VXT("F14"), VXT("<WY_F14>")}, {VXT("F15"), VXT("<WY_F15>")},
    {VXT("F16"), VXT("<WY_F16>")}, {VXT("Send"), VXT("<WY_SEND>")},
};
// clang-format on
constexpr HotspotTable kTable{kWords, static_cast<int>(sizeof kWords / sizeof kWords[0])};

}  // namespace

const HotspotTable* WyseHotspotTable(u8 emulation)
{
    const bool wyse = emulation == kEmuWy50 || emulation == kEmuWy50Plus || emulation == kEmuWy60;
    return wyse ? &kTable : nullptr;
}
