// ".bmp" files from disk into device bitmaps: the pixels a user drew come back, a file
// longer than one read piece is read whole, and a bad file is named to the user and
// gives no bitmap.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "terminal/core/window/frame_support.h"
#include "terminal/core/base/memblock.h"
#include "terminal/input/bars/bitmapload.h"
#include "bmpwriter.h"

namespace {

using bmp_test::BitmapFileBytes;
using bmp_test::Colour;
using frame_test::MessageBoxAnswerer;

class BitmapLoad : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame_test::UseEnglishModule();
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        dir_ = std::wstring(temp) + L"vx_bitmaps_" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(dir_.c_str(), nullptr);
    }

    std::wstring Write(const wchar_t* name, const std::vector<u8>& bytes)
    {
        return bmp_test::WriteBytes(dir_, name, bytes);
    }

    std::wstring dir_;
};

// The bitmap's pixels, top row first, as colours.
std::vector<COLORREF> Pixels(HBITMAP bitmap, int width, int height)
{
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<u32> raw(static_cast<std::size_t>(width * height));
    HDC dc = GetDC(nullptr);
    GetDIBits(dc, bitmap, 0, height, raw.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    std::vector<COLORREF> out;
    for (u32 p : raw)
        out.push_back(RGB(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF));
    return out;
}

TEST_F(BitmapLoad, DrawnFilesComeBackPixelForPixel)
{
    MessageBoxAnswerer answers;
    struct Case {
        const wchar_t* name;
        int width, height, bits;
    };
    // 120 x 100 at 24 bits is 36,000 bytes of pixels: more than one read piece.
    for (const Case& c :
         {Case{L"small24.bmp", 5, 3, 24}, Case{L"palette8.bmp", 9, 4, 8}, Case{L"large24.bmp", 120, 100, 24}}) {
        HBITMAP bitmap = LoadBitmapFile(Write(c.name, BitmapFileBytes(c.width, c.height, c.bits)).c_str());
        ASSERT_NE(bitmap, nullptr) << c.name;
        BITMAP b{};
        GetObjectW(bitmap, sizeof b, &b);
        EXPECT_EQ(b.bmWidth, c.width);
        EXPECT_EQ(b.bmHeight, c.height);
        const std::vector<COLORREF> pixels = Pixels(bitmap, c.width, c.height);
        int wrong = 0;
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x)
                wrong += pixels[y * c.width + x] != Colour(x, y, c.bits);
        EXPECT_EQ(wrong, 0) << c.name;
        DeleteObject(bitmap);
    }
    EXPECT_TRUE(answers.Texts().empty());
}

TEST_F(BitmapLoad, BadFilesAreNamedAndGiveNoBitmap)
{
    std::vector<u8> shortBits = BitmapFileBytes(5, 3, 24);
    shortBits.resize(shortBits.size() - 2);  // its total size now lies beyond the file
    std::vector<u8> noBits = BitmapFileBytes(5, 3, 24);
    noBits[2] = 14 + 40, noBits[3] = 0;  // the total covers the header only
    std::vector<u8> sixteen = BitmapFileBytes(5, 3, 24);
    sixteen[14 + 14] = 16;  // 16 bits and no colour count
    const int live = MemTableInfo().liveBlocks;
    for (const std::wstring& path :
         {dir_ + L"\\missing.bmp", Write(L"short.bmp", shortBits), Write(L"nobits.bmp", noBits),
          Write(L"sixteen.bmp", sixteen), Write(L"text.bmp", {'h', 'e', 'l', 'l', 'o'})}) {
        MessageBoxAnswerer answers;
        EXPECT_EQ(LoadBitmapFile(path.c_str()), nullptr);
        ASSERT_EQ(answers.Texts().size(), 1u);
        EXPECT_EQ(answers.Texts()[0], path + L" is not a valid Bitmap File.");
    }
    EXPECT_EQ(MemTableInfo().liveBlocks, live);
}

// The program carries every picture the bars name, at the sizes their layout assumes.
TEST(ProgramPictures, EveryNamedPictureIsAResourceOfItsSize)
{
    struct Case {
        const wchar_t* name;
        int width, height;
    };
    std::vector<Case> cases = {{L"Sbup", 26, 22}, {L"Sbdn", 26, 22},   {L"Mbup", 41, 22},  {L"Mbdn", 41, 22},
                               {L"Lbup", 56, 22}, {L"Lbdn", 56, 22},   {L"combo", 17, 17}, {L"scup", 17, 17},
                               {L"scdn", 17, 17}, {L"mcombo", 21, 21}, {L"mcup", 21, 21},  {L"mcdn", 21, 21}};
    for (const wchar_t* image : {L"Connect", L"Open",    L"Save",   L"Copy",  L"Paste", L"Prints", L"Print",
                                 L"Colour",  L"keybrd",  L"Button", L"Mouse", L"tools", L"help",   L"Reset",
                                 L"Clear",   L"capture", L"replay", L"cube",  L"smile", L"hand",   L"sblank"})
        cases.push_back({image, 21, 17});
    for (const Case& c : cases) {
        HBITMAP bitmap = LoadBitmapW(GetModuleHandleW(nullptr), c.name);
        ASSERT_NE(bitmap, nullptr) << c.name;
        BITMAP b{};
        GetObjectW(bitmap, sizeof b, &b);
        EXPECT_EQ(b.bmWidth, c.width) << c.name;
        EXPECT_EQ(b.bmHeight, c.height) << c.name;
        DeleteObject(bitmap);
    }
    HICON icon = static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(700), IMAGE_ICON, 16, 16, 0));
    EXPECT_NE(icon, nullptr);
    DestroyIcon(icon);
}

}  // namespace
