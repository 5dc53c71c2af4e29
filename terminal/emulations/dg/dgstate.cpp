#include "terminal/emulations/dg/dgstate.h"

#include "terminal/core/base/corestate.h"
#include "terminal/core/base/memblock.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/emulations/dg/dgcharsets.h"
#include "terminal/emulations/dg/dgcolours.h"
#include "terminal/emulations/dg/dgcommands.h"
#include "terminal/emulations/dg/dgscreen.h"
#include "terminal/emulations/dg/dgsettings.h"

DgState Dg;

bool DgProfileAllowsEightBit()
{
    return DataBitsSetting == 2;
}

u8 DgProfileLanguageCode()
{
    return KeyboardTypeIndex;
}

ScreenCell DgBlankCell()
{
    return ScreenCell{' ', DgBlankColour(), 0, 0};
}

bool EnterDgState()
{
    LeaveDgState();
    Dg.block = static_cast<DgLine*>(MemAllocBlock(sizeof(DgLine) * kDgRows));
    Dg.windows = static_cast<DgWindowEntry*>(MemAllocBlock(sizeof(DgWindowEntry) * kDgWindows));
    Dg.params = static_cast<DgParamSlot*>(MemAllocBlock(sizeof(DgParamSlot) * kDgParamSlots));
    if (!Dg.block || !Dg.windows || !Dg.params) {
        LeaveDgState();
        return false;
    }
    for (int r = 0; r < kDgRows; ++r)
        Dg.rows[r] = &Dg.block[r];
    Dg.mode = kDgModeNative;
    DgResetModes();
    return true;
}

void LeaveDgState()
{
    Dg.mode = kDgModeOff;
    MemFreeBlock(Dg.block);
    MemFreeBlock(Dg.windows);
    MemFreeBlock(Dg.params);
    Dg.block = nullptr;
    Dg.windows = nullptr;
    Dg.params = nullptr;
    for (DgLine*& row : Dg.rows)
        row = nullptr;
}

void DgResetModes()
{
    Dg.window = DgWindow{};
    Dg.pen = DgPen{DgNormalColour(), 0, 0};
    Dg.rollDisabled = 0;
    Dg.blinkDisabled = 0;
    Dg.hscrollDisabled = 0;
    Dg.protectNative = 0;
    Dg.protectAnsi = 0;
    Dg.eraseWithinMargins = 0;
    Dg.cursorType = 2;
    Dg.storedEffect = 0;
    Dg.printScopeA = 0;
    Dg.printScopeB = 0;
    Dg.escInProgress = 0;
    Dg.pendingRow = -1;
    Dg.languageReporting = 1;
    Dg.languageCode = DgProfileLanguageCode();
    const u8 eightBit = DgProfileAllowsEightBit() ? 1 : 0;
    Dg.eightBitNative = eightBit;
    Dg.eightBitAnsi = eightBit;
    DgResetCharsets();
}

bool DgEnter()
{
    if (!EnterDgState())
        return false;
    DgStartColours();
    DgResetScreenState();
    return true;
}
