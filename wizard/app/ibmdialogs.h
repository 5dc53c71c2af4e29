// The IBM option dialogs of the telnet dialog: 132 (3270 LU names and TN3270E functions),
// 133 (the 5250 display session's NEW-ENVIRON variables) and 142 (the 5250 printer
// session's). Each stores into the working copy when it ends with OK.
#pragma once

#include "wizard/app/wizarddialog.h"

class Options3270Dialog : public WizardDialog {
public:
    Options3270Dialog();

protected:
    BOOL OnInitDialog() override;
    void OnCommand(int id, int code) override;
};

class Options5250Dialog : public WizardDialog {
public:
    Options5250Dialog();

protected:
    BOOL OnInitDialog() override;
    void OnCommand(int id, int code) override;
};

class Printer5250Dialog : public WizardDialog {
public:
    Printer5250Dialog();

protected:
    BOOL OnInitDialog() override;
    void OnCommand(int id, int code) override;

private:
    void Arrange();
};
