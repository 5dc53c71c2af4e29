// The reductions of a picture in a memory context (copying and printing the screen):
// black and white exchanged, other colours kept; black kept and every other colour
// white, the two exchanged with `swap`.
#pragma once

#include "terminal/core/base/win32.h"

void ReduceBitmapToMono(HDC image, int width, int height);
void ReduceBitmapToMonoInverse(HDC image, int width, int height, bool swap);
