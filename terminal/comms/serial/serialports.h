// The serial ports the machine has (HKLM HARDWARE\DEVICEMAP\SERIALCOMM), as a list of
// records shared by the host connection, the serial printer and the auxiliary port,
// and the Setup pages' port combos.
#pragma once

#include <mutex>

#include "terminal/core/base/win32.h"

struct SerialPortContext;

constexpr int kSerialPortNameUnits = 40;

struct SerialPortRecord {
    wchar_t name[kSerialPortNameUnits];  // "COM5:"
    u32 kind;
    u32 number;                  // the COM number minus 1; 255 = none
    SerialPortContext* context;  // null until opened
    SerialPortRecord* next;
};

// Reads the machine's ports afresh into the list (and into `combo` when given, each
// item's data its port number, selecting *workingDevice). With ports and a working
// device of 255, the first port becomes the working device and kind. Returns the
// number of ports; a missing key gives none.
int FillSerialPortList(HWND combo, u8* workingDevice = nullptr, u32* workingKind = nullptr);
// Adds the listed ports again to a combo without reading the machine's ports.
int AddSerialPortsToCombo(HWND combo, u8 workingDevice);
// Appends a record ("COM5" is stored as "COM5:"); null when out of memory.
SerialPortRecord* AddSerialPortRecord(const wchar_t* name, u32 kind);
// Adds a record's name to a combo; false when the combo is full.
bool AddPortToCombo(HWND combo, const SerialPortRecord* record, u8 workingDevice);
// Reads the machine's ports once when no list exists yet, so a stored port opens
// without Setup having listed them.
void EnsureSerialPortList();
SerialPortRecord* FirstSerialPort();
// The record of a port number; null for 255 or an unlisted number.
SerialPortRecord* FindSerialPort(u32 number);
SerialPortRecord* FindSerialPortByName(const wchar_t* name);
// Guards the list; the port code holds it while it opens or closes a port, so no record
// in use is freed under it.
std::recursive_mutex& SerialListLock();
// Frees every record (at exit, after every port was closed).
void FreeSerialPorts();
// The device path that opens the port: "\\.\COM12" (a plain "COM12:" opens only up to
// COM9). False when the name does not fit.
bool SerialDevicePath(const wchar_t* name, wchar_t* out, int capacity);
// The name as shown to the user: without the trailing ":".
void SerialDisplayName(const SerialPortRecord* record, wchar_t* out, int capacity);
