// Each editing key of the HP keyboard either performs its function at once, sends its
// escape sequence to the host, or puts the sequence on the keyboard input, where it
// takes the path of typed text (into the host, or through the emulation's own parser in
// local and block modes).
#include "terminal/emulations/hp700/keys/keys.h"

#include <algorithm>

#include "terminal/core/base/corestate.h"
#include "terminal/core/host/hostio.h"
#include "terminal/core/host/pushback.h"
#include "terminal/emulations/hp700/fields/fields.h"
#include "terminal/emulations/hp700/hostpath.h"
#include "terminal/emulations/hp700/hp700.h"
#include "terminal/emulations/hp700/keys/keytable.h"
#include "terminal/emulations/hp700/lifecycle.h"
#include "terminal/emulations/hp700/memory/memory.h"
#include "terminal/emulations/hp700/memory/repaint.h"
#include "terminal/emulations/hp700/menus/menus.h"
#include "terminal/emulations/hp700/replies/replies.h"
#include "terminal/emulations/hp700/screen/write.h"
#include "terminal/emulations/hp700/terminaltype.h"
#include "terminal/emulations/hp700/userkeys/userkeys.h"
#include "terminal/input/keyboard/keycodes.h"
#include "terminal/settings/store/profilevalues.h"

namespace {

constexpr u16 kBs = 0x08, kHt = 0x09, kLf = 0x0A, kCr = 0x0D, kEsc = 0x1B, kDel = 0x7F;

bool Modal()
{
    return ModalOpen.load() != 0;
}

bool ConfigMenu()
{
    return Hp700.menu == kHpMenuConfig;
}

void Bell()
{
    if (Hp700.settings.bell)
        RequestBell();
}

bool SevenHundredSeries()
{
    return HpModel == 1 || HpModel == 3 || HpModel == 4;
}

// The keyboard may send a key's sequence to the host at once: remote, the key
// functions transmitted, and nothing that keeps typing on the screen.
bool SendsDirect()
{
    const Hp700Settings& s = Hp700.settings;
    return !Modal() && s.remote && s.txfunctns && !s.echo && !s.blockmode && !s.modall && !Hp700.lineModify &&
           !ConfigMenu();
}

void PutOnInput(u16 a, u16 b)
{
    const u16 units[2] = {a, b};
    Hp700PutOnInput(units, 2);
}

void PutOnInput(u16 a)
{
    Hp700PutOnInput(&a, 1);
}

// The three ways of an editing key with escape final `direct` (sent), `input` (put on
// the keyboard input) and its local function.
void EditingKey(u8 direct, u8 input, void (*local)())
{
    if (SendsDirect()) {
        Hp700QueueSendUnit(kEsc);
        Hp700QueueSendUnit(direct);
        Hp700FlushSend();
        return;
    }
    if (!Modal() && !Hp700.settings.txfunctns) {
        Hp700FlushRow();
        local();
        Hp700MakeCursorVisible();
        Hp700FlushRow();
        return;
    }
    PutOnInput(kEsc, input);
}

void EditingKey(u8 final, void (*local)())
{
    EditingKey(final, final, local);
}

void ToggleInsert()
{
    Hp700.insertMode = Hp700.insertMode == 1 ? 0 : 1;
}

void ToggleInsertWrap()
{
    Hp700.insertMode = Hp700.insertMode == 2 ? 0 : 2;
}

void HomeUp()
{
    Hp700HomeUp();
    Hp700HomeToFirstField();
}

// The 700 series' Home key stays on its line.
void HomeKey()
{
    if (SevenHundredSeries() && !ConfigMenu())
        Hp700.cursorColumn = 0;
    else
        HomeUp();
}

// The 700 series' End key: to the end of the line's written text, or back to its last
// written character from an empty cell.
void EndKey()
{
    if (!SevenHundredSeries() || ConfigMenu()) {
        Hp700HomeDown();
        return;
    }
    const ScreenCell* cells = Hp700CursorLine()->cells;
    int last = -1;
    for (int c = 0; c <= Hp700.lastColumn; ++c)
        if (cells[c].ch != 0)
            last = c;
    if (last < 0)
        return;
    if (cells[Hp700.cursorColumn].ch == 0 || Hp700.cursorColumn > last)
        Hp700.cursorColumn = last;
    else
        Hp700.cursorColumn = std::min(last + 1, Hp700.lastColumn);
}

void NextPage()
{
    Hp700NextPage(false);
}

u8 InsertFinal(u8 normal)
{
    return Hp700.insertMode != 0 ? 'R' : normal;
}

void ReturnKey()
{
    if (Hp700.noticeShown) {
        Hp700EndNotice();
        return;
    }
    if (Hp700.menu == kHpMenuLabelEntry) {
        Hp700ReturnToRememberedMenu();
        return;
    }
    if (!Modal() && (Hp700.lineModify || Hp700.settings.modall)) {
        Hp700Request(kHpReplyEnterModify);
        Hp700RunPending();
        return;
    }
    const u16 first = Hp700.settings.returndef[0], second = Hp700.settings.returndef[1];
    if (second == ' ' || second == 0 || second == kCr) {
        if (first == kCr && Hp700.settings.autolf)
            PutOnInput(kCr, kLf);
        else
            PutOnInput(first);
    } else {
        PutOnInput(first, second);
    }
}

void BackspaceKey()
{
    if (Vt300Values.barkmode == 0) {
        PutOnInput(kDel);
        return;
    }
    const Hp700Settings& s = Hp700.settings;
    const bool local = !s.remote || s.blockmode || s.modall || Hp700.lineModify || ConfigMenu();
    if (!s.destbs || !local || Modal()) {
        PutOnInput(kBs);
        return;
    }
    // A destructive backspace: the character left of the cursor blanked.
    Hp700FlushRow();
    if (Hp700.cursorColumn <= 0)
        return;
    ScreenCell* cell = &Hp700CursorLine()->cells[Hp700.cursorColumn - 1];
    if ((Hp700.formatMode || ConfigMenu()) && Hp700CellProtected(*cell))
        return;
    --Hp700.cursorColumn;
    cell->ch = ' ';
    Hp700MarkChanged(Hp700CursorScreenRow(), Hp700.cursorColumn, Hp700.cursorColumn);
    Hp700FlushRow();
}

// The keys that act on the terminal rather than on the text: none while a modal dialog
// is open.
void TerminalKey(int key)
{
    if (Modal())
        return;
    switch (key) {
    case kHpKeyMenu:
        if (Hp700.labelLock)
            Bell();
        else
            Hp700ShowMenu(kHpMenuMain);
        break;
    case kHpKeyUserKeys:
        if (Hp700.labelLock)
            Bell();
        else
            Hp700ShowMenu(kHpMenuUserKeys);
        break;
    case kHpKeyModes:
    case kHpKeyModes2:
        if (Hp700.labelLock)
            Bell();
        else
            Hp700ShowMenu(kHpMenuModes);
        break;
    case kHpKeyWidth: Hp700SetColumns(Hp700.lastColumn == 79 ? 131 : 79); break;
    case kHpKeyEnter: Hp700EnterKey(); break;
    case kHpKeyLabelRow:
        Hp700.labelsShown = !Hp700.labelsShown;
        Hp700RepaintRows(kHpScreenRows, kHpScreenRows + 1);
        break;
    case kHpKeyReset:
        // The Reset key also frees a keyboard the host locked: it is the user's way out.
        Hp700.keyboardLocked = false;
        Hp700SoftReset();
        break;
    case kHpKeyHardReset: Hp700HardReset(); break;
    case kHpKeyLabels:
        if (Hp700.menu == kHpMenuLabels) {
            Hp700ReturnToRememberedMenu();
        } else {
            Hp700.rememberedMenu = Hp700.menu;
            Hp700.menu = kHpMenuLabels;
            Hp700RepaintRows(kHpScreenRows, kHpScreenRows + 1);
        }
        break;
    case kHpKeyUserKeyScreen:
        if (Hp700.labelLock)
            Bell();
        else
            Hp700UserKeyScreen();
        break;
    default: break;
    }
}

}  // namespace

bool Hp700CheckKeyboardLocked()
{
    if (!(Hp700.keyboardLocked || Hp700.transferRunning) || Modal() || Hp700.settings.typeahead)
        return false;
    Bell();
    return true;
}

void Hp700DispatchKey(int keyCode, int shift)
{
    if (!Hp700Running())
        return;
    Hp700PressKey(Hp700KeyFor(keyCode, shift));
}

void Hp700PressKey(int key)
{
    if (key == kHpKeyNone || !Hp700Running())
        return;
    if (key == kHpKeyReset || key == kHpKeyHardReset) {
        if (Hp700.noticeShown)
            Hp700EndNotice();
        TerminalKey(key);
        return;
    }
    // The notice takes every key: Return clears it, the others ring.
    if (Hp700.noticeShown && key != kHpKeyReturn && key != kHpKeyPadEnter) {
        RequestBell();
        return;
    }
    if (Hp700CheckKeyboardLocked())
        return;
    if (key >= kHpKeyTyped) {
        PutOnInput(static_cast<u16>(key - kHpKeyTyped));
        return;
    }
    if (key >= kHpKeyF1 && key <= kHpKeyF8) {
        Hp700KeySoftKey(key - kHpKeyF1);
        return;
    }
    switch (key) {
    case kHpKeyUp: EditingKey('A', Hp700CursorUp); break;
    case kHpKeyDown: EditingKey('B', Hp700CursorDown); break;
    case kHpKeyRight: EditingKey('C', Hp700CursorRight); break;
    case kHpKeyLeft: EditingKey('D', Hp700CursorLeft); break;
    case kHpKeyRollUp: EditingKey('S', Hp700RollUp); break;
    case kHpKeyRollDown: EditingKey('T', Hp700RollDown); break;
    case kHpKeyBackTab: EditingKey('i', Hp700BackTab); break;
    case kHpKeyHomeUp: EditingKey('h', 'H', HomeKey); break;
    case kHpKeyHomeUp2: EditingKey('h', 'H', HomeUp); break;
    case kHpKeyHomeDown: EditingKey('F', EndKey); break;
    case kHpKeyHomeDown2: EditingKey('F', Hp700HomeDown); break;
    case kHpKeyInsertLine: EditingKey('L', Hp700InsertLine); break;
    case kHpKeyDeleteLine: EditingKey('M', Hp700DeleteLine); break;
    case kHpKeyClearLine: EditingKey('K', Hp700ClearToEndOfLine); break;
    case kHpKeyClearDisplay: EditingKey('J', Hp700ClearToEndOfMemory); break;
    case kHpKeyInsertChar: EditingKey(InsertFinal('Q'), ToggleInsert); break;
    case kHpKeyInsertCharWrap: EditingKey(InsertFinal('N'), ToggleInsertWrap); break;
    case kHpKeyDeleteChar: EditingKey('P', Hp700DeleteChar); break;
    case kHpKeyDeleteCharWrap: EditingKey('O', Hp700DeleteCharWrap); break;
    case kHpKeyNextPage: EditingKey('U', NextPage); break;
    case kHpKeyPrevPage: EditingKey('V', Hp700PreviousPage); break;
    case kHpKeyTab: PutOnInput(kHt); break;
    case kHpKeyEscape: PutOnInput(kEsc); break;
    case kHpKeyReturn: ReturnKey(); break;
    case kHpKeyBackspace: BackspaceKey(); break;
    case kHpKeyPadDecimal: PutOnInput(KeypadDecimalChar.load()); break;
    case kHpKeyPadSeparator: PutOnInput(KeypadSeparatorChar.load()); break;
    case kHpKeyPadEnter:
        if (Hp700.noticeShown)
            Hp700EndNotice();
        else if (Modal())
            PutOnInput(kCr);
        else
            Hp700EnterKey();
        break;
    default: TerminalKey(key); break;
    }
}

void Hp700EnterKey()
{
    const Hp700Settings& s = Hp700.settings;
    int bit = kHpReplyEnterCharacter;
    if (s.modall || Hp700.lineModify)
        bit = kHpReplyEnterModify;
    else if (s.blockmode || ConfigMenu())
        bit = kHpReplyEnter;
    Hp700Request(bit);
    if (Hp700.enterLocks)
        Hp700.keyboardLocked = true;
    Hp700RunPending();
}

bool Hp700TakeTypedChar(int c)
{
    if (!Hp700Running())
        return false;
    if (Hp700.noticeShown) {
        if (c == kCr)
            Hp700EndNotice();
        else
            RequestBell();
        return true;
    }
    if (Hp700CheckKeyboardLocked())
        return true;
    // Behind characters the ring still holds, a typed one waits its turn.
    if ((Hp700.settings.typeahead && Hp700.keyboardHeld) || Hp700.typeaheadCount > 0) {
        const u16 unit = static_cast<u16>(c);
        Hp700PutOnInput(&unit, 1);
        return true;
    }
    return false;
}

void Hp700PutOnInput(const u16* units, int n)
{
    const bool hold = (Hp700.settings.typeahead && Hp700.keyboardHeld) || Hp700.typeaheadCount > 0;
    if (!hold) {
        PushKeyboardString(units, n);
        return;
    }
    for (int i = 0; i < n; ++i) {
        if (Hp700.typeaheadCount >= kHpTypeahead - 1) {
            RequestBell();  // the ring is full: the rest is lost
            break;
        }
        Hp700.typeahead[Hp700.typeaheadWrite] = static_cast<u8>(units[i]);
        Hp700.typeaheadWrite = (Hp700.typeaheadWrite + 1) % kHpTypeahead;
        ++Hp700.typeaheadCount;
    }
    Hp700ReleaseTypeahead();
}

void Hp700ReleaseTypeahead()
{
    if (Hp700.typeaheadCount == 0 || (Hp700.settings.typeahead && Hp700.keyboardHeld))
        return;
    // The keyboard input is a stack: the ring goes on only once it is empty (else its
    // characters would overtake those still there), and so much at a time; the rest
    // follows on a later call.
    if (KeyboardStackCount() > 0)
        return;
    const int n = std::min(kPushBackCapacity, Hp700.typeaheadCount);
    u16 units[kPushBackCapacity];
    for (int i = 0; i < n; ++i) {
        units[i] = Hp700.typeahead[Hp700.typeaheadRead];
        Hp700.typeaheadRead = (Hp700.typeaheadRead + 1) % kHpTypeahead;
    }
    Hp700.typeaheadCount -= n;
    PushKeyboardString(units, n);
}

void Hp700ReleaseKeyboard()
{
    Hp700.keyboardHeld = false;
    Hp700ReleaseTypeahead();
}
