// The DEC family's ESC: the collector is reset and the table walker runs from the ANSI
// or the VT52 escape state, pulling the sequence's bytes through NextSequenceByte.
#pragma once

#include "terminal/core/host/escparser.h"

// Runs one sequence from `state`, pulling bytes with NextSequenceByte.
void ParseWithStateTable(const ParserRange* state);
void VtBeginEscape();
void VtEnterAnsiEscape();
void VtEnterVt52Escape();

// Reads bytes (7 bits) while they lie in low..high, executing control characters met on
// the way; the first byte outside the range is consumed. A cancelled sequence ends it.
void SkipSequenceBytes(int low, int high);
void SkipIntermediates();
void SkipParameters();
