// Page 128: the connection's name, its emulation and terminal model, the keyboard and
// cursor options of that emulation, its international settings and the language the
// wizard and the terminal speak.
#include "wizard/app/internationaldialog.h"
#include "wizard/app/pages.h"
#include "wizard/app/resource.h"
#include "wizard/app/wizardapp.h"
#include "wizard/app/wizardlanguage.h"
#include "wizard/engine/national.h"
#include "wizard/engine/pagedata.h"

namespace {
constexpr UINT kFirstLanguageName = 15001;  // "English" ... "Korean", by language index
}  // namespace

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
    SetControlText(IDC_INTERNATIONAL);
    FillLanguages();
    EmulationChosen();
    filling_ = false;
    return FALSE;
}

// The languages of the modules found; the list is shown only when there is a choice.
void ConnectionPage::FillLanguages()
{
    int found = 0;
    for (int i = 0; i < kLanguageModuleCount; ++i) {
        if (!LanguageModuleFound(i))
            continue;
        ++found;
        const std::wstring name = WizardLoadString(kFirstLanguageName + static_cast<UINT>(i));
        AddItem(IDC_LANGUAGE, name.empty() ? std::to_wstring(i) : name, i);
    }
    SetText(IDC_LANGUAGE_LABEL, WizardLoadString(IDS_OPERATING_LANGUAGE));
    SelectData(IDC_LANGUAGE, SelectedLanguageModule());
    Show(IDC_LANGUAGE, found >= 2);
    Show(IDC_LANGUAGE_LABEL, found >= 2);
}

// Shows the options and the model list of the emulation chosen.
void ConnectionPage::EmulationChosen()
{
    WizardSettings& s = App().settings;
    const u32 emulation = s.number[kValueVdumode];
    for (const EmulationOption& option : kEmulationOptions)
        Show(option.control, ShowsOption(option, emulation));
    Show(IDC_INTERNATIONAL, HasInternationalSettings(emulation));
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
    } else if (id == IDC_LANGUAGE && code == CBN_SELCHANGE) {
        const int index = static_cast<int>(SelectedData(IDC_LANGUAGE, SelectedLanguageModule()));
        if (index != SelectedLanguageModule()) {
            // Kept at once; the page is built again in the new language.
            s.number[kValueLanguage] = s.language = static_cast<u32>(index);
            SelectLanguageModule(index);
            s.name = Name();
            Changed();
            PostMessageW(GetParent(hwnd_), WM_APP + 12, 0, 0);
        }
    } else if (id == IDC_INTERNATIONAL && code == BN_CLICKED) {
        InternationalDialog dialog;
        RunModal(dialog);
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
