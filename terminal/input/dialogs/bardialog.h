// The "Button Tools" dialog (command 1090): edits a working copy of the toolbar's
// buttons, pictures and commands; OK makes the copy live, Cancel throws it away.
#pragma once

#include "terminal/core/base/win32.h"

constexpr int kDlgButtonTools = 2560;

// clang-format off
constexpr int kToolCurrentLabel  = 2850;
constexpr int kToolPreview       = 2851;  // white frame: the current tool's picture
constexpr int kToolRowFrame      = 2852;
constexpr int kToolText          = 2853;  // the current tool's text
constexpr int kToolListButton    = 2854;  // drops the tool list down and up
constexpr int kToolImagesLabel   = 2855;
constexpr int kToolImages        = 2856;
constexpr int kToolCommandsLabel = 2857;
constexpr int kToolCommands      = 2858;
constexpr int kToolList          = 2859;  // every tool in bar order, hidden until dropped
constexpr int kToolChange        = 2860;
constexpr int kToolDelete        = 2861;
constexpr int kToolInsert        = 2862;
constexpr int kToolAddBitmap     = 2863;
constexpr int kToolDeleteBitmap  = 2864;
constexpr int kToolVisible       = 2869;
// clang-format on

INT_PTR CALLBACK ButtonBarDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Runs the dialog over `owner`; its result (IDOK, IDCANCEL, or -1 when it could not run).
INT_PTR OpenButtonBarDialog(HWND owner);
