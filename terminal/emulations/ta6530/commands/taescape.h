// The TA6530's escape commands outside ANSI mode (ANSI mode runs its own parser), from
// the host and from the keyboard, and the extended commands ESC - ... final.
#pragma once

void TaEscapeCommand();
