#include "support/hostreset.h"

#include "support/doubles_host.h"
#include "support/test_doubles.h"
#include "terminal/emulations/dec/ansi/aixterm.h"
#include "terminal/emulations/dec/ansi/ansiconsole.h"
#include "terminal/settings/store/connsettings.h"
#include "terminal/comms/telnet/netsession.h"
#include "terminal/comms/telnet/network.h"
#include "terminal/comms/serial/serial.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/family.h"
#include "terminal/core/host/escparser.h"
#include "terminal/core/host/hostio.h"
#include "terminal/core/host/hostread.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/core/host/pushback.h"
#include "terminal/core/screen/paintsettings.h"
#include "terminal/core/paint/textcursor.h"
#include "terminal/core/screen/screenops.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/emulations/dec/keys/keysequences.h"
#include "terminal/emulations/dec/controls/rendition.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/emulations/dec/controls/softfont.h"
#include "terminal/emulations/dec/vtchar.h"
#include "terminal/emulations/dec/controls/vtcharsets.h"
#include "terminal/emulations/dec/vtmodes.h"
#include "terminal/emulations/dec/vtparts.h"
#include "terminal/emulations/dg/dgstate.h"
#include "terminal/emulations/dec/vtservices.h"
#include "terminal/input/macros/keydefs.h"
#include "terminal/input/macros/keyevents.h"
#include "terminal/settings/store/colours.h"
#include "terminal/settings/store/profilevalues.h"
#include "terminal/emulations/wyse/lifecycle.h"
#include "terminal/emulations/wyse/store/wysestore.h"
namespace {
void ResetStore()
{
    FreeScreenLines();
    FreeScreenTable();
    ScreenStoreState& s = Screen;
    s.lineCount = s.pageLength = s.rows = 0;
    s.maxLineCount = kDefaultLineCount;
    s.historyCount = s.historyTarget = s.historyCapacity = 0;
    s.firstLine = 0;
    s.horizontalOffset = 0;
    s.cursorRow = s.cursorColumn = 0;
    s.top = 0, s.bottom = 23, s.left = 0, s.right = 79, s.lastColumn = 79;
    s.multiPage = 0;
    s.pageCoupling = s.horizontalCoupling = s.verticalCoupling = 1;
    s.pageShown = 0;
    s.lineOwner = 0;
    s.rearranging = 0;
    s.scrollBarOn = 1;
    s.windowColumns = kStoreColumns;
    s.pages = ScreenPageTable{};
}
}  // namespace

void ResetHostPath()
{
    LocalMode = 1;  // whatever a previous test left in the send batch goes nowhere
    SendBatchFlush();
    LeaveDgState();
    // A Wyse personality a test started gives its lines back first.
    if (WyseStoreActive())
        LeaveWyse();
    ClearPushBackStacks();
    InjectHostText(nullptr);
    ResetStore();
    KeyboardTypeIndex = 0;
    ResetVtModes();
    CurrentColour = kDefaultColour;
    CurrentRendition = CurrentFlags = 0;
    ClearPendingRowSpan();
    PendingWrap = 0;
    StatusLineWriting = 0;
    PaintSettings.displayOff = 0;
    InSequence = 0;
    ResetCsiCollector();
    ResetControlTracker();
    ResetInputQueueCounters();

    DataBitsSetting = 2;
    PaintSettings.characterMode = 0;
    LocalMode = 0;
    LocalEcho = 0;
    Connection.onCloseAction = 0;
    Connection.onCloseCommand = 0;
    OutputHeld = 0;
    EmulationId = 2;
    RequestedEmulationId = 2;
    // A VT100 model: one page with its history, as the core's own tests expect. The
    // page tests choose a multi-page model themselves.
    TerminalId = 0;
    // The DEC VT family runs; the ANSI console's and AIXterm's engines do not.
    SetActiveFamily(nullptr);
    AnsiConsoleMode = 0;
    AixtermMode = 0;
    Aixterm = AixtermState{};
    AixtermMode = 0;
    DoubleWidthCells = 0;
    LocalEditor = LocalEditorHooks{};
    SetKeyboardLocked(false);
    CameFromKeyboard = 0;
    BellPending = 0;
    KeyStringSendType = 0;
    SocketIndex = kNoSocket;
    ConnectionStartState = 0;
    DisconnectRequested = 0;
    SerialOpenPending = 0;
    QuitRequested = 0;
    ModalOpen = 0;
    MenuActive = 0;
    HasFocus = 1;
    CursorShown = CursorUpdatesSuspended = CursorDisabled = BlinkPending = 0;
    doubles::ResetHost();
    doubles::Reset();
}

void ResetDecState()
{
    // An ANSI console a test entered gives its lines back first.
    FreeScoVirtualScreens();
    AnsiConsole = AnsiConsoleState{};
    AnsiConsoleMode = 0;
    PaintSettings.pcCodePage = 0;
    SetFactoryAttributeColours();
    Colours = ColourFlags{};
    Rendition = RenditionState{};
    Charsets = CharsetExtraState{};
    DecModes = DecModeSet{};
    SoftFont = SoftFontState{};
    ResetSoftFont();
    TerminalId = 8;
    SetFactoryVt300();
    ConnectionValues.comparity = 0;
    ConnectionValues.comspeed = 6;
    PaintSettings.characterMode = 0;
    PaintSettings.reverseScreen = 0;
    PaintSettings.displayControls = 0;
    // What a host may have programmed: keys (and their lock), key definitions, macros.
    InstallVtDefaultKeys();
    DeleteAllKeyDefinitions();
    ClearHostMacros();
}
