// Capture and replay files as the commands see them (platform): the File menu's
// capture (1004) and replay (1005) items, and the capture file the DEC and other
// families open for the host.
#pragma once

#include "terminal/core/base/win32.h"

// 1004: closes a running capture, else asks for a file and starts one.
void CaptureCommand(HWND owner);
// 1005: stops a running replay, else asks for a file and starts one.
void ReplayCommand(HWND owner);

int CreateCaptureFile(const wchar_t* name);
int AppendCaptureFile(const wchar_t* name);
void CloseCaptureFile();
void FlushCaptureBuffer();
void CaptureWriteByte(u8 byte);
// The save dialog; 1 when a file was created.
int StartCaptureToFile(HWND owner);
// The open dialog with the Replay To choice; 1 when a file is open.
int StartReplayFromFile(HWND owner);
// A replayed byte meets the capture as a received one does: -1 when a diverting
// capture took it, else the byte.
int CaptureReplayedByte(u8 byte);
// Has the File menu's capture and replay texts refreshed on the user-interface thread.
void RefreshCaptureMenus();
