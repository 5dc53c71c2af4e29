// A family of the test's own: registered for its emulations and made the running family
// while the object lives, so a test reaches the core through the emulation interface
// as a real family would. The DEC VT family runs again afterwards.
#pragma once

#include "terminal/core/base/family.h"

class TestFamily {
public:
    explicit TestFamily(const FamilyHooks& hooks) : hooks_(hooks)
    {
        registered_ = RegisterFamily(&hooks_);
        SetActiveFamily(&hooks_);
    }
    ~TestFamily()
    {
        UnregisterFamily(&hooks_);
        SetActiveFamily(nullptr);
    }
    TestFamily(const TestFamily&) = delete;
    TestFamily& operator=(const TestFamily&) = delete;

    bool Registered() const { return registered_; }
    const FamilyHooks& Hooks() const { return hooks_; }

private:
    FamilyHooks hooks_;
    bool registered_ = false;
};
