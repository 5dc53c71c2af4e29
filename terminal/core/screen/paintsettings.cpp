#include "terminal/core/screen/paintsettings.h"

PaintSettingState PaintSettings;
