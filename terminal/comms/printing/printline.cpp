#include "terminal/comms/printing/printline.h"

namespace {

constexpr u16 kBs = 8, kHt = 9, kLf = 10, kVt = 11, kFf = 12, kCr = 13, kEm = 25, kUs = 31, kBlank = 32;

}  // namespace

void PrintLineAssembler::Start(int linesPerPage)
{
    pending_ = 0;
    crSeen_ = 0;
    line_ = 0;
    linesPerPage_ = linesPerPage > 0 ? linesPerPage : 1;
    failed_ = false;
}

bool PrintLineAssembler::TakeFailure()
{
    const bool failed = failed_;
    failed_ = false;
    return failed;
}

bool PrintLineAssembler::Flush(const PrintLineMode& mode, PrintLineOutput& out)
{
    if (pending_ == 0)
        return true;
    if (!out.Ready())
        return false;
    if (mode.raw) {
        out.WriteRaw(buffer_, pending_);
        pending_ = 0;
        return true;
    }
    int n = pending_;
    while (n > 0 && buffer_[n - 1] == kBlank)
        --n;
    if (n == 0) {
        pending_ = 0;
        return true;
    }
    int drawn = out.DrawLine(buffer_, n, line_);
    drawn = drawn < 1 ? 1 : (drawn > n ? n : drawn);
    if (mode.autoWrap && drawn < n) {
        for (int i = drawn; i < n; ++i)
            buffer_[i - drawn] = buffer_[i];
        pending_ = n - drawn;
    } else {
        pending_ = 0;
    }
    return true;
}

bool PrintLineAssembler::FlushNow(const PrintLineMode& mode, PrintLineOutput& out)
{
    while (!Flush(mode, out)) {
        if (!out.WaitForPrinter()) {
            pending_ = 0;
            return false;
        }
    }
    return true;
}

void PrintLineAssembler::FlushWrapped(u16 c, const PrintLineMode& mode, PrintLineOutput& out)
{
    if (!FlushNow(mode, out))
        return;
    // Each pass draws at least one unit, so the rest of a long line always ends.
    while (mode.autoWrap && pending_ > 0 && !failed_) {
        if (!Advance(c, mode, out) || !FlushNow(mode, out))
            return;
    }
}

bool PrintLineAssembler::Advance(u16 c, const PrintLineMode& mode, PrintLineOutput& out)
{
    // Raw bytes are paged by the printer itself.
    if (mode.raw)
        return true;
    if (c != kFf && ++line_ < linesPerPage_)
        return true;
    line_ = 0;
    if (!out.NewPage()) {
        failed_ = true;
        pending_ = 0;
        return false;
    }
    return true;
}

void PrintLineAssembler::Append(u16 c, const PrintLineMode& mode, PrintLineOutput& out)
{
    // A printer that is not ready keeps the full line: wait for it rather than lose or
    // overrun anything.
    while (pending_ >= kPrintLineUnits) {
        if (Flush(mode, out) && pending_ < kPrintLineUnits)
            break;
        if (!out.WaitForPrinter()) {
            pending_ = 0;
            return;
        }
    }
    buffer_[pending_++] = c;
    if (pending_ == kPrintLineUnits)
        Flush(mode, out);
}

void PrintLineAssembler::PadTo(int column)
{
    if (column > kPrintColumns)
        column = kPrintColumns;
    while (pending_ < column)
        buffer_[pending_++] = kBlank;
}

void PrintLineAssembler::PutTextChar(u16 c, const PrintLineMode& mode, PrintLineOutput& out)
{
    if (c >= kBlank) {
        if (pending_ < kPrintColumns)
            buffer_[pending_++] = c;
        return;
    }
    switch (c) {
    case kBs: {
        if (pending_ == 0)
            return;
        if (buffer_[pending_ - 1] == kBlank) {
            --pending_;
            return;
        }
        // The line so far is drawn, and the next character lands on the last one.
        const int column = pending_ - 1;
        if (FlushNow(mode, out)) {
            pending_ = 0;
            PadTo(column);
        }
        return;
    }
    case kHt:
        if (pending_ < kPrintColumns)
            PadTo((pending_ / 8 + 1) * 8);
        return;
    case kLf:
    case kVt: {
        const int column = pending_;
        FlushWrapped(c, mode, out);
        if (Advance(c, mode, out))
            PadTo(column);
        return;
    }
    case kFf:
        FlushWrapped(kFf, mode, out);
        Advance(kFf, mode, out);
        return;
    case kCr: FlushWrapped(kLf, mode, out); return;
    case kEm:
        if (pending_ == 0)
            return;
        [[fallthrough]];
    case kUs:
        FlushWrapped(kLf, mode, out);
        Advance(kLf, mode, out);
        return;
    default: return;
    }
}

void PrintLineAssembler::PutChar(u16 c, const PrintLineMode& mode, PrintLineOutput& out)
{
    if (mode.controllerAutoLf) {
        const bool afterCr = crSeen_ == kCr;
        crSeen_ = 0;
        switch (c) {
        case kCr:
            crSeen_ = kCr;
            if (mode.raw) {
                // The printer gets CR LF, as a port does.
                Append(kCr, mode, out);
                Append(kLf, mode, out);
                Flush(mode, out);
            } else {
                FlushWrapped(kLf, mode, out);
                Advance(kLf, mode, out);
            }
            return;
        case kLf:
            if (afterCr)
                return;
            [[fallthrough]];
        case kVt:
        case kFf:
            if (mode.raw) {
                Append(c, mode, out);
                Flush(mode, out);
            } else {
                FlushWrapped(c, mode, out);
                Advance(c, mode, out);
            }
            return;
        default: break;
        }
    }
    if (mode.raw)
        Append(c, mode, out);
    else
        PutTextChar(c, mode, out);
}
