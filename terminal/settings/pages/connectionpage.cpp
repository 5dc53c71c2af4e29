// The "New Connection" page (slot 3): the transport, the host or serial port, the host
// rollover names, and "Connect". The host name and the serial port share one place on
// the page: a combo box keeps the style it was created with, so the page has an
// editable one for TCP/IP and a drop-down list for the ports and shows the transport's.
#include <initializer_list>

#include "terminal/settings/setup/connectionpage.h"

#include "terminal/settings/store/connsettings.h"
#include "terminal/comms/dialogs/telnetdialogs.h"
#include "terminal/comms/serial/serialports.h"
#include "terminal/comms/telnet/telnetoptions.h"
#include "terminal/core/window/dialogs/dialogbase.h"
#include "terminal/core/base/language.h"
#include "terminal/settings/setup/setupapply.h"
#include "terminal/settings/setup/setupcopy.h"
#include "terminal/settings/setup/setupdialog.h"
#include "terminal/settings/setup/setuplaunch.h"
#include "terminal/settings/setup/setuppagehelpers.h"
#include "terminal/settings/store/textcopy.h"

namespace {

// clang-format off
enum : u16 {
    kConfigure = 1130, kTypeLabel = 1200, kTypeList = 1210, kConnectToLabel = 1250, kRolloverLabel = 1251,
    kHostList = 1260, kPortList = 1262, kRollover2 = 1271, kRollover3 = 1272, kRollover4 = 1273,
};
// clang-format on
constexpr u32 kStrTcpIp = 1211, kStrSerial = 1212, kStrNone = 4710;
constexpr int kTransportNone = 2;

SetupWorkingCopy& W = SetupCopy;

bool HasPorts(HWND window)
{
    return SendDlgItemMessageW(window, kPortList, CB_GETCOUNT, 0, 0) > 0;
}

// Shows the fields of the working transport.
void ArrangeConnectTo(HWND window)
{
    const bool none = W.noConnection != 0;
    const bool tcp = !none && W.transport == 0;
    const bool serial = !none && W.transport == 1;
    const bool rollover = tcp && Connection.hostrollover;
    ShowControl(window, kConnectToLabel, !none && !rollover);
    ShowControl(window, kRolloverLabel, rollover);
    ShowControl(window, kHostList, tcp);
    ShowControl(window, kPortList, serial);
    for (u16 id : {kRollover2, kRollover3, kRollover4})
        ShowControl(window, id, rollover);
    EnableControl(window, kTelnetOptionsCommand, tcp);
    EnableControl(window, kConfigure, serial && HasPorts(window));
    EnableControl(window, kConnectCommand, none || tcp || HasPorts(window));
}

void TypeList(HWND window, const SetupControlEntry& entry, u8 init, WPARAM wParam, LPARAM)
{
    HWND combo = GetDlgItem(window, entry.id);
    if (init) {
        SendMessageW(combo, CB_RESETCONTENT, 0, 0);
        LRESULT index = 0;
        for (u32 id : {kStrTcpIp, kStrSerial, kStrNone})
            AddComboString(combo, id, index++);
        SendMessageW(combo, CB_SETCURSEL, W.noConnection ? kTransportNone : W.transport, 0);
    } else if (IsSelectionChange(entry, wParam)) {
        const int index = ComboSelection(window, entry.id);
        W.noConnection = index == kTransportNone;
        if (index == 0 || index == 1)
            W.transport = static_cast<u16>(index);
    } else {
        return;
    }
    ArrangeConnectTo(window);
}

void HostList(HWND window, const SetupControlEntry& entry, u8 init, WPARAM wParam, LPARAM)
{
    HWND combo = GetDlgItem(window, entry.id);
    if (init) {
        SendMessageW(combo, CB_RESETCONTENT, 0, 0);
        SendMessageW(combo, CB_LIMITTEXT, kSetupLongTextUnits - 1, 0);
        // No host list can be browsed: the list holds the current host only.
        if (W.host[0] && Connection.netproto == 0) {
            SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(W.host));
            SendMessageW(combo, CB_SETCURSEL, 0, 0);
        }
        SetWindowTextW(combo, W.host);
        return;
    }
    const int code = HIWORD(wParam);
    if (LOWORD(wParam) != entry.id || (code != CBN_SELCHANGE && code != CBN_DBLCLK))
        return;
    const int index = ComboSelection(window, entry.id);
    if (index != CB_ERR &&
        SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0) < kSetupLongTextUnits)
        SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(W.host));
    if (code == CBN_DBLCLK)
        PostMessageW(window, WM_COMMAND, kConnectCommand, 0);
}

void PortList(HWND window, const SetupControlEntry& entry, u8 init, WPARAM wParam, LPARAM)
{
    if (init) {
        ListSetupSerialPorts(GetDlgItem(window, entry.id));
        ArrangeConnectTo(window);
    } else if (IsSelectionChange(entry, wParam)) {
        const LRESULT data = ComboSelectionData(window, entry.id, CB_ERR);
        if (data != CB_ERR) {
            W.device = static_cast<u16>(data);
            if (const SerialPortRecord* record = FindSerialPort(W.device))
                W.deviceKind = record->kind;
        }
    }
}

void ConfigureHandler(HWND window, const SetupControlEntry&, u8, WPARAM, LPARAM)
{
    OpenSerialFromConnection(window);
}

void TelnetOptionsHandler(HWND window, const SetupControlEntry&, u8, WPARAM, LPARAM)
{
    RunModalDialog(window, kDlgTelnetOptions, TelnetOptionsDialogProc);
    if (window)
        SetFocus(window);
}

void Prepare(HWND window)
{
    if (!W.terminalType[0])
        DefaultTerminalTypeName(W.terminalType, kSetupLongTextUnits);
    for (u16 id : {kRollover2, kRollover3, kRollover4})
        SendDlgItemMessageW(window, id, EM_LIMITTEXT, kSetupHostUnits - 1, 0);
}

bool OkWork(HWND)
{
    // The default name is stored as no name, so that it follows the emulation.
    wchar16 name[kSetupLongTextUnits];
    DefaultTerminalTypeName(name, kSetupLongTextUnits);
    if (lstrcmpW(name, W.terminalType) == 0)
        W.terminalType[0] = 0;
    return true;
}

void ConnectHandler(HWND, const SetupControlEntry&, u8, WPARAM, LPARAM)
{
    SetupConnectPending = true;
}

const SetupControlEntry kControls[] = {
    SetupButton(kConnectCommand, ConnectHandler),
    SetupButton(IDCANCEL),
    SetupButton(kConfigure, ConfigureHandler),
    SetupLabel(kTypeLabel),
    SetupList(kTypeList, TypeList, &W.transport),
    SetupLabel(kConnectToLabel),
    SetupCombo(kHostList, HostList, W.host, 0, kSetupLongTextUnits),
    SetupList(kPortList, PortList, &W.device),
    SetupLabel(kRolloverLabel),
    SetupTextEdit(kRollover2, W.rolloverHost[0], kSetupHostUnits),
    SetupTextEdit(kRollover3, W.rolloverHost[1], kSetupHostUnits),
    SetupTextEdit(kRollover4, W.rolloverHost[2], kSetupHostUnits),
    SetupButton(kTelnetOptionsCommand, TelnetOptionsHandler),
    SetupEnd(),
};

const SetupPage kPage{2150, kControls, kHostList, 0, nullptr, 0, Prepare, nullptr, OkWork, nullptr, nullptr};
const bool kRegistered = (RegisterSetupPage(3, &kPage), true);

}  // namespace

void DefaultTerminalTypeName(wchar16* buffer, int capacity)
{
    char name[kSetupLongTextUnits];
    GetTerminalTypeName(name, kSetupLongTextUnits);
    WidenString(buffer, static_cast<std::size_t>(capacity), name);
}
