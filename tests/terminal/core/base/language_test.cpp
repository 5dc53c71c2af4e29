// The language binding inside the program: where it finds the module, which texts come
// from the module and which from the program's own table.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "terminal/core/base/language.h"
#include "terminal/core/base/win32.h"
#include "terminal/core/base/registry.h"

#include "support/winepath.h"

namespace {

std::wstring ProgramDirectory()
{
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring s = path;
    return s.substr(0, s.rfind(L'\\') + 1);
}

// A fresh directory under the prefix's temporary folder, holding the given modules
// (file name in the directory, built module to copy).
class ModuleDirectory {
public:
    explicit ModuleDirectory(std::vector<std::pair<std::wstring, std::wstring>> modules = {})
    {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        static int serial = 0;
        path_ = std::wstring(temp) + L"vxlang" + std::to_wstring(GetCurrentProcessId()) + L"_" +
                std::to_wstring(++serial);
        CreateDirectoryW(path_.c_str(), nullptr);
        for (auto& [name, source] : modules) {
            EXPECT_TRUE(CopyFileW(source.c_str(), (path_ + L"\\" + name).c_str(), FALSE))
                << "copy " << source.size();
            files_.push_back(path_ + L"\\" + name);
        }
    }
    ~ModuleDirectory()
    {
        FreeLanguageModule();
        for (auto& f : files_)
            DeleteFileW(f.c_str());
        RemoveDirectoryW(path_.c_str());
    }
    const std::wstring& path() const { return path_; }

private:
    std::wstring path_;
    std::vector<std::wstring> files_;
};

const std::wstring English = WindowsPath(VX_MODULE_PATH);
const std::wstring OtherRelease = WindowsPath(VX_VARIANT_MODULE_PATH);

// Points the machine-wide WorkDir at `directory` (removes it for an empty one).
void SetWorkDir(const std::wstring& directory)
{
    SettingsSelectRoot(0);
    HKEY base = SettingsCreateBaseKey();
    ASSERT_NE(base, nullptr);
    SettingsWriteStringOrDelete(base, L"WorkDir", directory.c_str());
    SettingsCloseKey(base);
}

std::wstring Text(u32 id, int capacity = 256)
{
    std::vector<wchar16> buffer(capacity + 1, L'#');
    const int n = LoadLanguageString(nullptr, id, buffer.data(), capacity);
    EXPECT_EQ(n, int(std::wcslen(buffer.data()))) << "string " << id;
    return buffer.data();
}

class LanguageBinding : public ::testing::Test {
protected:
    void SetUp() override { CurrentLanguageIndex = 0; }
    void TearDown() override
    {
        FreeLanguageModule();
        SetWorkDir(L"");
        CurrentLanguageIndex = 0;
    }
};

TEST_F(LanguageBinding, TextsComeFromTheModuleAndFallBackToTheProgramTable)
{
    ModuleDirectory dir({{L"VXNTENG.DLL", English}});
    SetWorkDir(dir.path());
    EXPECT_EQ(FindLanguageModules(), 1);
    EXPECT_EQ(CurrentLanguageIndex, 0);
    EXPECT_EQ(LanguageModuleTable[0].found, 1u);

    EXPECT_EQ(Text(7100), L"Out of Memory");
    EXPECT_EQ(Text(7100, 5), L"Out ");
    EXPECT_EQ(Text(10108), L"vexaterm ");  // the module's text wins
    EXPECT_EQ(Text(11331), L"VT52");       // only the program has emulation names
    EXPECT_EQ(LoadProgramString(10108, nullptr, 8), 0);
    wchar16 own[32];
    EXPECT_EQ(LoadProgramString(10108, own, 32), 18);
    EXPECT_STREQ(own, L"Terminal Emulation");
    EXPECT_EQ(Text(7101), L"");  // in neither table

    wchar16 untouched[4] = L"abc";
    EXPECT_EQ(LoadLanguageString(nullptr, 7100, untouched, 0), 0);
    EXPECT_STREQ(untouched, L"abc");
}

TEST_F(LanguageBinding, WithoutAnyModuleTheProgramTableServes)
{
    ModuleDirectory empty;
    SetWorkDir(empty.path());
    EXPECT_EQ(FindLanguageModules(), 0);
    EXPECT_EQ(CurrentLanguageIndex, -1);
    EXPECT_EQ(FoundLanguageModuleCount, 0u);
    EXPECT_EQ(LoadLanguageModule(), nullptr);

    EXPECT_EQ(Text(10108), L"Terminal Emulation");
    EXPECT_EQ(Text(7100), L"Out of Memory");
    EXPECT_EQ(Text(7202), L"Connection Failed");
}

TEST_F(LanguageBinding, TheOnlyModuleFoundIsChosen)
{
    ModuleDirectory dir({{L"VXNTFRA.DLL", English}});
    SetWorkDir(dir.path());
    EXPECT_EQ(FindLanguageModules(), 1);
    EXPECT_EQ(CurrentLanguageIndex, 1);
    EXPECT_EQ(LanguageModuleTable[0].found, 0u);
    EXPECT_EQ(Text(7100), L"Out of Memory");
    EXPECT_NE(GetModuleHandleW(L"VXNTFRA.DLL"), nullptr);
}

TEST_F(LanguageBinding, ALanguageChangeBindsTheOtherModuleOnTheNextText)
{
    ModuleDirectory dir({{L"VXNTENG.DLL", English}, {L"VXNTDEU.DLL", OtherRelease}});
    SetWorkDir(dir.path());
    EXPECT_EQ(FindLanguageModules(), 2);
    EXPECT_EQ(Text(10100), L"1.6.1");
    CurrentLanguageIndex = 2;
    EXPECT_EQ(Text(10100), L"1.6.0");
    EXPECT_EQ(GetModuleHandleW(L"VXNTENG.DLL"), nullptr);  // the previous one is released
    CurrentLanguageIndex = 0;
    EXPECT_EQ(Text(10100), L"1.6.1");
    EXPECT_EQ(GetModuleHandleW(L"VXNTDEU.DLL"), nullptr);
}

TEST_F(LanguageBinding, WorkDirComesFirstThenTheProgramDirectory)
{
    wchar16 buffer[kLanguagePathUnits];
    SetWorkDir(L"");
    EXPECT_EQ(GetLanguageDirectory(buffer, 0), int(ProgramDirectory().size()));
    EXPECT_EQ(std::wstring(buffer), ProgramDirectory());
    SetWorkDir(L"C:\\lang");
    GetLanguageDirectory(buffer, 0);
    EXPECT_STREQ(buffer, L"C:\\lang");
    GetLanguageDirectory(buffer, 1);
    EXPECT_EQ(std::wstring(buffer), ProgramDirectory());

    // A WorkDir without modules falls back to the program's directory, which has none
    // here either; a module there alone would be found in the second pass.
    ModuleDirectory empty;
    SetWorkDir(empty.path());
    EXPECT_EQ(FindLanguageModules(), 0);
}

TEST(LanguageSelection, LanguageIdsPickTheirModule)
{
    struct Row {
        u32 languageId;
        i32 index;
    } rows[] = {{2057, 0}, {1033, 0}, {1036, 1}, {3084, 1}, {1031, 2},  {1034, 3}, {1040, 4}, {1043, 5},
                {1044, 6}, {1053, 7}, {1030, 8}, {1035, 9}, {1042, 10}, {1049, 0}, {0, 0}};
    for (const Row& r : rows)
        EXPECT_EQ(LanguageIndexForLanguageId(r.languageId), r.index) << r.languageId;
}

TEST(LanguageSelection, UserChoiceOverridesTheMachineOne)
{
    auto write = [](u32 user, u32 id) {
        SettingsSelectRoot(user);
        HKEY base = SettingsCreateBaseKey();
        ASSERT_NE(base, nullptr);
        if (id)
            SettingsWriteDword(base, L"SelectedLanguage", id);
        else
            SettingsDeleteValue(base, L"SelectedLanguage");
        SettingsCloseKey(base);
    };
    write(0, 0);
    write(1, 0);
    SettingsSelectRoot(1);
    EXPECT_EQ(LoadSelectedLanguage(), 0);
    EXPECT_EQ(SettingsRootIsUser(), 1u);  // the caller's root is kept
    write(0, 1031);
    EXPECT_EQ(LoadSelectedLanguage(), 2);
    write(1, 1036);
    EXPECT_EQ(LoadSelectedLanguage(), 1);
    write(0, 0);
    write(1, 0);
    SettingsSelectRoot(0);
}

// A directory tree in the temporary folder, removed afterwards.
class Tree {
public:
    Tree()
    {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        root_ = std::wstring(temp) + L"vxtree" + std::to_wstring(GetCurrentProcessId());
        Make(root_);
    }
    ~Tree()
    {
        for (auto it = made_.rbegin(); it != made_.rend(); ++it)
            if (!DeleteFileW(it->c_str()))
                RemoveDirectoryW(it->c_str());
    }
    std::wstring Dir(const std::wstring& relative)
    {
        std::wstring path = root_;
        std::size_t start = 0;
        while (start < relative.size()) {
            const std::size_t end = relative.find(L'\\', start);
            path += L"\\" + relative.substr(start, end - start);
            Make(path);
            start = end == std::wstring::npos ? relative.size() : end + 1;
        }
        return path;
    }
    std::wstring File(const std::wstring& relativeDir, const std::wstring& name)
    {
        const std::wstring path = (relativeDir.empty() ? root_ : Dir(relativeDir)) + L"\\" + name;
        HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        CloseHandle(h);
        made_.push_back(path);
        return path;
    }
    const std::wstring& root() const { return root_; }

private:
    void Make(const std::wstring& path)
    {
        if (CreateDirectoryW(path.c_str(), nullptr))
            made_.push_back(path);
    }
    std::wstring root_;
    std::vector<std::wstring> made_;
};

int Find(const std::wstring& directory, const std::wstring& name, std::wstring* result = nullptr)
{
    wchar16 buffer[kLanguagePathUnits] = {};
    wcsncpy(buffer, directory.c_str(), kLanguagePathUnits - 1);
    const int found = FindFileInTree(buffer, name.c_str());
    if (result)
        *result = buffer;
    return found;
}

TEST(FileSearch, FindsTheFirstMatchDepthFirst)
{
    Tree tree;
    tree.Dir(L"a\\empty");
    const std::wstring deep = tree.File(L"a\\b", L"IBM00037.S2U");
    std::wstring result;
    EXPECT_EQ(Find(tree.root(), L"IBM00037.S2U", &result), 1);
    EXPECT_EQ(result, deep);
    EXPECT_EQ(Find(tree.root() + L"\\", L"IBM00037.S2U", &result), 1);  // a final "\" is kept single
    EXPECT_EQ(result, deep);

    const std::wstring top = tree.File(L"", L"IBM00037.S2U");
    EXPECT_EQ(Find(tree.root(), L"IBM00037.S2U", &result), 1);
    EXPECT_EQ(result, top);

    EXPECT_EQ(Find(tree.root(), L"IBM01140.S2U", &result), 0);
    EXPECT_EQ(result, tree.root());
}

TEST(FileSearch, OverlongPathsAndDeepTreesEndTheSearch)
{
    Tree tree;
    const std::wstring name(40, L'n');
    const std::wstring longDir(kLanguagePathUnits - 30, L'd');
    EXPECT_EQ(Find(L"C:\\" + longDir, name), 0);

    // A tree deeper than the search goes: the file below the limit is never reached,
    // one within it is.
    std::wstring chain;
    for (int level = 0; level < kTreeSearchDepth + 2; ++level)
        chain += (level ? L"\\" : L"") + std::wstring(1, wchar_t(L'a' + level));
    tree.File(chain, L"deep.txt");
    EXPECT_EQ(Find(tree.root(), L"deep.txt"), 0);
    tree.File(chain.substr(0, 2 * kTreeSearchDepth - 1), L"reachable.txt");
    EXPECT_EQ(Find(tree.root(), L"reachable.txt"), 1);
}

}  // namespace
