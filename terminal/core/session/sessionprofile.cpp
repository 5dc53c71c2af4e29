#include "terminal/core/session/sessionprofile.h"

#include "terminal/core/base/cursors.h"
#include "terminal/core/base/handles.h"
#include "terminal/core/base/emulationids.h"

#include <string>
#include <vector>

#include "terminal/comms/telnet/netsession.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/base/family.h"
#include "terminal/core/host/hostio.h"
#include "terminal/core/base/language.h"
#include "terminal/core/paint/jumpscroll.h"
#include "terminal/core/paint/palette.h"
#include "terminal/core/screen/paintsettings.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/base/startopts.h"
#include "terminal/core/base/win32.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/input/bars/toolbars.h"
#include "terminal/input/macros/keydefs.h"
#include "terminal/settings/store/colours.h"
#include "terminal/settings/store/defaults.h"
#include "terminal/input/macros/macrostore.h"
#include "terminal/settings/store/palettestore.h"
#include "terminal/settings/store/profile.h"
#include "terminal/settings/store/profilevalues.h"
#include "terminal/core/base/registry.h"
#include "terminal/core/paint/upss.h"
#include "terminal/settings/store/valueio.h"

namespace {
// Whether this save runs inside a full reload (for the families' saves).
int g_fullReload = 0;

// The attribute colours were loaded or reset: every family's current colours follow.
void ColoursChanged()
{
    ForEachFamily([](const FamilyHooks& family) {
        if (family.coloursChanged)
            family.coloursChanged();
    });
}

using Text = std::basic_string<wchar16>;

// An open section key, flushed and closed when it goes.
class Section {
public:
    Section(HKEY key) : key_(key) {}
    ~Section() { SettingsCloseKey(key_); }
    Section(const Section&) = delete;
    Section& operator=(const Section&) = delete;
    operator HKEY() const { return key_; }

private:
    HKEY key_;
};

// A text field as far as its terminator, never past its capacity.
Text Bounded(const wchar16* field, std::size_t capacity)
{
    std::size_t n = 0;
    while (n < capacity && field[n])
        ++n;
    return Text(field, n);
}

Section OpenSection(const wchar16* name)
{
    return Section(SettingsOpenSection(CurrentProfileName(), name));
}

Section CreateSection(const wchar16* name)
{
    return Section(SettingsCreateSection(CurrentProfileName(), name));
}

// A section some emulation keeps for itself survives the save unless that emulation
// runs (its family writes it again).
bool KeepsSection(const wchar16* name, u8 active)
{
    bool owned = false;
    for (u8 id = 0; id < kEmulationCount; ++id)
        if (const wchar16* section = EmulationSectionName(id))
            if (Text(section) == name) {
                owned = true;
                if (id == active)
                    return false;
            }
    return owned;
}

// Removes the profile's sections before they are written again, all but those of the
// emulations that are not running.
void ClearProfileForSave()
{
    HKEY profiles = SettingsOpenKey(VXT("Profiles"), kKeyAllAccess);
    if (!profiles)
        return;
    HKEY profile = nullptr;
    if (RegOpenKeyExW(profiles, CurrentProfileName(), 0, kKeyAllAccess, &profile) == ERROR_SUCCESS) {
        std::vector<Text> doomed;
        for (DWORD index = 0;; ++index) {
            wchar_t name[kRegKeyNameUnits];
            DWORD length = kRegKeyNameUnits;
            if (RegEnumKeyExW(profile, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                break;
            if (!KeepsSection(name, EmulationId))
                doomed.emplace_back(name, length);
        }
        for (const Text& name : doomed)
            SettingsDeleteKeyTree(profile, name.c_str());
        SettingsCloseKey(profile);
    }
    SettingsCloseKey(profiles);
}

RECT DefaultPlacement()
{
    RECT work{0, 0, 800, 600};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return {work.left, work.top, work.left + 800, work.top + 600};
}

bool ScrollbackHistoryOn()
{
    return StartupOptions.scrollBar != 0;
}

// The store size for a terminal that keeps no profile value: 144 lines for the
// terminal ids that page, the history maximum for the others.
i32 DefaultLineCount()
{
    if (ModelHasPages(TerminalId))
        return 144;
    return static_cast<i32>(StartupOptions.historyLines);
}

// Width and height as last loaded, written back while the window is not normal.
i32 LoadedWidth = 800, LoadedHeight = 600;

// The language module: the one "SelectedLanguage" chooses unless the profile names
// another; a module that is not there gives way to the first one that is.
void LoadLanguageChoice(HKEY window)
{
    i32 index = static_cast<i32>(SettingsReadDword(window, VXT("Language"), static_cast<u32>(CurrentLanguageIndex),
                                                   static_cast<u32>(LoadSelectedLanguage())));
    // Without any module the program runs on its own table (index -1) already.
    if (FoundLanguageModuleCount == 0)
        return;
    if (index < 0 || index >= kLanguageModuleCount || !LanguageModuleTable[index].found)
        for (index = 0; !LanguageModuleTable[index].found; ++index) {
        }
    CurrentLanguageIndex = index;
}

void LoadWindow()
{
    Section key = OpenSection(VXT("WINDOW"));
    if (SavedItems.savewindow) {
        const RECT place = DefaultPlacement();
        SavedWindowRect.x = static_cast<i32>(SettingsReadDword(key, VXT("Left"), SavedWindowRect.x, place.left));
        SavedWindowRect.y = static_cast<i32>(SettingsReadDword(key, VXT("Top"), SavedWindowRect.y, place.top));
        SavedWindowRect.width = static_cast<i32>(SettingsReadDword(key, VXT("Width"), SavedWindowRect.width, 800));
        SavedWindowRect.height = static_cast<i32>(
            SettingsReadDword(key, VXT("Height"), SavedWindowRect.height, 600));
        RememberedWindowState = SettingsReadDword(key, VXT("State"), RememberedWindowState, 0);
        LoadedWidth = SavedWindowRect.width;
        LoadedHeight = SavedWindowRect.height;
        LoadLanguageChoice(key);
    }
    // The store takes these sizes when the terminal is initialised next: the line
    // count is the store's target size, rows and page length its shape.
    i32 lines, page, rows;
    if (SavedItems.savebuffer) {
        const i32 history = static_cast<i32>(StartupOptions.historyLines);
        lines = static_cast<i32>(SettingsReadDword(key, VXT("obsize"), Screen.maxLineCount, kDefaultStoreLines));
        if (lines < 1 || lines > history)
            lines = DefaultLineCount();
        page = static_cast<i32>(SettingsReadDword(key, VXT("dbsize"), Screen.pageLength, kDefaultRows));
        if (page < 24 || page > lines)
            page = kDefaultRows;
        rows = static_cast<i32>(SettingsReadDword(key, VXT("dasize"), Screen.rows, kDefaultRows));
        if (rows < 1 || rows > page)
            rows = kDefaultRows;
        if (!ScrollbackHistoryOn())
            lines = page = rows;
    } else if (FullReloadInProgress()) {
        lines = ScrollbackHistoryOn() ? DefaultLineCount() : 24;
        page = rows = 24;
    } else {
        return;
    }
    Screen.maxLineCount = lines;
    Screen.pageLength = page;
    Screen.rows = rows;
}

void SaveWindow()
{
    Section key = CreateSection(VXT("WINDOW"));
    int rows = kDefaultRows, page = kDefaultRows, lines = kDefaultStoreLines;
    GetScreenDimensions(&rows, &page, &lines);
    // The pages of a multi-page model take only part of the store's lines: the setting
    // is the whole, which a model with history uses again.
    if (Screen.multiPage && lines == Screen.lineCount)
        lines = Screen.maxLineCount;
    SettingsWriteDwordOrDelete(key, VXT("dasize"), static_cast<u32>(rows), kDefaultRows);
    SettingsWriteDwordOrDelete(key, VXT("dbsize"), static_cast<u32>(page), kDefaultRows);
    SettingsWriteDwordOrDelete(key, VXT("obsize"), static_cast<u32>(lines), kDefaultStoreLines);
    // The profile's language is the one "SelectedLanguage" picks unless it says
    // otherwise: English chosen over a French default must be written too.
    if (CurrentLanguageIndex != LoadSelectedLanguage())
        SettingsWriteDword(key, VXT("Language"), static_cast<u32>(CurrentLanguageIndex));
    if (!SavedItems.savewindow || !MainWindowHandle)
        return;
    const u32 state = IsZoomed(MainWindowHandle) ? 1 : IsIconic(MainWindowHandle) ? 2 : 0;
    if (state) {
        SettingsWriteDword(key, VXT("State"), state);
        SettingsWriteDword(key, VXT("Width"), static_cast<u32>(LoadedWidth));
        SettingsWriteDword(key, VXT("Height"), static_cast<u32>(LoadedHeight));
        return;
    }
    RECT r{};
    GetWindowRect(MainWindowHandle, &r);
    const RECT place = DefaultPlacement();
    SettingsWriteDwordOrDelete(key, VXT("Left"), static_cast<u32>(r.left), static_cast<u32>(place.left));
    SettingsWriteDwordOrDelete(key, VXT("Top"), static_cast<u32>(r.top), static_cast<u32>(place.top));
    SettingsWriteDwordOrDelete(key, VXT("Width"), static_cast<u32>(r.right - r.left), 800);
    SettingsWriteDwordOrDelete(key, VXT("Height"), static_cast<u32>(r.bottom - r.top), 600);
}

const wchar16* const kNetnames[4] = {VXT("netname1"), VXT("netname2"), VXT("netname3"), VXT("netname4")};

// netname1-4: the first is kept here, the other three are the connection code's
// rollover hosts.
wchar16* HostEntry(int i)
{
    return i == 0 ? ConnectionValues.netname1 : Connection.rollover[i - 1];
}

void LoadConnection()
{
    ConnectionSection& c = ConnectionValues;
    Section key = OpenSection(VXT("CONNECTION"));
    const bool full = FullReloadInProgress();
    const bool serialNamed = StartupOptions.serialPort != kNoSerialDevice;
    const u32 proto = SettingsReadDword(key, VXT("netproto"), Connection.netproto, 1);
    if (proto != 1 || (full && (proto != Connection.netproto || serialNamed))) {
        c.comdevice = kNoSerialDevice;
        c.comdeviceType = 0;
    } else {
        c.comdevice = LoadByte(key, VXT("comdevice"), c.comdevice, kNoSerialDevice);
        c.comdeviceType = SettingsReadDword(key, VXT("comdeviceType"), c.comdeviceType, 0);
    }
    const bool serialChosen = c.comdevice != kNoSerialDevice;
    if (!(full && (StartupOptions.targetGiven || serialChosen || serialNamed))) {
        SettingsReadString(key, VXT("netname"), VXT(""), Connection.netname, kHostNameUnits);
        for (int i = 0; i < 4; ++i)
            SettingsReadString(key, kNetnames[i], VXT(""), HostEntry(i), kProfileHostUnits);
        Connection.hostrollover = SettingsReadDword(key, VXT("hostrollover"), Connection.hostrollover, 0);
    }
    if (!(full && (Connection.netproto != 1 || serialChosen || serialNamed)))
        Connection.netproto = proto;
    if (StartupOptions.telnetPort < 0)
        Connection.telnetPort = SettingsReadDword(key, VXT("iTelnetPortNum"), Connection.telnetPort, 23);
    if (StartupOptions.localPort < 0)
        Connection.localPort = SettingsReadDword(key, VXT("iLocalPortNum"), Connection.localPort, 0);
    Connection.closeBudget = SettingsReadDword(key, VXT("iTnPortClose"), Connection.closeBudget, 20);
    SettingsReadString(key, VXT("iTelnetName"), VXT(""), Connection.terminalTypeName, kHostNameUnits);
    LoadValues(key, kConnectionLineValues);
    // The line's data bits decide how many bits of each byte the host path keeps.
    DataBitsSetting = ConnectionValues.comdatab;
    LocalEcho = LoadByte(key, VXT("lecho"), static_cast<u8>(LocalEcho.load()), 0);
    // "No connection" stays no connection whatever the value read above says.
    if (proto == 2)
        Connection.noConnection = 1;
}

void SaveConnection()
{
    const ConnectionSection& c = ConnectionValues;
    Section key = CreateSection(VXT("CONNECTION"));
    if (Connection.netname[0])
        SettingsWriteString(key, VXT("netname"), Bounded(Connection.netname, kHostNameUnits).c_str());
    if (Connection.hostrollover)
        SettingsWriteDword(key, VXT("hostrollover"), Connection.hostrollover);
    // The hosts are written packed. Without rollover an empty first entry is closed up;
    // with rollover netname1 keeps its place, empty or not.
    int next = 0;
    if (HostEntry(0)[0]) {
        SettingsWriteString(key, kNetnames[0], Bounded(HostEntry(0), kProfileHostUnits).c_str());
        next = 1;
    } else if (Connection.hostrollover) {
        next = 1;
    }
    for (int i = 1; i < 4; ++i)
        if (HostEntry(i)[0])
            SettingsWriteString(key, kNetnames[next++], Bounded(HostEntry(i), kProfileHostUnits).c_str());
    for (int i = next; i < 4; ++i)
        if (HostEntry(i)[0])
            SettingsWriteString(key, kNetnames[i], VXT(""));
    SettingsWriteDwordOrDelete(key, VXT("netproto"), Connection.netproto, 1);
    SaveByte(key, VXT("comdevice"), c.comdevice, kNoSerialDevice);
    SettingsWriteDwordOrDelete(key, VXT("comdeviceType"), c.comdeviceType, 0);
    SettingsWriteDwordOrDelete(key, VXT("iTelnetPortNum"), Connection.telnetPort, 23);
    SettingsWriteDwordOrDelete(key, VXT("iLocalPortNum"), Connection.localPort, 0);
    if (Connection.terminalTypeName[0])
        SettingsWriteString(key, VXT("iTelnetName"), Bounded(Connection.terminalTypeName, kHostNameUnits).c_str());
    SaveValues(key, kConnectionLineValues);
    SaveByte(key, VXT("lecho"), static_cast<u8>(LocalEcho.load()), 0);
}

void LoadColours()
{
    Section key = OpenSection(VXT("COLOURS"));
    LoadValue(key, kBwswapValue);
    LoadHlsPalette(key);
    LoadValues(key, kColourValues);
    ColoursChanged();
}

void LoadPrinting()
{
    PrintingSection& p = PrintingValues;
    Section key = OpenSection(VXT("PRINTING"));
    LoadValues(key, kPrintingValues);
    SettingsReadString(key, VXT("PMPrinter"), VXT(""), p.PMPrinter, kPrinterNameUnits);
    SettingsReadString(key, VXT("PMPort"), VXT(""), p.PMPort, kPrinterNameUnits);
    u16 margins[4];
    if (SettingsReadBinary(key, VXT("PrintMargins"), margins, 4) == 4) {
        for (int i = 0; i < 4; ++i)
            p.PrintMargins[i] = margins[i];
        p.PrintUnits = SettingsReadDword(key, VXT("PrintUnits"), p.PrintUnits, 1);
        p.defaultMargins = 0;
    } else {
        p.defaultMargins = 1;
    }
    SettingsReadString(key, VXT("Port"), VXT(""), p.Port, kPortNameUnits);
    LoadValues(key, kLprValues);
}

void SavePrinting()
{
    const PrintingSection& p = PrintingValues;
    Section key = CreateSection(VXT("PRINTING"));
    SaveValues(key, kPrintingValues);
    // The printer and its port are written even when empty.
    SettingsWriteString(key, VXT("PMPrinter"), Bounded(p.PMPrinter, kPrinterNameUnits).c_str());
    SettingsWriteString(key, VXT("PMPort"), Bounded(p.PMPort, kPrinterNameUnits).c_str());
    if (!p.defaultMargins) {
        SettingsWriteBinary(key, VXT("PrintMargins"), p.PrintMargins, 4);
        SettingsWriteDword(key, VXT("PrintUnits"), p.PrintUnits);
    }
    if (p.DirectToPort)
        SettingsWriteString(key, VXT("Port"), Bounded(p.Port, kPortNameUnits).c_str());
    if (p.ViaLPR)
        SaveValues(key, kLprValues);
}

void LoadLineEnds(HKEY key, const wchar16* countName, const wchar16* listName, u8& count,
                  u8 (&list)[kLineEndChars + 1])
{
    count = LoadByte(key, countName, count, kLineEndChars);
    if (count > kLineEndChars)
        count = kLineEndChars;
    u16 units[kLineEndChars];
    const int n = SettingsReadBinary(key, listName, units, count);
    if (n > 0 || !KeepCurrentValues) {
        for (int i = 0; i < count; ++i)
            list[i] = static_cast<u8>(i < n ? units[i] & 0xFF : 0);
        list[count] = 0;
    }
}

void SaveLineEnds(HKEY key, const wchar16* countName, const wchar16* listName, u8 count,
                  const u8 (&list)[kLineEndChars + 1])
{
    SaveByte(key, countName, count, kLineEndChars);
    if (count > kLineEndChars)
        count = kLineEndChars;
    u16 units[kLineEndChars];
    bool any = false;
    for (int i = 0; i < count; ++i) {
        units[i] = list[i];
        any = any || list[i];
    }
    if (any)
        SettingsWriteBinary(key, listName, units, count);
}

void LoadVt300()
{
    Vt300Section& v = Vt300Values;
    Section key = OpenSection(VXT("VT300"));
    for (int i = 0; i < kVt300Values.count; ++i) {
        LoadValue(key, kVt300Values.values[i]);
    }
    LoadLineEnds(key, VXT("edit_eob_cnt"), VXT("edit_eob_ch"), v.edit_eob_cnt, v.edit_eob_ch);
    LoadLineEnds(key, VXT("edit_eol_cnt"), VXT("edit_eol_ch"), v.edit_eol_cnt, v.edit_eol_ch);
    wchar16 factory[kTabStopColumns + 1];
    FactoryTabStops(factory);
    SettingsReadString(key, VXT("tabstops"), factory, v.tabstops, kTabStopColumns + 1);
    // A short pattern leaves the columns after it without stops.
    for (std::size_t i = TextLength(v.tabstops); i < kTabStopColumns; ++i)
        v.tabstops[i] = VXT(' ');
    v.tabstops[kTabStopColumns] = 0;
    // The painters take these settings as they are loaded; the host may change them
    // while it runs, and what is saved stays the setting.
    PaintSettings.displayControls = v.dspctrl;
    ApplyJumpScrollSetting(v.JumpScroll);
    PaintSettings.cursorStyle = v.curstyle;
    // The profile's emulation; the switch starts it once the terminal is set up.
    if (IsValidEmulationId(v.vdumode))
        EmulationId = v.vdumode;
}

void SaveVt300()
{
    Vt300Values.vdumode = EmulationId;
    const Vt300Section& v = Vt300Values;
    Section key = CreateSection(VXT("VT300"));
    SaveValues(key, kVt300Values);
    SaveLineEnds(key, VXT("edit_eob_cnt"), VXT("edit_eob_ch"), v.edit_eob_cnt, v.edit_eob_ch);
    SaveLineEnds(key, VXT("edit_eol_cnt"), VXT("edit_eol_ch"), v.edit_eol_cnt, v.edit_eol_ch);
    wchar16 factory[kTabStopColumns + 1];
    FactoryTabStops(factory);
    if (Text(v.tabstops, kTabStopColumns) != Text(factory, kTabStopColumns))
        SettingsWriteString(key, VXT("tabstops"), Text(v.tabstops, kTabStopColumns).c_str());
}
}  // namespace

void LoadProfileSettings()
{
    {
        Section key = OpenSection(VXT("SAVEDITEMS"));
        LoadValues(key, kSavedItemValues);
    }
    if (SavedItems.saveattrs) {
        LoadColours();
    } else if (FullReloadInProgress()) {
        SetFactoryColours();
        AttributeColourTable.frgcurs = 7;
        Colours.invcolour = Colours.bwswap = Colours.bolditalic = 0;
        ResetAllColourSets(kLive);
        ColoursChanged();
    }
    LoadWindow();
    if (SavedItems.savenetwork)
        LoadConnection();
    LoadMacros();
    LoadSoftButtonSettings();
}

void SaveProfileSettings()
{
    {
        Section key = CreateSection(VXT("SAVEDITEMS"));
        SaveValues(key, kSavedItemValues);
    }
    {
        Section key = CreateSection(VXT("COLOURS"));
        SaveHlsPalette(key);
        SaveValues(key, kColourValues);
    }
    SaveWindow();
    SaveConnection();
    SaveMacros();
    SaveSoftButtonSettings();
    SaveTelnetSettings(true);
}

void LoadTerminalSettings()
{
    LoadVt300();
    LoadPrinting();
    {
        Section key = OpenSection(VXT("AUX"));
        LoadValues(key, kAuxValues);
    }
    ForEachFamily([](const FamilyHooks& family) {
        if (family.loadSettings)
            family.loadSettings();
    });
    LoadEmulationUpss(EmulationId);
}

void SaveTerminalSettings()
{
    SavePrinting();
    {
        Section key = CreateSection(VXT("AUX"));
        SaveValues(key, kAuxValues);
    }
    SaveEmulationUpss();
    g_fullReload = FullReloadInProgress() ? 1 : 0;
    ForEachFamily([](const FamilyHooks& family) {
        if (family.saveSettings)
            family.saveSettings(g_fullReload);
    });
    SaveVt300();
}

void SaveProfile()
{
    HCURSOR previous = WaitCursor ? SetCursor(WaitCursor) : nullptr;
    SelectSaveRoot();
    if (AdministratorMode == 1 && PerUserProfile == 0) {
        // A machine-wide save replaces any per-user copy that would hide it.
        SettingsSelectRoot(1);
        SettingsDeleteProfile(CurrentProfileName());
        SettingsSelectRoot(0);
    }
    ReadEmulationUpss();  // before the sections holding them are cleared
    ClearProfileForSave();
    SettingsCreateProfile(CurrentProfileName());
    SaveToolbarSettings(CurrentProfileName());
    SaveProfileSettings();
    SaveTerminalSettings();
    RequestBell();  // the audible end of the save
    if (previous)
        SetCursor(previous);
}

void SaveSessionProfile()
{
    SaveProfile();
}

void LoadProfile()
{
    if (AdministratorMode == 1 && PerUserProfile == 0) {
        KeepCurrentValues = 0;
        SettingsSelectRoot(0);
        LoadProfileSettings();
        LoadTerminalSettings();
    } else {
        for (u32 pass = 0; pass < 2; ++pass) {
            SettingsSelectRoot(pass);
            KeepCurrentValues = pass;
            LoadProfileSettings();
            LoadTerminalSettings();
        }
    }
    ForEachFamily([](const FamilyHooks& family) {
        if (family.profileLoaded)
            family.profileLoaded();
    });
    ApplySoftButtonSettings();
    ApplyColourPalette();
}

int ReloadCurrentProfile()
{
    const wchar16* name = CurrentProfileName();
    if (FullReloadInProgress()) {
        // Another profile: what it does not store takes factory values, not the
        // running ones, and it may live in the other root.
        ResetSessionDefaults();
        SelectProfileRoot(name);
    }
    bool stored = SettingsProfileExistsAnyRoot(name) != 0;
    if (!stored && FullReloadInProgress())
        stored = SettingsCreateProfile(name) != 0;
    // A profile that is stored nowhere reads as factory values throughout.
    LoadProfile();
    return stored ? 1 : 0;
}

void ResetSessionDefaults()
{
    SavedItems = SavedItemFlags{1, 1, 1, 1, 1, 1, 1, 1, 1, SavedItems.GPaste};
    Colours.autocolour = 0;
    if (FullReloadInProgress() && VtFamilyRunning()) {
        Screen.maxLineCount = ScrollbackHistoryOn() ? DefaultLineCount() : 24;
        Screen.rows = Screen.pageLength = 24;
    }
    Connection.telnetPort = 23;
    Connection.terminalTypeName[0] = 0;
    LocalEcho = 0;
    ConnectionSection& c = ConnectionValues;
    c.vdulocal = 0;
    c.detectdcd = 0;
    c.comspeed = 6;
    c.comdatab = 2;
    c.comparity = 0;
    c.comstopb = 0;
    c.comdevice = kNoSerialDevice;
    c.comflowc = 1;
    c.etxspeed = 10;
    SetFactoryColours();
    AttributeColourTable.frgcurs = 7;
    Colours.invcolour = Colours.bwswap = Colours.attribsnormbg = 0;
    ColoursChanged();
    ResetAllColourSets(kLive);
    ApplyColourPalette();
    DeleteAllKeyDefinitions();
}

void ReloadColourPalette()
{
    HKEY colours = SettingsOpenSection(CurrentProfileName(), VXT("COLOURS"));
    LoadHlsPalette(colours);
    SettingsCloseKey(colours);
}
