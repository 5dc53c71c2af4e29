#include "terminal/emulations/ibmhost/telnetsession.h"

I3270Session* I3270ActiveSession = nullptr;
I5250Session* I5250ActiveSession = nullptr;
u8 Configured3270Model = 0;
u8 Configured5250Model = 0;
u8 StepReplay3270 = 0, StepReplay5250 = 0;
