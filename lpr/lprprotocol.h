// The bytes of the line printer daemon protocol (RFC 1179) as this client sends them:
// the receive-job command, the file sub-commands, the file names and the control file.
#pragma once

#include <string>

#include "lpr/lprrequest.h"

// Name of the source file in the control file's N line.
inline constexpr const char* LprSourceName = "Windows Print";

constexpr u8 LprReceiveJob = 0x02;
constexpr u8 LprReceiveControlFile = 0x02;
constexpr u8 LprReceiveDataFile = 0x03;
constexpr u8 LprAbortJob = 0x01;

// Longest operands of control-file lines the protocol allows.
constexpr size_t LprHostLineMax = 31;
constexpr size_t LprUserLineMax = 31;

// The low byte of each UTF-16 unit, up to the terminating NUL or `max` units.
std::string LprLowBytes(const wchar16* text, size_t max = static_cast<size_t>(-1));

// "dfA" with the job number (at least three digits) and the local host name.
std::string LprDataFileName(i32 jobNumber, const char* localHost);
// The control file's name: the data file name with "c" for its first "d".
std::string LprControlFileName(const std::string& dataFileName);

// The control file of a request whose data file name is set. Sized from its inputs.
std::string LprControlFile(const LprRequest& r, const char* localHost);

// 0x02, the queue name, LF.
std::string LprReceiveJobCommand(const LprRequest& r);
// The code byte, then "<length> <name>" and LF.
std::string LprSubcommand(u8 code, u32 length, const std::string& name);

// Whether a text can stand as an operand: no control character (LF would end the line
// early, NUL ends strings on many daemons) and, for queue and file names, which other
// commands separate by white space, no space either and not empty.
bool LprTextAllowed(const std::string& bytes);
bool LprNameAllowed(const std::string& bytes);

// Every field a request sends: queue, user, job name, class and the local host name
// (part of the H line and of both file names).
bool LprRequestFieldsAllowed(const LprRequest& r, const char* localHost);
