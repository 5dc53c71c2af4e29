// Ids of the texts the terminal core shows. Every text comes from the language module,
// or from the program's own string table when no module is bound.
#pragma once

#include "terminal/core/base/vxtypes.h"

constexpr u32 kStrOutOfMemory = 7100;            // "Out of Memory"
constexpr u32 kStrMemoryLockFailure = 7113;      // "Memory Lock Failure"
constexpr u32 kStrPaletteInitError = 7116;       // "Error in Palette Initialisation"
constexpr u32 kStrEmulationInitError = 7118;     // "Error in Emulation Initialisation"
constexpr u32 kStrInitialisationError = 7129;    // "Initialisation Error"
constexpr u32 kStrCannotLoadMenu = 7130;         // "Cannot Load Menu Resource"
constexpr u32 kStrCannotCreateWindow = 7131;     // "Cannot Create Window"
constexpr u32 kStrCannotLoadKeyboard = 7137;     // "Cannot Load Keyboard Resources"
constexpr u32 kStrTerminalEmulation = 10108;     // default window title text
constexpr u32 kStrInvalidOption = 7155;          // "%s is not a valid command line option."
constexpr u32 kStrUnableToCreateMenu = 7132;     // "Unable to Create Menu %d"
constexpr u32 kStrConfirmFactoryDefault = 7148;  // "Confirm Factory Default"
constexpr u32 kStrInvalidConfiguration = 7108;   // "Invalid Configuration File"
constexpr u32 kStrUnusableProfileName = 7190;    // a Save As name that would clash with the program key
