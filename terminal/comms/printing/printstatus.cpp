#include "terminal/comms/printing/printstatus.h"

#include "terminal/core/base/language.h"

std::atomic<i32> PrinterStatus{0};

namespace {

constexpr int kStatusTextUnits = 21;  // 20 units and the terminator

constexpr struct {
    i32 status;
    u32 textId;
} kStatusTexts[] = {
    {kPrinterReady, 6004},       // "OK"
    {kPrinterNotReady, 6006},    // "Wait"
    {kPrinterNoPaper, 6005},     // "NoPaper"
    {kPrinterWriteFault, 6007},  // "ErrWrite"
    {kPrinterGenFailure, 6008},  // "Fail"
    {kPrinterOffline, 6012},     // "OffLine"
    {kPrinterBusy, 6013},        // "Busy"
    {kPrinterHeld, 6009},        // "Hold"
};
constexpr u32 kOtherStatusText = 6010;  // "ErrGen"

}  // namespace

u32 PrinterStatusTextId(i32 status)
{
    for (const auto& entry : kStatusTexts)
        if (entry.status == status)
            return entry.textId;
    return kOtherStatusText;
}

void PrinterStatusTextOf(i32 status, wchar16* buffer, int size)
{
    if (!buffer || size < 1)
        return;
    LoadLanguageString(nullptr, PrinterStatusTextId(status), buffer,
                       size < kStatusTextUnits ? size : kStatusTextUnits);
}

i32 PrinterStatusText(wchar16* buffer, int size)
{
    const i32 status = PrinterStatus;
    PrinterStatusTextOf(status, buffer, size);
    return status;
}

void SetPrinterStatus(i32 status)
{
    if (PrinterStatus.exchange(status) != status)
        RefreshPrinterStatus();
}
