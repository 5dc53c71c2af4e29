// Jump scroll: scrolls are counted, the whole screen is drawn once per 33 of them or
// when the idle countdown runs out, and rows wait for that redraw.
#include "terminal/core/hostpath_fixture.h"
#include "terminal/core/testfamily.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/family.h"
#include "terminal/core/paint/jumpscroll.h"
#include "terminal/core/screen/paintsettings.h"

namespace {

class JumpScrollTest : public HostPathTest {
protected:
    void SetUp() override
    {
        HostPathTest::SetUp();
        JumpScroll.count = 0;
        JumpScroll.countdown = 0;
        ApplyJumpScrollSetting(1);
        doubles::Display() = doubles::DisplayDouble{};
    }
    void TearDown() override
    {
        ApplyJumpScrollSetting(0);
        JumpScroll.count = 0;
        Iconic = 0;
        HostPathTest::TearDown();
    }
    static int WholeScreenRedraws()
    {
        int n = 0;
        for (const doubles::DisplayCall& c : doubles::Display().calls)
            n += c.what == "region" && c.a == 0 && c.c == Screen.rows - 1 && c.d >= Screen.lastColumn;
        return n;
    }
};

TEST_F(JumpScrollTest, ThirtyThreeScrollsForceOneRedrawEvenWhileMoreFollow)
{
    for (int i = 0; i < 32; ++i)
        CountDeferredScroll();
    EXPECT_EQ(JumpScroll.count.load(), 32);
    EXPECT_EQ(WholeScreenRedraws(), 0);
    EXPECT_TRUE(JumpScrollHoldsPainting());
    CountDeferredScroll();
    EXPECT_EQ(WholeScreenRedraws(), 1);
    EXPECT_EQ(doubles::Display().Count("thumb"), 0) << "the scrolls move the thumb, not the redraw";
    EXPECT_EQ(JumpScroll.count.load(), 0);
    EXPECT_EQ(JumpScroll.countdown.load(), kDeferredScrollTicks) << "the idle countdown starts again";
    EXPECT_FALSE(JumpScrollHoldsPainting());
    // 66 more scrolls are two more redraws, not 66.
    for (int i = 0; i < 66; ++i)
        CountDeferredScroll();
    EXPECT_EQ(WholeScreenRedraws(), 3);
    EXPECT_EQ(JumpScroll.deferring.load(), 1) << "deferral is back on after each redraw";
}

TEST_F(JumpScrollTest, TheIdleFlushDrawsOnlyWhenScrollsWait)
{
    FlushDeferredScroll();
    EXPECT_EQ(WholeScreenRedraws(), 0) << "nothing was scrolled";
    EXPECT_EQ(JumpScroll.countdown.load(), kDeferredScrollTicks);
    CountDeferredScroll();
    JumpScroll.countdown = 0;
    FlushDeferredScroll();
    EXPECT_EQ(WholeScreenRedraws(), 1);
    EXPECT_EQ(doubles::Display().Count("thumb"), 1) << "the scroll bar is right once data pauses";
    EXPECT_FALSE(DeferredScrollPending());
}

TEST_F(JumpScrollTest, SettingOffCountsNothingButRedrawsWhatWasCounted)
{
    CountDeferredScroll();
    ApplyJumpScrollSetting(0);
    EXPECT_FALSE(JumpScrollHoldsPainting()) << "rows paint again at once";
    CountDeferredScroll();
    EXPECT_EQ(JumpScroll.count.load(), 1);
    FlushDeferredScroll();
    EXPECT_EQ(WholeScreenRedraws(), 1) << "the scroll counted before is not lost";
}

TEST_F(JumpScrollTest, PaintingWaitsOnlyWhileScrollsArePendingAndTheWindowShows)
{
    struct Case {
        u8 setting, pending, iconic;
        bool holds;
    };
    for (const Case& c : {Case{1, 1, 0, true}, Case{1, 0, 0, false}, Case{0, 1, 0, false}, Case{1, 1, 1, false}}) {
        PaintSettings.jumpScroll = c.setting;
        JumpScroll.count = c.pending;
        Iconic = c.iconic;
        EXPECT_EQ(JumpScrollHoldsPainting(), c.holds)
            << "setting " << int(c.setting) << " pending " << int(c.pending) << " iconic " << int(c.iconic);
    }
}

TEST_F(JumpScrollTest, HostSessionsAreNeverRedrawnByTheDeferral)
{
    CountDeferredScroll();
    // A family with a screen of its own, as the 3270 has.
    static const DisplayHooks ownScreen{};
    TestFamily host(FamilyHooks{.emulations = EmulationBit(kEmuIbm3270), .display = &ownScreen});
    JumpScroll.countdown = 0;
    FlushDeferredScroll();
    EXPECT_EQ(WholeScreenRedraws(), 0);
    EXPECT_EQ(JumpScroll.countdown.load(), kDeferredScrollTicks);
}

}  // namespace
