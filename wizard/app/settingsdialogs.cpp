#include "wizard/app/settingsdialogs.h"

#include "wizard/app/ibmdialogs.h"
#include "wizard/app/resource.h"
#include "wizard/app/wizardapp.h"
#include "wizard/app/wizardlanguage.h"
#include "wizard/engine/pagedata.h"

namespace {

// The check boxes of dialog 130 and their values (the TN3270E box shows the value
// inverted: checked means suppressed).
struct TelnetCheck {
    int control;
    WizardValueId setting;
    bool inverted;
};
constexpr TelnetCheck kTelnetChecks[] = {
    {IDC_KEEPALIVES, kValueKeepAlives, false},
    {IDC_SUPPRESS_ECHO, kValueEchoSuppress, false},
    {IDC_SUPPRESS_REGIME, kValueRegimeSuppress, false},
    {IDC_SUPPRESS_TN3270E, kValueTn3270e, true},
    {IDC_SUPPRESS_TN5250E, kValueNewEnvSuppress, false},
    {IDC_BREAK_TM, kValueBreakTm, false},
    {IDC_BREAK_CR, kValueBreakCr, false},
};
// The numbers typed into edits.
struct TelnetNumber {
    int control;
    WizardValueId setting;
    int limit;  // characters, 0 for none
};
constexpr TelnetNumber kTelnetNumbers[] = {
    {IDC_HOST_PORT, kValueTelnetPort, 0},
    {IDC_LOCAL_PORT, kValueLocalPort, 0},
    {IDC_TIMEOUT, kValueTimeOut, 3},
};
constexpr int kNegotiation[2] = {IDC_FORCE_BINARY, IDC_FORCE_EOR};
constexpr WizardValueId kNegotiationValues[2] = {kValueTelnetBinary, kValueTelnetEor};
// "no", "DONT", "DO" for -1, 0, 1.
constexpr UINT kNegotiationTexts[3] = {2993, 2994, 2995};
// Texts the terminal keeps 40 units of, terminator included.
constexpr int kTelnetTextChars = 39;

}  // namespace

TelnetDialog::TelnetDialog() : WizardDialog(IDD_TELNET) {}

BOOL TelnetDialog::OnInitDialog()
{
    copy_ = App().settings;
    WizardSettings& s = copy_;
    filling_ = true;
    SetWindowTextW(hwnd_, WizardLoadString(30280).c_str());
    for (const TelnetCheck& c : kTelnetChecks) {
        SetControlText(c.control);
        SetCheck(c.control, c.inverted ? s.number[c.setting] == 0 : s.number[c.setting] != 0);
    }
    for (int id : {IDC_OPTIONS_3270, IDC_OPTIONS_5250, IDC_SUPPRESS_GROUP})
        SetControlText(id);
    SetControlText(IDC_TIMEOUT_LABEL, 30262);
    for (const TelnetNumber& n : kTelnetNumbers) {
        if (n.limit)
            Limit(n.control, n.limit);
        SetText(n.control, DecimalText(s.number[n.setting]));
    }
    // The name shown is the stored one or, without one, the terminal's own for this
    // emulation and model; it is also the device type the IBM dialogs go by.
    const u32 emulation = s.number[kValueVdumode];
    const WText shown = s.text[kValueTelnetName].empty()
                            ? DefaultTelnetName(emulation, TelnetModelOf(emulation, s.number))
                            : s.text[kValueTelnetName];
    App().settings.deviceType = shown;
    Limit(IDC_TELNET_NAME, kTelnetTextChars);
    SetText(IDC_TELNET_NAME, shown);
    Limit(IDC_SEND_LOCATION, kTelnetTextChars);
    SetText(IDC_SEND_LOCATION, s.text[kValueSendLocn]);
    for (int k = 0; k < 2; ++k) {
        for (int v = -1; v <= 1; ++v)
            AddItem(kNegotiation[k], WizardLoadString(kNegotiationTexts[v + 1]), v);
        SelectData(kNegotiation[k], static_cast<i32>(s.number[kNegotiationValues[k]]));
    }
    EnableIbmControls();
    filling_ = false;
    return TRUE;
}

void TelnetDialog::EnableIbmControls()
{
    const u32 emulation = copy_.number[kValueVdumode];
    const bool ibm3270 = emulation == kEmulationIbm3270, ibm5250 = emulation == kEmulationIbm5250;
    Enable(IDC_SUPPRESS_REGIME, ibm3270);
    Enable(IDC_SUPPRESS_TN3270E, ibm3270);
    Enable(IDC_OPTIONS_3270, ibm3270 && copy_.number[kValueTn3270e] != 0);
    Enable(IDC_SUPPRESS_TN5250E, ibm5250);
    Enable(IDC_OPTIONS_5250, ibm5250 && copy_.number[kValueNewEnvSuppress] == 0);
}

void TelnetDialog::OnCommand(int id, int code)
{
    if (id == IDOK || id == IDCANCEL) {
        if (code != BN_CLICKED)
            return;
        if (id == IDOK) {
            WizardSettings& s = App().settings;
            const WText shownName = Text(IDC_TELNET_NAME);
            // The name field holds the default until the user types another: only a
            // name that differs from it is stored.
            const u32 emulation = copy_.number[kValueVdumode];
            const WText fallback = DefaultTelnetName(emulation, TelnetModelOf(emulation, copy_.number));
            copy_.text[kValueTelnetName] = copy_.text[kValueTelnetName].empty() && shownName == fallback
                                               ? WText()
                                               : shownName;
            copy_.text[kValueSendLocn] = Text(IDC_SEND_LOCATION);
            for (const TelnetNumber& n : kTelnetNumbers)
                copy_.number[n.setting] = Number(n.control);
            for (int k = 0; k < 2; ++k)
                copy_.number[kNegotiationValues[k]] = static_cast<u32>(
                    SelectedData(kNegotiation[k], static_cast<i32>(copy_.number[kNegotiationValues[k]])));
            for (const TelnetCheck& c : kTelnetChecks)
                s.number[c.setting] = copy_.number[c.setting];
            for (const TelnetNumber& n : kTelnetNumbers)
                s.number[n.setting] = copy_.number[n.setting];
            for (WizardValueId v : kNegotiationValues)
                s.number[v] = copy_.number[v];
            s.text[kValueTelnetName] = copy_.text[kValueTelnetName];
            s.text[kValueSendLocn] = copy_.text[kValueSendLocn];
        }
        End(id);
        return;
    }
    if (filling_ || code != BN_CLICKED)
        return;
    if (id == IDC_OPTIONS_3270) {
        Options3270Dialog dialog;
        dialog.DoModal(hwnd_);
        return;
    }
    if (id == IDC_OPTIONS_5250) {
        // The printer's options for the 3812 printer session, as its device type says.
        if (App().settings.deviceType == kPrinterDeviceType) {
            Printer5250Dialog dialog;
            dialog.DoModal(hwnd_);
        } else {
            Options5250Dialog dialog;
            dialog.DoModal(hwnd_);
        }
        return;
    }
    for (const TelnetCheck& c : kTelnetChecks) {
        if (c.control != id)
            continue;
        const bool on = Checked(id);
        copy_.number[c.setting] = c.inverted ? !on : on;
        EnableIbmControls();
    }
}

SerialDialog::SerialDialog(Line line) : WizardDialog(IDD_SERIAL), line_(line) {}

bool SerialDialog::SettingOf(WizardValueId connectionValue, WizardValueId& value) const
{
    if (line_ == Line::Connection) {
        value = connectionValue;
        return true;
    }
    // The five line values stand in the same order in CONNECTION, PRINTING and AUX.
    if (connectionValue < kValueComspeed || connectionValue > kValueComflowc)
        return false;
    const int first = line_ == Line::Printer ? kValuePrtSpeed : kValueAuxSpeed;
    value = static_cast<WizardValueId>(first + (connectionValue - kValueComspeed));
    return true;
}

BOOL SerialDialog::OnInitDialog()
{
    const WizardSettings& s = App().settings;
    for (const ChoiceList& list : kSerialChoices) {
        WizardValueId setting;
        const bool used = SettingOf(list.setting, setting);
        ShowWindow(GetDlgItem(hwnd_, list.control), used ? SW_SHOW : SW_HIDE);
        ShowWindow(GetDlgItem(hwnd_, list.control + kSerialLabelOffset), used ? SW_SHOW : SW_HIDE);
        if (!used)
            continue;
        for (int i = 0; i < list.count; ++i)
            AddItem(list.control, Widen(list.items[i]), i);
        SelectData(list.control, s.number[setting]);
    }
    SetControlText(IDC_LOCAL_ECHO);
    SetCheck(IDC_LOCAL_ECHO, s.number[kValueLecho] != 0);
    Show(IDC_LOCAL_ECHO, line_ == Line::Connection);
    return TRUE;
}

void SerialDialog::OnCommand(int id, int code)
{
    if ((id != IDOK && id != IDCANCEL) || code != BN_CLICKED)
        return;
    if (id == IDOK) {
        WizardSettings& s = App().settings;
        for (const ChoiceList& list : kSerialChoices) {
            WizardValueId setting;
            if (SettingOf(list.setting, setting))
                s.number[setting] = static_cast<u32>(SelectedData(list.control, s.number[setting]));
        }
        if (line_ == Line::Connection)
            s.number[kValueLecho] = Checked(IDC_LOCAL_ECHO) ? 1 : 0;
    }
    End(id);
}
