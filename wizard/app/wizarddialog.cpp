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

int WizardDialog::AddItem(int combo, const std::wstring& text, LPARAM data)
{
    const LRESULT at = SendDlgItemMessageW(hwnd_, combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (at >= 0)
        SendDlgItemMessageW(hwnd_, combo, CB_SETITEMDATA, static_cast<WPARAM>(at), data);
    return static_cast<int>(at);
}

LPARAM WizardDialog::SelectedData(int combo, LPARAM fallback) const
{
    const LRESULT at = SendDlgItemMessageW(hwnd_, combo, CB_GETCURSEL, 0, 0);
    return at < 0 ? fallback : SendDlgItemMessageW(hwnd_, combo, CB_GETITEMDATA, static_cast<WPARAM>(at), 0);
}

void WizardDialog::SelectData(int combo, LPARAM data)
{
    const LRESULT count = SendDlgItemMessageW(hwnd_, combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        if (SendDlgItemMessageW(hwnd_, combo, CB_GETITEMDATA, static_cast<WPARAM>(i), 0) == data) {
            SendDlgItemMessageW(hwnd_, combo, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
            return;
        }
    }
    SendDlgItemMessageW(hwnd_, combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}

u32 WizardDialog::Number(int control) const
{
    // The leading digits, as the C library reads an unsigned number.
    const std::wstring text = Text(control);
    u32 n = 0;
    for (std::size_t i = 0; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i)
        n = n * 10 + static_cast<u32>(text[i] - L'0');
    return n;
}
