#include "terminal/input/bars/softbarvalues.h"

#include <cstring>

namespace {
const SoftBarValues kFactory;

struct LevelName {
    wchar16 text[16];
};

// "Level0Vis" ... "Level3Vis".
LevelName LevelShownName(int level)
{
    LevelName name{};
    const char* pattern = "Level?Vis";
    for (int i = 0; pattern[i]; ++i)
        name.text[i] = pattern[i] == '?' ? static_cast<wchar16>('0' + (level & 3))
                                         : static_cast<wchar16>(pattern[i]);
    return name;
}

// "0" ... "55".
LevelName CodeName(int code)
{
    LevelName name{};
    int at = 0;
    if (code >= 10)
        name.text[at++] = static_cast<wchar16>('0' + code / 10 % 10);
    name.text[at] = static_cast<wchar16>('0' + code % 10);
    return name;
}

// A place inside the area a bar could have, with room for the button.
bool UsablePlace(const i32* r)
{
    return r[0] >= 0 && r[1] >= 0 && r[0] < r[2] && r[1] < r[3] && r[2] <= kSoftBarPlaceLimit &&
           r[3] <= kSoftBarPlaceLimit;
}

void ReadPlaces(HKEY key, SoftBarValues& v)
{
    for (int code = 0; code < kSoftBarCodes; ++code) {
        // One unit more than a place holds, so that a longer value is not taken for one.
        i32 r[5] = {};
        if (SettingsReadBinaryBytes(key, CodeName(code).text, r, sizeof r) == 4 * sizeof(i32) && UsablePlace(r))
            v.places[code] = SoftBarButtonPlace{r[0], r[1], r[2], r[3], 1};
        else if (KeepCurrentValues != 1)
            v.places[code] = SoftBarButtonPlace{};
    }
}

i32 ReadSigned(HKEY key, const wchar16* name, i32 current, i32 factory)
{
    return static_cast<i32>(SettingsReadDword(key, name, static_cast<u32>(current), static_cast<u32>(factory)));
}

void WriteIfChanged(HKEY key, const wchar16* name, u32 value, u32 factory)
{
    if (value != factory)
        SettingsWriteDword(key, name, value);
}
}  // namespace

u32 DefaultLevelShown(int level, i32 levelView)
{
    const i32 count = levelView < 0 ? 1 : levelView;
    return level < count ? 1 : 0;
}

void ReadSoftBarValues(HKEY key, SoftBarValues& v)
{
    const SoftBarValues& f = kFactory;
    v.buttonStyle = SettingsReadDword(key, VXT("cSoftButtonLevel"), v.buttonStyle, f.buttonStyle);
    v.levelView = ReadSigned(key, VXT("cSoftButtonLevelView"), v.levelView, f.levelView);
    if (v.levelView < -1 || v.levelView > 4)
        v.levelView = f.levelView;
    v.order = SettingsReadDword(key, VXT("Order"), v.order, f.order);
    if (v.order > 3)
        v.order = f.order;
    v.attached = SettingsReadDword(key, VXT("Attached"), v.attached, f.attached) ? 1 : 0;
    v.x = ReadSigned(key, VXT("x"), v.x, f.x);
    v.y = ReadSigned(key, VXT("y"), v.y, f.y);
    v.w = ReadSigned(key, VXT("w"), v.w, f.w);
    v.h = ReadSigned(key, VXT("h"), v.h, f.h);
    // A window without a size was never placed: the bar goes under the main window.
    if (v.w <= 0 || v.h <= 0)
        v.x = v.y = v.w = v.h = 0;
    v.buttonWidth = ReadSigned(key, VXT("cx"), v.buttonWidth, f.buttonWidth);
    if (v.buttonWidth < 0 || v.buttonWidth > 4096)
        v.buttonWidth = f.buttonWidth;
    for (int level = 0; level < 4; ++level)
        v.levelShown[level] = SettingsReadDword(key, LevelShownName(level).text, v.levelShown[level],
                                                DefaultLevelShown(level, v.levelView))
                                  ? 1
                                  : 0;
    ReadPlaces(key, v);
}

void WriteSoftBarValues(HKEY key, const SoftBarValues& v)
{
    const SoftBarValues& f = kFactory;
    WriteIfChanged(key, VXT("cSoftButtonLevel"), v.buttonStyle, f.buttonStyle);
    WriteIfChanged(key, VXT("cSoftButtonLevelView"), static_cast<u32>(v.levelView), static_cast<u32>(f.levelView));
    WriteIfChanged(key, VXT("Order"), v.order, f.order);
    WriteIfChanged(key, VXT("Attached"), v.attached, f.attached);
    if (v.w > 0 && v.h > 0) {
        // The window is kept whole or not at all: a placed bar at 0,0 keeps its place.
        SettingsWriteDword(key, VXT("x"), static_cast<u32>(v.x));
        SettingsWriteDword(key, VXT("y"), static_cast<u32>(v.y));
        SettingsWriteDword(key, VXT("w"), static_cast<u32>(v.w));
        SettingsWriteDword(key, VXT("h"), static_cast<u32>(v.h));
    }
    WriteIfChanged(key, VXT("cx"), static_cast<u32>(v.buttonWidth), static_cast<u32>(f.buttonWidth));
    for (int level = 0; level < 4; ++level)
        WriteIfChanged(key, LevelShownName(level).text, v.levelShown[level],
                       DefaultLevelShown(level, v.levelView));
    for (int code = 0; code < kSoftBarCodes; ++code) {
        const SoftBarButtonPlace& p = v.places[code];
        if (!p.present)
            continue;
        const i32 r[4] = {p.left, p.top, p.right, p.bottom};
        constexpr int kUnits = static_cast<int>(sizeof r) / 2;
        u16 units[kUnits];
        std::memcpy(units, r, sizeof r);
        SettingsWriteBinary(key, CodeName(code).text, units, kUnits);
    }
}
