#include "terminal/emulations/ibm3151/lifecycle.h"

#include "terminal/emulations/ibm3151/charsets.h"
#include "terminal/emulations/ibm3151/screen/indicators.h"
#include "terminal/emulations/ibm3151/screen/pageops.h"
#include "terminal/emulations/ibm3151/pages.h"
#include "terminal/emulations/ibm3151/host/partition.h"
#include "terminal/emulations/ibm3151/keys/pfkeys.h"
#include "terminal/emulations/ibm3151/output/print3151.h"
#include "terminal/emulations/ibm3151/settings/profile3151.h"
#include "terminal/emulations/ibm3151/settings/setupbytes.h"

namespace {

void StartToggles()
{
    I3151.noFieldWrap = I3151.sendAllFields = I3151.protectEnforce = I3151.displayNul = false;
    I3151.altKeyReply = I3151.printKeysToHost = I3151.pageSeparators = false;
    I3151.fieldAttributesShown = true;
    I3151.statusSeparator = true;
}

}  // namespace

void I3151DefaultsChain()
{
    I3151ApplySetupValues();
    for (int r = kI3151HostStatusRow; r <= kI3151PromptRow; ++r)
        I3151BlankRow(I3151StatusRecord(r), I3151BlankColour());
    I3151.statusRowMode = 1;
    I3151FactorySetupBytes();
    I3151DefaultSetupBytes();
    I3151ClearAllPfKeys();
    I3151LoadSettings();
    I3151UnpackSetupBytes();
    I3151.writePosition = false;
    StartToggles();
    for (int p = 0; p < kI3151Pages; ++p) {
        I3151PageRecord* page = I3151GetPage(p);
        I3151SelectCodePage(page);
        I3151ResetPageAttributes(page);
    }
    I3151ResetStatusFields();
}

bool I3151StartEngine()
{
    I3151InitState();
    if (!I3151ResetPages()) {
        I3151FreePages();
        I3151.active = false;
        return false;
    }
    I3151.active = true;
    I3151DefaultsChain();
    const u8 format = I3151.format;
    I3151SetScreenFormat(format == 0 || format == 2 ? 24 : 25, format >= 2 ? 132 : 80);
    I3151UpdateIndicators(true);
    return true;
}

void I3151StopEngine()
{
    I3151EndPrinting();
    I3151.active = false;
    I3151FreePages();
}

void I3151HardReset()
{
    if (!I3151.active || !I3151PagesAllocated())
        return;
    I3151FlushAllPages();
    const u8 format = I3151.format;
    I3151DefaultsChain();
    // The screen keeps its partitions: the format stays the one shown.
    I3151.format = format;
    for (int p = 0; p < kI3151Pages; ++p) {
        I3151PageRecord* page = I3151GetPage(p);
        page->cursorRow = page->cursorColumn = page->bufferRow = page->bufferColumn = 0;
        for (int r = 0; r <= page->lastRowIndex; ++r)
            I3151BlankRow(I3151PageRow(page, r), I3151BlankColour());
    }
    I3151UpdateIndicators(true);
    I3151RepaintAll();
}
