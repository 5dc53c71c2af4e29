#include "wizard/app/wizarddialog.h"

#include "wizard/app/wizardlanguage.h"

INT_PTR WizardDialog::DoModal(HWND owner)
{
    return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), owner, Procedure,
                           reinterpret_cast<LPARAM>(this));
}

HWND WizardDialog::CreateChild(HWND parent)
{
    return CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), parent, Procedure,
                              reinterpret_cast<LPARAM>(this));
}

void WizardDialog::SetControlText(int control, UINT stringId)
{
    const std::wstring text = WizardLoadString(stringId ? stringId : static_cast<UINT>(control));
    if (!text.empty())
        SetText(control, text);
}

std::wstring WizardDialog::Text(int control) const
{
    HWND item = GetDlgItem(hwnd_, control);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(item)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(item, text.data(), static_cast<int>(text.size()))));
    return text;
}

INT_PTR CALLBACK WizardDialog::Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<WizardDialog*>(lParam);
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        self->hwnd_ = dialog;
        return self->OnInitDialog();
    }
    auto* self = reinterpret_cast<WizardDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (!self)
        return FALSE;
    if (message == WM_COMMAND) {
        self->OnCommand(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    }
    LRESULT result = 0;
    if (!self->OnMessage(message, wParam, lParam, result))
        return FALSE;
    SetWindowLongPtrW(dialog, DWLP_MSGRESULT, result);
    return TRUE;
}
