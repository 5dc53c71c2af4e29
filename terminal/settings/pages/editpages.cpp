// The "Local Editing" (slot 11) and "Block Transmission" (slot 12) pages: radio groups,
// check boxes and the two end-character texts, all plain working-copy fields. What they
// change takes effect in the DEC family's local editing and block transmission.
#include "terminal/settings/setup/setupcopy.h"
#include "terminal/settings/setup/setuppages.h"

namespace {

SetupWorkingCopy& W = SetupCopy;

const SetupControlEntry kLocalEditing[] = {
    SetupButton(IDOK),
    SetupButton(IDCANCEL),
    SetupRadio(1640, &W.editOperation),    // "&Interactive", "&Edit", "&Unavailable"
    SetupRadio(1650, &W.editKeyDeferred),  // "I&mmediate", "&Deferred"
    SetupCheck(1660, &W.eraseUnprotected),
    SetupCheck(1661, &W.editClearsAttributes),
    SetupCheck(1662, &W.editProtectsAll),
    SetupEnd(),
};

const SetupControlEntry kBlockTransmission[] = {
    SetupButton(IDOK),
    SetupButton(IDCANCEL),
    SetupCheck(1820, &W.sendUnprotectedOnly),
    SetupCheck(1830, &W.sendFontInformation),
    SetupCheck(1840, &W.sendSelectedOnly),
    SetupCheck(1850, &W.sendRecordSeparators),
    SetupCheck(1860, &W.sendAllSelected),
    SetupCheck(1870, &W.sendCompressed),
    SetupCheck(1880, &W.lineTransmission),
    SetupCheck(1890, &W.sendPartialPage),
    SetupRadio(1900, &W.sendKeyDeferred),  // "I&mmediate", "&Deferred"
    SetupRadio(1910, &W.pfKeyEffect),      // "&None", "&Breakthrough", "As &TX Prefix"
    SetupRadio(1920, &W.vt131Protocol),    // "Ans&i", "&VT 131"
    SetupLabel(1930),
    SetupCountedEdit(1931, W.endOfLine),
    SetupLabel(1940),
    SetupCountedEdit(1941, W.endOfBlock),
    SetupEnd(),
};

// The focus goes to the checked edit-operation button.
// clang-format off
const SetupPage kLocalEditingPage{2240, kLocalEditing, 1640, 0, nullptr, 0, nullptr, nullptr, nullptr, nullptr,
                                  nullptr};
const SetupPage kBlockTransmissionPage{2250, kBlockTransmission, 1820, 0, nullptr, 0, nullptr, nullptr,
                                       nullptr, nullptr, nullptr};
const bool kRegistered = (RegisterSetupPage(11, &kLocalEditingPage), RegisterSetupPage(12, &kBlockTransmissionPage),
                          true);
// clang-format on

}  // namespace
