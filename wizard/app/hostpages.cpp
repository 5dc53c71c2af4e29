// Page 129 (how the connection reaches its host: TCP/IP with a host and up to three
// alternates, or a serial port) and page 141, its TCP/IP-only form for the IBM 3270.
#include <windows.h>

#include "wizard/app/pages.h"
#include "wizard/app/resource.h"
#include "wizard/app/settingsdialogs.h"
#include "wizard/app/wizardapp.h"
#include "wizard/engine/pagedata.h"

namespace {

constexpr int kHostChars = 63;  // a host value keeps 64 units with its terminator
constexpr int kAlternates[3] = {IDC_HOST2, IDC_HOST3, IDC_HOST4};
constexpr int kAlternateLabels[3] = {IDC_HOST2_LABEL, IDC_HOST3_LABEL, IDC_HOST4_LABEL};

// The serial ports the machine has, in the order of the device map's values.
std::vector<std::wstring> SerialPorts()
{
    std::vector<std::wstring> ports;
    HKEY key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) != ERROR_SUCCESS)
        return ports;
    for (DWORD i = 0;; ++i) {
        wchar_t name[128], data[65] = {};
        DWORD nameUnits = 128, size = sizeof data - sizeof(wchar_t), type = 0;
        const LONG r = RegEnumValueW(key, i, name, &nameUnits, nullptr, &type, reinterpret_cast<BYTE*>(data),
                                     &size);
        if (r == ERROR_NO_MORE_ITEMS)
            break;
        if (r == ERROR_SUCCESS && type == REG_SZ && data[0])
            ports.emplace_back(data);
    }
    RegCloseKey(key);
    return ports;
}

}  // namespace

HostPage::HostPage(bool tcpOnly) : WizardPage(tcpOnly ? IDD_PAGE_HOST3270 : IDD_PAGE_HOST), tcpOnly_(tcpOnly) {}

BOOL HostPage::OnInitDialog()
{
    WizardPage::OnInitDialog();
    const WizardSettings& s = App().settings;
    filling_ = true;
    for (int id : {IDC_TCPIP, IDC_SERIAL, IDC_ROLLOVER})
        SetControlText(id);
    Limit(IDC_HOST, kHostChars);
    loadedHost_ = s.text[kValueNetname];
    SetText(IDC_HOST, s.text[kValueNetname]);
    for (int k = 0; k < 3; ++k) {
        Limit(kAlternates[k], kHostChars);
        SetText(kAlternates[k], s.text[kValueNetname2 + k]);
    }
    SetCheck(IDC_ROLLOVER, s.number[kValueHostrollover] != 0);
    filling_ = false;
    return FALSE;
}

void HostPage::FillPorts()
{
    WizardSettings& s = App().settings;
    SendDlgItemMessageW(hwnd_, IDC_CONNECT_TO, CB_RESETCONTENT, 0, 0);
    portCount_ = 0;
    if (TcpOnlyEmulation(s.number[kValueVdumode]))
        return;
    for (const std::wstring& port : SerialPorts()) {
        const int number = SerialDeviceNumber(port);
        if (number < 0)
            continue;
        AddItem(IDC_CONNECT_TO, port, number);
        ++portCount_;
    }
    SelectData(IDC_CONNECT_TO, s.number[kValueComdevice]);
}

void HostPage::Shown()
{
    WizardSettings& s = App().settings;
    filling_ = true;
    if (!tcpOnly_) {
        FillPorts();
        // Without a port (or for the IBM hosts) the connection can only be TCP/IP.
        if (portCount_ == 0)
            s.number[kValueNetproto] = 0;
        SetCheck(IDC_TCPIP, !s.Serial());
        SetCheck(IDC_SERIAL, s.Serial());
    }
    Arrange();
    filling_ = false;
}

void HostPage::Arrange()
{
    const WizardSettings& s = App().settings;
    const bool serial = !tcpOnly_ && s.Serial();
    const bool rollover = Checked(IDC_ROLLOVER);
    Enable(IDC_HOST, !serial);
    Enable(IDC_ROLLOVER, !serial);
    for (int k = 0; k < 3; ++k) {
        Show(kAlternates[k], rollover && !serial);
        Show(kAlternateLabels[k], rollover && !serial);
    }
    if (!tcpOnly_) {
        Enable(IDC_SERIAL, portCount_ > 0 && !rollover);
        Show(IDC_CONNECT_TO, serial);
        Show(IDC_CONNECT_LABEL, serial);
        Enable(IDC_CONNECT_TO, serial && portCount_ > 0);
        SetControlText(IDC_ADVANCED, serial ? 30147 : 30134);
    } else {
        SetControlText(IDC_ADVANCED, 30134);
        SetText(IDC_HOST_LABEL, rollover ? L"Host &1:" : L"Host Nam&e:");
    }
    const bool canGoOn = CanGoOn();
    Enable(IDC_ADVANCED, canGoOn);
    Tell(0, canGoOn);
}

bool HostPage::CanGoOn() const
{
    if (!tcpOnly_ && App().settings.Serial())
        return true;
    if (GetWindowTextLengthW(GetDlgItem(hwnd_, IDC_HOST)) > 0)
        return true;
    if (!tcpOnly_ || !Checked(IDC_ROLLOVER))
        return false;
    for (int id : kAlternates)
        if (GetWindowTextLengthW(GetDlgItem(hwnd_, id)) > 0)
            return true;
    return false;
}

void HostPage::OnCommand(int id, int code)
{
    WizardSettings& s = App().settings;
    if (filling_)
        return;
    switch (id) {
    case IDC_TCPIP:
    case IDC_SERIAL:
        if (code != BN_CLICKED)
            return;
        s.number[kValueNetproto] = id == IDC_SERIAL ? 1 : 0;
        Arrange();
        Changed();
        break;
    case IDC_ROLLOVER:
        if (code == BN_CLICKED) {
            Arrange();
            Changed();
        }
        break;
    case IDC_CONNECT_TO:
        if (code == CBN_SELCHANGE) {
            s.number[kValueComdevice] = static_cast<u32>(SelectedData(IDC_CONNECT_TO, s.number[kValueComdevice]));
            s.number[kValueComdeviceType] = 0;
            Changed();
        }
        break;
    case IDC_HOST:
    case IDC_HOST2:
    case IDC_HOST3:
    case IDC_HOST4:
        if (code == EN_CHANGE) {
            Arrange();
            Changed();
        }
        break;
    case IDC_ADVANCED:
        if (code == BN_CLICKED) {
            if (!tcpOnly_ && s.Serial()) {
                SerialDialog dialog;
                RunModal(dialog);
            } else {
                TelnetDialog dialog;
                RunModal(dialog);
            }
        }
        break;
    default: break;
    }
}

void HostPage::Save(WizardSettings& s)
{
    // The host is also the first of the hosts tried in turn; an edit that leaves the
    // host as stored leaves the stored first alternate too.
    const WText host = Text(IDC_HOST);
    if (s.mode != WizardMode::Edit || host != loadedHost_)
        s.text[kValueNetname1] = host;
    s.text[kValueNetname] = host;
    for (int k = 0; k < 3; ++k)
        s.text[kValueNetname2 + k] = Text(kAlternates[k]);
    s.number[kValueHostrollover] = Checked(IDC_ROLLOVER) ? 1 : 0;
}
