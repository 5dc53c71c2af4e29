// Printer Setup, LPD Device Settings and Print Screen in-process, over printers installed
// in the test's own prefix: the printer kept whole whatever its name, the port list, port
// and network printing excluding each other, the print screen method and its picture
// options, and Cancel putting back what each changed.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "terminal/comms/printing/lprbind.h"
#include "terminal/comms/printing/portlist.h"
#include "terminal/comms/dialogs/printerdialogs.h"
#include "terminal/comms/printing/printjob.h"
#include "terminal/settings/modaldriver.h"
#include "terminal/settings/store/profilevalues.h"
#include "terminal/settings/setupfixture.h"
#include "support/winepath.h"
#include "tools/addprinter/installprinter.h"

namespace {

using modal::Click;
using modal::Enabled;
using modal::Next;

class PrinterDialogs : public SetupTest {
protected:
    void SetUp() override
    {
        SetupTest::SetUp();
        // Two printers on one port; the first one's name holds the " on " of the entries.
        for (const wchar_t* name : {L"Laser on desk", L"Plain"})
            ASSERT_EQ(testprinter::InstallPrinter(name, L"LPT1:"), nullptr) << GetLastError();
        saved_ = PrintingValues;
        PrintingValues = PrintingSection{};
        lstrcpynW(PrintingValues.PMPrinter, L"Plain", kPrinterNameUnits);
        PrintingValues.line.comspeed = 5;
    }
    void TearDown() override
    {
        PrintingValues = saved_;
        FreePortList();
        SetupTest::TearDown();
    }
    PrintingSection saved_;
};

int FindListEntry(HWND dialog, int id, const wchar_t* text)
{
    return static_cast<int>(SendDlgItemMessageW(dialog, id, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                reinterpret_cast<LPARAM>(text)));
}

int CountComboEntries(HWND dialog, int id, const wchar_t* text)
{
    HWND combo = GetDlgItem(dialog, id);
    int n = 0;
    for (int i = 0, count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0)); i < count; ++i) {
        wchar_t item[64] = {};
        SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
        n += lstrcmpW(item, text) == 0;
    }
    return n;
}

void SelectPrinter(HWND dialog, int entry)
{
    SendDlgItemMessageW(dialog, 1107, LB_SETCURSEL, static_cast<WPARAM>(entry), 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(1107, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, 1107)));
}

bool Checked(HWND dialog, int id)
{
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

TEST_F(PrinterDialogs, ThePrinterIsKeptWholeAndCancelPutsEveryValueBack)
{
    for (INT_PTR button : {IDCANCEL, IDOK}) {
        const PrintingSection before = PrintingValues;
        Next([button](HWND dialog) {
            EXPECT_EQ(CountComboEntries(dialog, 1149, L"LPT1:"), 2);
            const int laser = FindListEntry(dialog, 1107, L"Laser on desk on LPT1:");
            ASSERT_GE(laser, 0);
            EXPECT_FALSE(Enabled(dialog, 1114));
            SelectPrinter(dialog, laser);
            EXPECT_TRUE(Enabled(dialog, 1114));  // "Save New &Default"
            EXPECT_FALSE(Enabled(dialog, 1149));
            Click(dialog, 1147);  // to the port: live at once
            EXPECT_EQ(PrintingValues.DirectToPort, 1u);
            EXPECT_TRUE(Enabled(dialog, 1149));
            EXPECT_NE(PrintingValues.Port[0], 0);  // an empty port takes the first one
            modal::Select(dialog, 1119, 3);
            EXPECT_EQ(PrintingValues.ConvertHostChars, 3u);
            SetDlgItemTextW(dialog, 1097, L"7");
            Click(dialog, static_cast<int>(button));
        });
        const INT_PTR result = OpenPrinterSetupDialog();
        if (button == IDCANCEL) {
            EXPECT_EQ(result, 0);
            EXPECT_EQ(std::memcmp(&before, &PrintingValues, sizeof before), 0);
        } else {
            EXPECT_EQ(result, kPrinterSetupConfirmed);
            EXPECT_STREQ(PrintingValues.PMPrinter, L"Laser on desk");
            EXPECT_STREQ(PrintingValues.PMPort, L"LPT1:");
            EXPECT_EQ(PrintingValues.DirectToPort, 1u);
            EXPECT_EQ(PrintingValues.ConvertHostChars, 3u);
            EXPECT_EQ(PrintingValues.iPrintDelay, 7u);
        }
    }
}

TEST_F(PrinterDialogs, PortAndNetworkPrintingExcludeEachOtherAndTheQueueIsEditedApart)
{
    const std::wstring lprDir = WindowsPath(VX_LPR_DIR);
    ASSERT_NE(TryLoadLprModule(lprDir.c_str(), static_cast<int>(lprDir.size())), nullptr);
    lstrcpynW(PrintingValues.LPRDevice, L"lp", kPrinterNameUnits);
    PrintingValues.LPRCopies = 1;
    const PrintingSection before = PrintingValues;
    Next([](HWND dialog) {
        Click(dialog, 1147);
        Click(dialog, 4900);  // the last one ticked wins
        EXPECT_FALSE(Checked(dialog, 1147));
        EXPECT_TRUE(Checked(dialog, 4900));
        EXPECT_EQ(PrintingValues.DirectToPort, 0u);
        EXPECT_EQ(PrintingValues.ViaLPR, 1u);
        EXPECT_FALSE(Enabled(dialog, 1107));
        EXPECT_FALSE(Enabled(dialog, 1108));  // no host yet
        SetDlgItemTextW(dialog, 4902, L"lpdhost");
        EXPECT_STREQ(PrintingValues.LPRPrint, L"lpdhost");
        EXPECT_TRUE(Enabled(dialog, 1108));
        for (int lpdButton : {IDCANCEL, IDOK}) {
            Next([lpdButton](HWND lpd) {
                EXPECT_EQ(modal::Text(lpd, 4911), L"lpdhost");
                SetDlgItemTextW(lpd, 4912, L"queue1");
                SetDlgItemTextW(lpd, 4915, L"3");
                Click(lpd, 4918);
                EXPECT_STREQ(PrintingValues.LPRDevice, L"queue1");  // stored at once
                Click(lpd, lpdButton);
            });
            Click(dialog, 1108);
            if (lpdButton == IDCANCEL) {
                EXPECT_STREQ(PrintingValues.LPRDevice, L"lp");
                EXPECT_EQ(PrintingValues.LPRCopies, 1u);
                EXPECT_EQ(PrintingValues.LPRBanner, 0u);
            }
        }
        EXPECT_STREQ(PrintingValues.LPRDevice, L"queue1");
        EXPECT_EQ(PrintingValues.LPRCopies, 3u);
        EXPECT_EQ(PrintingValues.LPRBanner, 1u);
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(OpenPrinterSetupDialog(), 0);
    EXPECT_EQ(std::memcmp(&before, &PrintingValues, sizeof before), 0);
}

int ComboCount(HWND dialog, int id)
{
    return static_cast<int>(SendDlgItemMessageW(dialog, id, CB_GETCOUNT, 0, 0));
}

TEST_F(PrinterDialogs, PrintScreenAsksTheMethodAndCancelPutsBackWhatItChanged)
{
    PrintingSection& p = PrintingValues;
    p.PrintMode = 1109;
    p.ScaleFactor = 100;
    p.bPrtAutoWrap = 1;
    p.DirectToPort = 1;
    lstrcpynW(p.Port, L"LPT1:", kPortNameUnits);
    const PrintingSection before = p;
    Next([](HWND dialog) {
        EXPECT_EQ(modal::Caption(dialog), L"Print Screen");
        EXPECT_TRUE(Checked(dialog, 1109));
        for (int id : {1111, 1112, 1118, 1634})
            EXPECT_FALSE(Enabled(dialog, id)) << id;
        Click(dialog, 1615);  // auto wrap: live at once
        EXPECT_EQ(PrintingValues.bPrtAutoWrap, 0u);
        Click(dialog, 1110);
        EXPECT_EQ(PrintingValues.PrintMode, 1110u);
        EXPECT_FALSE(Enabled(dialog, 1615));
        EXPECT_TRUE(Enabled(dialog, 1112));
        EXPECT_EQ(ComboCount(dialog, 1118), 4);
        Click(dialog, 1634);
        EXPECT_EQ(PrintingValues.bCentrePrint, 1u);
        SetDlgItemTextW(dialog, 1112, L"150");
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(ShowPrintScreenDialog(), 0);
    EXPECT_EQ(std::memcmp(&before, &p, sizeof before), 0);

    // OK with the picture takes its options; OK with text leaves them.
    Next([](HWND dialog) {
        Click(dialog, 1110);
        SetDlgItemTextW(dialog, 1112, L"150");
        Click(dialog, 1111);
        modal::Select(dialog, 1118, 2);
        Click(dialog, IDOK);
    });
    EXPECT_EQ(ShowPrintScreenDialog(), 1110);
    EXPECT_EQ(p.PrintMode, 1110u);
    EXPECT_EQ(p.ScaleFactor, 150u);
    EXPECT_EQ(p.bUsePrintResolution, 1u);
    EXPECT_EQ(p.iPrintImage, 2u);
    Next([](HWND dialog) {
        EXPECT_EQ(modal::Text(dialog, 1112), L"150");
        Click(dialog, 1109);
        SetDlgItemTextW(dialog, 1112, L"300");
        Click(dialog, IDOK);
    });
    EXPECT_EQ(ShowPrintScreenDialog(), 1109);
    EXPECT_EQ(p.PrintMode, 1109u);
    EXPECT_EQ(p.ScaleFactor, 150u);
    DeletePrinterDC();
}

TEST_F(PrinterDialogs, APrinterWithoutPicturesOffersTextOnly)
{
    // The printer open now cannot take a bitmap.
    DeletePrinterDC();
    PrintJob.dc = CreateCompatibleDC(nullptr);
    PrintJob.bitmapCapable = 0;
    PrintingValues.PrintMode = 1110;
    Next([](HWND dialog) {
        EXPECT_FALSE(Enabled(dialog, 1110));
        EXPECT_TRUE(Checked(dialog, 1109));
        EXPECT_FALSE(Enabled(dialog, 1112));
        Click(dialog, IDOK);
    });
    EXPECT_EQ(ShowPrintScreenDialog(), 1109);
    EXPECT_EQ(PrintingValues.PrintMode, 1109u);
    DeletePrinterDC();
}

}  // namespace
