#include "terminal/emulations/hp700/keys/keys.h"

#include "terminal/emulations/hp700/hp700.h"

void Hp700DispatchKey(int, int) {}

void Hp700ReleaseKeyboard()
{
    Hp700.keyboardHeld = false;
}
