#include "terminal/core/program/commands.h"

#include <cwchar>
#include <iterator>

#include "terminal/comms/dialogs/auxdialog.h"
#include "terminal/core/base/commandids.h"
#include "terminal/core/base/cursors.h"
#include "terminal/core/base/handles.h"
#include "terminal/core/base/menus.h"
#include "terminal/core/base/win32.h"
#include "terminal/core/host/capture.h"
#include "terminal/comms/capture/capturefiles.h"
#include "terminal/comms/capture/loginscript.h"
#include "terminal/core/base/displaymetrics.h"
#include "terminal/core/paint/palette.h"
#include "terminal/core/screen/autoprint.h"
#include "terminal/core/session/sessionprofile.h"
#include "terminal/settings/store/connsettings.h"
#include "terminal/comms/telnet/netsession.h"
#include "terminal/comms/dialogs/printerdialogs.h"
#include "terminal/comms/printing/printing.h"
#include "terminal/comms/serial/serial.h"
#include "terminal/comms/telnet/sockets.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/window/dialogs/dialogs.h"
#include "terminal/core/base/family.h"
#include "terminal/core/window/emuswitch.h"
#include "terminal/core/host/hostthread.h"
#include "terminal/core/session/instances.h"
#include "terminal/input/keyboard/kbhookbind.h"
#include "terminal/core/base/language.h"
#include "terminal/core/base/messagebox.h"
#include "terminal/core/screen/display.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/window/selection/selection.h"
#include "terminal/core/base/startopts.h"
#include "terminal/core/window/status/statusbar.h"
#include "terminal/core/base/stringids.h"
#include "terminal/core/base/uirequests.h"
#include "terminal/core/session/profilereload.h"
#include "terminal/core/paint/paintrows.h"
#include "terminal/input/dialogs/bardialog.h"
#include "terminal/input/bars/toolbars.h"
#include "terminal/settings/setup/setupapply.h"
#include "terminal/settings/setup/setupdialog.h"
#include "terminal/settings/setup/setuppages.h"

MenuHandleSet Menus{};
u16 MenuMnemonics[3] = {};
u32 CopySwapBlackWhite = 0, CopyMonochrome = 0;
u32 PrintingMenuItemsPresent = 0;
u32 PasteGreyed = 1;
u32 PendingFollowUpCommand = 0;

namespace {

constexpr int kMenuTextUnits = 133;  // 132 units and the terminator

// What the greying rules look at, taken together once per build or update.
struct MenuConditions {
    bool networkOpen, serialOpen, resettable, familyWindowHasKeys;
    bool printModeActive, autoPrint, printing, capturing, replaying, selection;
    bool graphicsMode, registered;
    u8 emulation;
};

MenuConditions Conditions()
{
    MenuConditions c{};
    c.networkOpen = NetworkConnectionOpen();
    c.serialOpen = ConfiguredSerialPortOpen();
    c.resettable = ActiveFamily().reset != nullptr;
    c.familyWindowHasKeys = FamilyWindowTakesKeys();
    c.autoPrint = AutoPrintOn();
    c.printing = CurrentPrintMode() != 0;
    c.printModeActive = c.printing || c.autoPrint;
    c.capturing = CaptureFileOpen();
    c.replaying = ReplayFileOpen();
    c.selection = SelectionPresent();
    c.graphicsMode = ClipboardMode == 1;
    c.registered = StartupOptions.registeredConnection != 0;
    c.emulation = EmulationId;
    return c;
}

bool Offered(MenuOffer offer)
{
    return StartupOptions.offered[offer] != 0;
}

// The item's text: the language string with the command's id (or `textId`). With the
// "-CA" option the keyboard shortcut after " Ctrl" is cut off.
void ItemText(UINT textId, wchar_t* text)
{
    LoadLanguageString(InstanceHandle, textId, text, kMenuTextUnits);
    if (StartupOptions.clipboardAcceleratorsOff && (textId == kCmdCopy || textId == kCmdPaste))
        if (wchar_t* ctrl = std::wcsstr(text, L" Ctrl"))
            *ctrl = 0;
}

void Append(HMENU menu, UINT id, bool greyed, bool checked = false, UINT textId = 0)
{
    wchar_t text[kMenuTextUnits];
    ItemText(textId ? textId : id, text);
    AppendMenuW(menu, MF_STRING | (greyed ? MF_GRAYED : 0) | (checked ? MF_CHECKED : 0), id, text);
}

void Separator(HMENU menu)
{
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
}

void SetGreyed(HMENU menu, UINT id, bool greyed)
{
    if (menu)
        EnableMenuItem(menu, id, MF_BYCOMMAND | (greyed ? MF_GRAYED : MF_ENABLED));
}

void SetChecked(HMENU menu, UINT id, bool checked)
{
    if (menu)
        CheckMenuItem(menu, id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void SetText(HMENU menu, UINT id, UINT textId)
{
    if (!menu)
        return;
    wchar_t text[kMenuTextUnits];
    ItemText(textId, text);
    const UINT state = GetMenuState(menu, id, MF_BYCOMMAND);
    if (state != static_cast<UINT>(-1))
        ModifyMenuW(menu, id, MF_BYCOMMAND | MF_STRING | (state & (MF_GRAYED | MF_CHECKED)), id, text);
}

// Print items: the same rules at build time and in UpdatePrintMenuItems.
struct PrintItemStates {
    bool setupGreyed, screenGreyed, bufferGreyed, autoGreyed, autoChecked, cancelGreyed, ejectGreyed;
};

PrintItemStates PrintStates(const MenuConditions& c)
{
    PrintItemStates s{};
    s.setupGreyed = !(Offered(kOfferPrintSetup) && !c.printModeActive);
    if (c.familyWindowHasKeys) {
        s.screenGreyed = s.bufferGreyed = s.autoGreyed = true;
    } else {
        s.screenGreyed = !(Offered(kOfferPrintScreen) && !c.printModeActive);
        s.bufferGreyed = !(Offered(kOfferPrintBuffer) && !c.printModeActive);
        s.autoGreyed = !Offered(kOfferAutoPrint);
    }
    s.autoChecked = c.autoPrint;
    s.cancelGreyed = !(Offered(kOfferCancelPrint) && c.printing);
    s.ejectGreyed = !Offered(kOfferEjectPage);
    return s;
}

void FillFileMenu(HMENU menu, const MenuConditions& c)
{
    Append(menu, kCmdFactoryDefault, !(Offered(kOfferFactory) && !c.networkOpen));
    Append(menu, kCmdResetTerminal, !(Offered(kOfferReset) && c.resettable));
    Separator(menu);
    Append(menu, kCmdNewConnection, !Offered(kOfferNewConnection));
    if (!c.registered)
        Append(menu, kCmdOpenSession, !Offered(kOfferOpenSession));
    Append(menu, kCmdCloseSession, !(Offered(kOfferCloseSession) && (c.networkOpen || c.serialOpen)));
    Append(menu, kCmdSave, !Offered(kOfferSaveSession));
    if (!c.registered)
        Append(menu, kCmdSaveAs, !Offered(kOfferSaveSessionAs));
    Separator(menu);
    if (StartupOptions.debugTrace) {
        Append(menu, kCmdCapture, !Offered(kOfferCapture), false, c.capturing ? kCmdCancelCapture : kCmdCapture);
        Append(menu, kCmdReplay, !Offered(kOfferReplay), false, c.replaying ? kCmdCancelReplay : kCmdReplay);
        Separator(menu);
    }
    if (PrintingMenuItemsPresent) {
        const PrintItemStates s = PrintStates(c);
        Append(menu, kCmdPrinterSetup, s.setupGreyed);
        Append(menu, kCmdPrintScreenBitmap, s.screenGreyed);
        Append(menu, kCmdPrintBuffer, s.bufferGreyed);
        Append(menu, kCmdAutoPrint, s.autoGreyed, s.autoChecked);
        Append(menu, kCmdCancelPrint, s.cancelGreyed);
        Append(menu, kCmdEjectPage, s.ejectGreyed);
        Separator(menu);
    }
    Append(menu, kCmdExit, !Offered(kOfferExit));
}

void FillEditMenu(HMENU menu, const MenuConditions& c)
{
    Append(menu, kCmdClipboardText, !Offered(kOfferClipboardText), !c.graphicsMode);
    Append(menu, kCmdClipboardGraphics, !Offered(kOfferClipboardGraphics), c.graphicsMode);
    Separator(menu);
    Append(menu, kCmdCopy, !c.selection);
    for (UINT id : {kCmdCopySwap, kCmdCopyMono, kCmdCopyMonoSwap})
        Append(menu, id, !(c.selection && c.graphicsMode));
    Append(menu, kCmdPaste, PasteGreyed != 0);
    Append(menu, kCmdSelectAll, !(Offered(kOfferSelectAll) && !c.selection));
    Separator(menu);
    Append(menu, kCmdClearBuffer, !Offered(kOfferClearBuffer));
}

// The emulation-specific Setup items: each is offered only for its emulation.
struct EmulationItem {
    UINT id;
    MenuOffer offer;
    bool (*applies)(u8 emulation);
};
constexpr EmulationItem kEmulationItems[] = {
    {kCmdHp, kOfferHp, [](u8 id) { return FamilyOf(id) == EmulationFamily::Hp700; }},
    {kCmdIbm3151, kOfferIbm3151, [](u8 id) { return FamilyHasSetupPage(id, kCmdIbm3151 - kCmdSetupFirst); }},
    {kCmdWyse, kOfferWyse, [](u8 id) { return IsWyseFamily(id); }},
    {kCmdTa6530, kOfferTa6530, [](u8 id) { return FamilyOf(id) == EmulationFamily::Ta6530; }},
    {kCmdIbm3270, kOfferIbm3270, [](u8 id) { return FamilyOf(id) == EmulationFamily::Ibm3270; }},
    {kCmdIbm5250, kOfferIbm5250, [](u8 id) { return FamilyOf(id) == EmulationFamily::Ibm5250; }},
};

// The Setup item of the running emulation's family (0 for none).
u32 RunningEmulationItem()
{
    for (const EmulationItem& item : kEmulationItems)
        if (item.applies(EmulationId) && FamilyRuns(EmulationId))
            return item.id;
    return 0;
}

// Items greyed while a printer session's own window has the keys.
constexpr struct {
    UINT id;
    MenuOffer offer;
} kHostPrinterItems[] = {
    {kCmdTerminal, kOfferTerminal},
    {kCmdAttributes, kOfferAttributes},
    {kCmdKeyboardMacros, kOfferKeyboardMacros},
    {kCmdMouseButtons, kOfferMouseButtons},
};

bool AuxPortGreyed(const MenuConditions& c)
{
    return !(Offered(kOfferSerial) && EmulationOffersAuxPort(c.emulation));
}

bool SoftButtonsGreyed(const MenuConditions& c)
{
    return c.familyWindowHasKeys || !Offered(kOfferSoftButtons) || StartupOptions.softButtonLevels == 0;
}

bool LocalEditGreyed(MenuOffer offer, const MenuConditions& c)
{
    return !(Offered(offer) && c.emulation <= kEmuVt500Bit7);
}

void FillSettingsMenu(HMENU menu, const MenuConditions& c)
{
    if (FoundLanguageModuleCount > 1) {
        Menus.language = CreatePopupMenu();
        for (int index = 0; index < kLanguageModuleCount; ++index) {
            if (!LanguageModuleTable[index].found)
                continue;
            wchar_t text[kMenuTextUnits];
            LoadLanguageString(InstanceHandle, kStrFirstLanguageName + index, text, kMenuTextUnits);
            AppendMenuW(Menus.language, MF_STRING | (index == CurrentLanguageIndex ? MF_CHECKED : 0),
                        kCmdLanguageFirst + index, text);
        }
        wchar_t text[kMenuTextUnits];
        LoadLanguageString(InstanceHandle, kStrLanguageMenu, text, kMenuTextUnits);
        AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(Menus.language), text);
        Separator(menu);
    }
    Append(menu, kCmdEmulation, !Offered(kOfferEmulation));
    for (const EmulationItem& item : kEmulationItems)
        Append(menu, item.id, !(Offered(item.offer) && item.applies(c.emulation)));
    Separator(menu);
    if (!c.registered) {
        Append(menu, kCmdSerial, !Offered(kOfferSerial));
        Append(menu, kCmdAuxPort, AuxPortGreyed(c));
    }
    for (const auto& item : kHostPrinterItems)
        Append(menu, item.id, !(Offered(item.offer) && !c.familyWindowHasKeys));
    Append(menu, kCmdSoftButtons, SoftButtonsGreyed(c));
    Append(menu, kCmdLocalEditing, LocalEditGreyed(kOfferLocalEditing, c));
    Append(menu, kCmdBlockTransmission, LocalEditGreyed(kOfferBlockTransmission, c));
    Append(menu, kCmdButtonTools, !Offered(kOfferButtonTools));
}

HMENU FilledPopup(void (*fill)(HMENU, const MenuConditions&), const MenuConditions& c)
{
    HMENU popup = CreatePopupMenu();
    if (popup)
        fill(popup, c);
    return popup;
}

void AppendPopup(HMENU bar, HMENU popup, UINT textId, bool greyed, u16* mnemonic)
{
    wchar_t text[kMenuTextUnits];
    LoadLanguageString(InstanceHandle, textId, text, kMenuTextUnits);
    *mnemonic = GetMnemonic(text);
    if (bar && popup)
        AppendMenuW(bar, MF_POPUP | (greyed ? MF_GRAYED : 0), reinterpret_cast<UINT_PTR>(popup), text);
}

void DestroyPopups()
{
    for (HMENU* popup : {&Menus.file, &Menus.edit, &Menus.settings}) {
        // A popup attached to the bar goes with it; a loose one is destroyed here.
        if (*popup && !(Menus.bar && GetMenuItemCount(Menus.bar) > 0))
            DestroyMenu(*popup);
        *popup = nullptr;
    }
    Menus.language = nullptr;
}

bool OnUiThreadOrPosted(WPARAM request)
{
    if (OnUserInterfaceThread())
        return true;
    PostUiRequest(request, 0);
    return false;
}

// Print commands go to the family that runs; a window of the family's own that has the
// keys prints nothing.
void PrintThroughFamily(void (*FamilyHooks::*op)())
{
    if (FamilyWindowTakesKeys())
        return;
    if (auto print = ActiveFamily().*op)
        print();
}

// One print command runs to its end before the next begins. While a job prints, its abort
// procedure lets messages through so that Cancel works; a print screen posted meanwhile
// (by the host, the Print Screen key or the menu) would otherwise reopen the running job
// and the picture or page it asked for would be lost. It waits its turn and is posted
// again once the running one has ended.
struct PrintCommandQueue {
    bool running = false;
    int count = 0;
    WPARAM waiting[64];
};
PrintCommandQueue PrintCommands;

template <typename Run>
void RunPrintCommand(HWND window, WPARAM wParam, Run run)
{
    if (PrintCommands.running) {
        if (PrintCommands.count < static_cast<int>(std::size(PrintCommands.waiting)))
            PrintCommands.waiting[PrintCommands.count++] = wParam;
        return;
    }
    PrintCommands.running = true;
    run();
    PrintCommands.running = false;
    const int count = PrintCommands.count;
    PrintCommands.count = 0;
    for (int i = 0; i < count; ++i)
        PostMessageW(window, WM_COMMAND, PrintCommands.waiting[i], 0);
}

}  // namespace

u16 GetMnemonic(const wchar_t* text)
{
    if (!text)
        return 0;
    const wchar_t* amp = std::wcschr(text, L'&');
    if (!amp || !amp[1])
        return 0;
    wchar_t letter[2] = {amp[1], 0};
    CharUpperBuffW(letter, 1);
    return static_cast<u16>(letter[0]);
}

int BuildMenus(HWND, HINSTANCE)
{
    PrintingMenuItemsPresent = 1;
    if (!StartupOptions.noMenus)
        BuildMenuBar(StartupOptions.menuBar != 0);
    return 1;
}

void BuildMenuBar(bool attach)
{
    const bool rebuilt = Menus.bar != nullptr;
    HMENU oldBar = Menus.bar;
    DestroyPopups();
    Menus.bar = CreateMenu();
    const MenuConditions c = Conditions();
    const u32 mask = StartupOptions.menuMask;
    if (!(mask & kMaskFileMenu)) {
        Menus.file = FilledPopup(FillFileMenu, c);
        if (attach)
            AppendPopup(Menus.bar, Menus.file, kStrFileMenu, !Offered(kOfferFileMenu), &MenuMnemonics[0]);
    }
    if (!(mask & kMaskEditMenu)) {
        Menus.edit = FilledPopup(FillEditMenu, c);
        if (attach)
            AppendPopup(Menus.bar, Menus.edit, kStrEditMenu, !Offered(kOfferEditMenu) || c.familyWindowHasKeys,
                        &MenuMnemonics[1]);
    }
    if (!(mask & kMaskSettingsMenu)) {
        Menus.settings = FilledPopup(FillSettingsMenu, c);
        if (attach)
            AppendPopup(Menus.bar, Menus.settings, kStrSettingsMenu, !Offered(kOfferSettingsMenu),
                        &MenuMnemonics[2]);
    }
    if (rebuilt && MainWindowHandle) {
        SetMenu(MainWindowHandle, attach ? Menus.bar : nullptr);
        DrawMenuBar(MainWindowHandle);
    }
    if (oldBar)
        DestroyMenu(oldBar);
}

void DestroyMenus()
{
    DestroyPopups();
    if (Menus.bar) {
        if (MainWindowHandle && GetMenu(MainWindowHandle) == Menus.bar)
            SetMenu(MainWindowHandle, nullptr);
        DestroyMenu(Menus.bar);
    }
    Menus = MenuHandleSet{};
}

void UpdateConnectionMenu()
{
    if (!OnUiThreadOrPosted(kUiUpdateConnectionMenu))
        return;
    const MenuConditions c = Conditions();
    const bool open = c.networkOpen || c.serialOpen;
    SetGreyed(Menus.file, kCmdNewConnection, !(Offered(kOfferNewConnection) && !open));
    SetGreyed(Menus.file, kCmdCloseSession, !(Offered(kOfferCloseSession) && open));
    SetGreyed(Menus.file, kCmdFactoryDefault, !(Offered(kOfferFactory) && !c.networkOpen));
}

void UpdatePrintMenuItems()
{
    if (!PrintingMenuItemsPresent || !Menus.file)
        return;
    const PrintItemStates s = PrintStates(Conditions());
    SetGreyed(Menus.file, kCmdPrinterSetup, s.setupGreyed);
    SetGreyed(Menus.file, kCmdPrintScreenBitmap, s.screenGreyed);
    SetGreyed(Menus.file, kCmdPrintBuffer, s.bufferGreyed);
    SetGreyed(Menus.file, kCmdAutoPrint, s.autoGreyed);
    SetChecked(Menus.file, kCmdAutoPrint, s.autoChecked);
    SetGreyed(Menus.file, kCmdCancelPrint, s.cancelGreyed);
    SetGreyed(Menus.file, kCmdEjectPage, s.ejectGreyed);
}

void UpdateCaptureMenuText()
{
    if (StartupOptions.debugTrace && Offered(kOfferCapture))
        SetText(Menus.file, kCmdCapture, CaptureFileOpen() ? kCmdCancelCapture : kCmdCapture);
}

void UpdateReplayMenuText()
{
    if (StartupOptions.debugTrace && Offered(kOfferReplay))
        SetText(Menus.file, kCmdReplay, ReplayFileOpen() ? kCmdCancelReplay : kCmdReplay);
}

void UpdateEditMenu()
{
    const MenuConditions c = Conditions();
    bool available = false;
    if (Offered(kOfferPaste) && OpenClipboard(MainWindowHandle)) {
        available = c.graphicsMode
                        ? IsClipboardFormatAvailable(CF_BITMAP)
                        : IsClipboardFormatAvailable(CF_UNICODETEXT) || IsClipboardFormatAvailable(CF_OEMTEXT);
        CloseClipboard();
    }
    PasteGreyed = available ? 0 : 1;
    SetGreyed(Menus.edit, kCmdPaste, PasteGreyed != 0);
    SetGreyed(Menus.edit, kCmdCopy, !c.selection);
    for (UINT id : {kCmdCopySwap, kCmdCopyMono, kCmdCopyMonoSwap})
        SetGreyed(Menus.edit, id, !(c.selection && c.graphicsMode));
    SetGreyed(Menus.edit, kCmdSelectAll, !(Offered(kOfferSelectAll) && !c.selection));
    SetChecked(Menus.edit, kCmdClipboardText, !c.graphicsMode);
    SetChecked(Menus.edit, kCmdClipboardGraphics, c.graphicsMode);
}

void UpdateSettingsMenu()
{
    HMENU menu = Menus.settings;
    if (!menu)
        return;
    const MenuConditions c = Conditions();
    SetGreyed(menu, kCmdEmulation, !Offered(kOfferEmulation));
    for (const EmulationItem& item : kEmulationItems)
        SetGreyed(menu, item.id, !(Offered(item.offer) && item.applies(c.emulation)));
    SetGreyed(menu, kCmdSerial, !Offered(kOfferSerial));
    SetGreyed(menu, kCmdAuxPort, AuxPortGreyed(c));
    for (const auto& item : kHostPrinterItems)
        if (Offered(item.offer))
            SetGreyed(menu, item.id, c.familyWindowHasKeys);
    if (Offered(kOfferSoftButtons))
        SetGreyed(menu, kCmdSoftButtons, SoftButtonsGreyed(c));
    SetGreyed(menu, kCmdLocalEditing, LocalEditGreyed(kOfferLocalEditing, c));
    SetGreyed(menu, kCmdBlockTransmission, LocalEditGreyed(kOfferBlockTransmission, c));
    SetGreyed(menu, kCmdButtonTools, !Offered(kOfferButtonTools));
}

void OpenSettingsDialog(HWND window, UINT id)
{
    if (id < kCmdSetupFirst || id > kCmdSetupLast)
        return;
    if (FamilyWindowTakesKeys()) {
        const bool passes = (id >= 1000 && id <= 1008) || id == kCmdSave || id == kCmdEmulation ||
                            id == kCmdSerial || id == kCmdNewConnection || id == kCmdOpenSession ||
                            id == kCmdSaveAs || id == RunningEmulationItem();
        if (!passes)
            return;
    }
    const int slot = static_cast<int>(id - kCmdSetupFirst);
    const u16 templateId = SetupTemplateOf(slot);
    if (!templateId)
        return;  // a slot without a page opens nothing
    SetupDialogOutcome outcome{};
    SetModalFlag(1);
    const INT_PTR result = RunSetupPage(window, slot, false, kSerialOwnerConnection, &outcome);
    if (result == -1)
        MessageBoxFormatIdNumber(kStrUnableToCreateMenu, templateId);
    if (outcome.settingsChanged) {
        // The host-data thread stays away from the settings while they change.
        HoldHostDataThread(HostGate::Profile, 2000);
        ApplySetupCopy();
        // The model chosen may have pages, or none: the store is rearranged while the
        // host-data thread is still held (a modal dialog alone lets it finish a sequence).
        ApplyPageModeSetting();
        ReleaseHostDataThread(HostGate::Profile);
        SetPreventNumLockToggle(NumLockProtectionSetting());
        if (SetupConnectPending)
            ConnectFromSetup();
    }
    SetModalFlag(0);
    UpdateWindowTitle(window);
    UpdateSettingsMenu();
    UpdateConnectionMenu();
    if (outcome.reloadRequested || SetupReloadRequested) {
        SetupReloadRequested = false;
        PostMessageW(window, WM_COMMAND, kCmdReloadProfile, 0);
    }
}

LRESULT MainCommand(HWND window, WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    HideCursorForUpdate();
    if (id >= kCmdSetupFirst && id <= kCmdSetupLast) {
        OpenSettingsDialog(window, id);
        return 0;
    }
    if (id >= kCmdLanguageFirst && id <= kCmdLanguageLast) {
        SelectLanguage(static_cast<int>(id - kCmdLanguageFirst));
        return 0;
    }
    switch (id) {
    case kCmdAbout: ShowAboutBox(window); break;
    case kCmdFactoryDefault: FactoryDefault(window, true); break;
    case kCmdResetTerminal: ResetTerminal(); break;
    case kCmdCapture: CaptureCommand(window); break;
    case kCmdReplay: ReplayCommand(window); break;
    case kCmdExit: PostMessageW(window, WM_CLOSE, 0, 0); break;
    case kCmdSave: SaveCurrentSession(); break;
    case kCmdSelectAll: SelectAll(); break;
    case kCmdClearBuffer:
        ClearEmulationScreen();
        UpdateEditMenu();
        break;
    case kCmdPrintStep: RunPrintCommand(window, wParam, [wParam] { PrintScreenStep(HIWORD(wParam)); }); break;
    case kCmdPrintBuffer: RunPrintCommand(window, wParam, PrintBuffer); break;
    case kCmdPrintScreen: RunPrintCommand(window, wParam, PrintScreen); break;
    case kCmdRepaint:
        if (StartingUp || ProfileLoadInProgress || Iconic || GetFocus() != window)
            break;
        FillWindowBackground();
        if (HIWORD(wParam) == 0xFFF9 || HIWORD(wParam) == 0xFFFF)
            InvalidateTerminal();
        break;
    case kCmdClipboardText:
    case kCmdClipboardGraphics: SetClipboardMode(id == kCmdClipboardGraphics ? 1 : 0); break;
    case kCmdHostClosed: ShowHostClosedDialog(window); break;
    case kCmdCopy:
    case kCmdCopySwap:
    case kCmdCopyMono:
    case kCmdCopyMonoSwap:
        if (id != kCmdCopy && ClipboardMode != 1)
            break;  // the bitmap copies exist in graphics mode only
        CopySwapBlackWhite = (id == kCmdCopySwap || id == kCmdCopyMonoSwap) ? 1 : 0;
        CopyMonochrome = (id == kCmdCopyMono || id == kCmdCopyMonoSwap) ? 1 : 0;
        if (ClipboardMode == 1) {
            CopyScreenBitmap(window, CopySwapBlackWhite != 0, CopyMonochrome != 0);
        } else {
            CopySelectionText(window);
            ClearSelectionMarks();
        }
        break;
    case kCmdReloadProfile: {
        HCURSOR previous = SetCursor(WaitCursor);
        EndGraphicsSelection();
        ReloadProfile();
        SetCursor(previous);
        break;
    }
    case kCmdCloseSession: DisconnectSession(); break;
    case kCmdConnect: StartConnection(window, HIWORD(wParam)); break;
    case kCmdPaste: PasteClipboard(); break;
    case kCmdAuxPort: OpenAuxPortDialog(window); break;
    case kCmdPrintScreenBitmap:
        if (!ModalOpen && !FamilyWindowTakesKeys())
            RunPrintCommand(window, wParam, [wParam] { PrintScreenCommand(wParam != kCmdPrintScreenAsSet); });
        break;
    case kCmdCancelPrint: CancelPrintCommand(); break;
    case kCmdAutoPrint: AutoPrintCommand(); break;
    case kCmdEjectPage: EjectPageCommand(); break;
    case kCmdButtonTools:
        if (!ModalOpen && Offered(kOfferButtonTools))
            OpenButtonBarDialog(window);
        break;
    case kCmdPrinterSetup:
        if (!ModalOpen)
            OpenPrinterSetupDialog();
        break;
    case kCmdNothing: break;
    default: return DefWindowProcW(window, WM_COMMAND, wParam, lParam);
    }
    return 0;
}

void SelectLanguage(int index)
{
    if (index < 0 || index >= kLanguageModuleCount || index == CurrentLanguageIndex ||
        !LanguageModuleTable[index].found)
        return;
    CurrentLanguageIndex = index;
    if (!StartupOptions.noMenus)
        BuildMenuBar(StartupOptions.menuBar != 0);
    StatusBarRefresh();
    RebuildSoftButtonBar();
    UpdateButtonBarCaption();
}

void FormatAboutMenuText(wchar_t* buffer, int capacity)
{
    if (!buffer || capacity < 1)
        return;
    wchar_t format[kMenuTextUnits], description[kMenuTextUnits];
    LoadLanguageString(InstanceHandle, kCmdAbout, format, kMenuTextUnits);
    if (LoadProgramString(kStrTerminalEmulation, description, kMenuTextUnits) <= 0)
        std::wcscpy(description, L"vexaNT");
    _snwprintf(buffer, capacity - 1, format, description);
    buffer[capacity - 1] = 0;
}

void FactoryDefault(HWND window, bool confirm)
{
    if (confirm) {
        wchar_t text[256];
        LoadLanguageString(InstanceHandle, kStrConfirmFactoryDefault, text, 256);
        SetModalFlag(1);
        const int answer = MessageBoxW(window, text, text, MB_OKCANCEL | MB_ICONQUESTION);
        SetModalFlag(0);
        if (answer != IDOK)
            return;
    }
    DisconnectSession();
    HCURSOR previous = SetCursor(WaitCursor);
    StopActiveEmulation();
    // The live session returns to factory values (colours, window sizes, connection,
    // key definitions) as a full reload would start it.
    const u32 loading = ProfileLoadInProgress.exchange(1);
    ResetSessionDefaults();
    ProfileLoadInProgress = loading;
    // The factory emulation starts afresh: the store is blanked and the VT family entered.
    RequestEmulation(kNoEmulation, kDefaultEmulationId);
    SelectEmulation(kNoEmulation, kDefaultEmulationId);
    ApplyColourPalette();
    if (StartupOptions.toolbarShown) {
        SetToolbarType(1);
        ResetToolbarDefaults();
    }
    SetCursor(previous);
    RefitScreenFont();
    if (window)
        InvalidateRect(window, nullptr, TRUE);
    InvalidateTerminal();
    SetPreventNumLockToggle(NumLockProtectionSetting());
}

void ResetTerminal()
{
    // The host-data thread must not write the store while it is reset under it.
    HoldHostDataThread(HostGate::Switch, 2000);
    HCURSOR previous = SetCursor(WaitCursor);
    if (auto reset = ActiveFamily().reset)
        reset();
    ReleaseHostDataThread(HostGate::Switch);
    SetPreventNumLockToggle(NumLockProtectionSetting());
    SetCursor(previous);
    InvalidateTerminal();
}

// The DEC VT and ANSI families print from the shared screen store.
void PrintScreen()
{
    PrintThroughFamily(&FamilyHooks::printScreen);
}

void PrintBuffer()
{
    PrintThroughFamily(&FamilyHooks::printBuffer);
}

void PrintScreenStep(u32 value)
{
    if (auto step = ActiveFamily().printStep)
        step(value);
}

int GetMenuAreaHeight()
{
    int height = StartupOptions.menuBar && !StartupOptions.noMenus ? Metrics.menuHeight : 0;
    if (StartupOptions.caption && !StartupOptions.fullScreen)
        height += Metrics.captionHeight;
    if (StartupOptions.sizableFrame && !StartupOptions.fullScreen)
        height += 2 * GetSystemMetrics(SM_CYFRAME);
    return height;
}

void ConnectionRetryTimer(HWND window)
{
    u32 waiting = 1;
    ConnectionStartState.compare_exchange_strong(waiting, 2);
    KillTimer(window, kCmdConnect);
}

// Command 1089: a TCP/IP target given at start connects after timer 1089; a profile
// whose transport is telnet connects at once; the host-data thread makes the connection.
void StartConnection(HWND window, u32 startMode)
{
    ApplyStartupConnectionOptions();
    LoadTelnetSettings();
    if (startMode == 0) {
        if (ConnectionStartState == 1) {
            SetTimer(window, kCmdConnect, 750, nullptr);
            PendingFollowUpCommand = kCmdOpenSession;
        } else if (Connection.netname[0] && Connection.netproto == 0 && !Connection.noConnection) {
            ConnectionStartState = 2;
        } else {
            RequestSerialConnection();
        }
        UpdateConnectionMenu();
    } else {
        ConnectionStartState = 0;
        if (startMode == 1)
            PostMessageW(window, WM_COMMAND, kCmdNewConnection, 0);
        else if (startMode == 2)
            PostMessageW(window, WM_COMMAND, kCmdOpenSession, 0);
    }
    StartHostDataThread();
    StartLoginScript();
}

void PostExitCommand()
{
    PostMainCommand(kCmdExit);
}
