// ESC & and ESC *: a group letter, then numeric groups each ended by a letter (lower
// case goes on, upper case ends the sequence).
#include <algorithm>

#include "terminal/core/host/hostsettings.h"
#include "terminal/emulations/hp700/charset/roman8.h"
#include "terminal/core/host/hostio.h"
#include "terminal/emulations/hp700/escapes/escapes.h"
#include "terminal/emulations/hp700/fields/fields.h"
#include "terminal/emulations/hp700/hostpath.h"
#include "terminal/emulations/hp700/memory/memory.h"
#include "terminal/emulations/hp700/memory/repaint.h"
#include "terminal/emulations/hp700/menus/menus.h"
#include "terminal/emulations/hp700/printer/device.h"
#include "terminal/emulations/hp700/replies/replies.h"
#include "terminal/emulations/hp700/screen/write.h"
#include "terminal/emulations/hp700/userkeys/userkeys.h"

namespace {

constexpr u8 kCr = 0x0D, kLf = 0x0A;
constexpr int kLabelColumns = 80;
constexpr int kLabelCharacters = 160;

u8 Upper(u8 terminator)
{
    return terminator >= 'a' && terminator <= 'z' ? static_cast<u8>(terminator & ~0x20) : terminator;
}

bool ConfigMenu()
{
    return Hp700.menu == kHpMenuConfig;
}

// A mode value of ESC & k or ESC & s: 0 or 1, anything else leaves the mode.
bool Flag(const Hp700Group& g, u8* target)
{
    if (g.negative || !(g.value == 0 || g.value == 1))
        return false;
    *target = static_cast<u8>(g.value);
    return true;
}

bool Flag(const Hp700Group& g, bool* target)
{
    u8 v = 0;
    if (!Flag(g, &v))
        return false;
    *target = v != 0;
    return true;
}

void ConfigLock(const Hp700GroupParameters& p)
{
    for (int i = 0; i < p.count; ++i)
        if (Upper(p.groups[i].terminator) == 'L')
            Flag(p.groups[i], &Hp700.settings.configlock);
}

void EnterCursorReport(const Hp700GroupParameters& p)
{
    for (int i = 0; i < p.count; ++i)
        if (Upper(p.groups[i].terminator) == 'C')
            Flag(p.groups[i], &Hp700.enterCursorReport);
}

}  // namespace

void Hp700AmpersandDispatch()
{
    const int letter = Hp700NextSequenceByte();
    if (letter < 0 || !Hp700.groups)
        return;
    if (!Hp700ParseGroupParameters())
        return;  // abandoned: nothing of it acts
    const Hp700GroupParameters& p = *Hp700.groups;
    switch (letter) {
    case 'a': Hp700CursorAddress(p); break;
    case 'd': {
        // One enhancement letter, with "S" (or "s") for security.
        int letter = -1;
        bool security = false;
        for (int i = 0; i < p.count; ++i) {
            const u8 t = Upper(p.groups[i].terminator);
            if (t == 'S')
                security = true;
            else if (t >= '@' && t <= 'O' && letter < 0)
                letter = t - '@';
        }
        if (letter >= 0 || security)
            Hp700DisplayEnhancement(static_cast<u8>(letter < 0 ? 0 : letter), security);
        break;
    }
    case 'f': Hp700UserKeyDefine(p); break;
    case 'j': Hp700LabelControl(p); break;
    case 'k': Hp700TerminalModes(p); break;
    case 'p': Hp700DeviceControl(p); break;
    case 'q': ConfigLock(p); break;
    case 's': Hp700StrapSettings(p); break;
    case 'v': Hp700ColourPairs(p); break;
    case 'w': Hp700WindowControl(p); break;
    case 'x': EnterCursorReport(p); break;
    default: break;  // parsed and ignored
    }
}

void Hp700StatusRequest()
{
    if (Hp700NextSequenceByte() != 's' || !Hp700.groups)
        return;
    if (!Hp700ParseGroupParameters())
        return;
    const Hp700GroupParameters& p = *Hp700.groups;
    if (p.count < 1 || p.groups[0].terminator != '^')
        return;
    switch (p.groups[0].value) {
    case 0:
    case 1: Hp700Request(kHpReplyIdentity); break;
    case -1: Hp700Request(kHpReplyFeature1); break;
    case -2: Hp700Request(kHpReplyFeature2); break;
    case -3: Hp700Request(kHpReplyFeature3); break;
    case -4: Hp700Request(kHpReplyFeature4); break;
    case -5: Hp700Request(kHpReplyIdentity5); break;
    case 12347: Hp700Request(kHpReplyProductName); break;
    default: break;  // no reply
    }
}

void Hp700CursorAddress(const Hp700GroupParameters& p)
{
    Hp700FlushRow();
    bool nextRelative = false;
    for (int i = 0; i < p.count; ++i) {
        const Hp700Group& g = p.groups[i];
        if (g.terminator == '+') {
            nextRelative = true;
            continue;
        }
        const bool relative = g.relative || nextRelative;
        nextRelative = false;
        switch (Upper(g.terminator)) {
        case 'C':
            Hp700.cursorColumn = std::clamp(relative ? Hp700.cursorColumn + g.value : g.value, 0,
                                            Hp700.lastColumn);
            break;
        case 'R':
            if (Hp700.memoryLock && Hp700LockRangeSet())
                break;
            if (ConfigMenu()) {
                const int row = relative ? Hp700CursorScreenRow() + g.value : g.value;
                Hp700.cursorRow = Hp700.viewTop + std::clamp(row, 0, kHpScreenRows - 1);
            } else {
                Hp700.cursorRow = std::clamp(relative ? Hp700.cursorRow + g.value : g.value, 0,
                                             Hp700.memoryLines - 1);
            }
            break;
        case 'Y':
            // A relative screen row counts from the cursor's screen row, wherever memory has
            // rolled to.
            Hp700.cursorRow = Hp700.viewTop + std::clamp(relative ? Hp700CursorScreenRow() + g.value : g.value, 0,
                                                         kHpScreenRows - 1);
            break;
        default: break;
        }
    }
    Hp700MakeCursorVisible();
    ScreenCell* cell = Hp700CursorCell();
    if (cell->ch == 0 && !(ConfigMenu() && Hp700CursorScreenRow() >= 16)) {
        cell->ch = ' ';
        Hp700MarkChanged(Hp700CursorScreenRow(), Hp700.cursorColumn, Hp700.cursorColumn);
    }
}

void Hp700TerminalModes(const Hp700GroupParameters& p)
{
    for (int i = 0; i < p.count; ++i) {
        const Hp700Group& g = p.groups[i];
        Hp700Settings& s = Hp700.settings;
        u8 v = 0;
        switch (Upper(g.terminator)) {
        case 'A': Flag(g, &s.autolf); break;
        case 'B': Flag(g, &s.blockmode); break;
        case 'C': Flag(g, &s.capslock); break;
        case 'D': Flag(g, &s.bell); break;
        case 'I': Flag(g, &s.eightBits); break;
        case 'K': Flag(g, &Hp700.enterLocks); break;
        case 'L': Flag(g, &s.echo); break;
        case 'M': Flag(g, &s.modall); break;
        case 'N': Flag(g, &Hp700.spaceOverLatch); break;
        case 'P': Flag(g, &Hp700.caseInvert); break;
        case 'R':
            if (Flag(g, &s.remote))
                LocalMode = s.remote ? 0 : 1;
            break;
        case '[':
            if (!g.negative)
                Hp700.bracketFlag = g.value != 0;
            break;
        case '\\':
            if (Flag(g, &v))
                Hp700.leaveForVt = v != 0;
            break;
        default: break;
        }
    }
    Hp700RefreshSoftKeyStates();
}

void Hp700StrapSettings(const Hp700GroupParameters& p)
{
    for (int i = 0; i < p.count; ++i) {
        const Hp700Group& g = p.groups[i];
        Hp700Settings& s = Hp700.settings;
        switch (Upper(g.terminator)) {
        case 'A': Flag(g, &s.txfunctns); break;
        case 'B': Flag(g, &s.spow); break;
        case 'C': Flag(g, &s.inheolwrap); break;
        case 'D': Flag(g, &s.txpage); break;
        case 'G': Flag(g, &s.inhhndshk); break;
        case 'H': Flag(g, &s.inhdc2); break;
        case 'N': Flag(g, &s.escxfer); break;
        case 'X': Flag(g, &s.datashi); break;
        case 'Z': Flag(g, &s.chkparity); break;
        default: break;
        }
    }
}

void Hp700WindowControl(const Hp700GroupParameters& p)
{
    bool widthAnnounced = false;
    for (int i = 0; i < p.count; ++i) {
        const Hp700Group& g = p.groups[i];
        switch (g.terminator) {
        case 'F':
        case 'f':
            if (g.value == 13 && g.terminator == 'F' && !ConfigMenu()) {
                Hp700.displayOff = true;
                Hp700RepaintAll();
            } else if (g.value == 12 && g.terminator == 'F') {
                Hp700.displayOff = false;
                Hp700RepaintAll();
            } else if (g.value == 6 && g.terminator == 'f') {
                widthAnnounced = true;
            }
            break;
        case 'X':
        case 'x':
            if (widthAnnounced && (g.value == 80 || g.value == 132))
                Hp700SetColumns(g.value == 80 ? 79 : 131);
            widthAnnounced = false;
            break;
        default: break;
        }
    }
}

void Hp700LabelControl(const Hp700GroupParameters& p)
{
    for (int i = 0; i < p.count; ++i) {
        const Hp700Group& g = p.groups[i];
        switch (Upper(g.terminator)) {
        case '@':
            Hp700.rememberedMenu = Hp700.menu;
            Hp700.menu = kHpMenuLabels;
            Hp700RepaintRows(kHpScreenRows, kHpScreenRows + 1);
            break;
        case 'A': Hp700ShowMenu(kHpMenuModes); break;
        case 'B': Hp700ShowMenu(kHpMenuUserKeys); break;
        case 'C': Hp700ReturnToRememberedMenu(); break;
        case 'R': Hp700.labelLock = false; break;
        case 'S': Hp700.labelLock = true; break;
        case 'L': {
            // The next n characters (1..160) are the two label lines: 80 a line, CR starts
            // line 1 again, LF goes to line 2; what passes a line's end is dropped.
            if (g.negative || g.value < 1 || g.value > kLabelCharacters)
                break;
            HpLine* lines[2] = {&Hp700.labelLines[2 * kHpMenuLabels], &Hp700.labelLines[2 * kHpMenuLabels + 1]};
            for (HpLine* l : lines)
                Hp700BlankLine(l);
            int line = 0, column = 0;
            for (int n = 0; n < g.value; ++n) {
                const int b = Hp700NextDataByte();
                if (b < 0)
                    break;
                if (b == kCr) {
                    line = 0;
                    column = 0;
                } else if (b == kLf) {
                    line = 1;
                    column = 0;
                } else if (column < kLabelColumns) {
                    lines[line]->cells[column++].ch = Hp700ConvertDefinedChar(static_cast<u8>(b));
                    lines[line]->used = 1;
                }
            }
            Hp700RepaintRows(kHpScreenRows, kHpScreenRows + 1);
            break;
        }
        default: break;
        }
    }
}
