// A break on the line to the host.
#pragma once

// A telnet BREAK on a network connection; on a serial line a 300 ms break signal.
void SendBreak();
