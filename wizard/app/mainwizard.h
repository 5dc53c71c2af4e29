// The wizard's main dialog (template 102): its own Back, Next, Apply and Cancel buttons
// over one page at a time, seven positions in a fixed sequence; page 141 takes the
// second position for an IBM 3270 connection. Pages drive the buttons through WM_APP
// messages.
#pragma once

#include <memory>
#include <vector>

#include "wizard/app/pages.h"

class WizardMainDialog : public WizardDialog {
public:
    WizardMainDialog();

protected:
    BOOL OnInitDialog() override;
    void OnCommand(int id, int code) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    WizardPage* PageAt(int position);
    void Reset();
    void ShowPage(int position);
    void SavePage(int position);
    void Next();
    void Back();
    void Apply();
    void Click(int button);

    ConnectionPage* connection_;
    std::vector<std::unique_ptr<WizardPage>> pages_;
    int position_ = 0;
    WizardPage* shown_ = nullptr;
    bool applied_ = false;
};
