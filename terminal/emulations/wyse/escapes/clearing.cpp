// Clearing the page, the line and the rest of the region.
#include "terminal/core/base/emulationids.h"
#include "terminal/emulations/wyse/colours/attributes.h"
#include "terminal/emulations/wyse/escapes/escapes.h"
#include "terminal/emulations/wyse/host/hostpath.h"
#include "terminal/emulations/wyse/screen/cursor.h"
#include "terminal/emulations/wyse/screen/screenops.h"
#include "terminal/emulations/wyse/status/statusline.h"
#include "terminal/emulations/wyse/store/wysemodes.h"
#include "terminal/emulations/wyse/store/wysestore.h"

namespace {

void ClearWith(u8 character, u8 attribute)
{
    WyMode.writeProtect = 0;
    WyMode.protectMode = 0;
    WyMode.insert = 0;
    if (WyStore.attrMode60) {
        WyMode.write.writeAttr = 0;
        WyMode.write.unprotOverrideOn = 0;
        WyMode.write.protOverrideOn = 0;
    }
    WyseClearRegion(character, attribute);
    WyseShowProtectField();
    WyseShowWriteProtectField();
    WyseShowInsertField();
}

}  // namespace

void WyseClearScreen()
{
    ClearWith(0, 0);
}

void WyseEscClearScreenNulls()
{
    WyseClearScreen();
}

void WyseEscClearScreenSpaces()
{
    ClearWith(' ', 0);
}

void WyseEscClearScreenProtected()
{
    ClearWith(' ', kWyProtected);
}

void WyseEscClearWithAttribute()
{
    const int code = WyseReadHostByte();
    if (code < 0 || WyIsWy60())
        return;
    WyseCursorHome();
    const int a = WyseVideoCodeAttribute(code);
    if (a < 0) {
        WyseClearToEndOfRegion(static_cast<u8>(code), 0);
        return;
    }
    u8 attribute = static_cast<u8>(a | kWyAttrCell);
    if (code & 1)
        attribute |= kWyBlank;
    WyseClearToEndOfRegion(' ', attribute);
}

void WyseEscClearToCharacter()
{
    const int fill = WyseReadHostByte();
    if (fill < 0)
        return;
    WyseClearRegion(static_cast<u8>(fill), 0);
}

void WyseEscClearPageNulls()
{
    WyseClearRegion(0, 0);
}

void WyseEscClearPageSpaces()
{
    WyseClearRegion(' ', 0);
}

void WyseEscClearLineSpaces()
{
    WyseClearToEndOfLine(' ', 0);
}

void WyseEscClearLineNulls()
{
    WyseClearToEndOfLine(0, 0);
}

void WyseEscClearPageEndSpaces()
{
    WyseClearToEndOfRegion(' ', 0);
}

void WyseEscClearPageEndNulls()
{
    WyseClearToEndOfRegion(0, 0);
}
