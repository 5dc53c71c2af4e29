// The rules over single values: virtual keys to key codes and the navigation keys per
// emulation, control digits, typed characters to host codes, and the filter on received
// bytes.
#include <gtest/gtest.h>

#include <vector>

#include "terminal/input/keys_fixture.h"
#include "terminal/core/base/family.h"
#include "terminal/core/testfamily.h"
#include "terminal/core/screen/paintsettings.h"
#include "terminal/core/host/pushback.h"
#include "terminal/emulations/dec/keys/keymodes.h"
#include "terminal/input/macros/inputpump.h"
#include "terminal/input/keyboard/keycodes.h"
#include "terminal/emulations/dec/keys/vtkeys.h"
#include "terminal/settings/store/profilevalues.h"

namespace {

using KeyRules = KeyPathTest;

TEST_F(KeyRules, VirtualKeysToKeyCodes)
{
    UseEmulation(2);
    struct Case {
        int vk, code;
    };
    for (const Case& c : std::vector<Case>{
             {0x03, 136}, {0x08, 112}, {0x09, 115}, {0x0C, 139}, {0x0D, 114}, {0x13, 82}, {0x1B, 113}, {0x2C, 80},
             {0x60, 97},  {0x69, 106}, {0x6A, 95},  {0x6B, 110}, {0x6C, 111}, {0x6D, 96}, {0x6E, 109}, {0x6F, 94},
             {0x70, 68},  {0x7B, 79},  {0x7C, 151}, {0x83, 158}, {0x84, 0},   {0x90, 93}, {0x91, 81},  {0xC2, 83},
             {0xCB, 92},  {0x97, 0},   {0x2A, 0},   {0x20, 0},   {'Z', 0},    {0xFF, 0},  {0x02, 0}})
        EXPECT_EQ(VirtualKeyToKeyCode(c.vk), c.code) << std::hex << c.vk;
    // The host keyboard's extra keys have numbers only where a host emulation uses them.
    KeyboardType = kKeyboard122;
    EXPECT_EQ(VirtualKeyToKeyCode(0x6D), 107);
    EXPECT_EQ(VirtualKeyToKeyCode(0x84), 0);
    {
        // A block-mode host (the 3270) uses every key of the host keyboard.
        TestFamily host(FamilyHooks{.emulations = EmulationBit(kEmuIbm3270), .hostKeyboardKeys = 2});
        EXPECT_EQ(VirtualKeyToKeyCode(0x84), 159);
        EXPECT_EQ(VirtualKeyToKeyCode(0x97), 166);
    }
}

TEST_F(KeyRules, TheKeyTableByPositionCodeAndVirtualKey)
{
    EXPECT_EQ(KeyPositionToVirtualKey(0), 0x1B);
    EXPECT_EQ(KeyPositionToVirtualKey(75), 0x2D);  // Insert
    EXPECT_EQ(KeyPositionToVirtualKey(45), 'A');
    EXPECT_EQ(KeyPositionToVirtualKey(44), -1);    // no key there
    EXPECT_EQ(VirtualKeyToKeyPosition(0x27), 84);  // Right
    EXPECT_EQ(VirtualKeyToKeyPosition('Q'), 31);
    EXPECT_EQ(KeyCodeToKeyPosition(85), 77);   // Page Up
    EXPECT_EQ(KeyCodeToKeyPosition(97), 100);  // keypad 0
    EXPECT_EQ(VirtualKeyToKeyCodeByTable(0x90), 93);
    EXPECT_EQ(KeyCodeToVirtualKey(114), 0x0D);
    // Plain keys are not found by key code: the digit 1 is no special key 49.
    EXPECT_EQ(KeyCodeToKeyPosition('1'), -1);
    EXPECT_EQ(VirtualKeyToKeyCodeByTable('1'), 0);
    EXPECT_EQ(KeyCodeToVirtualKey(500), -1);
}

TEST_F(KeyRules, NavigationKeysByEmulationAndDecKeys)
{
    const int insert = 0x2D, home = 0x24, pageUp = 0x21, del = 0x2E, end = 0x23, pageDown = 0x22;
    struct Case {
        u8 emulation;
        bool decKeys;
        int vk, code;
    };
    // clang-format off
    for (const Case& c : std::vector<Case>{
             {2, false, insert, 84}, {2, false, home, 125}, {2, false, pageUp, 87}, {2, false, del, 126},
             {2, false, end, 86},    {2, false, pageDown, 88}, {2, true, home, 83}, {2, true, del, 85},
             {5, false, insert, 83}, {5, false, home, 84},  {5, false, pageUp, 85}, {5, false, del, 86},
             {5, false, end, 87},    {5, false, pageDown, 88}, {0, false, 0x26, 89}, {5, false, 0x27, 92}}) {
        // clang-format on
        UseEmulation(c.emulation);
        Vt300Values.kpadmode = c.decKeys ? 1 : 0;
        EXPECT_EQ(VirtualKeyToKeyCode(SubstituteNavigationVirtualKey(c.vk, false)), c.code)
            << "emulation " << int(c.emulation) << " key " << std::hex << c.vk;
    }
    EXPECT_EQ(VirtualKeyToKeyCode(SubstituteNavigationVirtualKey(0x13, true)), 136);  // Alt+Pause
    EXPECT_EQ(VirtualKeyToKeyCode(SubstituteNavigationVirtualKey(0x13, false)), 82);
}

TEST_F(KeyRules, CtrlDigitsAreControlCodesInTheVtFamily)
{
    UseEmulation(1);
    const int expected[] = {0, 27, 28, 29, 30, 31, 127};
    for (int d = '2'; d <= '8'; ++d)
        EXPECT_EQ(CtrlDigitControlCode(d, kCtrlBit), expected[d - '2']);
    EXPECT_EQ(CtrlDigitControlCode('9', kCtrlBit), -1);
    EXPECT_EQ(CtrlDigitControlCode('2', kCtrlBit | kShiftBit), -1);
    UseEmulation(5);
    EXPECT_EQ(CtrlDigitControlCode('2', kCtrlBit), -1);
}

TEST_F(KeyRules, TypedCharactersInTheHostCharacterSet)
{
    UseEmulation(2);
    struct Case {
        u8 characterSet;
        bool multinational;
        int typed, sent;
    };
    // clang-format off
    for (const Case& c : std::vector<Case>{
             {0, true, 'a', 'a'},     {0, true, 164, 168},  {0, true, 215, -1},  {0, true, 255, 253},
             {0, true, 233, 233},     {5, true, 8364, 164}, {1, true, 8364, -1}, {1, true, 130, -1},
             {0, false, 'a', 'a'},    {0, false, 233, -1},  {6, true, 0x11E, 0xD0},
             {4, true, 8364, -1}}) {
        // clang-format on
        PaintSettings.characterMode = c.characterSet;
        Vt300Values.mltnat = c.multinational ? 1 : 0;
        EXPECT_EQ(TranslateTypedChar(c.typed), c.sent) << "set " << int(c.characterSet) << " char " << c.typed;
    }
    // The PC code page 858 has the euro sign where 850 has the dotless i.
    PaintSettings.characterMode = 4;
    PaintSettings.pcCodePage = 2;
    Vt300Values.mltnat = 1;
    EXPECT_EQ(TranslateTypedChar(8364), 213);
    EXPECT_EQ(TranslateTypedChar(0xE9), 0x82);
    PaintSettings.characterMode = 0;
    PaintSettings.pcCodePage = 0;
    // With Alt held an ASCII character stays as it is; the 3270 and 5250 families take
    // characters whole (their own keyboards translate them).
    ShiftState = kAltBit;
    Vt300Values.mltnat = 0;
    EXPECT_EQ(TranslateTypedChar('a'), 'a');
    ShiftState = 0;
    for (u8 id : {kEmuIbm3270, kEmuIbm5250}) {
        UseEmulation(id);
        ASSERT_NE(FamilyFor(id), nullptr);
        SetActiveFamily(FamilyFor(id));
        EXPECT_EQ(TranslateTypedChar(8364), 8364) << int(id);
        EXPECT_EQ(TranslateTypedChar(-1), -1);
    }
    SetActiveFamily(nullptr);
}

TEST_F(KeyRules, ReceivedBytesByEmulation)
{
    UseEmulation(1);
    EXPECT_EQ(FilterReceivedByte(0xC1), 0x41);  // VT100 is 7-bit
    PaintSettings.displayControls = 1;
    EXPECT_EQ(FilterReceivedByte(0xC1), 0xC1);
    PaintSettings.displayControls = 0;
    UseEmulation(2);
    EXPECT_EQ(FilterReceivedByte(0xC1), 0xC1);
    EXPECT_EQ(FilterReceivedByte(0x9B), 0x1B);  // CSI read as ESC [
    EXPECT_EQ(PopHostByte(), '[');
    PaintSettings.characterMode = 3;  // 1250 uses 80-9F as characters
    EXPECT_EQ(FilterReceivedByte(0x9B), 0x9B);
    PaintSettings.characterMode = 0;
    EXPECT_EQ(FilterReceivedByte(0), 0);
    Vt300Values.ignnulls = 1;
    EXPECT_EQ(FilterReceivedByte(0), -1);
    UseEmulation(5);
    EXPECT_EQ(FilterReceivedByte(0), -1);
    EXPECT_EQ(FilterReceivedByte(0x9B), 0x9B);
}

}  // namespace
