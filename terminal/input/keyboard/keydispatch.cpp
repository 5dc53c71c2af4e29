#include "terminal/input/keyboard/keydispatch.h"

#include "terminal/core/base/family.h"
#include "terminal/core/host/pushback.h"
#include "terminal/input/macros/inputpump.h"

void DispatchKey(int keyCode, int shift)
{
    DispatchShiftState = static_cast<u32>(shift);
    if (KeyboardStackCount() > 0)
        return;
    if (auto dispatch = ActiveFamily().dispatchKey)
        dispatch(keyCode, shift);
}
