#include "terminal/emulations/dec/controls/rendition.h"

#include "terminal/core/base/family.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/emulations/dec/params.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/emulations/dec/vtmodes.h"
#include "terminal/settings/store/colours.h"

RenditionState Rendition;

namespace {

constexpr u8 kSgrColourIndex[8] = {0, 2, 3, 6, 1, 4, 5, 7};

u8 Normal(u8 byte)
{
    return byte & 0x0F;
}

// Bit 3 (bright) of a selected colour: from the palette setting, or inverted in the
// 16-colour extension.
u8 WithBrightBit(int index, u8 paletteSetting)
{
    u8 c = static_cast<u8>(index & 0x0F);
    if (Rendition.sixteenColours)
        return static_cast<u8>(c ^ 0x08);
    return paletteSetting >= 8 ? static_cast<u8>(c | 0x08) : static_cast<u8>(c & 0x07);
}

bool ReverseOn()
{
    return (CurrentRendition & kRendReverse) != 0;
}

// While reverse is on the two sides of the colour byte trade places.
void PutForeground(u8 c)
{
    Rendition.foreground = c;
    if (ReverseOn())
        CurrentColour = static_cast<u8>((CurrentColour & 0x0F) | (c << 4));
    else
        CurrentColour = static_cast<u8>((CurrentColour & 0xF0) | c);
}

void PutBackground(u8 c)
{
    Rendition.background = c;
    if (ReverseOn())
        CurrentColour = static_cast<u8>((CurrentColour & 0xF0) | c);
    else
        CurrentColour = static_cast<u8>((CurrentColour & 0x0F) | (c << 4));
}

void SetScreenColour(u8 c)
{
    SetScrnColours(c);
    Rendition.screenColour = c;
}

void SetScreenColourByPalette(int index)
{
    SetScreenColour(WithBrightBit(index, AttributeColourTable.bckpalette));
}

void RenditionOn(u8 bit)
{
    CurrentRendition |= bit;
}

void RenditionOff(u8 bit)
{
    CurrentRendition &= static_cast<u8>(~bit);
}

void ApplySgr(int p)
{
    if (p >= 30 && p <= 89 && Rendition.colourLock)
        return;
    const bool sixteen = Rendition.sixteenColours != 0;
    // clang-format off
    switch (p) {
    case 0: SetBoldDim(0); ResetGraphicRendition(); return;
    case 1: SetBoldDim(0); RenditionOn(kRendBold); return;
    case 2: SetBoldDim(1); return;
    case 4: RenditionOn(kRendUnderline); return;
    case 5: RenditionOn(kRendBlink); return;
    case 7: RenditionOn(kRendReverse); return;
    case 8: case 254: RenditionOn(kRendInvisible); return;
    case 22: RenditionOff(kRendBold); return;
    case 24: RenditionOff(kRendUnderline); return;
    case 25: RenditionOff(kRendBlink); return;
    case 27: RenditionOff(kRendReverse); return;
    case 28: RenditionOff(kRendInvisible); return;
    case 39: PutForeground(Normal(AttributeColourTable.frg[0])); return;
    case 49: PutBackground(Normal(AttributeColourTable.bck[0])); return;
    case 59:
        if (sixteen)
            SetForeground(Normal(AttributeColourTable.frg[0]) | 0x08);
        else
            SetScreenColourByPalette(Rendition.screenColour);
        return;
    case 69:
        if (sixteen)
            SetBackground(Normal(AttributeColourTable.bck[0]) | 0x08);
        return;
    case 79:
        if (sixteen)
            SetScreenColour(Rendition.screenColour);
        return;
    case 89:
        if (sixteen)
            SetScreenColour(static_cast<u8>(Rendition.screenColour | 0x08));
        return;
    default: break;
    }
    // clang-format on
    const int decade = p / 10, digit = p % 10;
    if (digit > 7)
        return;
    const u8 index = kSgrColourIndex[digit];
    switch (decade) {
    case 3: SetForeground(index); break;
    case 4: SetBackground(index); break;
    case 5:
        if (sixteen)
            SetForeground(8 + index);
        else
            SetScreenColourByPalette(index);
        break;
    case 6:
        if (sixteen)
            SetBackground(8 + index);
        break;
    case 7:
        if (sixteen)
            SetScreenColour(index);
        break;
    case 8:
        if (sixteen)
            SetScreenColour(static_cast<u8>(8 + index));
        break;
    default: break;
    }
}

// CSI > Ps ; ... m: Ps picks what the colour parameters after it set.
void AssignSgrColours()
{
    int slot = -1;
    bool foregroundAssigned = false;
    for (int i = 1; i <= ParamCount(); ++i) {
        const int p = Param(i);
        if (p < 30 || p > 49 || (p > 37 && p < 39) || (p > 47 && p < 49)) {
            slot = p;
            foregroundAssigned = false;
            continue;
        }
        const bool foreground = p < 40;
        const int digit = p % 10;
        AttributeColours& t = AttributeColourTable;
        if (slot == 20) {
            if (foreground) {
                const u8 c = digit == 9 ? 7 : kSgrColourIndex[digit];
                t.frg[0] = static_cast<u8>((t.frg[0] & 0xF0) | c);
                foregroundAssigned = true;
            } else {
                const u8 c = digit == 9 ? 0 : kSgrColourIndex[digit];
                if (foregroundAssigned)
                    SetScreenColour(c);
                else
                    t.bck[0] = static_cast<u8>((t.bck[0] & 0xF0) | c);
            }
        } else if (slot == 21 || slot == 24 || slot == 25) {
            // Bold, underlined and blinking text can have colours of their own.
            const int combination = slot == 21 ? 1 : slot == 24 ? 2 : 4;
            const u8 c = digit == 9 ? 7 : kSgrColourIndex[digit];
            u8& entry = foreground ? t.frg[combination] : t.bck[combination];
            entry = static_cast<u8>((entry & 0xF0) | c);
        }
    }
    Rendition.colourTableChanged = 1;
}

}  // namespace

u8 SgrColourIndex(int digit)
{
    return kSgrColourIndex[digit & 7];
}

bool SixteenColourMode()
{
    return Rendition.sixteenColours != 0;
}

void SetForeground(int index)
{
    PutForeground(WithBrightBit(index, AttributeColourTable.frgpalette));
}

void SetBackground(int index)
{
    PutBackground(WithBrightBit(index, AttributeColourTable.bckpalette));
}

void SetBoldDim(int mode)
{
    if (mode == Rendition.boldDim)
        return;
    Rendition.boldDim = static_cast<u8>(mode);
    RenditionOff(kRendBold);
    CurrentColour = mode == 1 ? 0x08 : 0x07;
}

void ResetGraphicRendition()
{
    RenditionOff(kRendReverse | kRendBold | kRendUnderline | kRendBlink | kRendInvisible);
    const bool familyKeeps = AnsiConsoleMode || AixtermMode > 0;
    if ((familyKeeps || Colours.keepcolours) && !DecModes.fullReset)
        return;
    Rendition.foreground = Normal(AttributeColourTable.frg[0]);
    Rendition.background = Normal(AttributeColourTable.bck[0]);
    CurrentColour = static_cast<u8>(Rendition.foreground | (Rendition.background << 4));
}

void FollowColourSettings()
{
    Rendition.screenColour = AttributeColourTable.bckscrn;
    ResetGraphicRendition();
}

int ThirdColourIndex()
{
    return Rendition.screenColour;
}

void SelectGraphicRendition()
{
    const u8 marker = ParamMarker();
    if (marker == '>') {
        AssignSgrColours();
        return;
    }
    if (marker != ' ')
        return;
    for (int i = 1; i <= ParamCount(); ++i) {
        const int p = Param(i);
        if (p < 255)
            ApplySgr(p);
    }
}

void SetCharacterProtection()
{
    if (ParamMarker() != ' ')
        return;
    const int p = Param(1);
    if (p == 1)
        CurrentRendition |= kRendProtected;
    else if (p == 0 || p == 2)
        CurrentRendition &= static_cast<u8>(~kRendProtected);
}

void SetKeepColours()
{
    if (ParamMarker() == '?' && Param(1) == 10) {
        if (Param(2) == 0)
            Colours.keepcolours = 0;
        else if (Param(2) == 1)
            Colours.keepcolours = 1;
    }
}
