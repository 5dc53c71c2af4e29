#include "terminal/emulations/dec/controls/escape.h"

#include "terminal/core/base/corestate.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/emulations/dec/services.h"

void ParseWithStateTable(const ParserRange* state)
{
    ParseWithStateTableFrom(state, NextSequenceByte);
}

void VtBeginEscape()
{
    CsiParameters.markerInForce = ' ';
    CsiParameters.digits = 0;
    if (EmulationId == kEmuVt52)
        VtEnterVt52Escape();
    else
        VtEnterAnsiEscape();
}

void VtEnterAnsiEscape()
{
    ResetCsiCollector();
    ParseWithStateTable(DecAnsiEscapeState);
}

void VtEnterVt52Escape()
{
    ResetCsiCollector();
    ParseWithStateTable(DecVt52EscapeState);
}

void SkipSequenceBytes(int low, int high)
{
    SkipSequenceBytesFrom(low, high, NextSequenceByte);
}

void SkipIntermediates()
{
    SkipSequenceBytes(0x20, 0x2F);
}

void SkipParameters()
{
    SkipSequenceBytes(0x20, 0x3F);
}
