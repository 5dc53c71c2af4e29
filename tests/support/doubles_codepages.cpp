#include "support/doubles_codepages.h"

#include <cstring>
#include <set>

#include "terminal/core/screen/codepagefiles.h"
#include "terminal/core/base/memblock.h"
#include "terminal/core/screen/codepages.h"

wchar16 CodePageDirectory[kCodePagePathUnits] = {};

namespace doubles {
CodePageDouble& CodePages()
{
    static CodePageDouble d;
    return d;
}
}  // namespace doubles

namespace {
std::string Narrow(const wchar16* s)
{
    std::string out;
    for (; s && *s; ++s)
        out.push_back(static_cast<char>(*s));
    return out;
}

void* Copy(const std::vector<u8>& bytes, std::size_t* size)
{
    void* block = MemAllocBlock(bytes.empty() ? 1 : bytes.size());
    if (block && !bytes.empty())
        std::memcpy(block, bytes.data(), bytes.size());
    if (size)
        *size = block ? bytes.size() : 0;
    return block;
}

u8* TableOrBuiltin(long ccsid, const char* section, bool (*valid)(const u8*, std::size_t), const u8* builtin,
                   std::size_t builtinSize)
{
    doubles::CodePages().loads.push_back({ccsid, section});
    const auto& files = doubles::CodePages().files;
    const auto found = files.find({ccsid, section});
    if (found != files.end() && valid(found->second.data(), found->second.size()))
        return static_cast<u8*>(Copy(found->second, nullptr));
    return static_cast<u8*>(Copy(std::vector<u8>(builtin, builtin + builtinSize), nullptr));
}
}  // namespace

const wchar16* GetCodePageDirectory()
{
    return CodePageDirectory;
}

int ListCodePageFiles(const wchar16*, const wchar16* section, u16** list)
{
    std::set<u16> numbers;
    for (const auto& [key, bytes] : doubles::CodePages().files)
        if (key.second == Narrow(section))
            numbers.insert(static_cast<u16>(key.first));
    *list = nullptr;
    if (numbers.empty())
        return 0;
    *list = static_cast<u16*>(MemAllocBlock(numbers.size() * sizeof(u16)));
    int n = 0;
    for (u16 number : numbers)
        (*list)[n++] = number;
    return n;
}

int ListAvailableCodePages(u16** list)
{
    u16* u2s = nullptr;
    const int count = ListCodePageFiles(nullptr, VXT("S2U"), list);
    const int both = IntersectCodePageLists(*list, count, u2s, ListCodePageFiles(nullptr, VXT("U2S"), &u2s));
    if (both == 0) {
        MemFreeBlock(*list);
        *list = nullptr;
    }
    return both;
}

void* LoadWholeFile(wchar16*, const wchar16*, int, std::size_t* size)
{
    if (size)
        *size = 0;
    return nullptr;
}

void* LoadCodePageTable(long ccsid, const wchar16* section, int, std::size_t* size)
{
    doubles::CodePages().loads.push_back({ccsid, Narrow(section)});
    const auto& files = doubles::CodePages().files;
    const auto found = files.find({ccsid, Narrow(section)});
    if (found == files.end()) {
        if (size)
            *size = 0;
        return nullptr;
    }
    return Copy(found->second, size);
}

void* LoadCodePageTableReported(long ccsid, const wchar16* section, std::size_t* size)
{
    return LoadCodePageTable(ccsid, section, 1, size);
}

u8* LoadByteToUnicodeTable(long ccsid)
{
    return TableOrBuiltin(ccsid, "S2U", IsValidByteToUnicodeTable, BuiltinByteToUnicodeTable(),
                          kByteToUnicodeTableBytes);
}

u8* LoadUnicodeToByteTable(long ccsid)
{
    return TableOrBuiltin(ccsid, "U2S", IsValidUnicodeToByteTable, BuiltinUnicodeToByteTable(),
                          kBuiltinUnicodeToByteBytes);
}
