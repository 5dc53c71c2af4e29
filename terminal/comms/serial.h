// The host serial port as the host path sees it.
#pragma once

#include <atomic>

#include "terminal/core/base/vxtypes.h"

// A current serial port record exists (a port was chosen, open or not).
bool SerialPortRecordExists();
// The port with the configured number is open.
bool ConfiguredSerialPortOpen();
int SerialReadByte();  // next received byte, -1 when none
// Queues one byte on the transmit ring; a block goes out as one write.
void SerialQueueByte(u8 byte);
void SerialWriteBlock(const u16* units, int n);
// Transmit pacing: typed bytes go out one by one with a delay after each.
bool TransmitPacing();
void WaitTransmitDelay();
bool SerialSendingSuppressed();
void RunSerialTransmitPump();
// Set by the start-connection command; the host-data thread opens the port.
extern std::atomic<u8> SerialOpenPending;
void OpenPendingSerialPort();
