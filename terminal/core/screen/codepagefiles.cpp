#include "terminal/core/screen/codepagefiles.h"

#include <cstring>
#include <cwchar>

#include "terminal/core/screen/codepages.h"
#include "terminal/core/base/language.h"
#include "terminal/core/base/memblock.h"
#include "terminal/core/base/messagebox.h"
#include "terminal/core/base/win32.h"
#include "terminal/core/base/uiservices.h"

wchar16 CodePageDirectory[kCodePagePathUnits] = {};

namespace {

constexpr u32 kStrOutOfMemory = 7100;
constexpr u32 kStrOutOfMemoryLoading = 7110;
constexpr u32 kStrCannotFindFile = 7111;
static_assert(kCodePagePathUnits == kLanguagePathUnits, "one path size for both searches");

// Appends one number to a list block, which grows by one entry at a time.
bool Append(u16** list, int* count, u16 number)
{
    auto* grown = static_cast<u16*>(MemAllocBlock((static_cast<std::size_t>(*count) + 1) * sizeof(u16)));
    if (!grown)
        return false;
    if (*count)
        std::memcpy(grown, *list, static_cast<std::size_t>(*count) * sizeof(u16));
    grown[*count] = number;
    MemFreeBlock(*list);
    *list = grown;
    ++*count;
    return true;
}

bool IsDotEntry(const WIN32_FIND_DATAW& entry)
{
    return !std::wcscmp(entry.cFileName, L".") || !std::wcscmp(entry.cFileName, L"..");
}

// The files of one directory; -1 when memory ran out.
int ListDirectory(const wchar16* directory, const wchar16* pattern, u16** list)
{
    wchar16 path[kCodePagePathUnits];
    if (!JoinPath(path, directory, pattern))
        return 0;
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW(path, &entry);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    int count = 0;
    do {
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        const long ccsid = CodePageNumberFromFileName(entry.cFileName);
        if (ccsid < 0)
            continue;  // no CCSID: a table under that name could not be asked for
        if (!Append(list, &count, static_cast<u16>(ccsid))) {
            count = -1;
            break;
        }
    } while (FindNextFileW(find, &entry));
    FindClose(find);
    return count;
}

// The directory's own files, else those of the first directory below it that has any.
int ListTree(const wchar16* directory, const wchar16* pattern, u16** list, int depth)
{
    const int count = ListDirectory(directory, pattern, list);
    if (count != 0 || depth >= kTreeSearchDepth)
        return count;
    wchar16 path[kCodePagePathUnits];
    if (!JoinPath(path, directory, VXT("*.*")))
        return 0;
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW(path, &entry);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    int found = 0;
    do {
        // Junctions and directory links can lead back up the tree.
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
            (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) || IsDotEntry(entry))
            continue;
        wchar16 below[kCodePagePathUnits];
        if (JoinPath(below, directory, entry.cFileName))
            found = ListTree(below, pattern, list, depth + 1);
    } while (found == 0 && FindNextFileW(find, &entry));
    FindClose(find);
    return found;
}

bool TableFileName(wchar16* name, long ccsid, const wchar16* section)
{
    if (!IsValidCcsid(ccsid) || !section)
        return false;
    const int n = _snwprintf(name, 31, L"IBM%05ld.%ls", ccsid, section);
    name[31] = 0;
    return n > 0 && n < 31;
}

// The file of a table, or a copy of the built-in table when the file is missing or
// fails `valid`.
u8* LoadTableOrBuiltin(long ccsid, const wchar16* section, bool (*valid)(const u8*, std::size_t),
                       const u8* builtin, std::size_t builtinSize)
{
    std::size_t size = 0;
    auto* table = static_cast<u8*>(LoadCodePageTableReported(ccsid, section, &size));
    if (table && !valid(table, size)) {
        MemFreeBlock(table);
        table = nullptr;
        wchar16 name[32];
        if (!TableFileName(name, ccsid, section))
            _snwprintf(name, 31, L"IBM%ld.%ls", ccsid, section);
        name[31] = 0;
        MessageBoxFormatId(kStrCannotFindFile, name);
    }
    if (table)
        return table;
    table = static_cast<u8*>(MemAllocBlock(builtinSize));
    if (!table) {
        MessageBoxById(kStrOutOfMemoryLoading);
        return nullptr;
    }
    std::memcpy(table, builtin, builtinSize);
    return table;
}

}  // namespace

const wchar16* GetCodePageDirectory()
{
    const int length = GetLanguageDirectory(CodePageDirectory, 0);
    if (length <= 0) {
        std::wcscpy(CodePageDirectory, L"\\");
    } else if (CodePageDirectory[length - 1] != L'\\') {
        if (length + 1 < kCodePagePathUnits) {
            CodePageDirectory[length] = L'\\';
            CodePageDirectory[length + 1] = 0;
        } else {
            std::wcscpy(CodePageDirectory, L"\\");  // a cut path names another directory
        }
    }
    return CodePageDirectory;
}

int ListCodePageFiles(const wchar16* directory, const wchar16* section, u16** list)
{
    *list = nullptr;
    if (!directory)
        directory = CodePageDirectory[0] ? CodePageDirectory : GetCodePageDirectory();
    wchar16 pattern[32];
    const int n = _snwprintf(pattern, 31, L"IBM*.%ls", section ? section : L"");
    pattern[31] = 0;
    if (n <= 0 || n >= 31)
        return 0;
    const int count = ListTree(directory, pattern, list, 0);
    if (count < 0) {
        MemFreeBlock(*list);
        *list = nullptr;
        MessageBoxById(kStrOutOfMemory);
        PostExitCommand();
        return 0;
    }
    if (count == 0) {
        MemFreeBlock(*list);
        *list = nullptr;
        return 0;
    }
    SortCodePageList(*list, count);
    return count;
}

int ListAvailableCodePages(u16** list)
{
    u16* u2s = nullptr;
    const int count = ListCodePageFiles(nullptr, VXT("S2U"), list);
    const int u2sCount = ListCodePageFiles(nullptr, VXT("U2S"), &u2s);
    const int both = IntersectCodePageLists(*list, count, u2s, u2sCount);
    if (both == 0) {
        MemFreeBlock(*list);
        *list = nullptr;
    }
    return both;
}

void* LoadWholeFile(wchar16* directory, const wchar16* name, int report, std::size_t* size)
{
    if (size)
        *size = 0;
    if (!FindFileInTree(directory, name)) {
        if (report)
            MessageBoxFormatId(kStrCannotFindFile, name);
        return nullptr;
    }
    HANDLE file = CreateFileW(directory, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return nullptr;
    BY_HANDLE_FILE_INFORMATION information{};
    void* block = nullptr;
    if (GetFileInformationByHandle(file, &information)) {
        const DWORD bytes = information.nFileSizeLow;
        // A zero-length file still gives a block, so that its size can be judged.
        block = MemAllocBlock(bytes ? bytes : 1);
        if (!block) {
            MessageBoxById(kStrOutOfMemoryLoading);
        } else {
            DWORD read = 0;
            if (bytes && (!ReadFile(file, block, bytes, &read, nullptr) || read != bytes)) {
                MemFreeBlock(block);
                block = nullptr;
            } else if (size) {
                *size = bytes;
            }
        }
    }
    CloseHandle(file);
    return block;
}

void* LoadCodePageTable(long ccsid, const wchar16* section, int report, std::size_t* size)
{
    if (size)
        *size = 0;
    wchar16 name[32];
    if (!TableFileName(name, ccsid, section)) {
        if (report) {
            _snwprintf(name, 31, L"IBM%ld.%ls", ccsid, section ? section : L"");
            name[31] = 0;
            MessageBoxFormatId(kStrCannotFindFile, name);
        }
        return nullptr;
    }
    if (!CodePageDirectory[0])
        GetCodePageDirectory();
    wchar16 directory[kCodePagePathUnits];
    std::wmemcpy(directory, CodePageDirectory, kCodePagePathUnits);
    return LoadWholeFile(directory, name, report, size);
}

void* LoadCodePageTableReported(long ccsid, const wchar16* section, std::size_t* size)
{
    return LoadCodePageTable(ccsid, section, 1, size);
}

u8* LoadByteToUnicodeTable(long ccsid)
{
    return LoadTableOrBuiltin(ccsid, VXT("S2U"), IsValidByteToUnicodeTable, BuiltinByteToUnicodeTable(),
                              kByteToUnicodeTableBytes);
}

u8* LoadUnicodeToByteTable(long ccsid)
{
    return LoadTableOrBuiltin(ccsid, VXT("U2S"), IsValidUnicodeToByteTable, BuiltinUnicodeToByteTable(),
                              kBuiltinUnicodeToByteBytes);
}
