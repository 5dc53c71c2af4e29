// The key messages of the IBM 5250 and 3270 keyboards that the shared key filter
// leaves to them (FamilyHooks::keyMessage): the 5250's Return as Enter and its
// text-assist keys, the 3270's Alt and Ctrl combinations.
#include "terminal/emulations/ibmhost/station/keymessages.h"

#include "terminal/input/keyboard/keycodes.h"
#include "terminal/input/macros/keyevents.h"
#include "terminal/settings/store/profilevalues.h"

namespace {

constexpr int kVkHostEnter = 0x97;

struct KeyMapping {
    int vk;
    int keyCode;
    u32 shift;
};

// 5250 text-assist keys: Alt with these keys, sent with no shift.
constexpr KeyMapping kTextAssistKeys[] = {
    {VK_TAB, 188, 0},      {VK_RETURN, 186, 0},     {VK_SPACE, 187, 0},      {'A', 169, 0},
    {'B', 170, 0},         {'C', 171, 0},           {'D', 172, 0},           {'H', 173, 0},
    {'J', 174, 0},         {'N', 175, 0},           {'P', 176, 0},           {'R', 177, 0},
    {'S', 178, 0},         {'U', 179, 0},           {'W', 180, 0},           {'Y', 181, 0},
    {kVkCursorUp, 184, 0}, {kVkCursorLeft, 182, 0}, {kVkCursorDown, 185, 0}, {kVkCursorRight, 183, 0},
};

// The 3270 keyboard's Alt and Ctrl combinations, with the shift state each is sent with.
struct Combination {
    int vk;
    u32 held;
    int keyCode;
    u32 sentShift;
};
constexpr Combination k3270Combinations[] = {
    {'1', kAltBit, 149, 0},         {'2', kAltBit, 164, 0},           {'3', kAltBit, 165, kAltBit},
    {'4', kAltBit, 141, kAltBit},   {'E', kAltBit, 141, kAltBit},     {'6', kAltBit, 149, kShiftBit},
    {'7', kAltBit, 164, kShiftBit}, {'8', kAltBit, 148, kAltBit},     {'N', kAltBit, 138, 0},
    {'T', kAltBit, 138, kAltBit},   {VK_F5, kCtrlBit, 140, kCtrlBit},
};

}  // namespace

bool I5250TextAssistOn()
{
    return false;  // until the 5250's text assist exists
}

int Ibm5250KeyMessage(MSG* m, bool isPress)
{
    const int vk = static_cast<int>(m->wParam);
    const u32 shift = ShiftState;
    // The main keyboard's Return is the host's Enter when the setting says so.
    if (vk == VK_RETURN && !((m->lParam >> 24) & 1) && Vt300Values.CRAsEnter) {
        m->wParam = kVkHostEnter;
        return -1;
    }
    if (I5250TextAssistOn() && shift == kAltBit) {
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

int Ibm3270KeyMessage(MSG* m, bool isPress)
{
    const int vk = static_cast<int>(m->wParam);
    const u32 shift = ShiftState;
    // Session commands: next and previous session, exit.
    if (isPress && ((vk == 'S' && (shift == kAltBit || shift == kCtrlBit)) || (vk == 'X' && shift == kCtrlBit))) {
        QueueInputEvent(3,
                        static_cast<u16>(vk == 'X'          ? 293
                                         : shift == kAltBit ? 294
                                                            : 295),
                        static_cast<u16>(shift));
        return 1;
    }
    if (!isPress && vk == VK_TAB && ((m->lParam >> 29) & 1)) {
        QueueInputEvent(3, 294, static_cast<u16>(shift));
        return 1;
    }
    for (const Combination& c : k3270Combinations)
        if (c.vk == vk && shift == c.held) {
            if (!isPress)
                return 0;
            QueueInputEvent(3, static_cast<u16>(c.keyCode), static_cast<u16>(c.sentShift));
            return 1;
        }
    if (vk == VK_SCROLL && !(shift & kAltBit)) {
        if (!isPress)
            return 0;
        QueueInputEvent(3, 139, static_cast<u16>(shift));
        return 1;
    }
    return -1;
}
