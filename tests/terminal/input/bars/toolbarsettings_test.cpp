// The "Toolbar" section of a real profile: what a fresh profile, a damaged one and one
// with pictures from files give, and what saving leaves behind.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <string>
#include <vector>

#include "terminal/core/base/handles.h"
#include "terminal/core/window/frame_support.h"
#include "terminal/input/dialogs/toolbaredit.h"
#include "terminal/input/bars/toolbars.h"
#include "terminal/input/bars/toolbarstate.h"
#include "terminal/core/base/registry.h"

namespace {

constexpr wchar_t kProfile[] = L"ToolbarTest";
const std::wstring kSection = std::wstring(frame_test::kBase) + L"\\Profiles\\ToolbarTest\\Toolbar";

void PutBinary(const std::wstring& path, const wchar_t* name, std::vector<u16> units)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, name, 0, REG_BINARY, reinterpret_cast<const BYTE*>(units.data()),
                   static_cast<DWORD>(units.size() * 2));
    RegCloseKey(key);
}

std::vector<u16> GetBinary(const std::wstring& path, const wchar_t* name)
{
    std::vector<u16> units(16);
    DWORD size = static_cast<DWORD>(units.size() * 2), type = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name, RRF_RT_REG_BINARY, &type, units.data(), &size) !=
        ERROR_SUCCESS)
        return {};
    units.resize(size / 2);
    return units;
}

// A 21 x 17 24-bit picture file in the temporary directory.
std::wstring PictureFile(const wchar_t* name)
{
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    const std::wstring path = std::wstring(dir) + name;
    const int width = 21, height = 17, row = (width * 3 + 3) / 4 * 4;
    std::vector<u8> f;
    auto put = [&f](u32 v, int n) {
        for (int i = 0; i < n; ++i)
            f.push_back(static_cast<u8>(v >> (8 * i)));
    };
    put('B' | 'M' << 8, 2), put(54 + row * height, 4), put(0, 4), put(54, 4);
    put(40, 4), put(width, 4), put(height, 4), put(1, 2), put(24, 2), put(0, 4), put(row * height, 4);
    put(0, 4), put(0, 4), put(0, 4), put(0, 4);
    f.resize(f.size() + static_cast<std::size_t>(row * height), 0x80);
    std::ofstream(std::string(path.begin(), path.end()), std::ios::binary)
        .write(reinterpret_cast<const char*>(f.data()), static_cast<std::streamsize>(f.size()));
    return path;
}

class ToolbarSettings : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstanceHandle = GetModuleHandleW(nullptr);
        frame_test::ClearSettings();
        SettingsSelectRoot(1);
        KeepCurrentValues = 0;
        InitToolbarButtons(GetDesktopWindow());
    }
    void TearDown() override
    {
        DestroyToolbarResources();
        frame_test::ClearSettings();
    }
    void Load()
    {
        KeepCurrentValues = 0;
        LoadToolbarSettings(kProfile);
    }
};

TEST_F(ToolbarSettings, FreshProfileGivesTheFactoryBarWithEveryPicture)
{
    Load();
    EXPECT_EQ(Bars.type, kToolbarAttached);
    EXPECT_EQ(Toolbar.buttonCount, kFactoryButtonCount);
    EXPECT_EQ(Toolbar.imageCount, kFactoryImageCount);
    for (int i = 0; i < kFactoryImageCount; ++i)
        EXPECT_NE(Toolbar.images[i].bitmap, nullptr) << i;
    EXPECT_EQ(Toolbar.fileImageCount, 0);
    // The faces are measured from the program's pictures.
    EXPECT_EQ(ToolbarFaces.small.cx, 26);
    EXPECT_EQ(ToolbarFaces.medium.cx, 41);
    EXPECT_EQ(ToolbarFaces.large.cx, 56);
    EXPECT_EQ(ToolbarFaces.small.cy, 22);
    EXPECT_EQ(Bars.attachedRect.bottom - Bars.attachedRect.top, 24);

    SaveToolbarSettings(kProfile);
    DWORD type = 0;
    EXPECT_FALSE(frame_test::ReadDword(HKEY_CURRENT_USER, kSection, L"Type", &type)) << "Type 1 is not written";
    EXPECT_EQ(GetBinary(kSection, L"Floating").size(), 4u);
    EXPECT_FALSE(frame_test::KeyExists(HKEY_CURRENT_USER, kSection + L"\\Defns"))
        << "factory buttons are not saved";
}

TEST_F(ToolbarSettings, StoredTypeAndEmptyDefns)
{
    const struct {
        DWORD stored;
        u32 type;
    } cases[] = {{0, kToolbarNone}, {2, kToolbarFloating}, {3, kToolbarAttached}};
    for (const auto& c : cases) {
        frame_test::SetDword(HKEY_CURRENT_USER, kSection, L"Type", c.stored);
        Load();
        EXPECT_EQ(Bars.type, c.type) << c.stored;
    }
    frame_test::SetDword(HKEY_CURRENT_USER, kSection + L"\\Defns", L"unused", 0);
    Load();
    EXPECT_EQ(Toolbar.buttonCount, 0) << "an empty Defns shows no buttons";
}

TEST_F(ToolbarSettings, FloatingBarSavedOffScreenComesBackOntoTheWorkArea)
{
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    PutBinary(kSection, L"Floating", {static_cast<u16>(-50), 40, 72, 165});
    Load();
    EXPECT_EQ(Bars.floatingRect.left, work.left);
    EXPECT_EQ(Bars.floatingRect.top, 40);
    EXPECT_EQ(Bars.floatingRect.right - Bars.floatingRect.left, 122);
    EXPECT_EQ(Bars.floatingRect.bottom - Bars.floatingRect.top, 125);
}

TEST_F(ToolbarSettings, EditedButtonsAndFilePicturesSurviveASave)
{
    const std::wstring file = PictureFile(L"tbship.bmp");
    Load();
    ASSERT_TRUE(LoadToolbarImage(Toolbar, 21, file.c_str()));
    Toolbar.fileImageCount = CountFileImages(Toolbar);
    SetToolbarButton(Toolbar, 13, 6, ToolbarRect{58, 74, 84, 96}, 21, 0, L"ls^M");
    Bars.type = kToolbarFloating;
    SaveToolbarSettings(kProfile);

    DWORD index = 0;
    EXPECT_TRUE(frame_test::ReadDword(HKEY_CURRENT_USER, kSection + L"\\Buttons", file.c_str(), &index));
    EXPECT_EQ(index, 21u);
    EXPECT_EQ(GetBinary(kSection + L"\\Defns", L"13"), (std::vector<u16>{6, 58, 74, 84, 96, 21, 0}));
    EXPECT_EQ(GetBinary(kSection + L"\\Defns", L"0"), (std::vector<u16>{2, 2, 2, 28, 24, 0, 0}));
    std::wstring text;
    EXPECT_TRUE(frame_test::ReadString(HKEY_CURRENT_USER, kSection + L"\\Actions", L"13", &text));
    EXPECT_EQ(text, L"ls^M");
    EXPECT_FALSE(frame_test::ReadString(HKEY_CURRENT_USER, kSection + L"\\Actions", L"0", &text));

    DestroyToolbarResources();
    InitToolbarButtons(GetDesktopWindow());
    Load();
    EXPECT_EQ(Bars.type, kToolbarFloating);
    ASSERT_EQ(Toolbar.buttonCount, 14);
    EXPECT_EQ(Toolbar.imageCount, 22);
    EXPECT_NE(Toolbar.images[21].bitmap, nullptr);
    EXPECT_EQ(Toolbar.fileImageCount, 1);
    EXPECT_STREQ(Toolbar.buttons[13].text, L"ls^M");
    EXPECT_EQ(Toolbar.buttons[13].isDefault, 0u);
    DeleteFileW(file.c_str());
}

TEST_F(ToolbarSettings, DeletedFilePictureStaysDeletedAfterTheNextStart)
{
    const std::wstring first = PictureFile(L"tbfirst.bmp"), second = PictureFile(L"tbsecond.bmp");
    Load();
    ASSERT_TRUE(LoadToolbarImage(Toolbar, 21, first.c_str()));
    ASSERT_TRUE(LoadToolbarImage(Toolbar, 22, second.c_str()));
    Toolbar.fileImageCount = CountFileImages(Toolbar);
    SaveToolbarSettings(kProfile);
    DWORD index = 0;
    ASSERT_TRUE(frame_test::ReadDword(HKEY_CURRENT_USER, kSection + L"\\Buttons", first.c_str(), &index));

    // The first goes, as "Delete Custom Bitmap" and OK leave it; the second moves down.
    HBITMAP removed = RemoveFileImage(Toolbar, 21);
    ASSERT_NE(removed, nullptr);
    DeleteObject(removed);
    SaveToolbarSettings(kProfile);
    EXPECT_FALSE(frame_test::ReadDword(HKEY_CURRENT_USER, kSection + L"\\Buttons", first.c_str(), &index));
    ASSERT_TRUE(frame_test::ReadDword(HKEY_CURRENT_USER, kSection + L"\\Buttons", second.c_str(), &index));
    EXPECT_EQ(index, 21u);

    DestroyToolbarResources();
    InitToolbarButtons(GetDesktopWindow());
    Load();
    EXPECT_EQ(Toolbar.imageCount, 22);
    EXPECT_EQ(Toolbar.fileImageCount, 1);
    EXPECT_EQ(std::wstring(Toolbar.images[21].name), second);
    EXPECT_EQ(Toolbar.images[22].bitmap, nullptr);

    // The last one deleted too: the next start has the factory pictures only.
    removed = RemoveFileImage(Toolbar, 21);
    ASSERT_NE(removed, nullptr);
    DeleteObject(removed);
    SaveToolbarSettings(kProfile);
    DestroyToolbarResources();
    InitToolbarButtons(GetDesktopWindow());
    Load();
    EXPECT_EQ(Toolbar.imageCount, kFactoryImageCount);
    EXPECT_EQ(Toolbar.fileImageCount, 0);
    DeleteFileW(first.c_str());
    DeleteFileW(second.c_str());
}

TEST_F(ToolbarSettings, UserPassWithoutDefnsKeepsTheMachineWideButtons)
{
    const std::wstring machine = kSection;  // the same path under HKEY_LOCAL_MACHINE
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, (machine + L"\\Defns").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const u16 units[7] = {2, 2, 2, 28, 24, 4, 4};
    RegSetValueExW(key, L"0", 0, REG_BINARY, reinterpret_cast<const BYTE*>(units), sizeof units);
    RegCloseKey(key);
    frame_test::SetDword(HKEY_CURRENT_USER, kSection, L"Type", 2);

    SettingsSelectRoot(0);
    KeepCurrentValues = 0;
    LoadToolbarSettings(kProfile);
    SettingsSelectRoot(1);
    KeepCurrentValues = 1;
    LoadToolbarSettings(kProfile);
    KeepCurrentValues = 0;
    EXPECT_EQ(Toolbar.buttonCount, 1);
    EXPECT_EQ(Toolbar.buttons[0].action, 4u);
    EXPECT_EQ(Bars.type, kToolbarFloating);
}

}  // namespace
