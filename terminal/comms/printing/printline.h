// Line assembly for the Windows printer: printed characters are collected into a line
// and written when a control ends it, the buffer fills or the job ends. On the raw path
// (a driver that takes the printer's own bytes) every character, controls included, is
// kept and written as bytes; on the text path the line is drawn as GDI text and the
// controls move between lines and pages as a printer would (BS overprints, CR returns
// to the start of the same line, LF keeps the column).
#pragma once

#include "terminal/core/base/vxtypes.h"

constexpr int kPrintLineUnits = 256;
constexpr int kPrintColumns = 132;

// What the assembler needs of the printer.
class PrintLineOutput {
public:
    virtual ~PrintLineOutput() = default;
    // Whether the printer takes a line now; a line waits while it does not.
    virtual bool Ready() = 0;
    // Waits a little for a printer that keeps a line the assembler cannot hold any
    // longer; false once the job is cancelled.
    virtual bool WaitForPrinter() = 0;
    virtual void WriteRaw(const u16* units, int n) = 0;
    // Draws the text at the start of line `line` of the page; returns how many units
    // fit the page's width (at least one).
    virtual int DrawLine(const u16* text, int n, int line) = 0;
    // Ends the page and starts the next; false when that failed or the job was cancelled.
    virtual bool NewPage() = 0;
};

struct PrintLineMode {
    bool raw = false;               // the printer takes bytes, controls included
    bool controllerAutoLf = false;  // printer-controller mode with AutoLF: CR feeds a line
    bool autoWrap = false;          // a line wider than the page goes on on the next line
};

class PrintLineAssembler {
public:
    // A new job: nothing pending, line 0 of a page of `linesPerPage` lines.
    void Start(int linesPerPage);
    // One printed character (PrintBufferChar).
    void PutChar(u16 c, const PrintLineMode& mode, PrintLineOutput& out);
    // Writes the pending line when the printer is ready (FlushPrintLine); false when it
    // stays pending.
    bool Flush(const PrintLineMode& mode, PrintLineOutput& out);
    // A page change failed: the job must end. Reading clears it.
    bool TakeFailure();
    int Pending() const { return pending_; }
    int Line() const { return line_; }
    void Discard() { pending_ = 0; }

private:
    void Append(u16 c, const PrintLineMode& mode, PrintLineOutput& out);
    // Flushes and, with auto wrap, writes what is left on the following lines.
    void FlushWrapped(u16 c, const PrintLineMode& mode, PrintLineOutput& out);
    // A flush that must happen: waits for the printer (or drops the line on cancel).
    bool FlushNow(const PrintLineMode& mode, PrintLineOutput& out);
    bool Advance(u16 c, const PrintLineMode& mode, PrintLineOutput& out);
    void PadTo(int column);
    void PutTextChar(u16 c, const PrintLineMode& mode, PrintLineOutput& out);

    u16 buffer_[kPrintLineUnits] = {};
    int pending_ = 0;
    u8 crSeen_ = 0;
    int line_ = 0;
    int linesPerPage_ = 1;
    bool failed_ = false;
};
