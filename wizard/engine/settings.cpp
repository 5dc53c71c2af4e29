#include "wizard/engine/settings.h"

// clang-format off
const EnvironmentVariable kDisplayVariables[kDisplayVariableCount] = {
    {"USER", 0, 12}, {"IBMSUBSPW", 3, 11}, {"IBMCURLIB", 3, 11}, {"IBMIMENU", 3, 11}, {"IBMPROGRAM", 3, 11},
    {"DEVNAME", 3, 33}, {"KBDTYPE", 3, 4}, {"CODEPAGE", 3, 6}, {"CHARSET", 3, 6},
};

const PrinterVariable kPrinterVariables[kPrinterVariableCount] = {
    {"DEVNAME", false, 33},     {"IBMIGCFEAT", true, 5},    {"IBMMSGQNAME", false, 11},
    {"IBMMSGQLIB", false, 11},  {"IBMFONT", false, 11},     {"IBMFORMFEED", true, 4},
    {"IBMTRANSFORM", true, 3},  {"IBMMFRTYPMDL", false, 18}, {"IBMPPRSRC1", true, 14},
    {"IBMPPRSRC2", true, 14},   {"IBMENVELOPE", true, 9},   {"IBMASCII899", true, 3},
    {"IBMWSCSTNAME", false, 11}, {"IBMWSCSTLIB", false, 11},
};
// clang-format on

const wchar16 kPrinterDeviceType[] = VXT("IBM-3812-1");

bool WizardSettings::PrinterDevice() const
{
    return deviceType == kPrinterDeviceType;
}

void WizardSetDefaults(WizardSettings& s, u32 languageIndex)
{
    for (int i = 0; i < kWizardValueCount; ++i) {
        s.number[i] = static_cast<u32>(kWizardValues[i].factory);
        s.text[i].clear();
    }
    s.number[kValueNetproto] = 0;
    s.number[kValueLanguage] = languageIndex;
    s.language = languageIndex;
    if (s.mode != WizardMode::Edit)
        s.name.clear();
    s.script = LoginScript{};
    s.deviceType.clear();
    for (WText& v : s.displayVariables)
        v.clear();
    for (int i = 0; i < kPrinterVariableCount; ++i) {
        s.printerTexts[i].clear();
        s.printerNumbers[i] = 0;
    }
    s.caption = kCaptionNew;
    s.present.reset();
    s.changed.reset();
}
