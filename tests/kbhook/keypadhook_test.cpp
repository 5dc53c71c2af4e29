#include "kbhook/keypadhook.h"

#include <gtest/gtest.h>

namespace {

HWND Window()
{
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(0x1234));
}

KeypadHookState Translating(u32 recorded)
{
    KeypadHookState s;
    s.translation = 1;
    s.target = Window();
    s.recordedNumLock = recorded;
    return s;
}

struct Pair {
    u32 navigation, digit, scan;
};

// The keypad's keycaps: navigation key, digit key and the scan code they share.
const Pair kPairs[] = {
    {12, 101, 0x4C}, {33, 105, 0x49}, {34, 99, 0x51}, {35, 97, 0x4F}, {36, 103, 0x47}, {37, 100, 0x4B},
    {38, 104, 0x48}, {39, 102, 0x4D}, {40, 98, 0x50}, {45, 96, 0x52}, {46, 110, 0x53},
};

TEST(KeypadHook, WithNumLockRecordedOnKeypadNavigationKeysBecomeDigits)
{
    KeypadHookState s = Translating(1);
    for (const Pair& p : kPairs) {
        const struct {
            u32 message, lParam;
        } cases[] = {
            {KeyMsgDown, (p.scan << 16) + 1},
            {KeyMsgUp, (p.scan << 16) + 1 + 0xC0000000u},
            {KeyMsgSysDown, (p.scan << 16) + 1},
            {KeyMsgSysUp, (p.scan << 16) + 1 + 0xC0000000u},
        };
        for (const auto& c : cases) {
            const KeypadHookDecision d = KeypadHookDecide(s, c.message, p.navigation, p.scan, 0);
            EXPECT_TRUE(d.post) << p.navigation;
            EXPECT_EQ(d.vk, p.digit) << p.navigation;
            EXPECT_EQ(d.lParam, c.lParam) << p.navigation << " " << c.message;
        }
        // The separate navigation block is extended and keeps its meaning; digits stay digits.
        EXPECT_FALSE(KeypadHookDecide(s, KeyMsgDown, p.navigation, p.scan, KeyFlagExtended).post);
        EXPECT_FALSE(KeypadHookDecide(s, KeyMsgDown, p.digit, p.scan, 0).post);
    }
    // Only the low byte of the scan code reaches the lParam.
    EXPECT_EQ(KeypadHookDecide(s, KeyMsgDown, 36, 0x147, 0).lParam, 0x00470001u);
}

TEST(KeypadHook, WithNumLockRecordedOffKeypadDigitsBecomeNavigationKeys)
{
    KeypadHookState s = Translating(0);
    for (const Pair& p : kPairs) {
        const KeypadHookDecision d = KeypadHookDecide(s, KeyMsgUp, p.digit, p.scan, 0);
        EXPECT_TRUE(d.post) << p.digit;
        EXPECT_EQ(d.vk, p.navigation) << p.digit;
        EXPECT_EQ(d.lParam, (p.scan << 16) + 1 + 0xC0000000u) << p.digit;
        EXPECT_FALSE(KeypadHookDecide(s, KeyMsgDown, p.navigation, p.scan, 0).post) << p.navigation;
    }
}

TEST(KeypadHook, TranslationOffLetsEverythingButCtrlPauseThrough)
{
    for (u32 recorded : {0u, 1u}) {
        KeypadHookState s = Translating(recorded);
        s.translation = 0;
        for (const Pair& p : kPairs) {
            EXPECT_FALSE(KeypadHookDecide(s, KeyMsgDown, p.navigation, p.scan, 0).post);
            EXPECT_FALSE(KeypadHookDecide(s, KeyMsgDown, p.digit, p.scan, 0).post);
        }
        EXPECT_FALSE(KeypadHookDecide(s, KeyMsgDown, 144, 0x45, KeyFlagExtended).post);
        EXPECT_FALSE(KeypadHookDecide(s, KeyMsgDown, 19, 0x45, 0).post);
        KeypadHookDecide(s, KeyMsgDown, 163, 0x1D, KeyFlagExtended);
        const KeypadHookDecision d = KeypadHookDecide(s, KeyMsgDown, 19, 0x45, 0);
        EXPECT_TRUE(d.post);
        EXPECT_EQ(d.vk, 144u);
        EXPECT_EQ(d.lParam, 0u);
    }
}

TEST(KeypadHook, NumLockGoesToTheTerminalUnlessCtrlAndAltAreDown)
{
    KeypadHookState s = Translating(1);
    for (u32 message : {KeyMsgDown, KeyMsgUp}) {
        const KeypadHookDecision d = KeypadHookDecide(s, message, 144, 0x45, KeyFlagExtended);
        EXPECT_TRUE(d.post);
        EXPECT_EQ(d.vk, 144u);
        EXPECT_EQ(d.lParam, 1u);
    }
    // Ctrl alone or Alt alone is not enough.
    KeypadHookDecide(s, KeyMsgDown, 162, 0x1D, 0);
    EXPECT_TRUE(KeypadHookDecide(s, KeyMsgDown, 144, 0x45, KeyFlagExtended).post);
    KeypadHookDecide(s, KeyMsgUp, 162, 0x1D, 0);
    KeypadHookDecide(s, KeyMsgSysDown, 165, 0x38, KeyFlagExtended);
    EXPECT_TRUE(KeypadHookDecide(s, KeyMsgSysDown, 144, 0x45, KeyFlagExtended).post);

    // Right Alt with right Ctrl: the press toggles the real state, its release re-records it.
    KeypadHookDecide(s, KeyMsgSysDown, 163, 0x1D, KeyFlagExtended);
    KeypadHookDecision down = KeypadHookDecide(s, KeyMsgSysDown, 144, 0x45, KeyFlagExtended);
    EXPECT_FALSE(down.post);
    EXPECT_FALSE(down.recordNumLock);
    KeypadHookDecision up = KeypadHookDecide(s, KeyMsgSysUp, 144, 0x45, KeyFlagExtended);
    EXPECT_FALSE(up.post);
    EXPECT_TRUE(up.recordNumLock);
}

TEST(KeypadHook, CtrlAndAltStateFollowBothKeysInPlainAndSystemMessages)
{
    KeypadHookState s = Translating(1);
    const struct {
        u32 message, vk;
        u32 ctrl, alt;
    } steps[] = {
        {KeyMsgDown, 162, 1, 0},    {KeyMsgDown, 163, 3, 0},  {KeyMsgUp, 162, 2, 0},    {KeyMsgSysDown, 164, 2, 1},
        {KeyMsgSysDown, 165, 2, 3}, {KeyMsgSysUp, 164, 2, 2}, {KeyMsgSysUp, 163, 0, 2}, {KeyMsgUp, 165, 0, 0},
    };
    for (const auto& step : steps) {
        EXPECT_FALSE(KeypadHookDecide(s, step.message, step.vk, 0x1D, 0).post);  // always go on
        EXPECT_EQ(s.ctrl, step.ctrl) << step.vk;
        EXPECT_EQ(s.alt, step.alt) << step.vk;
    }
    // Anything that is not a key message is left alone.
    EXPECT_FALSE(KeypadHookDecide(s, 0x0102, 36, 0x47, 0).post);
    EXPECT_FALSE(KeypadHookDecide(s, 0x0102, 162, 0x1D, 0).post);
    EXPECT_EQ(s.ctrl, 0u);
}

}  // namespace
