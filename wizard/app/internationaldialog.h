// Dialog 144, the national settings of the connection's emulation: the character-set
// mode, the preferred character set, font and code page, the Wyse ASCII font, and for
// the IBM hosts the keyboard type and the code page, character set and CCSID. It edits
// its own copy and stores it into the working copy on OK.
#pragma once

#include <vector>

#include "wizard/app/wizarddialog.h"
#include "wizard/engine/national.h"
#include "wizard/engine/settings.h"

class InternationalDialog : public WizardDialog {
public:
    InternationalDialog();

protected:
    BOOL OnInitDialog() override;
    void OnCommand(int id, int code) override;

private:
    void Arrange();
    void FillLists();
    void FillModes();
    void FillFonts();
    void FillIbm();
    void SetChosen(u32 set);
    void Defaults();
    void Store();
    void Report();
    u32 emulation_ = 0;
    NationalPlace place_{};
    LayoutLanguage layout_{};
    u32 row_ = 0;  // the IBM emulations' language row
    u32 set_ = 0;  // the preferred character set shown
    i32 font_ = -1;
    std::vector<std::wstring> fonts_;
    WizardSettings copy_;
    bool filling_ = false;
};

// The code pages that have both conversion files in the terminal's working directory (or
// the first of its subdirectories that has any).
std::vector<u32> ListConversionCodePages();
