// Login scripts as they read the start-up options key: responses with escapes and
// tokens, wait conditions, and the host's text matched against the awaited text.
//
// Checked besides the sanitizers: a response never types more units than it holds and
// each typed run fits the typing buffer; pauses are the two lengths; a key action names a
// key; a condition is one of three codes; the matcher keeps within its bound, and after a
// reported match the awaited text was indeed received in full.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "fuzz/check.h"
#include "terminal/comms/capture/loginmatch.h"

namespace {
std::u16string Units(FuzzedDataProvider& in, std::size_t most)
{
    const std::string bytes = in.ConsumeBytesAsString(2 * in.ConsumeIntegralInRange<std::size_t>(0, most));
    std::u16string units;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        units.push_back(static_cast<char16_t>(static_cast<u8>(bytes[i]) | static_cast<u8>(bytes[i + 1]) << 8));
    return units;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    const std::u16string response = Units(in, 300);
    std::size_t typed = 0;
    for (const LoginAction& a : ParseLoginResponse(response)) {
        switch (a.kind) {
        case LoginActionKind::Text:
            VX_FUZZ_CHECK(!a.text.empty() && a.text.size() <= kLoginTextChunk);
            typed += a.text.size();
            break;
        case LoginActionKind::Pause: VX_FUZZ_CHECK(a.pauseMs == 250 || a.pauseMs == 2000); break;
        case LoginActionKind::Key: VX_FUZZ_CHECK(a.key >= 0); break;
        default: break;
        }
    }
    VX_FUZZ_CHECK(typed <= response.size());

    const int condition = ParseLoginCondition(Units(in, 90));
    VX_FUZZ_CHECK(condition >= -1 && condition <= 1);

    LoginMatcher matcher;
    std::u16string received;
    while (in.remaining_bytes() > 0) {
        if (in.ConsumeBool()) {
            matcher.Await(Units(in, 90));
            continue;
        }
        for (char16_t c : Units(in, 200)) {
            matcher.Append(c);
            received.push_back(c);
        }
        const std::size_t held = matcher.Held();
        VX_FUZZ_CHECK(held <= kLoginMatchHeldMax);
        if (matcher.TestMatch())
            VX_FUZZ_CHECK(held > 0 && matcher.Held() < held);
    }
    return 0;
}
