// The character screen store shared by the character-mode emulations.
#pragma once

// Allocates the line table and lines; 0 when memory ran out.
int AllocScreenStore();
// Allocates the key-event ring and the deferred-key stack; 0 when memory ran out.
int AllocInputQueues();
