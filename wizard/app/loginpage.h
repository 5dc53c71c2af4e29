// Page 135, the login script, over the script list engine.
#pragma once

#include "wizard/app/pages.h"
#include "wizard/engine/scriptlist.h"

class LoginPage : public WizardPage {
public:
    LoginPage();
    void Save(WizardSettings& s) override;
    void Shown() override;

protected:
    BOOL OnInitDialog() override;
    void OnCommand(int id, int code) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void Refill(int selected);
    int Selected() const;
    void ArrangeResponse();
    void Add();
    void Remove();
    ScriptList list_;
};
