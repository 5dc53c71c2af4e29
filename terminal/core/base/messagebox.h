// Message boxes owned by the main window, with language texts and the exclamation icon.
// Engines reach the user only through these; they return the MessageBoxW result.
#pragma once

#include "terminal/core/base/vxtypes.h"

int ShowMessage(const wchar16* text);
int MessageBoxById(u32 id);
int MessageBoxFormatId(u32 id, const wchar16* argument);
int MessageBoxFormatIdNumber(u32 id, i32 argument);
int MessageBoxFormatId2(u32 id, const wchar16* argument1, const wchar16* argument2);
// A format with a text and then a number (%s ... %d).
int MessageBoxFormatIdTextNumber(u32 id, const wchar16* text, i32 number);
// The Windows Sockets error box: caption "TCP/IP - Error", the text for that error code,
// else "Unable to make a connection (error = %d)".
int ShowTcpIpErrorBox(i32 code);
