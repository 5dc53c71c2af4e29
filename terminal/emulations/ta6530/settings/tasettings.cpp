#include "terminal/emulations/ta6530/settings/tasettings.h"

#include <algorithm>

#include "terminal/emulations/ta6530/protocol/taprotocol.h"
#include "terminal/emulations/ta6530/tatables.h"
#include "terminal/emulations/ta6530/taservices.h"

namespace {

// The settings index (half 1, underline 2, blink 4, reverse 8) of a video attribute.
int SettingsIndexOf(u8 video)
{
    int i = 0;
    if (video & kTaHalf)
        i |= 1;
    if (video & kTaUnderline)
        i |= 2;
    if (video & kTaBlink)
        i |= 4;
    if (video & kTaReverse)
        i |= 8;
    return i;
}

}  // namespace

Ta6530Settings TaProfileSettings = TaFactorySettings();

void TaLoadSettings()
{
    TaSettings = TaProfileSettings;
    Ta6530Settings& s = TaSettings;
    // Values out of their range: the nearest one that is in it (a packet block above 7
    // would make blocks larger than the receive buffer).
    if (s.defMode > 2)
        s.defMode = 0;
    s.packetBlock = std::min<u32>(s.packetBlock, 7);
    s.marginBell = std::min<u32>(s.marginBell, 80);
    for (HlsEntry& e : s.palette.entry)
        e = HlsEntry{std::min<u16>(e.hue, 360), std::min<u16>(e.lightness, 100), std::min<u16>(e.saturation, 100)};
    TaApplyPacketBlock();
    TaBuildAttrColours();
}

void TaBuildAttrColours()
{
    const Ta6530Settings& s = TaSettings;
    for (int entry = 0; entry < 32; ++entry) {
        const int i = SettingsIndexOf(static_cast<u8>(entry));
        const bool own = (s.bck[i] & 0x80) != 0;
        const u8 fg = own ? s.frg[i] : s.frg[0];
        const u8 bg = own ? s.bck[i] : s.bck[0];
        u8 colour = static_cast<u8>(kTaPaletteToHost[bg & 7] * 16 + kTaPaletteToHost[fg & 15]);
        if (s.frg[i] & 0x10)
            colour |= 0x80;
        if (entry & kTaInvisible)
            TaSetAttributeColour(entry, colour);
        else
            Ta.attributeColours[entry] = colour;
    }
}

void TaSetAttributeColour(int entry, u8 colour)
{
    if (entry < 0 || entry > 31)
        return;
    Ta.attributeColours[entry] = colour;
    if (entry & kTaInvisible)
        return;  // invisible combinations keep their colours for the reports only
    const u8 video = static_cast<u8>(entry);
    u8 fg = kTaHostToPalette[colour & 15];
    if (colour & 0x80)
        fg |= 0x10;
    if (video & kTaReverse)
        fg |= 0x20;
    if (video & kTaUnderline)
        fg |= 0x40;
    const u8 bg = static_cast<u8>(kTaHostToPalette[(colour >> 4) & 7] | 0x80);
    const int i = SettingsIndexOf(video);
    TaSettings.frg[i] = fg;
    TaSettings.bck[i] = bg;
}

void TaResetColourMap()
{
    const Ta6530Settings factory = TaFactorySettings();
    std::copy(std::begin(factory.frg), std::end(factory.frg), TaSettings.frg);
    std::copy(std::begin(factory.bck), std::end(factory.bck), TaSettings.bck);
    TaSettings.palette = factory.palette;
    TaBuildAttrColours();
}

TaCellLook TaChooseColours(const ScreenCell& cell, bool statusRow)
{
    const Ta6530Settings& s = TaSettings;
    TaCellLook look{};
    const bool fieldStart = (cell.rendition & kTaAttributeCell) != 0;
    u8 video = fieldStart ? 0 : cell.rendition & kTaVideoBits;
    if (Ta.colourMode && !statusRow) {
        const u8 code = cell.colour & 7, back = (cell.colour >> 4) & 7;
        look.foreground = code ? kTaFieldColourToPalette[code] : 3;
        look.background = kTaFieldColourToPalette[back];
    } else {
        const int i = SettingsIndexOf(video);
        const u8 fg = s.frg[i], bg = s.bck[i];
        const bool own = (bg & 0x80) != 0;
        look.foreground = own ? fg & 15 : s.frg[0] & 15;
        look.background = own ? bg & 15 : s.bck[0] & 15;
        u8 shown = 0;
        if ((video & kTaReverse) && (fg & 0x20))
            shown |= kTaReverse;
        if ((video & kTaBlink) && (fg & 0x10))
            shown |= kTaBlink;
        if ((video & kTaUnderline) && (fg & 0x40))
            shown |= kTaUnderline;
        if ((video & kTaHalf) && (bg & 0x40))
            shown |= kTaHalf;
        if (fg & 0x80)
            look.foreground ^= 8;
        video = static_cast<u8>(shown | (video & kTaInvisible));
    }
    if (video & kTaReverse)
        std::swap(look.foreground, look.background);
    if (video & kTaHalf)
        look.foreground ^= 8;
    if (!Ta.valueT)
        look.foreground ^= 8;
    look.underline = (video & kTaUnderline) != 0;
    look.blink = (video & kTaBlink) != 0;
    look.invisible = (video & kTaInvisible) != 0;
    if (cell.flags & kCellSelected)
        std::swap(look.foreground, look.background);
    return look;
}
