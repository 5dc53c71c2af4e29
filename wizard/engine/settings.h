// The working copy of one connection that every page edits and the profile code reads
// and writes: one number or text per row of the value table, the login script, the
// TN5250 NEW-ENVIRON variables and the start options.
#pragma once

#include <vector>

#include "wizard/engine/commandline.h"
#include "wizard/engine/profilevalues.h"
#include "wizard/engine/startline.h"

// The wizard's own window captions (language strings).
constexpr u32 kCaptionNew = 30233, kCaptionEdit = 30234;
// Emulation numbers the wizard treats apart.
constexpr u32 kEmulationIbm3270 = 6, kEmulationIbm5250 = 7;

struct LoginStep {
    WText wait;
    WText response;
    u32 kind = 0;  // 2: `wait` is a condition (<KL>, <KU>), else a text to wait for
};
constexpr u32 kLoginStepCondition = 2;
// Steps the reader takes from a stored count: a damaged count must not exhaust memory.
constexpr u32 kMaxLoginSteps = 256;

struct LoginScript {
    WText initiate;
    std::vector<LoginStep> steps;
};

// The 5250 display device's variables: "USER" in "5250,VAR", the rest in "5250,USERVAR".
constexpr int kDisplayVariableCount = 9;
struct EnvironmentVariable {
    const char* name;
    u8 type;       // 0 VAR, 3 USERVAR
    u16 capacity;  // characters a page lets the user type
};
extern const EnvironmentVariable kDisplayVariables[kDisplayVariableCount];

// The 5250 printer device's variables, all in "5250PRT,USERVAR".
constexpr int kPrinterVariableCount = 14;
struct PrinterVariable {
    const char* name;
    bool number;
    u16 limit;  // texts: units; numbers: a stored number is below it
};
extern const PrinterVariable kPrinterVariables[kPrinterVariableCount];
// The device type that makes a 5250 connection a printer.
extern const wchar16 kPrinterDeviceType[];

struct WizardSettings {
    u32 number[kWizardValueCount];
    WText text[kWizardValueCount];

    WText name;       // the connection, at most 43 characters
    WText startName;  // the name it had when the wizard started (a rename is detected on save)
    WizardMode mode = WizardMode::New;
    bool userScope = false;          // profiles go under HKEY_CURRENT_USER
    bool deleteWholeProfile = true;  // off (-M): a replaced or deleted profile keeps MACROS
    u32 caption = kCaptionNew;

    LoginScript script;
    WText deviceType;  // the 5250 telnet terminal name, set when the telnet dialog opens
    WText displayVariables[kDisplayVariableCount];
    WText printerTexts[kPrinterVariableCount];
    u32 printerNumbers[kPrinterVariableCount] = {};

    u32 startOptions = kDefaultStartOptions;
    u32 language = 0;

    ValueBits present;  // stored in the machine profile with another value than the initial one
    ValueBits changed;  // differs from what the machine profile gives

    u32& Number(WizardValueId id) { return number[id]; }
    WText& Text(WizardValueId id) { return text[id]; }
    bool Serial() const { return number[kValueNetproto] == 1; }
    bool PrinterDevice() const;
};

// Every row at its factory value, except the transport (TCP/IP) and the language index;
// the name is kept in edit mode, else emptied; the script is emptied.
void WizardSetDefaults(WizardSettings& s, u32 languageIndex);
