// The TeleVideo and ADDS handlers of their own.
#include <ctime>

#include "terminal/core/base/emulationids.h"
#include "terminal/core/host/pushback.h"
#include "terminal/core/screen/paintsettings.h"
#include "terminal/core/paint/textcursor.h"
#include "terminal/emulations/wyse/escapes/escapes.h"
#include "terminal/emulations/wyse/host/hostpath.h"
#include "terminal/emulations/wyse/lifecycle.h"
#include "terminal/emulations/wyse/settings/wysesettings.h"
#include "terminal/emulations/wyse/store/repaint.h"
#include "terminal/emulations/wyse/store/wysemodes.h"
#include "terminal/emulations/wyse/store/wysestore.h"

namespace {

void DropBytes(int n)
{
    for (int i = 0; i < n; ++i)
        if (WyseReadHostByte() < 0)
            return;
}

void SendTime()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (const std::tm* t = std::localtime(&now))
        local = *t;
    const int hour = local.tm_hour % 12, minute = local.tm_min;
    const u16 report[6] = {static_cast<u16>(local.tm_hour < 12 ? 'A' : 'P'),
                           static_cast<u16>('0' + hour / 10),
                           static_cast<u16>('0' + hour % 10),
                           static_cast<u16>('0' + minute / 10),
                           static_cast<u16>('0' + minute % 10),
                           0x0D};
    WyseSendBytes(report, 6);
}

// The TVI920 sets these attributes through ESC G; the others take the native meaning.
void AttributeOrNative(u8 code, void (*native)())
{
    if (WyIs(kEmuTvi920)) {
        PushBackInputByte(code);
        WyseEscVideoAttribute();
    } else {
        native();
    }
}

}  // namespace

void WyseTviEscBlank()
{
    const int c = WyseReadHostByte();
    if (c == '1')
        DropBytes(5);
    else if (c == '2')
        SendTime();
}

void WyseTviEscPlus()
{
    if (WyIs(kEmuTvi920))
        WyseEscClearScreenSpaces();
    else
        WyseEscClearPageSpaces();
}

void WyseTviEscPeriod()
{
    static const u8 kStyles[4] = {1, 3, 0, 2};
    const int c = WyseReadHostByte();
    if (c == '0') {
        CursorDisabled = 1;
    } else if (c >= '1' && c <= '4') {
        PaintSettings.cursorStyle = kStyles[c - '1'];
        CursorDisabled = 0;
    } else if (c == ':') {
        WyseSetColumns(79);
    } else if (c == ';') {
        WyseSetColumns(131);
    }
}

void WyseTviEscGraphicsOn()
{
    WyMode.tviGraphics = 1;
}

void WyseTviEscGraphicsOff()
{
    WyMode.tviGraphics = 0;
}

void WyseTviControllerWithDisplay()
{
    WysePrintWithDisplay();
}

void WyseTviEscDisplayOn()
{
    WyseSetScreenDisplay(true);
}

void WyseTviEscDisplayOff()
{
    WyseSetScreenDisplay(false);
}

void WyseTviEscPrintPage()
{
    WyseEscPrintRegionCrLf();
    WyseEscNextPage();
    WyseSendAck();
}

void WyseTviEscCaret()
{
    AttributeOrNative('2', WyseEscReverseScreen);
}

void WyseTviEscUnderscore()
{
    AttributeOrNative('1', WyseEscCursorToColumn);
}

void WyseTviEscJ()
{
    AttributeOrNative('4', WyseEscReverseLineFeed);
}

void WyseTviEscK()
{
    AttributeOrNative('0', WyseEscLocalEditOn);
}

void WyseTviEscL()
{
    AttributeOrNative('8', WyseEscLocalEditOff);
}

void WyseTviEscM()
{
    AttributeOrNative('0', WyseEscProgramColour);
}

void WyseTviEscQ()
{
    AttributeOrNative('0', WyseEscInsertModeOn);
}

void WyseTviEscP()
{
    DropBytes(1);
}

void WyseTviEscAutoPageOn()
{
    WySet.autoPage = 1;
}

void WyseTviEscAutoPageOff()
{
    WySet.autoPage = 0;
}

void WyseTviEscX()
{
    const int c = WyseReadHostByte();
    if (c == '1' || c == '4')
        DropBytes(2);
}

void WyseAddsEscAttribute()
{
    const int b = WyseReadHostByte();
    if (b < 0)
        return;
    u8 value = 0;
    if (b & 0x01)
        value |= 0x01;
    if (b & 0x02)
        value |= 0x10;
    if (b & 0x04)
        value |= 0x02;
    if (b & 0x10)
        value |= 0x04;
    if (b & 0x20)
        value |= 0x08;
    if (value == WySet.protAttr && !WyMode.write.protOverrideOn)
        return;
    WySet.protAttr = value;
    WyMode.write.protOverrideOn = 0;
    WyseRepaintAll();
}
