// Pass-through printing's filter on host bytes: what goes to the auxiliary port and
// where pass-through ends.
//
// Checked besides the sanitizers: the filter never holds more than its sequence buffer;
// it writes no more bytes than it was given and the LFs that follow a CR; and nothing is
// written once the closing sequence was seen.
#include <fuzzer/FuzzedDataProvider.h>

#include <vector>

#include "fuzz/check.h"
#include "terminal/comms/aux/auxfilter.h"

namespace {
class Counter : public AuxFilterOutput {
public:
    std::size_t written = 0, linesAdded = 0;
    bool ended = false;
    u8 lastWritten = 0;
    u8 Map(u8 b) override { return b; }
    void Write(u8 b) override
    {
        VX_FUZZ_CHECK(!ended);
        if (b == 10 && lastWritten == 13)
            ++linesAdded;
        lastWritten = b;
        ++written;
    }
    void End() override { ended = true; }
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    AuxFilterOptions options{};
    options.dropFlowBytes = in.ConsumeBool();
    options.vt52 = in.ConsumeBool();
    options.csiIntroduces = in.ConsumeBool();
    options.autoLf = in.ConsumeBool();
    const std::vector<u8> host = in.ConsumeRemainingBytes<u8>();
    AuxFilterState state;
    Counter out;
    std::size_t fed = 0;
    for (std::size_t i = 0; i < host.size() && !out.ended; ++i) {
        AuxFilterByte(state, options, host[i], out);
        ++fed;
        VX_FUZZ_CHECK(state.length <= kAuxSequenceCap);
        VX_FUZZ_CHECK(out.written <= fed + out.linesAdded);
    }
    return 0;
}
