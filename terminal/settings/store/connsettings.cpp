#include "terminal/settings/store/connsettings.h"

ConnectionSettings Connection;
std::atomic<u32> LocalEcho{0};

void ResetConnectionSettings()
{
    Connection = ConnectionSettings{};
    Connection.telnetPort = 23;
    Connection.closeBudget = 20;
    Connection.onCloseAction = 0;
}

namespace {
const bool kDefaultsSet = (ResetConnectionSettings(), true);
}
