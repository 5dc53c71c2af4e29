// What the Setup tests share: a clean registry with the profile "P" saved per user, the
// English texts, and a main window for the dialogs' owner.
#pragma once

#include "terminal/core/base/corestate.h"
#include "terminal/core/testwindow.h"
#include "terminal/settings/regfixture.h"

class SetupTest : public regtest::RegistryTest {
protected:
    void SetUp() override
    {
        RegistryTest::SetUp();
        BindEnglishModule();
        CopyText(Slots.profileName, kSlotUnits, L"P");
        PerUserProfile = 1;
        EmulationId = 2;
    }
    void TearDown() override
    {
        EmulationId = 2;
        RegistryTest::TearDown();
    }
    TestMainWindow main_;
};
