#include "terminal/emulations/ta6530/settings/tasetup.h"

#include "terminal/emulations/ta6530/keys/takeys.h"
#include "terminal/emulations/ta6530/protocol/taprotocol.h"
#include "terminal/emulations/ta6530/settings/tasettings.h"
#include "terminal/emulations/ta6530/tastate.h"
#include "terminal/emulations/ta6530/tatables.h"
#include "terminal/settings/setup/attributelists.h"
#include "terminal/settings/setup/setupcopy.h"
#include "terminal/settings/setup/setuppagehelpers.h"
#include "terminal/settings/setup/setuppages.h"

namespace {

// clang-format off
enum : u16 {
    kPowerOnLabel = 1770, kPowerOnList = 1771, kPacketLabel = 1780, kPacketList = 1781,
    kStatusBorder = 1790, kReturnFunction = 1791, kBellOn = 1792, kBellColumnLabel = 1793, kBellColumn = 1800,
    kTelserv = 1810,
};
// clang-format on
constexpr int kSlot = 16;
constexpr u16 kTemplate = 2290;

// The page's working copy.
struct TaWorkingCopy {
    u16 defMode, packetBlock, border, returnFunction, telserv, bellOn;
    wchar16 bellColumn[CountedTextUnits(kSizeTextChars)];
    // The attribute colours: foreground then background, by the settings' order.
    u16 colours[32];
};
TaWorkingCopy W;

const IndexCombo kCombos[] = {
    {kPowerOnList, 1772, 1774},  // "CONV", "ANSI", "BLOCK"
    {kPacketList, 1782, 1789},   // "OFF", "256" ... "1024"
};

const SetupControlEntry kControls[] = {
    SetupButton(IDOK),
    SetupButton(IDCANCEL),
    SetupLabel(kPowerOnLabel),
    SetupList(kPowerOnList, ComboIndexHandler, &W.defMode),
    SetupLabel(kPacketLabel),
    SetupList(kPacketList, ComboIndexHandler, &W.packetBlock),
    SetupCheck(kStatusBorder, &W.border),
    SetupCheck(kReturnFunction, &W.returnFunction),
    SetupCheck(kTelserv, &W.telserv),
    SetupCheck(kBellOn, &W.bellOn),
    SetupLabel(kBellColumnLabel),
    SetupCountedEdit(kBellColumn, W.bellColumn),
    SetupEnd(),
};

const SetupPage kPage{kTemplate, kControls, kPowerOnList, 0,       nullptr, 0,
                      nullptr,   nullptr,   nullptr,      nullptr, nullptr};
const FamilySetupPage kPages[] = {{kSlot, &kPage}};

const bool kRegistered = [] {
    RegisterIndexCombos(kCombos, 2);
    return true;
}();

void Fill()
{
    const Ta6530Settings& s = TaSettings;
    W.defMode = static_cast<u16>(s.defMode);
    W.packetBlock = static_cast<u16>(s.packetBlock);
    W.border = s.border ? 1 : 0;
    W.returnFunction = s.returnFunc ? 1 : 0;
    W.telserv = s.telserv ? 1 : 0;
    W.bellOn = s.bellOn ? 1 : 0;
    SetSetupSizeText(W.bellColumn, static_cast<int>(s.marginBell));
    for (int i = 0; i < 16; ++i) {
        W.colours[i] = s.frg[i];
        W.colours[16 + i] = s.bck[i];
    }
}

void Applied()
{
    Ta6530Settings& s = TaSettings;
    const u32 packetBlock = W.packetBlock <= 7 ? W.packetBlock : 0;
    s.defMode = W.defMode <= 2 ? W.defMode : 0;
    s.border = W.border;
    s.returnFunc = W.returnFunction;
    s.telserv = W.telserv;
    s.bellOn = W.bellOn;
    const int column = SetupSizeNumber(W.bellColumn);
    s.marginBell = static_cast<u32>(column < 0 ? 0 : column > 80 ? 80 : column);
    if (packetBlock != s.packetBlock) {
        // A new packet limit: the terminal is laid out again, as after any change of
        // its line.
        s.packetBlock = packetBlock;
        TaApplyPacketBlock();
        RowsChangedFlag = 1;
    }
}

void ApplyColours()
{
    for (int i = 0; i < 16; ++i) {
        TaSettings.frg[i] = static_cast<u8>(W.colours[i]);
        TaSettings.bck[i] = static_cast<u8>(W.colours[16 + i]);
    }
    TaBuildAttrColours();
}

// The list the Attributes page shows (strings 2100-2115: "Normal", "Underline (UL)",
// "Intensity (IN)", "IN+UL", "Flashing (FL)" ... "IV+FL+IN+UL"); entry i is the
// combination with its two lowest bits exchanged.
constexpr u8 kSettingsIndexOfEntry[16] = {0, 2, 1, 3, 4, 6, 5, 7, 8, 10, 9, 11, 12, 14, 13, 15};
constexpr AttributeEntry Entry(int i)
{
    return {kSettingsIndexOfEntry[i], static_cast<u8>(16 + kSettingsIndexOfEntry[i]),
            static_cast<u8>(i == 0 ? kEntryNoUseColours | kEntryForcesUseColours : 0)};
}
constexpr AttributeEntry kEntries[16] = {Entry(0),  Entry(1),  Entry(2),  Entry(3), Entry(4),  Entry(5),
                                         Entry(6),  Entry(7),  Entry(8),  Entry(9), Entry(10), Entry(11),
                                         Entry(12), Entry(13), Entry(14), Entry(15)};

bool IntensityReversed()
{
    return Ta.valueT == 0;
}

const AttributeElementList kList{
    2100,  16, W.colours,         kEntries, kFlagIntensity | kFlagUnderline | kFlagFlashing | kFlagInverse,
    false, 0,  IntensityReversed, true,
};

const AttributeElementList* AttributeList(u8)
{
    return &kList;
}

void DefaultColours()
{
    const Ta6530Settings factory = TaFactorySettings();
    for (int i = 0; i < 16; ++i) {
        W.colours[i] = factory.frg[i];
        W.colours[16 + i] = factory.bck[i];
    }
}

HlsPalette* Palette()
{
    return Ta.entered ? &TaSettings.palette : nullptr;
}

HlsPalette FactoryPalette()
{
    return TaFactoryPalette(false);
}

// The Terminal page: the TA6530's own choice of sets (no DEC-MCS, PC set or HP Roman-8),
// no tab ruler there and no Backspace/DEL swap.
constexpr u16 kCharacterSetNames[] = {1572, 1574, 1577, 1576, 1578, 1579, 1580, 1581, 1582, 0};
constexpr u8 kTerminalRowsOff[] = {kRowBackspaceDel, kTerminalModeRows};
constexpr TerminalPageLook kTerminalLook{true, true, false, kTerminalRowsOff, nullptr, kCharacterSetNames};

const TerminalPageLook* TerminalPage(u8)
{
    return &kTerminalLook;
}

}  // namespace

const FamilySetup Ta6530Setup{
    .pages = kPages,
    .pageCount = 1,
    .fill = Fill,
    .applied = Applied,
    .applyColours = ApplyColours,
    .attributeList = AttributeList,
    .defaultColours = DefaultColours,
    .palette = Palette,
    .factoryPalette = FactoryPalette,
    .hostKeyNames = {kTaFirstKeyName, kTaLastKeyName},
    .terminalPage = TerminalPage,
};
