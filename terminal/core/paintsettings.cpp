#include "terminal/core/paintsettings.h"

PaintSettingState PaintSettings;
