#include "terminal/core/paint/palette.h"
#include "terminal/settings/store/profilevalues.h"
#include "terminal/emulations/dec/reports/reports.h"

#include <cstring>

#include "terminal/settings/store/connsettings.h"
#include "terminal/comms/printing/printing.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/core/base/language.h"
#include "terminal/core/screen/paintsettings.h"
#include "terminal/core/screen/screenops.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/paint/textcursor.h"
#include "terminal/emulations/dec/controls/controlstring.h"
#include "terminal/emulations/dec/controls/cursorcmds.h"
#include "terminal/emulations/dec/params.h"
#include "terminal/emulations/dec/controls/rendition.h"
#include "terminal/emulations/dec/reports/reportbuffer.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/emulations/dec/controls/softfont.h"
#include "terminal/emulations/dec/reports/statecodec.h"
#include "terminal/emulations/dec/controls/vtcharsets.h"
#include "terminal/emulations/dec/vtmodes.h"
#include "terminal/emulations/dec/vtparts.h"
#include "terminal/settings/store/colours.h"
#include "terminal/settings/store/hls.h"

namespace {

constexpr u32 kProgramVersionString = 10100;

// The primary device attributes by terminal model (vt100 ... vt525).
constexpr const char* kDeviceAttributeAnswers[kTerminalModelCount] = {
    "?1;2c",
    "?1;0c",
    "?6c",
    "?12;7;1;10;102c",
    "?62;1;2;6;7;8;9c",
    "?62;1;2;3;4;6;7;8;9c",
    "?63;1;2;6;7;8;9;13c",
    "?63;1;2;3;4;6;7;8;9;13;15;16;18;19c",
    "?64;1;2;6;7;8;9;15;18;19;21c",
    "?7c",
    "?4;2c",
    "?62;2;6c",
    "?65;1;2;7;9;12;18;21;23;24;42;44;45;46c",
    "?64;1;2;6;7;8;9;15;18;19;21;42;44;46c",
    "?65;1;2;6;7;8;9;15;18;19;21;42;44;46c",
};

constexpr char kParityDigits[5] = {'1', '4', '5', '3', '2'};
constexpr u8 kSpeedCodes[10] = {16, 48, 56, 64, 88, 104, 112, 120, 128, 136};

u8 u8Bit(bool on, int bit)
{
    return on ? static_cast<u8>(1u << bit) : 0;
}

const char* SecondaryAnswer()
{
    // clang-format off
    switch (TerminalId) {
    case 4: return ">1;20;0c";
    case 5: return ">2;22;0c";
    case 6: return ">24;11;0c";
    case 7: return ">19;11;0;0c";
    case 12: case 13: case 14: return ">61;24;0c";
    default: return ">41;11;0c";
    }
    // clang-format on
}

// The lead-in of the cursor reports: the one-unit CSI only in VT500 8-bit, else the
// two plain characters ESC [.
void BeginCursorReport()
{
    if (EmulationId == kEmuVt500Bit8) {
        BeginReport(kCsiUnit);
    } else {
        BeginReport(0x1B);
        AppendUnit('[');
    }
}

// A position is reported from 1 on: a cursor that sits before the margins it is
// counted from (it got there before they were set) reports the first position.
int ReportRow()
{
    const int row = VtMode.cursorOrigin ? Screen.cursorRow + 1 : Screen.cursorRow - Screen.top + 1;
    return row < 1 ? 1 : row;
}

int ReportColumn()
{
    if (VtMode.cursorOrigin && !VtMode.lrMarginModeOff)
        return Screen.cursorColumn + 1;
    const int column = Screen.cursorColumn - Screen.left + 1;
    return column < 1 ? 1 : column;
}

int KeyboardLanguageCode()
{
    const int l = KeyboardLanguage();
    // clang-format off
    switch (l) {
    case 20: return 19;
    case 22: return 22;
    case 24: return 29;
    case 25: return 39;
    case 26: return 34;
    case 27: return 33;
    case 28: return 35;
    case 31: case 32: case 35: case 36: return 38;
    case 33: return 31;
    case 34: return 36;
    default: return l < 16 ? l + 1 : 1;
    }
    // clang-format on
}

void SendSimple(const char* text)
{
    BeginReport(kCsiUnit);
    AppendText(text);
    SendReportBuffer();
}

// ---- modes ----

int AnsiModeState(int mode)
{
    const DecModeSet& m = DecModes;
    // clang-format off
    switch (mode) {
    case 1: return m.gatm ? 1 : 2;
    case 2: return VtMode.hostKeyboardLock ? 1 : 2;
    case 4: return VtMode.insertMode ? 1 : 2;
    case 6: return m.erm ? 1 : 2;
    case 12: return LocalEcho ? 2 : 1;
    case 15: return m.ansi15 ? 1 : 2;
    case 16: return m.ansi16 ? 1 : 2;
    case 17: return m.ansi17Inverted ? 2 : 1;
    case 20: return VtMode.newLineMode ? 1 : 2;
    case 3: case 5: case 7: case 10: case 11: case 13: case 14: case 18: case 19: return 4;
    default: return 0;
    }
    // clang-format on
}

int DecModeState(int mode)
{
    const DecModeSet& m = DecModes;
    auto state = [](bool on) { return on ? 1 : 2; };
    switch (mode) {
    case 1: return state(Vt300Values.curskeyapp);
    case 2: return 3;
    case 3: return state(Screen.lastColumn == 131);
    case 4: return state(m.smoothScroll);
    case 5: return state(PaintSettings.reverseScreen != 0);
    case 6: return state(VtMode.cursorOrigin == 0);
    case 7: return state(VtMode.autoWrap);
    case 8: return state(Vt300Values.kbdrpt);
    case 10: return m.localEditState == 2 ? 4 : m.localEditState == 1 ? 1 : 2;
    case 11: return state(m.editFlag11);
    case 13: return state(m.editFlag13);
    case 14: return state(!m.editFlag14Inverted);
    case 16: return state(!m.editFlag16Inverted);
    case 18: return state(m.printFormFeed);
    case 19: return state(!m.printExtentInverted);
    case 25: return state(!CursorDisabled);
    case 38: return 2;
    case 42: return state(!Vt300Values.mltnat);
    case 53: return state(m.editFlag53);
    case 60: return state(Screen.horizontalCoupling);
    case 61: return state(Screen.verticalCoupling);
    case 64: return state(Screen.pageCoupling);
    case 66: return state(Vt300Values.kpadmode);
    case 67: return state(m.backarrowSendsBs);
    case 68: return state(m.keyboardUsage);
    case 69: return state(!VtMode.lrMarginModeOff);
    case 73: return state(m.transmitRateLimit);
    case 81: return 4;
    default: return 0;
    }
}

// ---- setting requests ----

bool TextIs(const u8* text, int n, const char* want)
{
    const int len = static_cast<int>(std::strlen(want));
    return n == len && std::memcmp(text, want, static_cast<std::size_t>(n)) == 0;
}

void AppendRenditionValue()
{
    AppendUnit('0');
    const u8 r = CurrentRendition;
    // clang-format off
    if (r & kRendBold) AppendText(";1");
    if (r & kRendUnderline) AppendText(";4");
    if (r & kRendBlink) AppendText(";5");
    if (r & kRendReverse) AppendText(";7");
    if (r & kRendInvisible) AppendText(";8");
    // clang-format on
    AppendUnit(';');
    AppendDecimal(30u + Rendition.foreground);
    AppendUnit(';');
    AppendDecimal(40u + Rendition.background);
    AppendUnit(';');
    AppendDecimal(50u + static_cast<u32>(ThirdColourIndex()));
}

void AppendSettingValue(const u8* text, int n)
{
    auto pair = [](int a, int b) {
        AppendDecimal(static_cast<u32>(a));
        AppendUnit(';');
        AppendDecimal(static_cast<u32>(b));
    };
    if (TextIs(text, n, "m")) {
        AppendRenditionValue();
    } else if (TextIs(text, n, "r")) {
        pair(Screen.top + 1, Screen.bottom + 1);
    } else if (TextIs(text, n, "s")) {
        pair(Screen.left + 1, Screen.right + 1);
    } else if (TextIs(text, n, "t")) {
        AppendDecimal(static_cast<u32>(Screen.pageLength));
    } else if (TextIs(text, n, "|")) {
        AppendUnit(DecModes.ansi16 ? '1' : '0');
    } else if (TextIs(text, n, "}")) {
        const int a = LocalEditAttributeSet();
        AppendUnit('0');
        // clang-format off
        if (a & 8) AppendText(";1");
        if (a & 4) AppendText(";4");
        if (a & 1) AppendText(";5");
        if (a & 2) AppendText(";7");
        if (a & 16) AppendText(";8");
        // clang-format on
    } else if (TextIs(text, n, "\"p")) {
        AppendText(IsVt500Emulation() ? "63" : "61");
    } else if (TextIs(text, n, "\"q")) {
        AppendUnit(CurrentRendition & kRendProtected ? '1' : '0');
    } else if (TextIs(text, n, "$|")) {
        AppendDecimal(static_cast<u32>(Screen.lastColumn + 1));
    } else if (TextIs(text, n, "$}")) {
        AppendDecimal(static_cast<u32>(ActiveStatusDisplay()));
    } else if (TextIs(text, n, "$~")) {
        AppendDecimal(static_cast<u32>(StatusDisplayType()));
    } else if (TextIs(text, n, "'s")) {
        AppendUnit(DecModes.editFlag11 ? '1' : '0');
    } else if (TextIs(text, n, "*x")) {
        AppendDecimal(static_cast<u32>(AttributeChangeExtent()));
    } else if (TextIs(text, n, "*|")) {
        AppendDecimal(static_cast<u32>(LinesPerScreen()));
    }
}

// ---- presentation state ----

char DesignationLetter(int g)
{
    switch (VtMode.designation[g]) {
    case kSetAscii: return 'B';
    case kSetDecGraphics: return '0';
    case kSetUserPreferred: return '<';
    case kSetDecTechnical: return '>';
    default: return 0;
    }
}

void AppendCursorInformation()
{
    AppendDecimal(static_cast<u32>(Screen.cursorRow + 1));
    AppendUnit(';');
    AppendDecimal(static_cast<u32>(Screen.cursorColumn + 1));
    AppendText(";1;");
    const u8 r = CurrentRendition;
    AppendUnit(static_cast<wchar16>(0x40 | u8Bit(r & kRendBold, 0) | u8Bit(r & kRendUnderline, 1) |
                                    u8Bit(r & kRendBlink, 2) | u8Bit(r & kRendReverse, 3) |
                                    u8Bit(r & kRendInvisible, 4)));
    AppendUnit(';');
    AppendUnit(r & kRendProtected ? 'A' : '@');
    AppendUnit(';');
    AppendUnit(static_cast<wchar16>(0x40 | u8Bit(VtMode.cursorOrigin == 0, 0) | u8Bit(VtMode.singleShift == 2, 1) |
                                    u8Bit(VtMode.singleShift == 3, 2) | u8Bit(PendingWrap != 0, 3)));
    AppendUnit(';');
    AppendDecimal(VtMode.glSet & 3u);
    AppendUnit(';');
    AppendDecimal(VtMode.grSet & 3u);
    AppendUnit(';');
    u8 scss = 0x40;
    for (int g = 0; g < 4; ++g)
        scss |= u8Bit(VtMode.set96[g] != 0, g);
    AppendUnit(scss);
    AppendUnit(';');
    for (int g = 0; g < 4; ++g) {
        const u8 code = VtMode.designation[g];
        if (code == kSetNational) {
            u8 first = 0, second = 0;
            if (NationalFinals(KeyboardLanguage(), &first, &second))
                AppendUnit(second);
        } else if (code == kSetSoftFont) {
            for (u16 unit : SoftFont.name)
                if (unit)
                    AppendUnit(unit);
        } else if (const char letter = DesignationLetter(g)) {
            AppendUnit(static_cast<wchar16>(letter));
        }
    }
}

void AppendTabStops()
{
    bool any = false;
    for (int column = 1; column <= Screen.lastColumn - 1; ++column)
        if (TabStopAt(column)) {
            AppendDecimal(static_cast<u32>(column + 1));
            AppendUnit('/');
            any = true;
        }
    if (any)
        DropLastUnit();
}

void AppendColourTable(int units)
{
    for (int n = 0; n < kPaletteEntries; ++n) {
        const HlsEntry& e = VtPalette.entry[n];
        AppendDecimal(static_cast<u32>(n));
        if (units == 2) {
            const RgbPercent rgb = HlsToRgb(e.hue, e.lightness, e.saturation);
            AppendText(";2;");
            AppendDecimal(static_cast<u32>(rgb.red));
            AppendUnit(';');
            AppendDecimal(static_cast<u32>(rgb.green));
            AppendUnit(';');
            AppendDecimal(static_cast<u32>(rgb.blue));
        } else {
            AppendText(";1;");
            AppendDecimal(e.hue);
            AppendUnit(';');
            AppendDecimal(e.lightness);
            AppendUnit(';');
            AppendDecimal(e.saturation);
        }
        AppendUnit('/');
    }
    DropLastUnit();
}

// A restore string's fields: decimal numbers separated by one of `separators`.
struct FieldReader {
    const u8* text;
    int n;
    int at = 0;
    // The next number ended by a separator or the end of the text; -1 when malformed.
    long Number(const char* separators)
    {
        long value = 0;
        int digits = 0;
        while (at < n && text[at] >= '0' && text[at] <= '9') {
            if (++digits <= 6)
                value = value * 10 + (text[at] - '0');
            ++at;
        }
        if (digits == 0 || digits > 6)
            return -1;
        if (at < n && !std::strchr(separators, text[at]))
            return -1;
        if (at < n)
            ++at;
        return value;
    }
    // One byte 0x40-0x7F ended by ';' or the end; -1 when malformed.
    int Byte()
    {
        if (at >= n || text[at] < 0x40 || text[at] > 0x7F)
            return -1;
        const int b = text[at++];
        if (at < n && text[at] != ';')
            return -1;
        if (at < n)
            ++at;
        return b;
    }
    bool AtEnd() const { return at >= n; }
};

void RestoreColourTable(const u8* text, int n)
{
    FieldReader r{text, n};
    while (!r.AtEnd()) {
        long v[5];
        for (int i = 0; i < 5; ++i) {
            v[i] = r.Number(i < 4 ? ";" : "/");
            if (v[i] < 0)
                goto done;
        }
        {
            int x = static_cast<int>(v[2]), y = static_cast<int>(v[3]), z = static_cast<int>(v[4]);
            if (v[1] == 2) {
                if (x > 100 || y > 100 || z > 100)
                    break;
                RgbToHls(x, y, z);
            } else if (v[1] != 1 || x > 360 || y > 100 || z > 100) {
                break;
            }
            if (v[0] < kPaletteEntries)
                VtPalette.entry[v[0]] = HlsEntry{static_cast<u16>(x), static_cast<u16>(y), static_cast<u16>(z)};
        }
    }
done:
    ApplyColourPalette();
    RepaintScreen();
}

void RestoreTabStops(const u8* text, int n)
{
    for (int c = 0; c < kTabColumns; ++c)
        TabStops[c] = ' ';
    FieldReader r{text, n};
    while (!r.AtEnd()) {
        // The report ends its list with ST where a '/' would be: the last number counts.
        const long column = r.Number("/");
        if (column < 0)
            return;
        if (column >= 2 && column < 132)
            TabStops[column - 1] = 'T';
    }
}

void RestoreCursorInformation(const u8* text, int n)
{
    FieldReader r{text, n};
    const long row = r.Number(";");
    const long column = row < 0 ? -1 : r.Number(";");
    if (row < 0 || column < 0)
        return;
    MoveCursorAbsolute(row > 0 ? static_cast<int>(row) - 1 : 0, column > 0 ? static_cast<int>(column) - 1 : 0);
    if (r.Number(";") < 0)  // the page
        return;
    const int rend = r.Byte();
    if (rend < 0)
        return;
    CurrentRendition = static_cast<u8>(
        (CurrentRendition & ~(kRendBold | kRendUnderline | kRendBlink | kRendReverse | kRendInvisible)) |
        ((rend & 1) ? kRendBold : 0) | ((rend & 2) ? kRendUnderline : 0) | ((rend & 4) ? kRendBlink : 0) |
        ((rend & 8) ? kRendReverse : 0) | ((rend & 16) ? kRendInvisible : 0));
    const int protection = r.Byte();
    if (protection < 0)
        return;
    if (protection & 1)
        CurrentRendition |= kRendProtected;
    else
        CurrentRendition &= static_cast<u8>(~kRendProtected);
    const int flags = r.Byte();
    if (flags < 0)
        return;
    VtMode.cursorOrigin = (flags & 1) ? 0 : 1;
    VtMode.singleShift = (flags & 2) ? 2 : (flags & 4) ? 3 : -1;
    if (flags & 8)
        VtMode.autoWrap = 1;
    const long gl = r.Number(";");
    if (gl < 0 || gl > 3)
        return;
    VtMode.glSet = static_cast<u8>(gl);
    const long gr = r.Number(";");
    if (gr < 0 || gr > 3)
        return;
    VtMode.grSet = static_cast<u8>(gr);
}

}  // namespace

// ---- device attributes ----

void ReportPrimaryAttributes()
{
    if (EmulationId == kEmuVt52) {
        BeginReport(0x1B);
        AppendText("/Z");
        SendReportBuffer();
        return;
    }
    const wchar16* custom = CustomTerminalIdText();
    if (custom && custom[0]) {
        BeginReport(0);
        AppendWideText(custom);
        SendReportBuffer();
        return;
    }
    BeginReport(kCsiUnit);
    AppendText(kDeviceAttributeAnswers[TerminalId < kTerminalModelCount ? TerminalId : kTerminalVt420]);
    SendReportBuffer();
}

void IdentifyTerminal()
{
    if (EmulationId == kEmuVt52 || EmulationId == kEmuVt100)
        ReportPrimaryAttributes();
}

void ReportDeviceAttributes()
{
    const u8 marker = ParamMarker();
    const int p1 = Param(1);
    if (marker == ' ') {
        if (p1 == 0 && ParamCount() == 1) {
            ReportPrimaryAttributes();
        } else if (p1 == 0 && ParamCount() == 2 && Param(2) == 1234) {
            wchar16 version[32];
            LoadLanguageString(nullptr, kProgramVersionString, version, 32);
            BeginReport(0);
            AppendText("vexaNT-");
            AppendWideText(version);
            AppendUnit('\r');
            SendReportBuffer();
        }
    } else if (marker == '>') {
        if (p1 == 0)
            SendSimple(SecondaryAnswer());
    } else if (marker == '=') {
        const wchar16* tertiary = TertiaryAttributesText();
        if (IsVt420Class() && tertiary && tertiary[0]) {
            BeginReport(kDcsUnit);
            AppendText("!|");
            AppendWideText(tertiary);
            AppendUnit(kStUnit);
            SendReportBuffer();
        }
    }
}

// ---- device status ----

void DeviceStatusReport()
{
    const u8 marker = ParamMarker();
    const int p = Param(1);
    if (marker == ' ') {
        if (p == 5) {
            SendSimple("0n");
        } else if (p == 6) {
            BeginCursorReport();
            AppendDecimal(static_cast<u32>(ReportRow()));
            AppendUnit(';');
            AppendDecimal(static_cast<u32>(ReportColumn()));
            AppendUnit('R');
            SendReportBuffer();
        }
        return;
    }
    if (marker != '?')
        return;
    switch (p) {
    case 6:
        BeginCursorReport();
        AppendUnit('?');
        AppendDecimal(static_cast<u32>(ReportRow()));
        AppendUnit(';');
        AppendDecimal(static_cast<u32>(ReportColumn()));
        AppendUnit(';');
        AppendDecimal(static_cast<u32>(Screen.pageShown + 1));
        AppendUnit('R');
        SendReportBuffer();
        break;
    case 15:
        BeginCursorReport();
        AppendText("?10n");
        SendReportBuffer();
        break;
    case 25:
        if (IsVt500Emulation())
            SendSimple(UserDefinedKeysLocked() ? "?21n" : "?20n");
        break;
    case 26:
        BeginCursorReport();
        AppendText("?27;");
        AppendDecimal(static_cast<u32>(KeyboardLanguageCode()));
        AppendUnit('n');
        SendReportBuffer();
        break;
    case 55:
        if (IsVt500Emulation())
            SendSimple("?53n");
        break;
    case 56:
        if (IsVt500Emulation())
            SendSimple("?57;0n");
        break;
    case 62:
        if (IsVt420Class()) {
            BeginReport(kCsiUnit);
            AppendDecimal(static_cast<u32>((32768 - HostMacroBytesInUse()) / 16));
            AppendText("*{");
            SendReportBuffer();
        }
        break;
    case 63:
        if (IsVt420Class()) {
            BeginReport(kDcsUnit);
            AppendText("63!~0000");
            AppendUnit(kStUnit);
            SendReportBuffer();
        }
        break;
    case 85:
        if (IsVt420Class())
            SendSimple("83n");
        break;
    default: break;
    }
}

// ---- terminal parameters ----

void RequestTerminalParameters()
{
    static u8 solicited = 0;
    if (ParamMarker() != ' ')
        return;
    const int p = Param(1);
    if (p > 1)
        return;
    solicited = p == 0 ? 1 : 0;
    BeginReport(kCsiUnit);
    AppendUnit(solicited ? '2' : '3');
    AppendUnit(';');
    const int parity = ParitySettingIndex();
    AppendUnit(static_cast<wchar16>(kParityDigits[parity >= 0 && parity < 5 ? parity : 0]));
    AppendUnit(';');
    AppendUnit(DataBitsSetting == 2 ? '1' : '2');
    AppendUnit(';');
    const int speed = SpeedSettingIndex();
    const u8 code = kSpeedCodes[speed >= 0 && speed < 10 ? speed : 6];
    for (int i = 0; i < 2; ++i) {
        AppendDecimal(code);
        AppendUnit(';');
    }
    AppendText("1;0;");
    AppendUnit(EmulationId != kEmuVt52 ? '1' : '0');
    AppendText(";1;1;120;120x");
    SendReportBuffer();
}

// ---- mode and setting requests ----

void ReportMode()
{
    if (!IsVt500Emulation())
        return;
    const u8 marker = ParamMarker();
    if (marker != ' ' && marker != '?')
        return;
    const int mode = Param(1);
    const int state = marker == '?' ? DecModeState(mode) : AnsiModeState(mode);
    BeginReport(kCsiUnit);
    if (marker == '?')
        AppendUnit('?');
    AppendDecimal(static_cast<u32>(mode > 255 ? 255 : mode));
    AppendUnit(';');
    AppendDecimal(static_cast<u32>(state));
    AppendText("$y");
    SendReportBuffer();
}

void RequestSetting()
{
    if (!IsVt500Emulation()) {
        SkipControlString();
        return;
    }
    const bool plain = ParamMarker() == ' ' && ParamCount() == 1 && Param(1) == 0 && CsiParameters.digits == 0;
    u8 text[127];
    const int n = ReadStringText(text, sizeof text);
    BeginReport(kDcsUnit);
    AppendText("1$r");
    if (plain)
        AppendSettingValue(text, n);
    for (int i = 0; i < n; ++i)
        AppendUnit(text[i]);
    AppendUnit(kStUnit);
    SendReportBuffer();
}

void ReportUserPreferredSet()
{
    if (!IsVt500Emulation() || ParamMarker() != ' ')
        return;
    BeginReport(kDcsUnit);
    AppendText(UserPreferredIs96() ? "1!uA" : "0!u%5");
    AppendUnit(kStUnit);
    SendReportBuffer();
}

void ReportDisplayExtent()
{
    if (!IsVt420Class() || ParamMarker() != ' ')
        return;
    BeginReport(kCsiUnit);
    AppendDecimal(static_cast<u32>(Screen.rows));
    AppendUnit(';');
    AppendDecimal(static_cast<u32>(Screen.lastColumn + 1));
    AppendUnit(';');
    AppendDecimal(static_cast<u32>(Screen.horizontalOffset + 1));
    AppendUnit(';');
    AppendDecimal(static_cast<u32>(Screen.firstLine + 1));
    AppendUnit(';');
    AppendDecimal(static_cast<u32>(Screen.pageShown + 1));
    AppendText("\"w");
    SendReportBuffer();
}

// ---- terminal and presentation state ----

void BuildTerminalStateBlock(u8* b)
{
    std::memset(b, 0, kTerminalStateBytes);
    for (int g = 0; g < 4; ++g)
        b[43 + g] = CharsetReportCode(VtMode.designation[g]);
    b[47] = VtMode.glSet & 3;
    b[48] = VtMode.grSet & 3;
    b[49] = CharsetReportCode(VtMode.designation[VtMode.glSet & 3]);
    b[50] = CharsetReportCode(VtMode.designation[VtMode.grSet & 3]);
    b[51] = VtMode.singleShift < 0 ? 0 : static_cast<u8>(VtMode.singleShift);
    const SavedCursorRecord& s = SavedCursor;
    b[52] = static_cast<u8>(s.row + 1);
    b[53] = static_cast<u8>(s.column + 1);
    b[54] = s.rendition;
    b[55] = s.flags;
    for (int g = 0; g < 4; ++g)
        b[56 + g] = CharsetReportCode(s.designation[g]);
    b[60] = s.glSet & 3;
    b[61] = s.grSet & 3;
    b[62] = CharsetReportCode(s.designation[s.glSet & 3]);
    b[63] = CharsetReportCode(s.designation[s.grSet & 3]);
    for (int c = 0; c < kTabColumns; ++c)
        if (TabStopAt(c))
            b[64 + c / 8] |= static_cast<u8>(1u << (c % 8));
    b[81] = static_cast<u8>(Screen.top + 1);
    b[82] = static_cast<u8>(Screen.bottom + 1);
    b[83] = VtMode.singleShift >= 0 ? 0x40 : 0;
    b[84] = u8Bit(!Vt300Values.mltnat, 2) | u8Bit(ActiveStatusDisplay() != 0, 5);
    b[85] = u8Bit(PendingWrap != 0, 7) | u8Bit(VtMode.cursorOrigin != 0, 6) | u8Bit(VtMode.insertMode != 0, 4);
    const DecModeSet& m = DecModes;
    b[86] = u8Bit(LocalEcho != 0, 6) | u8Bit(PaintSettings.reverseScreen != 0, 5) |
            u8Bit(VtMode.autoWrap != 0, 4) | u8Bit(CursorDisabled != 0, 3) | u8Bit(VtMode.newLineMode != 0, 2) |
            u8Bit(Vt300Values.curskeyapp, 1) | u8Bit(Vt300Values.kpadmode, 0);
    b[87] = u8Bit(Vt300Values.kbdrpt, 3) | u8Bit(Screen.lastColumn == 131, 2) | u8Bit(m.keyboardUsage, 0);
    b[88] = u8Bit(!UserDefinedKeysLocked(), 3);
    b[89] = u8Bit(UserPreferredIs96(), 6) | u8Bit(!m.printExtentInverted, 5) | u8Bit(m.printFormFeed, 2) |
            u8Bit(m.smoothScroll, 0);
    b[90] = static_cast<u8>((EmulationId & 3) << 6) | u8Bit(m.backarrowSendsBs, 1);
    b[91] = static_cast<u8>((CurrentPrintMode() & 15) << 4);
    const u8 r = CurrentRendition;
    b[92] = u8Bit(r & kRendBlink, 7) | u8Bit(r & kRendReverse, 5) | u8Bit(r & kRendUnderline, 4) |
            ((r & kRendProtected) ? 0x44 : 0);
    b[93] = static_cast<u8>(((StatusDisplayType() & 15) << 4) | (ActiveStatusDisplay() & 1));
    b[94] = TerminalId;
    b[95] = static_cast<u8>((KeyboardLanguage() & 15) << 4);
    b[96] = static_cast<u8>(Screen.cursorRow);
    b[97] = static_cast<u8>(Screen.cursorColumn);
}

void ApplyTerminalStateBlock(const u8* b)
{
    SelectActiveDisplay(b[93] & 1);
    const u8 multinational = (b[84] & 0x04) ? 0 : 1;
    Vt300Values.mltnat = multinational;
    KeyboardTypeIndex = static_cast<u8>(b[95] >> 4);
    SetDecEmulationId(static_cast<u8>(b[90] >> 6));
    if (b[89] & 0x40) {
        if (PaintSettings.characterMode == 0)
            PaintSettings.characterMode = 1;
    } else {
        PaintSettings.characterMode = 0;
    }
    for (int g = 0; g < 4; ++g) {
        const CharsetFromReport set = CharsetFromReportCode(b[43 + g]);
        VtMode.designation[g] = set.code;
        VtMode.set96[g] = set.set96 == 2 ? (UserPreferredIs96() ? 1 : 0) : set.set96;
    }
    VtMode.glSet = b[47] & 3;
    VtMode.grSet = b[48] & 3;
    if (b[83] == 0x40 && (b[51] == 2 || b[51] == 3))
        VtMode.singleShift = static_cast<i8>(b[51]);
}

void RequestTerminalState()
{
    if (!IsVt500Emulation() || ParamMarker() != ' ')
        return;
    const int p = Param(1);
    if (p == 1) {
        u8 block[kTerminalStateBytes];
        u8 chars[kTerminalStateChars];
        BuildTerminalStateBlock(block);
        EncodeTerminalState(block, chars);
        BeginReport(kDcsUnit);
        AppendText("1$s");
        for (u8 c : chars)
            AppendUnit(c);
        AppendUnit(kStUnit);
        SendReportBuffer();
    } else if (p == 2 && Param(2) < 3) {
        BeginReport(kDcsUnit);
        AppendText("2$s");
        AppendColourTable(Param(2) == 2 ? 2 : 1);
        AppendUnit(kStUnit);
        SendReportBuffer();
    }
}

void RequestPresentationState()
{
    if (!IsVt500Emulation() || ParamMarker() != ' ')
        return;
    const int p = Param(1);
    if (p != 1 && p != 2)
        return;
    BeginReport(kDcsUnit);
    if (p == 1) {
        AppendText("1$u");
        AppendCursorInformation();
    } else {
        AppendText("2$u");
        AppendTabStops();
    }
    AppendUnit(kStUnit);
    SendReportBuffer();
}

void RestoreTerminalState()
{
    if (!IsVt500Emulation() || ParamMarker() != ' ') {
        SkipControlString();
        return;
    }
    const int p = Param(1);
    u8 text[600];
    const int n = ReadStringText(text, sizeof text);
    if (p == 1) {
        u8 block[kTerminalStateBytes];
        if (n == kTerminalStateChars && DecodeTerminalState(text, n, block))
            ApplyTerminalStateBlock(block);
    } else if (p == 2) {
        RestoreColourTable(text, n < static_cast<int>(sizeof text) ? n : static_cast<int>(sizeof text));
    }
}

void RestorePresentationState()
{
    if (!IsVt500Emulation() || ParamMarker() != ' ') {
        SkipControlString();
        return;
    }
    const int p = Param(1);
    u8 text[600];
    const int n = ReadStringText(text, sizeof text);
    if (p == 1)
        RestoreCursorInformation(text, n);
    else if (p == 2)
        RestoreTabStops(text, n);
}

void SendMouseReport(int button, int event, int row, int column)
{
    BeginReport(kCsiUnit);
    AppendUnit('=');
    AppendUnit(static_cast<wchar16>((button & 0xCF) | 0x30));
    AppendUnit(';');
    AppendUnit(static_cast<wchar16>((event & 0xCF) | 0x30));
    AppendUnit(';');
    AppendDecimal(static_cast<u32>(row + 1));
    AppendUnit(';');
    AppendDecimal(static_cast<u32>(column + 1));
    AppendUnit('r');
    SendReportBuffer();
}
