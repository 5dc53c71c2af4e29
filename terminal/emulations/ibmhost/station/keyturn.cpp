#include "terminal/emulations/ibmhost/station/keyturn.h"

#include "terminal/core/paint/textcursor.h"
#include "terminal/core/screen/display.h"
#include "terminal/input/macros/inputpump.h"
#include "terminal/input/macros/keyevents.h"

bool TakeHostKeys(const HostKeyTurn& t, u32& wasLocked)
{
    bool any = false;
    for (;;) {
        const bool locked = t.locked(t.session);
        if (wasLocked && !locked)
            FlushDeferredKeys();
        wasLocked = locked ? 1 : 0;
        int value = -1, extra = -1;
        const int type = ExecuteInputEvent(value, extra, true);
        if (type != 1 && type != 3)
            return any;
        any = true;
        HideCursorForUpdate();
        if (type == 3)
            t.key(t.session, value, static_cast<u32>(extra < 0 ? 0 : extra));
        else if (t.locked(t.session) && t.holdsTyped(t.session))
            PushDeferredKey(value, -1);
        else
            t.typed(t.session, static_cast<wchar16>(value));
        if (t.after && !t.after(t.session))
            return true;
    }
}
