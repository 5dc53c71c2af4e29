// The key messages of the 5250 keyboard that the shared key filter leaves to it
// (FamilyHooks::keyMessage): the main keyboard's Return as Enter when set so, and the
// text-assist keys (Alt with letters and cursor keys) while text-assist mode is on.
#include "terminal/core/base/win32.h"
#include "terminal/emulations/ibmhost/5250/services5250.h"
#include "terminal/emulations/ibmhost/5250/session5250.h"
#include "terminal/input/keyboard/keycodes.h"
#include "terminal/input/macros/keyevents.h"
#include "terminal/settings/store/profilevalues.h"

namespace {
constexpr int kVkHostEnter = 0x97;

struct KeyMapping {
    int vk;
    int keyCode;
};

// Text-assist keys: Alt with these keys, sent with no shift.
constexpr KeyMapping kTextAssistKeys[] = {
    {VK_TAB, 188}, {VK_RETURN, 186},   {VK_SPACE, 187},      {'A', 169},           {'B', 170},
    {'C', 171},    {'D', 172},         {'H', 173},           {'J', 174},           {'N', 175},
    {'P', 176},    {'R', 177},         {'S', 178},           {'U', 179},           {'W', 180},
    {'Y', 181},    {kVkCursorUp, 184}, {kVkCursorLeft, 182}, {kVkCursorDown, 185}, {kVkCursorRight, 183},
};

bool TextAssistOn()
{
    const I5250Session* s = I5250ActiveSession;
    return s && s->text.mode;
}
}  // namespace

int Ibm5250KeyMessage(MSG* m, bool isPress)
{
    const int vk = static_cast<int>(m->wParam);
    const u32 shift = ShiftState;
    // The main keyboard's Return is the host's Enter when the setting says so.
    if (vk == VK_RETURN && !((m->lParam >> 24) & 1) && Vt300Values.CRAsEnter) {
        m->wParam = kVkHostEnter;
        return -1;
    }
    if (TextAssistOn() && shift == kAltBit) {
        for (const KeyMapping& k : kTextAssistKeys)
            if (k.vk == vk) {
                if (!isPress)
                    return 0;
                QueueInputEvent(3, static_cast<u16>(k.keyCode), 0);
                return 1;
            }
    }
    return -1;
}
