// Which file names a host may give its capture sequence: a plain name in the working
// directory, nothing that reaches another directory or a device.
#pragma once

#include "terminal/core/base/vxtypes.h"

bool IsPlainCaptureName(const wchar16* name);
