#include "terminal/input/bars/toolbarvalues.h"

#include "terminal/core/base/corestate.h"

namespace {
constexpr int kDefnUnits = 7;

// "%d" of a button index 0-63.
void IndexName(int index, wchar16 (&name)[4])
{
    int at = 0;
    if (index >= 10)
        name[at++] = static_cast<wchar16>('0' + index / 10);
    name[at++] = static_cast<wchar16>('0' + index % 10);
    name[at] = 0;
}

u16 Unit(i32 value)
{
    return static_cast<u16>(value);
}
}  // namespace

bool ReadFloatingRect(HKEY section, ToolbarRect& rect)
{
    u16 units[5];
    if (SettingsReadBinary(section, VXT("Floating"), units, 5) != 4)
        return false;
    rect = ToolbarRect{static_cast<i16>(units[0]), static_cast<i16>(units[1]), static_cast<i16>(units[2]),
                       static_cast<i16>(units[3])};
    return true;
}

void WriteFloatingRect(HKEY section, const ToolbarRect& rect)
{
    const u16 units[4] = {Unit(rect.left), Unit(rect.top), Unit(rect.right), Unit(rect.bottom)};
    SettingsWriteBinary(section, VXT("Floating"), units, 4);
}

void ReadToolbarButtons(ToolbarTables& tables, HKEY defns, HKEY actions)
{
    tables.buttonCount = 0;
    for (int i = 0; i < kToolbarButtonSlots; ++i) {
        wchar16 name[4];
        IndexName(i, name);
        u16 units[kDefnUnits + 1];
        if (SettingsReadBinary(defns, name, units, kDefnUnits + 1) != kDefnUnits)
            continue;
        // Read whole, then cut to what a button holds: a longer stored text loses its tail.
        wchar16 text[4 * kToolbarTextUnits] = {};
        if (actions)
            SettingsReadString(actions, name, VXT(""), text, 4 * kToolbarTextUnits);
        const ToolbarRect rect{static_cast<i16>(units[1]), static_cast<i16>(units[2]), static_cast<i16>(units[3]),
                               static_cast<i16>(units[4])};
        SetToolbarButton(tables, i, units[0], rect, units[5], units[6], text);
    }
}

void WriteToolbarButtons(const ToolbarTables& tables, HKEY defns, HKEY actions)
{
    for (int i = 0; i < tables.buttonCount && i < kToolbarButtonSlots; ++i) {
        const ToolbarButton& b = tables.buttons[i];
        wchar16 name[4];
        IndexName(i, name);
        // clang-format off
        const u16 units[kDefnUnits] = {Unit(static_cast<i32>(b.spacing)), Unit(b.rect.left), Unit(b.rect.top),
                                       Unit(b.rect.right), Unit(b.rect.bottom), Unit(static_cast<i32>(b.image)),
                                       Unit(static_cast<i32>(b.action))};
        // clang-format on
        SettingsWriteBinary(defns, name, units, kDefnUnits);
        if (b.text[0])
            SettingsWriteString(actions, name, b.text);
    }
}
