// Code-page files on real directories: which CCSIDs are listed, where files are found,
// and what a missing or damaged file gives.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <string>
#include <vector>

#include "terminal/core/window/frame_support.h"
#include "support/winepath.h"
#include "terminal/core/screen/codepagefiles.h"
#include "terminal/core/screen/codepages.h"
#include "terminal/core/base/memblock.h"

namespace {

using frame_test::MessageBoxAnswerer;

std::vector<u8> ReadBytes(const std::wstring& path)
{
    std::vector<u8> bytes;
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return bytes;
    bytes.resize(GetFileSize(f, nullptr));
    DWORD read = 0;
    ReadFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(f);
    bytes.resize(read);
    return bytes;
}

void WriteBytes(const std::wstring& path, const std::vector<u8>& bytes)
{
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(f);
}

std::wstring Generated(const wchar_t* name)
{
    return WindowsPath(VX_TEST_CODEPAGE_DIR) + L"\\" + name;
}

// A fresh directory under the temporary directory, made the code-page directory.
class CodePageDirectoryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        root_ = std::wstring(temp) + L"vx_codepages_" + std::to_wstring(GetTickCount()) + L"_" +
                std::to_wstring(++serial_);
        CreateDirectoryW(root_.c_str(), nullptr);
        const std::wstring directory = root_ + L"\\";
        lstrcpynW(CodePageDirectory, directory.c_str(), kCodePagePathUnits);
        frame_test::UseEnglishModule();
    }
    void TearDown() override { RemoveTree(root_); }

    std::wstring Dir(const std::wstring& sub = L"")
    {
        const std::wstring path = sub.empty() ? root_ : root_ + L"\\" + sub;
        CreateDirectoryW(path.c_str(), nullptr);
        return path;
    }
    void Copy(const wchar_t* generated, const std::wstring& to)
    {
        WriteBytes(to, ReadBytes(Generated(generated)));
    }
    std::vector<u16> List(const wchar_t* section)
    {
        u16* list = nullptr;
        const int n = ListCodePageFiles(nullptr, section, &list);
        std::vector<u16> numbers(list, list + (n > 0 ? n : 0));
        MemFreeBlock(list);
        return numbers;
    }
    std::vector<u16> Available()
    {
        u16* list = nullptr;
        const int n = ListAvailableCodePages(&list);
        std::vector<u16> numbers(list, list + (n > 0 ? n : 0));
        MemFreeBlock(list);
        return numbers;
    }

private:
    static void RemoveTree(const std::wstring& path)
    {
        WIN32_FIND_DATAW entry;
        HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &entry);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = entry.cFileName;
                if (name == L"." || name == L"..")
                    continue;
                if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    RemoveTree(path + L"\\" + name);
                else
                    DeleteFileW((path + L"\\" + name).c_str());
            } while (FindNextFileW(find, &entry));
            FindClose(find);
        }
        RemoveDirectoryW(path.c_str());
    }
    std::wstring root_;
    static inline int serial_ = 0;
};

TEST_F(CodePageDirectoryTest, ACcsidIsAvailableOnlyWithBothTables)
{
    Copy(L"IBM00037.S2U", Dir() + L"\\IBM00037.S2U");
    Copy(L"IBM00037.U2S", Dir() + L"\\IBM00037.U2S");
    Copy(L"IBM00273.S2U", Dir() + L"\\IBM00273.S2U");
    Copy(L"IBM01141.U2S", Dir() + L"\\ibm01141.u2s");
    WriteBytes(Dir() + L"\\IBM99999.S2U", std::vector<u8>(512));  // no CCSID: never listed
    Dir(L"IBM00500.S2U");                                         // a directory is no file
    EXPECT_EQ(List(L"S2U"), (std::vector<u16>{37, 273}));
    EXPECT_EQ(List(L"U2S"), (std::vector<u16>{37, 1141}));
    EXPECT_EQ(Available(), (std::vector<u16>{37}));
}

TEST_F(CodePageDirectoryTest, FilesOnlyBelowTheDirectoryAreFoundThere)
{
    Dir(L"empty");
    Copy(L"IBM00500.S2U", Dir(L"pages") + L"\\IBM00500.S2U");
    Copy(L"IBM00500.U2S", Dir(L"pages") + L"\\IBM00500.U2S");
    EXPECT_EQ(Available(), (std::vector<u16>{500}));
    MessageBoxAnswerer answers;
    u8* table = LoadByteToUnicodeTable(500);
    ASSERT_NE(table, nullptr);
    u16 c = 0;
    CodePageByteToUnicode(table, &c, 0x4A);
    EXPECT_EQ(c, 0x005B);  // "[" in 500, the cent sign in 037
    MemFreeBlock(table);
    EXPECT_TRUE(answers.Texts().empty());
}

TEST_F(CodePageDirectoryTest, RealTablesLoadAsWrittenAndConvertBothWays)
{
    for (const wchar_t* name : {L"IBM00273.S2U", L"IBM00273.U2S", L"IBM01141.S2U", L"IBM01141.U2S"})
        Copy(name, Dir() + L"\\" + name);
    MessageBoxAnswerer answers;
    struct Probe {
        long ccsid;
        u8 byte;
        u16 character;
    };
    for (const Probe& p : {Probe{273, 0x4A, 0x00C4}, Probe{273, 0x7C, 0x00A7}, Probe{1141, 0x9F, 0x20AC},
                           Probe{1141, 0xC1, u'A'}}) {
        u8* s2u = LoadByteToUnicodeTable(p.ccsid);
        u8* u2s = LoadUnicodeToByteTable(p.ccsid);
        ASSERT_TRUE(s2u && u2s);
        wchar_t name[16];
        wsprintfW(name, L"IBM%05d.S2U", static_cast<int>(p.ccsid));
        const std::vector<u8> file = ReadBytes(Dir() + L"\\" + name);
        EXPECT_EQ(std::vector<u8>(s2u, s2u + 512), file);
        u16 c = 0;
        u8 b = 0;
        CodePageByteToUnicode(s2u, &c, p.byte);
        CodePageUnicodeToByte(u2s, &b, p.character);
        EXPECT_EQ(c, p.character) << p.ccsid;
        EXPECT_EQ(b, p.byte) << p.ccsid;
        MemFreeBlock(s2u);
        MemFreeBlock(u2s);
    }
    EXPECT_TRUE(answers.Texts().empty());
}

TEST_F(CodePageDirectoryTest, MissingOrDamagedFilesGiveTheBuiltInTableAndSaySo)
{
    const std::vector<u8> good = ReadBytes(Generated(L"IBM00273.U2S"));
    std::vector<u8> pastTheEnd = good;
    pastTheEnd[0x20] = static_cast<u8>(good.size() / 256);  // names the page after the last
    struct Case {
        const wchar_t* file;
        std::vector<u8> bytes;
        long ccsid;
        const wchar_t* section;
        const wchar_t* shown;
    };
    const Case cases[] = {
        {L"IBM00273.S2U", std::vector<u8>(511, 0x40), 273, L"S2U", L"IBM00273.S2U"},
        {L"IBM00273.S2U", std::vector<u8>(513, 0x40), 273, L"S2U", L"IBM00273.S2U"},
        {L"IBM00273.S2U", {}, 273, L"S2U", L"IBM00273.S2U"},
        {L"IBM00273.U2S", std::vector<u8>(good.begin(), good.begin() + 255), 273, L"U2S", L"IBM00273.U2S"},
        {L"IBM00273.U2S", pastTheEnd, 273, L"U2S", L"IBM00273.U2S"},
        {L"IBM00273.U2S", {}, 273, L"U2S", L"IBM00273.U2S"},
        {nullptr, {}, 277, L"S2U", L"IBM00277.S2U"},
        {nullptr, {}, 0, L"S2U", L"IBM0.S2U"},
        {nullptr, {}, 99999, L"U2S", L"IBM99999.U2S"},
    };
    for (const Case& c : cases) {
        if (c.file)
            WriteBytes(Dir() + L"\\" + c.file, c.bytes);
        const bool s2u = c.section == std::wstring(L"S2U");
        u8* table = nullptr;
        std::vector<std::wstring> texts;
        {
            MessageBoxAnswerer answers;
            table = s2u ? LoadByteToUnicodeTable(c.ccsid) : LoadUnicodeToByteTable(c.ccsid);
            texts = answers.Texts();
        }
        ASSERT_NE(table, nullptr) << c.shown;
        const u8* builtin = s2u ? BuiltinByteToUnicodeTable() : BuiltinUnicodeToByteTable();
        const std::size_t size = s2u ? kByteToUnicodeTableBytes : kBuiltinUnicodeToByteBytes;
        EXPECT_EQ(std::vector<u8>(table, table + size), std::vector<u8>(builtin, builtin + size)) << c.shown;
        ASSERT_EQ(texts.size(), 1u) << c.shown;
        EXPECT_EQ(texts[0], std::wstring(L"Cannot Find Font ") + c.shown);
        MemFreeBlock(table);
        if (c.file)
            DeleteFileW((Dir() + L"\\" + c.file).c_str());
    }
}

TEST_F(CodePageDirectoryTest, NoFilesListNothing)
{
    Dir(L"sub");
    EXPECT_TRUE(List(L"S2U").empty());
    EXPECT_TRUE(Available().empty());
}

}  // namespace
