// The 5250 family through the emulation switch with the host-data thread running: it
// starts, shows what a host sends in character mode, idles without spinning, and hands
// the screen back to the DEC family.
#include <gtest/gtest.h>

#include <string>

#include "support/winepath.h"
#include "terminal/core/screen/codepagefiles.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/base/family.h"
#include "terminal/core/window/emuswitch.h"
#include "terminal/core/window/frame_support.h"
#include "terminal/emulations/ibmhost/5250/screen/screentext5250.h"
#include "terminal/emulations/ibmhost/5250/session5250.h"

using namespace frame_test;

namespace {
double ProcessCpuMs()
{
    FILETIME created, ended, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
    auto ms = [](const FILETIME& t) {
        return ((static_cast<u64>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000.0;
    };
    return ms(kernel) + ms(user);
}

bool Row0Is(const std::string& text)
{
    const I5250Session* s = I5250ActiveSession;
    return s && I5250RowText(s, 0) == text;
}
}  // namespace

TEST(Switch5250, StartsShowsCharacterModeAndHandsBack)
{
    UseEnglishModule();
    MessageBoxAnswerer answerer;
    StartHost();
    SelectEmulation(kNoEmulation, 1);
    // The program looks for its code-page files beside itself; the test's are elsewhere.
    lstrcpynW(CodePageDirectory, (WindowsPath(VX_TEST_CODEPAGE_DIR) + L"\\").c_str(), kCodePagePathUnits);
    RequestEmulation(1, kEmuIbm5250);
    ASSERT_TRUE(PumpUntil([] { return EmulationId == kEmuIbm5250 && I5250ActiveSession; }, 5000));
    EXPECT_STREQ(ActiveFamily().name, "IBM 5250");
    FeedHost("hello 5250");
    EXPECT_TRUE(PumpUntil([] { return Row0Is("hello 5250"); }, 5000));
    // Nothing to do: the loop waits instead of spinning.
    const double before = ProcessCpuMs();
    Sleep(1000);
    EXPECT_LT(ProcessCpuMs() - before, 300.0);
    RequestEmulation(kEmuIbm5250, 1);
    ASSERT_TRUE(PumpUntil([] { return EmulationId == 1; }, 5000));
    EXPECT_EQ(I5250ActiveSession, nullptr);
    EXPECT_EQ(Tn5250ActiveSession, nullptr);
    FeedHost("\r\nback in vt");
    EXPECT_TRUE(PumpUntil([] { return OnScreen("back in vt"); }, 5000));
    SelectEmulation(kNoEmulation, kDefaultEmulationId);
    for (const std::wstring& text : answerer.Texts())
        ADD_FAILURE() << "message box: " << std::string(text.begin(), text.end());
}
