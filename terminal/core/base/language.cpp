#include "terminal/core/base/language.h"

#include <cwchar>
#include <mutex>

#include "terminal/core/base/corestate.h"
#include "terminal/core/base/handles.h"
#include "terminal/core/base/win32.h"
#include "terminal/core/base/registry.h"

LanguageModuleEntry LanguageModuleTable[kLanguageModuleCount + 1] = {
    {VXT("VXNTENG.DLL"), 0}, {VXT("VXNTFRA.DLL"), 0}, {VXT("VXNTDEU.DLL"), 0}, {VXT("VXNTESP.DLL"), 0},
    {VXT("VXNTITA.DLL"), 0}, {VXT("VXNTNLD.DLL"), 0}, {VXT("VXNTNOR.DLL"), 0}, {VXT("VXNTSVE.DLL"), 0},
    {VXT("VXNTDAN.DLL"), 0}, {VXT("VXNTSUO.DLL"), 0}, {VXT("VXNTKOR.DLL"), 0}, {nullptr, 0},
};

i32 CurrentLanguageIndex = 0;
u32 FoundLanguageModuleCount = 0;
wchar16 LanguageModuleVersion[kLanguageVersionUnits] = {};

bool JoinPath(wchar16* path, const wchar16* directory, const wchar16* name)
{
    const std::size_t dirLength = std::wcslen(directory), nameLength = std::wcslen(name);
    const std::size_t separator = dirLength > 0 && directory[dirLength - 1] != L'\\' ? 1 : 0;
    if (dirLength + separator + nameLength >= std::size_t(kLanguagePathUnits))
        return false;
    std::wmemcpy(path, directory, dirLength);
    if (separator)
        path[dirLength] = L'\\';
    std::wmemcpy(path + dirLength + separator, name, nameLength + 1);
    return true;
}

namespace {

constexpr u32 kStrProgramVersion = 10100;
constexpr const wchar16* kProgramName = VXT("vexaNT");

using LoadStringEntry = i32(WINAPI*)(u32 id, wchar16* buffer, i32 capacity);

// The bound module. Both threads load texts; a language change frees the module, so
// every use of it happens under this lock.
std::mutex BindingLock;
HMODULE BoundModule = nullptr;
LoadStringEntry BoundEntry = nullptr;
i32 BoundIndex = -1;

HINSTANCE OwnInstance()
{
    return InstanceHandle ? InstanceHandle : GetModuleHandleW(nullptr);
}

bool ValidIndex(i32 index)
{
    return index >= 0 && index < kLanguageModuleCount;
}

HMODULE OpenModule(const wchar16* directory, const wchar16* name)
{
    wchar16 path[kLanguagePathUnits];
    if (!JoinPath(path, directory, name))
        return nullptr;
    return LoadLibraryW(path);
}

void FreeLocked()
{
    if (BoundModule)
        FreeLibrary(BoundModule);
    BoundModule = nullptr;
    BoundEntry = nullptr;
    BoundIndex = -1;
}

HINSTANCE TryLoadLocked(const wchar16* directory, const wchar16* name)
{
    HMODULE module = OpenModule(directory, name);
    if (!module)
        return nullptr;
    FreeLocked();
    BoundModule = module;
    BoundEntry = reinterpret_cast<LoadStringEntry>(
        reinterpret_cast<void*>(GetProcAddress(module, "VXWLoadString")));
    BoundIndex = CurrentLanguageIndex;
    return module;
}

HINSTANCE LoadLocked()
{
    if (!ValidIndex(CurrentLanguageIndex))
        return nullptr;
    const wchar16* name = LanguageModuleTable[CurrentLanguageIndex].fileName;
    wchar16 directory[kLanguagePathUnits];
    for (int useProgramDirectory = 0; useProgramDirectory < 2; ++useProgramDirectory) {
        GetLanguageDirectory(directory, useProgramDirectory);
        if (HINSTANCE module = TryLoadLocked(directory, name))
            return module;
    }
    return nullptr;
}

int Ask(const wchar16* question)
{
    SetModalFlag(1);
    const int answer = MessageBoxW(nullptr, question, nullptr, MB_YESNO | MB_ICONEXCLAMATION);
    SetModalFlag(0);
    return answer;
}

// Lists `directory` depth first; `depth` counts the levels below the starting one.
int FindInTree(wchar16* directory, const wchar16* name, int depth)
{
    if (wcsnlen(directory, kLanguagePathUnits) == std::size_t(kLanguagePathUnits))
        return 0;  // not terminated within the buffer
    wchar16 path[kLanguagePathUnits];
    if (!JoinPath(path, directory, name))
        return 0;
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW(path, &entry);
    if (find != INVALID_HANDLE_VALUE) {
        FindClose(find);
        std::wmemcpy(directory, path, std::wcslen(path) + 1);
        return 1;
    }
    if (depth >= kTreeSearchDepth || !JoinPath(path, directory, VXT("*.*")))
        return 0;
    find = FindFirstFileW(path, &entry);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    int found = 0;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            continue;
        // Junctions and directory links can lead back up the tree.
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
            continue;
        if (!std::wcscmp(entry.cFileName, L".") || !std::wcscmp(entry.cFileName, L".."))
            continue;
        wchar16 subdirectory[kLanguagePathUnits];
        if (!JoinPath(subdirectory, directory, entry.cFileName))
            continue;
        if (FindInTree(subdirectory, name, depth + 1)) {
            std::wmemcpy(directory, subdirectory, std::wcslen(subdirectory) + 1);
            found = 1;
        }
    } while (!found && FindNextFileW(find, &entry));
    FindClose(find);
    return found;
}

}  // namespace

int GetLanguageDirectory(wchar16* buffer, int useProgramDirectory)
{
    buffer[0] = 0;
    if (!useProgramDirectory) {
        SettingsReadWorkDir(buffer, kLanguagePathUnits);
        buffer[kLanguagePathUnits - 1] = 0;
        if (buffer[0])
            return int(std::wcslen(buffer));
    }
    const DWORD length = GetModuleFileNameW(nullptr, buffer, kLanguagePathUnits);
    // A path cut at the buffer's end names another directory: better none at all.
    if (length == 0 || length >= DWORD(kLanguagePathUnits)) {
        buffer[0] = 0;
        return 0;
    }
    wchar16* slash = std::wcsrchr(buffer, L'\\');
    if (slash) {
        slash[1] = 0;
    } else if (length + 1 < DWORD(kLanguagePathUnits)) {
        buffer[length] = L'\\';
        buffer[length + 1] = 0;
    }
    return int(std::wcslen(buffer));
}

HINSTANCE TryLoadLanguageModule(const wchar16* directory, const wchar16* name)
{
    std::lock_guard<std::mutex> hold(BindingLock);
    return TryLoadLocked(directory, name);
}

HINSTANCE LoadLanguageModule()
{
    std::lock_guard<std::mutex> hold(BindingLock);
    return LoadLocked();
}

void FreeLanguageModule()
{
    std::lock_guard<std::mutex> hold(BindingLock);
    FreeLocked();
}

int FindLanguageModules()
{
    wchar16 directory[kLanguagePathUnits], searched[kLanguagePathUnits] = {};
    u32 count = 0;
    for (int useProgramDirectory = 0; useProgramDirectory < 2 && count == 0; ++useProgramDirectory) {
        GetLanguageDirectory(directory, useProgramDirectory);
        if (useProgramDirectory && !std::wcscmp(directory, searched))
            break;  // WorkDir is not set: the program's directory was the first pass
        CopyText(searched, kLanguagePathUnits, directory);
        for (int i = 0; i < kLanguageModuleCount; ++i) {
            // The probe is released at once; only LoadLanguageModule binds.
            HMODULE module = OpenModule(directory, LanguageModuleTable[i].fileName);
            LanguageModuleTable[i].found = module ? 1 : 0;
            if (module) {
                FreeLibrary(module);
                ++count;
            }
        }
    }
    FoundLanguageModuleCount = count;
    if (count == 0) {
        CurrentLanguageIndex = -1;
        return 0;
    }
    if (!ValidIndex(CurrentLanguageIndex) || !LanguageModuleTable[CurrentLanguageIndex].found) {
        CurrentLanguageIndex = 0;
        while (!LanguageModuleTable[CurrentLanguageIndex].found)
            ++CurrentLanguageIndex;
    }
    return int(count);
}

int BindLanguageModule()
{
    CurrentLanguageIndex = LoadSelectedLanguage();
    if (FindLanguageModules() == 0 && Ask(VXT("Cannot Locate Language DLL\n\nDo you wish to continue ?")) != IDYES)
        return 0;

    wchar16 programVersion[kLanguageVersionUnits];
    LoadProgramString(kStrProgramVersion, programVersion, kLanguageVersionUnits);
    wchar16 moduleVersion[kLanguageVersionUnits] = {};
    {
        std::lock_guard<std::mutex> hold(BindingLock);
        if (!BoundModule)
            LoadLocked();
        if (BoundEntry && BoundEntry(kStrProgramVersion, moduleVersion, kLanguageVersionUnits) <= 0)
            moduleVersion[0] = 0;
        FreeLocked();
    }
    CopyText(LanguageModuleVersion, kLanguageVersionUnits, moduleVersion);
    if (!std::wcscmp(programVersion, moduleVersion))
        return 1;

    wchar16 programFile[32], question[256];
    _snwprintf(programFile, 31, L"%ls.exe", kProgramName);
    programFile[31] = 0;
    CharUpperW(programFile);
    _snwprintf(question, 255,
               L"VXNTLNG.DLL V%ls may not be compatible\n with %ls V%ls\n\nDo you wish to continue ?",
               moduleVersion, programFile, programVersion);
    question[255] = 0;
    return Ask(question) == IDYES ? 1 : 0;
}

int LoadProgramString(u32 id, wchar16* buffer, int capacity)
{
    // With a capacity of 0, LoadStringW would write a pointer into the buffer.
    if (!buffer || capacity < 1)
        return 0;
    buffer[0] = 0;
    return LoadStringW(OwnInstance(), id, buffer, capacity);
}

int LoadLanguageString(HINSTANCE instance, u32 id, wchar16* buffer, int capacity)
{
    if (!buffer || capacity < 1)
        return 0;
    buffer[0] = 0;
    {
        std::lock_guard<std::mutex> hold(BindingLock);
        if (BoundModule && BoundIndex != CurrentLanguageIndex)
            FreeLocked();
        if (!BoundModule)
            LoadLocked();
        if (BoundEntry) {
            const i32 length = BoundEntry(id, buffer, capacity);
            if (length > 0)
                return length;
        }
    }
    buffer[0] = 0;
    return LoadStringW(instance ? instance : OwnInstance(), id, buffer, capacity);
}

int FindFileInTree(wchar16* directory, const wchar16* name)
{
    if (!directory || !name)
        return 0;
    return FindInTree(directory, name, 0);
}

bool IsLanguageStringInRange(const wchar16* text, u32 firstId, u32 lastId)
{
    bool compared = false;
    for (u32 id = firstId; id <= lastId; ++id) {
        wchar16 candidate[128];
        if (LoadLanguageString(InstanceHandle, id, candidate, 128) <= 0)
            continue;
        if (lstrcmpiW(candidate, text) == 0)
            return true;
        compared = true;
    }
    return !compared;
}

namespace {
constexpr u32 kEnglishUk = 2057;

// Primary language (low 10 bits of a language id) -> language module index.
constexpr struct {
    u32 primaryLanguage;
    i32 index;
} kLanguageModuleByPrimary[] = {
    {12, 1},   // French
    {7, 2},    // German
    {10, 3},   // Spanish
    {16, 4},   // Italian
    {19, 5},   // Dutch
    {20, 6},   // Norwegian
    {29, 7},   // Swedish
    {6, 8},    // Danish
    {11, 9},   // Finnish
    {18, 10},  // Korean
};
}  // namespace

i32 LanguageIndexForLanguageId(u32 languageId)
{
    for (const auto& row : kLanguageModuleByPrimary)
        if (row.primaryLanguage == (languageId & 0x3FF))
            return row.index;
    return 0;
}

i32 LoadSelectedLanguage()
{
    const u32 savedRoot = SettingsRootIsUser();
    u32 languageId = kEnglishUk;
    for (u32 user = 0; user < 2; ++user) {
        SettingsSelectRoot(user);
        HKEY base = SettingsOpenBaseKey();
        // The machine-wide answer is both the current value and the default of the
        // per-user read, so an absent per-user value keeps it whatever KeepCurrentValues.
        languageId = SettingsReadDword(base, VXT("SelectedLanguage"), languageId, languageId);
        SettingsCloseKey(base);
    }
    SettingsSelectRoot(savedRoot);
    return LanguageIndexForLanguageId(languageId);
}
