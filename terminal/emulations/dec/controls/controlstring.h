// Readers of the strings that follow a DCS, OSC, PM or APC introducer. They take the
// host's bytes raw (not through the sequence reader, which would execute controls),
// and stop at ESC, CAN or SUB, which they give back so that the parser sees them: an
// ESC there is the start of the string terminator ESC \ (or of a new sequence).
#pragma once

#include "terminal/core/base/vxtypes.h"

// The end-of-string marker: no byte value can be mistaken for it.
constexpr int kStringEnd = 0x100;

// One raw byte of the string, or kStringEnd (ESC, CAN and SUB are pushed back; an 8-bit
// ST is taken as the end; so is a reader stop).
int ReadStringByte();
// Reads to the end of the string.
void SkipControlString();
// Reads text up to the end of the string: at most `capacity` bytes are kept, the rest
// is read and dropped. Returns the count kept.
int ReadStringText(u8* buffer, int capacity);
// DCS Ps z: the capture file command, Ps 0 a new file, 1 append. The string is the
// file's name up to NUL or ";", then the data for the file, which the host path
// diverts to it until the string ends.
constexpr int kHostCaptureNameMax = 127;
void CaptureControlString();
