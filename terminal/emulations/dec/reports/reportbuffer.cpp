#include "terminal/emulations/dec/reports/reportbuffer.h"

#include "terminal/emulations/dec/services.h"

ReportBufferState ReportBuffer{};

void BeginReport(wchar16 leadIn)
{
    ReportBuffer.length = 0;
    ReportBuffer.overflow = 0;
    ReportBuffer.units[0] = 0;
    if (leadIn)
        AppendUnit(leadIn);
}

void AppendUnit(wchar16 unit)
{
    if (ReportBuffer.length >= kReportBufferUnits - 1) {
        ReportBuffer.overflow = 1;
        return;
    }
    ReportBuffer.units[ReportBuffer.length++] = unit;
    ReportBuffer.units[ReportBuffer.length] = 0;
}

void AppendDecimal(u32 n)
{
    char digits[10];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + n % 10);
        n /= 10;
    } while (n && count < 10);
    while (count > 0)
        AppendUnit(static_cast<wchar16>(digits[--count]));
}

void AppendWideText(const wchar16* text)
{
    if (!text)
        return;
    for (; *text; ++text)
        AppendUnit(*text);
}

void AppendText(const char* text)
{
    if (!text)
        return;
    for (; *text; ++text)
        AppendUnit(static_cast<wchar16>(static_cast<u8>(*text)));
}

void DropLastUnit()
{
    if (ReportBuffer.length > 0)
        ReportBuffer.units[--ReportBuffer.length] = 0;
}

void SendReportBuffer()
{
    if (ReportBuffer.overflow || ReportBuffer.length == 0)
        return;
    SendReport(ReportBuffer.units);
}

int CountWideChars(const wchar16* text)
{
    int n = 0;
    while (text && text[n])
        ++n;
    return n;
}
