#include "terminal/emulations/hp700/lifecycle.h"

#include <algorithm>
#include <new>

#include "terminal/core/host/hostio.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/emulations/hp700/hostpath.h"
#include "terminal/emulations/hp700/memory/memory.h"
#include "terminal/emulations/hp700/memory/repaint.h"
#include "terminal/emulations/hp700/menus/menus.h"
#include "terminal/emulations/hp700/printer/device.h"
#include "terminal/emulations/hp700/screen/write.h"
#include "terminal/emulations/hp700/settings/settings.h"
#include "terminal/emulations/hp700/userkeys/userkeys.h"

namespace {

constexpr u8 kDc1 = 0x11;

bool AllocateBuffers()
{
    if (!Hp700.groups)
        Hp700.groups = new (std::nothrow) Hp700GroupParameters{};
    if (!Hp700.sendBuffer)
        Hp700.sendBuffer = new (std::nothrow) u16[kHpSendUnits + 2]();
    if (!Hp700.recordLine)
        Hp700.recordLine = new (std::nothrow) u8[kHpRecordLine + 1]();
    Hp700.sendCount = 0;
    return Hp700.groups && Hp700.sendBuffer && Hp700.recordLine;
}

void FreeBuffers()
{
    delete Hp700.groups;
    delete[] Hp700.sendBuffer;
    delete[] Hp700.recordLine;
    Hp700.groups = nullptr;
    Hp700.sendBuffer = nullptr;
    Hp700.recordLine = nullptr;
    Hp700.sendCount = 0;
}

// A stored page count outside 2..8 is refused: the default count is used.
int PagesToUse()
{
    const int pages = Hp700.settings.pages;
    if (pages < kHpMinPages || pages > kHpMaxPages) {
        Hp700.settings.pages = kHpDefaultPages;
        return kHpDefaultPages;
    }
    return pages;
}

// What the loaded settings decide: the width, and memory for the page count.
bool ApplyLoadedSettings()
{
    const int pages = PagesToUse();
    if ((pages != Hp700.pages || !Hp700.lines) && !Hp700AllocateMemory(pages))
        return false;
    Hp700.lastColumn = Hp700.settings.width80 ? 79 : 131;
    Hp700.leftMargin = 0;
    Hp700.rightMargin = Hp700.lastColumn;
    return true;
}

}  // namespace

void Hp700InitState()
{
    Hp700.settings.remote = LocalMode.load() ? 0 : 1;
    Hp700.menu = Hp700.rememberedMenu = kHpMenuModes;
    Hp700.labelsShown = true;
    Hp700.lastColumn = 79;
    Hp700.leftMargin = 0;
    Hp700.rightMargin = Hp700.lastColumn;
    Hp700.memoryLock = false;
    Hp700.lockFirst = 0;
    Hp700.lockLast = -1;
    Hp700.formatMode = Hp700.displayFunctions = Hp700.lineModify = false;
    Hp700.insertMode = 0;
    Hp700.logTop = Hp700.logBottom = Hp700.recordMode = false;
    Hp700.settings.blockmode = Hp700.settings.modall = 0;
    Hp700.keyboardLocked = Hp700.keyboardHeld = Hp700.transferRunning = false;
    Hp700.settings.bell = 1;
    Hp700.settings.promptchar = kDc1;
    Hp700.viewTop = 0;
    Hp700.cursorRow = Hp700.cursorColumn = 0;
    Hp700.spaceOverLatch = Hp700.shiftOut = false;
    Hp700.displayOff = false;
    Hp700.colourModeHls = false;
    Hp700.leaveForVt = false;
    Hp700.inEscape = Hp700.escapeGivenBack = false;
    Hp700.pending = 0;
    Hp700.handshake = 0;
    Hp700.localKeyLine = -1;
    Hp700.noticeShown = Hp700.labelLock = false;
    Hp700.typeaheadCount = Hp700.typeaheadRead = Hp700.typeaheadWrite = 0;
    std::fill(std::begin(Hp700.tabs), std::end(Hp700.tabs), u8{0});
}

bool Hp700StartEngine()
{
    if (!AllocateBuffers()) {
        FreeBuffers();
        return false;
    }
    Hp700FactoryDefaults();
    Hp700InitState();
    Hp700DefaultUserKeyLines();
    Hp700LoadSettings();
    Hp700BackupUserKeys();
    if (!ApplyLoadedSettings()) {
        FreeBuffers();
        return false;
    }
    Hp700.active = true;
    Hp700BuildLabelLines();
    return true;
}

void Hp700StopEngine()
{
    Hp700LeaveConfigScreen();
    Hp700PrinterReset();
    Hp700FlushSend();
    Hp700.active = false;
    Hp700FreeMemory();
    FreeBuffers();
}

void Hp700HardReset()
{
    if (!Hp700Running())
        return;
    Hp700FlushRow();
    Hp700LeaveConfigScreen();
    Hp700FactoryDefaults();
    Hp700InitState();
    Hp700DefaultUserKeyLines();
    Hp700LoadSettings();
    Hp700BackupUserKeys();
    ApplyLoadedSettings();
    for (int k = 0; k < Hp700.memoryLines; ++k)
        Hp700BlankLine(Hp700Line(k));
    Hp700.selfTestRan = false;
    Hp700BuildLabelLines();
    Hp700RepaintAll();
    Hp700SoftReset();
}

void Hp700SoftReset()
{
    Hp700PrinterReset();
    Hp700.displayFunctions = false;
    if (!Hp700.settings.enqack)
        Hp700SendByte(kDc1);
    if (Hp700.settings.bell)
        RequestBell();
    Hp700RefreshSoftKeyStates();
}

void Hp700ClearScreen()
{
    if (!Hp700Running())
        return;
    Hp700FlushRow();
    const bool format = Hp700.formatMode;
    Hp700.formatMode = false;
    Hp700HomeUp();
    Hp700.cursorColumn = 0;
    Hp700ClearToEndOfMemory();
    Hp700.formatMode = format;
    Hp700RepaintAll();
}
