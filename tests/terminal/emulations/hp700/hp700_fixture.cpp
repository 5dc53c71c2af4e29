#include "hp700_fixture.h"

#include "support/doubles_network.h"
#include "support/doubles_registry.h"
#include "support/test_doubles.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/base/family.h"
#include "terminal/emulations/hp700/charset/roman8.h"
#include "terminal/emulations/hp700/family.h"
#include "terminal/emulations/hp700/lifecycle.h"
#include "terminal/emulations/hp700/memory/memory.h"
#include "terminal/emulations/hp700/screen/display.h"
#include "terminal/emulations/hp700/terminaltype.h"

namespace {
std::string LineText(const HpLine* line)
{
    std::string s;
    for (int c = 0; line && c <= Hp700.lastColumn; ++c) {
        const ScreenCell& cell = line->cells[c];
        s.push_back(cell.ch == 0 ? ' ' : static_cast<char>(cell.ch));
    }
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}
}  // namespace

void Hp700Test::SetUp()
{
    HostPathTest::SetUp();
    doubles::ResetRegistry();
    HpModel = 1;
    Hp700 = Hp700State{};
    Hp700SetRoman8Tables(Hp700BuiltInLatinToRoman8(), Hp700BuiltInRoman8ToLatin());
    EmulationId = kEmuHp70092;
    SetActiveFamily(&Hp700Family);
    ASSERT_TRUE(Hp700StartEngine());
}

void Hp700Test::TearDown()
{
    Hp700StopEngine();
    SetActiveFamily(nullptr);
    EmulationId = kDefaultEmulationId;
    HpModel = 1;
    HostPathTest::TearDown();
}

std::string Hp700Test::ScreenRow(int row)
{
    return LineText(Hp700WindowLine(row));
}

std::string Hp700Test::MemoryLine(int line)
{
    return LineText(Hp700Line(line));
}

std::string Hp700Test::TakeSent()
{
    std::lock_guard<std::mutex> guard(doubles::Network().lock);
    std::string s(doubles::Network().sent.begin(), doubles::Network().sent.end());
    doubles::Network().sent.clear();
    doubles::Network().sendCalls.clear();
    return s;
}
