#include "terminal/core/host/hostsettings.h"

std::atomic<u32> DataBitsSetting{2};
std::atomic<u8> LocalMode{0};
std::atomic<u8> OutputHeld{0};
