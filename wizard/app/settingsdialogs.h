// The two modal dialogs of the host pages' "Advanced" button: telnet settings (130) and
// serial line settings (131). Each works on its own copy of its values; OK copies them
// into the working copy, Cancel drops them.
#pragma once

#include "wizard/app/wizarddialog.h"
#include "wizard/engine/settings.h"

class TelnetDialog : public WizardDialog {
public:
    TelnetDialog();

protected:
    BOOL OnInitDialog() override;
    void OnCommand(int id, int code) override;

private:
    void EnableIbmControls();
    WizardSettings copy_;
    bool filling_ = false;
};

// The serial dialog sets the connection's line, or the line of the printer port or of
// the auxiliary port (those have no transmit limit and no local echo).
class SerialDialog : public WizardDialog {
public:
    enum class Line { Connection, Printer, Aux };
    explicit SerialDialog(Line line = Line::Connection);

protected:
    BOOL OnInitDialog() override;
    void OnCommand(int id, int code) override;

private:
    // The value that a list of the dialog sets for this line; false when the line has
    // none (the transmit limit of a port).
    bool SettingOf(WizardValueId connectionValue, WizardValueId& value) const;
    Line line_;
};
