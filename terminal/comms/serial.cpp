#include "terminal/comms/serial.h"

// No serial port can be opened yet: there is never a port record.
std::atomic<u8> SerialOpenPending{0};

bool SerialPortRecordExists()
{
    return false;
}
bool ConfiguredSerialPortOpen()
{
    return false;
}
int SerialReadByte()
{
    return -1;
}
void SerialQueueByte(u8) {}
void SerialWriteBlock(const u16*, int) {}
bool TransmitPacing()
{
    return false;
}
void WaitTransmitDelay() {}
bool SerialSendingSuppressed()
{
    return false;
}
void RunSerialTransmitPump() {}
void OpenPendingSerialPort()
{
    SerialOpenPending = 0;
}
