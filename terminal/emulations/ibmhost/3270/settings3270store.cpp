// The profile's "IBM3270" section: the model, the keyboard-unlock delay and the SBCS
// code page, character set and CCSID. A value equal to its default is not written, and
// the SBCS defaults are those of the user's language, so a profile follows its user's
// language until a page is chosen.
#include "terminal/comms/telnet/recordsession.h"
#include "terminal/core/base/language.h"
#include "terminal/emulations/ibmhost/3270/settings3270.h"
#include "terminal/settings/store/profile.h"
#include "terminal/core/base/registry.h"

namespace {
constexpr const wchar16* kSection = VXT("IBM3270");

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
    SettingsCloseKey(key);
}
