// Page 140: how far the terminal's user may leave or change the session. Its choices
// are bits of the start options, which become the terminal's start switches.
#include "wizard/app/pages.h"
#include "wizard/app/resource.h"
#include "wizard/app/wizardapp.h"
#include "wizard/app/wizardlanguage.h"
#include "wizard/engine/pagedata.h"

namespace {

struct OptionBox {
    int control;
    u32 bit;
};
// clang-format off
constexpr OptionBox kBoxes[] = {
    {30162, kStartAllMenus},   {30164, kStartFileMenu},    {30163, kStartEditMenu},   {30165, kStartSettingsMenu},
    {30171, kStartSoftButtons}, {30166, kStartCloseButton}, {30174, kStartNoWarning},  {30172, kStartTitleBar},
    {30206, kStartToolBar},    {30173, kStartStatusBar},   {30176, kStartFullScreen}, {30175, kStartMaximise},
    {30179, kStartClipboard},
};
// clang-format on
// The on-close radios: "Display Options" (not given), shut down, stay alive, reconnect.
constexpr int kOnCloseRadios[4] = {30167, 30168, 30169, 30170};
constexpr u32 kOnCloseFields[4] = {kOnCloseNotGiven, 0, 1, 2};
// What full screen takes away, and what "Disable All" covers.
constexpr int kFullScreenOff[] = {IDC_MENU_GROUP, 30162, 30164, 30163, 30165, 30166, 30175, 30171, 30172, 30206};
constexpr int kSingleMenus[] = {30164, 30163, 30165, 30166};

}  // namespace

LockdownPage::LockdownPage() : WizardPage(IDD_PAGE_GUI) {}

BOOL LockdownPage::OnInitDialog()
{
    WizardPage::OnInitDialog();
    const u32 options = App().settings.startOptions;
    filling_ = true;
    for (const OptionBox& box : kBoxes) {
        SetControlText(box.control);
        SetCheck(box.control, (options & box.bit) != 0);
    }
    for (int k = 0; k < 4; ++k) {
        SetControlText(kOnCloseRadios[k]);
        SetCheck(kOnCloseRadios[k], (options & kOnCloseMask) == kOnCloseFields[k]);
    }
    for (int i = 1; i <= kMouseCursorCount; ++i)
        AddItem(IDC_MOUSE_CURSOR, WizardLoadString(kFirstMouseCursorString + static_cast<u32>(i) - 1), i);
    SelectData(IDC_MOUSE_CURSOR, (options & kMouseCursorMask) >> kMouseCursorShift);
    Arrange();
    filling_ = false;
    return FALSE;
}

void LockdownPage::Arrange()
{
    const bool fullScreen = Checked(30176);
    for (int id : kFullScreenOff)
        Enable(id, !fullScreen);
    if (!fullScreen)
        for (int id : kSingleMenus)
            Enable(id, !Checked(30162));
}

void LockdownPage::OnCommand(int id, int code)
{
    if (filling_)
        return;
    if ((code == BN_CLICKED && id != IDC_MOUSE_CURSOR) || (id == IDC_MOUSE_CURSOR && code == CBN_SELCHANGE)) {
        Arrange();
        Changed();
    }
}

void LockdownPage::Save(WizardSettings& s)
{
    u32 options = 0;
    for (const OptionBox& box : kBoxes)
        if (Checked(box.control))
            options |= box.bit;
    options |= kOnCloseNotGiven;
    for (int k = 0; k < 4; ++k)
        if (Checked(kOnCloseRadios[k]))
            options = (options & ~kOnCloseMask) | kOnCloseFields[k];
    const LPARAM cursor = SelectedData(IDC_MOUSE_CURSOR, 0);
    options |= (static_cast<u32>(cursor) & 0xF) << kMouseCursorShift;
    s.startOptions = options;
}
