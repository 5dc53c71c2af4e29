// IBM code-page files as the table loader reads them: a file of any size offered as a
// byte-to-Unicode ("S2U") or Unicode-to-byte ("U2S") table, a file name offered as a
// CCSID, and lists of CCSIDs intersected.
//
// Checked besides the sanitizers: a table the checks accept converts every byte and every
// character within its bounds; a name gives no CCSID or one of 1-65535; an intersection
// keeps only numbers of both lists, in order.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "fuzz/check.h"
#include "terminal/core/base/memblock.h"
#include "terminal/core/screen/codepages.h"

namespace {

std::vector<u16> SortedList(FuzzedDataProvider& in)
{
    std::vector<u16> list(in.ConsumeIntegralInRange<std::size_t>(0, 12));
    for (u16& n : list)
        n = in.ConsumeIntegral<u16>();
    std::sort(list.begin(), list.end());
    return list;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    const std::vector<u16> a = SortedList(in), b = SortedList(in);
    std::vector<u16> kept = a;
    auto* second = static_cast<u16*>(MemAllocBlock(b.size() * sizeof(u16) + 2));
    if (second) {
        if (!b.empty())
            std::memcpy(second, b.data(), b.size() * sizeof(u16));
        const int n = IntersectCodePageLists(kept.data(), static_cast<int>(kept.size()), second,
                                             static_cast<int>(b.size()));
        VX_FUZZ_CHECK(n >= 0 && n <= static_cast<int>(a.size()));
        for (int i = 0; i < n; ++i) {
            VX_FUZZ_CHECK(SortedListContains(kept[i], static_cast<int>(b.size()), b.data()));
            VX_FUZZ_CHECK(i == 0 || kept[i - 1] <= kept[i]);
        }
    }

    const std::string name = in.ConsumeRandomLengthString(24);
    std::vector<wchar16> wide(name.begin(), name.end());
    wide.push_back(0);
    const long ccsid = CodePageNumberFromFileName(wide.data());
    VX_FUZZ_CHECK(ccsid == -1 || IsValidCcsid(ccsid));

    // The rest is the file, in a block of exactly its size as the loader reads it.
    const bool unicodeToByte = in.ConsumeBool();
    const std::vector<u8> file = in.ConsumeRemainingBytes<u8>();
    std::vector<u8> table(file);
    if (!unicodeToByte && IsValidByteToUnicodeTable(table.data(), table.size())) {
        u16 out[256];
        u8 bytes[256];
        for (int i = 0; i < 256; ++i)
            bytes[i] = static_cast<u8>(i);
        CodePageBytesToUnicode(table.data(), out, bytes, 256);
        for (int i = 0; i < 256; ++i)
            VX_FUZZ_CHECK(out[i] != kCodePageNoCharacter);
    }
    if (unicodeToByte && IsValidUnicodeToByteTable(table.data(), table.size())) {
        VX_FUZZ_CHECK(table.size() >= kUnicodeToByteIndexBytes && table.size() <= kUnicodeToByteMaxBytes);
        for (u32 c = 0; c < 0x10000; c += 0x3F) {
            u8 byte = 0;
            CodePageUnicodeToByte(table.data(), &byte, static_cast<u16>(c));
        }
        u8 last = 0;
        CodePageUnicodeToByte(table.data(), &last, 0xFFFF);
    }
    return 0;
}
