// A hidden top-level window that stands in for the main window, and the English
// language module bound for the texts the screen parts show.
#pragma once

#include <string>

#include "terminal/core/base/handles.h"
#include "terminal/core/base/language.h"
#include "terminal/core/base/win32.h"
#include "support/winepath.h"

class TestMainWindow {
public:
    TestMainWindow(int width = 800, int height = 600)
    {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"vxTestMain";
        RegisterClassW(&wc);
        window_ = CreateWindowExW(0, L"vxTestMain", L"test", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, width,
                                  height, nullptr, nullptr, wc.hInstance, nullptr);
        previous_ = MainWindowHandle;
        MainWindowHandle = window_;
    }
    ~TestMainWindow()
    {
        MainWindowHandle = previous_;
        DestroyWindow(window_);
    }
    HWND hwnd() const { return window_; }

private:
    HWND window_;
    HWND previous_;
};

// Binds VXNTENG.DLL from the build for the whole test program.
inline void BindEnglishModule()
{
    static bool bound = false;
    if (bound)
        return;
    CurrentLanguageIndex = 0;
    std::wstring directory = WindowsPath(VX_LANGUAGE_DIR);
    if (directory.back() != L'\\')
        directory += L'\\';
    bound = TryLoadLanguageModule(directory.c_str(), L"VXNTENG.DLL") != nullptr;
}
