// Binding of the keyboard hook module, checked against a stand-in module that logs
// every call it receives.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "terminal/core/base/handles.h"
#include "terminal/core/window/frame_support.h"
#include "terminal/core/base/corestate.h"
#include "terminal/input/keyboard/kbhookbind.h"
#include "terminal/core/program/mainwindow.h"
#include "terminal/settings/store/profilevalues.h"

using namespace frame_test;

namespace {

std::wstring TestDirectory()
{
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring directory = path;
    return directory.substr(0, directory.find_last_of(L'\\') + 1);
}

class HookBindingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        MainWindow();
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        log_ = std::wstring(temp) + L"vx_hook_log.txt";
        DeleteFileW(log_.c_str());
        SetEnvironmentVariableW(L"VX_HOOK_LOG", log_.c_str());
        SetEnvironmentVariableW(L"VX_HOOK_INIT", nullptr);
    }
    void TearDown() override
    {
        FreeHookModule();
        SetEnvironmentVariableW(L"VX_HOOK_LOG", nullptr);
        DeleteFileW(log_.c_str());
    }
    std::string Log() const
    {
        std::ifstream in(log_.c_str());
        std::stringstream all;
        all << in.rdbuf();
        return all.str();
    }
    static std::string Window(HWND window)
    {
        char text[32];
        snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)));
        return text;
    }
    std::wstring log_;
};

TEST_F(HookBindingTest, FocusChangesSwitchTheProtection)
{
    BindHookModuleFrom((TestDirectory() + L"hooklog_full\\").c_str());
    ASSERT_NE(HookModule, nullptr);
    ASSERT_EQ(HookActive, 1u);
    HWND window = MainWindowHandle;
    Vt300Values.FreezeNumLock = 1;  // "Ignore NumLock" on

    // The first focus gain arms the protection; a further gain without a loss does not
    // call again; a loss switches off and marks it for the next gain.
    MainSetFocus(window, nullptr);
    MainSetFocus(window, nullptr);
    MainKillFocus(window, nullptr);
    MainKillFocus(window, nullptr);
    RearmNumLockProtection(1);
    EXPECT_EQ(SetPreventNumLockToggle(0), 1u);
    FreeHookModule();
    EXPECT_EQ(GetModuleHandleW(L"VXNTHOOK.DLL"), nullptr);

    Vt300Values.FreezeNumLock = 0;
    // clang-format off
    EXPECT_EQ(Log(), "load\nInitHook\n"
                     "PreventNumLockToggle 1 " + Window(window) + "\n"
                     "PreventNumLockToggle 0 0x0\n"
                     "PreventNumLockToggle 0 0x0\n"
                     "PreventNumLockToggle 1 " + Window(window) + "\n"
                     "PreventNumLockToggle 0 0x0\n"
                     "unload\n");
    // clang-format on
}

TEST_F(HookBindingTest, AnIncompleteOrRefusingModuleIsNeverUsed)
{
    BindHookModuleFrom((TestDirectory() + L"hooklog_initonly\\").c_str());
    EXPECT_EQ(HookModule, nullptr);
    EXPECT_EQ(HookActive, 0u);
    EXPECT_EQ(GetModuleHandleW(L"VXNTHOOK.DLL"), nullptr);
    EXPECT_EQ(Log(), "load\nunload\n");

    DeleteFileW(log_.c_str());
    SetEnvironmentVariableW(L"VX_HOOK_INIT", L"0");
    BindHookModuleFrom((TestDirectory() + L"hooklog_full\\").c_str());
    EXPECT_EQ(HookActive, 0u);
    EXPECT_EQ(SetPreventNumLockToggle(1), 0u);
    MainKillFocus(MainWindowHandle, nullptr);
    MainSetFocus(MainWindowHandle, nullptr);
    FreeHookModule();
    EXPECT_EQ(Log(), "load\nInitHook\nunload\n");

    BindHookModuleFrom((TestDirectory() + L"no_such_directory\\").c_str());
    EXPECT_EQ(HookActive, 0u);
    EXPECT_EQ(SetPreventNumLockToggle(1), 0u);
}

}  // namespace
