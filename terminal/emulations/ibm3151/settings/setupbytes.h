// The set-control bytes as settings: their factory and default values, and the IBM
// 3151 Setup page's working fields packed into them and unpacked from them.
#pragma once

#include "terminal/core/base/vxtypes.h"
#include "terminal/settings/store/setuptext.h"

constexpr int kI3151TerminalIdEditChars = 21;
// The page's working fields (list indexes, check boxes, the counted terminal ID).
struct I3151SetupFields {
    u16 mode, format, turnaround, forcingInsert, insertCharacter, tab, enter, returnKey, send;
    u16 autoWrap, autoLf, autoNewLine, model;
    wchar16 terminalId[CountedTextUnits(kI3151TerminalIdEditChars)];
};
extern I3151SetupFields I3151Setup;

// The factory bytes as they are, and the defaults made from them (Echo mode,
// turnaround CR, forcing insert of line and character, Insert Character = Space, field
// tabs and returns, Enter = Return, Send = Page, Auto Wrap on).
void I3151FactorySetupBytes();
void I3151DefaultSetupBytes();
// The profile's default of each stored byte: index 0 the mode byte, 1..17 bytes 0..16.
u8 I3151DefaultSetupValue(int index);

void I3151UnpackSetupBytes();
// OK of the Setup page: the fields into the bytes, then what changed takes effect (a
// new operating mode clears the page, a new format repartitions the screen).
void I3151PackSetupBytes();
// The page's Defaults button.
void I3151DefaultSetupFields();
