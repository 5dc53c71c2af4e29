#include "terminal/emulations/dec/controls/softfont.h"

#include <cstring>

SoftFontState SoftFont{};

namespace {

// The glyph shown for a character the host has not loaded: a question mark in the left
// eight columns, ten rows each shown twice.
constexpr u16 kDefaultGlyph[10] = {0x3C00, 0x7E00, 0xE700, 0xC300, 0x0700, 0x1E00, 0x1C00, 0x0000, 0x1C00, 0x1C00};

enum ModelClass { kVt220Class, kVt320Class, kVt420Class, kOtherClass };

ModelClass ClassOf(u8 terminalId)
{
    // clang-format off
    switch (terminalId) {
    case 4: case 5: return kVt220Class;
    case 6: return kVt320Class;
    case 8: case 12: case 13: case 14: return kVt420Class;
    default: return kOtherClass;
    }
    // clang-format on
}

void StoreRows(u16* target, const u16* rows, int multiplier)
{
    if (multiplier == 2) {
        for (int r = 0; r < kSoftFontRows / 2; ++r)
            target[2 * r] = target[2 * r + 1] = rows[r];
    } else {
        std::memcpy(target, rows, sizeof(u16) * kSoftFontRows);
    }
}

void StoreDefaultGlyph(int character)
{
    u16 rows[kSoftFontRows] = {};
    std::memcpy(rows, kDefaultGlyph, sizeof kDefaultGlyph);
    StoreRows(SoftFont.glyphs[(character - 32) & 127], rows, 2);
}

void StartGlyph()
{
    const SoftFontLoadParameters& p = SoftFont.params;
    std::memset(SoftFont.accumulator, 0, sizeof SoftFont.accumulator);
    SoftFont.row = p.startRow;
    SoftFont.columnBit = p.startBit;
    SoftFont.columnsLeft = p.width;
    SoftFont.glyphStopped = 0;
}

// The set's positions: 33-126 for a 94-character set, 32-127 for a 96-character one.
int FirstPosition()
{
    return SoftFont.params.setSize ? 32 : 33;
}
int LastPosition()
{
    return SoftFont.params.setSize ? 127 : 126;
}

// Stores the accumulated glyph at the current character when the set has that position.
void StoreGlyph()
{
    const int c = SoftFont.character;
    if (c >= FirstPosition() && c <= LastPosition())
        StoreRows(SoftFont.glyphs[c - 32], SoftFont.accumulator, SoftFont.params.multiplier);
}

// Cell geometry by model, width and height; false when the combination is invalid.
bool ComputeGeometry(SoftFontLoadParameters& p, u8 terminalId)
{
    const ModelClass model = ClassOf(terminalId);
    const bool narrow = p.fontWidth == 2 || p.fontWidth == 12 || p.fontWidth == 22;
    const bool textCell = p.textCell == 1;
    // The rows a model gives a font whose height is not stated.
    int modelRows = 20;
    if (model == kVt220Class)
        modelRows = 10;
    else if (model == kVt320Class)
        modelRows = 12;
    else if (model == kVt420Class)
        modelRows = p.fontWidth >= 21 ? 8 : p.fontWidth >= 11 ? 10 : 16;
    // The small cells 2-4 are 5, 6 and 7 columns in a 10-row glyph of any model.
    const bool smallCell = p.cellWidth >= 2 && p.cellWidth <= 4;
    const int height = p.cellHeight ? p.cellHeight : smallCell ? 10 : modelRows;
    if (p.cellHeight > 20 || p.cellWidth > 15 || p.cellWidth == 1)
        return false;

    int width = p.cellWidth;
    int maxWidth = 10, rows = 20, multiplier = 1;
    if (p.cellWidth == 0) {
        switch (model) {
        case kVt220Class: width = 7, maxWidth = 8, rows = 10, multiplier = 2; break;
        case kVt320Class:
            rows = 12;
            if (p.fontWidth == 2)
                maxWidth = 9, width = textCell ? 7 : 9;
            else
                maxWidth = 15, width = textCell ? 12 : 15;
            break;
        case kVt420Class:
            rows = modelRows;
            multiplier = rows == 16 ? 1 : 2;
            if (narrow)
                maxWidth = 6, width = textCell ? 5 : 6;
            else
                maxWidth = 10, width = textCell ? 8 : 10;
            break;
        case kOtherClass:
            if (narrow)
                maxWidth = 6, width = textCell ? 5 : 6;
            else
                maxWidth = 10, width = textCell ? 9 : 10;
            break;
        }
    } else if (smallCell) {
        width = p.cellWidth + 3, maxWidth = 8, rows = 10, multiplier = 2;
    } else if (p.cellWidth <= 10) {
        switch (model) {
        case kVt220Class:
            if (width > 8 || height > 10)
                return false;
            maxWidth = 8, rows = 10, multiplier = 2;
            break;
        case kVt320Class:
            if (height >= 13)
                return false;
            maxWidth = 15, rows = 12;
            break;
        case kVt420Class:
            maxWidth = 10;
            if (height < 9)
                rows = 8, multiplier = 2;
            else if (height < 11)
                rows = 10, multiplier = 2;
            else
                rows = 16;
            break;
        case kOtherClass: break;
        }
    } else {
        if (height >= 13)
            return false;
        maxWidth = 15, rows = 12;
    }
    if (height > rows)
        return false;

    p.width = static_cast<u8>(width);
    p.maxWidth = static_cast<u8>(maxWidth);
    p.maxRows = static_cast<u8>(rows);
    p.multiplier = static_cast<u8>(multiplier);
    if (textCell) {
        p.startBit = static_cast<u16>(0x8000 >> ((maxWidth - width) / 2));
        p.startRow = static_cast<u8>((rows - height) / 2);
    } else {
        p.startBit = 0x8000;
        p.startRow = 0;
    }
    return true;
}

}  // namespace

void ResetSoftFont()
{
    SoftFontLoadParameters defaults;
    SoftFont.params = defaults;
    std::memset(SoftFont.glyphs, 0, sizeof SoftFont.glyphs);
    for (int c = 33; c <= 126; ++c)
        StoreDefaultGlyph(c);
    SoftFont.changed = 1;
}

bool BeginSoftFontLoad(const u16* parameters, int count, u8 terminalId)
{
    auto at = [&](int i) -> int { return i < count ? parameters[i] : 0; };
    SoftFontLoadParameters p;
    if (at(0) > 1 || at(1) >= 96 || at(2) > 2 || at(5) > 2 || at(7) > 1)
        return false;
    p.pfn = static_cast<u8>(at(0));
    p.startChar = static_cast<u8>(at(1) + 32);
    p.erase = static_cast<u8>(at(2));
    if (at(3) > 255 || at(6) > 255)
        return false;
    p.cellWidth = static_cast<u8>(at(3));
    const int pw = at(4) == 0 ? 1 : at(4);
    const bool vt420 = ClassOf(terminalId) == kVt420Class;
    if (!(pw == 1 || pw == 2 || (vt420 && (pw == 11 || pw == 12 || pw == 21 || pw == 22))))
        return false;
    p.fontWidth = static_cast<u8>(pw);
    p.textCell = static_cast<u8>(at(5) == 0 ? 1 : at(5));
    p.cellHeight = static_cast<u8>(at(6));
    p.setSize = static_cast<u8>(at(7));
    if (!ComputeGeometry(p, terminalId))
        return false;
    SoftFont.params = p;
    SoftFont.character = p.startChar;
    SoftFont.invalid = 0;
    StartGlyph();
    return true;
}

void SetSoftFontName(const u8* name, int length)
{
    if (length < 0)
        length = 0;
    if (length > 3)
        length = 3;
    u16 newName[3] = {};
    for (int i = 0; i < length; ++i)
        newName[i] = name[i];
    if (std::memcmp(newName, SoftFont.name, sizeof newName) != 0) {
        SoftFont.params.erase = 2;
        std::memcpy(SoftFont.name, newName, sizeof newName);
    }
    if (SoftFont.params.erase != 1)
        for (int c = 33; c <= 127; ++c)
            StoreDefaultGlyph(c);
    SoftFont.set96 = SoftFont.params.setSize;
}

void FeedSoftFontByte(u8 b)
{
    if (SoftFont.invalid)
        return;
    const SoftFontLoadParameters& p = SoftFont.params;
    if (b == ';') {
        StoreGlyph();
        StartGlyph();
        // Past the set's last position nothing more can be stored.
        if (++SoftFont.character > LastPosition())
            SoftFont.invalid = 1;
        return;
    }
    if (b == '/') {
        SoftFont.columnBit = p.startBit;
        SoftFont.columnsLeft = p.width;
        if (SoftFont.row >= kSoftFontRows)
            SoftFont.glyphStopped = 1;
        else
            SoftFont.row = static_cast<u16>(SoftFont.row + 6);
        return;
    }
    if (b < 0x3F || b > 0x7E || SoftFont.glyphStopped || SoftFont.columnsLeft == 0)
        return;
    const int bits = b - 63;
    for (int k = 0; k < 6; ++k) {
        const int row = SoftFont.row + k;
        // A sixel row may reach below the glyph matrix (the fourth sixel row of a
        // 20-row glyph covers rows 18-23): those bits have nowhere to go.
        if ((bits & (1 << k)) && row < p.maxRows && row < kSoftFontRows)
            SoftFont.accumulator[row] |= SoftFont.columnBit;
    }
    SoftFont.columnBit = static_cast<u16>(SoftFont.columnBit >> 1);
    --SoftFont.columnsLeft;
}

void EndSoftFontLoad()
{
    if (!SoftFont.invalid)
        StoreGlyph();
    SoftFont.invalid = 1;
    SoftFont.changed = 1;
}

bool SoftFontNameMatches(const u16* name, int length)
{
    if (length < 1 || length > 3 || SoftFont.name[0] == 0)
        return false;
    for (int i = 0; i < 3; ++i)
        if ((i < length ? name[i] : 0) != SoftFont.name[i])
            return false;
    return true;
}

void ForgetSoftFontName()
{
    std::memset(SoftFont.name, 0, sizeof SoftFont.name);
    SoftFont.set96 = 0;
}

int SoftFontMatrixWidth()
{
    return SoftFont.params.maxWidth;
}

int SoftFontMatrixHeight()
{
    const int rows = SoftFont.params.maxRows * SoftFont.params.multiplier;
    return rows > kSoftFontRows ? kSoftFontRows : rows;
}
