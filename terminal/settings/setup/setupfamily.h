// What a family adds to the Setup dialog from its own folder, by data: its pages (slot,
// template, control table, hooks, check-list rows) and its part of the working copy (its
// fields, and fill and apply steps for what a table cannot say). FamilyHooks::setup
// points at it; the Setup dialog walks every registered family.
#pragma once

#include "terminal/settings/store/hls.h"
#include "terminal/settings/setup/setupcopy.h"

struct SetupPage;
struct AttributeElementList;

// A range of the key-name strings (terminal/input/macros/keynames.def).
struct KeyNameRange {
    u32 first, last;
};

struct FamilySetupPage {
    int slot;
    const SetupPage* page;
};

// How the Terminal page shows for an emulation of a family: which of its shared parts
// apply, and which rows of its mode list (the kRow... numbers of setupcopy.h) are
// greyed or offered. The page's own rules for the DEC VT and ANSI emulations stand when
// a family gives none.
struct TerminalPageLook {
    bool characterSets;  // the character-set list (and with the PC set the code page)
    bool columns;        // the 80/132 list; false: the family sets its own width
    bool tabStops;       // "Set Tabs" opens the tab ruler
    const u8* rowsOff;   // rows greyed, kTerminalModeRows ends the list
    const u8* rowsOn;    // rows offered, likewise
    // The sets the list offers, by their names' string ids (the string of set n is
    // kFirstCharacterSetName + n), 0 ends the list; null: the page's own list.
    const u16* characterSetNames = nullptr;
};

constexpr u16 kFirstCharacterSetName = 1571;  // "DEC-MCS", set 0

struct FamilySetup {
    const FamilySetupPage* pages = nullptr;
    int pageCount = 0;
    SetupCopyFieldTable fields{};
    void (*fill)() = nullptr;     // after the fields are filled
    void (*apply)() = nullptr;    // before any field is stored: the settings still hold the old values
    void (*applied)() = nullptr;  // at the end of the apply, everything stored
    // The family's own colour tables after the Attributes page's OK (null: none), and
    // its screen recoloured after the normal or screen colours changed (null: the cells
    // of the shared store are remapped).
    void (*applyColours)() = nullptr;
    void (*recolour)(u8 oldFrgNorm, u8 oldBckNorm, u8 oldBckScrn) = nullptr;
    // The Attributes page's list of screen elements for an emulation of the family
    // (null, or a null result: the DEC VT and ANSI list), and its factory colours written
    // into the working copy by "&Default" (null: the VT and ANSI factory table).
    const AttributeElementList* (*attributeList)(u8 emulation) = nullptr;
    void (*defaultColours)() = nullptr;
    // The working tab line the Tab Stops page edits for the family's emulations
    // (tabruler.h); null: the shared one of the working copy.
    wchar16* tabLine = nullptr;
    // The palette of the family's emulation that runs, which the Attributes page edits
    // (null, or a null result: the VT palette of the colour order), and its factory form
    // for "&Default".
    HlsPalette* (*palette)() = nullptr;
    HlsPalette (*factoryPalette)() = nullptr;
    // How many characters the Emulation page's answerback takes for an emulation of the
    // family, 0 when it keeps none. Null: the shared rule (the VT and ANSI answerback).
    int (*answerbackChars)(u8 emulation) = nullptr;
    // The family's host keys the macro editor lists. {0, 0}: the DEC keys.
    KeyNameRange hostKeyNames{};
    // The Terminal page for an emulation of the family (null, or a null result: the
    // page's own rules).
    const TerminalPageLook* (*terminalPage)(u8 emulation) = nullptr;
};
