#include "terminal/settings/setup/attributelook.h"

namespace {
constexpr u8 kIntensity = 0x80, kUnderline = 0x40, kInverse = 0x20, kFlashing = 0x10;
constexpr u8 kBold = 0x40, kSeparators = 0x20, kHidden = 0x10;
}  // namespace

AttributeLook AttributeEffects(u8 foreground, u8 background, const AttributeLookOptions& options)
{
    AttributeLook look{};
    look.text = foreground & 0x0F;
    look.back = background & 0x0F;
    if (foreground & kInverse) {
        const u8 text = look.text;
        look.text = look.back;
        look.back = text;
    }
    const bool intensity = (foreground & kIntensity) != 0;
    if (intensity)
        look.text ^= 0x08;
    // Some emulations show intensity the other way round (the TA6530 while its display
    // flag is clear).
    if (intensity && options.intensityReversed)
        look.text ^= 0x08;
    look.underline = (foreground & kUnderline) != 0;
    look.flashing = (foreground & kFlashing) != 0;
    look.separators = (background & kSeparators) != 0;
    look.hidden = (background & kHidden) != 0;
    look.bold = (background & kBold) != 0 || options.boldFont;
    look.italic = options.italicWithIntensity && intensity;
    return look;
}
