// Which emulation engine is running, and what each family with an engine of its own
// hands the core. The core's dispatchers test the active flags in a fixed order and
// call the running family through its hooks; a family fills its hooks in when it is
// built into the program and sets its flag while it runs.
#pragma once

#include <atomic>
#include <initializer_list>

#include "terminal/core/base/vxtypes.h"

// One flag per family with an engine of its own; none is set while a DEC VT emulation
// runs. The ANSI console byte also holds the console mode (2 marks double-width cells);
// AIXterm counts as set when above 0.
struct EmulationActiveFlagSet {
    std::atomic<u8> hp{0}, dg{0}, ta6530{0}, ibm3270{0}, ibm3151{0}, tvi{0}, wyse{0}, ibm5250{0};
    std::atomic<u8> ansiConsole{0};
    std::atomic<i8> aixterm{0};
};
extern EmulationActiveFlagSet EmulationActiveFlags;

// The operations the host path calls on a family with its own engine. Entries a family
// does not have stay null; the core then skips that step.
struct FamilyHooks {
    int (*readByte)() = nullptr;             // next input byte, or -1 when none
    void (*processChar)(int value) = nullptr; // per-byte entry; must ignore -1
    int (*commLoop)(int argument) = nullptr;  // 3270/5250 own receiving; -1 ends the thread
    int (*printerFilter)(int value) = nullptr; // value to show, or -1 when a print mode took it
    void (*idleWork)() = nullptr;            // flush pending rows between bytes
    bool (*keyboardLocked)() = nullptr;      // typed keys must wait
    void (*hideCursor)() = nullptr;          // families that draw their own cursor
    void (*showCursor)() = nullptr;
    void (*sendTypedChar)(int c) = nullptr;  // IBM 3151 sends typed characters itself
    bool (*blockMode)() = nullptr;           // IBM 3151 block mode keeps strings local
    void (*playMacroStep)() = nullptr;       // 3270/5250 keystroke macro
    bool (*macroPlaying)() = nullptr;
    void (*homeCursor)() = nullptr;
    void (*advanceCursor)() = nullptr;       // DG moves its own cursor after a character
    bool (*localEditOn)() = nullptr;         // TVI local edit: typed keys stay local
    // The family's own screen sizes (rows, page length, line count).
    void (*dimensions)(int* rows, int* pageLength, int* lineCount) = nullptr;

    // The emulation switch and the commands of the frame. A family that is not built
    // leaves them null; the switch never starts such a family.
    void (*activate)() = nullptr;    // start: set the active flag, take over the store
    void (*deactivate)() = nullptr;  // stop: clear the flag, release what it took
    void (*reapply)() = nullptr;     // a change within the family (Wyse personalities)
    void (*layoutStatusBar)(HINSTANCE instance) = nullptr;
    void (*clearScreen)() = nullptr;
    void (*reset)() = nullptr;       // Reset Terminal (the hard reset where there is one)
    void (*idleRefresh)() = nullptr; // the idle step's display refresh
    void (*redrawBlinking)() = nullptr;
    void (*printScreen)() = nullptr;
    void (*printBuffer)() = nullptr;
    void (*printStep)(u32 value) = nullptr;
};

// AnsiConsole and Aixterm are the DEC family's two engines with flags of their own.
enum class HookFamily : u8 { Hp, Dg, Ta6530, Ibm3270, Ibm3151, Tvi, Wyse, Ibm5250, AnsiConsole, Aixterm, Count };
FamilyHooks& HooksOf(HookFamily family);

// Whether a family's flag is set (AIXterm: above 0).
bool FamilyActive(HookFamily family);
// The first active family in the given order, or HookFamily::Count when none is.
HookFamily FirstActiveFamily(std::initializer_list<HookFamily> order);
