// The key messages of the 3270 keyboard that the shared key filter leaves to it
// (FamilyHooks::keyMessage): its Alt and Ctrl combinations and the session keys.
#include "terminal/core/base/win32.h"
#include "terminal/emulations/ibmhost/3270/services3270.h"
#include "terminal/input/keyboard/keycodes.h"
#include "terminal/input/macros/keyevents.h"

namespace {

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
