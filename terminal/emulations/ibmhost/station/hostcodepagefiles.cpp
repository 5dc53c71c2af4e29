#include <new>

#include "terminal/core/screen/codepagefiles.h"
#include "terminal/core/base/memblock.h"
#include "terminal/core/screen/codepages.h"
#include "terminal/emulations/ibmhost/station/hostcodepage.h"

namespace {
// Moves a memory block into a vector and frees it.
bool Take(void* block, std::size_t size, std::vector<u8>& out)
{
    if (!block)
        return false;
    try {
        out.assign(static_cast<u8*>(block), static_cast<u8*>(block) + size);
    } catch (const std::bad_alloc&) {
        MemFreeBlock(block);
        return false;
    }
    MemFreeBlock(block);
    return true;
}

std::size_t UnicodeToByteSize(const u8* table)
{
    // The highest page the index names ends the table (the built-in one has four).
    std::size_t pages = 0;
    for (int i = 0; i < 256; ++i)
        if (table[i] > pages)
            pages = table[i];
    return (pages + 1) * 256;
}
}  // namespace

bool HostCodePageAvailable(u16 ccsid)
{
    u16* list = nullptr;
    const int count = ListAvailableCodePages(&list);
    const bool found = count > 0 && SortedListContains(ccsid, count, list);
    if (list)
        MemFreeBlock(list);
    return found;
}

bool LoadHostCodePage(u16 ccsid, std::vector<u8>& s2u, std::vector<u8>& u2s)
{
    u8* bytes = LoadByteToUnicodeTable(ccsid);
    if (!Take(bytes, kByteToUnicodeTableBytes, s2u))
        return false;
    u8* pages = LoadUnicodeToByteTable(ccsid);
    return pages && Take(pages, UnicodeToByteSize(pages), u2s);
}

std::vector<u8> LoadHostCodePageSection(u16 ccsid, const wchar16* section)
{
    std::size_t size = 0;
    std::vector<u8> out;
    Take(LoadCodePageTable(ccsid, section, 0, &size), size, out);
    return out;
}
