#include "terminal/emulations/tvi/settings/tvisetup.h"

#include <iterator>

#include "terminal/core/base/emulationids.h"
#include "terminal/core/host/pushback.h"
#include "terminal/emulations/tvi/keys/editkeys.h"
#include "terminal/emulations/tvi/keys/fkeys.h"
#include "terminal/emulations/tvi/screen/screenops.h"
#include "terminal/emulations/tvi/settings/tvidefaults.h"
#include "terminal/settings/setup/attributelists.h"
#include "terminal/settings/setup/setupcopy.h"
#include "terminal/settings/store/colours.h"

u16 TviColourCopy[32] = {};

namespace {

constexpr u16 kUseColours = 0x80;

// The list shows Normal, UL, IN, IN+UL ... (strings 2100-2115) while the colours are
// kept by combination, intensity in bit 0 and underline in bit 1: an entry's combination
// has its two lowest bits exchanged.
constexpr u8 Combination(int entry)
{
    return static_cast<u8>((entry & ~3) | ((entry & 1) << 1) | ((entry >> 1) & 1));
}

struct Entries {
    AttributeEntry e[16];
};
constexpr Entries MakeEntries()
{
    Entries out{};
    for (int i = 0; i < 16; ++i)
        out.e[i] = AttributeEntry{Combination(i), static_cast<u8>(16 + Combination(i)),
                                  static_cast<u8>(i == 0 ? kEntryNoUseColours | kEntryForcesUseColours : 0)};
    return out;
}
constexpr Entries kEntries = MakeEntries();

const AttributeElementList kList{
    2100, 16, TviColourCopy, kEntries.e, kFlagIntensity | kFlagUnderline | kFlagFlashing | kFlagInverse, false, 0,
};

bool Running()
{
    return Tvi.active;
}

void ColoursToTable(const TviAttrColours& c)
{
    for (int i = 0; i < 16; ++i) {
        TviColourCopy[i] = c.foreground[i];
        TviColourCopy[16 + i] = c.background[i];
    }
}

TviAttrColours TableToColours()
{
    TviAttrColours c;
    for (int i = 0; i < 16; ++i) {
        c.foreground[i] = static_cast<u8>(TviColourCopy[i]);
        c.background[i] = static_cast<u8>(TviColourCopy[16 + i]);
    }
    // The page marks the normal pair as using its colours, which it always does: the
    // mark is not kept, so an unchanged pair still equals its factory value.
    c.background[0] = static_cast<u8>(c.background[0] & ~kUseColours);
    return c;
}

void Fill()
{
    if (!Running())
        return;
    TviFillSetupCopy();
    TviFillColourCopy();
    SetupCopy.columns132 = Tvi.set.lastColumn != 79;
}

// The width goes the way the host's CSI = 3 h and l go: the page is cleared and the
// font refitted when it changes. The dialog holds the host-data thread, which takes the
// sequence as received data once the dialog has closed.
void ApplyColumns()
{
    const bool wide = SetupCopy.columns132 != 0;
    if (wide == (Tvi.set.lastColumn == 131))
        return;
    const u16 sequence[] = {0x1B, '[', '=', '3', static_cast<u16>(wide ? 'h' : 'l')};
    for (int i = static_cast<int>(std::size(sequence)) - 1; i >= 0; --i)
        PushHostByte(sequence[i]);
}

void Apply()
{
    if (!Running())
        return;
    TviApplySetupCopy();
    ApplyColumns();
}

void ApplyColours()
{
    if (!Running())
        return;
    const u8 oldForeground = Tvi.colours.foreground[0] & 0x0F, oldBackground = Tvi.colours.background[0] & 0x0F;
    TviApplyColourCopy();
    TviRecolourScreen(oldForeground, oldBackground, Tvi.colours.foreground[0] & 0x0F,
                      Tvi.colours.background[0] & 0x0F);
}

const AttributeElementList* AttributeList(u8 emulation)
{
    return emulation == kEmuTvi955 || emulation == kEmuTvi950 ? &kList : nullptr;
}

void DefaultColours()
{
    TviDefaultAttrColours(kTviSetupCopy);
    ColoursToTable(TviSetup.colours);
}

HlsPalette* Palette()
{
    return Running() ? &Tvi.palette : nullptr;
}

HlsPalette FactoryPalette()
{
    return TviFactoryPalette(Colours.bwswap != 0);
}

int AnswerbackChars(u8)
{
    return kAnswerbackChars;
}

// The Terminal page: the TVI sets its width from the list, keeps its own character set
// and tab stops, and of the modes takes only NUL filtering.
constexpr u8 kRowsOff[] = {kRowBackspaceDel, kTerminalModeRows};
constexpr u8 kRowsOn[] = {kRowIgnoreNulls, kTerminalModeRows};
constexpr TerminalPageLook kTerminalLook{false, true, false, kRowsOff, kRowsOn};

const TerminalPageLook* TerminalPage(u8)
{
    return &kTerminalLook;
}

}  // namespace

void TviFillSetupCopy()
{
    TviSetup.set = Tvi.set;
    TviCopyFunctionKeys(kTviLiveKeys, kTviSetupKeys);
    TviCopyEditKeys(kTviLiveKeys, kTviSetupKeys);
}

void TviApplySetupCopy()
{
    // The width is the host's to change (ApplyColumns): the rest comes back as it was
    // filled or edited.
    const int lastColumn = Tvi.set.lastColumn;
    Tvi.set = TviSetup.set;
    Tvi.set.lastColumn = lastColumn;
    TviCopyFunctionKeys(kTviSetupKeys, kTviLiveKeys);
    TviCopyEditKeys(kTviSetupKeys, kTviLiveKeys);
}

void TviFillColourCopy()
{
    TviSetup.colours = Tvi.colours;
    TviSetup.palette = Tvi.palette;
    ColoursToTable(Tvi.colours);
}

void TviApplyColourCopy()
{
    Tvi.colours = TableToColours();
    TviSetup.colours = Tvi.colours;
}

const FamilySetup TviFamilySetup{
    .fill = Fill,
    .apply = Apply,
    .applyColours = ApplyColours,
    .attributeList = AttributeList,
    .defaultColours = DefaultColours,
    .palette = Palette,
    .factoryPalette = FactoryPalette,
    .answerbackChars = AnswerbackChars,
    .hostKeyNames = {13497, 13550},
    .terminalPage = TerminalPage,
};
