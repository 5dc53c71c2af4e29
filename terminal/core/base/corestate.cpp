#include "terminal/core/base/corestate.h"

i32 OsVersionCode = 0;

std::atomic<u32> QuitRequested{0};
std::atomic<u32> StartingUp{0};
std::atomic<u32> ExitCode{0};

std::atomic<u32> HasFocus{1};
std::atomic<u32> InWindowProc{0};
std::atomic<u32> WindowHidden{0};
std::atomic<u32> Iconic{0};
std::atomic<u32> MenuActive{0};
std::atomic<i32> MenuPollCount{0};
std::atomic<u32> ModalOpen{0};
std::atomic<u8> KeyboardTypeIndex{0};
std::atomic<u8> ShuttingDown{0};
std::atomic<u32> ProfileLoadInProgress{0};

std::atomic<u8> EmulationId{2};
std::atomic<u8> RequestedEmulationId{2};
std::atomic<u8> SwitchRequestedFrom{2};

StringSlots Slots{};
wchar16 CommandLine[kCommandLineUnits]{};

void SetModalFlag(u32 value)
{
    ModalOpen = value;
}

int RequestEmulation(u8 current, u8 requested)
{
    SwitchRequestedFrom = current;
    RequestedEmulationId = requested;
    return 1;
}

std::size_t TextLength(const wchar16* text)
{
    std::size_t n = 0;
    if (text)
        while (text[n])
            ++n;
    return n;
}

std::size_t CopyText(wchar16* destination, std::size_t capacity, const wchar16* source)
{
    if (!destination || capacity == 0)
        return 0;
    std::size_t n = 0;
    if (source)
        for (; n + 1 < capacity && source[n]; ++n)
            destination[n] = source[n];
    destination[n] = 0;
    return n;
}
