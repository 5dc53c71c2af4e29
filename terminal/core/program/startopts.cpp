#include "terminal/core/base/startopts.h"

#include <cstring>
#include <cwchar>
#include <string>

#include "terminal/settings/store/connsettings.h"
#include "terminal/comms/telnet/netsession.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/session/instances.h"
#include "terminal/core/base/language.h"
#include "terminal/core/base/messagebox.h"
#include "terminal/core/base/stringids.h"
#include "terminal/core/base/win32.h"
#include "terminal/settings/store/profilevalues.h"
#include "terminal/core/base/registry.h"
#include "terminal/settings/store/textcopy.h"

StartupOptionValues StartupOptions;
wchar16 ConnectionProtocol[kProtocolUnits];

StartupOptionValues::StartupOptionValues()
{
    for (u8& flag : offered)
        flag = 1;
}

// clang-format off
const char* const MenuOfferNames[kMenuOfferCount] = {
    "filemenu", "Factory", "Reset", "NewConnection", "OpenSession", "CloseSession", "SaveSession",
    "SaveSessionAs", "StartupOptions", "capture", "replay", "filetransfer", "FTP", "printsetup",
    "printscreen", "printbuffer", "autoprint", "cancelprint", "ejectpage", "script", "runscript",
    "scriptrec", "exit",
    "editmenu", "clipboardtext", "clipboardgraphics", "copy", "paste", "selectall", "clearbuffer",
    "settingsmenu", "emulation", "serial", "terminal", "hp2392a", "ta6526", "localediting",
    "blocktransmission", "attributes", "keyboardmacros", "softbuttons", "ibm3151", "ibm3270",
    "ibm5250", "MouseButtons", "ButtonTools", "Wyse",
    "helpmenu",
};
// clang-format on

namespace {

// What the command line decided, so that the start-up options key does not override it.
struct Decided {
    bool title, subtitle, windowState, mouseCursor, buttonLevels, mouseEdit, onClose, fontIndex;
    bool r4, debug, winsock, telnetPort, localPort;
};
Decided g_decided;
bool g_rejected;       // a word was refused: later words only clear the target
bool g_badTelnetPort;  // the refused word named no usable telnet port: no connection
bool g_profileGiven;   // -Se or a registered -W named the profile

constexpr int kWordUnits = kCommandLineUnits;

wchar16 Lower(wchar16 c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<wchar16>(c + 32) : c;
}

// Case-insensitive: does `text` start with the ASCII `prefix`?
bool StartsWith(const wchar16* text, const char* prefix)
{
    for (; *prefix; ++text, ++prefix)
        if (Lower(*text) != Lower(static_cast<wchar16>(*prefix)))
            return false;
    return true;
}

bool Equals(const wchar16* text, const char* word)
{
    return StartsWith(text, word) && text[std::strlen(word)] == 0;
}

// Decimal digits at the start of `text`, saturating instead of overflowing; -1 when
// there are none.
i64 Digits(const wchar16* text, int maxDigits = 18)
{
    i64 value = -1;
    for (int n = 0; n < maxDigits && *text >= '0' && *text <= '9'; ++n, ++text)
        value = (value < 0 ? 0 : value) * 10 + (*text - '0');
    return value;
}

// A telnet port: 1 to 65535 in decimal digits and nothing else; -1 otherwise.
i64 TelnetPortNumber(const wchar16* text)
{
    i64 value = 0;
    int n = 0;
    for (; text[n] >= '0' && text[n] <= '9'; ++n)
        if (value <= 65535)
            value = value * 10 + (text[n] - '0');
    return n > 0 && text[n] == 0 && value >= 1 && value <= 65535 ? value : -1;
}

i32 ClampToI32(i64 value)
{
    return value > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<i32>(value);
}

void KioskWindow()
{
    StartupOptionValues& o = StartupOptions;
    o.fullScreen = 1;
    o.startState = 3;
    o.scrollBar = o.menuBar = 0;
    o.toolbarShown = 0;
    o.softButtonLevels = 0;
    o.sizableFrame = o.caption = 0;
}

// The connection target word: "host" or "host/protocol".
void TakeTarget(const wchar16* word)
{
    wchar16 target[kSlotUnits];
    std::size_t n = 0;
    while (word[n] && word[n] != '/' && n + 1 < kSlotUnits) {
        target[n] = word[n];
        ++n;
    }
    target[n] = 0;
    // A target cut at the slot's end still finds its protocol.
    const wchar16* slash = word + n;
    while (*slash && *slash != '/')
        ++slash;
    while (n > 0 && target[n - 1] <= ' ')
        target[--n] = 0;
    if (*slash == '/')
        CopyText(ConnectionProtocol, kProtocolUnits, slash + 1);
    else if (word[0] > ' ')
        CopyText(ConnectionProtocol, kProtocolUnits, VXT("winsock"));
    else
        return;
    CopyText(Slots.connectionTarget, kSlotUnits, target);
    StartupOptions.targetGiven = target[0] != 0;
}

// A registered connection of the thin client's connection manager.
bool ConnectionRegistered(const wchar16* name)
{
    if (!name[0])
        return false;
    std::wstring path = L"Software\\Microsoft\\WBT\\Clients\\Registration\\ZEZ\\Connections\\";
    path += name;
    HKEY key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

bool ApplyMenuSwitch(const wchar16* rest)
{
    StartupOptionValues& o = StartupOptions;
    switch (Lower(rest[0])) {
    case 'a': o.menuMask = kMaskAll; break;
    case 'b':
        o.menuMask = kMaskAll;
        o.menuBar = 0;
        if (rest[1] == '1')
            o.noMenus = 1;
        break;
    case 'c': {
        const i64 n = Digits(rest + 1, 6);
        o.mouseCursor = MouseCursorForOption(n < 0 ? 1 : static_cast<u32>(n));
        g_decided.mouseCursor = true;
        break;
    }
    case 'd': o.menuMask |= kMaskEditMenu; break;
    case 'e':
        if (rest[1] >= '0' && rest[1] <= '2') {
            o.mouseEditMode = rest[1] - '0';
            g_decided.mouseEdit = true;
        }
        break;
    case 'f': o.menuMask |= kMaskFileMenu; break;
    case 'i':
        if (!o.fullScreen) {
            o.startState = 2;
            g_decided.windowState = true;
        }
        break;
    case 'n': o.minimiseBox = 0; break;
    case 's': o.menuMask |= kMaskSettingsMenu; break;
    case 't': o.menuMask |= kMaskCloseItem; break;
    case 'x': o.maximiseBox = 0; break;
    case 'z':
        if (!o.fullScreen) {
            o.startState = 3;
            o.menuBar = o.caption = 1;
            g_decided.windowState = true;
        }
        break;
    }
    return true;
}

// A "-" switch; false when the word is not a valid option. `next` is the following
// word, taken as the argument of a text switch written with a blank ("-T Title");
// `usedNext` tells the caller it was consumed.
bool ApplySwitch(const wchar16* word, const wchar16* next, bool* usedNext)
{
    StartupOptionValues& o = StartupOptions;
    const wchar16 letter = Lower(word[1]);
    const wchar16* rest = word + 2;
    auto text = [&](const wchar16* argument) -> const wchar16* {
        if (argument[0] || !next || next[0] == '-' || next[0] == '+')
            return argument;
        *usedNext = true;
        return next;
    };
    if (letter < 'a' || letter > 'w' || letter == 'g' || letter == 'q' || letter == 'u')
        return false;
    switch (letter) {
    case 'a': o.statusLineActive = 0; break;
    case 'b':
        if (Lower(rest[0]) == 'e') {
            o.bell = 0;
        } else if (Lower(rest[0]) == 'l' && rest[1] >= '0' && rest[1] <= '4') {
            o.softButtonLevels = rest[1] - '0';
            g_decided.buttonLevels = true;
        }
        break;
    case 'c':
        if (Lower(rest[0]) == 'a') {
            o.clipboardAcceleratorsOff = 1;
        } else if (Lower(rest[0]) == 'b') {
            o.menuBar = 0;
            o.toolbarShown = 0;
            if (rest[1] == '1')
                o.noMenus = 1;
        }
        break;
    case 'd':
        if (StartsWith(rest, "ebug2way")) {
            o.debugTrace = o.debugTwoWay = 1;
            g_decided.debug = true;
        } else if (StartsWith(rest, "ebug")) {
            o.debugTrace = 1;
            g_decided.debug = true;
        } else if (Lower(rest[0]) == 'f') {
            const i64 n = Digits(rest + 1, 14);
            if (n >= 0) {
                o.defaultFontIndex = ClampToI32(n);
                g_decided.fontIndex = true;
            }
        }
        break;
    case 'e':
        if (rest[0] == 0 || (rest[0] >= '0' && rest[0] <= '3')) {
            static constexpr u32 kActions[] = {1, 2, 3, 4};
            o.onCloseAction = rest[0] == 0 ? 1 : kActions[rest[0] - '0'];
            g_decided.onClose = true;
        }
        break;
    case 'f':
        if (rest[0] == 0)
            KioskWindow();
        else if (Lower(rest[0]) == 'b')
            o.flashInBackground = 1;
        if (rest[0] == 0)
            g_decided.windowState = g_decided.buttonLevels = true;
        break;
    case 'h':
        if (Lower(rest[0]) == 'b') {
            const i64 n = Digits(rest + 1);
            if (n >= 0)
                o.historyLines = n < 64 ? 64 : n > 999 ? 999 : static_cast<u32>(n);
        }
        break;
    case 'i':
        if (StartsWith(rest, "bmreply"))
            o.ibmReplyMode = 0;
        else if (StartsWith(rest, "bmfixed"))
            o.ibmFixedMode = 1;
        break;
    case 'j': o.warnOnExit = 0; break;
    case 'k':
    case 'p': break;  // accepted for older command lines, no effect
    case 'l':
        if (rest[0] == 0) {
            o.toolbarShown = o.buttonToolsShown = 0;
        } else if (StartsWith(rest, "ocalport")) {
            const i64 n = Digits(rest + 8, 6);
            if (n >= 0) {
                o.localPort = ClampToI32(n);
                g_decided.localPort = true;
            }
        } else if (Lower(rest[0]) == 'u') {
            CopyText(Slots.luName, 9, text(rest + 1));
        } else if (Lower(rest[0]) == 'w') {
            o.loadWinsockOnStartup = 1;
            g_decided.winsock = true;
        }
        break;
    case 'm': return ApplyMenuSwitch(rest);
    case 'n': CopyText(Slots.startupSetName, kSlotUnits, text(rest)); break;
    case 'o':
        if (Lower(rest[0]) == 's')
            o.sessionWarning = 0;
        break;
    case 'r':
        if (rest[0] == '4') {
            o.r4Colours = 1;
            g_decided.r4 = true;
        } else if (Lower(rest[0]) == 'p') {
            o.remotePrinting = 0;
        }
        break;
    case 's':
        switch (Lower(rest[0])) {
        case 'b': o.scrollBar = 0; break;
        case 'e':
            CopyText(Slots.profileName, kSlotUnits, text(rest + 1));
            o.startMode = 0;
            g_profileGiven = true;
            break;
        case 'p': o.usePalette = 0; break;
        case 't':
            CopyText(Slots.windowSubtitle, kSlotUnits, text(rest + 1));
            g_decided.subtitle = true;
            break;
        case 'y': o.systemMenu = o.minimiseBox = o.maximiseBox = 0; break;
        }
        break;
    case 't':
        if (Equals(rest, "b")) {
            o.caption = 0;
        } else if (StartsWith(rest, "nport")) {
            const i64 n = TelnetPortNumber(rest + 5);
            if (n < 0) {
                // Any other port would be a surprise: a larger number would be cut to
                // 16 bits and a word without one would fall back to the profile's port.
                // The word is refused, and the session connects nowhere.
                g_badTelnetPort = true;
                return false;
            }
            o.telnetPort = static_cast<i32>(n);
            g_decided.telnetPort = true;
        } else {
            CopyText(Slots.windowTitle, kSlotUnits, text(rest));
            g_decided.title = true;
        }
        break;
    case 'v': o.statusBarAllowed = o.statusLine = 0; break;
    case 'w':
        if (Equals(rest, "f")) {
            o.sizableFrame = 0;
        } else {
            wchar16 name[kSlotUnits];
            CopyText(name, kSlotUnits, text(rest));
            if (ConnectionRegistered(name)) {
                o.registeredConnection = 1;
                CopyText(Slots.profileName, kSlotUnits, name);
                o.startMode = 0;
                g_profileGiven = true;
            }
        }
        break;
    }
    return true;
}

void ApplyOnSwitch(const wchar16* word)
{
    StartupOptionValues& o = StartupOptions;
    const wchar16* rest = word + 2;
    switch (Lower(word[1])) {
    case 'c':
        if (Lower(rest[0]) == 'b') {
            o.menuBar = 1;
            o.noMenus = 0;
            o.toolbarShown = 1;
        } else if (Lower(rest[0]) == 's') {
            o.keepSessionSlots = 1;
        }
        break;
    case 'l': o.toolbarShown = 1; break;
    case 'm':
        switch (Lower(rest[0])) {
        case 'a': o.menuMask = 0; break;
        case 'b':
            if (rest[1] != '1') {
                o.menuBar = 1;
                o.menuMask = 0;
            }
            o.noMenus = 0;
            break;
        case 'd': o.menuMask &= ~kMaskEditMenu; break;
        case 'f': o.menuMask &= ~kMaskFileMenu; break;
        case 's': o.menuMask &= ~kMaskSettingsMenu; break;
        case 't': o.menuMask &= ~kMaskCloseItem; break;
        case 'n': o.minimiseBox = 1; break;
        case 'x': o.maximiseBox = 1; break;
        }
        break;
    case 's':
        if (Lower(rest[0]) == 'b')
            o.scrollBar = 1;
        break;
    case 't':
        if (Lower(rest[0]) == 'b')
            o.caption = 1;
        break;
    case 'v': o.statusBarAllowed = o.statusLine = 1; break;
    case 'w':
        if (Lower(rest[0]) == 'f')
            o.sizableFrame = 1;
        break;
    }
}

// Cuts the command line into words; quotes (double or single) hold blanks and are
// dropped. At most `maxSteps` steps, each a blank or a word.
struct WordSplitter {
    const wchar16* p;
    int steps = 0;
    bool Next(wchar16 (&word)[kWordUnits])
    {
        for (; *p && steps < 254; ++steps) {
            if (*p == ' ' || *p == '\t') {
                ++p;
                continue;
            }
            std::size_t n = 0;
            if (*p == '"' || *p == '\'') {
                const wchar16 quote = *p++;
                while (*p && *p != quote) {
                    if (n + 1 < kWordUnits)
                        word[n++] = *p;
                    ++p;
                }
                if (*p == quote)
                    ++p;
            } else {
                while (*p && *p != ' ' && *p != '\t') {
                    if (n + 1 < kWordUnits)
                        word[n++] = *p;
                    ++p;
                }
            }
            word[n] = 0;
            ++steps;
            return true;
        }
        return false;
    }
};

void ParseCommandLine(const wchar16* commandLine)
{
    WordSplitter split{commandLine ? commandLine : VXT("")};
    static wchar16 word[kWordUnits], next[kWordUnits];
    bool haveNext = split.Next(next);
    while (haveNext) {
        CopyText(word, kWordUnits, next);
        haveNext = split.Next(next);
        if (g_rejected) {
            Slots.connectionTarget[0] = 0;
            StartupOptions.targetGiven = 0;
            continue;
        }
        if (word[0] == '+') {
            ApplyOnSwitch(word);
        } else if (word[0] == '-') {
            bool usedNext = false;
            if (!ApplySwitch(word, haveNext ? next : nullptr, &usedNext)) {
                // The message box formats the word into a bounded buffer, cut as needed.
                MessageBoxFormatId(kStrInvalidOption, word);
                g_rejected = true;
            } else if (usedNext) {
                haveNext = split.Next(next);
            }
        } else {
            TakeTarget(word);
        }
    }
}

// Values of the start-up options key: absent when the key or the value is missing.
struct StartupKey {
    HKEY key;
    // Copies a non-empty stored text into `buffer` (cut to its capacity); an absent
    // value leaves the buffer as it was.
    bool Text(const char* name, wchar16* buffer, int capacity) const
    {
        if (!key)
            return false;
        wchar16 wide[64];
        WidenString(wide, 64, name);
        std::wstring value(kSlotUnits, L'\0');
        const u32 keep = KeepCurrentValues;
        KeepCurrentValues = 1;
        const int length = SettingsReadString(key, wide, VXT(""), value.data(), kSlotUnits);
        KeepCurrentValues = keep;
        if (length <= 0)
            return false;
        CopyText(buffer, capacity, value.c_str());
        return true;
    }
    bool Is(const char* name, const char* word) const
    {
        wchar16 value[64] = {};
        return Text(name, value, 64) && Equals(value, word);
    }
    bool Dword(const char* name, u32* value) const
    {
        if (!key)
            return false;
        wchar16 wide[64];
        WidenString(wide, 64, name);
        DWORD type = 0, data = 0, size = sizeof data;
        if (RegQueryValueExW(key, wide, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) != ERROR_SUCCESS ||
            type != REG_DWORD || size != sizeof data)
            return false;
        *value = data;
        return true;
    }
};

void ReadMenuOptions(const StartupKey& key)
{
    StartupOptionValues& o = StartupOptions;
    wchar16 value[64] = {};
    if (key.Text("SystemMenu", value, 64)) {
        if (Equals(value, "None"))
            o.systemMenu = o.minimiseBox = o.maximiseBox = 0;
        else if (Equals(value, "off"))
            o.systemMenu = 0;
    }
    if (key.Is("MinimizeBox", "off"))
        o.minimiseBox = 0;
    if (key.Is("MaximizeBox", "off"))
        o.maximiseBox = 0;
    if (key.Is("MenuCloseItem", "off"))
        o.closeItem = 0;
    if (key.Is("commandbar", "off"))
        o.menuBar = 0;
    if (key.Is("scrollbar", "off"))
        o.scrollBar = 0;
    // Each menu's items follow it in the offer list up to the next menu.
    const MenuOffer menus[] = {kOfferFileMenu, kOfferEditMenu, kOfferSettingsMenu, kOfferHelpMenu,
                               kMenuOfferCount};
    for (int m = 0; menus[m] != kMenuOfferCount; ++m) {
        if (key.Is(MenuOfferNames[menus[m]], "off"))
            o.offered[menus[m]] = 0;
        if (!o.menuBar || !o.offered[menus[m]])
            continue;
        for (int item = menus[m] + 1; item < menus[m + 1]; ++item)
            if (key.Is(MenuOfferNames[item], "off"))
                o.offered[item] = 0;
    }
    if (key.Is("ToolBar", "off"))
        o.toolbarShown = 0;
}

void ReadConnectionOptions(const StartupKey& key)
{
    StartupOptionValues& o = StartupOptions;
    if (Equals(ConnectionProtocol, "none") || g_badTelnetPort) {
        Slots.connectionTarget[0] = 0;
        o.targetGiven = 0;
        o.connectionsOff = 1;
        return;
    }
    if (!Slots.connectionTarget[0])
        key.Text("host", Slots.connectionTarget, kSlotUnits);
    if (!ConnectionProtocol[0])
        key.Text("protocol", ConnectionProtocol, kProtocolUnits);
    if (Equals(ConnectionProtocol, "winsock")) {
        o.networkProtocol = 0;
    } else if (Equals(ConnectionProtocol, "serial")) {
        const wchar16* t = Slots.connectionTarget;
        if (StartsWith(t, "com")) {
            const i64 port = Digits(t + 3, 4);
            if (port >= 0 && port < 255)
                o.serialPort = static_cast<u8>(port);
        }
        Slots.connectionTarget[0] = 0;
    }
    if (o.networkProtocol == 0 || o.serialPort < 255) {
        o.targetGiven = Slots.connectionTarget[0] != 0 || o.serialPort < 255;
        o.startMode = 0;
    }
    if (!Slots.luName[0])
        key.Text("TelnetLuid", Slots.luName, 9);
}

void ReadKeyValues(const StartupKey& key)
{
    StartupOptionValues& o = StartupOptions;
    wchar16 value[64] = {};
    u32 number = 0;
    if (!g_decided.title)
        key.Text("title", Slots.windowTitle, kSlotUnits);
    if (!g_decided.subtitle)
        key.Text("SubTitle", Slots.windowSubtitle, kSlotUnits);
    if (key.Is("Quiet", "On"))
        o.quiet = 1;
    if (key.Text("StatusLine", value, 64)) {
        if (Equals(value, "off"))
            o.statusLine = 0;
        else if (Equals(value, "inactive"))
            o.statusLineActive = 0;
    }
    if (key.Is("FlashInBackground", "On"))
        o.flashInBackground = 1;
    if (!g_decided.mouseCursor)
        o.mouseCursor = MouseCursorForOption(key.Dword("MouseCursor", &number) ? number : 1);
    if (!g_decided.windowState && key.Text("WindowSize", value, 64)) {
        if (Equals(value, "minimized")) {
            o.startState = 2;
        } else if (Equals(value, "maximized")) {
            o.startState = 3;
        } else if (Equals(value, "fullscreen")) {
            KioskWindow();
            g_decided.buttonLevels = true;
        }
    }
    ReadMenuOptions(key);
    // A stored line count below 64 could not even hold the screen: it is raised to 64.
    if (o.historyLines == 528 && key.Dword("HistoryBuffer", &number)) {
        const i32 lines = static_cast<i32>(number);
        o.historyLines = (lines < 0 || lines >= 999) ? 999 : lines < 64 ? 64 : static_cast<u32>(lines);
    }
    ReadKeyboardLayout();
    if (!g_decided.buttonLevels && key.Dword("ButtonLevels", &number))
        o.softButtonLevels = static_cast<i32>(number);
    if (!g_decided.mouseEdit) {
        o.mouseEditMode = 1;
        if (key.Text("MouseEdit", value, 64))
            o.mouseEditMode = Equals(value, "disabled") ? 2 : Equals(value, "off") ? 0 : 1;
    }
    if (!g_decided.onClose) {
        o.onCloseAction = 0;
        if (key.Text("ExitOnClose", value, 64))
            o.onCloseAction = Equals(value, "On")         ? 1
                              : Equals(value, "off")      ? 2
                              : Equals(value, "Connect")  ? 3
                              : Equals(value, "Dialogue") ? 4
                                                          : 0;
    }
    if (key.Is("WarnExit", "off"))
        o.warnOnExit = 0;
    if (!g_decided.fontIndex && key.Dword("defaultfontindex", &number))
        o.defaultFontIndex = static_cast<i32>(number);
    if (!g_decided.r4 && key.Dword("R4Colours", &number))
        o.r4Colours = number;
    if (key.Is("UsePalette", "off"))
        o.usePalette = 0;
    if (key.Is("Bell", "off"))
        o.bell = 0;
    if (!g_decided.debug && key.Is("DebugMode", "On"))
        o.debugTrace = 1;
    if (!g_decided.winsock && key.Is("LoadWinsockOnStartup", "On"))
        o.loadWinsockOnStartup = 1;
    ReadConnectionOptions(key);
    if (key.Is("ibmreplymode", "off"))
        o.ibmReplyMode = 0;
    if (key.Is("clearscreenonclose", "On"))
        o.clearScreenOnClose = 1;
    if (key.Is("SessionWarning", "off"))
        o.sessionWarning = 0;
    if (!g_decided.telnetPort && key.Dword("TelnetPort", &number))
        o.telnetPort = static_cast<i32>(number);
    if (!g_decided.localPort && key.Dword("LocalPort", &number))
        o.localPort = static_cast<i32>(number);
    if (key.Is("RemotePrinting", "off"))
        o.remotePrinting = 0;
}

// With the menu bar on, the thin client's security mask decides which -M bits hold;
// the menu builder leaves out the menus whose bits remain.
void ApplyMenuMask()
{
    StartupOptionValues& o = StartupOptions;
    if (o.menuBar)
        o.menuMask &= o.securityMask;
    if ((o.menuMask & kMaskAll) == kMaskAll) {
        o.noMenus = 1;
        o.menuBar = 0;
    }
    if (o.menuMask & kMaskCloseItem)
        o.closeItem = 0;
}

}  // namespace

int ReadStartupOptions(const wchar16* commandLine, HINSTANCE instance)
{
    StartupOptions = StartupOptionValues{};
    g_decided = Decided{};
    g_rejected = g_profileGiven = g_badTelnetPort = false;
    ConnectionProtocol[0] = 0;
    CopyText(Slots.startupSetName, kSlotUnits, VXT("Default"));
    // The title is the program's own description, whatever the language module says.
    if (LoadProgramString(kStrTerminalEmulation, Slots.windowTitle, kSlotUnits) <= 0)
        CopyText(Slots.windowTitle, kSlotUnits, VXT("vexaNT"));

    ParseCommandLine(commandLine);
    if (!ReadStartupSettings())
        return 0;
    // The start-up dialog setting opens a page at start unless the command line named
    // what to run.
    if (!g_profileGiven && !StartupOptions.targetGiven)
        StartupOptions.startMode = StartupOptions.startupDialog;

    StartupKey key{SettingsOpenStartupKey(Slots.startupSetName)};
    ReadKeyValues(key);
    SettingsCloseKey(key.key);
    if (!Slots.windowTitle[0] && LoadProgramString(kStrTerminalEmulation, Slots.windowTitle, kSlotUnits) <= 0)
        CopyText(Slots.windowTitle, kSlotUnits, VXT("vexaNT"));
    ApplyMenuMask();
    return 1;
}

void ApplyStartTarget()
{
    if (!StartupOptions.targetGiven || StartupOptions.connectionsOff)
        return;
    CopyText(Connection.netname, kHostNameUnits, Slots.connectionTarget);
    if (StartupOptions.networkProtocol == 0)
        Connection.netproto = 0;  // "winsock": the target is a telnet host
    // "COMn/serial": the port numbers count from 0, so COM1 is port 0.
    if (StartupOptions.serialPort >= 1 && StartupOptions.serialPort < 255) {
        Connection.netproto = 1;
        ConnectionValues.comdevice = static_cast<u8>(StartupOptions.serialPort - 1);
        ConnectionValues.comdeviceType = 0;
    }
    if (Slots.connectionTarget[0] && StartupOptions.networkProtocol == 0 && StartupOptions.serialPort == 255)
        ConnectionStartState = 1;
}

u16 MouseCursorForOption(u32 n)
{
    // IDC_ values as numbers, so that the table reads like the option list.
    static constexpr u16 kCursors[] = {
        0,
        32513,  // 1 IDC_IBEAM
        32512,  // 2 IDC_ARROW
        32515,  // 3 IDC_CROSS
        32646,  // 4 IDC_SIZEALL
        32643,  // 5 IDC_SIZENESW
        32645,  // 6 IDC_SIZENS
        32642,  // 7 IDC_SIZENWSE
        32644,  // 8 IDC_SIZEWE
        32514,  // 9 IDC_WAIT
        0,      // 10 none
        32648,  // 11 IDC_NO
        32649,  // 12 IDC_HAND
        32650,  // 13 IDC_APPSTARTING
        32651,  // 14 IDC_HELP
    };
    return (n >= 1 && n < std::size(kCursors)) ? kCursors[n] : kCursorIBeam;
}
