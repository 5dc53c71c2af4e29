#include "terminal/comms/telnet/telnetoptions.h"

#include <cstring>
#include <string>

#include "terminal/settings/store/connsettings.h"
#include "terminal/comms/telnet/devicename.h"
#include "terminal/comms/telnet/newenviron.h"
#include "terminal/comms/telnet/telnet.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/settings/store/profilevalues.h"
#include "terminal/core/base/language.h"
#include "terminal/core/base/messagebox.h"
#include "terminal/comms/telnet/recordsession.h"

TelnetSettings TelnetConfig = [] {
    TelnetSettings s{};
    SetTelnetDefaults(s);
    return s;
}();

void SetTelnetDefaults(TelnetSettings& s)
{
    s = TelnetSettings{};
    s.binary = -1;
    s.eor = -1;
    s.sendBreakTM = 1;
    s.regimeSuppress = 1;
    s.tn3270e = 1;
    s.bind = s.prtLu3 = s.responses = s.prtLu1 = s.sysReq = 1;
}

namespace {
constexpr u32 kTn3270eRejected = 25200;    // "TN3270E Device Type REJECTED because <%s>"
constexpr u32 kTn3270eReasonBase = 25201;  // 25201 + reason code
constexpr u32 kTn3270ePrinterFunctions = 25209;

// TN3270E command codes (RFC 2355).
constexpr u8 kAssociate = 0, kConnect = 1, kDeviceType = 2, kFunctions = 3, kIs = 4, kReason = 5, kReject = 6,
             kRequest = 7, kSend = 8;

const char* const k3270Models[13] = {
    "IBM-3278-2",   "IBM-3278-3", "IBM-3278-4", "IBM-3278-5", "IBM-3278-2-E", "IBM-3278-3-E", "IBM-3278-4-E",
    "IBM-3278-5-E", "IBM-3279-2", "IBM-3279-3", "IBM-3279-4", "IBM-3279-5",   "IBM-3287-1",
};
const char* const kVtNames[kTerminalModelCount] = {
    "vt100", "vt101", "vt102", "vt125", "vt220", "vt240", "vt320", "vt340",
    "vt420", "vt131", "vt132", "m2200", "vt510", "vt520", "vt525",
};

// clang-format off
bool Is3270Session() { return Tn3270ActiveSession != nullptr; }
bool Is5250Session() { return Tn5250ActiveSession != nullptr; }
bool Is3270Printer() { return Tn3270ActiveSession && Tn3270ActiveSession->model == k3287PrinterModel; }
bool Is5250Printer() { return Tn5250ActiveSession && Tn5250ActiveSession->printerSession; }
// clang-format on

void Send(SocketHandle s, u8 command, u8 option)
{
    if (option == tn::ECHO && (command == tn::DO || command == tn::DONT))
        Telnet.echoAsked = command == tn::DO;
    TelnetSendCommand(s, command, option);
}

// Subnegotiation bodies go out with IAC doubled; `body` excludes IAC SB and IAC SE.
void SendSubnegotiation(SocketHandle s, const std::string& body)
{
    std::string out = "\xFF\xFA";
    for (char c : body) {
        out.push_back(c);
        if (static_cast<u8>(c) == tn::IAC)
            out.push_back(c);
    }
    out += "\xFF\xF0";
    TelnetWrite(s, reinterpret_cast<const u8*>(out.data()), static_cast<int>(out.size()));
}

std::string Narrow(const wchar16* text)
{
    std::string s;
    for (; text && *text; ++text)
        s.push_back(static_cast<char>(*text & 0xFF));
    return s;
}

bool EqualNoCase(const u8* a, std::size_t n, const char* b)
{
    if (std::strlen(b) != n)
        return false;
    for (std::size_t i = 0; i < n; ++i) {
        u8 x = a[i], y = static_cast<u8>(b[i]);
        if (x >= 'a' && x <= 'z')
            x -= 32;
        if (y >= 'a' && y <= 'z')
            y -= 32;
        if (x != y)
            return false;
    }
    return true;
}

int Find3270Model(const u8* name, std::size_t n)
{
    for (int m = 0; m < 13; ++m)
        if (EqualNoCase(name, n, k3270Models[m]))
            return m;
    return -1;
}

// The type named in DEVICE-TYPE REQUEST: the configured name or the default one.
std::string DeviceTypeName()
{
    if (Connection.terminalTypeName[0])
        return Narrow(Connection.terminalTypeName);
    char name[64];
    GetTerminalTypeName(name, sizeof name);
    return name;
}

void RequestDeviceType(SocketHandle s)
{
    std::string body{static_cast<char>(tn::TN3270E), static_cast<char>(kDeviceType), static_cast<char>(kRequest)};
    body += DeviceTypeName();
    Tn3270Session* session = Tn3270ActiveSession;
    if (TelnetConfig.luid[0]) {
        char lu[17];
        ExpandDeviceNameRotating(lu, TelnetConfig.luid, 16);
        body.push_back(static_cast<char>(kConnect));
        body += lu;
    } else if (session && session->printJobState != 2 && TelnetConfig.associate[0]) {
        body.push_back(static_cast<char>(kAssociate));
        body += Narrow(TelnetConfig.associate);
    }
    SendSubnegotiation(s, body);
    Telnet.tn3270eState = 2;
}

void BuildFunctionSet()
{
    const bool printing = Tn3270ActiveSession && Tn3270ActiveSession->printJobState == 2;
    u8* f = Telnet.functions;
    f[0] = TelnetConfig.bind ? 1 : 0;
    f[1] = TelnetConfig.prtLu3 && !printing ? 1 : 0;
    f[2] = TelnetConfig.responses ? 1 : 0;
    f[3] = TelnetConfig.prtLu1 && !printing ? 1 : 0;
    f[4] = TelnetConfig.sysReq ? 1 : 0;
}

void SendFunctions(SocketHandle s, u8 command)
{
    std::string body{static_cast<char>(tn::TN3270E), static_cast<char>(kFunctions), static_cast<char>(command)};
    for (u8 code = 0; code < 5; ++code)
        if (Telnet.functions[code])
            body.push_back(static_cast<char>(code));
    SendSubnegotiation(s, body);
}

void ShowReject(u8 reason)
{
    wchar16 text[128];
    LoadLanguageString(nullptr, kTn3270eReasonBase + reason, text, 128);
    MessageBoxFormatId(kTn3270eRejected, text);
}

void FunctionsAgreed(SocketHandle s)
{
    Telnet.tn3270eState = 4;
    if (Tn3270Session* session = Tn3270ActiveSession) {
        session->connectionMode = 1;
        if (session->model == k3287PrinterModel)
            SessionPrinterState(2);
    }
    TelnetResetRecord();
    Tn3270UpdateTelnetModes();
}

void Tn3270eSubnegotiation(SocketHandle s)
{
    const u8* d = Telnet.sub + 1;
    const std::size_t n = Telnet.subLength - 1;
    if (n >= 2 && d[0] == kSend && d[1] == kDeviceType) {
        RequestDeviceType(s);
        return;
    }
    if (n >= 2 && d[0] == kDeviceType && d[1] == kIs) {
        std::size_t end = 2;
        while (end < n && d[end] >= 32)
            ++end;
        const int model = Find3270Model(d + 2, end - 2);
        if (end < n && d[end] == kConnect) {
            std::size_t i = end + 1, k = 0;
            for (; i < n && k < 8 && d[i] >= 32; ++i)
                Telnet.luName[k++] = d[i];
            Telnet.luName[k] = 0;
            SessionLuName(Telnet.luName);
        }
        if (model < 0) {
            RequestDeviceType(s);
            return;
        }
        SessionReset(model);
        BuildFunctionSet();
        SendFunctions(s, kRequest);
        Telnet.tn3270eState = 3;
        return;
    }
    if (n >= 2 && d[0] == kDeviceType && d[1] == kReject) {
        u8 reason = 6;
        if (Telnet.subLength >= 5 && Telnet.sub[3] == kReason)
            reason = Telnet.sub[4] >= 8 ? 6 : Telnet.sub[4];
        TelnetSendWont(s, tn::TN3270E);
        Tn3270UpdateTelnetModes();
        ShowReject(reason);
        return;
    }
    if (n >= 2 && d[0] == kFunctions && (d[1] == kIs || d[1] == kRequest)) {
        bool acceptable = true;
        u8 agreed[5] = {};
        for (std::size_t i = 2; i < n; ++i) {
            if (d[i] >= 5 || !Telnet.functions[d[i]])
                acceptable = false;
            else
                agreed[d[i]] = 1;
        }
        std::memcpy(Telnet.functions, agreed, sizeof agreed);
        if (Is3270Printer() && !agreed[1] && !agreed[3]) {
            TelnetSendWont(s, tn::TN3270E);
            Tn3270UpdateTelnetModes();
            MessageBoxById(kTn3270ePrinterFunctions);
            return;
        }
        if (!acceptable) {
            SendFunctions(s, kRequest);
            Telnet.tn3270eState = 3;
            return;
        }
        if (d[1] == kRequest)
            SendFunctions(s, kIs);
        FunctionsAgreed(s);
        return;
    }
    Tn3270UpdateTelnetModes();
}
}  // namespace

const char* Model3270Name(int model)
{
    return model >= 0 && model < 13 ? k3270Models[model] : "";
}

int GetTerminalTypeName(char* buffer, int capacity)
{
    if (!buffer || capacity < 1)
        return 0;
    const u8 id = EmulationId;
    const char* name;
    if (const TelnetHooks* hooks = SessionTelnetHooks(); hooks && hooks->terminalType)
        return hooks->terminalType(buffer, capacity);
    if (IsVtFamily(id))
        name = kVtNames[TerminalId < kTerminalModelCount ? TerminalId : 0];
    else
        name = DefaultTerminalTypeName(id);
    int n = 0;
    for (; name[n] && n + 1 < capacity; ++n)
        buffer[n] = name[n];
    buffer[n] = 0;
    return n;
}

int TelnetTerminalTypeReply(char* buffer, int capacity)
{
    std::string name = DeviceTypeName();
    if (Is3270Session()) {
        Telnet.eorPermit3270 = 1;
        if (!name.empty() && TelnetConfig.luid[0]) {
            std::u16string pattern;
            for (char c : name)
                pattern.push_back(static_cast<u8>(c));
            pattern.push_back(u'@');
            for (const wchar16* p = TelnetConfig.luid; *p; ++p)
                pattern.push_back(static_cast<char16_t>(*p));
            const int maximum = std::min(static_cast<int>(name.size()) + 1 + 8, 30);
            char expanded[32];
            ExpandDeviceNameRotating(expanded, reinterpret_cast<const wchar16*>(pattern.c_str()), maximum);
            name = expanded;
        }
    }
    if (Is5250Session())
        Telnet.eorPermit5250 = 1;
    Telnet.terminalTypeSent = 1;
    int n = 0;
    for (; n < static_cast<int>(name.size()) && n + 1 < capacity; ++n)
        buffer[n] = name[static_cast<std::size_t>(n)];
    if (capacity > 0)
        buffer[n] = 0;
    return n;
}

bool TelnetTn3270eEnabled()
{
    return Telnet.telnetMode && Telnet.local[tn::TN3270E];
}

bool TelnetTn3270eComplete()
{
    return Telnet.tn3270eState == 4;
}

bool TelnetEchoAcceptable()
{
    if (Tn3270Session* s = Tn3270ActiveSession)
        if (s->model == k3287PrinterModel || s->recordMode)
            return false;
    if (Tn5250Session* s = Tn5250ActiveSession)
        if (s->printerSession || s->blockMode)
            return false;
    return true;
}

void TelnetStartNegotiation(SocketHandle s)
{
    if (!TelnetConfig.echoSuppress && !Is3270Printer() && !Is5250Printer())
        Send(s, TelnetEchoAcceptable() ? tn::DO : tn::DONT, tn::ECHO);
    if (TelnetConfig.binary == 0 || TelnetConfig.binary == 1)
        Send(s, TelnetConfig.binary ? tn::DO : tn::DONT, tn::BINARY);
    if (TelnetConfig.eor == 0 || TelnetConfig.eor == 1)
        Send(s, TelnetConfig.eor ? tn::DO : tn::DONT, tn::END_OF_RECORD);
    if (TelnetConfig.sendLocn[0]) {
        Telnet.local[tn::SEND_LOCATION] = 1;
        Send(s, tn::WILL, tn::SEND_LOCATION);
    }
}

void TelnetHandleWill(SocketHandle s, u8 x)
{
    if (x == tn::TIMING_MARK) {
        TelnetTimingMarkReply();
        return;
    }
    if (x == tn::ECHO)
        Telnet.echoAsked = 0;
    if (Telnet.remote[x])
        return;
    switch (x) {
    case tn::BINARY:
    case tn::SGA:
    case tn::END_OF_RECORD:
        Telnet.remote[x] = 1;
        Send(s, tn::DO, x);
        return;
    case tn::ECHO:
        if (TelnetEchoAcceptable()) {
            Telnet.remote[x] = 1;
            Send(s, tn::DO, x);
        } else {
            Telnet.remote[x] = 0;
            Send(s, tn::DONT, x);
        }
        return;
    case tn::REGIME_3270:
        if (Is3270Session() && !TelnetConfig.regimeSuppress) {
            Telnet.remote[x] = 1;
            Send(s, tn::DO, x);
            Telnet.eorPermit3270 = Telnet.regimePermit = 0;
            // SUPPORT: every model, the current one first.
            std::string body{static_cast<char>(tn::REGIME_3270), 1};
            const int first = Tn3270ActiveSession->model % 13;
            for (int k = 0; k < 13; ++k) {
                if (k)
                    body.push_back(' ');
                body += k3270Models[(first + k) % 13];
            }
            SendSubnegotiation(s, body);
        } else {
            Send(s, tn::DONT, x);
        }
        return;
    default: Send(s, tn::DONT, x);
    }
}

void TelnetHandleWont(SocketHandle s, u8 x)
{
    if (x == tn::TIMING_MARK) {
        TelnetTimingMarkReply();
        return;
    }
    if (x == tn::ECHO)
        Telnet.echoAsked = 0;
    if (Telnet.remote[x]) {
        Telnet.remote[x] = 0;
        Send(s, tn::DONT, x);
    }
}

void TelnetHandleDo(SocketHandle s, u8 x)
{
    bool accept = false;
    // clang-format off
    switch (x) {
    case tn::BINARY:
    case tn::SGA:
    case tn::TERMINAL_TYPE:
    case tn::END_OF_RECORD:
        accept = true;
        break;
    case tn::ECHO:
        LocalEcho = 1;
        accept = true;
        break;
    case tn::SEND_LOCATION:
        accept = TelnetConfig.sendLocn[0] != 0;
        break;
    case tn::REGIME_3270:
        accept = Is3270Session() && !TelnetConfig.regimeSuppress;
        break;
    case tn::NEW_ENVIRON:
        accept = Is5250Session() && !TelnetConfig.newEnvSuppress;
        break;
    case tn::TN3270E:
        accept = Is3270Session() && TelnetConfig.tn3270e;
        if (accept) {
            Telnet.tn3270eState = 1;
            Telnet.sequenceIn = Telnet.sequenceOut = 0;
        }
        break;
    default:
        break;
    }
    // clang-format on
    if (accept)
        Telnet.local[x] = 1;
    Send(s, accept ? tn::WILL : tn::WONT, x);
}

void TelnetSendWont(SocketHandle s, u8 x)
{
    if (x == tn::ECHO)
        LocalEcho = 0;
    if (x == tn::TN3270E && Is3270Session() && TelnetConfig.tn3270e) {
        Telnet.local[x] = 0;
        TelnetResetRecord();
        Telnet.tn3270eState = 0;
        Tn3270Session* session = Tn3270ActiveSession;
        if (session->noBindImage) {
            session->noBindImage = 0;
            session->connectionMode = 1;
        }
        Tn3270UpdateTelnetModes();
    }
    Telnet.local[x] = 0;
    Send(s, tn::WONT, x);
}

void TelnetSendLocation(SocketHandle s)
{
    if (!TelnetConfig.sendLocn[0])
        return;
    char location[41];
    ExpandDeviceName(location, TelnetConfig.sendLocn, 40, false);
    std::string body{static_cast<char>(tn::SEND_LOCATION)};
    body += location;
    SendSubnegotiation(s, body);
}

void TelnetSubnegotiation(SocketHandle s)
{
    if (Telnet.subLength == 0)
        return;
    const u8 option = Telnet.sub[0];
    const int command = Telnet.subLength > 1 ? Telnet.sub[1] : -1;
    const u8* data = Telnet.sub + 2;
    const std::size_t dataLength = Telnet.subLength > 2 ? Telnet.subLength - 2 : 0;
    switch (option) {
    case tn::TERMINAL_TYPE:
        if (command == 1) {
            char name[64];
            TelnetTerminalTypeReply(name, sizeof name);
            std::string body{static_cast<char>(tn::TERMINAL_TYPE), 0};
            body += name;
            SendSubnegotiation(s, body);
            Tn3270UpdateTelnetModes();
            Tn5250UpdateTelnetModes();
            return;
        }
        break;
    case tn::REGIME_3270:
        if (Is3270Session() && !TelnetConfig.regimeSuppress && command == 0) {
            if (dataLength == 0) {
                Tn3270ActiveSession->recordMode = 0;
                Tn3270UpdateTelnetModes();
                return;
            }
            const int model = Find3270Model(data, dataLength);
            if (model >= 0) {
                Telnet.regimePermit = 1;
                SessionReset(model);
            }
            return;
        }
        break;
    case tn::NEW_ENVIRON:
        if (Is5250Session() && !TelnetConfig.newEnvSuppress && Telnet.local[tn::NEW_ENVIRON] && command == 1) {
            NewEnvironReply(s, data, dataLength);
            return;
        }
        break;
    case tn::TN3270E:
        if (TelnetTn3270eEnabled()) {
            Tn3270eSubnegotiation(s);
            return;
        }
        break;
    default: break;
    }
    Tn3270UpdateTelnetModes();
}

void Tn3270UpdateTelnetModes()
{
    Tn3270Session* s = Tn3270ActiveSession;
    if (!s)
        return;
    if (TelnetTn3270eEnabled()) {
        s->telnetFlags = s->connectionMode != 0;
        if (TelnetTn3270eComplete() && !Telnet.functions[0])
            s->noBindImage = 1;
        if (s->connectionMode == 3) {
            if (!s->recordMode) {
                s->recordMode = 1;
                SessionRecordModeChanged(true);
            }
        } else if (s->recordMode) {
            s->recordMode = 0;
            SessionRecordModeChanged(false);
        } else {
            SessionIndicatorsChanged();
        }
        return;
    }
    const bool printer = s->model == k3287PrinterModel;
    s->telnetFlags = Telnet.telnetMode;
    const bool eorBothWays = Telnet.local[tn::BINARY] && Telnet.remote[tn::BINARY] &&
                             Telnet.local[tn::END_OF_RECORD] && Telnet.remote[tn::END_OF_RECORD];
    const bool regimeBothWays = Telnet.local[tn::REGIME_3270] && Telnet.remote[tn::REGIME_3270];
    const bool want = Telnet.telnetMode &&
                      ((Telnet.eorPermit3270 && eorBothWays) || (Telnet.regimePermit && regimeBothWays));
    if (want && !s->recordMode) {
        s->recordMode = 1;
        // Only a host that echoes, or may still start to, is told not to: a DONT for an
        // option the host already refused repeats it, which RFC 854 forbids.
        if (!printer && !TelnetConfig.echoSuppress && (Telnet.remote[tn::ECHO] || Telnet.echoAsked))
            Send(SocketIndex, tn::DONT, tn::ECHO);
        s->connectionMode = 3;
        SessionRecordModeChanged(true);
    } else if (!want && s->recordMode) {
        s->recordMode = 0;
        if (Telnet.telnetMode && !printer && !TelnetConfig.echoSuppress)
            Send(SocketIndex, tn::DO, tn::ECHO);
        SessionRecordModeChanged(false);
    }
    if (printer) {
        if (s->printJobState == 1 || s->printJobState == 3 || s->printJobState == 4)
            SessionEndPrintJob();
        if (!Telnet.telnetMode)
            SessionPrinterState(0);
    }
    SessionModelShown();
}

void Tn5250UpdateTelnetModes()
{
    Tn5250Session* s = Tn5250ActiveSession;
    if (!s)
        return;
    s->telnetFlag = Telnet.telnetMode;
    const bool display = !s->printerSession;
    const bool eorBothWays = Telnet.local[tn::BINARY] && Telnet.remote[tn::BINARY] &&
                             Telnet.local[tn::END_OF_RECORD] && Telnet.remote[tn::END_OF_RECORD];
    const bool want = Telnet.telnetMode && Telnet.eorPermit5250 && eorBothWays;
    if (want && !s->blockMode) {
        s->blockMode = 1;
        if (display && !TelnetConfig.echoSuppress)
            Send(SocketIndex, tn::DONT, tn::ECHO);
        s->inputState = 5;
        SessionRecordModeChanged(true);
    } else if (!want && s->blockMode) {
        s->blockMode = 0;
        if (Telnet.telnetMode && display && !TelnetConfig.echoSuppress)
            Send(SocketIndex, tn::DO, tn::ECHO);
        s->inputState = 1;
        SessionRecordModeChanged(false);
    }
    if (!display) {
        const u16 st = s->printerState;
        if ((st == 2 || st == 3 || st == 4) && !Telnet.telnetMode)
            SessionPrinterState(0);
        if (st == 5 || st == 6 || st == 8) {
            SessionEndPrintJob();
            if (!Telnet.telnetMode)
                SessionPrinterState(0);
        }
    }
    SessionModelShown();
}
