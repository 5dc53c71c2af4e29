// Page 128: the connection's name, its emulation and terminal model, and the keyboard
// and cursor options of that emulation.
#include "wizard/app/pages.h"
#include "wizard/app/resource.h"
#include "wizard/app/wizardapp.h"
#include "wizard/app/wizardlanguage.h"
#include "wizard/engine/pagedata.h"

ConnectionPage::ConnectionPage() : WizardPage(IDD_PAGE_CONNECTION) {}

BOOL ConnectionPage::OnInitDialog()
{
    WizardPage::OnInitDialog();
    const WizardSettings& s = App().settings;
    filling_ = true;
    Limit(IDC_CONNECTION_NAME, kConnectionNameChars);
    SetText(IDC_CONNECTION_NAME, s.name);
    for (u32 id = 0; id < kWizardEmulationCount; ++id)
        AddItem(IDC_EMULATION, Widen(kEmulationNames[id]), id);
    SelectData(IDC_EMULATION, s.number[kValueVdumode]);
    for (const EmulationOption& option : kEmulationOptions) {
        SetControlText(option.control);
        SetCheck(option.control, s.number[option.setting] != 0);
    }
    EmulationChosen();
    filling_ = false;
    return FALSE;
}

// Shows the options and the model list of the emulation chosen.
void ConnectionPage::EmulationChosen()
{
    WizardSettings& s = App().settings;
    const u32 emulation = s.number[kValueVdumode];
    for (const EmulationOption& option : kEmulationOptions)
        Show(option.control, ShowsOption(option, emulation));
    const ModelList* list = ModelListFor(emulation);
    SendDlgItemMessageW(hwnd_, IDC_MODEL, CB_RESETCONTENT, 0, 0);
    Show(IDC_MODEL, list != nullptr);
    Show(IDC_MODEL_CAPTION, list != nullptr);
    if (!list)
        return;
    SetText(IDC_MODEL_CAPTION, ModelCaption(WizardLoadString(list->captionId)));
    for (int i = 0; i < list->count; ++i)
        AddItem(IDC_MODEL, Widen(list->names[i]), i);
    SelectData(IDC_MODEL, s.number[list->setting]);
}

void ConnectionPage::OnCommand(int id, int code)
{
    WizardSettings& s = App().settings;
    if (id == IDC_CONNECTION_NAME && code == EN_CHANGE) {
        Tell(0, CanGoOn());
        Changed();
    } else if (id == IDC_EMULATION && code == CBN_SELCHANGE) {
        s.number[kValueVdumode] = static_cast<u32>(SelectedData(IDC_EMULATION, s.number[kValueVdumode]));
        filling_ = true;
        EmulationChosen();
        filling_ = false;
        Changed();
    } else if (id == IDC_MODEL && code == CBN_SELCHANGE) {
        if (const ModelList* list = ModelListFor(s.number[kValueVdumode]))
            s.number[list->setting] = static_cast<u32>(SelectedData(IDC_MODEL, s.number[list->setting]));
        Changed();
    } else if (code == BN_CLICKED) {
        for (const EmulationOption& option : kEmulationOptions) {
            if (option.control == id) {
                s.number[option.setting] = Checked(id) ? 1 : 0;
                Changed();
            }
        }
    }
}

void ConnectionPage::Shown()
{
    Tell(0, CanGoOn());
    SetFocus(GetDlgItem(hwnd_, IDC_CONNECTION_NAME));
}

bool ConnectionPage::CanGoOn() const
{
    return GetWindowTextLengthW(GetDlgItem(hwnd_, IDC_CONNECTION_NAME)) > 0;
}

void ConnectionPage::Save(WizardSettings& s)
{
    s.name = Name();
}
