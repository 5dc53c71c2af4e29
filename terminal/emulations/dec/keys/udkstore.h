// The VT user-defined keys in the profile's VT300 section: the pool as vt220pf_area0-15
// (32 units each), vt220pf_key (text offsets in bytes), vt220pf_count, vt220pf_local
// (72 units each) and vt220pf_end.
#pragma once

#include "terminal/core/base/registry.h"

// Writes nothing while every key holds its built-in text.
void SaveUdkTable(HKEY vt300);
void LoadUdkTable(HKEY vt300);
#include "terminal/emulations/dec/profilepart.h"
