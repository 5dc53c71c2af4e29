// The key dispatcher: one special key (a key code with its shift state 0-7) to the
// running family's keyboard (FamilyHooks::dispatchKey).
#pragma once

// Does nothing while typed units wait on the keyboard input stack.
void DispatchKey(int keyCode, int shift);
