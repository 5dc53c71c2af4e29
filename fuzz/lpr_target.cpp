// The LPR client's transfer against a daemon that answers anything: acknowledgement
// bytes, refusals with text behind them, silence, closed and failing sockets, sends that
// take any part of what is offered, for requests with any texts and data.
//
// Checked besides the sanitizers: the message is terminated within its buffer, a
// refused or failed transfer leaves a retry or a removal, and a printed job carried its
// data whole and in order, closed by the final 0x00.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <vector>

#include "fuzz/check.h"
#include "lpr/lprmessages.h"
#include "lpr/lprrequest.h"
#include "lpr/lprtransfer.h"

namespace {

class FuzzedLink : public LprLink {
public:
    explicit FuzzedLink(FuzzedDataProvider& in) : in_(in) {}
    std::string wire;

    bool CreateSocket(u64* socket) override
    {
        *socket = 9;
        return Succeeds();
    }
    bool Resolve(const char* host) override { return host && Succeeds(); }
    bool FindPrinterPort() override { return Succeeds(); }
    bool Connect() override { return Succeeds(); }
    int Send(const u8* data, u32 length) override
    {
        if (in_.ConsumeIntegralInRange<int>(0, 31) == 0)
            return -1;
        u32 n = length;
        if (n > 0 && in_.ConsumeBool())
            n = in_.ConsumeIntegralInRange<u32>(length > 1 ? 1 : 0, length);
        wire.append(reinterpret_cast<const char*>(data), n);
        return static_cast<int>(n);
    }
    LprAck WaitAck(u32) override
    {
        LprAck a;
        a.kind = static_cast<LprAck::Kind>(in_.ConsumeIntegralInRange<int>(0, 5));
        a.error = in_.ConsumeIntegral<int>();
        // Most answers are bytes, and most bytes the acknowledgement 0.
        if (in_.remaining_bytes() == 0 || in_.ConsumeIntegralInRange<int>(0, 3) != 0)
            a.kind = LprAck::Byte;
        if (a.kind == LprAck::Byte) {
            a.byte = in_.ConsumeBool() ? 0 : in_.ConsumeIntegral<u8>();
            if (a.byte != 0)
                a.pending = in_.ConsumeRandomLengthString(511);
        }
        return a;
    }
    void Close() override {}
    int LastError() override { return in_.ConsumeIntegral<int>(); }
    u32 Now() override { return in_.ConsumeIntegral<u32>(); }
    void Log(const wchar16* text) override { VX_FUZZ_CHECK(text != nullptr); }

private:
    bool Succeeds() { return in_.remaining_bytes() == 0 || in_.ConsumeIntegralInRange<int>(0, 15) != 0; }
    FuzzedDataProvider& in_;
};

std::basic_string<wchar16> Text(FuzzedDataProvider& in, std::size_t max)
{
    const std::string bytes = in.ConsumeRandomLengthString(max);
    return std::basic_string<wchar16>(bytes.begin(), bytes.end());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    const std::basic_string<wchar16> host = Text(in, 80), queue = Text(in, 24), job = Text(in, 120),
                                     user = Text(in, 40);
    const std::string localHost = in.ConsumeRandomLengthString(LprLocalHostChars);
    LprOpenArguments a = {host.c_str(),
                          queue.c_str(),
                          job.c_str(),
                          user.c_str(),
                          in.ConsumeIntegral<i32>(),
                          in.ConsumeIntegral<i32>(),
                          in.ConsumeIntegral<i32>(),
                          in.ConsumeIntegralInRange<u32>(0, 20),
                          in.ConsumeIntegral<u32>(),
                          in.ConsumeIntegralInRange<i32>(0, 1)};
    LprRequest r;
    LprClearRecord(r);
    if (!LprOpenRecord(r, a, localHost.c_str()))
        return 0;
    std::vector<u8> payload = in.ConsumeBytes<u8>(in.ConsumeIntegralInRange<std::size_t>(0, 5000));
    r.data = payload.data();
    r.dataUsed = static_cast<u32>(payload.size());
    r.state = LprStateQueued;

    FuzzedLink link(in);
    wchar16 message[LprMessageUnits + 1];
    for (auto& unit : message)
        unit = 0x5A5A;
    const LprOutcome outcome = LprSendJob(r, 2, localHost.c_str(), link, message);

    bool terminated = false;
    for (int i = 0; i < LprMessageUnits && !terminated; ++i)
        terminated = message[i] == 0;
    VX_FUZZ_CHECK(message[LprMessageUnits] == 0x5A5A);
    switch (outcome) {
    case LprOutcome::Printed: {
        const std::string content(payload.begin(), payload.end());
        VX_FUZZ_CHECK(link.wire.size() > content.size());
        VX_FUZZ_CHECK(link.wire.compare(link.wire.size() - content.size() - 1, content.size(), content) == 0);
        VX_FUZZ_CHECK(link.wire.back() == '\0');
        break;
    }
    case LprOutcome::WaitingRetry:
        VX_FUZZ_CHECK(terminated && message[0] != 0);
        VX_FUZZ_CHECK(r.state == LprStateWaitingRetry);
        break;
    case LprOutcome::Removed: VX_FUZZ_CHECK(terminated); break;
    }
    return 0;
}
