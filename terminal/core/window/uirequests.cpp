#include "terminal/core/base/uirequests.h"

#include "terminal/core/base/handles.h"
#include "terminal/core/base/menus.h"
#include "terminal/comms/printing/printjob.h"
#include "terminal/comms/serial/serial.h"
#include "terminal/core/window/selection/selection.h"
#include "terminal/core/base/uiservices.h"

bool PostUiRequest(WPARAM request, LPARAM argument)
{
    return MainWindowHandle && PostMessageW(MainWindowHandle, kMsgUiRequest, request, argument);
}

void HandleUiRequest(WPARAM request, LPARAM argument)
{
    switch (request) {
    case kUiUpdateTitle: UpdateWindowTitle(MainWindowHandle); break;
    case kUiLockKeyboard: LockKeyboardTimed(static_cast<u32>(argument)); break;
    case kUiUpdateConnectionMenu: UpdateConnectionMenu(); break;
    case kUiClearSelection: ClearSelectionMarks(); break;
    case kUiSerialBreak: StartSerialBreak(); break;
    case kUiUpdateCaptureMenus:
        UpdateCaptureMenuText();
        UpdateReplayMenuText();
        break;
    case kUiPrintWindows: ServePrintWindowRequest(argument); break;
    case kUiHostTitle: TakeHostWindowTitle(); break;
    case kUiViewPanned: SelectionFollowsView(); break;
    }
}
