// The NEW-ENVIRON (RFC 1572) reply of a 5250 session and the stores it reads.
#pragma once

#include <string>
#include <vector>

#include "terminal/comms/telnet/network.h"

constexpr u8 kEnvVar = 0, kEnvValue = 1, kEnvEsc = 2, kEnvUserVar = 3;
// The reply never grows past this many bytes (IAC SB ... IAC SE included).
constexpr std::size_t kEnvironReplyMax = 1024;

// Answers IAC SB NEW-ENVIRON SEND <request> IAC SE; `request` is what follows SEND.
void NewEnvironReply(SocketHandle socket, const u8* request, std::size_t length);

// The variables of a subkey of the profile's "Telnet" section ("5250,VAR", "5250,USERVAR",
// "5250PRT,VAR", "5250PRT,USERVAR") in the machine-wide or the per-user store
// (platform code; doubles in tests).
std::vector<std::u16string> TelnetEnvironNames(bool machineWide, const wchar16* subkey);
bool TelnetEnvironValue(bool machineWide, const wchar16* subkey, const std::u16string& name,
                        std::u16string& value);
