#include "terminal/emulations/dec/vtchar.h"
#include "terminal/core/screen/display.h"
#include "terminal/core/screen/paintsettings.h"

#include <initializer_list>

#include "terminal/core/base/corestate.h"
#include "terminal/core/base/family.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/core/screen/screenops.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/host/escparser.h"
#include "terminal/emulations/dec/services.h"

namespace {

constexpr int kErrorGlyphSub = 132;
constexpr int kErrorGlyphCan = 133;

// Display-controls mode ends on ESC [ 3 l, which is shown as well.
u8 g_tracker[4];
int g_trackerCount = 0;

void TrackControlSequence(int c)
{
    if (c == 27) {
        g_tracker[0] = 27;
        g_trackerCount = 1;
    } else if (c == 155) {
        g_tracker[0] = 27;
        g_tracker[1] = '[';
        g_trackerCount = 2;
    } else if (g_trackerCount > 0) {
        g_tracker[g_trackerCount++] = static_cast<u8>(c);
        if (g_trackerCount == 4) {
            if (g_tracker[1] == '[' && g_tracker[2] == '3' && g_tracker[3] == 'l')
                PaintSettings.displayControls = 0;
            g_trackerCount = 0;
        }
    }
}

bool IsLetter(int c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= 0xC1 && c <= 0xDA) ||
           (c >= 0xE1 && c <= 0xFA);
}

// Colour by character class: letters 6, digits 3, brackets 2, operators 5, other
// printables 4, anything else 7.
u8 ClassColour(int c, u8 glyphSet)
{
    if (IsLetter(c) || glyphSet != 0)
        return 6;
    if ((c >= '0' && c <= '9') || (c >= 0xB0 && c <= 0xB9))
        return 3;
    // clang-format off
    switch (c) {
    case '(': case ')': case '[': case ']': case '{': case '}':
    case 0xA8: case 0xA9: case 0xDB: case 0xDD: case 0xFB: case 0xFD:
        return 2;
    case '*': case '+': case '/': case '<': case '=': case '>':
    case 0xAA: case 0xBC: case 0xBE:
        return 5;
    default:
        break;
    }
    // clang-format on
    if (c >= 32 && c <= 254 && c != '#' && c != 127 && c != 0xA3 && !(c >= 0x80 && c <= 0xA0))
        return 4;
    return 7;
}

bool IsOneOf(int c, std::initializer_list<int> list)
{
    for (int x : list)
        if (x == c)
            return true;
    return false;
}

void WrapBeforeWriting()
{
    if (!VtMode.autoWrap)
        return;
    if (VtMode.rightToLeft) {
        ReverseIndex();
        Screen.cursorColumn = Screen.right;
        UpdateCursorCellPointer();
        return;
    }
    if (VtLocalEditing() && LocalEditor.wrapToNextLine) {
        LocalEditor.wrapToNextLine();
        return;
    }
    CarriageReturn();
    IndexDown();
}

}  // namespace

void ResetControlTracker()
{
    g_trackerCount = 0;
    for (u8& u : g_tracker)
        u = 0;
}

MappedChar MapCharByDesignation(int c, int designation, bool set96)
{
    const u32 setting = PaintSettings.characterMode;
    if (setting == 4) {
        if (c < 127 && !AnsiConsoleMode)
            return {static_cast<u8>(c), 0};
        const int t = AnsiTranslateHostChar(c);
        return {static_cast<u8>(t & 0xFF), static_cast<u8>((t >> 8) & kGlyphSetMask)};
    }
    if ((c == ' ' && !set96) || designation < 2 || designation > 15)
        return {static_cast<u8>(c), 0};
    switch (designation) {
    case 2: return {static_cast<u8>(c), static_cast<u8>(c >= 0x5F && c <= 0x7E ? 3 : 0)};
    case 3: return {MapByteByPairTable(static_cast<u8>(c), NationalReplacementTable()), 0};
    case 4:
    case 5: {
        const bool spaceStays = designation == 4 &&
                                (setting == 1 || setting == 3 || (setting >= 5 && setting <= 11));
        const int ch = (c == ' ' && spaceStays) ? c : c + 128;
        if (IsOneOf(ch,
                    {0xA0, 0xA4, 0xA6, 0xAC, 0xAD, 0xAE, 0xAF, 0xB4, 0xB8, 0xBE, 0xD0, 0xDE, 0xF0, 0xFE, 0xFF}))
            return {kErrorGlyphSub, 3};
        switch (ch) {
        case 0xA8: return {0xA4, 0};
        case 0xD7: return {0x81, 0};
        case 0xDD: return {0x82, 0};
        case 0xF7: return {0x83, 0};
        case 0xFD: return {0xFF, 0};
        default: return {static_cast<u8>(ch), 0};
        }
    }
    case 6: return {static_cast<u8>(c == ' ' ? c : c + 128), 0};
    case 7: return {static_cast<u8>(c), 1};
    case 8: return {static_cast<u8>(c), 2};
    case 13:
        if (setting != 19)
            return {static_cast<u8>(c), 0};
        if (c >= 0x60 && c <= 0x7A)
            return {static_cast<u8>(c - 0x60), 5};
        return {static_cast<u8>(c), 4};
    case 15: {
        if (c >= 0x60 && c <= 0x7F)
            return {static_cast<u8>(c - 0x60), 0};
        // clang-format off
        switch (c) {
        case '!': return {'~', 2};
        case '"': return {0x8D, 0};
        case '#': return {0x8E, 0};
        case '$': return {0x8F, 0};
        case '%': return {0x90, 0};
        case '&': return {0x91, 0};
        case '\'': return {0x92, 0};
        case '(': return {0x93, 0};
        case ')': return {0x94, 0};
        case '*': return {0x95, 0};
        case '+': return {'9', 2};
        case ',': return {0x80, 0};
        case '-': return {0x96, 0};
        case '.': return {0x97, 0};
        case '/': case ':': case '>': case '?': case 127: return {' ', 0};
        case ';': return {0x98, 0};
        case '<': return {'{', 2};
        case '=': return {'}', 2};
        case '[': return {0x99, 0};
        case '\\': return {0x8A, 0};
        case ']': return {0x8B, 0};
        case '^': return {0x9A, 0};
        case '_': return {'|', 2};
        default: return {static_cast<u8>(c), 0};
        }
        // clang-format on
    }
    default: return {static_cast<u8>(c), 0};
    }
}

u8 MapCharByGSet(int c)
{
    MappedChar m{static_cast<u8>(c), 0};
    if ((c == kErrorGlyphSub || c == kErrorGlyphCan) && PaintSettings.characterMode != 4) {
        m.glyphSet = 3;
    } else if (!PaintSettings.displayControls) {
        const int set = VtMode.singleShift >= 0 ? VtMode.singleShift : (c >= 128 ? VtMode.grSet : VtMode.glSet);
        const int g = set & 3;
        if (PaintSettings.characterMode != 4)
            c &= 0x7F;
        m = MapCharByDesignation(c, VtMode.designation[g], VtMode.set96[g] != 0);
    }
    VtMode.singleShift = -1;
    CurrentFlags = static_cast<u8>((CurrentFlags & ~kGlyphSetMask) | (m.glyphSet & kGlyphSetMask));
    return m.ch;
}

void VtProcessChar(int c)
{
    const bool showControls = (PaintSettings.displayControls &&
                               !(EmulationId == kEmuScoConsole && (c == 27 || c == 155))) ||
                              (c < 32 && AnsiConsoleMode && AnsiShowsControl(c));
    if (VtMode.suspended == 1)
        return;
    HideCursorForUpdate();
    if (c >= 32 || showControls) {
        const u32 setting = PaintSettings.characterMode;
        if (setting == 3 || setting == 4)
            VtWriteChar(c);
        else if (c >= 0x80 && c <= 0x9F && !showControls)
            ProcessC1Control(static_cast<u8>(c));
        else if (c == 127) {
            if (VtMode.displayErrors)
                VtWriteChar(kErrorGlyphCan);
        } else
            VtWriteChar(c);
    } else {
        VtControlChar(c);
    }
    if (PaintSettings.displayControls)
        TrackControlSequence(c);
    if (PendingSpan.pending && PendingSpan.row != Screen.cursorRow)
        FlushPendingSpan();
}

int VtWriteText(const u8* bytes, int n)
{
    // What VtProcessChar and VtWriteChar decide per character is decided once here; any
    // mode that would make one character act differently from the next leaves the run
    // to them. A run stops short of the column where the cursor would stop (the
    // pending wrap is theirs), so the row and the cursor line stay the same throughout.
    if (VtMode.suspended == 1 || PaintSettings.displayControls || PaintSettings.characterMode == 3 ||
        PaintSettings.characterMode == 4 || VtMode.rightToLeft || VtMode.colourByClass ||
        VtMode.singleShift >= 0 || PendingWrap || AnsiConsoleMode || DoubleWidthCells || StatusLineWriting ||
        VtLocalEditing() || Screen.lastColumn >= Screen.windowColumns)
        return 0;
    int count = 0;
    while (count < n && bytes[count] >= 0x20 && bytes[count] <= 0x7E)
        ++count;
    if (count == 0)
        return 0;
    HideCursorForUpdate();
    if (PendingSpan.pending && PendingSpan.row != Screen.cursorRow) {
        FollowCursorInView();
        FlushPendingSpan();
    }
    ScreenLineRecord* line = CursorLine();
    if (!line)
        return 0;
    const int column = Screen.cursorColumn;
    const int lineLimit = CursorColumnLimit();
    int limit = column <= Screen.right ? Screen.right : lineLimit;
    if (limit > lineLimit)
        limit = lineLimit;
    if (count > limit - column)
        count = limit - column;
    if (count <= 0)
        return 0;
    // In insert mode the cells from the cursor to the margin move right once by the run's
    // length: the same cells as one move per character.
    if (VtMode.insertMode)
        InsertCharacters(count);

    const int g = VtMode.glSet & 3;
    const int designation = VtMode.designation[g];
    const bool set96 = VtMode.set96[g] != 0;
    // Designations 0, 1 and past 15 leave every character as it is, in glyph set 0.
    const bool plain = designation < 2 || designation > 15;
    const u8 colour = CurrentColour;
    const u8 rendition = static_cast<u8>(CurrentRendition | kRendWritten);
    u8 glyphSet = 0;
    ScreenCell* cell = line->cells + column;
    for (int i = 0; i < count; ++i, ++cell) {
        MappedChar m{bytes[i], 0};
        if (!plain)
            m = MapCharByDesignation(bytes[i], designation, set96);
        glyphSet = m.glyphSet & kGlyphSetMask;
        cell->ch = m.ch;
        cell->colour = colour;
        cell->rendition = rendition;
        cell->flags = static_cast<u8>(glyphSet | (cell->flags & kLineAttrBits));
    }
    CurrentFlags = static_cast<u8>((CurrentFlags & ~kGlyphSetMask) | glyphSet);
    if (CurrentRendition & kRendBlink)
        line->cells[0].flags |= kLineBlinks;

    const int last = column + count - 1;
    if (PendingSpan.pending && PendingSpan.row == Screen.cursorRow) {
        if (column < PendingSpan.first)
            PendingSpan.first = static_cast<i16>(column);
        if (last > PendingSpan.last)
            PendingSpan.last = static_cast<i16>(last);
    } else {
        PendingSpan = PendingRowSpan{1, Screen.cursorRow, static_cast<i16>(column), static_cast<i16>(last)};
    }
    Screen.cursorColumn = static_cast<i16>(column + count);
    UpdateCursorCellPointer();
    FollowCursorInView();
    return count;
}

void VtWriteChar(int c)
{
    if (PendingSpan.pending && PendingSpan.row != Screen.cursorRow) {
        FollowCursorInView();
        FlushPendingSpan();
    }
    if (VtLocalEditing() && LocalEditor.putChar) {
        LocalEditor.putChar(c);
        return;
    }
    if (PendingWrap)
        WrapBeforeWriting();
    if (VtMode.insertMode) {
        if (VtMode.rightToLeft) {
            // Right to left the cells between the left margin and the cursor move left.
            ScreenLineRecord* line = CursorLine();
            if (line)
                for (int col = Screen.left; col < Screen.cursorColumn; ++col)
                    line->cells[col] = line->cells[col + 1];
        } else {
            InsertCharacters(1);
        }
    }
    ScreenLineRecord* line = CursorLine();
    if (!line)
        return;
    ScreenCell& cell = line->cells[Screen.cursorColumn];
    const u8 ch = MapCharByGSet(c);
    const u8 glyphSet = CurrentFlags & kGlyphSetMask;
    u8 colour = CurrentColour;
    if (VtMode.colourByClass && DecEngineRuns()) {
        u8 fg = ClassColour(ch, glyphSet);
        if ((CurrentColour & 0x0F) >= 8)
            fg |= 0x08;
        colour = static_cast<u8>((CurrentColour & 0xF0) | fg);
    }
    cell.ch = ch;
    cell.colour = colour;
    cell.rendition = static_cast<u8>(CurrentRendition | kRendWritten);
    u8 flags = static_cast<u8>(glyphSet | (cell.flags & kLineAttrBits));
    if (DoubleWidthCells)
        flags |= kLineDoubleWidth;
    cell.flags = flags;
    if (CurrentRendition & kRendBlink)
        line->cells[0].flags |= kLineBlinks;

    const int column = Screen.cursorColumn;
    if (PendingSpan.pending && PendingSpan.row == Screen.cursorRow) {
        if (column < PendingSpan.first)
            PendingSpan.first = static_cast<i16>(column);
        if (column > PendingSpan.last)
            PendingSpan.last = static_cast<i16>(column);
    } else {
        PendingSpan = PendingRowSpan{1, Screen.cursorRow, static_cast<i16>(column), static_cast<i16>(column)};
    }

    if (PaintSettings.displayControls && (c == 10 || (VtMode.ansiMode && (c == 11 || c == 12)))) {
        VtControlChar(c);
        return;
    }
    if (column >= CursorColumnLimit() && PendingSpan.pending) {
        RepaintCursorRowSpan(PendingSpan.first, PendingSpan.last);
        ClearPendingRowSpan();
    }
    PendingWrap = static_cast<u8>(CursorRightOne());
    // The consoles and AIXTerm wrap as soon as the last column is written (their
    // terminfo entries have automatic margins without the deferred wrap).
    if (PendingWrap && (AnsiConsoleMode || AixtermMode > 0)) {
        WrapBeforeWriting();
        PendingWrap = 0;
    }
}
