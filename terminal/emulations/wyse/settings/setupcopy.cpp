#include "terminal/emulations/wyse/settings/setupcopy.h"

#include "terminal/core/base/corestate.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/emulations/wyse/charsets/charsets.h"
#include "terminal/emulations/wyse/status/statusline.h"
#include "terminal/emulations/wyse/store/repaint.h"
#include "terminal/emulations/wyse/store/wysemodes.h"
#include "terminal/emulations/wyse/store/wysestore.h"
#include "terminal/settings/setup/setupcopy.h"

WyseSetupWorking WySetup{};

namespace {

constexpr u16 kLineChoices[4] = {24, 25, 42, 43};

u16 LinesIndex(u16 lines)
{
    for (u16 i = 0; i < 4; ++i)
        if (kLineChoices[i] == lines)
            return i;
    return 0;
}

// The personality the copy is for: the one chosen on the Emulation page.
u8 CopyEmulation()
{
    return IsWyseFamily(static_cast<u8>(SetupCopy.emulation)) ? static_cast<u8>(SetupCopy.emulation) : WyId();
}

void FillFrom(const WyseSettings& s, u8 marginColumn)
{
    WyseSetupWorking& w = WySetup;
    const u8 values[kWyCheckRows] = {s.multiPage,
                                     s.widthClear,
                                     s.economy,
                                     s.autoScroll,
                                     s.autoPage,
                                     s.autoWrap,
                                     s.destBs,
                                     s.marginBell,
                                     s.enhance,
                                     s.ansMode,
                                     s.sendAck,
                                     s.inEdit,
                                     static_cast<u8>(s.useColour ? 1 : 0),
                                     static_cast<u8>(s.applKey ? 1 : 0),
                                     static_cast<u8>(s.crNull ? 1 : 0)};
    for (int r = 0; r < kWyCheckRows; ++r)
        w.rows[r] = values[r] ? 1 : 0;
    w.lines = LinesIndex(s.dispSize);
    w.pageFormat = s.pageFormat;
    w.statusLine = s.stat;
    w.blockEnd = s.blkEnd;
    w.attrType = s.attrType;
    w.national = s.multSet;
    w.asciiFont = s.asciiFont;
    w.protDim = (s.protAttr & 0x01) ? 1 : 0;
    w.protBlank = (s.protAttr & 0x02) ? 1 : 0;
    w.protReverse = (s.protAttr & 0x04) ? 1 : 0;
    w.protUnderline = (s.protAttr & 0x08) ? 1 : 0;
    w.protBlink = (s.protAttr & 0x10) ? 1 : 0;
    wchar16 digits[4] = {};
    int n = 0;
    if (marginColumn >= 100)
        digits[n++] = static_cast<wchar16>('0' + marginColumn / 100);
    if (marginColumn >= 10)
        digits[n++] = static_cast<wchar16>('0' + (marginColumn / 10) % 10);
    digits[n++] = static_cast<wchar16>('0' + marginColumn % 10);
    EncodeSetupText(w.marginColumn, digits, kWyseMarginChars);
    wchar16 stops[kWyseTabColumns];
    for (int c = 0; c < kWyseTabColumns; ++c)
        stops[c] = s.tabStops[c] == 'T' ? 'T' : ' ';
    MakeTabLine(w.tabLine, stops, kWyseTabColumns);
}

int MarginFromText()
{
    wchar16 text[kWyseMarginChars + 1] = {};
    DecodeSetupField(text, WySetup.marginColumn, kWyseMarginChars);
    int value = 0;
    for (int i = 0; text[i] >= '0' && text[i] <= '9'; ++i)
        value = value * 10 + (text[i] - '0');
    return value > 131 ? 131 : value;
}

}  // namespace

void WyseSetDefaults()
{
    WyseFactorySettings(WySet, WyseStoreActive() ? WyId() : kEmuWy50);
    WyMode.marginColumn = kWyseFactoryMarginColumn;
    WyMode.savedAttrType = WySet.attrType;
    WyMode.keyboardLocked = 0;
    WyMode.regionStart = 1;
    WyMode.write.protOverrideOn = 0;
    WyMode.write.unprotOverrideOn = 0;
    WyMode.write.messageOverrideOn = 0;
    WyMode.wideTabs = 1;
}

void WyseFillSetupCopy()
{
    FillFrom(WySet, WyMode.marginColumn);
}

void WyseDefaultSetupCopy()
{
    WyseSettings factory = WySet;
    WyseFactorySettings(factory, CopyEmulation());
    FillFrom(factory, kWyseFactoryMarginColumn);
}

void WyseResetMessageAttrs()
{
    const bool wy60 = WyIsWy60();
    WyMode.savedAttrType = wy60 ? 2 : 0;
    WyMode.dataCode = '0';
    WyMode.labelCode = '0';
    WyMode.leftCode = '8';
    if (wy60) {
        WySetup.attrType = 2;
        WyMode.leftAttr = WyMode.rightAttr = kWyDim | kWyUnderline;
        WyMode.dataAttr = WyMode.labelAttr = 0;
        WyMode.rightCode = '8';
    } else {
        WyMode.dataAttr = WyMode.labelAttr = kWyAttrCell;
        WyMode.leftAttr = kWyAttrCell | kWyDim | kWyUnderline;
        WyMode.rightAttr = 0;
        WyMode.rightCode = ' ';
        WyMode.labelText = 0;
    }
    WySet.attrType = static_cast<u8>(WySetup.attrType);
}

void WyseApplySetupCopy()
{
    if (!WyseStoreActive() || !IsWyseFamily(EmulationId))
        return;
    WyseSetupWorking& w = WySetup;
    WyseSettings& s = WySet;
    const u8 id = WyId();
    u8 protAttr = static_cast<u8>((w.protDim ? 0x01 : 0) | (w.protBlank ? 0x02 : 0) | (w.protReverse ? 0x04 : 0) |
                                  (w.protUnderline ? 0x08 : 0) | (w.protBlink ? 0x10 : 0));
    // What each personality has and has not.
    if (id == kEmuWy50 || id == kEmuAddsA2 || id == kEmuHz1500)
        w.attrType = 0;
    if ((id == kEmuWy50Plus || id == kEmuTvi910 || id == kEmuTvi920 || id == kEmuTvi925) && w.attrType == 2)
        w.attrType = 0;
    if (id == kEmuWy50)
        w.rows[kWyRowMultiPage] = w.rows[kWyRowAutoPage] = 0;
    if (id != kEmuWy50Plus && id != kEmuWy60) {
        w.lines = 0;
        w.pageFormat = 0;
        w.rows[kWyRowWidthClears] = w.rows[kWyRowEconomy] = w.rows[kWyRowDestBs] = 0;
    }
    if (id == kEmuWy50)
        protAttr &= 0x01 | 0x04;
    const u16 lines = kLineChoices[w.lines & 3];
    const u8 national = static_cast<u8>(w.national <= 10 ? w.national : 0);
    const bool modelMismatch = (id == kEmuWy60) != (w.attrType == 2);
    const bool charsets = lines != s.dispSize || national != s.multSet;
    const bool rebuild = modelMismatch || charsets || w.pageFormat != s.pageFormat ||
                         (w.rows[kWyRowEconomy] != 0) != (s.economy != 0);

    s.dispSize = lines;
    s.multSet = national;
    s.asciiFont = static_cast<u8>(w.asciiFont & 1);
    s.pageFormat = static_cast<u8>(w.pageFormat & 3);
    s.economy = w.rows[kWyRowEconomy] ? 1 : 0;
    s.inEdit = w.rows[kWyRowBlockMode] ? 1 : 0;
    s.enhance = w.rows[kWyRowEnhance] ? 1 : 0;
    s.multiPage = w.rows[kWyRowMultiPage] ? 1 : 0;
    s.widthClear = w.rows[kWyRowWidthClears] ? 1 : 0;
    s.autoScroll = w.rows[kWyRowAutoScroll] ? 1 : 0;
    s.autoWrap = w.rows[kWyRowAutoWrap] ? 1 : 0;
    s.autoPage = w.rows[kWyRowAutoPage] ? 1 : 0;
    s.destBs = w.rows[kWyRowDestBs] ? 1 : 0;
    s.sendAck = w.rows[kWyRowSendAck] ? 1 : 0;
    s.ansMode = w.rows[kWyRowAnswerback] ? 1 : 0;
    s.marginBell = w.rows[kWyRowMarginBell] ? 1 : 0;
    WyMode.marginColumn = static_cast<u8>(MarginFromText());
    s.stat = static_cast<u8>(w.statusLine <= 2 ? w.statusLine : 1);
    bool anyStop = false;
    for (int c = 0; c < kWyseTabColumns; ++c) {
        const bool stop = c + 1 < TabLineColumns(w.tabLine) + 1 && w.tabLine[c + 1] == 'T';
        s.tabStops[c] = stop ? 'T' : ' ';
        anyStop = anyStop || stop;
    }
    WyMode.wideTabs = anyStop ? 1 : 0;
    s.blkEnd = w.blockEnd ? 1 : 0;
    s.useColour = w.rows[kWyRowColour] ? 1 : 0;
    s.applKey = w.rows[kWyRowApplicationKeys] ? 1 : 0;
    s.crNull = w.rows[kWyRowCrNull] ? 1 : 0;

    bool repaint = false;
    if (w.attrType != s.attrType) {
        WyMode.savedAttrType = s.attrType;
        s.attrType = static_cast<u8>(w.attrType);
        repaint = true;
    }
    if (protAttr != s.protAttr) {
        s.protAttr = protAttr;
        WyMode.write.protOverrideOn = 0;
        repaint = true;
    }
    if (rebuild) {
        if (charsets)
            WyseResetCharsets();
        WyseRebuildScreen(false);
        if (charsets)
            WyseResetCharsets();
        return;
    }
    WyseLayoutStatusLine(false);
    if (repaint)
        WyseRepaintAll();
}

void WyseFillColourCopy()
{
    WyseSetupWorking& w = WySetup;
    for (int p = 0; p < kWyseEmbeddedCombos; ++p) {
        w.colours[kWyColour350Fg + p] = WySet.fg350[p];
        w.colours[kWyColour350Bg + p] = WySet.bg350[p];
    }
    for (int p = 0; p < kWyseCharacterCombos; ++p) {
        w.colours[kWyColour370Fg + p] = WySet.fg370[p];
        w.colours[kWyColour370Bg + p] = WySet.bg370[p];
    }
}

void WyseApplyColourCopy()
{
    const WyseSetupWorking& w = WySetup;
    for (int p = 0; p < kWyseEmbeddedCombos; ++p) {
        WySet.fg350[p] = static_cast<u8>(w.colours[kWyColour350Fg + p]);
        WySet.bg350[p] = static_cast<u8>(w.colours[kWyColour350Bg + p]);
    }
    for (int p = 0; p < kWyseCharacterCombos; ++p) {
        WySet.fg370[p] = static_cast<u8>(w.colours[kWyColour370Fg + p]);
        WySet.bg370[p] = static_cast<u8>(w.colours[kWyColour370Bg + p]);
    }
    if (WyseStoreActive())
        WyseRepaintAll();
}

void WyseDefaultAttrColours(bool toCopy)
{
    WyseSettings factory = WySet;
    WyseFactoryColourSets(factory);
    if (!toCopy) {
        WyseFactoryColourSets(WySet);
        return;
    }
    WyseSetupWorking& w = WySetup;
    if (CopyEmulation() == kEmuWy60) {
        for (int p = 0; p < kWyseCharacterCombos; ++p) {
            w.colours[kWyColour370Fg + p] = factory.fg370[p];
            w.colours[kWyColour370Bg + p] = factory.bg370[p];
        }
    } else {
        for (int p = 0; p < kWyseEmbeddedCombos; ++p) {
            w.colours[kWyColour350Fg + p] = factory.fg350[p];
            w.colours[kWyColour350Bg + p] = factory.bg350[p];
        }
    }
}

void WyseDefaultPalette()
{
    WyseFactoryPalettes(WySet);
}

HlsPalette WyseRunningFactoryPalette()
{
    return WyIsWy60() ? kWyseFactoryPalette370 : kWyseFactoryPalette350;
}

HlsPalette* WyseRunningPalette()
{
    if (!WyseStoreActive() || !IsWyseFamily(EmulationId))
        return nullptr;
    return WyIsWy60() ? &WySet.palette370 : &WySet.palette350;
}
