// The services the TA6530 engine asks of the program: its serial line set again, and
// its lines printed through the printing layer (as full screen-line records, which the
// line printer reads 134 cells of).
#include "terminal/settings/store/connsettings.h"
#include "terminal/comms/printing/printing.h"
#include "terminal/comms/printing/printjob.h"
#include "terminal/comms/serial/serialport.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/emulations/ta6530/taservices.h"
#include "terminal/settings/store/profilevalues.h"

namespace {

constexpr u32 kSerialProtocol = 1;

// The TA6530's line codes as the generic line printer takes them: line drawing in the
// DEC line set, everything else as the character.
void ToRecord(const ScreenCell* cells, ScreenLineRecord& record)
{
    static const u8 kBoxLetters[11] = {'u', 't', 'v', 'w', 'n', 'k', 'l', 'j', 'm', 'q', 'x'};
    record = ScreenLineRecord{};
    for (ScreenCell& c : record.cells)
        c = ScreenCell{' ', 0, 0, 0};
    for (int i = 0; i < 80; ++i) {
        const u8 ch = cells[i].ch;
        if (ch >= 146 && ch <= 156)
            record.cells[i] = ScreenCell{kBoxLetters[ch - 146], 0, 0, 3};
        else if (ch >= 128 && ch < 146)
            record.cells[i] = ScreenCell{'a', 0, 0, 3};
        else
            record.cells[i] = ScreenCell{ch, 0, 0, 0};
    }
}

}  // namespace

void TaReapplyLine(u32 flowControl)
{
    if (Connection.netproto != kSerialProtocol || HostSerialPort == 255)
        return;
    const ConnectionSection& c = ConnectionValues;
    SerialOpen(c.comdevice, c.comdeviceType, {c.comspeed, c.comdatab, c.comparity, c.comstopb, flowControl}, 17,
               19);
}

bool TaStartPrintRun()
{
    return StartPrintScreen() != 0;
}

void TaPrintRunLine(const ScreenCell* cells, u32 next)
{
    ScreenLineRecord record;
    ToRecord(cells, record);
    PrintScreenLineRecord(&record, next);
}

void TaEndPrintRun()
{
    PrintScreenLineRecord(nullptr, 0);
}

void TaPrintLineNow(const ScreenCell* cells)
{
    ScreenLineRecord record;
    ToRecord(cells, record);
    PrintLockGuard lock;
    if (PrintJob.continuous && (CurrentPrintMode() == 1 || CurrentPrintMode() == 2)) {
        FormatPrintLine(&record, PrintLineFormat);
        FlushPrintLine();
        return;
    }
    if (!OpenPrintJob())
        return;
    FormatPrintLine(&record, PrintLineFormat);
    FinishPrintJob(1);
}
