// LPD Device Settings, opened from Printer Setup while the network printer is chosen:
// the queue, job and user names, copies, retries and their delay, the banner and the
// LPR client's debug window. Every change is stored at once; Cancel puts back what the
// dialog found.
#include "terminal/comms/dialogs/printerdialogs.h"
#include "terminal/core/window/dialogs/dialogbase.h"
#include "terminal/core/window/dialogs/statedialog.h"
#include "terminal/settings/store/profilevalues.h"

namespace {

constexpr u16 kLabels[] = {1, 2, 4910, 4920, 4921, 4922, 4923, 4924, 4925, 4926, 4918, 4919};
constexpr u32 kStrTitle = 10163;
constexpr u16 kHost = 4911, kBanner = 4918, kDebug = 4919;

PrintingSection& P = PrintingValues;

struct TextField {
    u16 control;
    wchar16 (PrintingSection::*text)[kPrinterNameUnits];
};
// clang-format off
constexpr TextField kTexts[] = {
    {4912, &PrintingSection::LPRDevice}, {4913, &PrintingSection::LPRJob}, {4914, &PrintingSection::LPRUser}};
// clang-format on

struct NumberField {
    u16 control;
    u32 PrintingSection::*value;
};
// clang-format off
constexpr NumberField kNumbers[] = {
    {4915, &PrintingSection::LPRCopies}, {4916, &PrintingSection::LPRRetries}, {4917, &PrintingSection::LPRRetryDelay}};
// clang-format on
constexpr NumberField kChecks[] = {{kBanner, &PrintingSection::LPRBanner}, {kDebug, &PrintingSection::LPRDebug}};

// What Cancel puts back.
struct Saved {
    wchar16 texts[std::size(kTexts)][kPrinterNameUnits];
    u32 numbers[std::size(kNumbers)], checks[std::size(kChecks)];
    bool ready;  // the values are shown: later edits are the user's
};

void Restore(const Saved& s)
{
    for (size_t i = 0; i < std::size(kTexts); ++i)
        lstrcpynW(P.*kTexts[i].text, s.texts[i], kPrinterNameUnits);
    for (size_t i = 0; i < std::size(kNumbers); ++i)
        P.*kNumbers[i].value = s.numbers[i];
    for (size_t i = 0; i < std::size(kChecks); ++i)
        P.*kChecks[i].value = s.checks[i];
}

INT_PTR Init(HWND dialog, Saved& s)
{
    SetLabelsById(dialog, kLabels, static_cast<int>(std::size(kLabels)));
    SetCaptionFromString(dialog, kStrTitle);
    SetDlgItemTextW(dialog, kHost, P.LPRPrint);
    for (size_t i = 0; i < std::size(kTexts); ++i) {
        lstrcpynW(s.texts[i], P.*kTexts[i].text, kPrinterNameUnits);
        SendDlgItemMessageW(dialog, kTexts[i].control, EM_LIMITTEXT, kPrinterNameUnits - 1, 0);
        SetDlgItemTextW(dialog, kTexts[i].control, P.*kTexts[i].text);
    }
    for (size_t i = 0; i < std::size(kNumbers); ++i) {
        s.numbers[i] = P.*kNumbers[i].value;
        SetDlgItemInt(dialog, kNumbers[i].control, static_cast<UINT>(static_cast<i32>(s.numbers[i])), TRUE);
    }
    for (size_t i = 0; i < std::size(kChecks); ++i) {
        s.checks[i] = P.*kChecks[i].value;
        CheckDlgButton(dialog, kChecks[i].control, s.checks[i] ? BST_CHECKED : BST_UNCHECKED);
    }
    s.ready = true;
    return TRUE;
}

void Changed(HWND dialog, int id)
{
    for (const TextField& f : kTexts)
        if (f.control == id)
            ControlText(dialog, id, P.*f.text, kPrinterNameUnits);
    for (const NumberField& f : kNumbers)
        if (f.control == id) {
            BOOL ok = FALSE;
            const int n = static_cast<int>(GetDlgItemInt(dialog, id, &ok, TRUE));
            if (ok)
                P.*f.value = static_cast<u32>(n);
        }
    for (const NumberField& f : kChecks)
        if (f.control == id)
            P.*f.value = IsDlgButtonChecked(dialog, id) == BST_CHECKED ? 1 : 0;
}

void Command(HWND dialog, Saved& s, int id, int code)
{
    if (id == IDOK) {
        EndDialog(dialog, 1);
    } else if (id == IDCANCEL) {
        Restore(s);
        EndDialog(dialog, 0);
    } else if (s.ready && (code == EN_CHANGE || code == BN_CLICKED)) {
        Changed(dialog, id);
    }
}

}  // namespace

INT_PTR CALLBACK LpdSettingsDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    return StateDialogProc<Saved, Init, Command>(dialog, message, wParam);
}

INT_PTR OpenLpdSettingsDialog(HWND owner)
{
    const INT_PTR result = RunModalDialog(owner, kDlgLpdSettings, LpdSettingsDlgProc);
    if (owner)
        SetFocus(owner);
    return result;
}
