// The 3270 family through the emulation switch with the host-data thread running: it
// starts, shows what a host sends in character mode, idles without spinning, and hands
// the screen back to the DEC family.
#include <gtest/gtest.h>

#include <string>

#include "terminal/core/window/frame_support.h"
#include "support/winepath.h"
#include "terminal/core/screen/codepagefiles.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/base/family.h"
#include "terminal/core/window/emuswitch.h"
#include "terminal/emulations/ibmhost/3270/screentext3270.h"
#include "terminal/emulations/ibmhost/3270/session3270.h"

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
    const I3270Session* s = I3270ActiveSession;
    return s && I3270RowText(s, 0) == text;
}
}  // namespace

TEST(Switch3270, StartsShowsCharacterModeAndHandsBack)
{
    UseEnglishModule();
    MessageBoxAnswerer answerer;
    StartHost();
    SelectEmulation(kNoEmulation, 1);
    // The program looks for its code-page files beside itself; the test's are elsewhere.
    lstrcpynW(CodePageDirectory, (WindowsPath(VX_TEST_CODEPAGE_DIR) + L"\\").c_str(), kCodePagePathUnits);
    RequestEmulation(1, kEmuIbm3270);
    ASSERT_TRUE(PumpUntil([] { return EmulationId == kEmuIbm3270 && I3270ActiveSession; }, 5000));
    EXPECT_STREQ(ActiveFamily().name, "IBM 3270");
    FeedHost("hello 3270");
    EXPECT_TRUE(PumpUntil([] { return Row0Is("hello 3270"); }, 5000));
    // Nothing to do: the loop waits instead of spinning.
    const double before = ProcessCpuMs();
    Sleep(1000);
    EXPECT_LT(ProcessCpuMs() - before, 300.0);
    RequestEmulation(kEmuIbm3270, 1);
    ASSERT_TRUE(PumpUntil([] { return EmulationId == 1; }, 5000));
    EXPECT_EQ(I3270ActiveSession, nullptr);
    EXPECT_EQ(Tn3270ActiveSession, nullptr);
    FeedHost("\r\nback in vt");
    EXPECT_TRUE(PumpUntil([] { return OnScreen("back in vt"); }, 5000));
    SelectEmulation(kNoEmulation, kDefaultEmulationId);
    for (const std::wstring& text : answerer.Texts())
        ADD_FAILURE() << "message box: " << std::string(text.begin(), text.end());
}
