// The events that wake and hold the host-data thread, made with the main window. The
// activity event is set on every message of the main window; the switch and profile
// gates are reset while the user-interface thread switches emulation or reloads a
// profile; the key auto-repeat gate is set while one repeated key is in flight.
#pragma once

#include "terminal/core/base/win32.h"

extern HANDLE ActivityEvent;
extern HANDLE SwitchGateEvent;
extern HANDLE ProfileGateEvent;
extern HANDLE KeyRepeatGateEvent;
