// 5250 selection fields: what one choice is drawn as (frame, indicator, text with its
// mnemonic) for each state, the separator lines, and the keys that act on choices.
#pragma once

#include "terminal/emulations/ibmhost/5250/session5250.h"

// Draws a choice at its start address; with text it is the first drawing (the default
// attribute 0x20), without text a redraw after its state changed. Returns the address
// after what was written.
i32 I5250DrawChoice(I5250Session* s, const u8* text, u8 defaultAttribute, I5250Choice& choice,
                    I5250SelectionField& field);
// A separator line; row and column 0-based. The caller has checked that it fits.
void I5250DrawSeparatorLine(I5250Session* s, int row, int column, int length, u8 fill, u8 attribute,
                            bool noAttribute);
// The width one choice of a field takes on the screen.
int I5250ChoiceWidth(const I5250SelectionField& field, const I5250Choice& choice);

// Key codes the selection fields act on besides the keyboard's own: a cursor move and a
// typed blank.
constexpr int kSelectionMove = 1, kSelectionBlank = 64;
// The selection-field key hook: 0 when the key was taken, 1 when it goes on as usual.
int I5250SelectionFieldKey(I5250Session* s, int code, i32 address);
// A typed character that is a choice's mnemonic in the cursor's field selects it; true
// when it did.
bool I5250SelectionMnemonic(I5250Session* s, u8 character);
