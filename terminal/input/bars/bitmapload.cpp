#include "terminal/input/bars/bitmapload.h"

#include "terminal/core/base/handles.h"
#include "terminal/core/base/memblock.h"
#include "terminal/core/base/messagebox.h"
#include "terminal/input/bars/bitmapfile.h"

namespace {

constexpr u32 kStrNotABitmapFile = 7152;
constexpr u32 kStrBitmapTooLarge = 7153;
// Older file systems and network redirectors refused larger single reads.
constexpr DWORD kReadPiece = 32767;

bool ReadWhole(HANDLE file, u8* into, u64 bytes)
{
    while (bytes > 0) {
        const DWORD want = bytes < kReadPiece ? static_cast<DWORD>(bytes) : kReadPiece;
        DWORD got = 0;
        if (!ReadFile(file, into, want, &got, nullptr) || got != want)
            return false;
        into += got;
        bytes -= got;
    }
    return true;
}

void* ReadOpenFile(HANDLE file, const wchar_t* path)
{
    LARGE_INTEGER length{};
    u8 header[kBitmapFileHeaderBytes];
    if (!GetFileSizeEx(file, &length) || !ReadWhole(file, header, sizeof header)) {
        MessageBoxFormatId(kStrNotABitmapFile, path);
        return nullptr;
    }
    const i64 size = BitmapBlockSize(header, static_cast<u64>(length.QuadPart));
    if (size < 0 || static_cast<u64>(size) > SIZE_MAX) {
        MessageBoxFormatId(kStrNotABitmapFile, path);
        return nullptr;
    }
    auto* block = static_cast<u8*>(MemAllocBlockQuiet(size ? static_cast<std::size_t>(size) : 1));
    if (!block) {
        MessageBoxFormatId(kStrBitmapTooLarge, path);
        return nullptr;
    }
    if (!ReadWhole(file, block, static_cast<u64>(size)) ||
        !CheckBitmapBlock(block, static_cast<std::size_t>(size))) {
        MemFreeBlock(block);
        MessageBoxFormatId(kStrNotABitmapFile, path);
        return nullptr;
    }
    return block;
}

}  // namespace

void* ReadBitmapFile(const wchar_t* path)
{
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        MessageBoxFormatId(kStrNotABitmapFile, path);
        return nullptr;
    }
    void* block = ReadOpenFile(file, path);
    CloseHandle(file);
    return block;
}

HBITMAP LoadBitmapFile(const wchar_t* path)
{
    void* block = ReadBitmapFile(path);
    if (!block)
        return nullptr;
    HDC dc = GetDC(ScreenWindowHandle);
    HBITMAP bitmap = CreateDIBitmap(dc, static_cast<const BITMAPINFOHEADER*>(block), CBM_INIT,
                                    BitmapBitsPointer(block), static_cast<const BITMAPINFO*>(block),
                                    DIB_RGB_COLORS);
    ReleaseDC(ScreenWindowHandle, dc);
    MemFreeBlock(block);
    return bitmap;
}
