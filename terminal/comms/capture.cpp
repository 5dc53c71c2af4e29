#include "terminal/comms/capture.h"

// No capture or replay file can be opened yet.
bool ReplayFileOpen()
{
    return false;
}
int ReplayNextByte()
{
    return -1;
}
bool CaptureFileOpen()
{
    return false;
}
bool CaptureDiverting()
{
    return false;
}
bool CaptureDebugMode()
{
    return false;
}
bool TelnetRawCaptureActive()
{
    return false;
}
void AppendCaptureByte(u8) {}
void EndDivertingCapture() {}
