// A screen line as printed characters, in one of five print line formats:
//   0 national 7-bit: a character-set and line-size prefix, then the line in the
//     national replacement set, blanks for what it cannot show;
//   1 as 0, line-drawing cells shifted out (SO) into the DEC special graphics set;
//   2 8-bit: the prefix with ASCII, 8-bit characters as they are, line drawing shifted;
//   3 plain ASCII: everything else a blank;
//   4 the host's characters as the screen shows them.
// Every line ends with CR LF. The text goes out through PrintFormatOutput, so the
// caller decides whether it reaches a port, LPR or the Windows printer.
#pragma once

#include "terminal/core/screen/screenstore.h"
#include "terminal/core/base/vxtypes.h"

class PrintFormatOutput {
public:
    virtual ~PrintFormatOutput() = default;
    // A character through the printer's character-set translation (PrintChar).
    virtual void PrintChar(u16 c) = 0;
    // A character straight into the Windows printer's line (format 4 without byte output).
    virtual void BufferChar(u16 c) = 0;
    virtual bool Cancelled() = 0;
};

struct PrintFormatContext {
    int firstColumn = 0, lastColumn = kStoreColumns - 1;  // the printable columns
    int nationalIndex = 0;                                // national set 0-15 for the prefix
    const u8* national = nullptr;                         // its pairs {7-bit code, character}, 0-ended
    bool byteOutput = false;                              // the job goes to a port or LPR
    bool plainLineDrawing = false;                        // 7-bit national output: box drawing as ASCII
    bool pcCharacters = false;                            // the PC character set (upss 4) of the ANSI consoles
    u8 pcCodePage = 0;                                    // "ansi386_codepage" with pcCharacters
};

constexpr int kPrintFormatCount = 5;

// The highest column in low..high whose character is neither 0 nor a blank; low - 1
// when there is none.
int FindLastNonBlankCell(const ScreenLineRecord* line, int low, int high);
// ESC * <, ESC ) 0, ESC ( and the national set's final, then ESC # and the line size.
void PrintLinePrefix(const ScreenLineRecord* line, int nationalIndex, PrintFormatOutput& out);
void FormatLineForPrint(const ScreenLineRecord* line, int format, const PrintFormatContext& context,
                        PrintFormatOutput& out);

// What a printer that takes bytes gets for a cell (formats 0-3 and byte output).
u16 PrintCellChar(const ScreenCell& cell, const PrintFormatContext& context);
// A cell of the DEC line-drawing set.
bool IsLineDrawingCell(const ScreenCell& cell);
