#include "vt_fixture.h"

#include "support/doubles_host.h"
#include "support/doubles_network.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/screen/paintsettings.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/emulations/dec/vtservices.h"
#include "terminal/emulations/dec/keys/keysequences.h"
#include "terminal/emulations/dec/reports/reports.h"
#include "terminal/emulations/dec/vtparts.h"
#include "terminal/input/macros/keydefs.h"
#include "terminal/emulations/dec/controls/rendition.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/emulations/dec/controls/softfont.h"
#include "terminal/emulations/dec/controls/vtcharsets.h"
#include "terminal/emulations/dec/vtmodes.h"
#include "terminal/settings/store/colours.h"
#include "terminal/settings/store/profilevalues.h"

void VtTest::SetUp()
{
    ResetDecState();
    HostPathTest::SetUp();
    // A VT420 on one page, unless a test asks for the pages (UsePages).
    TerminalId = 8;
}

void VtTest::UsePages()
{
    TerminalId = 8;
    ApplyPageModeSetting();
}

void VtTest::TearDown()
{
    HostPathTest::TearDown();
    ResetDecState();
    TerminalId = 0;
}

std::string VtTest::Answer(const std::string& bytes)
{
    {
        std::lock_guard<std::mutex> guard(doubles::Network().lock);
        doubles::Network().sent.clear();
    }
    Feed(bytes);
    return Text(Sent());
}

std::string VtTest::Text(const std::vector<u8>& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

std::string VtTest::Cursor()
{
    return std::to_string(Screen.cursorRow) + "," + std::to_string(Screen.cursorColumn);
}

std::string E(const std::string& text)
{
    return "\x1b" + text;
}

std::string C(const std::string& text)
{
    return "\x1b[" + text;
}
