// The language module seen from outside, as the terminal program and the wizard bind it.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "language/vxnteng.h"

#include "support/winepath.h"

namespace {

class LanguageModule : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        module = LoadLibraryW(WindowsPath(VX_MODULE_PATH).c_str());
        ASSERT_NE(module, nullptr) << "cannot load " << VX_MODULE_PATH;
        loadString = reinterpret_cast<VXWLoadStringProc>(Entry("VXWLoadString"));
        enquireVersion = reinterpret_cast<LangEnqVersProc>(Entry("LangEnqVers"));
        ASSERT_NE(loadString, nullptr);
        ASSERT_NE(enquireVersion, nullptr);
    }
    static void TearDownTestSuite() { FreeLibrary(module); }

    static void* Entry(const char* nameOrOrdinal)
    {
        return reinterpret_cast<void*>(GetProcAddress(module, nameOrOrdinal));
    }

    static std::wstring Load(uint32_t id, int capacity = 512)
    {
        std::vector<wchar_t> buffer(capacity + 1, L'#');
        const int32_t n = loadString(id, buffer.data(), capacity);
        return std::wstring(buffer.data(), n > 0 ? n : 0);
    }

    static inline HMODULE module = nullptr;
    static inline VXWLoadStringProc loadString = nullptr;
    static inline LangEnqVersProc enquireVersion = nullptr;
};

TEST_F(LanguageModule, ExportsResolveByNameAndByOrdinal)
{
    EXPECT_EQ(reinterpret_cast<void*>(loadString), Entry(MAKEINTRESOURCEA(1)));
    EXPECT_EQ(reinterpret_cast<void*>(enquireVersion), Entry(MAKEINTRESOURCEA(2)));
    EXPECT_EQ(Entry(MAKEINTRESOURCEA(3)), nullptr);
}

TEST_F(LanguageModule, LoadsTextsAndCutsThemToTheCapacity)
{
    wchar_t buffer[64];
    EXPECT_EQ(loadString(7100, buffer, 64), 13);
    EXPECT_STREQ(buffer, L"Out of Memory");

    for (auto& u : buffer)
        u = L'#';
    EXPECT_EQ(loadString(7100, buffer, 5), 4);
    EXPECT_STREQ(buffer, L"Out ");
    EXPECT_EQ(buffer[5], L'#');

    EXPECT_EQ(loadString(7100, buffer, 1), 0);
    EXPECT_EQ(buffer[0], 0);
}

TEST_F(LanguageModule, UnknownIdsAndUnusableBuffersGiveNothing)
{
    wchar_t buffer[16] = L"stale";
    EXPECT_EQ(loadString(7101, buffer, 16), 0);
    EXPECT_EQ(buffer[0], 0);
    EXPECT_EQ(loadString(65535, buffer, 16), 0);

    // A capacity below 1 must not make the platform store a pointer in the buffer.
    std::memcpy(buffer, L"untouched", sizeof L"untouched");
    EXPECT_EQ(loadString(7100, buffer, 0), 0);
    EXPECT_EQ(loadString(7100, buffer, -3), 0);
    EXPECT_STREQ(buffer, L"untouched");
    EXPECT_EQ(loadString(7100, nullptr, 16), 0);
}

TEST_F(LanguageModule, VersionEnquiryFillsVersionAndLanguageName)
{
    wchar_t version[16], language[32];
    LangVersionRecord record{version, language, 32, 16};
    EXPECT_EQ(enquireVersion(&record), 9);
    EXPECT_STREQ(version, L"1.6.1");
    EXPECT_STREQ(language, L"&Language");

    // Each buffer is cut to its own capacity.
    LangVersionRecord narrow{version, language, 3, 4};
    EXPECT_EQ(enquireVersion(&narrow), 2);
    EXPECT_STREQ(version, L"1.6");
    EXPECT_STREQ(language, L"&L");

    LangVersionRecord empty{version, language, 0, 0};
    EXPECT_EQ(enquireVersion(&empty), 0);
    EXPECT_EQ(enquireVersion(nullptr), 0);
}

TEST_F(LanguageModule, VersionResourceMatchesTheVersionString)
{
    wchar_t path[MAX_PATH];
    ASSERT_GT(GetModuleFileNameW(module, path, MAX_PATH), 0u);
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &handle);
    ASSERT_GT(size, 0u);
    std::vector<char> data(size);
    ASSERT_TRUE(GetFileVersionInfoW(path, 0, size, data.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, DWORD(MAKELONG(6, 1)));
    EXPECT_EQ(fixed->dwFileVersionLS, DWORD(MAKELONG(0, 1)));
    EXPECT_EQ(fixed->dwProductVersionMS, DWORD(MAKELONG(6, 1)));
    wchar_t* text = nullptr;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\StringFileInfo\\080904B0\\FileVersion",
                               reinterpret_cast<void**>(&text), &length));
    EXPECT_EQ(Load(kLanguageVersionStringId), std::wstring(text));
}

// Reads the reference list: one "id<TAB>text" per line, with \n, \t, \r and \\ escapes.
std::vector<std::pair<uint32_t, std::wstring>> ReadReferenceTexts()
{
    std::vector<std::pair<uint32_t, std::wstring>> rows;
    std::ifstream in(VX_STRINGS_PATH, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        const std::size_t tab = line.find('\t');
        if (tab == std::string::npos)
            continue;
        std::string raw;
        for (std::size_t i = tab + 1; i < line.size(); ++i) {
            if (line[i] == '\\' && i + 1 < line.size()) {
                const char e = line[++i];
                raw += e == 'n' ? '\n' : e == 't' ? '\t' : e == 'r' ? '\r' : e;
            } else {
                raw += line[i];
            }
        }
        const int units = MultiByteToWideChar(CP_UTF8, 0, raw.data(), int(raw.size()), nullptr, 0);
        std::wstring text(units, L'\0');
        MultiByteToWideChar(CP_UTF8, 0, raw.data(), int(raw.size()), text.data(), units);
        rows.emplace_back(uint32_t(std::stoul(line.substr(0, tab))), text);
    }
    return rows;
}

TEST_F(LanguageModule, EveryReferenceTextComesBackExactly)
{
    const auto rows = ReadReferenceTexts();
    ASSERT_GT(rows.size(), 1000u) << "reference list missing or unreadable: " << VX_STRINGS_PATH;
    int wrong = 0;
    for (const auto& [id, text] : rows) {
        std::vector<wchar_t> buffer(text.size() + 8, L'#');
        const int32_t n = loadString(id, buffer.data(), int32_t(buffer.size()));
        const std::wstring got(buffer.data(), n > 0 ? n : 0);
        if (got != text || n != int32_t(text.size())) {
            ADD_FAILURE() << "string " << id;
            ++wrong;
        }
    }
    EXPECT_EQ(wrong, 0);
}

}  // namespace
