// The host serial port as the host path and the commands see it.
#pragma once

#include <atomic>

#include "terminal/core/base/vxtypes.h"

// A current serial port record exists (a port was chosen, open or not).
bool SerialPortRecordExists();
// The port with the configured number is open.
bool ConfiguredSerialPortOpen();
int SerialReadByte();  // next received byte, -1 when none
// Received bytes wait in the read buffer: the reader takes them without waiting.
bool SerialInputBuffered();
// Queues one byte on the transmit ring; a block goes out as one write.
void SerialQueueByte(u8 byte);
void SerialWriteBlock(const u16* units, int n);
// Transmit pacing: typed bytes go out one by one with a delay after each.
bool TransmitPacing();
void WaitTransmitDelay();
bool SerialSendingSuppressed();
void RunSerialTransmitPump();
// Requests for the host-data thread, which alone reads the port: bit 1 open the
// configured port, bit 2 close the host port. The reader acts on them between bytes.
extern std::atomic<u8> SerialOpenPending;
void OpenPendingSerialPort();
// The start-connection command and a profile load: with the serial transport and a
// port chosen, the port becomes current, the pacing is computed and the reader opens it.
void RequestSerialConnection();
// Disconnect: the host port closes (on the reader when it runs).
void RequestSerialClose();
// A line break on the host port: 300 ms, started on the user-interface thread.
void SerialSendBreak();
// User-interface thread: the posted break request starts it, timer 3 ends it.
void StartSerialBreak();
void EndSerialBreak();
void KillBreakTimer();
// At exit, after the auxiliary port has closed: every port closed and the port list
// freed.
void ReleaseSerialPorts();
