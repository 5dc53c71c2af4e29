#include "wizard/app/pages.h"

#include "wizard/app/wizardapp.h"

BOOL WizardPage::OnInitDialog()
{
    SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return FALSE;
}

void WizardPage::Changed()
{
    if (!filling_ && App().settings.mode == WizardMode::Edit)
        Tell(3, TRUE);
}

INT_PTR WizardPage::RunModal(WizardDialog& dialog)
{
    const bool applyWas = Tell(7, 0) != 0;
    for (UINT off : {0u, 4u, 5u})
        Tell(off, FALSE);
    const INT_PTR result = dialog.DoModal(GetParent(hwnd_));
    Tell(4, TRUE);
    Tell(5, TRUE);
    Tell(0, CanGoOn());
    if (App().settings.mode == WizardMode::Edit)
        Tell(3, result == IDOK || applyWas);
    return result;
}
