// The wizard's pages: child dialogs of the main dialog, one per template. A page edits
// the working copy; it tells the main dialog through WM_APP messages whether Next may be
// used and, while a stored connection is edited, that something changed (never while
// it fills its own controls).
#pragma once

#include <vector>

#include "wizard/app/wizarddialog.h"
#include "wizard/engine/settings.h"

class WizardPage : public WizardDialog {
public:
    explicit WizardPage(int templateId) : WizardDialog(templateId) {}
    // Stores what the controls hold into the working copy (Next and Apply).
    virtual void Save(WizardSettings&) {}
    // Called each time the page is shown.
    virtual void Shown() {}
    // Whether Next may be used while the page is shown.
    virtual bool CanGoOn() const { return true; }
    // Runs a modal dialog of the page with the main dialog's Back, Next and Cancel off;
    // when editing, Apply follows the dialog's OK afterwards.
    INT_PTR RunModal(WizardDialog& dialog);

protected:
    BOOL OnInitDialog() override;
    // Tells the main dialog: WM_APP + offset.
    LRESULT Tell(UINT offset, WPARAM wParam) { return SendMessageW(GetParent(hwnd_), WM_APP + offset, wParam, 0); }
    // A change made by the user, reported while a stored connection is edited.
    void Changed();
    bool filling_ = false;
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
    void EmulationChosen();
    void FillLanguages();
};

// Page 129 (TCP/IP or serial) and page 141 (TCP/IP only, four host fields).
class HostPage : public WizardPage {
public:
    explicit HostPage(bool tcpOnly);
    void Save(WizardSettings& s) override;
    void Shown() override;
    bool CanGoOn() const override;

protected:
    BOOL OnInitDialog() override;
    void OnCommand(int id, int code) override;

private:
    void FillPorts();
    void Arrange();
    bool tcpOnly_;
    int portCount_ = 0;
    WText loadedHost_;
};

class LockdownPage : public WizardPage {
public:
    LockdownPage();
    void Save(WizardSettings& s) override;

protected:
    BOOL OnInitDialog() override;
    void OnCommand(int id, int code) override;

private:
    void Arrange();
};

class FinalPage : public WizardPage {
public:
    FinalPage();
    void Shown() override;

protected:
    BOOL OnInitDialog() override;
    void OnCommand(int id, int code) override;

private:
};
