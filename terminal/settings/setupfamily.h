// What a family adds to the Setup dialog from its own folder, by data: its pages (slot,
// template, control table, hooks, check-list rows) and its part of the working copy (its
// fields, and fill and apply steps for what a table cannot say). FamilyHooks::setup
// points at it; the Setup dialog walks every registered family.
#pragma once

#include "terminal/settings/setupcopy.h"

struct SetupPage;

struct FamilySetupPage {
    int slot;
    const SetupPage* page;
};

struct FamilySetup {
    const FamilySetupPage* pages;
    int pageCount;
    SetupCopyFieldTable fields;
    void (*fill)();     // after the fields are filled
    void (*apply)();    // before any field is stored: the settings still hold the old values
    void (*applied)();  // at the end of the apply, everything stored
    // The working tab line the Tab Stops page edits for the family's emulations
    // (tabruler.h); null: the shared one of the working copy.
    wchar16* tabLine;
};
