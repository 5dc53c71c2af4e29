// The attached toolbar and the floating "Button Tools" bar: creating them with the main
// window, switching between them, and the height the terminal area leaves them.
#include "terminal/core/frame/startopts.h"
#include "terminal/input/toolbars.h"
#include "terminal/input/toolbarstate.h"
#include "terminal/settings/profile.h"
#include "terminal/settings/registry.h"

namespace {
// The "Toolbar" section of the current profile, machine-wide values first and the
// user's over them, as the rest of the profile is read.
void LoadToolbarProfile(const wchar_t* profile)
{
    const u32 root = SettingsRootIsUser();
    const u32 keep = KeepCurrentValues;
    if (AdministratorMode == 1 && PerUserProfile == 0) {
        SettingsSelectRoot(0);
        KeepCurrentValues = 0;
        LoadToolbarSettings(profile);
    } else {
        for (u32 pass = 0; pass < 2; ++pass) {
            SettingsSelectRoot(pass);
            KeepCurrentValues = pass;
            LoadToolbarSettings(profile);
        }
    }
    SettingsSelectRoot(root);
    KeepCurrentValues = keep;
}
}  // namespace

void CreateToolbarWindows(HINSTANCE, HINSTANCE, HWND mainWindow)
{
    InitToolbarButtons(mainWindow);
    LoadToolbarProfile(CurrentProfileName());
}

int GetToolbarHeight()
{
    if (Bars.type != kToolbarAttached || !Bars.attached)
        return 0;
    return Bars.attachedRect.bottom - Bars.attachedRect.top;
}
