// The profile's "IBM3270" section: the model, the keyboard-unlock delay and the SBCS
// code page, character set and CCSID. A value equal to its default is not written, and
// the SBCS defaults are those of the user's language, so a profile follows its user's
// language until a page is chosen.
#include <cstring>

#include "terminal/comms/telnet/recordsession.h"
#include "terminal/core/base/language.h"
#include "terminal/emulations/ibmhost/3270/settings3270.h"
#include "terminal/settings/store/profile.h"
#include "terminal/core/base/registry.h"

namespace {
constexpr const wchar16* kSection = VXT("IBM3270");

// A bypass sequence stored as up to 20 units without a terminator.
void ReadSequence(HKEY key, const wchar16* name, wchar16 (&text)[21])
{
    u16 units[20] = {};
    const int n = SettingsReadBinary(key, name, units, 20);
    if (n <= 0)
        return;
    for (int i = 0; i < 21; ++i)
        text[i] = i < n ? static_cast<wchar16>(units[i]) : 0;
}

void WriteSequence(HKEY key, const wchar16* name, const wchar16 (&text)[21])
{
    u16 units[20] = {};
    int n = 0;
    for (; n < 20 && text[n]; ++n)
        units[n] = static_cast<u16>(text[n]);
    if (n > 0)
        SettingsWriteBinary(key, name, units, n);
    else
        SettingsDeleteValue(key, name);
}

u8 LanguageRow()
{
    return static_cast<u8>(CurrentLanguageIndex > 0 ? CurrentLanguageIndex : 0);
}
}  // namespace

void I3270LoadSettings()
{
    I3270Settings& c = I3270Config;
    c.language = LanguageRow();
    u16 page, set, ccsid;
    I3270LanguageCodePages(c.language, page, set, ccsid);
    HKEY key = SettingsOpenSection(CurrentProfileName(), kSection);
    const u32 mode = SettingsReadDword(key, VXT("IBM_mode"), c.mode, 4);
    c.mode = static_cast<u8>(mode <= 12 ? mode : 4);
    Configured3270Model = c.mode;
    c.kbUnlock = static_cast<u16>(SettingsReadDword(key, VXT("IBM_KbUnlock"), c.kbUnlock, 0));
    c.sbcsCodePage = static_cast<u16>(SettingsReadDword(key, VXT("IBM_SbcsCodePage"), c.sbcsCodePage, page));
    c.sbcsCodeSet = static_cast<u16>(SettingsReadDword(key, VXT("IBM_SbcsCodeSet"), c.sbcsCodeSet, set));
    c.sbcsCcsid = static_cast<u16>(SettingsReadDword(key, VXT("IBM_SbcsCcsid"), c.sbcsCcsid, ccsid));
    // An older single-character start sequence, replaced by the sequence when stored.
    wchar16 start[21] = {}, end[21] = {};
    start[0] = static_cast<wchar16>(SettingsReadDword(key, VXT("IBM_PrintBypass"), c.printBypassSeq[0], 0) &
                                    0xFFFF);
    ReadSequence(key, VXT("IBM_PrintBypassSeq"), start);
    ReadSequence(key, VXT("IBM_PrintBypassEnd"), end);
    std::memcpy(c.printBypassSeq, start, sizeof start);
    std::memcpy(c.printBypassEnd, end, sizeof end);
    c.printBypassEndMethod = static_cast<u16>(
        SettingsReadDword(key, VXT("IBM_PrintBypassEndMethod"), c.printBypassEndMethod, 0));
    if (key)
        SettingsCloseKey(key);
}

void I3270SaveSettings()
{
    const I3270Settings& c = I3270Config;
    u16 page, set, ccsid;
    I3270LanguageCodePages(LanguageRow(), page, set, ccsid);
    HKEY key = SettingsCreateSection(CurrentProfileName(), kSection);
    if (!key)
        return;
    SettingsWriteDwordOrDelete(key, VXT("IBM_mode"), c.mode, 4);
    SettingsWriteDwordOrDelete(key, VXT("IBM_KbUnlock"), c.kbUnlock, 0);
    SettingsWriteDwordOrDelete(key, VXT("IBM_SbcsCodePage"), c.sbcsCodePage, page);
    SettingsWriteDwordOrDelete(key, VXT("IBM_SbcsCodeSet"), c.sbcsCodeSet, set);
    SettingsWriteDwordOrDelete(key, VXT("IBM_SbcsCcsid"), c.sbcsCcsid, ccsid);
    WriteSequence(key, VXT("IBM_PrintBypassSeq"), c.printBypassSeq);
    WriteSequence(key, VXT("IBM_PrintBypassEnd"), c.printBypassEnd);
    SettingsWriteDwordOrDelete(key, VXT("IBM_PrintBypassEndMethod"), c.printBypassEndMethod, 0);
    SettingsCloseKey(key);
}
