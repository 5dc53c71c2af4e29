// The serial port, the connection, capture and replay, printing, the auxiliary port and
// the login script as the host path sees them.
#include "support/doubles_host.h"

#include <string>

#include "terminal/comms/aux/auxport.h"
#include "terminal/core/host/capture.h"
#include "terminal/comms/telnet/netsession.h"
#include "terminal/comms/capture/loginscript.h"
#include "terminal/comms/printing/printing.h"
#include "terminal/comms/printing/printstatus.h"
#include "terminal/comms/serial/serial.h"
#include "terminal/core/screen/autoprint.h"
#include "terminal/core/screen/screenstore.h"

std::atomic<u8> SerialOpenPending{0};
std::atomic<u32> ConnectionStartState{0};
std::atomic<u32> DisconnectRequested{0};

namespace doubles {
CommsDouble& Comms()
{
    static CommsDouble c;
    return c;
}
}  // namespace doubles

using doubles::Comms;

// clang-format off
bool SerialPortRecordExists() { return Comms().serialRecord; }
bool ConfiguredSerialPortOpen() { return Comms().serialOpen; }
// clang-format on
int SerialReadByte()
{
    auto& q = Comms().serialIncoming;
    if (q.empty())
        return -1;
    const int b = q.front();
    q.pop_front();
    return b;
}
void SerialQueueByte(u8 byte)
{
    Comms().serialSent.push_back(byte);
    Comms().serialSendCalls.push_back(1);
}
void SerialWriteBlock(const u16* units, int n)
{
    for (int i = 0; i < n; ++i)
        Comms().serialSent.push_back(static_cast<u8>(units[i]));
    Comms().serialSendCalls.push_back(n);
}
// clang-format off
bool TransmitPacing() { return Comms().transmitPacing; }
void WaitTransmitDelay() { ++Comms().transmitDelays; }
bool SerialSendingSuppressed() { return false; }
bool SerialInputBuffered() { return false; }
void SerialSendBreak() { ++Comms().serialBreaks; }
// clang-format on
void RunSerialTransmitPump() {}
void RequestSerialConnection()
{
    ++Comms().serialOpensPending;
}
void RequestSerialClose() {}
void OpenPendingSerialPort()
{
    ++Comms().serialOpensPending;
    SerialOpenPending = 0;
}

int ConnectWithRollover(u32, const wchar16*)
{
    ++Comms().connectStarts;
    return Comms().connectResult;
}
int ConnectNetworkSession(u32 protocolIndex, const wchar16* host)
{
    return ConnectWithRollover(kProtocolTcpIp + protocolIndex, host);
}
// clang-format off
void DisconnectNetworkSession(SocketHandle) { ++Comms().closes; }
void LoadTelnetSettings() {}

bool ReplayFileOpen() { return Comms().replayOpen; }
// clang-format on
int ReplayNextByte()
{
    auto& q = Comms().replay;
    if (q.empty())
        return -1;
    const int b = q.front();
    q.pop_front();
    return b;
}
int ReplayReadBlock(u8* buffer, int capacity)
{
    auto& q = Comms().replay;
    int n = 0;
    while (n < capacity && !q.empty()) {
        buffer[n++] = static_cast<u8>(q.front());
        q.pop_front();
    }
    return n;
}
bool ReplayTargetHost()
{
    return Comms().replayToHost;
}
void StopReplay()
{
    ++Comms().replayStops;
    Comms().replayOpen = false;
}
int AskReplayStep()
{
    ++Comms().replaySteps;
    return Comms().replayStepAnswer;
}
// clang-format off
void CaptureReceivedBlock(const u8* bytes, int count) { Comms().capturedRaw.insert(Comms().capturedRaw.end(), bytes, bytes + count); }
void CaptureSentBlock(const u8* bytes, int count) { Comms().capturedSent.insert(Comms().capturedSent.end(), bytes, bytes + count); }
// clang-format on
bool StartHostCapture(int mode, const u8* name, int length)
{
    Comms().hostCaptures.push_back({mode, std::string(name, name + length)});
    Comms().captureOpen = Comms().diverting = Comms().hostCaptureResult;
    return Comms().hostCaptureResult;
}
bool OpenHostCaptureFile(int mode, const u8* name, int length)
{
    Comms().hostCaptureFiles.push_back({mode, std::string(name, name + length)});
    Comms().captureOpen = Comms().hostCaptureResult;
    return Comms().hostCaptureResult;
}
// clang-format off
bool CaptureFileOpen() { return Comms().captureOpen; }
bool CaptureDiverting() { return Comms().diverting; }
bool CaptureDebugMode() { return Comms().debugMode; }
bool TelnetRawCaptureActive() { return Comms().rawTelnetCapture; }
void AppendCaptureByte(u8 byte) { Comms().captured.push_back(byte); }
// clang-format on
void EndDivertingCapture()
{
    // The diverting capture's file closes at its terminator.
    ++Comms().divertingEnds;
    Comms().diverting = false;
    Comms().captureOpen = false;
}

// clang-format off
bool PassThroughActive() { return Comms().passThrough; }
bool AuxPortOpen() { return false; }
int AuxPortReadByte() { return -1; }
void AuxPortFilter(u8 byte) { Comms().auxPrinted.push_back(byte); }
bool PrinterControllerOn() { return Comms().printerController; }
int CurrentPrintMode() { return Comms().printMode; }
bool PrinterPortOpen() { return false; }
int PrinterPortReadByte() { return -1; }
void PrinterControllerByte(u8 byte) { Comms().printed.push_back(byte); }
bool AutoPrintOn() { return false; }
void PrintCursorLine() { ++Comms().cursorLinesPrinted; }
int CheckPrinterAvailable() { return Comms().printerAvailable ? 1 : 0; }
void StartPrinterController() { Comms().printCalls.push_back("controller on"); }
void StartPrintWithDisplay() { Comms().printCalls.push_back("controller shown on"); }
void StartAutoPrint() { Comms().printCalls.push_back("auto on"); }
void StopPrinting() { Comms().printCalls.push_back("off"); }
void StartPassThroughPrint() { Comms().printCalls.push_back("pass-through on"); }
void StopPassThroughPrint() { Comms().printCalls.push_back("pass-through off"); }
bool PrintingInProgress() { return Comms().printing; }
void RefreshPrinterStatus() { ++Comms().printerRefreshes; }
int StartPrintScreen()
{
    Comms().printCalls.push_back("screen");
    return 1;
}
int StartPrintBuffer()
{
    Comms().printCalls.push_back("buffer");
    return 1;
}
void PrintScreenLine(u32 line) { Comms().printCalls.push_back("line " + std::to_string(line)); }
void PrintChar(u16 ch) { Comms().printCalls.push_back("char " + std::to_string(ch)); }

// A line printed from elsewhere: its first character and the step posted next.
void PrintScreenLineRecord(const ScreenLineRecord* line, u32 next)
{
    if (!line) {
        Comms().printCalls.push_back("end");
        return;
    }
    Comms().printCalls.push_back(std::string(1, static_cast<char>(line->cells[0].ch)) + " " + std::to_string(next));
}

void SetLoginScriptPriority(int) {}
void StartLoginScript() { ++Comms().loginStarts; }
void StopLoginScript() { ++Comms().loginStops; }
bool LoginScriptRunning() { return Comms().loginRunning; }
void NotifyLoginScriptState() {}
void MatchLoginScriptText(int value) { Comms().loginSeen.push_back(value); }
// clang-format on
