// Small dialogs: About, the close and exit confirmations, host closed.
#pragma once

#include "terminal/core/win32.h"

// Asks whether to close while a connection is open; true to go on closing.
bool ConfirmClose();
