#include "terminal/emulations/ta6530/tamodes.h"

#include <cstring>

#include "terminal/comms/telnet/network.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/screen/display.h"
#include "terminal/emulations/ta6530/screen/tacursor.h"
#include "terminal/emulations/ta6530/screen/tapages.h"
#include "terminal/emulations/ta6530/protocol/taprotocol.h"
#include "terminal/emulations/ta6530/tareceive.h"
#include "terminal/emulations/ta6530/taservices.h"
#include "terminal/emulations/ta6530/settings/tasettings.h"
#include "terminal/emulations/ta6530/screen/tastatus.h"
#include "terminal/emulations/ta6530/tatables.h"
#include "terminal/settings/store/profilevalues.h"

namespace {

constexpr u32 kStrInvalidLanguage = 7580;

void ClearTabs()
{
    std::memset(Ta.tabs, ' ', sizeof Ta.tabs);
}

// The values every reset starts from.
void CommonReset()
{
    Ta.previousMode = kTaNoMode;
    Ta.lastColumn = kTaColumns - 1;
    Ta.keyboardHold = Ta.hostHold = false;
    Ta.shiftOutHost = Ta.shiftOutKeyboard = false;
    Ta.g0 = 0;
    Ta.g1 = 11;
    Ta.attribute = 0;
    Ta.lastChar = ' ';
    Ta.valueD = 1;
    Ta.valueP = 0;
    ClearTabs();
    Ta.returnString[0] = 13;
    Ta.returnLength = 1;
    TaResetProtocol();
    Ta.autoWrap = true;
}

// National mode per keyboard language: the 7-bit sets and language code, the 8-bit
// language code (-1: the language has no 8-bit form of its own).
struct NationalEntry {
    u8 set;
    u8 language7;
    i8 language8;
};
// clang-format off
constexpr NationalEntry kNational[16] = {
    {0, 0, 0},   {1, 5, 29},  {2, 20, 21}, {0, 0, 0},  {3, 7, 19},  {4, 6, 27}, {5, 3, 23},  {0, 0, 0},
    {0, 0, 24},  {0, 0, 13},  {0, 0, 12},  {4, 6, 27}, {3, 8, 25},  {2, 1, 22}, {8, 4, 26},  {0, 0, 0},
};
// clang-format on

// Language code to keyboard language and national mode (eight bits).
struct LanguageEntry {
    u8 code, keyboard;
    bool eightBit;
};
// clang-format off
constexpr LanguageEntry kLanguages[] = {
    {0, 0, true},   {1, 13, false}, {3, 6, false},  {4, 14, false}, {5, 1, false},  {6, 11, false},
    {7, 4, false},  {8, 12, false}, {12, 10, true}, {13, 9, true},  {19, 4, true},  {20, 2, false},
    {21, 2, true},  {22, 13, true}, {23, 6, true},  {24, 8, true},  {25, 12, true}, {26, 14, true},
    {27, 11, true}, {29, 1, true},
};
// clang-format on

bool Network()
{
    return SocketIndex != kNoSocket;
}

// The terminal says it is there: conversational mode ENQ CR, ANSI mode with XON/XOFF
// flow control DC1 CR.
void Announce()
{
    if (Ta.mode == kTaConversational) {
        TaQueueOutput(5);
        TaQueueOutput(13);
    } else if (Ta.mode == kTaAnsi && Ta.flowControl == 1) {
        TaQueueOutput(17);
        TaQueueOutput(13);
    }
}

}  // namespace

void TaResetModes()
{
    Ta.mode = kTaConversational;
    Ta.firstModeRun = true;
    TaSettings = TaFactorySettings();
    CommonReset();
    Ta.valueT = 0;
    Ta.valueU = 1;
    Ta.valueX = 7;
    Ta.colourMode = false;
    Ta.keyboardLocked = false;
    Ta.row24 = TaRow24::Status;
    for (TaPage& page : Ta.pages)
        page.cursorLine = page.cursorColumn = page.bufferLine = page.bufferColumn = 0;
    std::memcpy(Ta.dataTypes, kTaFactoryDataTypes, sizeof Ta.dataTypes);
    for (int i = 0; i <= 32; ++i)
        std::memcpy(Ta.fieldTable[i], kTaFactoryFieldEntry, 3);
    Ta.pageCount = Ta.pagesInUse = kTaMaxPages;
}

void TaEnter()
{
    Ta.flowControl = ConnectionValues.comflowc;
    TaBuildStore();
    TaResetModes();
    TaLoadSettings();
    TaApplyDefaultMode(false);
}

void TaLeave()
{
    TaEndReceivedRun();
    Ta.entered = false;
    TaFreeReplyChain();
    TaReapplyLine(Ta.flowControl);
}

void TaResetTerminal(bool connectionUp)
{
    CommonReset();
    TaLockKeyboard(false);
    TaLoadSettings();
    TaApplyDefaultMode(connectionUp);
}

void TaApplyDefaultMode(bool connectionUp)
{
    const u8 before = Ta.mode;
    Ta.mode = TaSettings.defMode == 1 ? kTaAnsi : TaSettings.defMode == 2 ? kTaBlock : kTaConversational;
    if (Ta.previousMode != kTaNoMode)
        Ta.previousMode = before;
    TaNationalFromCharset();
    TaInitModes(true);
    TaRepaintRows(0, kTaStatusRow);
    if (!(connectionUp && Network()))
        Announce();
}

void TaInitModes(bool clearBlockFlags)
{
    Ta.autoWrap = true;
    Ta.insert = false;
    Ta.attribute = 0;
    Ta.colourMode = false;
    Ta.lineEditing = true;
    Ta.keyboardLocked = false;
    TaBuildPageTable();
    if (Ta.firstModeRun) {
        Ta.firstModeRun = false;
        ResizeWindowToRows(kTaRows);
    }
    ClearTabs();
    if (Ta.mode == kTaAnsi)
        for (int c = 8; c < kTaColumns; c += 8)
            Ta.tabs[c] = 'T';
    std::memcpy(Ta.dataTypes, kTaFactoryDataTypes, sizeof Ta.dataTypes);
    TaNationalFromCharset();
    TaApplyLineFlowControl();
    if (TaBlockMode()) {
        Ta.keyboardLocked = true;
        if (clearBlockFlags) {
            TaProtocol.inBlock = false;
            TaProtocol.endOfText = false;
        }
    }
    TaDrawStatusLine();
    TaShowMessageLine();
}

void TaEnterMode(u8 mode)
{
    Ta.previousMode = Ta.mode;
    Ta.mode = mode;
    TaInitModes(true);
}

void TaApplyLineFlowControl()
{
    TaReapplyLine(Ta.mode == kTaAnsi ? Ta.flowControl : 0);
}

void TaNationalFromCharset()
{
    const int keyboard = KeyboardTypeIndex < 16 ? KeyboardTypeIndex.load() : 0;
    const NationalEntry& e = kNational[keyboard];
    const bool eightBit = Vt300Values.mltnat != 0 || keyboard == 8 || keyboard == 9 || keyboard == 10;
    if (eightBit) {
        Ta.g0 = 0;
        Ta.g1 = 11;
        Ta.language = static_cast<u8>(e.language8);
    } else {
        Ta.g0 = Ta.g1 = e.set;
        Ta.language = e.language7;
    }
}

bool TaNationalFromCode(int code)
{
    if (code == 10 || code == 11) {
        Ta.g0 = code == 10 ? 9 : 10;
        return true;
    }
    for (const LanguageEntry& l : kLanguages) {
        if (l.code != code)
            continue;
        KeyboardTypeIndex = l.keyboard;
        Vt300Values.mltnat = l.eightBit ? 1 : 0;
        TaNationalFromCharset();
        Ta.language = static_cast<u8>(code);
        return true;
    }
    TaShowErrorLine(kStrInvalidLanguage);
    return false;
}

void TaLockKeyboard(bool locked)
{
    Ta.keyboardLocked = locked;
    TaShowModeField();
}
