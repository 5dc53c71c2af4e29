// Code-page tables: the built-in 037 tables and the files the generator writes, against
// glibc's iconv; the checks that keep damaged files from being read past their end; the
// CCSID lists.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "terminal/core/screen/codepages.h"
#include "terminal/core/base/memblock.h"

#ifndef _WIN32
#include "terminal/core/iconvpeer.h"
#endif

namespace {

u16 ToUnicode(const u8* table, u8 byte)
{
    u16 c = 0;
    CodePageByteToUnicode(table, &c, byte);
    return c;
}

u8 ToByte(const u8* table, u16 c)
{
    u8 b = 0;
    CodePageUnicodeToByte(table, &b, c);
    return b;
}

TEST(CodePages, BuiltinTablesAreCodePage037BothWays)
{
    const u8* s2u = BuiltinByteToUnicodeTable();
    const u8* u2s = BuiltinUnicodeToByteTable();
    ASSERT_TRUE(IsValidUnicodeToByteTable(u2s, kBuiltinUnicodeToByteBytes));
    EXPECT_EQ(ToUnicode(s2u, 0xC1), u'A');
    EXPECT_EQ(ToUnicode(s2u, 0x4A), 0x00A2);
    EXPECT_EQ(ToUnicode(s2u, 0x5F), 0x00AC);
    u16 viaEbcdic = 0;
    EbcdicByteToUnicode(&viaEbcdic, 0xF0);
    EXPECT_EQ(viaEbcdic, u'0');
    for (int b = 0; b < 256; ++b) {
        const u16 c = ToUnicode(s2u, static_cast<u8>(b));
        // The new-line order's character goes back as a carriage return.
        EXPECT_EQ(ToByte(u2s, c), c == 0x008E ? 13 : b) << "byte " << b;
    }
    EXPECT_EQ(ToByte(u2s, 0x20AC), 63);  // no euro in 037
    EXPECT_EQ(ToByte(u2s, 0xFF21), 63);  // own page, nothing on it
    EXPECT_EQ(ToByte(u2s, 0x4E00), 63);  // shared page of SUB
    EXPECT_EQ(ToByte(nullptr, u'A'), 63);
    EXPECT_EQ(ToUnicode(nullptr, 0xC1), 26);
}

TEST(CodePages, BytesToUnicodeBlanksUnmappedBytes)
{
    const u8 bytes[] = {0xC8, 0x3F, 0x85};
    u16 out[3];
    CodePageBytesToUnicode(BuiltinByteToUnicodeTable(), out, bytes, 3);
    EXPECT_EQ(out[0], u'H');
    EXPECT_EQ(out[1], u' ');
    EXPECT_EQ(out[2], u'e');
    CodePageBytesToUnicode(nullptr, out, bytes, 3);
    EXPECT_EQ(out[0], u' ');
}

#ifndef _WIN32
std::vector<u8> ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<u8>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(CodePages, GeneratedFilesConvertAsIconvDoesAndBack)
{
    struct Page {
        int ccsid;
        const char* iconvName;
    };
    for (const Page& page : {Page{37, "IBM037"}, Page{273, "IBM273"}, Page{500, "IBM500"}, Page{1141, "IBM1141"},
                             Page{1148, "IBM1148"}}) {
        char name[64];
        std::snprintf(name, sizeof name, "%s/IBM%05d.", VX_TEST_CODEPAGE_DIR, page.ccsid);
        const std::vector<u8> s2u = ReadFile(std::string(name) + "S2U");
        const std::vector<u8> u2s = ReadFile(std::string(name) + "U2S");
        ASSERT_TRUE(IsValidByteToUnicodeTable(s2u.data(), s2u.size())) << page.ccsid;
        ASSERT_TRUE(IsValidUnicodeToByteTable(u2s.data(), u2s.size())) << page.ccsid;
        Iconv decode("UTF-16LE", page.iconvName), encode(page.iconvName, "UTF-16LE");
        ASSERT_TRUE(decode.ok() && encode.ok());
        for (int b = 0; b < 256; ++b) {
            const auto expected = PeerDecode(decode, static_cast<u8>(b));
            ASSERT_TRUE(expected.has_value());
            EXPECT_EQ(ToUnicode(s2u.data(), static_cast<u8>(b)), *expected) << page.ccsid << " byte " << b;
            EXPECT_EQ(ToByte(u2s.data(), *expected), b) << page.ccsid << " byte " << b;
        }
        for (u32 c = 0; c < 0x10000; ++c) {
            if (c >= 0xD800 && c <= 0xDFFF)
                continue;
            const auto expected = PeerEncode(encode, static_cast<u16>(c));
            ASSERT_EQ(ToByte(u2s.data(), static_cast<u16>(c)), expected.value_or(63)) << page.ccsid << " U+" << c;
        }
    }
}
#endif

TEST(CodePages, DamagedTablesAreRefused)
{
    std::vector<u8> s2u(512, 0x40);
    EXPECT_TRUE(IsValidByteToUnicodeTable(s2u.data(), 512));
    for (std::size_t size : {0u, 1u, 511u, 513u, 1024u})
        EXPECT_FALSE(IsValidByteToUnicodeTable(s2u.data(), size)) << size;

    // An index naming pages 0 and 1 only needs 512 bytes; naming page 2 needs 768.
    std::vector<u8> u2s(768, 1);
    u2s[0x20] = 0;
    EXPECT_TRUE(IsValidUnicodeToByteTable(u2s.data(), 512));
    u2s[0x41] = 2;
    EXPECT_FALSE(IsValidUnicodeToByteTable(u2s.data(), 767));
    EXPECT_TRUE(IsValidUnicodeToByteTable(u2s.data(), 768));
    u2s[0xFF] = 255;
    EXPECT_FALSE(IsValidUnicodeToByteTable(u2s.data(), 768));
    std::vector<u8> full(kUnicodeToByteMaxBytes, 255);
    EXPECT_TRUE(IsValidUnicodeToByteTable(full.data(), full.size()));
    EXPECT_EQ(ToByte(full.data(), 0xFFFF), 255);
    full.push_back(0);
    EXPECT_FALSE(IsValidUnicodeToByteTable(full.data(), full.size()));
    for (std::size_t size : {0u, 255u})
        EXPECT_FALSE(IsValidUnicodeToByteTable(u2s.data(), size)) << size;
    EXPECT_FALSE(IsValidUnicodeToByteTable(nullptr, 512));

    for (long ccsid : {0L, -37L, 65536L, 99999L})
        EXPECT_FALSE(IsValidCcsid(ccsid)) << ccsid;
    for (long ccsid : {1L, 37L, 65535L})
        EXPECT_TRUE(IsValidCcsid(ccsid)) << ccsid;
}

TEST(CodePages, FileNamesGiveTheirCcsid)
{
    struct Case {
        const char16_t* name;
        long ccsid;
    };
    const Case cases[] = {
        {u"IBM00037.S2U", 37},     {u"ibm01141.u2s", 1141}, {u"IBM65535.S2U", 65535}, {u"IBM99999.S2U", -1},
        {u"IBM00000.S2U", -1},     {u"IBM.S2U", -1},        {u"IBMX37.S2U", -1},      {u"IBM00037", -1},
        {u"IBM00273.OLD.S2U", -1}, {u"IBM 0500.U2S", -1},   {u"XIBMM00285.S2U", 285}, {u"IBM-0037.S2U", -1},
        {u"IBM500.S2U", -1},       {u"IBM000037.S2U", -1},
    };
    for (const Case& c : cases) {
#ifdef _WIN32
        const std::wstring name(c.name, c.name + std::char_traits<char16_t>::length(c.name));
        EXPECT_EQ(CodePageNumberFromFileName(name.c_str()), c.ccsid);
#else
        EXPECT_EQ(CodePageNumberFromFileName(c.name), c.ccsid);
#endif
    }
}

TEST(CodePages, ListsIntersectAndSearch)
{
    auto block = [](std::initializer_list<u16> numbers) {
        auto* list = static_cast<u16*>(MemAllocBlock(numbers.size() * sizeof(u16) + 2));
        std::copy(numbers.begin(), numbers.end(), list);
        return list;
    };
    const int liveBefore = MemTableInfo().liveBlocks;
    u16 a[] = {37, 273, 277, 500, 1141};
    const int n = IntersectCodePageLists(a, 5, block({37, 500, 1141, 1148}), 4);
    ASSERT_EQ(n, 3);
    EXPECT_EQ(a[0], 37);
    EXPECT_EQ(a[1], 500);
    EXPECT_EQ(a[2], 1141);
    u16 b[] = {37, 273};
    EXPECT_EQ(IntersectCodePageLists(b, 2, block({}), 0), 0);
    u16 c[] = {1148};
    EXPECT_EQ(IntersectCodePageLists(c, 1, block({37, 500}), 2), 0);
    EXPECT_EQ(MemTableInfo().liveBlocks, liveBefore);  // every second list was freed

    EXPECT_EQ(SortedListContains(500, 3, a), 1);
    EXPECT_EQ(SortedListContains(273, 3, a), 0);
    EXPECT_EQ(SortedListContains(9999, 3, a), 0);
    EXPECT_EQ(SortedListContains(37, 0, a), 0);
    u16 unsorted[] = {1148, 37, 500};
    SortCodePageList(unsorted, 3);
    EXPECT_EQ(unsorted[0], 37);
    EXPECT_EQ(unsorted[2], 1148);
    EXPECT_LT(CompareCodePageNumbers(37, 65535), 0);
}

}  // namespace
