// Serial ports opened with overlapped I/O: configuration from the line settings, a
// comm-event thread that signals arriving bytes, a read buffer, and the transmit ring
// that a pump writes to the line one byte at a time. The host connection, the serial
// printer and the auxiliary port each use one; a port they share has one context.
#pragma once

#include <atomic>

#include "terminal/comms/serial/serialports.h"
#include "terminal/comms/serial/transmitring.h"

enum class SerialRole : u8 { Host, Printer, Aux };

constexpr int kSerialReadBufferSize = 2048;

struct SerialPortContext {
    DCB dcb;
    u8* readBuffer = nullptr;
    u32 readIndex = 0, readCount = 0;
    TransmitRing* ring = nullptr;
    HANDLE handle = INVALID_HANDLE_VALUE;
    HANDLE receiveEvent = nullptr;
    HANDLE eventThread = nullptr;
    DWORD eventThreadId = 0;
    HANDLE pendingThread = nullptr;     // closed by the next start or the close
    std::atomic<u8> pendingRunning{0};  // the held-line thread runs
    std::atomic<u32> run{0};
    OVERLAPPED readOv{}, writeOv{};
    DWORD readWait = 0;  // ms the reader waits for the receive event
    SerialRole role = SerialRole::Host;
    SerialPortRecord* record = nullptr;
    std::atomic<u8> closeRequested{0};  // the printer port closes once its ring is sent
};

// Line settings of one open: indices of the settings tables.
struct SerialLineSettings {
    u32 speed, dataBits, parity, stopBits, flowControl;
};

// The host connection's port: opens (or re-configures) `number` with the line
// settings; true when it is open.
bool SerialOpen(u32 number, u32 kind, const SerialLineSettings& line, u8 xon, u8 xoff);
// Creates the context when missing and opens the device: up to 4 attempts 250 ms
// apart; after the last one the error message (none while a profile loads). The
// handle, or INVALID_HANDLE_VALUE.
HANDLE SerialOpenDevice(SerialPortRecord* record, SerialRole role);
// Applies the line settings and starts reading; false (with the error message, the
// port closed) when the device refuses them.
bool SerialConfigure(SerialPortContext* context, const SerialLineSettings& line, u8 xon, u8 xoff);
// `keepOutput`: what the line has taken stays with it (a drained printer port); a
// purge there would also throw away what a pseudo-terminal's far end has not read yet.
void SerialClose(u32 number, bool keepOutput = false);
void CloseAllSerialPorts();

int SerialReadByte(SerialPortContext* context);
bool SerialInputBuffered(const SerialPortContext* context);
void SerialWriteByte(SerialPortContext* context, u8 byte);
void SerialWriteBlock(SerialPortContext* context, const u16* units, int count);
void SerialPump(SerialPortContext* context, bool force);
void SerialServiceTransmit(SerialPortContext* context);
i32 SerialRingFree(const SerialPortContext* context);
void SerialRingPut(SerialPortContext* context, u8 byte);
void SerialWaitOutputDrained(SerialPortContext* context);

// The message for a failed open: 7150 when another program holds the port, else 7121.
u32 SerialOpenErrorMessage(DWORD error);

// Host port state.
extern std::atomic<SerialPortContext*> HostSerialContext;
extern std::atomic<u32> HostSerialPort;  // the open host port's number, 255 none
extern std::atomic<SerialPortContext*> AuxSerialContext;
extern std::atomic<SerialPortContext*> PrinterSerialContext;

// Transmit pacing of the host port (ms after each byte; negative paces without sleep).
extern std::atomic<i32> TransmitPacingDelay;
void ComputeTransmitPacing();

// DCB editors.
void SerialSetBaud(SerialPortContext* context, u32 speed);
void SerialSetDataBits(SerialPortContext* context, u32 dataBits);
void SerialSetParity(SerialPortContext* context, u32 parity, u32 check);
void SerialSetStopBits(SerialPortContext* context, u32 stopBits);
void SerialSetFlowControl(SerialPortContext* context, u32 mode, u8 xon, u8 xoff);
void SerialSetRts(SerialPortContext* context, bool on);
void SerialSetDtr(SerialPortContext* context, bool on);

// The transmit lock (ring indexes, pump, close).
void LockTransmit();
bool TryLockTransmit();
void UnlockTransmit();

// The thread that signals arriving bytes (serialio.cpp).
bool StartCommEventThread(SerialPortContext* context);
// The thread that keeps a held line going (compending.cpp); call under the transmit lock.
bool StartComPendingThread(SerialPortContext* context);

// What the held-line thread asks of the side a printing port serves: the printer and the
// auxiliary port each fill their row as the program starts (printport.cpp, auxport.cpp).
// An empty row gives the line up when it stays held.
enum class HeldLineAnswer : u8 { Abort, Retry, Ignore };
struct HeldLineSide {
    // The line stays held: whether to go on.
    HeldLineAnswer (*ask)() = nullptr;
    // The held state in the side's indicator.
    void (*setHeld)(bool held) = nullptr;
    // The thread ends; `aborted` when the user gave the line up.
    void (*ended)(bool aborted) = nullptr;
};
extern HeldLineSide HeldLinePrinter, HeldLineAux;
// SerialRetry of the program's "Settings" key: the countdown after the user chose Retry.
u32 ReadSerialRetry();
