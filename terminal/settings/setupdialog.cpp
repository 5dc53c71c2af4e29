#include "terminal/settings/setupdialog.h"

// The pages come with the Setup dialog framework; until then no page opens and nothing
// changes.
int RunSetupDialog(HWND, int, int, SetupDialogOutcome*)
{
    return 0;
}
