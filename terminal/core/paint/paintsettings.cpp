#include "terminal/core/paint/paintsettings.h"

PaintSettingState PaintSettings;
