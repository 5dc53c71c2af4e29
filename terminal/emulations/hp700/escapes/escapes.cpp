#include "terminal/emulations/hp700/escapes/escapes.h"

#include "terminal/core/base/uiservices.h"
#include "terminal/core/host/hostio.h"
#include "terminal/emulations/hp700/fields/fields.h"
#include "terminal/emulations/hp700/fields/transfer.h"
#include "terminal/emulations/hp700/hostpath.h"
#include "terminal/emulations/hp700/lifecycle.h"
#include "terminal/emulations/hp700/memory/memory.h"
#include "terminal/emulations/hp700/memory/repaint.h"
#include "terminal/emulations/hp700/menus/menus.h"
#include "terminal/emulations/hp700/printer/device.h"
#include "terminal/emulations/hp700/replies/replies.h"
#include "terminal/emulations/hp700/screen/write.h"
#include "terminal/emulations/hp700/userkeys/userkeys.h"

namespace {

bool ConfigMenu()
{
    return Hp700.menu == kHpMenuConfig;
}

// Handlers that change display memory do nothing while the configuration menu is up.
template <void (*F)()>
void MemoryOp()
{
    if (!ConfigMenu())
        F();
}

void Nothing() {}

// ESC % ! and its code byte: the host's emulation switch is honoured only on the VT
// family's path; here the code byte is consumed so it never shows as text.
void Percent()
{
    const int b = Hp700NextSequenceByte();
    if (b == '!')
        (void)Hp700NextSequenceByte();
}

// ESC ) and one designator "@".."C": consumed, nothing else.
void Designate()
{
    const int b = Hp700NextSequenceByte();
    if (b < 0 || (b >= '@' && b <= 'C'))
        return;
    // Any other byte ends the sequence and is dropped.
}

void LockOneSecond()
{
    LockKeyboardTimed(1);
}

void CursorLeft()
{
    Hp700FlushRow();
    Hp700CursorLeft();
}

void HomeUp()
{
    Hp700FlushRow();
    Hp700HomeUp();
    Hp700HomeToFirstField();
}

void DisplayFunctionsOn()
{
    Hp700.displayFunctions = true;
    Hp700RefreshSoftKeyStates();
}

void DisplayFunctionsOff()
{
    Hp700.displayFunctions = false;
    Hp700RefreshSoftKeyStates();
}

void InsertModeOn()
{
    Hp700.insertMode = 1;
}

void InsertWrapOn()
{
    Hp700.insertMode = 2;
}

void InsertModeOff()
{
    Hp700.insertMode = 0;
}

void UnlockKeyboard()
{
    Hp700.keyboardLocked = false;
    if (Hp700.pending == 0)
        Hp700.keyboardHeld = false;
}

void LockKeyboard()
{
    Hp700.keyboardLocked = true;
    if (Hp700.settings.typeahead)
        Hp700.keyboardHeld = true;
}

void PrimaryStatus()
{
    Hp700Request(kHpReplyPrimary);
}

void SecondaryStatus()
{
    Hp700Request(kHpReplySecondary);
}

void CursorRelative()
{
    Hp700Request(kHpReplyCursorRelative);
}

void CursorAbsolute()
{
    Hp700Request(kHpReplyCursorAbsolute);
}

void BlockTransfer()
{
    Hp700Request(kHpReplyBlock);
}

void UserKeysMenu()
{
    Hp700ShowMenu(kHpMenuUserKeys);
}

void MemoryLockOn()
{
    Hp700MemoryLockOn();
    Hp700RefreshSoftKeyStates();
}

void MemoryLockOff()
{
    Hp700MemoryLockOff();
    Hp700RefreshSoftKeyStates();
}

void NextPage()
{
    Hp700NextPage(true);
}

struct EscapeEntry {
    u8 byte;
    void (*handler)();
};

// The byte after ESC and what it does.
// clang-format off
const EscapeEntry kEscapes[] = {
    {'%', Percent},                {'&', Hp700AmpersandDispatch}, {'\'', Nothing},
    {'(', Nothing},                {')', Designate},              {'*', Hp700StatusRequest},
    {'0', Hp700CopyAll},           {'1', Hp700SetTab},            {'2', Hp700ClearTab},
    {'3', Hp700ClearAllTabs},      {'4', Hp700SetLeftMargin},     {'5', Hp700SetRightMargin},
    {'9', Hp700ClearMargins},      {'@', LockOneSecond},
    {'A', MemoryOp<Hp700CursorUp>},   {'B', MemoryOp<Hp700CursorDown>},
    {'C', MemoryOp<Hp700CursorRight>}, {'D', MemoryOp<CursorLeft>},
    {'E', Hp700HardReset},         {'F', Hp700HomeDown},          {'G', Hp700CarriageReturn},
    {'H', HomeUp},                 {'h', HomeUp},                 {'I', Hp700Tab},
    {'J', Hp700ClearToEndOfMemory}, {'K', Hp700ClearToEndOfLine},
    {'L', MemoryOp<Hp700InsertLine>}, {'M', MemoryOp<Hp700DeleteLine>},
    {'N', InsertWrapOn},           {'O', MemoryOp<Hp700DeleteCharWrap>},
    {'P', MemoryOp<Hp700DeleteChar>}, {'Q', InsertModeOn},        {'R', InsertModeOff},
    {'S', Hp700RollUp},            {'T', Hp700RollDown},          {'U', NextPage},
    {'V', Hp700PreviousPage},      {'W', MemoryOp<Hp700FormatModeOn>},
    {'X', Hp700FormatModeOff},     {'Y', DisplayFunctionsOn},     {'Z', DisplayFunctionsOff},
    {'[', Hp700StartField},        {'{', Hp700StartField},        {']', Hp700EndField},
    {'^', PrimaryStatus},          {'`', CursorRelative},         {'a', CursorAbsolute},
    {'b', UnlockKeyboard},         {'c', LockKeyboard},           {'d', BlockTransfer},
    {'f', Nothing},                {'|', Nothing},                {'g', Hp700SoftReset},
    {'i', Hp700BackTab},           {'j', Hp700UserKeyScreen},     {'k', UserKeysMenu},
    {'l', MemoryLockOn},           {'m', MemoryLockOff},          {'z', Hp700SelfTest},
    {'~', SecondaryStatus},
};
// clang-format on

struct EscapeTable {
    void (*byByte[128])() = {};
    EscapeTable()
    {
        for (const EscapeEntry& e : kEscapes)
            byByte[e.byte] = e.handler;
    }
};
const EscapeTable kTable;

}  // namespace

void Hp700BeginEscape()
{
    if (Hp700.inEscape) {
        // An ESC inside a sequence: the sequence ends, and the ESC starts the next one.
        Hp700.inEscape = false;
        Hp700.escapeGivenBack = true;
        return;
    }
    Hp700.inEscape = true;
    Hp700FlushRow();
    const int b = Hp700NextSequenceByte();
    if (b >= 0 && kTable.byByte[b])
        kTable.byByte[b]();
    Hp700.inEscape = false;
}
