// The DEC VT family's part of the Setup working copy: its terminal model, and what a
// changed Setup choice does to the running terminal at once. The host may have changed
// a mode since the settings were loaded; only a choice the user changed overrides it.
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/screen/screenops.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/emulations/dec/localedit/localedit.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/emulations/dec/vtparts.h"
#include "terminal/emulations/dec/vtmodes.h"
#include "terminal/settings/store/profilevalues.h"
#include "terminal/emulations/dec/vtsetup.h"
#include "terminal/settings/setup/setupcopy.h"

namespace {

const SetupCopyField kFields[] = {
    {&SetupCopy.terminalId, &TerminalId, LiveKind::Byte, 0, 0},
};

// Runs before the plain fields are stored, so the live settings still hold what the
// page was opened with.
void Apply()
{
    const SetupWorkingCopy& w = SetupCopy;
    const Vt300Section& v = Vt300Values;
    const struct {
        u16 working;
        u8 setting;
        u8& mode;
    } modes[] = {
        {w.modes[kRowAutoWrap], v.autowrap, VtMode.autoWrap},
        {w.modes[kRowAutoNewLine], v.autonl, VtMode.newLineMode},
        {w.modes[kRowAutoLineFeed], v.autolf, VtMode.autoLineFeed},
        {w.modes[kRowRightToLeft], v.cursr2l, VtMode.rightToLeft},
        {w.modes[kRowSaveScrolled], v.savescrolled, VtMode.regionFeedsHistory},
        {w.modes[kRowDisplayErrors], v.disp_errors, VtMode.displayErrors},
    };
    for (const auto& m : modes)
        if ((m.working != 0) != (m.setting != 0))
            m.mode = m.working ? 1 : 0;
    DecodeSetupField(AnswerbackText, w.answerback, kAnswerbackChars);
    // 80 or 132 columns, switched the way the host's DECCOLM switches them.
    if (IsVtFamily(EmulationId) && VtFamilyRunning()) {
        const bool wide = Screen.lastColumn == 131;
        if (w.columns132 && !wide)
            SetColumns132();
        else if (!w.columns132 && wide)
            SetColumns80();
        if ((w.columns132 != 0) != wide) {
            Vt300Values.dspwdth = w.columns132 ? 131 : 79;
            SettingsChangedFlag = 1;
        }
    }
}

// After the apply: the character sets follow a changed national mode or preferred set,
// and the status line shows the new settings.
void Applied()
{
    if (!IsVtOrAnsiFamily(EmulationId))
        return;
    if (SetupCharsetsChanged)
        ResetCharsets();
    // The Local Editing page may have made editing available, fixed or unavailable.
    SyncLocalEditState();
    ShowEditLockStatus();
    RefreshStatusLine();
}

}  // namespace

// The pages of the Setup dialog are the shared ones; the family adds its copy's part.
// clang-format off
const FamilySetup DecSetup{nullptr, 0, {kFields, 1}, nullptr, Apply, Applied, nullptr, nullptr, nullptr, nullptr, nullptr};
// clang-format on
