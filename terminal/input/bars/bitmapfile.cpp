#include "terminal/input/bars/bitmapfile.h"

#include <cstring>

#include "terminal/core/base/memblock.h"
#include "terminal/core/base/messagebox.h"

namespace {

constexpr u32 kStrNotABitmapFile = 7152;  // "%s is not a valid Bitmap File."
constexpr u32 kStrBitmapTooLarge = 7153;  // "%s is too large to load."

constexpr u32 kCoreHeaderBytes = 12;     // the OS/2 header: 16-bit sides, 3-byte colours
constexpr u32 kSmallestInfoHeader = 16;  // enough for the sides, planes and bit count
constexpr u32 kCompressionOffsetEnd = 20;
constexpr u32 kUsedColoursOffsetEnd = 36;
constexpr u32 kMaskedHeaderBytes = 52;  // from here on the three colour masks are in the header
constexpr u32 kRgb = 0, kBitFields = 3;
constexpr u32 kMaxColours = 256;

u16 U16At(const u8* p)
{
    return static_cast<u16>(p[0] | p[1] << 8);
}
u32 U32At(const u8* p)
{
    return static_cast<u32>(p[0]) | static_cast<u32>(p[1]) << 8 | static_cast<u32>(p[2]) << 16 |
           static_cast<u32>(p[3]) << 24;
}

// What the info header says, read only from the bytes it covers.
struct Layout {
    u32 header = 0;
    i64 width = 0, height = 0;
    u32 bits = 0;
    u32 compression = kRgb;
    u64 usedColours = 0;  // 0 when the header gives no count
    u32 colourBytes = 4;
};

bool ReadLayout(const u8* block, std::size_t bytes, Layout* out)
{
    if (bytes < 4)
        return false;
    Layout l;
    l.header = U32At(block);
    if (l.header == kCoreHeaderBytes) {
        if (bytes < kCoreHeaderBytes)
            return false;
        l.width = U16At(block + 4);
        l.height = U16At(block + 6);
        l.bits = U16At(block + 10);
        l.colourBytes = 3;
    } else {
        if (l.header < kSmallestInfoHeader || l.header > bytes)
            return false;
        l.width = static_cast<i32>(U32At(block + 4));
        l.height = static_cast<i32>(U32At(block + 8));
        l.bits = U16At(block + 14);
        if (l.header >= kCompressionOffsetEnd)
            l.compression = U32At(block + 16);
        if (l.header >= kUsedColoursOffsetEnd)
            l.usedColours = U32At(block + 32);
    }
    *out = l;
    return true;
}

// Colour-table entries as the bits pointer counts them (the used count, else 2^bits
// below 16 bits); -1 for a count that cannot be (above 2^bits or 256), and for 16 and
// 32 bits without a count, where 2^bits entries would lie far past any file.
i64 ColourEntries(const Layout& l)
{
    if (l.usedColours != 0) {
        if (l.usedColours > kMaxColours || (l.bits <= 8 && l.usedColours > (u64{1} << l.bits)))
            return -1;
        return static_cast<i64>(l.usedColours);
    }
    if (l.bits == 24)
        return 0;
    if (l.bits > 8)
        return -1;
    return i64{1} << l.bits;
}

bool KnownBitCount(u32 bits)
{
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

}  // namespace

i64 BitmapBlockSize(const u8* fileHeader, u64 fileBytes)
{
    if (fileBytes < kBitmapFileHeaderBytes || fileHeader[0] != 'B' || fileHeader[1] != 'M')
        return -1;
    const u64 total = U32At(fileHeader + 2);
    if (total < kBitmapFileHeaderBytes || total > fileBytes)
        return -1;
    return static_cast<i64>(total - kBitmapFileHeaderBytes);
}

bool CheckBitmapBlock(const u8* block, std::size_t bytes)
{
    Layout l;
    if (!block || !ReadLayout(block, bytes, &l) || !KnownBitCount(l.bits))
        return false;
    // Run-length data has no size of its own that a reader could trust: only plain
    // pixels, and colour masks for 16 and 32 bits.
    if (l.compression != kRgb && !(l.compression == kBitFields && (l.bits == 16 || l.bits == 32)))
        return false;
    const i64 colours = ColourEntries(l);
    if (colours < 0)
        return false;
    // Masks in a short header are read from the first three colour-table entries.
    if (l.compression == kBitFields && l.header < kMaskedHeaderBytes && colours < 3)
        return false;
    const i64 rows = l.height < 0 ? -l.height : l.height;
    if (l.width <= 0 || l.width > kBitmapMaxSide || rows == 0 || rows > kBitmapMaxSide)
        return false;
    const u64 rowBytes = (static_cast<u64>(l.width) * l.bits + 31) / 32 * 4;
    const u64 bitsStart = static_cast<u64>(l.header) + static_cast<u64>(colours) * l.colourBytes;
    return bitsStart <= bytes && rowBytes * static_cast<u64>(rows) <= bytes - bitsStart;
}

u32 BitmapInfoHeaderSize(const void* block)
{
    return U32At(static_cast<const u8*>(block));
}

const u8* BitmapBitsPointer(const void* block)
{
    const u8* start = static_cast<const u8*>(block);
    const u32 header = BitmapInfoHeaderSize(block);
    Layout l;
    // Only the info header's own bytes are read: all of them lie in an accepted block.
    if (!ReadLayout(start, header, &l))
        return start + header;
    const i64 colours = ColourEntries(l);
    return start + header + (colours > 0 ? static_cast<u64>(colours) * l.colourBytes : 0);
}

void* ReadBitmapBytes(const u8* file, std::size_t fileBytes, const wchar16* path)
{
    const i64 size = file ? BitmapBlockSize(file, fileBytes) : -1;
    if (size < 0) {
        MessageBoxFormatId(kStrNotABitmapFile, path);
        return nullptr;
    }
    void* block = MemAllocBlockQuiet(size ? static_cast<std::size_t>(size) : 1);
    if (!block) {
        MessageBoxFormatId(kStrBitmapTooLarge, path);
        return nullptr;
    }
    std::memcpy(block, file + kBitmapFileHeaderBytes, static_cast<std::size_t>(size));
    if (!CheckBitmapBlock(static_cast<const u8*>(block), static_cast<std::size_t>(size))) {
        MemFreeBlock(block);
        MessageBoxFormatId(kStrNotABitmapFile, path);
        return nullptr;
    }
    return block;
}
