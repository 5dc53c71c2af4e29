#include "wizard/app/mainwizard.h"

#include "wizard/app/loginpage.h"
#include "wizard/app/printerpages.h"
#include "wizard/app/resource.h"
#include "wizard/app/wizardapp.h"
#include "wizard/app/wizardlanguage.h"

namespace {

// The title of each position (language strings).
constexpr UINT kPositionTitles[7] = {30278, 30279, 30285, 30286, 30289, 30291, 30295};
constexpr int kLastPosition = 6;
constexpr UINT kFinishText = 30211, kOkText = 1, kNextText = 30102;

}  // namespace

WizardMainDialog::WizardMainDialog() : WizardDialog(IDD_WIZARD_MAIN)
{
    // The pages in the order of their members: 128, 129, 147, 135, 136, 140, 141, 143.
    auto connection = std::make_unique<ConnectionPage>();
    connection_ = connection.get();
    pages_.push_back(std::move(connection));
    pages_.push_back(std::make_unique<HostPage>(false));
    pages_.push_back(std::make_unique<FinalPage>());
    pages_.push_back(std::make_unique<LoginPage>());
    pages_.push_back(std::make_unique<PrinterPage>());
    pages_.push_back(std::make_unique<LockdownPage>());
    pages_.push_back(std::make_unique<HostPage>(true));
    pages_.push_back(std::make_unique<AuxPage>());
}

WizardPage* WizardMainDialog::PageAt(int position)
{
    static const int kTemplates[7] = {IDD_PAGE_CONNECTION, IDD_PAGE_HOST, IDD_PAGE_LOGIN, IDD_PAGE_PRINTER,
                                      IDD_PAGE_GUI,        IDD_PAGE_AUX,  IDD_PAGE_FINAL};
    if (position < 0 || position > kLastPosition)
        return nullptr;
    int id = kTemplates[position];
    if (position == 1 && App().settings.number[kValueVdumode] == kEmulationIbm3270)
        id = IDD_PAGE_HOST3270;
    for (auto& page : pages_)
        if (page->TemplateId() == id)
            return page.get();
    return nullptr;
}

BOOL WizardMainDialog::OnInitDialog()
{
    HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_WIZARD));
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    RECT r, desktop;
    GetWindowRect(hwnd_, &r);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &desktop, 0);
    SetWindowPos(hwnd_, nullptr, desktop.left + (desktop.right - desktop.left - (r.right - r.left)) / 2,
                 desktop.top + (desktop.bottom - desktop.top - (r.bottom - r.top)) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
    Enable(IDC_NEXT, false);
    Enable(IDC_BACK, false);
    const bool edit = App().settings.mode == WizardMode::Edit;
    ShowWindow(GetDlgItem(hwnd_, IDC_APPLY), edit ? SW_SHOW : SW_HIDE);
    Enable(IDC_APPLY, false);
    Reset();
    return FALSE;
}

void WizardMainDialog::Reset()
{
    if (shown_)
        ShowWindow(shown_->Handle(), SW_HIDE);
    shown_ = nullptr;
    // The pages are made again, in the language now chosen.
    for (auto& page : pages_)
        page->DestroyChild();
    applied_ = false;
    for (UINT id : {IDC_BACK, IDC_NEXT, IDC_APPLY, IDC_CANCEL})
        SetControlText(static_cast<int>(id));
    position_ = 0;
    ShowPage(0);
}

void WizardMainDialog::ShowPage(int position)
{
    WizardPage* page = PageAt(position);
    if (!page)
        return;
    if (page != shown_) {
        if (shown_)
            ShowWindow(shown_->Handle(), SW_HIDE);
        if (!page->Handle())
            page->CreateChild(hwnd_);
        ShowWindow(page->Handle(), SW_SHOW);
        shown_ = page;
    }
    const UINT caption = App().settings.mode == WizardMode::Edit ? kCaptionEdit : kCaptionNew;
    const std::wstring title = WizardLoadString(caption) + L" - " + WizardLoadString(kPositionTitles[position]);
    SetWindowTextW(hwnd_, title.c_str());
    page->Shown();
}

void WizardMainDialog::SavePage(int position)
{
    if (WizardPage* page = PageAt(position))
        page->Save(App().settings);
}

void WizardMainDialog::Next()
{
    if (!IsWindowEnabled(GetDlgItem(hwnd_, IDC_NEXT)))
        return;
    WizardSettings& s = App().settings;
    const WText typed = connection_->Name();
    if (!AcceptConnectionName(hwnd_, typed))
        return;
    // A new connection, or a renamed one, must not replace a stored one unasked.
    const bool renamed = s.mode == WizardMode::Edit && !SameTextIgnoringCase(typed, s.startName);
    if (position_ == 0 && (s.mode == WizardMode::New || renamed) && !ConfirmReplaceConnection(hwnd_, typed))
        return;
    SavePage(position_);
    if (position_ == kLastPosition) {
        applied_ = true;
        End(IDOK);
        return;
    }
    ++position_;
    Enable(IDC_BACK, true);
    if (position_ == kLastPosition)
        SetText(IDC_NEXT, WizardLoadString(s.mode == WizardMode::Edit ? kOkText : kFinishText));
    ShowPage(position_);
    Enable(IDC_NEXT, shown_ && shown_->CanGoOn());
}

void WizardMainDialog::Back()
{
    if (position_ <= 0)
        return;
    --position_;
    if (position_ == 0)
        Enable(IDC_BACK, false);
    if (position_ == kLastPosition - 1)
        SetControlText(IDC_NEXT, kNextText);
    ShowPage(position_);
    Enable(IDC_NEXT, shown_ && shown_->CanGoOn());
}

void WizardMainDialog::Apply()
{
    if (App().settings.mode != WizardMode::Edit || !IsWindowEnabled(GetDlgItem(hwnd_, IDC_APPLY)))
        return;
    const WText typed = connection_->Name();
    if (!AcceptConnectionName(hwnd_, typed))
        return;
    WizardSettings& s = App().settings;
    if (!SameTextIgnoringCase(typed, s.startName) && !ConfirmReplaceConnection(hwnd_, typed))
        return;
    SavePage(position_);
    connection_->Save(s);
    SaveConnection();
    App().exitCode = 1;
    applied_ = true;
    Enable(IDC_APPLY, false);
}

void WizardMainDialog::Click(int button)
{
    SetFocus(GetDlgItem(hwnd_, button));
    OnCommand(button, BN_CLICKED);
}

void WizardMainDialog::OnCommand(int id, int code)
{
    if (code != BN_CLICKED)
        return;
    switch (id) {
    case IDC_NEXT:
    case IDOK: Next(); break;
    case IDC_BACK: Back(); break;
    case IDC_APPLY: Apply(); break;
    case IDC_CANCEL:
    case IDCANCEL: End(IDCANCEL); break;
    default: break;
    }
}

bool WizardMainDialog::OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result)
{
    if (message < WM_APP || message > WM_APP + 12)
        return false;
    const bool on = wParam != 0;
    switch (message - WM_APP) {
    case 0: Enable(IDC_NEXT, on); break;
    case 2:
        switch (wParam) {
        case 'A': Click(IDC_APPLY); break;
        case 'B': Click(IDC_BACK); break;
        case 'C': Click(IDC_CANCEL); break;
        case 'N': Click(IDC_NEXT); break;
        default: break;
        }
        break;
    case 3: Enable(IDC_APPLY, on && App().settings.mode == WizardMode::Edit); break;
    case 4: Enable(IDC_CANCEL, on); break;
    case 5: Enable(IDC_BACK, on); break;
    case 7: result = IsWindowEnabled(GetDlgItem(hwnd_, IDC_APPLY)); break;
    case 8: Next(); break;
    case 9: Apply(); break;
    case 10: End(IDCANCEL); break;
    case 11: Back(); break;
    case 12: Reset(); break;
    default: return false;
    }
    return true;
}
