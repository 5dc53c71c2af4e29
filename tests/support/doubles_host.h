// Recording stand-ins for what the host path calls outside the engines: the serial
// port, opening and closing network sessions, capture, printing and login scripts (comms), the painter and
// scroll bar (display), the user-interface side and the host-data thread's waits (ui).
// Engine tests are single-threaded: the doubles take no locks.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "terminal/core/base/vxtypes.h"

namespace doubles {

struct CommsDouble {
    // Serial port.
    bool serialRecord = false;
    bool serialOpen = false;
    bool transmitPacing = false;
    std::deque<int> serialIncoming;
    std::vector<u8> serialSent;        // every byte queued or written
    std::vector<int> serialSendCalls;  // 1 per queued byte, n per block write
    int transmitDelays = 0;
    int serialOpensPending = 0;
    int serialBreaks = 0;
    // Network sessions.
    int closes = 0;
    int connectStarts = 0;
    int connectResult = -1;
    // Replay and capture.
    bool replayOpen = false;
    std::deque<int> replay;
    bool captureOpen = false, diverting = false, debugMode = false, rawTelnetCapture = false;
    std::vector<u8> captured;
    int divertingEnds = 0;
    bool replayToHost = false;
    int replayStops = 0;
    int replayStepAnswer = 4;  // IDRETRY
    int replaySteps = 0;
    std::vector<u8> capturedRaw, capturedSent;
    struct HostCapture {
        int mode;
        std::string name;
    };
    std::vector<HostCapture> hostCaptures;
    std::vector<HostCapture> hostCaptureFiles;  // opened without diverting the data
    bool hostCaptureResult = false;             // whether the host's capture file opens
    // Printing and the auxiliary port.
    bool printerController = false, passThrough = false, printing = false;
    std::vector<u8> printed, auxPrinted;
    bool printerAvailable = false;
    int printMode = 0;
    int cursorLinesPrinted = 0;
    int printerRefreshes = 0;
    std::vector<std::string> printCalls;
    // Login script.
    bool loginRunning = false;
    std::vector<int> loginSeen;
    int loginStarts = 0, loginStops = 0;
};
CommsDouble& Comms();

struct DisplayCall {
    std::string what;  // "row", "region", "up", "down", "rect", "cursor", "range", "thumb"
    int a = 0, b = 0, c = 0, d = 0;
};
struct DisplayDouble {
    std::vector<DisplayCall> calls;
    int frameRequests = 0;
    int Count(const std::string& what) const;
};
DisplayDouble& Display();

struct UiDouble {
    std::vector<u32> postedCommands;
    std::vector<std::u16string> hostTitles;  // each title the host set
    int connectionRefreshes = 0;
    int idleUpdates = 0;
    int viewServes = 0;  // ServeViewRequests calls
    int holdLockRefreshes = 0;
    int selectionClears = 0;
    int repeatGateReleases = 0;
    std::vector<u32> keyboardLocks;  // seconds of each timed lock
    struct KeyMessage {
        u32 message, wParam, lParam;
    };
    std::vector<KeyMessage> postedKeys;
    std::vector<bool> decKeyField;      // each refresh of the DEC key field
    bool statusLineFeature = true;      // the "StatusLine" start-up option
    std::map<u32, u32> statusBarTexts;  // field id to the string id it shows (0 cleared)
    // The host-data thread as a reader sees it. With holdWhenIdle, a reader that has
    // nothing left to read is told to go back to the top (kReadHeld), which ends the
    // test's feeding loop; onWait runs inside each wait instead when set.
    bool holdWhenIdle = true;
    bool held = false;
    int waits = 0;
    std::function<void()> onWait;
};
UiDouble& Ui();

// Clears all three and the network double.
void ResetHost();

}  // namespace doubles
