// The wizard's pages: child dialogs of the main dialog, one per template. Each stores
// its controls into the working copy when the user goes on (Save).
#pragma once

#include "wizard/app/wizarddialog.h"
#include "wizard/engine/settings.h"

class WizardPage : public WizardDialog {
public:
    explicit WizardPage(int templateId) : WizardDialog(templateId) {}
    virtual void Save(WizardSettings&) {}
    // Called each time the page is shown.
    virtual void Shown() {}
    // Whether Next may be used while the page is shown.
    virtual bool CanGoOn() const { return true; }

protected:
    BOOL OnInitDialog() override;
    // Tells the main dialog (WM_APP messages).
    void Tell(UINT offset, WPARAM wParam) { SendMessageW(GetParent(hwnd_), WM_APP + offset, wParam, 0); }
};

class ConnectionPage : public WizardPage {
public:
    ConnectionPage();
    void Save(WizardSettings& s) override;
    void Shown() override;
    bool CanGoOn() const override;
    std::wstring Name() const { return Text(1200); }

protected:
    BOOL OnInitDialog() override;
    void OnCommand(int id, int code) override;

private:
    bool filling_ = false;
};

class FinalPage : public WizardPage {
public:
    FinalPage();
    void Save(WizardSettings& s) override;

protected:
    BOOL OnInitDialog() override;
};
