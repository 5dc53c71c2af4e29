// The wizard's dialog base: one object per dialog, reached from its window through
// DWLP_USER, with virtual handlers. DoModal runs it modally; CreateChild makes it a
// child window of another dialog (the wizard's pages are children of its main dialog,
// not property sheets).
#pragma once

#include <windows.h>

#include <string>

#include "terminal/core/base/vxtypes.h"

class WizardDialog {
public:
    explicit WizardDialog(int templateId) : templateId_(templateId) {}
    virtual ~WizardDialog() = default;
    WizardDialog(const WizardDialog&) = delete;
    WizardDialog& operator=(const WizardDialog&) = delete;

    INT_PTR DoModal(HWND owner);
    HWND CreateChild(HWND parent);
    HWND Handle() const { return hwnd_; }
    // A child dialog's window destroyed; CreateChild makes it again.
    void DestroyChild()
    {
        if (hwnd_)
            DestroyWindow(hwnd_);
        hwnd_ = nullptr;
    }
    int TemplateId() const { return templateId_; }

protected:
    virtual BOOL OnInitDialog() { return TRUE; }
    virtual void OnCommand(int id, int code) {}
    // Any other message; true when handled, with `result` as the message's answer.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) { return false; }
    void End(INT_PTR result) { EndDialog(hwnd_, result); }

    // Texts by control id from the language module.
    void SetControlText(int control, UINT stringId = 0);
    void SetText(int control, const std::wstring& text) { SetDlgItemTextW(hwnd_, control, text.c_str()); }
    std::wstring Text(int control) const;
    void Enable(int control, bool on) { EnableWindow(GetDlgItem(hwnd_, control), on); }
    bool Checked(int control) const { return IsDlgButtonChecked(hwnd_, control) == BST_CHECKED; }
    void SetCheck(int control, bool on) { CheckDlgButton(hwnd_, control, on ? BST_CHECKED : BST_UNCHECKED); }
    void Show(int control, bool on) { ShowWindow(GetDlgItem(hwnd_, control), on ? SW_SHOW : SW_HIDE); }
    void Limit(int control, int characters) { SendDlgItemMessageW(hwnd_, control, EM_LIMITTEXT, characters, 0); }
    // Combo boxes: an item with its data; the selection's data (`fallback` when none);
    // selects the item whose data is `data` (none when no item has it).
    int AddItem(int combo, const std::wstring& text, LPARAM data);
    LPARAM SelectedData(int combo, LPARAM fallback) const;
    void SelectData(int combo, LPARAM data);
    // An unsigned decimal number typed into a control; text that is no number gives 0.
    u32 Number(int control) const;

    HWND hwnd_ = nullptr;

private:
    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    int templateId_;
};
