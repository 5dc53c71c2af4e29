#include "terminal/core/paint/glyphcache.h"

#include <cstring>
#include <unordered_map>
#include <vector>

#include "terminal/core/paint/picture.h"
#include "terminal/core/paint/screendc.h"

namespace {

// About this much memory for the kept cells; then the cache starts again empty.
constexpr std::size_t kCacheBytes = 16u << 20;

struct Cache {
    std::unordered_map<u64, u32> index;  // key -> first pixel of the cell in `pixels`
    std::vector<u32> pixels;
    int width = 0, height = 0;  // the size every kept cell of this generation has
    u64 hits = 0;
};
Cache g_cache;

u64 Pack(const GlyphKey& k)
{
    return u64{k.ch} | u64{k.glyphSet & 7u} << 16 | u64{k.fontFlags} << 19 | u64{k.foreground & 15u} << 27 |
           u64{k.background & 15u} << 31 | u64{k.control} << 35 | u64{k.underline} << 36 | u64{k.displayOff} << 37;
}

// Cells of another size (a double-width line's) are kept beside the others by their
// width in the key; the height never varies within a generation.
u64 KeyOf(const GlyphKey& k, int width)
{
    return Pack(k) | u64(width & 0xFFFF) << 40;
}

bool Fits(int x, int y, int width, int height)
{
    return PictureBits() && x >= 0 && y >= 0 && width > 0 && height > 0 && x + width <= PictureWidth() &&
           y + height <= PictureHeight();
}

}  // namespace

bool DrawCachedGlyph(const GlyphKey& key, int x, int y, int width, int height)
{
    if (!Fits(x, y, width, height) || height != g_cache.height)
        return false;
    const auto found = g_cache.index.find(KeyOf(key, width));
    if (found == g_cache.index.end())
        return false;
    GdiFlush();
    const u32* from = g_cache.pixels.data() + found->second;
    u32* to = PictureBits() + static_cast<std::size_t>(y) * PictureStride() + x;
    for (int row = 0; row < height; ++row, from += width, to += PictureStride())
        std::memcpy(to, from, static_cast<std::size_t>(width) * sizeof(u32));
    ++g_cache.hits;
    return true;
}

void KeepGlyph(const GlyphKey& key, int x, int y, int width, int height)
{
    if (!Fits(x, y, width, height))
        return;
    if (g_cache.height != height) {
        InvalidateGlyphCache();
        g_cache.height = height;
    }
    const std::size_t cell = static_cast<std::size_t>(width) * height;
    if ((g_cache.pixels.size() + cell) * sizeof(u32) > kCacheBytes) {
        const int keepHeight = g_cache.height;
        InvalidateGlyphCache();
        g_cache.height = keepHeight;
    }
    const u64 k = KeyOf(key, width);
    if (g_cache.index.count(k))
        return;
    GdiFlush();
    const std::size_t at = g_cache.pixels.size();
    g_cache.pixels.resize(at + cell);
    const u32* from = PictureBits() + static_cast<std::size_t>(y) * PictureStride() + x;
    u32* to = g_cache.pixels.data() + at;
    for (int row = 0; row < height; ++row, from += PictureStride(), to += width)
        std::memcpy(to, from, static_cast<std::size_t>(width) * sizeof(u32));
    g_cache.index.emplace(k, static_cast<u32>(at));
}

void InvalidateGlyphCache()
{
    ScreenPaintGuard guard;
    g_cache.index.clear();
    g_cache.pixels.clear();
    g_cache.height = 0;
}

int CachedGlyphCount()
{
    return static_cast<int>(g_cache.index.size());
}

u64 GlyphCacheHits()
{
    return g_cache.hits;
}
