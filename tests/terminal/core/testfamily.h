// A family of the test's own: registered for its emulations and made the running family
// while the object lives, so a test reaches the core through the emulation interface
// as a real family would. The DEC VT family runs again afterwards.
#pragma once

#include <vector>

#include "terminal/core/base/family.h"

// Takes emulation ids away from the families of this build while it lives, so that a
// test may run a family of its own for them; the families get them back afterwards.
class FreedEmulations {
public:
    explicit FreedEmulations(u32 emulations)
    {
        for (u8 id = 0; id < kEmulationCount; ++id) {
            const FamilyHooks* family = (emulations & EmulationBit(id)) ? FamilyFor(id) : nullptr;
            bool known = false;
            for (const FamilyHooks* f : taken_)
                known = known || f == family;
            if (family && !known)
                taken_.push_back(family);
        }
        for (const FamilyHooks* family : taken_)
            UnregisterFamily(family);
    }
    ~FreedEmulations()
    {
        for (const FamilyHooks* family : taken_)
            RegisterFamily(family);
    }
    FreedEmulations(const FreedEmulations&) = delete;
    FreedEmulations& operator=(const FreedEmulations&) = delete;

private:
    std::vector<const FamilyHooks*> taken_;
};

class TestFamily {
public:
    explicit TestFamily(const FamilyHooks& hooks) : freed_(hooks.emulations), hooks_(hooks)
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
    FreedEmulations freed_;
    FamilyHooks hooks_;
    bool registered_ = false;
};
