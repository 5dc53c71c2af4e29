// The Wyse family's settings: what the profile's "ZARA" section holds, shared by all
// eight personalities, with the factory values the load falls back to and the save
// compares against.
#pragma once

#include "terminal/core/base/vxtypes.h"
#include "terminal/settings/store/hls.h"

constexpr int kWyseTabColumns = 132;
// Attribute combinations of the two colour sets: the embedded set's 16 (dim, underline,
// blink, reverse as bits 0-3) and the character set's 32 (blank as bit 4).
constexpr int kWyseEmbeddedCombos = 16;
constexpr int kWyseCharacterCombos = 32;
constexpr u8 kWyseFactoryMarginColumn = 71;

struct WyseSettings {
    u8 inEdit;        // "wy_inedit": block mode, typed bytes stay on the screen
    u8 enhance;       // "wy_enhance": personalities fall back to the native tables
    u16 dispSize;     // "wy_disp_size": 24, 25, 42 or 43 lines
    u8 pageFormat;    // "wy_page_format": pages of 1, 2, 4 screens, or one plus the rest
    u8 multiPage;     // "wy_multi_page"
    u8 widthClear;    // "wy_width_clear": a column change clears and rebuilds
    u8 economy;       // "wy_economy": 80 columns at most, a larger page memory
    u8 autoScroll;    // "wy_auto_scroll"
    u8 autoWrap;      // "wyAutoWrap"
    u8 autoPage;      // "wy_auto_page"
    u8 destBs;        // "wy_dest_BS": DEL erases back in WY50+ and WY60
    u8 sendAck;       // "wy_send_ack"
    u8 ansMode;       // "wy_ans_mode": ENQ sends the answerback
    u8 marginBell;    // "wy_margin_bell"
    u8 stat;          // "wy_stat": status line 0 none, 1 standard, 2 extended
    u8 attrType;      // "wy_attr_type": 0 page, 1 line, 2 character
    u8 blkEnd;        // "wy_blkend": screen sends end lines CR LF NUL and the text ETX
    u8 protAttr;      // "wy_protattr": protected-field look (dim 1, blank 2, reverse 4, underline 8, blink 16)
    u8 initTabs;      // "wy_init_tabs": tab stops come from "wy_tabstops"
    u8 multSet;       // "wy_multset": national variant 0-10
    u8 asciiFont;     // "wy_ascii_font": 0 Wyse ASCII, 1 PC standard
    u32 useColour;    // "wy_usecolour"
    u32 applKey;      // "wy_appl_key"
    u32 crNull;       // "wy_crnull": Return sends NUL after CR
    u8 marginColumn;  // the margin-bell column (not stored)
    u8 tabStops[kWyseTabColumns];  // 'T' a stop, ' ' none
    HlsPalette palette350, palette370;
    u8 fg350[kWyseEmbeddedCombos], bg350[kWyseEmbeddedCombos];
    u8 fg370[kWyseCharacterCombos], bg370[kWyseCharacterCombos];
};
extern WyseSettings WySet;

// The palettes a profile that lacks them reads, and the factory ones "Default" restores
// (they differ in entries 9 and 10 of the embedded set).
extern const HlsPalette kWyseLoadPalette350, kWyseLoadPalette370;
extern const HlsPalette kWyseFactoryPalette350, kWyseFactoryPalette370;

// The factory colour bytes of a combination: foreground 7 with the combination's
// effects shown, background "in use" (and blank for the character set's upper half).
u8 WyseFactoryForeground(int combination);
u8 WyseFactoryBackground(int combination, bool characterSet);
// The factory attribute type of a personality: character attributes for WY60.
u8 WyseFactoryAttrType(u8 emulation);
// Every setting at its factory value for the personality; auto wrap, the colour sets
// and the palettes are left alone (they have factory steps of their own).
void WyseFactorySettings(WyseSettings& s, u8 emulation);
void WyseFactoryColourSets(WyseSettings& s);
void WyseFactoryPalettes(WyseSettings& s);
// Factory tab stops: every eighth column from column 0.
void WyseFactoryTabStops(u8 (&stops)[kWyseTabColumns]);
// Display sizes the family accepts (24, 25, 42, 43); any other becomes 24.
u16 WyseValidDisplaySize(u32 lines);
