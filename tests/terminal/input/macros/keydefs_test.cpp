// The key-definition list: lookups by code, kind and shift state, deletion by kind, and
// use from two threads at once.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "terminal/input/macros/eventtext.h"
#include "terminal/input/macros/keydefs.h"
#include "terminal/input/macros/keyevents.h"

namespace {

TEST(KeyDefinitions, FindReplaceAndDeleteByKind)
{
    DeleteAllKeyDefinitions();
    ASSERT_TRUE(AddKeyDefinition(0x70, 1, kKeyMacro, 1, 2, VXT("ab"), nullptr));
    ASSERT_TRUE(AddKeyDefinition(0x70, 2, kKeyMacro, 3, 2, VXT("cd"), nullptr));
    ASSERT_TRUE(AddKeyDefinition(0x70, 0, kSoftButton, 0, 1, VXT("e"), VXT("Label")));
    ASSERT_TRUE(AddKeyDefinition(0x05, 0, kMouseMacro, 0, 1, VXT("m"), nullptr));
    // Only a soft button may be empty.
    EXPECT_FALSE(AddKeyDefinition(0x06, 0, kMouseMacro, 0, 0, VXT(""), nullptr));
    EXPECT_TRUE(AddKeyDefinition(0x06, 0, kSoftButton, 0, 0, VXT(""), VXT("Blank")));
    DeleteKeyDefinition(FindKeyDefinition(0x06, kSoftButton, -1));

    const KeyDefinition* shifted = FindKeyDefinition(0x70, kKeyMacro, 3);
    ASSERT_NE(shifted, nullptr);
    EXPECT_EQ(std::basic_string<wchar16>(shifted->text, shifted->length), VXT("cd"));
    EXPECT_EQ(shifted->SendType(), 2u);
    EXPECT_EQ(FindKeyDefinition(0x70, kKeyMacro, 2), nullptr);
    EXPECT_EQ(FindKeyDefinition(0x70, kKeyMacro, -1)->ShiftState(), 1u);  // any shift: the first
    EXPECT_EQ(std::basic_string<wchar16>(FindKeyDefinition(0x70, kSoftButton, -1)->label), VXT("Label"));

    DeleteKeyMacros();
    EXPECT_EQ(FindKeyDefinition(0x70, kKeyMacro, -1), nullptr);
    ASSERT_NE(FindKeyDefinition(0x70, kSoftButton, 0), nullptr);
    DeleteSoftButtonDefinitions();
    EXPECT_EQ(FindKeyDefinition(0x70, kSoftButton, 0), nullptr);
    ASSERT_NE(KeyDefinitions, nullptr);
    EXPECT_EQ(KeyDefinitions->Kind(), u32(kMouseMacro));
    DeleteKeyDefinition(KeyDefinitions);
    EXPECT_EQ(KeyDefinitions, nullptr);
}

// One thread replaces the definitions of four keys over and over, as a profile load or
// a host's key strings do, while another runs those keys as the key filter does. Each
// run must queue one whole text of the moment; without the list's lock the runner
// walks nodes that were just freed (the sanitizers report it, or texts come out torn).
TEST(KeyDefinitions, ReplacingDefinitionsWhileAnotherThreadRunsThemIsSafe)
{
    ASSERT_TRUE(AllocInputQueues());
    ResetInputQueueCounters();
    DeleteAllKeyDefinitions();
    const std::basic_string<wchar16> texts[] = {VXT("first"), VXT("the second text")};
    std::atomic<bool> done{false};
    std::atomic<int> runs{0};
    // On a loaded machine the runner may get no turn during the replacer's rounds: the
    // replacer goes on until it has run a few keys (for ten seconds at most).
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    std::thread replacer([&] {
        for (int round = 0; round < 20000 || (runs < 100 && std::chrono::steady_clock::now() < deadline);
             ++round) {
            const auto& text = texts[round & 1];
            DeleteKeyMacros();
            for (u32 key = 0x70; key < 0x74; ++key)
                AddKeyDefinition(key, 0, kKeyMacro, 0, static_cast<u32>(text.size()), text.data(), nullptr,
                                 TextOrigin::Host);
        }
        done = true;
    });
    std::basic_string<wchar16> bad;
    while (!done && bad.empty()) {
        for (u32 key = 0x70; key < 0x74; ++key) {
            if (!QueueKeyDefinition(key, 0))
                continue;
            int type, high, low;
            TakeInputEvent(type, high, low);
            const u32 handle = HandleOf(static_cast<u16>(high), static_cast<u16>(low));
            int length = 0;
            const wchar16* text = EventText(handle, &length);
            const std::basic_string<wchar16> got = text ? std::basic_string<wchar16>(text, length) : VXT("?");
            if (type != 7 || (got != texts[0] && got != texts[1]))
                bad = got;
            FreeEventText(handle);
            ++runs;
        }
    }
    replacer.join();
    EXPECT_TRUE(bad.empty()) << "a torn or lost text was queued";
    EXPECT_GT(runs.load(), 0);
    EXPECT_EQ(KeyEventCount(), 0);
    DeleteAllKeyDefinitions();
}

}  // namespace
