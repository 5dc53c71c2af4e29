// ESC [: the 3151 knows only the cursor (H) and buffer (f) positions; the other
// sequences of its repertoire are read to their end and do nothing. Bytes are read in
// seven bits; a control met inside is run at once, and an ESC among them starts the
// next sequence.
#include <array>

#include "terminal/core/host/escparser.h"
#include "terminal/emulations/ibm3151/host/hostpath.h"
#include "terminal/emulations/ibm3151/pages.h"

namespace {

I3151PageRecord* g_page = nullptr;

// The walker's byte source: 0 ends the walk (abandoned, or an ESC began the next).
int CsiByte()
{
    for (;;) {
        const int v = I3151NextByte();
        if (v < 0)
            return 0;
        const int b = v & 0x7F;
        if (b >= 32)
            return b;
        I3151DispatchControl(g_page, static_cast<u8>(b));
        if (I3151.escapeGivenBack)
            return 0;
    }
}

int Param(int slot)
{
    return slot <= CsiParameters.count ? CsiParameters.slots[slot].value : 0;
}

void Position(bool buffer)
{
    // A private marker makes the sequence another terminal's: nothing moves.
    if (CsiParameters.markerInForce != ' ')
        return;
    I3151PageRecord* page = g_page;
    I3151FlushPage(page);
    const int row = Param(1) > 0 ? Param(1) - 1 : 0;
    const int column = Param(2) > 0 ? Param(2) - 1 : 0;
    if (buffer) {
        I3151.writePosition = true;
        page->bufferRow = row < page->lastRowIndex ? row : page->lastRowIndex;
        page->bufferColumn = column < I3151.lastColumn ? column : I3151.lastColumn;
    } else {
        I3151SetCursor(page, row, column);
    }
}

void CursorPosition()
{
    Position(false);
}

void BufferPosition()
{
    Position(true);
}

void SkipIntermediates()
{
    SkipSequenceBytesFrom(0x20, 0x3F, CsiByte);
}

void SkipQuoted()
{
    if (CsiByte() == '\'')
        SkipSequenceBytesFrom(0x20, 0x2F, CsiByte);
}

extern const ParserRange kCsiState[];

constexpr auto kParameters = CsiParameterActions(kCsiState, IgnoreAction);
// SP ! " # $ % & '
constexpr std::array<ParserAction, 8> kIntermediates = {{
    {SkipIntermediates, nullptr},
    {SkipIntermediates, nullptr},
    {SkipIntermediates, nullptr},
    {IgnoreAction, nullptr},
    {SkipIntermediates, nullptr},
    {IgnoreAction, nullptr},
    {SkipIntermediates, nullptr},
    {SkipQuoted, nullptr},
}};
constexpr std::array<ParserAction, 1> kH = {{{CursorPosition, nullptr}}};
constexpr std::array<ParserAction, 1> kF = {{{BufferPosition, nullptr}}};

const ParserRange kCsiState[] = {
    {0x20, 0x27, kIntermediates.data()},
    {0x30, 0x3F, kParameters.data()},
    {'H', 'H', kH.data()},
    {'f', 'f', kF.data()},
    {0, 0, nullptr},
};

}  // namespace

void I3151ParseCsi(I3151PageRecord* page)
{
    g_page = page;
    ResetCsiCollector();
    ParseWithStateTableFrom(kCsiState, CsiByte);
}
