// ".bmp" files as the toolbar's picture loader reads them: the input is the whole file.
//
// Checked besides the sanitizers: an accepted block holds its info header, and its bits
// start inside it with every row GDI will read before its end; a refused file leaves no
// block behind and exactly one message.
#include <vector>

#include "fuzz/check.h"
#include "support/test_doubles.h"
#include "terminal/core/base/memblock.h"
#include "terminal/input/bars/bitmapfile.h"

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size)
{
    doubles::Reset();
    static const wchar16 path[] = VXT("fuzz.bmp");
    // An exact copy, so that a read one byte past the file is a finding.
    std::vector<u8> file(data, data + size);
    const int live = MemTableInfo().liveBlocks;
    void* block = ReadBitmapBytes(file.data(), file.size(), path);
    if (!block) {
        VX_FUZZ_CHECK(doubles::Recorded().messageBoxes.size() == 1);
        VX_FUZZ_CHECK(MemTableInfo().liveBlocks == live);
        return 0;
    }
    VX_FUZZ_CHECK(doubles::Recorded().messageBoxes.empty());
    // The block is what the file header's total size covers, which may be less than the file.
    const std::size_t bytes = (file[2] | file[3] << 8 | file[4] << 16 | static_cast<std::size_t>(file[5]) << 24) -
                              kBitmapFileHeaderBytes;
    const auto* start = static_cast<const u8*>(block);
    const u32 header = BitmapInfoHeaderSize(block);
    VX_FUZZ_CHECK(header == 12 || (header >= 16 && header <= bytes));
    const u8* bits = BitmapBitsPointer(block);
    VX_FUZZ_CHECK(bits >= start + header && bits <= start + bytes);
    // Width, height and bit count as GDI reads them; every row must end inside the block.
    const bool core = header == 12;
    auto field = [start](int at, int n) {
        u32 v = 0;
        for (int i = n - 1; i >= 0; --i)
            v = v << 8 | start[at + i];
        return v;
    };
    // (Signed apart: a conditional of u32 and i32 would be unsigned.)
    i64 width = field(4, 2), height = field(6, 2);
    if (!core)
        width = static_cast<i32>(field(4, 4)), height = static_cast<i32>(field(8, 4));
    height = height < 0 ? -height : height;
    const u32 bitCount = core ? field(10, 2) : field(14, 2);
    VX_FUZZ_CHECK(width > 0 && height > 0);
    const u64 row = (static_cast<u64>(width) * bitCount + 31) / 32 * 4;
    VX_FUZZ_CHECK(row * static_cast<u64>(height) <= static_cast<u64>(start + bytes - bits));
    MemFreeBlock(block);
    return 0;
}
