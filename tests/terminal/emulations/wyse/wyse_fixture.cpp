#include "wyse_fixture.h"

#include "support/doubles_network.h"
#include "support/doubles_registry.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/family.h"
#include "terminal/emulations/wyse/charsets/charsets.h"
#include "terminal/emulations/wyse/family.h"
#include "terminal/emulations/wyse/lifecycle.h"
#include "terminal/emulations/wyse/settings/wysesettings.h"
#include "terminal/emulations/wyse/store/wysemodes.h"
#include "terminal/emulations/wyse/store/wysestore.h"
#include "terminal/input/macros/keydefs.h"
#include "terminal/settings/store/profilevalues.h"

namespace {
std::string LineText(const ScreenLineRecord* line)
{
    std::string s;
    for (int c = 0; line && c <= WyStore.columnsLast; ++c) {
        const ScreenCell& cell = line->cells[c];
        const bool attribute = !WyStore.attrMode60 && (cell.rendition & kWyAttrCell);
        const u16 u = attribute || cell.ch == 0 ? ' ' : WyseCellUnicode(cell.ch, cell.flags);
        s.push_back(u < 0x80 ? static_cast<char>(u) : '?');
    }
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}
}  // namespace

void WyseTest::SetUp()
{
    HostPathTest::SetUp();
    doubles::ResetRegistry();
    SetFactoryVt300();
    DeleteAllKeyDefinitions();
}

void WyseTest::TearDown()
{
    LeaveWyse();
    DeleteAllKeyDefinitions();
    HostPathTest::TearDown();
}

void WyseTest::Start(u8 emulation)
{
    EmulationId = emulation;
    RequestedEmulationId = emulation;
    SetActiveFamily(&WyseFamily);
    ASSERT_TRUE(WyseStart());
}

std::string WyseTest::Answer(const std::string& bytes)
{
    {
        std::lock_guard<std::mutex> guard(doubles::Network().lock);
        doubles::Network().sent.clear();
    }
    Feed(bytes);
    const std::vector<u8> sent = Sent();
    return std::string(sent.begin(), sent.end());
}

std::string WyseTest::Text(int row)
{
    return row + 1 < kWyseScreenRows ? LineText(WyStore.row[row + 1]) : "<none>";
}

std::string WyseTest::Status()
{
    return LineText(WySet.stat ? WyLine(kWyseStatusRecord) : nullptr);
}

std::string WyseTest::Labels()
{
    return WyStore.labelRow >= 0 ? LineText(WyStore.row[WyStore.labelRow]) : "<none>";
}

std::string WyseTest::Cursor()
{
    return std::to_string(WyStore.cursorRow - 1) + "," + std::to_string(WyStore.cursorColumn);
}

std::string E(const std::string& text)
{
    return "\x1b" + text;
}

std::string At(int row, int column)
{
    return "\x1b=" + std::string(1, static_cast<char>(row + 32)) + std::string(1, static_cast<char>(column + 32));
}
