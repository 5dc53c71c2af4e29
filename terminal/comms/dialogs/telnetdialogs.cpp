#include <initializer_list>

#include "terminal/comms/dialogs/telnetdialogs.h"

#include "terminal/core/base/handles.h"
#include "terminal/settings/store/connsettings.h"
#include "terminal/comms/telnet/netsession.h"
#include "terminal/comms/telnet/telnetoptions.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/window/dialogs/dialogbase.h"
#include "terminal/core/base/language.h"
#include "terminal/comms/telnet/recordsession.h"
#include "terminal/settings/setup/connectionpage.h"
#include "terminal/settings/setup/setupcopy.h"

namespace {

constexpr u8 k3287Printer = 12;  // IBM-3287-1 among the 3270 models
constexpr u8 k3812Printer = 11;  // 3812-1 among the 5250 models

bool In3270Session()
{
    return FamilyOf(EmulationId) == EmulationFamily::Ibm3270;
}

bool In5250Session()
{
    return FamilyOf(EmulationId) == EmulationFamily::Ibm5250;
}

void SetCheck(HWND dialog, int control, bool on)
{
    CheckDlgButton(dialog, control, on ? BST_CHECKED : BST_UNCHECKED);
}

bool Checked(HWND dialog, int control)
{
    return IsDlgButtonChecked(dialog, control) == BST_CHECKED;
}

void EndWith(HWND dialog, INT_PTR result)
{
    EndDialog(dialog, result);
}

// ---- Telnet options (2151) ----

// clang-format off
enum : u16 {
    kPort = 1281, kLocalPort = 1283, kName = 1286, kKeepAlives = 2998, kTimeout = 3005, kEcho = 2972,
    kRegime = 2973, kTn3270e = 2974, kTn5250e = 2983, k3270Options = 1322, k5250Options = 1323,
    kBinary = 2976, kEor = 2978, kBreakTm = 2981, kBreakCr = 2982, kLocation = 3000,
};
// clang-format on
constexpr u16 kTelnetLabels[] = {1280, 1282, 1285, 30262, 2998, 2971, 2972, 2973, 2974,
                                 2983, 2975, 2977, 2979,  2980, 2981, 2982, 2999};
constexpr int kLocationUnits = 41;

// The check boxes and the setting each shows; `inverted` ticks when the setting is off.
struct TelnetCheck {
    u16 control;
    u32 TelnetSettings::*field;
    bool inverted;
};
constexpr TelnetCheck kTelnetChecks[] = {
    {kKeepAlives, &TelnetSettings::keepAlives, false},  {kEcho, &TelnetSettings::echoSuppress, false},
    {kRegime, &TelnetSettings::regimeSuppress, false},  {kTn3270e, &TelnetSettings::tn3270e, true},
    {kTn5250e, &TelnetSettings::newEnvSuppress, false}, {kBreakTm, &TelnetSettings::sendBreakTM, false},
    {kBreakCr, &TelnetSettings::sendBreakCR, false},
};

// "no" (-1), "DONT" (0), "DO" (1): what is forced at connect.
void FillForcing(HWND dialog, int control, i32 value)
{
    HWND combo = GetDlgItem(dialog, control);
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    const struct {
        u16 string;
        i32 value;
    } items[] = {{2993, -1}, {2994, 0}, {2995, 1}};
    for (const auto& item : items)
        AddComboString(combo, item.string, item.value);
    SelectComboByData(dialog, control, value);
}

void Enable3270Button(HWND dialog)
{
    EnableControl(dialog, k3270Options, In3270Session() && !Checked(dialog, kTn3270e));
}

void InitTelnetOptions(HWND dialog)
{
    SetCaptionFromString(dialog, 2969);
    SetLabelsById(dialog, kTelnetLabels, static_cast<int>(sizeof kTelnetLabels / sizeof kTelnetLabels[0]));
    SetTextFromString(dialog, IDOK, 1);
    SetTextFromString(dialog, IDCANCEL, 2);
    SetTextFromString(dialog, k3270Options, 3001);
    SetTextFromString(dialog, k5250Options, 3002);
    const TelnetSettings& t = TelnetConfig;
    SetDlgItemInt(dialog, kPort, Connection.telnetPort, FALSE);
    SetDlgItemInt(dialog, kLocalPort, Connection.localPort, FALSE);
    SendDlgItemMessageW(dialog, kName, EM_LIMITTEXT, kSetupLongTextUnits - 1, 0);
    // The name edits the Setup page's working terminal type; empty shows the default.
    wchar16 name[kSetupLongTextUnits];
    if (SetupCopy.terminalType[0])
        CopyText(name, kSetupLongTextUnits, SetupCopy.terminalType);
    else
        DefaultTerminalTypeName(name, kSetupLongTextUnits);
    SetDlgItemTextW(dialog, kName, name);
    SetDlgItemInt(dialog, kTimeout, SetupCopy.timeOut, FALSE);
    SendDlgItemMessageW(dialog, kLocation, EM_LIMITTEXT, kLocationUnits - 1, 0);
    SetDlgItemTextW(dialog, kLocation, t.sendLocn);
    for (const TelnetCheck& c : kTelnetChecks)
        SetCheck(dialog, c.control, (t.*c.field != 0) != c.inverted);
    FillForcing(dialog, kBinary, t.binary);
    FillForcing(dialog, kEor, t.eor);
    EnableControl(dialog, kRegime, In3270Session());
    EnableControl(dialog, kTn3270e, In3270Session());
    EnableControl(dialog, kTn5250e, In5250Session());
    EnableControl(dialog, k5250Options, In5250Session());
    Enable3270Button(dialog);
}

void StoreTelnetOptions(HWND dialog)
{
    TelnetSettings& t = TelnetConfig;
    Connection.telnetPort = ControlNumber(dialog, kPort, Connection.telnetPort);
    Connection.localPort = ControlNumber(dialog, kLocalPort, Connection.localPort);
    SetupCopy.timeOut = ControlNumber(dialog, kTimeout, SetupCopy.timeOut);
    wchar16 name[kSetupLongTextUnits], fallback[kSetupLongTextUnits];
    ControlText(dialog, kName, name, kSetupLongTextUnits);
    DefaultTerminalTypeName(fallback, kSetupLongTextUnits);
    // The default name is kept as none, so that it follows the emulation.
    if (lstrcmpW(name, fallback) == 0)
        name[0] = 0;
    CopyText(SetupCopy.terminalType, kSetupLongTextUnits, name);
    ControlText(dialog, kLocation, t.sendLocn, kLocationUnits);
    for (const TelnetCheck& c : kTelnetChecks)
        t.*c.field = Checked(dialog, c.control) != c.inverted ? 1 : 0;
    t.binary = static_cast<i32>(ComboSelectionData(dialog, kBinary, t.binary));
    t.eor = static_cast<i32>(ComboSelectionData(dialog, kEor, t.eor));
    SaveTelnetSettings(true);
}

// ---- TN3270 options (2152) ----

// clang-format off
enum : u16 {
    kLuGroup = 2984, kConnectLabel = 1287, kLuName = 1288, kAssociateLabel = 2985, kAssociate = 2986,
    kBind = 2988, kResponses = 2989, kSysReq = 2990, kPrtLu1 = 2991, kPrtLu3 = 2992, kPrintDelay = 2996,
    kPrintDelayLabel = 2997,
};
// clang-format on
constexpr u16 kTn3270Labels[] = {kLuGroup,   kConnectLabel, kAssociateLabel, 2987,    kBind,
                                 kResponses, kSysReq,       kPrtLu1,         kPrtLu3, kPrintDelayLabel};
constexpr TelnetCheck kTn3270Checks[] = {
    {kBind, &TelnetSettings::bind, false},     {kResponses, &TelnetSettings::responses, false},
    {kSysReq, &TelnetSettings::sysReq, false}, {kPrtLu1, &TelnetSettings::prtLu1, false},
    {kPrtLu3, &TelnetSettings::prtLu3, false},
};
constexpr int kLuUnits = 67;

void InitTn3270Options(HWND dialog)
{
    SetCaptionFromString(dialog, 3003);
    SetLabelsById(dialog, kTn3270Labels, static_cast<int>(sizeof kTn3270Labels / sizeof kTn3270Labels[0]));
    SetTextFromString(dialog, IDOK, 1);
    SetTextFromString(dialog, IDCANCEL, 2);
    const TelnetSettings& t = TelnetConfig;
    SendDlgItemMessageW(dialog, kLuName, EM_LIMITTEXT, kLuUnits - 1, 0);
    SendDlgItemMessageW(dialog, kAssociate, EM_LIMITTEXT, kLuUnits - 1, 0);
    SetDlgItemTextW(dialog, kLuName, t.luid);
    SetDlgItemTextW(dialog, kAssociate, t.associate);
    for (const TelnetCheck& c : kTn3270Checks)
        SetCheck(dialog, c.control, t.*c.field != 0);
    SetDlgItemInt(dialog, kPrintDelay, t.printDelay3270, FALSE);
    const bool session = In3270Session();
    for (u16 id : {kLuGroup, kConnectLabel, kLuName, kBind, kResponses, kSysReq})
        EnableControl(dialog, id, session);
    // Only a 3287 printer session associates with a display and prints LU1 or LU3.
    const bool printer = session && Configured3270Model == k3287Printer;
    for (u16 id : {kAssociateLabel, kAssociate, kPrtLu1, kPrtLu3, kPrintDelay, kPrintDelayLabel})
        EnableControl(dialog, id, printer);
}

void StoreTn3270Options(HWND dialog)
{
    TelnetSettings& t = TelnetConfig;
    ControlText(dialog, kLuName, t.luid, kLuUnits);
    ControlText(dialog, kAssociate, t.associate, kLuUnits);
    for (const TelnetCheck& c : kTn3270Checks)
        t.*c.field = Checked(dialog, c.control) ? 1 : 0;
    t.printDelay3270 = ControlNumber(dialog, kPrintDelay, t.printDelay3270);
    SaveTelnetTn3270eValues();
}

// ---- TN5250 options (2153, 2156) ----

// A text variable of a NEW-ENVIRON subkey shown in an edit.
struct EnvironText {
    u16 control, label;
    const wchar16* subkey;
    const wchar16* name;
    u16 units;
};
constexpr EnvironText kTn5250Texts[] = {
    {3013, 3012, VXT("5250,USERVAR"), VXT("DEVNAME"), 155},
    {3015, 3014, VXT("5250,VAR"), VXT("USER"), 11},
    {3017, 3016, VXT("5250,USERVAR"), VXT("IBMSUBSPW"), 11},
    {3019, 3018, VXT("5250,USERVAR"), VXT("IBMCURLIB"), 11},
    {3021, 3020, VXT("5250,USERVAR"), VXT("IBMIMENU"), 11},
    {3023, 3022, VXT("5250,USERVAR"), VXT("IBMPROGRAM"), 11},
};

constexpr const wchar16* kPrinterVars = VXT("5250PRT,USERVAR");
constexpr EnvironText kPrinterTexts[] = {
    {3303, 3302, kPrinterVars, VXT("DEVNAME"), 156},     {3307, 3306, kPrinterVars, VXT("IBMMSGQNAME"), 11},
    {3309, 3308, kPrinterVars, VXT("IBMMSGQLIB"), 11},   {3311, 3310, kPrinterVars, VXT("IBMFONT"), 11},
    {3317, 3316, kPrinterVars, VXT("IBMMFRTYPMDL"), 18}, {3327, 3326, kPrinterVars, VXT("IBMWSCSTNAME"), 11},
    {3329, 3328, kPrinterVars, VXT("IBMWSCSTLIB"), 11},
};

constexpr ChoiceLabel kIgcChoices[] = {{3350}, {3361}, {3362}, {3363}, {3364}};
constexpr ChoiceLabel kFormFeedChoices[] = {{3350}, {3371}, {3372}, {3373}};
constexpr ChoiceLabel kYesNoChoices[] = {{3350}, {3351}, {3352}};
constexpr ChoiceLabel kPaperChoices[] = {{3350}, {3381}, {3382}, {3383}, {3384}, {3385}, {3386},
                                         {3387}, {3388}, {3389}, {3390}, {3396}, {3397}, {3398}};
constexpr ChoiceLabel kEnvelopeChoices[] = {{3350}, {3381}, {3382}, {3388}, {3391},
                                            {3392}, {3393}, {3394}, {3395}};

// A choice variable: stored as its index in decimal; `fixed` >= 0 is the index it always
// has (those controls only show it).
struct EnvironChoice {
    u16 control, label;
    const wchar16* name;
    const ChoiceLabel* choices;
    int count;
    int fixed;
};
template <int N>
constexpr EnvironChoice Choice(u16 control, u16 label, const wchar16* name, const ChoiceLabel (&choices)[N],
                               int fixed = -1)
{
    return {control, label, name, choices, N, fixed};
}
constexpr EnvironChoice kPrinterChoices[] = {
    Choice(3305, 3304, VXT("IBMIGCFEAT"), kIgcChoices, 0),
    Choice(3313, 3312, VXT("IBMFORMFEED"), kFormFeedChoices, 0),
    Choice(3315, 3314, VXT("IBMTRANSFORM"), kYesNoChoices, 2),
    Choice(3319, 3318, VXT("IBMPPRSRC1"), kPaperChoices),
    Choice(3321, 3320, VXT("IBMPPRSRC2"), kPaperChoices),
    Choice(3323, 3322, VXT("IBMENVELOPE"), kEnvelopeChoices),
    Choice(3325, 3324, VXT("IBMASCII899"), kYesNoChoices),
};

template <int N>
void ShowTexts(HWND dialog, const EnvironText (&texts)[N])
{
    for (const EnvironText& t : texts) {
        SetTextFromString(dialog, t.label, t.label);
        wchar16 value[160];
        ReadTelnetEnvironText(t.subkey, t.name, value, t.units + 1 < 160 ? t.units + 1 : 160);
        SendDlgItemMessageW(dialog, t.control, EM_LIMITTEXT, t.units, 0);
        SetDlgItemTextW(dialog, t.control, value);
    }
}

template <int N>
void StoreTexts(HWND dialog, const EnvironText (&texts)[N])
{
    for (const EnvironText& t : texts) {
        wchar16 value[160];
        ControlText(dialog, t.control, value, t.units + 1 < 160 ? t.units + 1 : 160);
        WriteTelnetEnvironText(t.subkey, t.name, value);
    }
}

int StoredChoice(const EnvironChoice& c)
{
    if (c.fixed >= 0)
        return c.fixed;
    wchar16 text[16];
    if (!ReadTelnetEnvironText(kPrinterVars, c.name, text, 16))
        return 0;
    int index = 0;
    for (const wchar16* p = text; *p >= '0' && *p <= '9' && index < 1000; ++p)
        index = index * 10 + (*p - '0');
    return index < c.count ? index : 0;
}

void InitTn5250Options(HWND dialog)
{
    SetCaptionFromString(dialog, 3004);
    SetTextFromString(dialog, 3011, 3011);
    SetTextFromString(dialog, IDOK, 1);
    SetTextFromString(dialog, IDCANCEL, 2);
    ShowTexts(dialog, kTn5250Texts);
}

void InitTn5250PrinterOptions(HWND dialog)
{
    SetCaptionFromString(dialog, 3005);
    SetTextFromString(dialog, 3301, 3301);
    SetTextFromString(dialog, IDOK, 1);
    SetTextFromString(dialog, IDCANCEL, 2);
    ShowTexts(dialog, kPrinterTexts);
    for (const EnvironChoice& c : kPrinterChoices) {
        SetTextFromString(dialog, c.label, c.label);
        FillChoiceCombo(dialog, c.control, c.choices, c.count, StoredChoice(c));
        // The fixed ones are what the printer session always reports.
        EnableControl(dialog, c.control, c.fixed < 0);
    }
}

void StoreTn5250PrinterOptions(HWND dialog)
{
    StoreTexts(dialog, kPrinterTexts);
    for (const EnvironChoice& c : kPrinterChoices) {
        const int index = c.fixed >= 0 ? c.fixed : ComboSelection(dialog, c.control);
        wchar16 text[16] = {};
        if (index > 0 && index < c.count)
            _snwprintf(text, 15, L"%d", index);
        WriteTelnetEnvironText(kPrinterVars, c.name, text);
    }
}

// The shared frame of the four procedures: init, OK stores, Cancel ends with 0.
INT_PTR RunProc(HWND dialog, UINT message, WPARAM wParam, void (*init)(HWND), void (*store)(HWND),
                bool (*command)(HWND, WPARAM))
{
    switch (message) {
    case WM_INITDIALOG: init(dialog); return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            store(dialog);
            EndWith(dialog, 1);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndWith(dialog, 0);
            return TRUE;
        }
        return command && command(dialog, wParam) ? TRUE : FALSE;
    }
    return FALSE;
}

bool TelnetOptionsCommand(HWND dialog, WPARAM wParam)
{
    // clang-format off
    switch (LOWORD(wParam)) {
    case kTn3270e:
        Enable3270Button(dialog);
        return true;
    case k3270Options:
        RunModalDialog(dialog, kDlgTn3270Options, Tn3270OptionsDialogProc);
        return true;
    case k5250Options:
        if (Configured5250Model == k3812Printer)
            RunModalDialog(dialog, kDlgTn5250PrinterOptions, Tn5250PrinterOptionsDialogProc);
        else
            RunModalDialog(dialog, kDlgTn5250Options, Tn5250OptionsDialogProc);
        return true;
    }
    // clang-format on
    return false;
}

void StoreTn5250Options(HWND dialog)
{
    StoreTexts(dialog, kTn5250Texts);
}

}  // namespace

void FillChoiceCombo(HWND dialog, int control, const ChoiceLabel* choices, int count, int selected)
{
    HWND combo = GetDlgItem(dialog, control);
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < count; ++i) {
        wchar16 text[64] = {};
        LoadLanguageString(InstanceHandle, choices[i].stringId, text, 64);
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

INT_PTR CALLBACK TelnetOptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    return RunProc(dialog, message, wParam, InitTelnetOptions, StoreTelnetOptions, TelnetOptionsCommand);
}

INT_PTR CALLBACK Tn3270OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    return RunProc(dialog, message, wParam, InitTn3270Options, StoreTn3270Options, nullptr);
}

INT_PTR CALLBACK Tn5250OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    return RunProc(dialog, message, wParam, InitTn5250Options, StoreTn5250Options, nullptr);
}

INT_PTR CALLBACK Tn5250PrinterOptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    return RunProc(dialog, message, wParam, InitTn5250PrinterOptions, StoreTn5250PrinterOptions, nullptr);
}
