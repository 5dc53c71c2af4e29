#include <gtest/gtest.h>

#include <string>

#include "terminal/core/window/dialogs/ctl3d.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/program/mainwindow.h"
#include "terminal/core/base/startopts.h"
#include "terminal/core/program/startup.h"

namespace {

TEST(Startup, OsVersionCodes)
{
    struct Row {
        u32 platform, major, minor;
        i32 code;
    } rows[] = {
        {VER_PLATFORM_WIN32_WINDOWS, 4, 10, 16}, {VER_PLATFORM_WIN32_NT, 3, 51, 32},
        {VER_PLATFORM_WIN32_NT, 4, 0, 33},       {VER_PLATFORM_WIN32_NT, 5, 0, 34},
        {VER_PLATFORM_WIN32_NT, 5, 1, 36},       {VER_PLATFORM_WIN32_NT, 5, 2, 34},
        {VER_PLATFORM_WIN32_NT, 6, 1, 32},       {VER_PLATFORM_WIN32s, 3, 1, 0},
    };
    for (const Row& r : rows)
        EXPECT_EQ(OsVersionCodeFor(r.platform, r.major, r.minor), r.code)
            << r.platform << " " << r.major << "." << r.minor;
    EXPECT_EQ(GetOsVersionCode(), 32);  // Wine reports Windows 6.1
}

TEST(Startup, ArgumentsFollowTheProgramName)
{
    EXPECT_STREQ(CommandLineArguments(L"vexaNT.exe -T Foo"), L"-T Foo");
    EXPECT_STREQ(CommandLineArguments(L"\"C:\\Program Files\\vexaNT.exe\"   host"), L"host");
    EXPECT_STREQ(CommandLineArguments(L"vexaNT.exe"), L"");
    EXPECT_STREQ(CommandLineArguments(nullptr), L"");
}

TEST(Startup, LongTextsAreCutNeverOverrun)
{
    std::wstring longLine(700, L'x');
    wchar16 buffer[kCommandLineUnits + 8];
    for (auto& u : buffer)
        u = L'#';
    EXPECT_EQ(CopyText(buffer, kCommandLineUnits, longLine.c_str()), std::size_t(kCommandLineUnits - 1));
    EXPECT_EQ(buffer[kCommandLineUnits - 1], 0);
    EXPECT_EQ(buffer[kCommandLineUnits], L'#');
    EXPECT_EQ(CopyText(buffer, 0, L"abc"), 0u);
}

TEST(Startup, WindowStyleFollowsTheFrameOptions)
{
    const StartupOptionValues saved = StartupOptions;
    StartupOptions = StartupOptionValues{};
    EXPECT_EQ(MainWindowStyle(), DWORD(WS_POPUP | WS_THICKFRAME | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX |
                                       WS_MAXIMIZEBOX | WS_CLIPCHILDREN));

    StartupOptions.caption = 0;  // no caption: no system menu or boxes either
    EXPECT_EQ(MainWindowStyle(), DWORD(WS_POPUP | WS_THICKFRAME | WS_CLIPCHILDREN));
    EXPECT_EQ(StartupOptions.systemMenu, 0u);
    EXPECT_EQ(StartupOptions.maximiseBox, 0u);

    StartupOptions = StartupOptionValues{};
    StartupOptions.sizableFrame = 0;
    StartupOptions.minimiseBox = 0;
    EXPECT_EQ(MainWindowStyle(), DWORD(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MAXIMIZEBOX | WS_CLIPCHILDREN));

    StartupOptions.fullScreen = 1;  // full screen ignores every frame option
    EXPECT_EQ(MainWindowStyle(), DWORD(WS_POPUP | WS_MAXIMIZE | WS_CLIPCHILDREN));
    StartupOptions = saved;
}

TEST(Startup, Ctl3dIsBoundByOrdinalWhenPresent)
{
    // The stand-in library lies next to this test program and logs its calls.
    HINSTANCE self = GetModuleHandleW(nullptr);
    HMODULE lib = LoadLibraryW(L"CTL3D32.DLL");
    ASSERT_NE(lib, nullptr);
    using Calls = const char*(WINAPI*)(HINSTANCE*);
    auto calls = reinterpret_cast<Calls>(reinterpret_cast<void*>(GetProcAddress(lib, "Ctl3dDoubleCalls")));
    ASSERT_NE(calls, nullptr);
    HINSTANCE passed = nullptr;
    const std::string before = calls(&passed);

    ASSERT_TRUE(Ctl3dRegister(self));
    Ctl3dUnregister(self);
    EXPECT_EQ(std::string(calls(&passed)), before + "rau");  // ordinals 12, 16, then 6
    EXPECT_EQ(passed, self);
    FreeLibrary(lib);
}

}  // namespace
