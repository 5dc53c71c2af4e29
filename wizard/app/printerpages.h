// Page 136 (where the terminal prints: a Windows printer, a local port directly, or a
// network printer through the LPR module), its LPR dialog 139, and page 143 (the
// auxiliary port).
#pragma once

#include <string>
#include <vector>

#include "wizard/app/pages.h"

struct PrinterLine {
    std::wstring printer, port;
};

class PrinterPage : public WizardPage {
public:
    PrinterPage();
    void Save(WizardSettings& s) override;
    void Shown() override;
    bool CanGoOn() const override;

protected:
    BOOL OnInitDialog() override;
    void OnCommand(int id, int code) override;

private:
    void Arrange();
    std::vector<PrinterLine> printers_;
    std::vector<WText> ports_;
    bool lprUsable_ = false;
};

class AuxPage : public WizardPage {
public:
    AuxPage();
    void Save(WizardSettings& s) override;

protected:
    BOOL OnInitDialog() override;
    void OnCommand(int id, int code) override;

private:
    void Arrange();
    std::vector<WText> ports_;
};

class LprDialog : public WizardDialog {
public:
    LprDialog();

protected:
    BOOL OnInitDialog() override;
    void OnCommand(int id, int code) override;
};

// The ports of both pages (serial ports, then the printers' LPT ports).
std::vector<WText> MachinePorts();
// Whether the LPR module resolves its five exports (it is freed again at once).
bool LprModuleUsable();
