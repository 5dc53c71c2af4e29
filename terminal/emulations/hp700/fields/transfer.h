// The HP 700/92's block transfers: a line or a page (in format mode the unprotected
// fields) sent to the host with separators and terminators.
#pragma once

// ESC d (pending bit 9): the transfer the modes choose.
void Hp700BlockTransfer();
// The Enter key's transmissions (pending bits 6, 7 and 8).
void Hp700SendEnter(int bit);
