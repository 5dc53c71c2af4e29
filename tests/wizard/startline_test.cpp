// The terminal's start line: built from the lock-down choices, split as the terminal
// splits it, and read back.
#include <gtest/gtest.h>

#include "wizard/engine/buildstamp.h"
#include "wizard/engine/startline.h"
#include "wizard/memoryregistry.h"

namespace {

u32 Options(u32 bits, int onClose = 7, u32 cursor = 1)
{
    return bits | (static_cast<u32>(onClose) & kOnCloseMask) | (cursor << kMouseCursorShift);
}

TEST(StartLine, Builds)
{
    const struct {
        u32 options;
        const char* name;
        const char* line;
    } cases[] = {
        {kDefaultStartOptions, "A", "-WA"},
        {Options(kStartFullScreen | kStartMaximise | kStartAllMenus, 2), "A B", "-F -E2 \"-WA B\""},
        {Options(kStartMaximise | kStartSoftButtons | kStartTitleBar | kStartToolBar | kStartFileMenu |
                 kStartEditMenu | kStartSettingsMenu | kStartCloseButton),
         "A", "-MZ -BL0 -TB -L -MD -MF -MS -MT -WA"},
        {Options(kStartAllMenus | kStartFileMenu), "A", "-MB -WA"},
        {Options(kStartStatusBar | kStartNoWarning | kStartClipboard, 0, 12), "A", "-E0 -V -J -CA -MC12 -WA"},
        {Options(0, 1), "A", "-E1 -WA"},
        {kDefaultStartOptions, "A\tB", "\"-WA\\u0009B\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Narrow(BuildStartCommandLine(c.options, W(c.name))), c.line) << c.line;
}

TEST(StartLine, RoundTripsThroughTheTerminalsWords)
{
    const char* names[] = {"A", "A B", "Host-Finance", "x-MC5", "-F", "My -F", "q'uote", "End-E2"};
    const u32 choices[] = {
        kDefaultStartOptions,
        Options(kStartFullScreen, 2, 3),
        Options(kStartMaximise | kStartSoftButtons | kStartAllMenus | kStartStatusBar, 0),
        Options(kStartEditMenu | kStartCloseButton | kStartClipboard | kStartNoWarning, 1, 12),
    };
    for (const char* name : names) {
        for (u32 options : choices) {
            const WText line = BuildStartCommandLine(options, W(name));
            EXPECT_EQ(ParseStartOptions(line), options) << Narrow(line);
            const std::vector<WText> words = SplitTerminalWords(line);
            ASSERT_FALSE(words.empty());
            EXPECT_EQ(Narrow(words.back()), std::string("-W") + name) << Narrow(line);
        }
    }
}

TEST(StartLine, ReadsWholeSwitchesOnly)
{
    const struct {
        const char* line;
        u32 options;
    } cases[] = {
        // A name is no switch: "-WHost-Finance" is not full screen.
        {"-WHost-Finance", kDefaultStartOptions},
        {"-MZ -WA-MC5-E2", Options(kStartMaximise)},
        // Full screen drops the bar and menu switches read after it.
        {"-F -MZ -MD -WA", Options(kStartFullScreen)},
        {"-MB -MD -WA", Options(kStartAllMenus)},
        {"-E -WA", Options(0, 0)},
        {"-Fb -WA", kDefaultStartOptions},
        {"-f -e3 -mc5 -WA", Options(kStartFullScreen, 3, 5)},
        {"", kDefaultStartOptions},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseStartOptions(W(c.line)), c.options) << c.line;
}

TEST(BuildStamp, PacksTheCompilersDate)
{
    EXPECT_EQ(BuildStampFromDate("Dec 23 2002"), 0xA4CBCu);
    EXPECT_EQ(BuildStampFromDate("Dec  3 2002"), BuildStampFromDate("Dec 3 2002"));
    EXPECT_EQ(BuildStampFromDate("Jan  1 2026") & 0xF00, 0x100u);
    EXPECT_EQ(BuildStampFromDate("Dec 11 2026") & 0xF8, 11u << 3);
    EXPECT_EQ(BuildStampFromDate("bad"), 0u);
    const char* months[] = {"jan", "Feb", "MAR", "Apr", "May", "Jun", "Jul",
                            "Aug", "Sep", "Oct", "Nov", "Dec", "Xyz"};
    for (int i = 0; i < 13; ++i)
        EXPECT_EQ(MonthFromName(months[i]), i < 12 ? i + 1 : 12) << months[i];
}

}  // namespace
