// Mouse hot spots on the screen of the shared store: the word under the pointer sends
// its definition (a macro string) or itself; all defined words can be shown at once.
#include "terminal/input/hotspots/hotspots.h"

#include <atomic>
#include <cstring>

#include "terminal/core/base/corestate.h"
#include "terminal/core/base/handles.h"
#include "terminal/core/base/language.h"
#include "terminal/core/paint/overlays.h"
#include "terminal/core/window/selection/selection.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/core/host/hostread.h"
#include "terminal/core/host/hostthread.h"
#include "terminal/core/screen/display.h"
#include "terminal/core/paint/screencolours.h"
#include "terminal/core/paint/screendc.h"
#include "terminal/core/screen/celltext.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/input/macros/eventtext.h"
#include "terminal/input/hotspots/hotspotwords.h"
#include "terminal/input/macros/keyevents.h"
#include "terminal/settings/store/mouseactions.h"
#include "terminal/settings/store/profile.h"
#include "terminal/core/base/registry.h"
#include "terminal/settings/store/setuptext.h"

namespace {

constexpr u32 kStrFirstEmulationName = 11331;

// Read by every painter, on either thread.
std::atomic<bool> g_highlightAll{false};
std::atomic<bool> g_flashShown{false};

wchar16 g_separators[kHotspotSeparatorUnits + 2] = {};
wchar16 g_definition[kHotspotDefinitionUnits + 1] = {};
// The word found last: its window row and columns.
int g_wordRow = -1, g_wordFirst = 0, g_wordLast = -1;

// The text of a window row as copying shows it; its columns in `first`..`last`.
struct RowText {
    wchar16 units[kStoreColumns + 1] = {};
    int first = 0, last = -1;
};

bool ReadHotspotRow(int windowRow, RowText* row)
{
    const SelectionArea area = StoreSelectionArea();
    const ScreenLineRecord* line = area.available ? StoreSelectionLine(area.viewTop + windowRow) : nullptr;
    if (!line || windowRow < 0 || windowRow >= area.visibleRows)
        return false;
    row->first = area.leftColumn;
    row->last = area.rightColumn < kStoreColumns - 1 - area.columnBase ? area.rightColumn
                                                                       : kStoreColumns - 1 - area.columnBase;
    for (int c = row->first; c <= row->last; ++c) {
        const ScreenCell& cell = line->cells[c + area.columnBase];
        const u16 u = cell.rendition & kRendInvisible ? ' ' : CellRecordToUnicode(cell);
        row->units[c] = static_cast<wchar16>(u < 32 ? ' ' : u);
    }
    return true;
}

// A value of a subkey of "Hotspot": the default, then the machine-wide value, then the
// user's, which wins; a machine-profile administrator reads the machine's only.
void ReadHotspotString(const wchar16* keyName, const wchar16* valueName, const wchar16* fallback, wchar16* buffer,
                       int capacity)
{
    int n = 0;
    for (; fallback && fallback[n] && n + 1 < capacity; ++n)
        buffer[n] = fallback[n];
    buffer[n] = 0;
    const u32 savedRoot = SettingsRootIsUser();
    const u32 savedKeep = KeepCurrentValues;
    KeepCurrentValues = 1;
    const bool onePass = AdministratorMode == 1 && PerUserProfile == 0;
    for (u32 user = 0; user < (onePass ? 1u : 2u); ++user) {
        SettingsSelectRoot(user);
        if (HKEY key = SettingsOpenHotspotKey(CurrentProfileName(), keyName)) {
            SettingsReadString(key, valueName, fallback, buffer, capacity);
            SettingsCloseKey(key);
        }
    }
    KeepCurrentValues = savedKeep;
    SettingsSelectRoot(savedRoot);
}

void LoadHotspotSeparators()
{
    ReadHotspotString(VXT("Seperators"), VXT("Seperators"), kDefaultHotspotSeparators, g_separators,
                      kHotspotSeparatorUnits);
    // The blank always separates, whatever the value says.
    const std::size_t n = wcslen(g_separators);
    g_separators[n] = ' ';
    g_separators[n + 1] = 0;
}

// The word's definition into g_definition; 1 when there is one.
int LoadHotspotDefinitions(const wchar16* word)
{
    const int length = static_cast<int>(wcslen(word));
    wchar16 emulationName[64] = {};
    LoadLanguageString(InstanceHandle, kStrFirstEmulationName + EmulationId, emulationName, 64);
    const wchar16* builtin = LookupHotspotDefault(EmulationHotspotTable(EmulationId), word, length);
    ReadHotspotString(emulationName, word, builtin, g_definition, kHotspotDefinitionUnits);
    if (g_definition[0])
        return 1;
    const HotspotTable general = GeneralHotspotTable();
    const wchar16* generalDefault = LookupHotspotDefault(&general, word, length);
    ReadHotspotString(VXT("Definitions"), word, generalDefault, g_definition, kHotspotDefinitionUnits);
    return g_definition[0] ? 1 : 0;
}

// The word at a client point with the separators the profile has now: its text
// (terminated) in `word`, a buffer of kStoreColumns + 1 units; false on a separator.
bool WordUnderPointer(POINT at, wchar16* word)
{
    LoadHotspotSeparators();
    int column = 0, windowRow = 0, edge = 0;
    RowText row;
    if (!PixelToSelectionCell(at, &column, &windowRow, &edge) || edge != 0 || !ReadHotspotRow(windowRow, &row))
        return false;
    int first = 0, last = 0;
    if (!HotspotWordBounds(row.units, row.first, row.last, column, g_separators, &first, &last))
        return false;
    g_wordRow = windowRow;
    g_wordFirst = first;
    g_wordLast = last;
    const int n = last - first + 1;
    std::memcpy(word, row.units + first, n * sizeof(wchar16));
    word[n] = 0;
    return true;
}

void SetWordMarks(int windowRow, int first, int last, bool on)
{
    const SelectionArea area = StoreSelectionArea();
    ScreenLineRecord* line = StoreSelectionLine(area.viewTop + windowRow);
    if (!line)
        return;
    for (int c = first; c <= last && c + area.columnBase < kStoreColumns; ++c) {
        u8& flags = line->cells[c + area.columnBase].flags;
        flags = static_cast<u8>(on ? flags | kCellSelected : flags & ~kCellSelected);
    }
}

void RepaintWindowRow(int windowRow, int first, int last)
{
    const SelectionArea area = StoreSelectionArea();
    const ScreenLineRecord* line = StoreSelectionLine(area.viewTop + windowRow);
    if (!line)
        return;
    HideCursorForUpdate();
    PaintRowSegment(line->cells + area.columnBase, windowRow, first, last, line->cells[0].flags & kLineAttrBits);
}

// Flashes the word when the option asks for it and no flash shows yet.
void FlashWord()
{
    if (HighlightWhenActioned && !g_flashShown)
        ToggleHotspotHighlight();
}

void SendHotspotDefinition()
{
    FlashWord();
    wchar16 decoded[kHotspotDefinitionUnits + 1];
    const int n = DecodeSetupText(decoded, g_definition, kHotspotDefinitionUnits);
    if (n > 0)
        QueueStringEvent(decoded, 4, n);
}

}  // namespace

int SetHotspotColours(int marked)
{
    if (!g_highlightAll && !g_flashShown)
        return 0;
    if (!marked && !g_highlightAll)
        return 0;
    if (!ScreenDC)
        return 0;
    ScreenPaintGuard guard;
    const int foreground = marked ? 0 : 7;
    const int background = !marked ? 0 : g_highlightAll ? 2 : 1;
    SetTextColor(ScreenDC, TerminalPalette[foreground]);
    SetBkColor(ScreenDC, TerminalPalette[background]);
    InvalidateColourCache();
    return 1;
}

void HighlightHotspots()
{
    ClearSelectionMarks();
    g_highlightAll = true;
    LoadHotspotSeparators();
    const SelectionArea area = StoreSelectionArea();
    for (int r = 0; r < area.visibleRows; ++r) {
        RowText row;
        if (!ReadHotspotRow(r, &row))
            continue;
        SetWordMarks(r, row.first, row.last, false);
        for (int c = row.first; c <= row.last;) {
            int first = 0, last = 0;
            if (!HotspotWordBounds(row.units, row.first, row.last, c, g_separators, &first, &last)) {
                ++c;
                continue;
            }
            wchar16 word[kStoreColumns + 1];
            std::memcpy(word, row.units + first, (last - first + 1) * sizeof(wchar16));
            word[last - first + 1] = 0;
            if (LoadHotspotDefinitions(word))
                SetWordMarks(r, first, last, true);
            c = last + 1;
        }
        RepaintWindowRow(r, row.first, row.last);
    }
    SetKeyboardLocked(true);
    KeyEventsHeld = 1;
}

void ClearHotspotHighlights()
{
    if (!g_highlightAll)
        return;
    g_highlightAll = false;
    const SelectionArea area = StoreSelectionArea();
    for (int r = 0; r < area.visibleRows; ++r) {
        SetWordMarks(r, area.leftColumn, area.rightColumn, false);
        RepaintWindowRow(r, area.leftColumn, area.rightColumn);
    }
    KeyEventsHeld = 0;
    SetKeyboardLocked(false);
    WakeHostReader();
}

void ToggleHotspotHighlight()
{
    if (g_wordRow < 0)
        return;
    if (!g_flashShown)
        ClearSelectionMarks();
    g_flashShown = !g_flashShown;
    SetWordMarks(g_wordRow, g_wordFirst, g_wordLast, g_flashShown);
    RepaintWindowRow(g_wordRow, g_wordFirst, g_wordLast);
}

bool HotspotsHighlighted()
{
    return g_highlightAll;
}

bool HotspotSelectionActive()
{
    return g_flashShown;
}

void HotspotClick(HWND, POINT at)
{
    wchar16 word[kStoreColumns + 1];
    if (SelectionDragging() || !WordUnderPointer(at, word))
        return;
    if (LoadHotspotDefinitions(word)) {
        SendHotspotDefinition();
        return;
    }
    FlashWord();
    // The word and CR go out as typed, behind whatever the user typed before.
    const int n = static_cast<int>(wcslen(word));
    word[n] = '\r';
    QueueStringEvent(word, 7, n + 1);
}

void SendHotspotAtPointer(HWND, POINT at)
{
    wchar16 word[kStoreColumns + 1];
    if (!SelectionDragging() && WordUnderPointer(at, word) && LoadHotspotDefinitions(word))
        SendHotspotDefinition();
}

void SelectHotspotWord(HWND, POINT at)
{
    wchar16 word[kStoreColumns + 1];
    if (WordUnderPointer(at, word))
        SelectWindowRowRange(g_wordRow, g_wordFirst, g_wordLast);
}
