// What the connection pages offer, as data: the 24 emulation names, the terminal model
// lists with their captions and settings, the telnet terminal name the terminal uses when
// none is stored, which of page 128's options each emulation shows, the serial-line
// choices and the numbers of serial ports.
#pragma once

#include <vector>

#include "wizard/engine/profilevalues.h"

constexpr int kWizardEmulationCount = 24;
// "VT52" ... "AIXTerm", by EmulationId.
extern const char* const kEmulationNames[kWizardEmulationCount];

struct ModelList {
    u32 captionId;          // language string of the list's caption
    WizardValueId setting;  // the value that keeps the chosen index
    const char* const* names;
    int count;
};
// The model list of an emulation; nullptr for one without models.
const ModelList* ModelListFor(u32 emulation);
// The caption as the page shows it: at most 56 characters, an "&" in front when it has
// none, ":" at the end when it has none.
WText ModelCaption(const WText& text);

// The telnet terminal name sent when the connection stores none, by emulation and model
// index (the model is the VT terminal id, the 3270, 5250 or HP model).
WText DefaultTelnetName(u32 emulation, u32 model);
// The model index that names the default for an emulation's settings.
u32 TelnetModelOf(u32 emulation, const u32* numbers);

// Page 128's option check boxes and the emulations that show each.
struct EmulationOption {
    u16 control;
    WizardValueId setting;
    u32 emulations;  // one bit per EmulationId
};
constexpr int kEmulationOptionCount = 6;
extern const EmulationOption kEmulationOptions[kEmulationOptionCount];
bool ShowsOption(const EmulationOption& option, u32 emulation);
// IBM 3270 and 5250 reach their host over TCP/IP only.
bool TcpOnlyEmulation(u32 emulation);

// A serial port's device number from its name ("COM3" is 2): the number after the first
// three characters, up to the first character that is no digit, minus one; -1 when there
// is no number.
int SerialDeviceNumber(const WText& portName);

// The serial dialog's lists (index = setting).
struct ChoiceList {
    u16 control;
    WizardValueId setting;
    const char* const* items;
    int count;
};
constexpr int kSerialChoiceCount = 6;
extern const ChoiceList kSerialChoices[kSerialChoiceCount];

// Page 140: the mouse cursors (index 1-14; 0 chooses none), language strings 30264-30277.
constexpr u32 kFirstMouseCursorString = 30264;
constexpr int kMouseCursorCount = 14;

// The ports the printer and auxiliary pages offer: the serial ports named "COM..."
// first, then every printer port naming "LPT", each once (compared without case), in
// that order.
std::vector<WText> PortList(const std::vector<WText>& serialPorts, const std::vector<WText>& printerPorts);
// "COM" anywhere in the name: a serial port whose line the serial dialog sets.
bool IsSerialPortName(const WText& name);
// The port a page selects: the stored one, else "LPT1:" when listed; empty for none.
WText DefaultPort(const std::vector<WText>& ports, const WText& stored);
