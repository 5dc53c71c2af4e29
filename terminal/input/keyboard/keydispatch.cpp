#include "terminal/input/keyboard/keydispatch.h"

#include "terminal/core/base/family.h"
#include "terminal/core/host/pushback.h"

std::atomic<u32> DispatchShiftState{0};

void DispatchKey(int keyCode, int shift)
{
    DispatchShiftState = static_cast<u32>(shift);
    if (KeyboardStackCount() > 0)
        return;
    if (auto dispatch = ActiveFamily().dispatchKey)
        dispatch(keyCode, shift);
}
