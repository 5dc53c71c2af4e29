#include "terminal/emulations/ibmhost/5250/lifecycle5250.h"

#include <cstdlib>
#include <new>
#include <string>

#include "terminal/core/base/messagebox.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/emulations/ibmhost/5250/screen/cells5250.h"
#include "terminal/emulations/ibmhost/5250/fields/format5250.h"
#include "terminal/emulations/ibmhost/5250/services5250.h"
#include "terminal/emulations/ibmhost/5250/settings5250.h"
#include "terminal/emulations/ibmhost/5250/screen/status5250.h"
#include "terminal/emulations/ibmhost/5250/textassist/textassist5250.h"
#include "terminal/emulations/ibmhost/station/hostcodepage.h"

namespace {
constexpr u32 kOutOfMemory = 7100;
constexpr u32 kSbcsFilesMissing = 7171;

// The device codes of the models 0-14, as the query reply names them.
constexpr const char* kDeviceCodes[15] = {
    "5291001", "5292002", "5251011", "3179002", "3196A1 ", "3180002", "3477FC ", "3477FG ",
    "3486BA ", "3487HA ", "3487HC ", "3812001", "5555B01", "5555C01", "5553B01",
};

constexpr I5250Geometry kNarrow{2, 1920, 24, 80, 9, 16};
constexpr I5250Geometry kWide{5, 3564, 27, 132, 6, 14};

bool WideModel(int model)
{
    return model == 5 || model == 6 || model == 7 || model == 9 || model == 10;
}

void OutOfMemory()
{
    MessageBoxById(kOutOfMemory);
    PostExitCommand();
}

void SetErrorLine(I5250Session* s)
{
    s->errorLineStart = s->current.rows * s->current.columns + 1;
    s->defaultErrorRow = static_cast<i16>(s->current.rows - 1);
    s->errorRow = s->defaultErrorRow;
    s->coveredRow = s->defaultErrorRow;
}
}  // namespace

const char* I5250DeviceCode(int model)
{
    return kDeviceCodes[model >= 0 && model < 15 ? model : 3];
}

void I5250SetupCodePage(I5250Session* s)
{
    const I5250Settings& c = I5250Config;
    s->fontIndex = c.font;
    s->ccsid = c.codePage;
    s->charSet = c.charSet;
    if (!HostCodePageAvailable(s->ccsid)) {
        MessageBoxFormatIdNumber(kSbcsFilesMissing, s->ccsid);
        s->ccsid = 37;
        s->charSet = 697;
    }
    s->e2e = LoadHostCodePageSection(s->ccsid, VXT("E2E"));
    if (s->e2e.empty())
        s->codePageFlags &= static_cast<u8>(~0x08);
    else
        s->codePageFlags |= 0x08;
    const std::vector<u8> alt = LoadHostCodePageSection(s->ccsid, VXT("ALT"));
    s->altCodePage = alt.empty() ? 0 : static_cast<u16>(std::atoi(std::string(alt.begin(), alt.end()).c_str()));
    if (!LoadHostCodePage(s->ccsid, s->s2u, s->u2s))
        PostExitCommand();
}

void I5250ClearUnit(I5250Session* s, bool alternate, bool repaintNow)
{
    I5250RemoveSelectionFields(s, -1);
    s->windows.clear();
    const I5250Geometry& size = alternate ? s->alternate : s->defaults;
    const bool changed = size.bufferSize != s->current.bufferSize || size.columns != s->current.columns;
    if (changed)
        s->current = size;
    // Nothing is shown on the message line after a clear; its row shows again.
    s->errorLineInUse = 0;
    s->cursor = 1;
    s->insertCursor = 0;
    s->homeAddress = 0;
    SetErrorLine(s);
    I5250ClearCells(s);
    I5250ClearMessageLine(s);
    I5250RedrawStatusRow(s);
    if (changed)
        I5250ApplyScreenSize(s);
    I5250ClearFormatTableEntries(s);
    s->cursor = 1;
    if (repaintNow) {
        I5250RepaintScreen(s);
    } else {
        for (HostCell& c : s->cells)
            c.flags |= kCellChanged;
        s->displayDirty = 1;
    }
}

bool I5250InitSession(I5250Session* s)
{
    s->inhibited = 0;
    s->inputState = 1;
    s->printerState = 0;
    try {
        s->output.assign(kOutputUnitsMax, 0);
    } catch (const std::bad_alloc&) {
        OutOfMemory();
        return false;
    }
    s->outputLength = 0;
    s->model = I5250Config.model < 15 ? I5250Config.model : 3;
    s->printerSession = s->model == k5250PrinterModel ? 1 : 0;
    const char* code = I5250DeviceCode(s->model);
    for (int i = 0; i < 8; ++i)
        s->deviceCode[i] = i < 7 ? static_cast<wchar16>(code[i]) : 0;
    s->serial = 0;
    s->monochrome = I5250Config.mono;
    I5250SetupCodePage(s);
    for (u8& b : s->capabilities)
        b = 0;
    if (!s->printerSession) {
        s->capabilities[0] = 0x7F;
        s->capabilities[1] = 0x10;
        s->capabilities[2] = 0x04;
        if (I5250Config.enhancedUi) {
            s->capabilities[4] |= 0x03;
            s->capabilities[5] |= 0x80;
        }
        if (WideModel(s->model))
            s->capabilities[1] |= 0x20;
        if (!s->monochrome) {
            s->capabilities[1] |= 0x01;
            s->capabilities[2] |= 0x02;
        }
        s->capabilities[2] |= 0x48;
    }
    s->selector = s->printerSession ? 1 : 2;
    s->defaults = kNarrow;
    s->alternate = WideModel(s->model) ? kWide : kNarrow;
    s->current = s->defaults;
    s->largestBuffer = s->alternate.bufferSize;
    s->largestRows = s->alternate.rows;
    s->largestColumns = s->alternate.columns;
    s->maxInputFields = 256;
    s->currentField = -1;
    s->cursor = 1;
    for (i32& c : s->savedCursors)
        c = 1;
    s->rulerOn = 0;
    s->rulerFollow = I5250Config.ruleFollow;
    s->rulerType = I5250Config.ruleType;
    s->rulerPosition = 1;
    s->rulerDrawn = 0;
    // The delay is set in seconds; the timer counts milliseconds.
    s->unlockDelay = static_cast<u32>(I5250Config.kbUnlock) * 1000;
    s->invite = 0;
    s->recordSent = 0;
    s->lastShownCursor = -1;
    SetErrorLine(s);
    if (s->printerSession)
        return true;  // a printer has no screen
    try {
        s->rows.assign(static_cast<std::size_t>(s->largestRows + 2), HostDisplayRow{});
        s->cells.assign(static_cast<std::size_t>(s->largestBuffer + s->largestColumns + 1), HostCell{});
        s->lines.assign(s->largestRows, I5250LineRecord{});
    } catch (const std::bad_alloc&) {
        I5250FreeSession(s);
        OutOfMemory();
        return false;
    }
    I5250ClearUnit(s, false, false);
    s->inputState = 1;
    I5250SetInputState(s, 1);
    return true;
}

bool I5250ResetSession(I5250Session* s, int model)
{
    const u32 rulerOn = s->rulerOn;
    const u8 blockMode = s->blockMode;
    const u32 telnetFlag = s->telnetFlag;
    // The printer's status window belongs to the user-interface thread: it stays.
    const I5250Printer printer = s->printer;
    I5250FreeSession(s);
    I5250Session& r = *s;
    r = I5250Session{};
    r.blockMode = blockMode;
    r.telnetFlag = telnetFlag;
    r.printer.window = printer.window;
    r.printer.windowFailed = printer.windowFailed;
    r.printer.clientHeight = printer.clientHeight;
    r.printer.clientWidth = printer.clientWidth;
    I5250Config.model = static_cast<u8>(model >= 0 && model < 15 ? model : 3);
    const bool ok = I5250InitSession(s);
    s->rulerOn = rulerOn;
    return ok;
}

void I5250FreeSession(I5250Session* s)
{
    s->fields.clear();
    s->selections.clear();
    s->windows.clear();
    s->rows.clear();
    s->rows.shrink_to_fit();
    s->cells.clear();
    s->cells.shrink_to_fit();
    s->output.clear();
    s->output.shrink_to_fit();
    s->lines.clear();
    s->e2e.clear();
    s->s2u.clear();
    s->u2s.clear();
    I5250ClearTextAssist(s);
}
