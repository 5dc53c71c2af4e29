// The TA6530's configuration values and its reports: terminal status (ESC ?),
// identification (ESC ^), terminal type (ESC _), cursor (ESC a), the configuration ESC v
// sets, the message field ESC o writes, and the ANSI mode's DCS ? and CSI x.
#pragma once

#include "terminal/core/base/vxtypes.h"

void TaStatusReport();
void TaIdentify();
void TaTerminalTypeReply();
void TaCursorReport();
void TaSetConfiguration();
void TaMessageText();
// ANSI mode: "letter digit digit" pairs up to ST; the report ESC P > ... ESC \.
void TaAnsiSetConfiguration();
void TaAnsiReportConfiguration();

// The line's codes as the reports give them.
u8 TaLineSpeedCode();
u8 TaParityCode();
