#include "terminal/core/frame/uirequests.h"

#include "terminal/comms/printjob.h"
#include "terminal/comms/serial.h"
#include "terminal/core/frame/commands.h"
#include "terminal/core/frame/mainwindow.h"
#include "terminal/core/frame/selection.h"
#include "terminal/core/frame/title.h"
#include "terminal/core/frame/uiservices.h"

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
