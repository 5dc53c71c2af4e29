// ".bmp" files as the toolbar loads them: good files of every header kind give a block
// whose bits lie where GDI will read them, and each way a file can point outside itself
// is refused with the file named, before anything reads past it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_doubles.h"
#include "terminal/core/base/memblock.h"
#include "terminal/input/bars/bitmapfile.h"

namespace {

// A bitmap file laid out from its fields; `total` and `trim` damage it afterwards.
struct Bmp {
    u32 header = 40;
    i32 width = 4, height = 3;
    u16 bits = 24;
    u32 compression = 0;
    u32 used = 0;
    u32 colours = 0;  // colour-table entries written
    i64 total = -1;   // the file header's total size; -1 for the true one
    i64 trim = 0;     // bytes cut off the end of the file
    u32 extra = 0;    // pixel bytes written beyond what the sides need

    std::vector<u8> Bytes() const
    {
        std::vector<u8> f = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
        auto put = [&f](u64 v, int n) {
            for (int i = 0; i < n; ++i)
                f.push_back(static_cast<u8>(v >> (8 * i)));
        };
        put(header, 4);
        if (header == 12) {
            put(static_cast<u16>(width), 2), put(static_cast<u16>(height), 2), put(1, 2), put(bits, 2);
        } else {
            put(static_cast<u32>(width), 4), put(static_cast<u32>(height), 4), put(1, 2), put(bits, 2);
            put(compression, 4), put(0, 4), put(2835, 4), put(2835, 4), put(used, 4), put(0, 4);
            while (f.size() < 14 + header)
                f.push_back(0);
            f.resize(14 + header);
        }
        for (u32 i = 0; i < colours; ++i)
            put(i * 0x010101u & 0xFFFFFF, header == 12 ? 3 : 4);
        const u64 row = (static_cast<u64>(width < 0 ? -width : width) * bits + 31) / 32 * 4;
        const u64 pixels = row * static_cast<u64>(height < 0 ? -height : height) + extra;
        for (u64 i = 0; i < pixels; ++i)
            f.push_back(static_cast<u8>(i * 7));
        const u64 size = total < 0 ? f.size() : static_cast<u64>(total);
        for (int i = 0; i < 4; ++i)
            f[2 + i] = static_cast<u8>(size >> (8 * i));
        f.resize(f.size() - static_cast<std::size_t>(trim));
        return f;
    }
};

// A file with `n` bytes at `offset` replaced by `value`.
std::vector<u8> Patched(std::vector<u8> f, std::size_t offset, u64 value, int n = 4)
{
    for (int i = 0; i < n; ++i)
        f[offset + i] = static_cast<u8>(value >> (8 * i));
    return f;
}

const wchar16 kPath[] = VXT("C:\\pics\\tool.bmp");

class BitmapFile : public ::testing::Test {
protected:
    void SetUp() override { doubles::Reset(); }
    void TearDown() override { MemInjectFailures(0); }

    // The block for a file given in a buffer of exactly its size, so that ASan sees any
    // read past it; the message boxes shown on the way.
    void* Read(const std::vector<u8>& file)
    {
        auto* exact = new u8[file.size() ? file.size() : 1];
        std::copy(file.begin(), file.end(), exact);
        void* block = ReadBitmapBytes(exact, file.size(), kPath);
        delete[] exact;
        return block;
    }
    std::vector<doubles::MessageBoxCall> Boxes() { return doubles::Recorded().messageBoxes; }
};

TEST_F(BitmapFile, GoodFilesGiveTheirBlockWithTheBitsWhereTheHeaderSaysTheyStart)
{
    struct Case {
        const char* what;
        Bmp bmp;
        std::size_t bitsOffset;
    };
    const std::vector<Case> cases = {
        {"24-bit, no colours", Bmp{}, 40},
        {"8-bit, full table", Bmp{40, 5, 2, 8, 0, 0, 256}, 40 + 1024},
        {"8-bit, 16 used", Bmp{40, 5, 2, 8, 0, 16, 16}, 40 + 64},
        {"4-bit top-down", Bmp{40, 7, -3, 4, 0, 0, 16}, 40 + 64},
        {"1-bit, 16-byte header", Bmp{16, 9, 2, 1, 0, 0, 2}, 16 + 8},
        {"core header 8-bit", Bmp{12, 3, 3, 8, 0, 0, 256}, 12 + 768},
        {"core header 24-bit", Bmp{12, 3, 3, 24}, 12},
        {"32-bit masks in the table", Bmp{40, 2, 2, 32, 3, 3, 3}, 40 + 12},
        {"16-bit, V5 header with masks", Bmp{124, 3, 2, 16, 3, 1, 1}, 124 + 4},
        {"24-bit with a used count", Bmp{40, 2, 2, 24, 0, 2, 2}, 40 + 8},
    };
    for (const Case& c : cases) {
        doubles::Reset();
        const std::vector<u8> file = c.bmp.Bytes();
        void* block = Read(file);
        ASSERT_NE(block, nullptr) << c.what;
        EXPECT_TRUE(Boxes().empty()) << c.what;
        EXPECT_EQ(BitmapInfoHeaderSize(block), c.bmp.header) << c.what;
        EXPECT_EQ(BitmapBitsPointer(block) - static_cast<const u8*>(block),
                  static_cast<std::ptrdiff_t>(c.bitsOffset))
            << c.what;
        EXPECT_EQ(std::vector<u8>(static_cast<u8*>(block), static_cast<u8*>(block) + file.size() - 14),
                  std::vector<u8>(file.begin() + 14, file.end()))
            << c.what;
        MemFreeBlock(block);
    }
}

TEST_F(BitmapFile, EveryWayOutsideTheFileIsRefusedWithTheFileNamed)
{
    struct Case {
        const char* what;
        std::vector<u8> file;
    };
    std::vector<u8> notBm = Bmp{}.Bytes();
    notBm[1] = 'A';
    const std::vector<Case> cases = {
        {"empty file", {}},
        {"short file header", {'B', 'M', 20, 0, 0}},
        {"no BM", notBm},
        {"total below 14", Bmp{.total = 13}.Bytes()},
        {"total exactly 14", Bmp{.total = 14}.Bytes()},
        {"total above the file", Bmp{.total = 14 + 40 + 36 + 1}.Bytes()},
        {"total 4 GB", Bmp{.total = 0xFFFFFFFF}.Bytes()},
        {"header size 0", Patched(Bmp{}.Bytes(), 14, 0)},
        {"header size 13", Patched(Bmp{}.Bytes(), 14, 13)},
        {"header larger than the block", Bmp{.header = 40, .total = 14 + 30}.Bytes()},
        {"header size 4 GB", Patched(Bmp{}.Bytes(), 14, 0xFFFFFFF0)},
        {"core header cut short", Bmp{.header = 12, .total = 14 + 8}.Bytes()},
        {"bit count 0", Bmp{.bits = 0}.Bytes()},
        {"bit count 2", Bmp{.width = 16, .bits = 2}.Bytes()},
        {"bit count 64", Bmp{.bits = 64}.Bytes()},
        {"used colours above 2^bits", Bmp{.bits = 4, .used = 17, .colours = 17}.Bytes()},
        {"used colours above 256", Bmp{.bits = 24, .used = 257, .colours = 257}.Bytes()},
        {"used colours 4 billion", Bmp{.bits = 8, .used = 0xFFFFFFFF, .colours = 256}.Bytes()},
        {"16-bit without a colour count", Bmp{.bits = 16}.Bytes()},
        {"32-bit without a colour count", Bmp{.bits = 32}.Bytes()},
        {"core header 16-bit", Bmp{.header = 12, .bits = 16}.Bytes()},
        {"width 0", Bmp{.width = 0, .extra = 16}.Bytes()},
        {"height 0", Bmp{.height = 0, .extra = 16}.Bytes()},
        {"negative width", Bmp{.width = -4}.Bytes()},
        {"huge width", Patched(Bmp{}.Bytes(), 18, 0x7FFFFFFF)},
        {"width past 16384",
         Patched(Bmp{.width = 1, .height = 1, .bits = 1, .colours = 2, .extra = 4096}.Bytes(), 18, 16385)},
        {"huge height", Patched(Bmp{}.Bytes(), 22, 0x80000001)},
        {"core header sides past 16384",
         Patched(Bmp{.header = 12, .width = 1, .height = 1, .extra = 64}.Bytes(), 20, 20000, 2)},
        {"rows times row bytes wrap 32 bits", Patched(Patched(Bmp{}.Bytes(), 18, 16384), 22, 16384)},
        {"colour table past the block", Bmp{.width = 1, .height = 1, .bits = 8, .colours = 10}.Bytes()},
        {"bits end past the block", Bmp{.total = 14 + 40 + 36 - 1, .trim = 1}.Bytes()},
        {"run-length compressed", Bmp{.bits = 8, .compression = 1, .colours = 256}.Bytes()},
        {"masks missing from a short header", Bmp{.bits = 32, .compression = 3, .used = 2, .colours = 2}.Bytes()},
    };
    const int live = MemTableInfo().liveBlocks;
    for (const Case& c : cases) {
        doubles::Reset();
        EXPECT_EQ(Read(c.file), nullptr) << c.what;
        const auto boxes = Boxes();
        EXPECT_EQ(boxes.size(), 1u) << c.what;
        if (!boxes.empty()) {
            EXPECT_EQ(boxes[0].id, 7152u) << c.what;
            EXPECT_EQ(boxes[0].text, u"C:\\pics\\tool.bmp") << c.what;
        }
    }
    EXPECT_EQ(MemTableInfo().liveBlocks, live);
}

TEST_F(BitmapFile, OnlyMissingMemoryForAGoodSizeIsTooLarge)
{
    MemInjectFailures(1);
    EXPECT_EQ(Read(Bmp{}.Bytes()), nullptr);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].id, 7153u);

    // A total the file cannot hold is refused before any memory is asked for.
    doubles::Reset();
    MemInjectFailures(1);
    EXPECT_EQ(Read(Bmp{.total = 0x7FFFFFFF}.Bytes()), nullptr);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].id, 7152u);
}

}  // namespace
