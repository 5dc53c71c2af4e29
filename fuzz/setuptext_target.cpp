// The Setup dialog's texts: stored answerbacks, identities and host names shown escaped
// in edit controls and read back, and whatever a user types into those controls.
//
// Input: one byte choosing the capacity n (1..64 units), then UTF-16 units, used both as
// a stored text and as typed escaped text.
//
// Checked besides the sanitizers (every buffer below is exactly as large as its contract
// says): the escaped form of a stored text fits its counted text and reads back as the
// text; a typed text decodes to at most n units and a terminator; a working copy filled
// from stored VT texts of any content stores them back unchanged.
#include <cstring>
#include <vector>

#include "fuzz/check.h"
#include "terminal/settings/store/profilevalues.h"
#include "terminal/settings/setup/setupcopy.h"
#include "terminal/settings/store/setuptext.h"

namespace {

// The stored text as the registry layer leaves it: at most capacity - 1 units, ended by
// the first zero unit or by the terminator written after them.
template <std::size_t N>
void Store(wchar16 (&field)[N], const std::vector<wchar16>& units)
{
    std::size_t n = 0;
    for (; n + 1 < N && n < units.size(); ++n)
        field[n] = units[n];
    field[n] = 0;
}

template <std::size_t N>
bool SameText(const wchar16 (&a)[N], const wchar16 (&b)[N])
{
    for (std::size_t i = 0; i < N; ++i) {
        if (a[i] != b[i])
            return false;
        if (!a[i])
            return true;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const int n = data[0] % 64 + 1;
    std::vector<wchar16> units;
    for (std::size_t i = 1; i + 1 < size; i += 2)
        units.push_back(static_cast<wchar16>(data[i] | data[i + 1] << 8));

    // A stored text: shown escaped, read back.
    std::vector<wchar16> raw(units);
    raw.push_back(0);
    std::vector<wchar16> counted(CountedTextUnits(n));
    const int shown = EncodeSetupText(counted.data(), raw.data(), n);
    VX_FUZZ_CHECK(shown >= 0 && shown <= CountedEditLimit(n));
    VX_FUZZ_CHECK(counted[0] == n && counted[1 + shown] == 0);
    std::vector<wchar16> back(n + 1);
    const int length = DecodeSetupField(back.data(), counted.data(), n);
    int expected = 0;
    while (expected < n && raw[expected])
        ++expected;
    VX_FUZZ_CHECK(length == expected);
    VX_FUZZ_CHECK(std::memcmp(back.data(), raw.data(), sizeof(wchar16) * expected) == 0 && back[length] == 0);

    // A typed text: decoded into exactly n units and the terminator.
    std::vector<wchar16> typed(units);
    typed.push_back(0);
    std::vector<wchar16> decoded(n + 1);
    const int got = DecodeSetupText(decoded.data(), typed.data(), n);
    VX_FUZZ_CHECK(got >= 0 && got <= n && decoded[got] == 0);

    // Stored VT texts through the working copy and back.
    SetFactoryVt300();
    Store(Vt300Values.ans_back, units);
    Store(Vt300Values.vt420_da, units);
    Store(Vt300Values.szCustomID, units);
    const Vt300Section before = Vt300Values;
    FillSetupCopyFields();
    StoreSetupCopyFields();
    VX_FUZZ_CHECK(SameText(before.ans_back, Vt300Values.ans_back));
    VX_FUZZ_CHECK(SameText(before.vt420_da, Vt300Values.vt420_da));
    VX_FUZZ_CHECK(SameText(before.szCustomID, Vt300Values.szCustomID));
    return 0;
}
