// DECRQCRA: the checksum of a rectangular area, which a host (or a test suite) reads
// to check what the screen holds without reading it back.
#include "terminal/core/screen/screenstore.h"
#include "terminal/emulations/dec/params.h"
#include "terminal/emulations/dec/pages/rectangles.h"
#include "terminal/emulations/dec/reports/reportbuffer.h"
#include "terminal/emulations/dec/controls/rendition.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/emulations/dec/pages/statusline.h"
#include "terminal/emulations/dec/vtparts.h"
#include "terminal/settings/store/colours.h"

namespace {

// The colour bits of a checksum by colour index 0-7.
constexpr u32 kForegroundBits[8] = {0, 0x400, 0x100, 0x200, 0x500, 0x600, 0x300, 0x700};

}  // namespace

u32 CellChecksumValue(const ScreenCell& cell)
{
    u32 v = cell.ch;
    const u8 r = cell.rendition;
    if (r & kRendInvisible)
        v ^= 0x04;
    if (r & kRendProtected)
        v ^= 0x08;
    if (r & kRendUnderline)
        v ^= 0x10;
    if (r & kRendReverse)
        v ^= 0x20;
    if (r & kRendBold)
        v = (v & ~0xFF00u) | 0x0800;
    if (r & kRendBlink)
        v |= 0xFFFF8000u;
    const int foreground = cell.colour & 0x0F, background = cell.colour >> 4;
    if (foreground == (AttributeColourTable.frg[0] & 0x0F))
        v |= 0x700;
    else
        v |= 0x40 | kForegroundBits[foreground & 7];
    if (background != (AttributeColourTable.bck[0] & 0x0F) && background != Rendition.screenColour)
        v |= 0x40 | (kForegroundBits[background & 7] << 4);
    return v;
}

u16 AreaChecksum(int page, const CellArea& a)
{
    // The one's complement of the plain sum: equal cells never cancel out, so a changed
    // cell always shows.
    u32 sum = 0;
    for (int row = a.top; row <= a.bottom; ++row)
        if (const ScreenLineRecord* line = PageLine(page, row))
            for (int c = a.left; c <= a.right; ++c)
                sum += CellChecksumValue(line->cells[c]);
    return static_cast<u16>(~sum);
}

void ReportRectangleChecksum()
{
    const MainDisplayScope mainDisplay;
    if (!IsVt420Class() || ParamMarker() != ' ')
        return;
    const int id = Param(1);
    const int page = PageFromParam(Param(2));
    const u16 sum = AreaChecksum(page, AreaFromParams(3));
    static const char kHex[] = "0123456789ABCDEF";
    BeginReport(kDcsUnit);
    AppendDecimal(static_cast<u32>(id));
    AppendText("!~");
    for (int shift = 12; shift >= 0; shift -= 4)
        AppendUnit(static_cast<wchar16>(kHex[(sum >> shift) & 15]));
    AppendUnit(kStUnit);
    SendReportBuffer();
}
