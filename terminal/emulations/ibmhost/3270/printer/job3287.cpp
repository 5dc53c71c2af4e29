#include "terminal/emulations/ibmhost/3270/printer/job3287.h"

#include <algorithm>
#include <mutex>

#include "terminal/comms/telnet/telnetoptions.h"
#include "terminal/core/base/language.h"
#include "terminal/emulations/ibmhost/3270/printer/page3287.h"
#include "terminal/emulations/ibmhost/3270/services3270.h"
#include "terminal/emulations/ibmhost/3270/session3270.h"
#include "terminal/settings/store/profilevalues.h"

namespace {
constexpr u32 kStateTextBase = 7626;
constexpr int kLogCapacity = 500, kLogRoom = 490, kLogLines = 13;
constexpr u16 kJobRunning = 3;  // the telnet engine's view: a job runs

// The status log is written on the host-data thread and read by the window on the
// user-interface thread.
std::mutex g_logLock;
std::vector<wchar16> g_log;

// The end-of-job delay in seconds: the 3287's own, else the printer's close delay.
u32 JobDelay()
{
    return TelnetConfig.printDelay3270 > 0 ? TelnetConfig.printDelay3270 : PrintingValues.iPrintDelay;
}
}  // namespace

bool I3270OpenPrintJob(I3270Session* s)
{
    I3287Job& j = s->printer;
    if (j.open && !I3287PrintingStopped())
        return true;
    // The user cancelled the job (Cancel Printing): it is over, the next data opens a
    // new one.
    if (j.open) {
        j.open = 0;
        I3270AbortPrintJob(s);
    }
    if (!I3287BeginPrinting()) {
        I3270SetPrinterState(s, k3287NoPrinter);
        return false;
    }
    I3270ResetPageFormat(s);
    j.open = 1;
    s->printJobState = kJobRunning;
    I3270SetPrinterState(s, k3287Printing);
    return true;
}

void I3270EndPrintJob(I3270Session* s)
{
    I3287Job& j = s->printer;
    I3270StopJobCountdown(s);
    if (j.open) {
        // What is left on the print line belongs to this job.
        if (j.column > 0)
            I3270PrintLineOut(s);
        I3287EndPrinting();
        j.open = 0;
    }
    s->printJobState = 0;
    I3270SetPrinterState(s, k3287Connected);
}

void I3270AbortPrintJob(I3270Session* s)
{
    I3270SetPrinterState(s, k3287Aborted);
}

void I3270StopJobCountdown(I3270Session* s)
{
    s->printer.countdownRunning = 0;
}

void I3270ReloadJobCountdown(I3270Session* s)
{
    I3270StopJobCountdown(s);
    const u32 delay = JobDelay();
    if (s->printer.open && delay > 0) {
        s->printer.countdownStart = I3270TickCount();
        s->printer.countdownLength = delay * 1000;
        s->printer.countdownRunning = 1;
    }
}

void I3270JobCountdownStep(I3270Session* s)
{
    const I3287Job& j = s->printer;
    if (j.countdownRunning && I3270TickCount() - j.countdownStart >= j.countdownLength)
        I3270EndPrintJob(s);
}

bool I3270BeginPrintData(I3270Session* s, int kind)
{
    if (s->sessionKind == 0)
        s->sessionKind = static_cast<i16>(kind);
    else if (s->sessionKind != kind && (s->sessionKind == 1 || s->sessionKind == 3)) {
        I3270EndPrintJob(s);
        s->sessionKind = static_cast<i16>(kind);
    }
    return I3270OpenPrintJob(s);
}

void I3270SetPrinterState(I3270Session* s, u16 state)
{
    s->printer.state = state;
    s->printerState = state;
    I3270ShowPrinterState(s);
}

void I3270ShowPrinterState(I3270Session* s)
{
    I3287Job& j = s->printer;
    wchar16 text[kPrinterHostTextCapacity + 1] = {};
    if (j.state == k3287HostText) {
        for (i32 i = 0; i < j.hostTextLength; ++i)
            text[i] = j.hostText[i];
    } else {
        j.hostTextLength = 0;
        LoadLanguageString(nullptr, kStateTextBase + j.state, text, kPrinterHostTextCapacity + 1);
    }
    I3270AppendPrinterLog(s, text);
}

void I3270AppendPrinterLog(I3270Session*, const wchar16* text)
{
    int n = 0;
    while (text && text[n])
        ++n;
    if (n == 0)
        return;
    {
        std::lock_guard<std::mutex> lock(g_logLock);
        std::vector<wchar16>& log = g_log;
        const auto size = static_cast<int>(log.size());
        if (size >= n && std::equal(text, text + n, log.end() - n))
            return;
        // Room for the line break and the text within the log's room.
        const int keep = kLogRoom - n - 1;
        if (size > keep)
            log.erase(log.begin(), log.begin() + (keep > 0 ? size - keep : size));
        if (!log.empty())
            log.push_back('\n');
        log.insert(log.end(), text, text + n);
        if (static_cast<int>(log.size()) > kLogCapacity)
            log.erase(log.begin(), log.end() - kLogCapacity);
        int breaks = 0;
        for (auto i = log.size(); i-- > 0;)
            if (log[i] == '\n' && ++breaks == kLogLines) {
                log.erase(log.begin(), log.begin() + static_cast<std::ptrdiff_t>(i) + 1);
                break;
            }
    }
    I3287LogChanged();
}

namespace {
// The host's message grows a character at a time: its line in the log is replaced, not
// repeated for every character.
void DropGrowingLine(const I3287Job& j)
{
    std::lock_guard<std::mutex> lock(g_logLock);
    const auto n = static_cast<std::size_t>(j.hostTextLength);
    if (g_log.size() < n || !std::equal(j.hostText, j.hostText + n, g_log.end() - static_cast<std::ptrdiff_t>(n)))
        return;
    g_log.resize(g_log.size() - n);
    if (!g_log.empty() && g_log.back() == '\n')
        g_log.pop_back();
}
}  // namespace

void I3270PrinterHostText(I3270Session* s, wchar16 ch)
{
    I3287Job& j = s->printer;
    static constexpr wchar16 kPrefix[] = {'E', 'r', 'r', 'o', 'r', ' ', '-', ' '};
    if (j.state != k3287HostText || (ch >= 10 && ch <= 13)) {
        for (i32 i = 0; i < 8; ++i)
            j.hostText[i] = kPrefix[i];
        j.hostTextLength = 8;
        if (ch >= 10 && ch <= 13)
            return;
    }
    if (ch < 32)
        ch = ' ';
    if (j.state == k3287HostText && j.hostTextLength > 8)
        DropGrowingLine(j);
    if (j.hostTextLength < kPrinterHostTextCapacity)
        j.hostText[j.hostTextLength++] = ch;
    j.hostText[j.hostTextLength] = 0;
    I3270SetPrinterState(s, k3287HostText);
}

std::vector<wchar16> I3270PrinterLogText()
{
    std::lock_guard<std::mutex> lock(g_logLock);
    return g_log;
}

void I3270ClearPrinterLog()
{
    std::lock_guard<std::mutex> lock(g_logLock);
    g_log.clear();
}
