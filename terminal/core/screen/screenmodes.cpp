#include "terminal/core/screen/screenmodes.h"

VtModeFlagSet VtMode;
u8 VtLocalEditFlag = 0;
LocalEditorHooks LocalEditor;

bool VtLocalEditing()
{
    return VtLocalEditFlag == 1;
}
