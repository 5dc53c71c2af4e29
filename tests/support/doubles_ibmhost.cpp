#include "support/doubles_ibmhost.h"

#include "terminal/emulations/ibmhost/services3270.h"

namespace doubles {
IbmHostDouble& IbmHost()
{
    static IbmHostDouble d;
    return d;
}

void ResetIbmHost()
{
    IbmHost() = IbmHostDouble{};
    I3270TickCount = [] { return IbmHost().ticks; };
}
}  // namespace doubles

void PaintHostRow(I3270Session*, int row, int first, int last)
{
    doubles::IbmHost().painted.push_back({row, first, last});
}

void I3270ApplyScreenSize(I3270Session*)
{
    ++doubles::IbmHost().layouts;
}

int I3270SessionSlot()
{
    return doubles::IbmHost().sessionSlot;
}

void I3270WindowKey(int keyCode)
{
    doubles::IbmHost().windowKeys.push_back(keyCode);
}
