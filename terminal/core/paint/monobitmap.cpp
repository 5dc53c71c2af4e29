#include "terminal/core/paint/monobitmap.h"

#include <cstring>

#include "terminal/core/base/memblock.h"

u32* UnpackMonoBitmap(const u8* bits, int width, int height)
{
    if (!bits || width <= 0 || height <= 0)
        return nullptr;
    auto* pixels = static_cast<u32*>(MemAllocBlock(sizeof(u32) * width * height));
    if (!pixels)
        return nullptr;
    const int rowBytes = MonoRowBytes(width);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[y * width + x] = (bits[y * rowBytes + x / 8] >> (7 - x % 8)) & 1;
    return pixels;
}

u8* PackMonoBitmap(const u32* pixels, int width, int height)
{
    if (!pixels || width <= 0 || height <= 0)
        return nullptr;
    const int rowBytes = MonoRowBytes(width);
    auto* bits = static_cast<u8*>(MemAllocBlock(rowBytes * height));
    if (!bits)
        return nullptr;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (pixels[y * width + x])
                bits[y * rowBytes + x / 8] |= static_cast<u8>(0x80 >> (x % 8));
    return bits;
}

u8* ScaleMonoBitmap(u8* bits, int width, int height, int newWidth, int newHeight, bool fill)
{
    if (!fill && width == newWidth && height == newHeight)
        return bits;  // the caller keeps its block
    u8* result = nullptr;
    if (newWidth > 0 && newHeight > 0) {
        if (fill) {
            const int size = MonoRowBytes(newWidth) * newHeight;
            result = static_cast<u8*>(MemAllocBlock(size));
            if (result)
                std::memset(result, 0xFF, size);
        } else if (u32* source = UnpackMonoBitmap(bits, width, height)) {
            if (auto* target = static_cast<u32*>(MemAllocBlock(sizeof(u32) * newWidth * newHeight))) {
                for (int y = 0; y < newHeight; ++y)
                    for (int x = 0; x < newWidth; ++x)
                        target[y * newWidth + x] = source[(y * height / newHeight) * width + x * width / newWidth];
                result = PackMonoBitmap(target, newWidth, newHeight);
                MemFreeBlock(target);
            }
            MemFreeBlock(source);
        }
    }
    // The input is replaced: it goes whatever became of the new block.
    MemFreeBlock(bits);
    return result;
}

void MoveLowerHalfUp(u8* bits, int width, int height)
{
    if (!bits || width <= 0 || height <= 0)
        return;
    const int rowBytes = MonoRowBytes(width);
    const int half = height / 2;
    std::memmove(bits, bits + half * rowBytes, (height - half) * rowBytes);
    std::memset(bits + (height - half) * rowBytes, 0, half * rowBytes);
}
