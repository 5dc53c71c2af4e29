#include "terminal/emulations/ibmhost/5250/printer/printer5250.h"

#include <algorithm>
#include <cstdio>
#include <mutex>

#include "terminal/comms/printing/printing.h"
#include "terminal/comms/printing/printstatus.h"
#include "terminal/core/base/language.h"
#include "terminal/emulations/ibmhost/5250/datastream/records5250.h"
#include "terminal/emulations/ibmhost/5250/services5250.h"
#include "terminal/emulations/ibmhost/5250/session5250.h"
#include "terminal/emulations/ibmhost/station/hostcodepage.h"

namespace {
constexpr u16 kRecordType = 0x12A0;
constexpr u16 kPrinterReserved = 0x0102;
constexpr u32 kStateTextBase = 7631;
constexpr int kLogCapacity = 256, kLogLines = 12;
constexpr u32 kWaitText = 6006;

// The host's start-up answers: its code (EBCDIC), whether the session started, and
// the language string of its message.
struct StartupCode {
    u8 code[4];
    bool started;
    u32 message;
};
// clang-format off
constexpr StartupCode kStartupCodes[] = {
    {{0xC9, 0xF9, 0xF0, 0xF1}, true, 25300},   // I901
    {{0xC9, 0xF9, 0xF0, 0xF2}, true, 25301},   // I902
    {{0xC9, 0xF9, 0xF0, 0xF6}, true, 25302},   // I906
    {{0xF2, 0xF7, 0xF0, 0xF2}, false, 25303},  // 2702
    {{0xF2, 0xF7, 0xF0, 0xF3}, false, 25304},  // 2703
    {{0xF2, 0xF7, 0xF7, 0xF7}, false, 25305},  // 2777
    {{0xF8, 0xF9, 0xF0, 0xF1}, false, 25306},  // 8901
    {{0xF8, 0xF9, 0xF0, 0xF2}, false, 25307},  // 8902
    {{0xF8, 0xF9, 0xF0, 0xF3}, false, 25308},  // 8903
    {{0xF8, 0xF9, 0xF0, 0xF6}, false, 25309},  // 8906
    {{0xF8, 0xF9, 0xF0, 0xF7}, false, 25310},  // 8907
    {{0xF8, 0xF9, 0xF1, 0xF0}, false, 25311},  // 8910
    {{0xF8, 0xF9, 0xF1, 0xF6}, false, 25312},  // 8916
    {{0xF8, 0xF9, 0xF1, 0xF7}, false, 25313},  // 8917
    {{0xF8, 0xF9, 0xF1, 0xF8}, false, 25314},  // 8918
    {{0xF8, 0xF9, 0xF2, 0xF0}, false, 25315},  // 8920
    {{0xF8, 0xF9, 0xF2, 0xF1}, false, 25316},  // 8921
    {{0xF8, 0xF9, 0xF2, 0xF2}, false, 25317},  // 8922
    {{0xF8, 0xF9, 0xF2, 0xF3}, false, 25318},  // 8923
    {{0xF8, 0xF9, 0xF2, 0xF5}, false, 25319},  // 8925
    {{0xF8, 0xF9, 0xF2, 0xF8}, false, 25320},  // 8928
    {{0xF8, 0xF9, 0xF2, 0xF9}, false, 25321},  // 8929
    {{0xF8, 0xF9, 0xF3, 0xF0}, false, 25322},  // 8930
    {{0xF8, 0xF9, 0xF3, 0xF4}, false, 25323},  // 8934
    {{0xF8, 0xF9, 0xF3, 0xF5}, false, 25324},  // 8935
    {{0xF8, 0xF9, 0xF3, 0xF6}, false, 25325},  // 8936
    {{0xF8, 0xF9, 0xF3, 0xF7}, false, 25326},  // 8937
    {{0xF8, 0xF9, 0xF4, 0xF0}, false, 25327},  // 8940
    {{0xC9, 0xF9, 0xF0, 0xF4}, false, 25328},  // I904
};
// clang-format on
constexpr u32 kUnknownStartup = 25329;  // "%s Unknown Error."

// The status lines are written on the host-data thread and read by the window on the
// user-interface thread.
std::mutex g_logLock;
std::vector<wchar16> g_log;

u16 Be16(const u8* p)
{
    return static_cast<u16>(p[0] << 8 | p[1]);
}

void PrinterReply(I5250Session* s, u8 length, u8 flags, u8 opcode)
{
    I5250BuildRecordHeader(s, kPrinterReserved, length, flags, 0, opcode);
}

void Put32(I5250Session* s, u32 value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        I5250Put(s, static_cast<u8>(value >> shift));
}

void CopyText(wchar16* to, int capacity, const wchar16* from)
{
    int n = 0;
    for (; from && from[n] && n < capacity - 1; ++n)
        to[n] = from[n];
    to[n] = 0;
}

// EBCDIC bytes as text through the session's code page.
void HostText(const I5250Session* s, const u8* bytes, int n, wchar16* out)
{
    for (int i = 0; i < n; ++i)
        out[i] = HostByteToUnicode(s->s2u, bytes[i]);
    out[n] = 0;
}

// The host's start-up answer: 0 or the sense code of a malformed record.
u32 Startup(I5250Session* s, const u8* r, int left)
{
    // The whole answer must be there: the header, the inner length and the code and
    // both names that are read after it.
    if (left < kStartupRecordBytes)
        return kSenseLength;
    const int length = Be16(r);
    if (length < kStartupRecordBytes || length > left)
        return kSenseLength;
    if (Be16(r + 2) != kRecordType || !(Be16(r + 4) & 0x8000))
        return kSenseType;
    if (Be16(r + 12) != length - 12)
        return kSenseLength;
    I5250Printer& p = s->printer;
    const u8* code = r + 16;
    HostText(s, r + 20, 8, p.systemName);
    HostText(s, r + 28, 10, p.deviceName);
    const StartupCode* found = nullptr;
    for (const StartupCode& c : kStartupCodes)
        if (std::equal(c.code, c.code + 4, code)) {
            found = &c;
            break;
        }
    wchar16 text[kPrinterMessageCapacity + 1] = {};
    if (found) {
        LoadLanguageString(nullptr, found->message, text, kPrinterMessageCapacity + 1);
    } else {
        wchar16 format[kPrinterMessageCapacity + 1] = {};
        LoadLanguageString(nullptr, kUnknownStartup, format, kPrinterMessageCapacity + 1);
        wchar16 codeText[5];
        HostText(s, code, 4, codeText);
        // "%s" in the format takes the code's four characters.
        int n = 0;
        for (int i = 0; format[i] && n < kPrinterMessageCapacity; ++i) {
            if (format[i] == '%' && format[i + 1] == 's') {
                for (int k = 0; k < 4 && n < kPrinterMessageCapacity; ++k)
                    text[n++] = codeText[k];
                ++i;
            } else {
                text[n++] = format[i];
            }
        }
        text[n] = 0;
    }
    CopyText(p.message, kPrinterMessageCapacity + 1, text);
    if (found && found->started) {
        // The host's own words first, then the printer's new state.
        I5250AppendPrinterLine(s, p.message);
        I5250SetPrinterState(s, k5250Started);
    } else {
        I5250SetPrinterState(s, k5250StartupMessage);
    }
    return 0;
}

// The printer's status after its output drained: a fault is told to the host once.
bool PrinterFault(I5250Session* s)
{
    const i32 status = I5250DrainPrinter();
    if (status == 0)
        return false;
    if (status != s->printer.lastReportedError)
        I5250ReportPrinterError(status);
    return true;
}

// One record once the printer has started: 0 or a sense code; `used` the bytes taken.
u32 PrinterRecord(I5250Session* s, const u8* r, int left, int& used)
{
    used = left;
    if (left < 6)
        return kSensePrintParameter;
    const int length = Be16(r);
    if (length < 6 || length > left || Be16(r + 2) != kRecordType)
        return kSensePrintParameter;
    used = length;
    const u16 reserved = Be16(r + 4);
    if (reserved & 0xC000) {
        if (s->printerState >= 5)
            I5250EndPrintJob(s);
        I5250SetPrinterState(s, k5250Connected);
        // Bit 15: what follows the 6-byte header is read as the next record.
        used = (reserved & 0x8000) ? 6 : length;
        return 0;
    }
    if (reserved & 0x2000)
        return 0;
    if (reserved & 0x0100)
        return I5250ProcessPrintData(s, r + 6, length - 6);
    return kSensePrintParameter;
}
}  // namespace

u32 I5250HandlePrinterRecords(I5250Session* s, const u8* bytes, int count)
{
    u32 last = 0;
    int offset = 0;
    while (offset < count) {
        const u8* r = bytes + offset;
        const int left = count - offset;
        if (s->printerState < k5250Started) {
            const u32 error = Startup(s, r, left);
            if (error) {
                I5250SetPrinterState(s, k5250Connected);
                I5250SendNegativeResponse(s, error);
                return error;
            }
            offset += Be16(r);
            continue;
        }
        int used = left;
        const u32 error = PrinterRecord(s, r, left, used);
        if (error) {
            I5250EndPrintJob(s);
            I5250SetPrintError(s, error);
            I5250PrinterNegative(s, error);
            last = error;
        }
        offset += used > 0 ? used : left;
    }
    return last;
}

u32 I5250ProcessPrintData(I5250Session* s, const u8* data, int length)
{
    I5250Printer& p = s->printer;
    if (length < 1)
        return kSensePrintParameter;
    const int h = data[0];
    if (h < 4 || length < h)
        return kSensePrintParameter;
    const u8* at = data + h;
    int r = length - h;
    const u8 operation = data[3];
    if (operation == 2) {
        I5250EndPrintJob(s);
        I5250SetPrinterState(s, k5250Started);
        I5250PrinterAckCode2(s);
        return 0;
    }
    if (operation != 1) {
        I5250EndPrintJob(s);
        return kSensePrintParameter;
    }
    const u8 flags = data[1];
    if (p.chain) {
        if (flags & 0x10)
            return kSensePrintParameter;
        if (flags & 0x08)
            p.chain = 0;
    } else {
        if (!(flags & 0x10))
            return kSensePrintParameter;
        if (!(flags & 0x08))
            p.chain = 1;
    }
    // A chain that ends in this record must hold its last block whole.
    const bool inChain = p.chain != 0;
    // Cancel Printing ended the job under the host's feet: this record fails.
    if (p.jobOpen && I5250PrintingStopped())
        I5250AbortPrintJob(s);
    if (!p.jobOpen && !I5250StartPrintJob(s))
        return kSensePrintAborted;
    // A printer that reports a fault (out of paper, off line) gets nothing more.
    if (PrinterFault(s))
        return kSensePrintAborted;
    while (r > 0) {
        if (s->printerState == k5250Aborting)
            return kSensePrintAborted;
        if (p.expectCount) {
            p.expectCount = 0;
            p.blockRemainder = *at++;
            --r;
            if (!inChain && static_cast<int>(p.blockRemainder) > r)
                return kSensePrintParameter;
        } else if (p.blockRemainder == 0) {
            const u8 control = *at++;
            --r;
            if (control == 0x03) {
                p.expectCount = 1;
                if (!inChain && r < 1)
                    return kSensePrintParameter;
            } else if (control == 0x00) {
                I5250EndPrintJob(s);
                I5250SetPrinterState(s, k5250Started);
            } else {
                return kSensePrintCommand;
            }
        } else {
            const int k = std::min(static_cast<int>(p.blockRemainder), r);
            if (!p.jobOpen && !I5250StartPrintJob(s))
                return kSensePrintAborted;
            I5250PrintBytes(s, at, k);
            at += k;
            r -= k;
            p.blockRemainder -= static_cast<u32>(k);
        }
    }
    // A block left unfinished has no chain to go on in (the job ended inside the record).
    if (!p.chain && (p.blockRemainder || p.expectCount))
        return kSensePrintParameter;
    if (PrinterFault(s))
        return kSensePrintAborted;
    I5250PrinterAck(s);
    return 0;
}

bool I5250StartPrintJob(I5250Session* s)
{
    I5250Printer& p = s->printer;
    p.lastReportedError = 0;
    if (p.jobOpen)
        return true;
    if (!I5250BeginPrinting())
        return false;
    I5250SetPrinterState(s, k5250Printing);
    p.jobOpen = 1;
    return true;
}

void I5250EndPrintJob(I5250Session* s)
{
    I5250ResetPrintChain(s);
    I5250Printer& p = s->printer;
    if (p.jobOpen) {
        I5250EndPrinting();
        p.jobOpen = 0;
    }
}

void I5250AbortPrintJob(I5250Session* s)
{
    if (s->printer.jobOpen)
        I5250SetPrinterState(s, k5250Aborting);
}

void I5250PrintBytes(I5250Session*, const u8* bytes, int n)
{
    for (int i = 0; i < n; ++i)
        PrintChar(bytes[i]);
}

void I5250SetPrintError(I5250Session* s, u32 code)
{
    const u8 low = static_cast<u8>(code & 0xFF);
    const u32 id = low == 0x28 ? 7642 : low == 0x29 ? 7641 : 7640;
    LoadLanguageString(nullptr, id, s->printer.message, kPrinterMessageCapacity + 1);
    I5250SetPrinterState(s, k5250PrintError);
}

void I5250ResetPrintChain(I5250Session* s)
{
    s->printer.chain = 0;
    s->printer.blockRemainder = 0;
    s->printer.expectCount = 0;
}

void I5250SetPrinterState(I5250Session* s, u16 state)
{
    s->printerState = state;
    I5250ShowPrinterState(s);
}

void I5250ShowPrinterState(I5250Session* s)
{
    I5250Printer& p = s->printer;
    const u16 state = s->printerState;
    if (state == k5250StartupMessage || state == k5250PrintError) {
        I5250AppendPrinterLine(s, p.message);
        return;
    }
    p.message[0] = 0;
    wchar16 text[kPrinterMessageCapacity + 1] = {};
    if (state <= k5250Aborting)
        LoadLanguageString(nullptr, kStateTextBase + state, text, kPrinterMessageCapacity + 1);
    I5250AppendPrinterLine(s, text);
}

void I5250AppendPrinterLine(I5250Session*, const wchar16* text)
{
    int n = 0;
    while (text && text[n])
        ++n;
    if (n == 0)
        return;
    {
        std::lock_guard<std::mutex> lock(g_logLock);
        std::vector<wchar16>& log = g_log;
        if (static_cast<int>(log.size()) >= n && std::equal(text, text + n, log.end() - n))
            return;
        if (!log.empty())
            log.push_back('\n');
        log.insert(log.end(), text, text + n);
        int breaks = 0;
        for (auto i = log.size(); i-- > 0;)
            if (log[i] == '\n' && ++breaks == kLogLines) {
                log.erase(log.begin(), log.begin() + static_cast<std::ptrdiff_t>(i) + 1);
                break;
            }
        // The window's field holds 256 units: the oldest part goes first.
        if (static_cast<int>(log.size()) > kLogCapacity)
            log.erase(log.begin(), log.end() - kLogCapacity);
    }
    I5250PrinterLogChanged();
}

int I5250ReportPrinterError(i32 error)
{
    I5250Session* s = I5250ActiveSession;
    if (!s || error == 0)
        return 3;
    if (!s->printerSession)
        return 7;
    I5250PrinterAttention(s, error == kPrinterNoPaper ? kStatusOutOfPaper : kStatusPrinterError);
    s->printer.lastReportedError = error;
    wchar16 text[32] = {};
    PrinterStatusTextOf(error, text, 32);
    if (!text[0])
        LoadLanguageString(nullptr, kWaitText, text, 32);
    I5250AppendPrinterLine(s, text);
    return 4;
}

std::vector<wchar16> I5250PrinterLogText()
{
    std::lock_guard<std::mutex> lock(g_logLock);
    return g_log;
}

void I5250ClearPrinterLog()
{
    std::lock_guard<std::mutex> lock(g_logLock);
    g_log.clear();
}

void I5250PrinterAck(I5250Session* s)
{
    PrinterReply(s, 4, 0, 1);
    I5250SendRecord(s);
}

void I5250PrinterAckCode2(I5250Session* s)
{
    PrinterReply(s, 4, 0, 2);
    I5250SendRecord(s);
}

void I5250PrinterNegative(I5250Session* s, u32 sense)
{
    PrinterReply(s, 8, 0x80, 1);
    Put32(s, sense);
    I5250SendRecord(s);
}

void I5250PrinterStatus(I5250Session* s, u8 flags, u32 code)
{
    PrinterReply(s, 9, flags, 1);
    I5250Put(s, 0xC9);
    Put32(s, code);
    I5250SendRecord(s);
}

void I5250PrinterAttention(I5250Session* s, u32 code)
{
    I5250PrinterStatus(s, 0x40, code);
}
