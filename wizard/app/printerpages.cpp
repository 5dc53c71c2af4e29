#include "wizard/app/printerpages.h"

#include <windows.h>
#include <winspool.h>

#include "wizard/app/resource.h"
#include "wizard/app/settingsdialogs.h"
#include "wizard/app/shortcut.h"
#include "wizard/app/wizardapp.h"
#include "wizard/app/wizardlanguage.h"
#include "wizard/engine/pagedata.h"

namespace {

constexpr int kTextChars = 63;  // the LPR texts keep 64 units with their terminator

std::vector<WText> RegistryStrings(const wchar_t* path, const wchar_t* valueName, bool subkeys)
{
    std::vector<WText> found;
    HKEY key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return found;
    for (DWORD i = 0;; ++i) {
        wchar_t name[256], data[260] = {};
        DWORD units = 256, size = sizeof data - sizeof(wchar_t), type = 0;
        if (!subkeys) {
            const LONG r = RegEnumValueW(key, i, name, &units, nullptr, &type, reinterpret_cast<BYTE*>(data),
                                         &size);
            if (r == ERROR_NO_MORE_ITEMS)
                break;
            if (r == ERROR_SUCCESS && type == REG_SZ)
                found.emplace_back(data);
            continue;
        }
        if (RegEnumKeyExW(key, i, name, &units, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        HKEY printer;
        if (RegOpenKeyExW(key, name, 0, KEY_READ, &printer) == ERROR_SUCCESS) {
            if (RegQueryValueExW(printer, valueName, nullptr, &type, reinterpret_cast<BYTE*>(data), &size) ==
                    ERROR_SUCCESS &&
                type == REG_SZ)
                found.emplace_back(data);
            RegCloseKey(printer);
        }
    }
    RegCloseKey(key);
    return found;
}

// Every installed printer, local and connected, with its port.
std::vector<PrinterLine> InstalledPrinters()
{
    std::vector<PrinterLine> lines;
    DWORD needed = 0, count = 0;
    const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
    EnumPrintersW(flags, nullptr, 2, nullptr, 0, &needed, &count);
    if (!needed)
        return lines;
    std::vector<BYTE> buffer(needed);
    if (!EnumPrintersW(flags, nullptr, 2, buffer.data(), needed, &needed, &count))
        return lines;
    const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
    for (DWORD i = 0; i < count; ++i)
        lines.push_back(
            {info[i].pPrinterName ? info[i].pPrinterName : L"", info[i].pPortName ? info[i].pPortName : L""});
    return lines;
}

std::wstring LineText(const PrinterLine& line)
{
    std::wstring format = WizardLoadString(7147);
    if (format.find(L"%s") == std::wstring::npos)
        format = L"%s on %s";
    std::wstring text = format;
    const std::size_t first = text.find(L"%s");
    text.replace(first, 2, line.printer);
    const std::size_t second = text.find(L"%s", first + line.printer.size());
    if (second != std::wstring::npos)
        text.replace(second, 2, line.port);
    return text;
}

// Runs the serial dialog on the PRINTING or AUX line values.
void ConfigureLine(WizardPage& page, bool aux)
{
    SerialDialog dialog(aux ? SerialDialog::Line::Aux : SerialDialog::Line::Printer);
    page.RunModal(dialog);
}

}  // namespace

std::vector<WText> MachinePorts()
{
    return PortList(RegistryStrings(L"HARDWARE\\DEVICEMAP\\SERIALCOMM", nullptr, false),
                    RegistryStrings(L"SYSTEM\\CurrentControlSet\\Control\\Print\\Printers", L"Port", true));
}

bool LprModuleUsable()
{
    const std::wstring path = OwnDirectory() + L"lprspool.DLL";
    HMODULE module = LoadLibraryW(path.c_str());
    if (!module)
        module = LoadLibraryW(L"lprspool.DLL");
    if (!module)
        return false;
    bool all = true;
    for (const char* name : {"InitLPD", "OpenLPDRequest", "AddLPDData", "CloseLPDRequest", "StartLPDDebug"})
        all = all && GetProcAddress(module, name) != nullptr;
    FreeLibrary(module);
    return all;
}

PrinterPage::PrinterPage() : WizardPage(IDD_PAGE_PRINTER) {}

BOOL PrinterPage::OnInitDialog()
{
    WizardPage::OnInitDialog();
    WizardSettings& s = App().settings;
    filling_ = true;
    for (int id : {IDC_PRINTER_GROUP, IDC_DIRECT, IDC_LPR, IDC_TERMINATOR, IDC_CONFIGURE, IDC_ADVANCED})
        SetControlText(id, id == IDC_PRINTER_GROUP ? 30242 : 0);
    // Each line keeps its printer and its port: a name may itself hold " on ".
    printers_ = InstalledPrinters();
    for (std::size_t i = 0; i < printers_.size(); ++i) {
        const std::wstring text = LineText(printers_[i]);
        const LRESULT at = SendDlgItemMessageW(hwnd_, IDC_PRINTER_LIST, LB_ADDSTRING, 0,
                                               reinterpret_cast<LPARAM>(text.c_str()));
        if (at >= 0)
            SendDlgItemMessageW(hwnd_, IDC_PRINTER_LIST, LB_SETITEMDATA, static_cast<WPARAM>(at),
                                static_cast<LPARAM>(i));
    }
    int chosen = -1;
    for (std::size_t i = 0; i < printers_.size(); ++i)
        if (!s.text[kValuePmPrinter].empty() && printers_[i].printer == s.text[kValuePmPrinter] &&
            printers_[i].port == s.text[kValuePmPort])
            chosen = static_cast<int>(i);
    if (s.text[kValuePmPrinter].empty() && !printers_.empty()) {
        chosen = 0;
        s.text[kValuePmPrinter] = printers_[0].printer;
        s.text[kValuePmPort] = printers_[0].port;
    }
    SendDlgItemMessageW(hwnd_, IDC_PRINTER_LIST, LB_SETCURSEL, static_cast<WPARAM>(chosen), 0);
    ports_ = MachinePorts();
    for (std::size_t i = 0; i < ports_.size(); ++i)
        AddItem(IDC_PRINT_PORT, ports_[i], static_cast<LPARAM>(i));
    const WText port = DefaultPort(ports_, s.text[kValuePrintPort]);
    SendDlgItemMessageW(hwnd_, IDC_PRINT_PORT, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                        reinterpret_cast<LPARAM>(port.c_str()));
    SetCheck(IDC_DIRECT, s.number[kValueDirectToPort] != 0);
    lprUsable_ = LprModuleUsable();
    if (!lprUsable_)
        s.number[kValueViaLpr] = 0;
    SetCheck(IDC_LPR, s.number[kValueViaLpr] != 0);
    Limit(IDC_LPD_HOST, kTextChars);
    SetText(IDC_LPD_HOST, s.text[kValueLprPrint]);
    SetCheck(IDC_TERMINATOR, s.number[kValuePrintTerm] != 0);
    SetCheck(IDC_AUTO_LF, s.number[kValueAutoLf] != 0);
    for (u32 i = 0; i < 7; ++i)
        AddItem(IDC_OUTPUT_SET, WizardLoadString(16006 + i), i);
    SelectData(IDC_OUTPUT_SET, s.number[kValueConvertChars]);
    SetText(IDC_CLOSE_DELAY, DecimalText(s.number[kValuePrintDelay]));
    Arrange();
    filling_ = false;
    return FALSE;
}

void PrinterPage::Arrange()
{
    const bool lpr = Checked(IDC_LPR), direct = Checked(IDC_DIRECT);
    const bool host = GetWindowTextLengthW(GetDlgItem(hwnd_, IDC_LPD_HOST)) > 0;
    Enable(IDC_LPR, lprUsable_);
    Enable(IDC_LPD_HOST, lpr);
    Enable(IDC_PRINTER_LIST, !lpr);
    Enable(IDC_PRINTER_GROUP, !lpr);
    Enable(IDC_PRINT_PORT, !lpr && direct && !ports_.empty());
    const bool extras = lpr ? host : true;
    Enable(IDC_TERMINATOR, extras);
    Enable(IDC_AUTO_LF, extras);
    Enable(IDC_ADVANCED, lpr && host);
    Enable(IDC_CONFIGURE, !lpr && direct && IsSerialPortName(Text(IDC_PRINT_PORT)));
    Tell(0, CanGoOn());
}

bool PrinterPage::CanGoOn() const
{
    return !Checked(IDC_LPR) || GetWindowTextLengthW(GetDlgItem(hwnd_, IDC_LPD_HOST)) > 0;
}

void PrinterPage::Shown()
{
    Arrange();
}

void PrinterPage::OnCommand(int id, int code)
{
    if (filling_)
        return;
    WizardSettings& s = App().settings;
    if (id == IDC_PRINTER_LIST && code == LBN_SELCHANGE) {
        const LRESULT at = SendDlgItemMessageW(hwnd_, IDC_PRINTER_LIST, LB_GETCURSEL, 0, 0);
        if (at >= 0 && static_cast<std::size_t>(at) < printers_.size()) {
            const LRESULT index = SendDlgItemMessageW(hwnd_, IDC_PRINTER_LIST, LB_GETITEMDATA, at, 0);
            s.text[kValuePmPrinter] = printers_[static_cast<std::size_t>(index)].printer;
            s.text[kValuePmPort] = printers_[static_cast<std::size_t>(index)].port;
        }
        Changed();
    } else if ((id == IDC_LPD_HOST && code == EN_CHANGE) || (id == IDC_PRINT_PORT && code == CBN_SELCHANGE) ||
               (code == BN_CLICKED &&
                (id == IDC_DIRECT || id == IDC_LPR || id == IDC_TERMINATOR || id == IDC_AUTO_LF)) ||
               (id == IDC_OUTPUT_SET && code == CBN_SELCHANGE) || (id == IDC_CLOSE_DELAY && code == EN_CHANGE)) {
        Arrange();
        Changed();
    } else if (id == IDC_CONFIGURE && code == BN_CLICKED) {
        ConfigureLine(*this, false);
    } else if (id == IDC_ADVANCED && code == BN_CLICKED) {
        s.text[kValueLprPrint] = Text(IDC_LPD_HOST);
        LprDialog dialog;
        RunModal(dialog);
    }
}

void PrinterPage::Save(WizardSettings& s)
{
    s.number[kValueDirectToPort] = Checked(IDC_DIRECT) ? 1 : 0;
    s.number[kValueViaLpr] = lprUsable_ && Checked(IDC_LPR) ? 1 : 0;
    s.text[kValuePrintPort] = Text(IDC_PRINT_PORT);
    s.text[kValueLprPrint] = Text(IDC_LPD_HOST);
    s.number[kValuePrintTerm] = Checked(IDC_TERMINATOR) ? 1 : 0;
    s.number[kValueAutoLf] = Checked(IDC_AUTO_LF) ? 1 : 0;
    s.number[kValueConvertChars] = static_cast<u32>(SelectedData(IDC_OUTPUT_SET, s.number[kValueConvertChars]));
    s.number[kValuePrintDelay] = Number(IDC_CLOSE_DELAY);
}

AuxPage::AuxPage() : WizardPage(IDD_PAGE_AUX) {}

BOOL AuxPage::OnInitDialog()
{
    WizardPage::OnInitDialog();
    const WizardSettings& s = App().settings;
    filling_ = true;
    SetControlText(IDC_CONFIGURE);
    ports_ = MachinePorts();
    for (std::size_t i = 0; i < ports_.size(); ++i)
        AddItem(IDC_AUX_PORT, ports_[i], static_cast<LPARAM>(i));
    SendDlgItemMessageW(hwnd_, IDC_AUX_PORT, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                        reinterpret_cast<LPARAM>(s.text[kValueAuxPort].c_str()));
    Arrange();
    filling_ = false;
    return FALSE;
}

void AuxPage::Arrange()
{
    Enable(IDC_CONFIGURE, IsSerialPortName(Text(IDC_AUX_PORT)));
}

void AuxPage::OnCommand(int id, int code)
{
    if (filling_)
        return;
    if (id == IDC_AUX_PORT && code == CBN_SELCHANGE) {
        Arrange();
        Changed();
    } else if (id == IDC_CONFIGURE && code == BN_CLICKED) {
        ConfigureLine(*this, true);
    }
}

void AuxPage::Save(WizardSettings& s)
{
    s.text[kValueAuxPort] = Text(IDC_AUX_PORT);
}

LprDialog::LprDialog() : WizardDialog(IDD_LPR) {}

namespace {

struct LprField {
    int control;
    WizardValueId setting;
    bool number;
};
constexpr LprField kLprFields[] = {
    {IDC_LPR_PRINTER, kValueLprDevice, false}, {IDC_LPR_JOB, kValueLprJob, false},
    {IDC_LPR_USER, kValueLprUser, false},      {IDC_LPR_COPIES, kValueLprCopies, true},
    {IDC_LPR_RETRIES, kValueLprRetries, true}, {IDC_LPR_DELAY, kValueLprRetryDelay, true},
};

}  // namespace

BOOL LprDialog::OnInitDialog()
{
    const WizardSettings& s = App().settings;
    SetText(IDC_LPR_HOST, s.text[kValueLprPrint]);
    for (const LprField& f : kLprFields) {
        if (!f.number)
            Limit(f.control, kTextChars);
        SetText(f.control, f.number ? DecimalText(s.number[f.setting]) : s.text[f.setting]);
    }
    SetCheck(IDC_LPR_BANNER, s.number[kValueLprBanner] != 0);
    SetCheck(IDC_LPR_DEBUG, s.number[kValueLprDebug] != 0);
    return TRUE;
}

void LprDialog::OnCommand(int id, int code)
{
    if ((id != IDOK && id != IDCANCEL) || code != BN_CLICKED)
        return;
    if (id == IDOK) {
        WizardSettings& s = App().settings;
        for (const LprField& f : kLprFields) {
            if (f.number)
                s.number[f.setting] = Number(f.control);
            else
                s.text[f.setting] = Text(f.control);
        }
        s.number[kValueLprBanner] = Checked(IDC_LPR_BANNER) ? 1 : 0;
        s.number[kValueLprDebug] = Checked(IDC_LPR_DEBUG) ? 1 : 0;
    }
    End(id);
}
