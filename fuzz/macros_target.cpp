// Texts users and the clipboard bring to the keyboard path: macro strings of key
// definitions, hot spots and mouse macros (key names, brackets, window and program
// tokens) run through the key-event executor in each send mode and from either origin;
// clipboard text filtered for a paste; key names and combinations read back.
//
// Checked besides the sanitizers: the executor ends with every event text freed; a
// program or window event never comes from a host's text; a filtered paste is no longer
// than the clipboard text and holds no box-drawing character.
#include <fuzzer/FuzzedDataProvider.h>

#include <vector>

#include "fuzz/check.h"
#include "support/doubles_input.h"
#include "terminal/core/screen/selectiontext.h"
#include "terminal/input/macros/eventtext.h"
#include "terminal/input/macros/inputpump.h"
#include "terminal/input/macros/keyevents.h"
#include "terminal/input/macros/keynames.h"

namespace {

std::vector<wchar16> Units(FuzzedDataProvider& in, std::size_t most)
{
    const std::vector<u8> bytes = in.ConsumeBytes<u8>(2 * in.ConsumeIntegralInRange<std::size_t>(0, most));
    std::vector<wchar16> units;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        units.push_back(static_cast<wchar16>(bytes[i] | bytes[i + 1] << 8));
    return units;
}

bool Initialised()
{
    static const bool done = AllocInputQueues();
    return done;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size)
{
    if (!Initialised())
        return 0;
    FuzzedDataProvider in(data, size);
    ResetInputQueueCounters();
    ResetInputPumpState();
    doubles::Input() = doubles::InputDouble{};

    const int mode = in.ConsumeIntegralInRange<int>(4, 6);
    const TextOrigin origin = in.ConsumeBool() ? TextOrigin::Host : TextOrigin::User;
    const std::vector<wchar16> macro = Units(in, 700);
    QueueStringEvent(macro.data(), mode, static_cast<int>(macro.size()), origin);
    // As the reader does: a call that gives nothing (an event the executor does not run)
    // is followed by another while events wait.
    for (int step = 0; step < 20000; ++step) {
        int value = 0, extra = 0;
        if (ExecuteInputEvent(value, extra, false) == -1 && !KeyEventsPending() &&
            BufferedKeyDefinitionCount() == 0)
            break;
    }
    VX_FUZZ_CHECK(!KeyEventsPending());
    VX_FUZZ_CHECK(LiveEventTexts() == 0);
    if (origin == TextOrigin::Host)
        VX_FUZZ_CHECK(doubles::Input().startedCommands.empty() && doubles::Input().raisedClasses.empty());

    const bool keep = in.ConsumeBool();
    std::vector<wchar16> clip = Units(in, 300);
    const SelectionText pasted = FilterPasteText(clip.data(), clip.size(), keep);
    VX_FUZZ_CHECK(pasted.size() <= clip.size());
    for (wchar16 u : pasted)
        VX_FUZZ_CHECK(!IsBoxDrawingChar(static_cast<u16>(u)));

    std::vector<wchar16> name = Units(in, 40);
    name.push_back(0);
    int virtualKey = 0, shift = 0;
    if (ParseKeyCombinationName(name.data(), &virtualKey, &shift)) {
        wchar16 back[40];
        VX_FUZZ_CHECK(FormatKeyCombinationName(virtualKey, shift, back) > 0);
    }
    int key = 0, keyShift = 0;
    KeyNameToKey(name.data(), -1, &key, &keyShift);
    return 0;
}
