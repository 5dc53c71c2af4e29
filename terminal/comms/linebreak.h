// A break on the line to the host.
#pragma once

// A telnet BREAK on a network connection. A serial line has no break signal yet.
void SendBreak();
