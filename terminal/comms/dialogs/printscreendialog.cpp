// Print Screen (command 1040 from the menu): asks how the screen is printed, as text or
// as a picture, and for the picture its scale, placement and colours. The method and
// the two check boxes act on the PRINTING values at once; Cancel puts those back.
#include "terminal/comms/dialogs/printerdialogs.h"
#include "terminal/comms/printing/printjob.h"
#include "terminal/core/base/commandids.h"
#include "terminal/core/base/handles.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/core/window/dialogs/dialogbase.h"
#include "terminal/core/window/dialogs/statedialog.h"
#include "terminal/settings/store/profilevalues.h"

namespace {

// clang-format off
enum : u16 {
    kUseResolution = 1111, kScale = 1112, kImage = 1118, kScaleLabel = 1125, kPercent = 1126, kImageLabel = 1127,
    kAutoWrap = 1615, kCentre = 1634,
};
constexpr u16 kLabels[] = {1,      2,          kPrintMethodText, kPrintMethodGraphics, kUseResolution, kAutoWrap,
                           kCentre, kScaleLabel, kPercent,          kImageLabel,          1124};
// clang-format on
constexpr u16 kGraphicsOnly[] = {kUseResolution, kScale, kImageLabel, kImage, kCentre};
constexpr u32 kStrTitle = 5040, kStrFirstImage = 6000, kStrLastImage = 6003;
// Four digits: a scale of up to 9999 per cent.
constexpr int kScaleDigits = 4;

PrintingSection& P = PrintingValues;

// What Cancel puts back.
struct Saved {
    u32 mode, autoWrap, centre;
};

bool Checked(HWND dialog, int control)
{
    return IsDlgButtonChecked(dialog, control) == BST_CHECKED;
}

INT_PTR Init(HWND dialog, Saved& s)
{
    SetLabelsById(dialog, kLabels, static_cast<int>(std::size(kLabels)));
    SetCaptionFromString(dialog, kStrTitle);
    s = Saved{P.PrintMode, P.bPrtAutoWrap, P.bCentrePrint};
    // A printer that cannot take a picture prints the screen as text.
    const bool pictures = OpenPrinterOutput() && PrintJob.dc && PrintJob.bitmapCapable;
    if (!pictures)
        P.PrintMode = kPrintMethodText;
    EnableControl(dialog, kPrintMethodGraphics, pictures);
    SendDlgItemMessageW(dialog, kScale, EM_LIMITTEXT, kScaleDigits, 0);
    SetDlgItemInt(dialog, kScale, P.ScaleFactor, FALSE);
    CheckDlgButton(dialog, kUseResolution, P.bUsePrintResolution ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, kAutoWrap, P.bPrtAutoWrap ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, kCentre, P.bCentrePrint ? BST_CHECKED : BST_UNCHECKED);
    UpdatePrintScreenControls(dialog, P.PrintMode);
    SetFocus(GetDlgItem(dialog, IDOK));
    return FALSE;
}

void Confirm(HWND dialog)
{
    if (P.PrintMode == kPrintMethodGraphics) {
        P.ScaleFactor = ControlNumber(dialog, kScale, P.ScaleFactor);
        P.bUsePrintResolution = Checked(dialog, kUseResolution) ? 1 : 0;
        P.iPrintImage = static_cast<u32>(ComboSelectionData(dialog, kImage, P.iPrintImage));
    }
    EndDialog(dialog, static_cast<INT_PTR>(P.PrintMode));
}

void Command(HWND dialog, Saved& s, int id, int code)
{
    if (code != BN_CLICKED)
        return;
    switch (id) {
    case kAutoWrap: P.bPrtAutoWrap = Checked(dialog, kAutoWrap) ? 1 : 0; break;
    case kCentre: P.bCentrePrint = Checked(dialog, kCentre) ? 1 : 0; break;
    case kPrintMethodText:
    case kPrintMethodGraphics:
        P.PrintMode = static_cast<u32>(id);
        UpdatePrintScreenControls(dialog, P.PrintMode);
        break;
    case IDOK: Confirm(dialog); break;
    case IDCANCEL:
        P.PrintMode = s.mode;
        P.bPrtAutoWrap = s.autoWrap;
        P.bCentrePrint = s.centre;
        EndDialog(dialog, 0);
        break;
    default: break;
    }
}

}  // namespace

void UpdatePrintScreenControls(HWND dialog, u32 method)
{
    const bool graphics = method == kPrintMethodGraphics;
    CheckRadioButton(dialog, kPrintMethodText, kPrintMethodGraphics,
                     graphics ? kPrintMethodGraphics : kPrintMethodText);
    EnableControls(dialog, kGraphicsOnly, static_cast<int>(std::size(kGraphicsOnly)), graphics);
    EnableControl(dialog, kAutoWrap, !graphics);
    if (!graphics)
        return;
    HWND images = GetDlgItem(dialog, kImage);
    SendMessageW(images, CB_RESETCONTENT, 0, 0);
    for (u32 id = kStrFirstImage; id <= kStrLastImage; ++id)
        AddComboString(images, id, static_cast<LRESULT>(id - kStrFirstImage));
    SelectComboByData(dialog, kImage, static_cast<LRESULT>(P.iPrintImage));
}

INT_PTR CALLBACK PrintScreenDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    return StateDialogProc<Saved, Init, Command>(dialog, message, wParam);
}

INT_PTR ShowPrintScreenDialog()
{
    return RunModalDialog(MainWindowHandle, kDlgPrintScreen, PrintScreenDlgProc);
}

void PrintScreenCommand(bool askMethod)
{
    if (PrintingValues.ViaLPR) {
        PostMainCommand(kCmdPrintScreen);
        return;
    }
    if (!ScreenWindowHandle)
        return;
    const u32 method = askMethod ? static_cast<u32>(ShowPrintScreenDialog()) : PrintingValues.PrintMode;
    if (method == 0)
        return;  // the dialog was cancelled
    PrintScreenBitmap(askMethod);
}
