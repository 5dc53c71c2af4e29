// The VT status lines: the indicator line's fields, the host-writable line selected as
// the active display with the VT state kept apart, and the three display types.
#include <gtest/gtest.h>

#include <string>

#include "support/doubles_host.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/screen/screenops.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/emulations/dec/pages/statusline.h"
#include "terminal/emulations/dec/vtparts.h"
#include "terminal/settings/store/profilevalues.h"
#include "terminal/emulations/dec/vt_fixture.h"

namespace {

std::string StatusText()
{
    wchar16 text[kStoreColumns + 1];
    const int n = StatusLineText(text, kStoreColumns + 1);
    return std::string(text, text + n);
}

using StatusLine = VtTest;

TEST_F(StatusLine, TheIndicatorLineShowsPageCursorModesAndName)
{
    // The language double gives "#id" for each text; the page digit replaces the
    // third character of string 7400, the cursor digits follow it.
    EXPECT_EQ(StatusDisplayType(), kStatusIndicator);
    const std::string line = StatusText();
    EXPECT_EQ(line.substr(38, 6), "#11333");
    EXPECT_EQ(line.substr(21, 5), "#7404");
    EXPECT_EQ(line.substr(51, 5), "#7402");
    EXPECT_EQ(line.substr(5, 7), "001 001");
    // The cursor field follows the cursor at the idle tick, not with every move.
    Feed(C("5;10H"));
    EXPECT_EQ(StatusText().substr(5, 7), "001 001");
    ScheduleStatusCursor();
    EXPECT_EQ(StatusText().substr(5, 7), "005 010");
    Feed(C("24;80H"));
    ScheduleStatusCursor();
    EXPECT_EQ(StatusText().substr(5, 7), "024 080");
    // Insert mode and the emulation's name follow their changes, in the bar too.
    Feed(C("4h"));
    EXPECT_EQ(StatusText().substr(21, 5), "#7403");
    EXPECT_EQ(doubles::Ui().statusBarTexts[7404], 7403u);
    Feed(E(" G"));
    EXPECT_EQ(StatusText().substr(38, 6), "#11334");
    EXPECT_EQ(doubles::Ui().statusBarTexts[7409], 11334u);
}

TEST_F(StatusLine, TheHostWritesItsLineAndTheMainCursorStays)
{
    Feed(C("7;20H") + C("4m"));
    const std::string before = Answer(C("6n"));
    // tput tsl 10, "hello", tput fsl (vt420 terminfo).
    Feed(C("2$~") + C("1$}") + C("11`") + "hello" + C("0$}"));
    EXPECT_EQ(StatusText(), std::string(10, ' ') + "hello");
    EXPECT_EQ(Answer(C("6n")), before);
    EXPECT_EQ(Row(0), "");  // the main screen's first row is its own
    // Rendition and cursor of the status line were its own and stay apart.
    Feed("x");
    EXPECT_EQ(LineAt(6)->cells[19].ch, 'x');
    EXPECT_TRUE(LineAt(6)->cells[19].rendition & kRendUnderline);
    Feed(C("1$}") + "!" + C("0$}"));
    EXPECT_EQ(StatusText(), std::string(10, ' ') + "hello!");
    // Type 2 again keeps the line; type 0 removes it (tput dsl).
    Feed(C("2$~"));
    EXPECT_EQ(StatusText(), std::string(10, ' ') + "hello!");
    Feed(C("0$~"));
    EXPECT_EQ(StatusText(), "");
    EXPECT_EQ(StatusDisplayType(), kStatusNone);
}

TEST_F(StatusLine, TheStatusLineIsOneLineThatNeverScrollsTheScreen)
{
    Feed(C("1;1H") + "top");
    Feed(C("2$~") + C("1$}") + "a\r\nb" + C("2J") + "c" + C("L") + "d" + C("0$}"));
    EXPECT_EQ(Row(0), "top");
    EXPECT_EQ(ActiveStatusDisplay(), 0);
    EXPECT_FALSE(StatusDisplayActive());
    // A soft reset returns to the main display.
    Feed(C("1$}") + C("!p"));
    EXPECT_EQ(ActiveStatusDisplay(), 0);
}

TEST_F(StatusLine, RequestsThatDoNotApplyAreIgnored)
{
    // DECSASD needs the host-writable type.
    Feed(C("1$}"));
    EXPECT_EQ(ActiveStatusDisplay(), 0);
    // VT100 and a marker: nothing.
    EmulationId = 1;
    Feed(C("2$~"));
    EmulationId = 2;
    Feed(C("?2$~"));
    EXPECT_EQ(StatusDisplayType(), kStatusIndicator);
    // Without the status line (start-up option) there is nothing to select.
    doubles::Ui().statusLineFeature = false;
    Feed(C("0$~"));
    EXPECT_EQ(StatusDisplayType(), kStatusIndicator);
    doubles::Ui().statusLineFeature = true;
    // The Setup type comes back with a reset.
    Vt300Values.sl_type = 0;
    Feed(C("2$~") + E("c"));
    EXPECT_EQ(StatusDisplayType(), kStatusNone);
}

}  // namespace
