// The two layers of an IBM host screen, whichever data stream fills it: the 5-byte host
// cell that the data stream and the keyboard write, and the 4-byte display cell that the
// display update builds from it and the painters draw (a row of them in the shared
// 548-byte line layout).
#pragma once

#include "terminal/core/base/vxtypes.h"

// One buffer position: a character or a field attribute, its flags and three bytes of
// extended attributes. Bytes 2-4 mean what the data stream that wrote them says, and
// each emulation reads them by its own names only: the 3270's highlighting, colour and
// character set; the 5250's extended primary attribute, text-assist attribute and
// foreground colour.
struct HostCell {
    constexpr HostCell(u8 c = 0, u8 f = 0, u8 b2 = 0, u8 b3 = 0, u8 b4 = 0)
        : character(c), flags(f), highlighting(b2), colour(b3), charset(b4)
    {}
    u8 character;
    u8 flags;
    union {
        u8 highlighting;
        u8 extended;
    };
    union {
        u8 colour;
        u8 textAssist;
    };
    union {
        u8 charset;
        u8 foreground;
    };
};
static_assert(sizeof(HostCell) == 5, "host cells are 5 bytes");

// What is painted for one column: character, colours, rendition and field bits; the
// rendition bits are the emulation's own.
struct HostDisplayCell {
    u8 character;  // EBCDIC, or a symbol number
    u8 colour;     // foreground palette index in the low nibble, background in the high
    u8 rendition;
    u8 field;  // kDisplayMark, and the emulation's field bits
};
static_assert(sizeof(HostDisplayCell) == 4, "display cells are 4 bytes");
constexpr u8 kDisplayMark = 0x80;  // a hot-spot cell; a display update keeps it

constexpr int kHostRowCells = 134;
// A display row in the shared 548-byte line layout; header[0] is the row's blink flag.
struct HostDisplayRow {
    u8 header[12];
    HostDisplayCell cells[kHostRowCells];
};
static_assert(sizeof(HostDisplayRow) == 548, "display rows are line records");
