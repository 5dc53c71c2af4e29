#include "support/doubles_tvi.h"

#include "terminal/emulations/tvi/services.h"
#include "terminal/emulations/tvi/window/runtvi.h"

namespace doubles {
TviDouble& Tvi()
{
    static TviDouble d;
    return d;
}

void ResetTvi()
{
    Tvi() = TviDouble{};
}
}  // namespace doubles

void TviActivate(u8) {}
void TviDeactivate() {}
void TviReapply(u8) {}
void TviLayoutStatusBar(HINSTANCE) {}
void TviRepaintRegion(int, int, int, int) {}
bool TviApplyPalette()
{
    return false;
}

void TviScreenSizeChanged()
{
    ++doubles::Tvi().layouts;
}

void TviSetStatusField(u32 id, const wchar16* text)
{
    std::u16string s;
    for (; text && *text; ++text)
        s += static_cast<char16_t>(*text);
    doubles::Tvi().fields[id] = s;
}

void TviShowInsertField(bool insert)
{
    doubles::Tvi().insertShown = insert ? 1 : 0;
}
