#include "terminal/emulations/dec/keys/ansikeys.h"

#include "terminal/emulations/dec/ansi/ansiconsole.h"

#include "terminal/core/screen/charsets.h"
#include "terminal/core/host/hostio.h"
#include "terminal/core/screen/paintsettings.h"
#include "terminal/core/host/pushback.h"

namespace {

constexpr u16 kEsc = 0x1B;

void Send(std::initializer_list<u16> units)
{
    HostSendString(units.begin(), static_cast<int>(units.size()));
}

void SendEscBracket(u16 final)
{
    Send({kEsc, '[', final});
}

bool ValidFunctionKey(int key)
{
    return key >= 0 && key < 12;
}

// SCO Console: ESC [ and one letter per key and state; Ctrl+Shift+F12 has none.
constexpr char kScoFunctionLetters[4][13] = {"MNOPQRSTUVWX", "YZabcdefghij", "klmnopqrstuv", "wxyz@[\\]^_`"};

// AT 386: ESC O and a letter; Alt (state 4) ESC N and a letter for F1-F11.
constexpr char kAt386Plain[] = "PQRSTUVWXYZA";
constexpr char kAt386Shifted[] = "pqrstuvwxyza";
constexpr char kAt386Alt[] = "acdilmopsuw";

}  // namespace

void ScoSendFunctionKey(int key, int state)
{
    if (!ValidFunctionKey(key) || state < 0 || state > 3)
        return;
    // A string the host defined (ESC Q) replaces the key's own, unshifted and shifted.
    if (state <= 1) {
        const wchar16* own = AnsiConsole.keyStrings[state == 0 ? key : 15 + key];
        int n = 0;
        while (n < kScoKeyStringUnits && own[n])
            ++n;
        if (n > 0) {
            HostSendString(reinterpret_cast<const u16*>(own), n);
            return;
        }
    }
    const char letter = kScoFunctionLetters[state][key];
    if (letter)
        SendEscBracket(static_cast<u16>(letter));
    else
        Send({kEsc, '['});
}

void ScoSendEditingKey(int key, int state)
{
    switch (key * 4 + state) {
    case 0 * 4 + 0: SendEscBracket('L'); break;
    case 1 * 4 + 0: SendEscBracket('H'); break;
    case 2 * 4 + 0: SendEscBracket('I'); break;
    case 3 * 4 + 0: Send({0x7F}); break;
    case 3 * 4 + 1: Send({0x18}); break;
    case 3 * 4 + 2: Send({0x1F, '6'}); break;
    case 4 * 4 + 0: SendEscBracket('F'); break;
    case 4 * 4 + 1: SendEscBracket('H'); break;
    case 5 * 4 + 0: SendEscBracket('G'); break;
    case 5 * 4 + 1: Send({kEsc, '[', '6', '~'}); break;
    default: break;
    }
}

void ScoSendTabKey(int shifted)
{
    if (shifted)
        SendEscBracket('Z');
    else
        Send({0x09});
}

void At386SendFunctionKey(int key, int state)
{
    if (!ValidFunctionKey(key))
        return;
    const u16 plain = static_cast<u16>(kAt386Plain[key]), shifted = static_cast<u16>(kAt386Shifted[key]);
    switch (state) {
    case 0: Send({kEsc, 'O', plain}); break;
    case 1: Send({kEsc, 'O', shifted}); break;
    case 2: Send({kEsc, 'a', kEsc, 'O', plain, kEsc, 'A'}); break;
    case 3: Send({kEsc, 'a', kEsc, 'O', shifted, kEsc, 'A'}); break;
    case 4:
        if (key < 11)
            Send({kEsc, 'N', static_cast<u16>(kAt386Alt[key])});
        break;
    default: break;
    }
}

void At386SendEditingKey(int key, int state)
{
    if (key == 3) {
        if (state >= 0 && state <= 2)
            Send({0x7F});
        return;
    }
    if (state != 0)
        return;
    constexpr char kFinals[] = "@HV?YU";
    if (key >= 0 && key < 6)
        SendEscBracket(static_cast<u16>(kFinals[key]));
}

void At386SendTabKey(int shifted)
{
    if (shifted)
        SendEscBracket('z');
    else
        Send({0x09});
}

void AixtermSendFunctionKey(int key, int state)
{
    if (!ValidFunctionKey(key) || state != 0)
        return;
    const int n = key + 1;
    Send({kEsc, '[', '0', static_cast<u16>('0' + n / 10), static_cast<u16>('0' + n % 10), 'q'});
}

void AixtermSendEditingKey(int key, int state)
{
    if (key == 1 && state == 0)
        SendEscBracket('H');
    else if (key == 3 && state >= 0 && state <= 2)
        Send({0x7F});
}

void AixtermSendTabKey(int shifted)
{
    if (!shifted)
        Send({0x09});
}

void BbsSendCtrlFunctionKey(int code)
{
    constexpr char kFinals[] = "PQwx";
    if (code >= 80 && code <= 83)
        Send({kEsc, 'O', static_cast<u16>(kFinals[code - 80])});
}

void BbsSendShiftFunctionKey(int code)
{
    constexpr char kFinals[] = "RSym";
    if (code >= 80 && code <= 83)
        Send({kEsc, 'O', static_cast<u16>(kFinals[code - 80])});
}

void BbsSendEditingKey(int index)
{
    switch (index) {
    case 0: Send({kEsc, 'O', 'u'}); break;
    case 1: Send({kEsc, 'O', 'q'}); break;
    case 2: Send({kEsc, 'O', 'r'}); break;
    case 16: Send({kEsc, 'O', 's'}); break;
    case 31: SendEscBracket('H'); break;
    case 33: PushKeyboardInput(0x7F); break;
    case 34: SendEscBracket('K'); break;
    case 42: Send({kEsc, 'O', 't'}); break;
    case 43: Send({kEsc, 'O', 'v'}); break;
    default: break;
    }
}

void BbsSendShiftEditingKey(int index)
{
    switch (index) {
    case 31: SendEscBracket('L'); break;
    case 32: SendEscBracket('M'); break;
    case 35: Send({kEsc, '[', 'H', kEsc, '[', '2', 'J'}); break;
    default: break;
    }
}

void SendCsiKey(int letter)
{
    SendEscBracket(static_cast<u16>(letter));
}

int GetAnsiCodePage()
{
    if (PaintSettings.characterMode != kCharModePcCodePage)
        return -1;
    switch (PaintSettings.pcCodePage) {
    case kPcCp437: return 437;
    case kPcCp850: return 850;
    case kPcCp858: return 858;
    case kPcCp1250: return 1250;
    case kPcCp852: return 852;
    default: return -1;
    }
}

int UnicodeToPcCodePage(int u)
{
    if (u < 0)
        return -1;
    const int page = GetAnsiCodePage();
    if (page < 0)
        return u == 0 ? -1 : u;
    if (u < 128)
        return u;
    // The code page's own byte, nothing for a character it lacks: a character sent as
    // its Unicode value would be another character on the host.
    const u16 c = static_cast<u16>(u > 0xFFFF ? 0 : u);
    int r = 0;
    switch (page) {
    case 437: r = UnicodeToCp437(c); break;
    case 850: r = UnicodeToCp850(c); break;
    // 858 is 850 with the euro where 850 has the dotless i.
    case 858: r = c == 0x20AC ? 213 : (c == 0x0131 ? 0 : UnicodeToCp850(c)); break;
    case 852: r = UnicodeToCp852(c); break;
    case 1250:
        for (u16 b = 128; b <= 255 && c > 0xA0; ++b)
            if (Cp1250HighToUnicode(b) == c) {
                r = b;
                break;
            }
        break;
    default: break;
    }
    return r == 0 ? -1 : r;
}
