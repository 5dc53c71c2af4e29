// The executor of key events on the host-data thread: literal text and its send modes,
// the user's key definitions, window and program events and who may make them, the
// compose key, and XON/XOFF from the keyboard.
#include <gtest/gtest.h>

#include <string>

#include "terminal/input/keys_fixture.h"
#include "support/doubles_input.h"
#include "support/test_doubles.h"
#include "terminal/core/host/hostio.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/core/host/pushback.h"
#include "terminal/input/macros/eventtext.h"
#include "terminal/input/macros/inputpump.h"
#include "terminal/input/macros/keydefs.h"
#include "terminal/input/macros/keyevents.h"
#include "terminal/settings/store/profilevalues.h"

namespace {

using InputPump = KeyPathTest;

constexpr u32 kVkF5 = 0x74;

std::string TypedUnits(int count, std::string* modes = nullptr)
{
    std::string units;
    for (int i = 0; i < count; ++i) {
        int value = 0, extra = 0;
        const int type = ExecuteInputEvent(value, extra, true);
        if (type != 1)
            break;
        units.push_back(static_cast<char>(value));
        if (modes)
            modes->push_back(static_cast<char>('0' + KeyStringSendType.load()));
    }
    return units;
}

TEST_F(InputPump, LiteralTextIsTypedUnitByUnitInItsSendMode)
{
    QueueStringEventZ(VXT("ab"), 8);  // send type 2: processed locally
    QueueInputEvent(1, 'c', 0xFFFF);
    QueueStringEventZ(VXT(""), 7);  // an empty text leaves nothing behind
    QueueStringEventZ(VXT("d"), 9);
    std::string modes;
    EXPECT_EQ(TypedUnits(10, &modes), "abcd");
    EXPECT_EQ(modes, "2201");
    EXPECT_EQ(LiveEventTexts(), 0);  // each text freed with its last unit
}

TEST_F(InputPump, AKeyDefinitionRunsBeforeWhatWasQueuedEarlier)
{
    ASSERT_TRUE(AddKeyDefinition(kVkF5, 0, kKeyMacro, 1, 3, VXT("xyz"), nullptr));
    QueueInputEvent(2, kVkF5, 1);
    QueueInputEvent(1, 'q', 0xFFFF);
    EXPECT_EQ(TypedUnits(10), "xyzq");
    // Without a definition for that shift state the key goes on as a special key.
    QueueInputEvent(2, kVkF5, 0);
    int value = 0, extra = 0;
    EXPECT_EQ(ExecuteInputEvent(value, extra, true), 3);
    EXPECT_EQ(value, static_cast<int>(kVkF5));
}

TEST_F(InputPump, TheUsersCommandsRunAndAFailureIsReported)
{
    ASSERT_TRUE(QueueStringEventZ(VXT("Notepad"), 10));
    ASSERT_TRUE(QueueStringEventZ(VXT("missing.exe /x"), 12));
    QueueInputEvent(1, 'k', 0xFFFF);
    doubles::Input().startError = 2;
    EXPECT_EQ(TypedUnits(1), "k");  // input goes on after the failure
    EXPECT_EQ(doubles::Input().raisedClasses, std::vector<std::u16string>{u"Notepad"});
    EXPECT_EQ(doubles::Input().startedCommands, std::vector<std::u16string>{u"missing.exe /x"});
    ASSERT_EQ(doubles::Recorded().messageBoxes.size(), 1u);
    EXPECT_EQ(doubles::Recorded().messageBoxes[0].id, 7174u);
    EXPECT_EQ(doubles::Recorded().messageBoxes[0].text, u"missing.exe /x|2");
    EXPECT_EQ(LiveEventTexts(), 0);
}

TEST_F(InputPump, HostTextNeverStartsAProgramOrRaisesAWindow)
{
    // Refused when queued...
    EXPECT_FALSE(QueueStringEventZ(VXT("cmd.exe"), 12, TextOrigin::Host));
    EXPECT_FALSE(QueueStringEventZ(VXT("Shell_TrayWnd"), 10, TextOrigin::Host));
    // ...and not run when such an event reaches the executor anyway.
    const u32 handle = StoreEventText(VXT("cmd.exe"), 7, TextOrigin::Host);
    ASSERT_TRUE(PushInputEventFront(12, HandleHigh(handle), HandleLow(handle)));
    // A key string the host defined is typed literally, parentheses and all.
    ASSERT_TRUE(AddKeyDefinition(kVkF5, 0, kKeyMacro, 0, 7, VXT("(calc)x"), nullptr, TextOrigin::Host));
    QueueInputEvent(2, kVkF5, 0);
    EXPECT_EQ(TypedUnits(20), "(calc)x");
    EXPECT_TRUE(doubles::Input().startedCommands.empty());
    EXPECT_TRUE(doubles::Input().raisedClasses.empty());
    EXPECT_EQ(LiveEventTexts(), 0);
}

TEST_F(InputPump, UnknownEventTypesEndTheCall)
{
    const u32 handle = StoreEventText(VXT("'x'"), 3, TextOrigin::User);
    QueueInputEvent(11, HandleHigh(handle), HandleLow(handle));
    QueueInputEvent(1, 'n', 0xFFFF);
    int value = 0, extra = 0;
    EXPECT_EQ(ExecuteInputEvent(value, extra, true), -1);
    EXPECT_EQ(value, 0xFFFF);
    EXPECT_EQ(LiveEventTexts(), 0);
    EXPECT_EQ(TypedUnits(1), "n");
}

TEST_F(InputPump, ComposePairsInEitherOrder)
{
    struct Pair {
        char first, second;
        int result;
    };
    for (const Pair& p :
         {Pair{'A', '`', 0xC0}, Pair{'`', 'A', 0xC0}, Pair{'+', '+', '#'}, Pair{'e', '\'', 0xE9}}) {
        EXPECT_EQ(ComposeKey(0), 0xFFFF);
        EXPECT_EQ(ComposeKey(p.first), 0xFFFF);
        EXPECT_EQ(ComposeKey(p.second), p.result) << p.first << p.second;
        EXPECT_EQ(ComposeState(), -1);
    }
    BellPending = 0;
    ComposeKey(0);
    ComposeKey('q');
    EXPECT_EQ(ComposeKey('7'), -1);
    EXPECT_EQ(BellPending, 1);
}

TEST_F(InputPump, TypedCharactersGoThroughTheComposeKey)
{
    UseEmulation(2);
    HandleCharMessage('x');
    ComposeKey(0);
    HandleCharMessage('o');  // kept, nothing queued yet
    EXPECT_EQ(KeyEventCount(), 1);
    HandleCharMessage('c');
    HandleCharMessage('y');
    Pump();
    EXPECT_EQ(TakeSent(), "x\xA9y");
}

TEST_F(InputPump, XonXoffKeysHoldTheScreenWithFlowControl)
{
    UseEmulation(2);
    ConnectionValues.comflowc = 1;
    HandleCharMessage(19);
    EXPECT_EQ(OutputHeld, 1);
    HandleCharMessage(17);
    EXPECT_EQ(OutputHeld, 0);
    EXPECT_EQ(KeyEventCount(), 0);
    ConnectionValues.comflowc = 0;
    HandleCharMessage(19);
    EXPECT_EQ(OutputHeld, 0);
    EXPECT_EQ(KeyEventCount(), 1);
}

TEST_F(InputPump, TextFromAKeyDefinitionWithLocalSendTypeStaysLocal)
{
    UseEmulation(2);
    ASSERT_TRUE(AddKeyDefinition(kVkF5, 2, kKeyMacro, 0, 2, VXT("hi"), nullptr));
    ASSERT_TRUE(AddKeyDefinition(kVkF5, 1, kKeyMacro, 1, 2, VXT("up"), nullptr));
    QueueInputEvent(2, kVkF5, 0);
    Pump();
    EXPECT_EQ(TakeSent(), "");
    EXPECT_EQ(Row(0), "hi");  // shown, as received data
    QueueInputEvent(2, kVkF5, 1);
    Pump();
    EXPECT_EQ(TakeSent(), "up");
}

}  // namespace
