#include "wizard/app/pages.h"

#include "wizard/app/resource.h"
#include "wizard/app/wizardapp.h"

BOOL WizardPage::OnInitDialog()
{
    SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return FALSE;
}

ConnectionPage::ConnectionPage() : WizardPage(IDD_PAGE_CONNECTION) {}

BOOL ConnectionPage::OnInitDialog()
{
    WizardPage::OnInitDialog();
    SendDlgItemMessageW(hwnd_, IDC_CONNECTION_NAME, EM_LIMITTEXT, kConnectionNameChars, 0);
    filling_ = true;
    SetText(IDC_CONNECTION_NAME, App().settings.name);
    filling_ = false;
    return FALSE;
}

void ConnectionPage::OnCommand(int id, int code)
{
    if (id == IDC_CONNECTION_NAME && code == EN_CHANGE) {
        Tell(0, CanGoOn());
        // Only the user's changes count as edits, not the page filling itself.
        if (!filling_ && App().settings.mode == WizardMode::Edit)
            Tell(3, TRUE);
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

FinalPage::FinalPage() : WizardPage(IDD_PAGE_FINAL) {}

BOOL FinalPage::OnInitDialog()
{
    WizardPage::OnInitDialog();
    SetControlText(IDC_DESKTOP_ICON);
    // A shortcut is made for a new connection only.
    const bool isNew = App().settings.mode == WizardMode::New;
    CheckDlgButton(hwnd_, IDC_DESKTOP_ICON, isNew ? BST_CHECKED : BST_UNCHECKED);
    ShowWindow(GetDlgItem(hwnd_, IDC_DESKTOP_ICON), isNew ? SW_SHOW : SW_HIDE);
    return FALSE;
}

void FinalPage::Save(WizardSettings&)
{
    App().desktopIcon = IsDlgButtonChecked(hwnd_, IDC_DESKTOP_ICON) == BST_CHECKED;
}
