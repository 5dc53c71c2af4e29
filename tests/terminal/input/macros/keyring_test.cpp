// The key-event ring between the window thread and the host-data thread, the deferred
// keys of the IBM keyboards, and the texts that string events carry by handle.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "terminal/input/keys_fixture.h"
#include "terminal/core/host/hostio.h"
#include "terminal/input/macros/eventtext.h"
#include "terminal/input/macros/keyevents.h"

namespace {

using KeyRing = KeyPathTest;

struct Taken {
    int type, value, extra;
};

Taken Take()
{
    Taken t{};
    TakeInputEvent(t.type, t.value, t.extra);
    return t;
}

TEST_F(KeyRing, HoldsAtMost2047AndRefusesTheNextWithABell)
{
    // Run the ring's indexes round its end first, so the full ring wraps.
    for (int i = 0; i < 1500; ++i) {
        ASSERT_TRUE(QueueInputEvent(1, 'x', 0xFFFF));
        Take();
    }
    for (int i = 0; i < kKeyEventLimit; ++i)
        ASSERT_TRUE(QueueInputEvent(3, static_cast<u16>(i), 0)) << "event " << i;
    BellPending = 0;
    EXPECT_FALSE(QueueInputEvent(3, 9999, 0));
    EXPECT_EQ(BellPending, 1);
    EXPECT_FALSE(PushInputEventFront(3, 9998, 0));
    EXPECT_EQ(KeyEventCount(), kKeyEventLimit);
    // Nothing was overwritten: every waiting event comes out, in order.
    for (int i = 0; i < kKeyEventLimit; ++i) {
        const Taken t = Take();
        ASSERT_EQ(t.type, 3);
        ASSERT_EQ(t.value, i);
    }
    EXPECT_EQ(Take().type, -1);
}

TEST_F(KeyRing, FrontInsertionAndTheEmptyMarker)
{
    QueueInputEvent(1, 'b', 0xFFFF);
    PushInputEventFront(3, 89, 1);
    const Taken first = Take();
    EXPECT_EQ(first.type, 3);
    EXPECT_EQ(first.value, 89);
    const Taken second = Take();
    EXPECT_EQ(second.value, 'b');
    EXPECT_EQ(second.extra, -1);  // 0xFFFF stored, -1 taken
    const Taken none = Take();
    EXPECT_EQ(none.type, -1);
    EXPECT_EQ(none.value, -1);
}

TEST_F(KeyRing, DeferredKeysComeBackInTypedOrderBeforeLaterKeys)
{
    PushDeferredKey('a', -1);
    PushDeferredKey(89, 2);
    PushDeferredKey('c', -1);
    QueueInputEvent(1, 'z', 0xFFFF);  // typed while the keyboard was inhibited
    FlushDeferredKeys();
    EXPECT_FALSE(DeferredKeysExist());
    const std::vector<std::pair<int, int>> expected = {{1, 'a'}, {3, 89}, {1, 'c'}, {1, 'z'}};
    for (auto [type, value] : expected) {
        const Taken t = Take();
        EXPECT_EQ(t.type, type);
        EXPECT_EQ(t.value, value);
    }
}

TEST_F(KeyRing, OneWriterOneReaderLoseNothing)
{
    constexpr int kKeys = 20000;
    std::thread writer([] {
        for (int i = 0; i < kKeys; ++i)
            while (!QueueInputEvent(1, static_cast<u16>(i & 0x7FFF), 0xFFFF))
                std::this_thread::yield();
    });
    int next = 0;
    while (next < kKeys) {
        const Taken t = Take();
        if (t.type == -1) {
            std::this_thread::yield();
            continue;
        }
        ASSERT_EQ(t.value, next & 0x7FFF);
        ++next;
    }
    writer.join();
}

TEST_F(KeyRing, StringEventsCarryAHandleNotAnAddress)
{
    ASSERT_TRUE(QueueStringEvent(VXT("abc"), 7, 3));
    Taken t = Take();
    ASSERT_EQ(t.type, 7);
    const u32 handle = HandleOf(static_cast<u16>(t.value), static_cast<u16>(t.extra));
    int length = 0;
    const wchar16* text = EventText(handle, &length);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::u16string(text, text + length), u"abc");

    // Once freed, the handle names nothing, even when its slot is used again.
    FreeEventText(handle);
    EXPECT_EQ(EventText(handle), nullptr);
    const u32 again = StoreEventText(VXT("xyz"), 3, TextOrigin::User);
    ASSERT_NE(again, 0u);
    EXPECT_NE(again, handle);
    EXPECT_EQ(EventText(handle), nullptr);
    FreeEventText(again);
    EXPECT_EQ(LiveEventTexts(), 0);
}

TEST_F(KeyRing, ARefusedStringEventFreesItsText)
{
    for (int i = 0; i < kKeyEventLimit; ++i)
        QueueInputEvent(1, 'x', 0xFFFF);
    EXPECT_FALSE(QueueStringEvent(VXT("lost"), 7, 4));
    EXPECT_EQ(LiveEventTexts(), 0);
}

}  // namespace
