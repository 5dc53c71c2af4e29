#include "wizard/app/ibmdialogs.h"

#include <iterator>

#include "wizard/app/resource.h"
#include "wizard/app/wizardapp.h"
#include "wizard/app/wizardlanguage.h"
#include "wizard/engine/profilestore.h"

namespace {

struct FunctionBox {
    int control;
    WizardValueId setting;
    bool printerOnly;
};
constexpr FunctionBox kFunctions[] = {
    {30124, kValueTn3270eBind, false}, {30125, kValueTn3270eResp, false}, {30126, kValueTn3270eSysReq, false},
    {30127, kValueTn3270eLu1, true},   {30128, kValueTn3270eLu3, true},
};
constexpr int kLuChars = 127;  // the LU names keep 128 units

// Dialog 133: control and its display variable (index in kDisplayVariables).
constexpr std::pair<int, int> kDisplayFields[] = {{3013, 5}, {3015, 0}, {3017, 1},
                                                  {3019, 2}, {3021, 3}, {3023, 4}};

// Dialog 142: control and its printer variable (index in kPrinterVariables); a choice
// list's texts are language strings, "Don't Report" (3350) first.
struct PrinterField {
    int control;
    int variable;
    std::initializer_list<UINT> choices;  // empty for a text field
};
const PrinterField kPrinterFields[] = {
    {3303, 0, {}},
    {3305, 1, {3350, 3361, 3362, 3363, 3364}},
    {3315, 6, {3350, 3351, 3352}},
    {3317, 7, {}},
    {3307, 2, {}},
    {3309, 3, {}},
    {3311, 4, {}},
    {3313, 5, {3350, 3371, 3372, 3373}},
    {3319, 8, {3350, 3381, 3382, 3383, 3384, 3385, 3386, 3387, 3388, 3389, 3390, 3396, 3397, 3398}},
    {3321, 9, {3350, 3381, 3382, 3383, 3384, 3385, 3386, 3387, 3388, 3389, 3390, 3396, 3397, 3398}},
    {3323, 10, {3350, 3381, 3382, 3388, 3391, 3392, 3393, 3394, 3395}},
    {3325, 11, {3350, 3351, 3352}},
    {3327, 12, {}},
    {3329, 13, {}},
};
constexpr int kIgcFeature = 3305, kTransform = 3315, kFormfeed = 3313;

}  // namespace

Options3270Dialog::Options3270Dialog() : WizardDialog(IDD_OPTIONS_3270) {}

BOOL Options3270Dialog::OnInitDialog()
{
    const WizardSettings& s = App().settings;
    const bool ibm3270 = s.number[kValueVdumode] == kEmulationIbm3270;
    const bool printer = SameTextIgnoringCase(s.deviceType, VXT("IBM-3287-1"));
    Limit(IDC_LU_CONNECT, kLuChars);
    Limit(IDC_LU_ASSOCIATE, kLuChars);
    SetText(IDC_LU_CONNECT, s.text[kValueTelnetLuid]);
    SetText(IDC_LU_ASSOCIATE, s.text[kValueAssociate]);
    Enable(IDC_LU_CONNECT, ibm3270);
    Enable(IDC_LU_ASSOCIATE, ibm3270 && printer);
    for (const FunctionBox& box : kFunctions) {
        SetControlText(box.control);
        SetCheck(box.control, s.number[box.setting] != 0);
        Enable(box.control, ibm3270 && (printer || !box.printerOnly));
    }
    return TRUE;
}

void Options3270Dialog::OnCommand(int id, int code)
{
    if ((id != IDOK && id != IDCANCEL) || code != BN_CLICKED)
        return;
    if (id == IDOK) {
        WizardSettings& s = App().settings;
        s.text[kValueTelnetLuid] = Text(IDC_LU_CONNECT);
        s.text[kValueAssociate] = Text(IDC_LU_ASSOCIATE);
        for (const FunctionBox& box : kFunctions)
            s.number[box.setting] = Checked(box.control) ? 1 : 0;
    }
    End(id);
}

Options5250Dialog::Options5250Dialog() : WizardDialog(IDD_OPTIONS_5250) {}

BOOL Options5250Dialog::OnInitDialog()
{
    const WizardSettings& s = App().settings;
    for (const auto& [control, variable] : kDisplayFields) {
        Limit(control, kDisplayVariables[variable].capacity);
        SetText(control, s.displayVariables[variable]);
    }
    return TRUE;
}

void Options5250Dialog::OnCommand(int id, int code)
{
    if ((id != IDOK && id != IDCANCEL) || code != BN_CLICKED)
        return;
    if (id == IDOK)
        for (const auto& [control, variable] : kDisplayFields)
            App().settings.displayVariables[variable] = Text(control);
    End(id);
}

Printer5250Dialog::Printer5250Dialog() : WizardDialog(IDD_PRINTER_5250) {}

BOOL Printer5250Dialog::OnInitDialog()
{
    WizardApp& app = App();
    WizardSettings& s = app.settings;
    // The stored variables are read once a run: what this dialog confirmed earlier stays.
    if (!app.printerVariablesRead) {
        if (s.mode == WizardMode::Edit)
            WizardReadEnvironment(app.registry, s);
        app.printerVariablesRead = true;
    }
    SetControlText(IDC_PRINTER_ENVIRONMENT, 3301);
    for (const PrinterField& f : kPrinterFields) {
        SetControlText(f.control - 1);
        const PrinterVariable& v = kPrinterVariables[f.variable];
        if (f.choices.size() == 0) {
            Limit(f.control, v.limit - 1);
            SetText(f.control, s.printerTexts[f.variable]);
            continue;
        }
        int index = 0;
        for (UINT id : f.choices)
            AddItem(f.control, WizardLoadString(id), index++);
        SelectData(f.control, s.printerNumbers[f.variable]);
    }
    // The IGC feature and the transform are not the user's to choose.
    for (int id : {kIgcFeature, kIgcFeature - 1, kTransform, kTransform - 1})
        Enable(id, false);
    Arrange();
    return TRUE;
}

void Printer5250Dialog::Arrange()
{
    Enable(kFormfeed, SelectedData(kTransform, 0) != 2);
}

void Printer5250Dialog::OnCommand(int id, int code)
{
    if ((id != IDOK && id != IDCANCEL) || code != BN_CLICKED)
        return;
    if (id == IDOK) {
        WizardSettings& s = App().settings;
        for (const PrinterField& f : kPrinterFields) {
            if (f.choices.size() == 0)
                s.printerTexts[f.variable] = Text(f.control);
            else
                s.printerNumbers[f.variable] = static_cast<u32>(
                    SelectedData(f.control, s.printerNumbers[f.variable]));
        }
    }
    End(id);
}
