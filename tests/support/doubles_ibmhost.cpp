#include "support/doubles_ibmhost.h"

#include "terminal/core/screen/codepages.h"
#include "terminal/emulations/ibmhost/station/hostcodepage.h"
#include "terminal/emulations/ibmhost/3270/services3270.h"
#include "terminal/emulations/ibmhost/5250/services5250.h"

namespace doubles {
IbmHostDouble& IbmHost()
{
    static IbmHostDouble d;
    return d;
}

void ResetIbmHost()
{
    IbmHost() = IbmHostDouble{};
    I3270TickCount = [] { return IbmHost().ticks; };
    I5250TickCount = [] { return IbmHost().ticks; };
}
}  // namespace doubles

void PaintHostRow(I3270Session*, int row, int first, int last)
{
    doubles::IbmHost().painted.push_back({row, first, last});
}

void I3270ApplyScreenSize(I3270Session*)
{
    ++doubles::IbmHost().layouts;
}

int I3270SessionSlot()
{
    return doubles::IbmHost().sessionSlot;
}

void I3270WindowKey(int keyCode)
{
    doubles::IbmHost().windowKeys.push_back(keyCode);
}

bool I3287BeginPrinting()
{
    if (!doubles::IbmHost().printerOpens)
        return false;
    ++doubles::IbmHost().jobsBegun;
    return true;
}
void I3287EndPrinting()
{
    ++doubles::IbmHost().jobsEnded;
}
bool I3287PrintingCancelled()
{
    return doubles::IbmHost().printingCancelled;
}
bool I3287PrintingStopped()
{
    return doubles::IbmHost().printingStopped;
}
void I3287LogChanged()
{
    ++doubles::IbmHost().logRefreshes;
}

// Code-page files: only CCSID 37 has them, from the built-in tables.
bool HostCodePageAvailable(u16 ccsid)
{
    return ccsid == 37;
}

bool LoadHostCodePage(u16, std::vector<u8>& s2u, std::vector<u8>& u2s)
{
    s2u.assign(BuiltinByteToUnicodeTable(), BuiltinByteToUnicodeTable() + kByteToUnicodeTableBytes);
    u2s.assign(BuiltinUnicodeToByteTable(), BuiltinUnicodeToByteTable() + kBuiltinUnicodeToByteBytes);
    return true;
}

std::vector<u8> LoadHostCodePageSection(u16, const wchar16*)
{
    return {};
}

// The Win32 side of the family: engine tests drive the session directly and never run
// the switch, the communications loop or the frame.
void I3270Activate(u8) {}
void I3270Deactivate() {}
int I3270CommLoop(int)
{
    return 0;
}
void I3270UpdateStatusBar(HINSTANCE) {}
void I3270ShowModelName() {}
void I3270RepaintRegion(int, int, int, int) {}
void I3270DrawCursor(int) {}
void I3270HideCursor() {}
void I3270ShowCursor() {}
void I3270RedrawBlinkingRows() {}
bool I3270ApplyPalette()
{
    return false;
}
void I3270LoadSettings() {}
void I3270SaveSettings() {}
int Ibm3270KeyMessage(tagMSG*, bool)
{
    return -1;
}

// The 5250's painter and frame services.
void I5250Paint(I5250Session*, int row, int first, int last)
{
    doubles::IbmHost().painted5250.push_back({row, first, last});
}
void I5250ApplyScreenSize(I5250Session*)
{
    ++doubles::IbmHost().layouts;
}
void I5250ScrollRows(I5250Session*) {}
void I5250DrawRuler(I5250Session*)
{
    ++doubles::IbmHost().rulerDraws;
}
void I5250Delay()
{
    ++doubles::IbmHost().delays;
}
void I5250Activate(u8) {}
void I5250Deactivate() {}
int I5250CommLoop(int)
{
    return 0;
}
void I5250UpdateStatusBar(HINSTANCE) {}
void I5250TerminalType() {}
void I5250RepaintRegion(int, int, int, int) {}
void I5250DrawCursor(int) {}
void I5250HideCursor() {}
void I5250ShowCursor() {}
void I5250RedrawBlinkingRows() {}
bool I5250ApplyPalette()
{
    return false;
}
void I5250LoadSettings() {}
void I5250SaveSettings() {}
int Ibm5250KeyMessage(tagMSG*, bool)
{
    return -1;
}
void I3270PrinterWindowMessage(u32, std::intptr_t) {}
bool I5250BeginPrinting()
{
    if (!doubles::IbmHost().printerOpens)
        return false;
    ++doubles::IbmHost().jobsBegun;
    return true;
}
void I5250EndPrinting()
{
    ++doubles::IbmHost().jobsEnded;
}
i32 I5250DrainPrinter()
{
    return doubles::IbmHost().printerStatus;
}
void I5250PrinterLogChanged()
{
    ++doubles::IbmHost().logRefreshes;
}
void I5250PrinterWindowMessage(u32, std::intptr_t) {}
bool I5250PrintingStopped()
{
    return doubles::IbmHost().printingStopped;
}
