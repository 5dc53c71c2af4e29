#include "terminal/emulations/ibmhost/3270/printer/page3287.h"
#include "terminal/emulations/ibmhost/3270/models3270.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "terminal/comms/telnet/telnetoptions.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/core/base/messagebox.h"
#include "terminal/emulations/ibmhost/3270/datastream3270.h"
#include "terminal/emulations/ibmhost/station/hostcodepage.h"
#include "terminal/emulations/ibmhost/3270/inbound3270.h"
#include "terminal/emulations/ibmhost/3270/oia3270.h"
#include "terminal/emulations/ibmhost/3270/settings3270.h"

namespace {
constexpr u32 kOutOfMemory = 7100;
constexpr u32 kSbcsFilesMissing = 7171;

// Alternate sizes of the four members of a display family: -2, -3, -4, -5.
constexpr i16 kAlternateSizes[4][2] = {{24, 80}, {32, 80}, {43, 80}, {27, 132}};

void Derive(I3270Geometry& g, int rows, int columns, int size, bool printer)
{
    g.rows = static_cast<i16>(rows);
    g.columns = static_cast<i16>(columns);
    g.bufferSize = size;
    if (printer) {
        g.sizeCode = 0;
        g.cellWidth = 10;
        g.cellHeight = 8;
    } else if (columns > 80) {
        g.sizeCode = 5;
        g.cellWidth = 6;
        g.cellHeight = 14;
    } else if (rows > 32) {
        g.sizeCode = 4;
        g.cellWidth = 9;
        g.cellHeight = 9;
    } else if (rows <= 24) {
        g.sizeCode = 2;
        g.cellWidth = 9;
        g.cellHeight = 16;
    } else {
        g.sizeCode = 3;
        g.cellWidth = 9;
        g.cellHeight = 12;
    }
}

int FamilyMember(int rows, int columns, int altRows, int altColumns)
{
    if (columns > 80 || altColumns > 80)
        return 3;
    if (rows > 32 || altRows > 32)
        return 2;
    if (rows > 24 || altRows > 24)
        return 1;
    return 0;
}

void OutOfMemory()
{
    MessageBoxById(kOutOfMemory);
    PostExitCommand();
}
}  // namespace

void I3270ModelGeometry(int model, I3270Geometry& defaults, I3270Geometry& alternate)
{
    if (model == k3287PrinterModel) {
        Derive(defaults, 30, 132, 4016, true);
        Derive(alternate, 30, 132, 4016, true);
        return;
    }
    const i16* alt = kAlternateSizes[(model < 0 ? 0 : model) % 4];
    Derive(defaults, 24, 80, 1920, false);
    Derive(alternate, alt[0], alt[1], alt[0] * alt[1], false);
}

bool I3270SetGeometry(I3270Session* s, int rows, int columns, int size, int altRows, int altColumns, int altSize)
{
    if (s->model != k3287PrinterModel) {
        const int member = FamilyMember(rows, columns, altRows, altColumns);
        const int model = s->model - s->model % 4 + member;
        if (model != s->model)
            I3270ResetSession(s, model);
    }
    const bool printer = s->model == k3287PrinterModel;
    Derive(s->defaults, rows, columns, size, printer);
    Derive(s->alternate, altRows, altColumns, altSize, printer);
    s->capacity = size > altSize ? size : altSize;
    const int maxRows = rows > altRows ? rows : altRows;
    try {
        s->rows.assign(static_cast<std::size_t>(maxRows + 1), HostDisplayRow{});
        s->cells.assign(static_cast<std::size_t>(s->capacity), HostCell{});
    } catch (const std::bad_alloc&) {
        s->rows.clear();
        s->cells.clear();
        OutOfMemory();
        return false;
    }
    if (s->current.bufferSize > s->capacity || s->current.bufferSize <= 0)
        s->current = s->defaults;
    return true;
}

bool I3270SetModel(I3270Session* s)
{
    I3270Geometry d{}, a{};
    I3270ModelGeometry(s->model, d, a);
    return I3270SetGeometry(s, d.rows, d.columns, d.bufferSize, a.rows, a.columns, a.bufferSize);
}

void I3270LoadNationalTable(I3270Session* s, u16 codePage)
{
    s->national = LoadHostCodePageSection(codePage, VXT("E2E"));
    if (s->national.empty())
        s->direction &= static_cast<u16>(~0x08);
}

void I3270SetupCodePage(I3270Session* s)
{
    const I3270Settings& c = I3270Config;
    s->language = c.language;
    s->font = c.font;
    s->hostCodePage = c.sbcsCodePage;
    s->charSet = c.sbcsCodeSet;
    s->ccsid = c.sbcsCcsid;
    s->apl2 = c.apl2CodePage ? c.apl2 : 0;
    s->apl2CodePage = c.apl2CodePage;
    s->apl2CodeSet = c.apl2CodeSet;
    s->apl2Ccsid = c.apl2Ccsid;
    if (!HostCodePageAvailable(s->hostCodePage)) {
        MessageBoxFormatIdNumber(kSbcsFilesMissing, s->hostCodePage);
        s->hostCodePage = 37;
        s->charSet = 697;
        s->ccsid = 37;
    }
    I3270LoadNationalTable(s, s->hostCodePage);
    const std::vector<u8> alt = LoadHostCodePageSection(s->hostCodePage, VXT("ALT"));
    s->altCodePage = alt.empty() ? 0 : static_cast<u16>(std::atoi(std::string(alt.begin(), alt.end()).c_str()));
    if (!LoadHostCodePage(s->hostCodePage, s->s2u, s->u2s))
        PostExitCommand();
}

void I3270FreeSession(I3270Session* s)
{
    s->rows.clear();
    s->rows.shrink_to_fit();
    s->cells.clear();
    s->cells.shrink_to_fit();
    s->output.clear();
    s->output.shrink_to_fit();
    s->national.clear();
    s->s2u.clear();
    s->u2s.clear();
    s->outputLength = 0;
}

void I3270InitSession(I3270Session* s)
{
    static constexpr u8 kDisplayHighlights[16] = {0xF0, 0xF1, 0xF2, 0x00, 0xF4};
    static constexpr u8 kPrinterHighlights[16] = {0xF0, 0x00, 0x00, 0x00, 0xF4};
    static constexpr u8 kPrinterColours[16] = {0xF7};
    const I3270Settings& c = I3270Config;
    s->repaintAll = 1;
    s->model = c.mode <= 12 ? c.mode : 4;
    s->sessionKind = s->model == k3287PrinterModel ? 0 : 2;
    const bool display = s->sessionKind == 2;
    std::memcpy(s->highlightMap, display ? kDisplayHighlights : kPrinterHighlights, 16);
    if (display)
        for (int i = 0; i < 16; ++i)
            s->colourMap[i] = static_cast<u8>(0xF0 + i);
    else
        std::memcpy(s->colourMap, kPrinterColours, 16);
    std::memcpy(s->attributeColours, c.attributeColours, 32);
    s->statusBg = c.statusBg;
    s->currentAttributes = HostCell{};
    s->defaultAttribute = HostCell{};
    s->typedTemplate = HostCell{};
    I3270ClearOutput(s);
    s->current = I3270Geometry{};
    if (!I3270SetModel(s))
        return;
    s->cursor = 0;
    s->bufferAddress = 0;
    s->operatorError = s->systemLock = s->keyboardLocked = s->lockFlag = 0;
    s->insertMode = 0;
    s->numericCheck = 1;
    s->insertShifting = 1;
    s->rulerFollow = c.ruleFollow;
    s->rulerStyle = c.ruleType;
    s->rulerPosition = 1;
    s->macroFlags = c.singleStepMacros ? 1 : 0;
    // The unlock delay is set in seconds; the timer counts milliseconds.
    s->lockLength = static_cast<u32>(c.kbUnlock) * 1000u;
    s->lockStart = 0;
    s->partitionCreated = 0;
    s->address16 = 0;
    I3270SetupCodePage(s);
    s->extLevel = s->model >= 4 ? 2 : 0;
    s->supportedTypes = s->extLevel ? (display ? 7 : 3) : 0;
    I3270IdleAid(s);
    s->replyMode = 0;
    s->charModeTypes = 0;
    s->lastShownCursor = -1;
    s->inhibitShownEntry = -1;
    s->laidOutSize = 0;
    s->alternateInUse = 1;
    I3270EraseScreen(s, false);
    // A printer's page format holds its limits before the first job sets it.
    if (!s->printer.open)
        I3270ResetPageFormat(s);
}

void I3270ResetSession(I3270Session* s, int model)
{
    if (model >= 0 && model <= 12)
        I3270Config.mode = static_cast<u8>(model);
    const u32 rulerOn = s->rulerOn;
    s->recordMode = 0;
    I3270FreeSession(s);
    I3270InitSession(s);
    s->rulerOn = rulerOn;
    Tn3270UpdateTelnetModes();
}
