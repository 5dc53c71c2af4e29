// The define-key prompt on the status row: "DEF F: nn" asks for a PF key's number,
// shows what the key sends now, and takes the new text up to Return. It reads key
// events itself while it runs; the host waits meanwhile.
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/core/host/hostthread.h"
#include "terminal/emulations/ibm3151/host/hostpath.h"
#include "terminal/emulations/ibm3151/keys/keys.h"
#include "terminal/emulations/ibm3151/pages.h"
#include "terminal/emulations/ibm3151/host/partition.h"
#include "terminal/emulations/ibm3151/keys/pfkeys.h"
#include "terminal/input/macros/inputpump.h"

namespace {

constexpr int kKeyLeft = 90, kKeyRight = 92, kKeyPadEnter = 111, kKeyEscape = 113, kKeyReturn = 114;
constexpr int kEntryColumn = 10, kEntryUnits = 64;

enum class Input { Character, Left, Right, Accept, Cancel };
struct Unit {
    Input kind;
    int character;
};

bool Stopping(u8 emulation)
{
    return QuitRequested || EmulationId != emulation || HostHoldRequested();
}

// The next unit the prompt acts on; false when the prompt must end.
bool NextUnit(Unit* unit, u8 emulation)
{
    for (;;) {
        if (Stopping(emulation))
            return false;
        int value = -1, extra = -1;
        const int type = ExecuteInputEvent(value, extra, false);
        if (type == 1) {
            *unit = {Input::Character, value};
            return true;
        }
        if (type == 3) {
            switch (value) {
            case kKeyLeft: *unit = {Input::Left, 0}; return true;
            case kKeyRight: *unit = {Input::Right, 0}; return true;
            case kKeyPadEnter:
            case kKeyReturn: *unit = {Input::Accept, 0}; return true;
            case kKeyEscape: *unit = {Input::Cancel, 0}; return true;
            default: continue;
            }
        }
        RunIdleUpdates();
        HostWaitForInput();
    }
}

I3151Row* Prompt()
{
    return I3151StatusRecord(kI3151PromptRow);
}

void Put(int column, u16 c)
{
    if (I3151Row* row = Prompt(); row && column >= 0 && column < kI3151MaxColumns)
        row->cells[column] = ScreenCell{static_cast<u8>(c), I3151WrittenColour(), 0, 0};
}

void PutText(int column, const char* text)
{
    for (; *text; ++text)
        Put(column++, static_cast<u8>(*text));
}

void Blank(int from, int to)
{
    for (int c = from; c <= to && c < kI3151MaxColumns; ++c)
        Put(c, 0);
}

// What the key sends now, at the entry column: its text, or its default sequence
// with "AID" after it.
void ShowKey(int index)
{
    Blank(kEntryColumn, kI3151MaxColumns - 1);
    int column = kEntryColumn;
    if (I3151PfKeyDefined(index)) {
        for (int i = 1; i < kI3151PfUnits - 1 && I3151PfKeyTable[index][i] && column < 77; ++i)
            Put(column++, I3151PfKeyTable[index][i]);
        PutText(77, "   ");
    } else {
        static const char* const kGroups[3] = {"", "!", "\""};
        Put(column++, '^');
        Put(column++, '[');
        PutText(column, kGroups[index / 12]);
        column += index / 12 ? 1 : 0;
        Put(column, static_cast<u16>('a' + index % 12));
        PutText(77, "AID");
    }
}

// The key's number, two digits at columns 7 and 8; -1 when cancelled.
int ReadNumber(u8 emulation)
{
    int digits[2] = {-1, -1};
    int at = 0;
    for (;;) {
        I3151RepaintStatusRow();
        I3151FlushAllPages();
        Unit unit;
        if (!NextUnit(&unit, emulation) || unit.kind == Input::Cancel)
            return -1;
        switch (unit.kind) {
        case Input::Left:
        case Input::Right: at = 1 - at; break;
        case Input::Accept: {
            const int number = digits[0] < 0 ? digits[1]
                                             : (digits[1] < 0 ? digits[0] : digits[0] * 10 + digits[1]);
            return number;
        }
        case Input::Character:
            if (unit.character >= '0' && unit.character <= '9') {
                digits[at] = unit.character - '0';
                Put(7 + at, static_cast<u16>(unit.character));
                at = 1 - at;
            }
            break;
        default: break;
        }
    }
}

// The new text of a key; false when cancelled.
bool ReadText(u8 emulation, u16* text, int* length)
{
    int at = 0, furthest = 0;
    for (int i = 0; i < kEntryUnits; ++i)
        text[i] = 0;
    Blank(77, 79);
    for (;;) {
        I3151RepaintStatusRow();
        Unit unit;
        if (!NextUnit(&unit, emulation) || unit.kind == Input::Cancel)
            return false;
        switch (unit.kind) {
        case Input::Accept: *length = furthest; return true;
        case Input::Right:
            if (at < kEntryUnits - 1)
                ++at;
            break;
        case Input::Left:
            if (at > 0)
                --at;
            break;
        case Input::Character:
            text[at] = static_cast<u16>(unit.character & 0xFF);
            Put(kEntryColumn + at, text[at]);
            if (at < kEntryUnits - 1)
                ++at;
            if (at > furthest)
                furthest = at;
            break;
        default: break;
        }
    }
}

}  // namespace

void I3151DefinePfKey()
{
    if (I3151.definingKey || I3151.hostStatusText || ModalOpen || !I3151PagesAllocated())
        return;
    const u8 emulation = EmulationId;
    const u8 savedMode = I3151.statusRowMode;
    I3151.definingKey = true;
    I3151BlankRow(Prompt(), I3151BlankColour());
    I3151SetStatusRowMode(3);
    for (;;) {
        Blank(0, kI3151MaxColumns - 1);
        PutText(0, "DEF F: __ ");
        I3151.statusColumn = 7;
        const int number = ReadNumber(emulation);
        if (number < 0)
            break;
        if (number < 1 || number > kI3151PfKeys)
            continue;
        ShowKey(number - 1);
        I3151RepaintStatusRow();
        u16 text[kEntryUnits];
        int length = 0;
        if (!ReadText(emulation, text, &length))
            break;
        I3151StorePfKey(number - 1, text, length);
    }
    I3151.definingKey = false;
    I3151SetStatusRowMode(savedMode);
}
