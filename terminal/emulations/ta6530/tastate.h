// The TA6530's state: its four terminal modes, the page store it keeps for itself (the
// core's line table never holds its lines), the hold flags that keep keyboard and host
// commands apart, and the settings its commands change. One instance, owned by the
// family; everything here runs on the host-data thread, and the user-interface thread
// reads the store only under the frame lock (painting, selection).
#pragma once

#include "terminal/core/screen/screenstore.h"
#include "terminal/settings/store/hls.h"

constexpr u8 kTaConversational = 0, kTaBlock = 1, kTaProtected = 2, kTaAnsi = 3;
constexpr u8 kTaNoMode = 255;  // the previous mode after a reset

constexpr int kTaColumns = 80, kTaRows = 24, kTaLines = 400, kTaMaxPages = 16;
constexpr int kTaStatusRow = 24;

// A cell is a ScreenCell read the TA6530's way: `ch` the character (128-156 line
// drawing), `colour` a field's colour byte (bits 0-2 foreground, 4-6 background code),
// `rendition` the video byte, `flags` a field start's data byte. Bit 7 of `flags` is the
// selection mark the core writes, which every write keeps.
constexpr u8 kTaHalf = 0x01, kTaBlink = 0x02, kTaReverse = 0x04, kTaInvisible = 0x08, kTaUnderline = 0x10;
constexpr u8 kTaVideoBits = 0x1F, kTaAttributeCell = 0x20, kTaFieldStart = 0x40, kTaKeepVideo = 0x80;
constexpr u8 kTaModified = 0x01, kTaDataTypeBits = 0x0E, kTaNoAutoTab = 0x10, kTaProtectedField = 0x20;
constexpr u8 kTaUpshift = 0x40;

struct TaLine {
    u8 blinking;     // the line has visible blinking cells
    u8 doubleWidth;  // ESC 8 / ESC 9
    ScreenCell cells[kTaColumns];
};

// A page: up to 24 lines of the line table with its cursor (where typed input goes)
// and buffer address (where the host writes in the block modes).
struct TaPage {
    u8 baseVideo;  // 0x60 plus the attribute in force before the first attribute cell
    u8 baseData;   // 0x20 (protected) in protected block mode
    int cursorLine, cursorColumn;
    int bufferLine, bufferColumn;
    int top, bottom;  // the lines shown
    int first, last;  // the page's lines
};

// The settings of the profile's "TA6530" section.
struct Ta6530Settings {
    u32 defMode;     // 0 conversational, 1 ANSI, 2 block
    u32 border;      // the rule above the status row shows
    u32 marginBell;  // 0 none
    u32 bellOn;
    u32 packetBlock;  // 0-7
    u32 returnFunc;   // Return sends function code "V" in the block modes
    u32 telserv;      // reduced framing on network connections
    u8 frg[16], bck[16];
    HlsPalette palette;
};

// Which of its three lines row 24 shows.
enum class TaRow24 : u8 { Status, Error, Host };

struct TaSavedCursor {
    int row, column;
    u8 attribute;
};

struct Ta6530State {
    bool entered = false;  // the store is built (between entry and leave)
    u8 mode = kTaConversational, previousMode = kTaNoMode;
    bool firstModeRun = true;
    // The byte being processed came from the keyboard.
    bool fromKeyboard = false;
    // A keyboard command holds host bytes back, a host command holds keys back.
    bool keyboardHold = false, hostHold = false;
    bool shiftOutHost = false, shiftOutKeyboard = false;
    int lastColumn = kTaColumns - 1;
    char tabs[kTaColumns];
    bool keyboardLocked = false, insert = false, newLine = false, autoWrap = true;
    bool lineEditing = true, colourMode = false;
    bool cursorVisible = true;  // ANSI CSI ? 25
    u8 attribute = 0;           // the ANSI attribute in force
    u8 lastChar = ' ';
    TaSavedCursor saved{};
    // Configuration values kept for the reports.
    u8 valueD = 1, valueP = 0, valueT = 0, valueU = 1, valueX = 7;
    u8 g0 = 0, g1 = 11, language = 0;
    u8 returnString[6] = {13};
    u8 returnLength = 1;
    bool identified = false;  // an identification was sent since the program started
    u8 flowControl = 0;       // the line's flow-control setting as stored
    int keyShift = 0;         // the shift state of the key being handled

    // The page store.
    TaLine* lines[kTaLines] = {};
    TaPage pages[kTaMaxPages + 1] = {};
    int pageCount = kTaMaxPages, pagesInUse = kTaMaxPages;
    int writePage = 0, displayPage = 0;
    // The window's rows: the display page's lines from its top (blank lines until a
    // page is shown), and row 24.
    TaLine* screen[kTaRows] = {};
    TaRow24 row24 = TaRow24::Status;
    TaLine statusLine{}, errorLine{}, hostLine{};

    u8 dataTypes[256] = {};
    u8 fieldTable[33][3] = {};  // the settable field definitions, 1-32 used
    u8 attributeColours[32] = {};
};

extern Ta6530State Ta;
extern Ta6530Settings TaSettings;

// The page a byte being processed acts on: the display page's for a typed byte, the
// write page's for a host byte.
TaPage& TaCurrentPage();
inline bool TaBlockMode()
{
    return Ta.mode == kTaBlock || Ta.mode == kTaProtected;
}
// The line of the line table at `index`.
TaLine& TaLineAt(int index);
// A field start's data byte without the selection mark.
inline u8 TaDataByte(const ScreenCell& cell)
{
    return cell.flags & 0x7F;
}
