// The "Serial Settings" page (slot 1): the line of the connection, or of the printer or
// auxiliary port when their settings open it, with the transmit rate and the on-line
// and local-echo switches of the connection.
#include <initializer_list>

#include "terminal/core/window/dialogs/dialogbase.h"
#include "terminal/settings/setup/setupapply.h"
#include "terminal/settings/setup/setupcopy.h"
#include "terminal/settings/setup/setupdialog.h"
#include "terminal/settings/setup/setuppagehelpers.h"

namespace {

// clang-format off
enum : u16 {
    kSpeedLabel = 1420, kSpeedList = 1421, kDataBitsLabel = 1470, kDataBitsList = 1471, kParityLabel = 1440,
    kParityList = 1441, kStopBitsLabel = 1460, kStopBitsList = 1461, kFlowLabel = 1450, kFlowList = 1451,
    kRateLabel = 1501, kRateList = 1502, kOnLine = 1491, kLocalEcho = 1490,
};
// clang-format on

SetupWorkingCopy& W = SetupCopy;

// Each combo's strings and the member of the line it edits.
struct LineCombo {
    u16 combo;
    u16 firstString, lastString;
    u16 SetupLineChoice::*member;
};
constexpr LineCombo kLineCombos[] = {
    {kSpeedList, 1422, 1432, &SetupLineChoice::speed},        // "110" ... "115200"
    {kDataBitsList, 1472, 1474, &SetupLineChoice::dataBits},  // "6", "7", "8"
    {kParityList, 1442, 1446, &SetupLineChoice::parity},      // "None" ... "Space"
    {kStopBitsList, 1462, 1464, &SetupLineChoice::stopBits},  // "1", "1.5", "2"
    {kFlowList, 1452, 1456, &SetupLineChoice::flow},          // "None" ... "Hardware"
};
const IndexCombo kRateCombo[] = {{kRateList, 1504, 1514}};  // "110" ... "Unlimited"

SetupLineChoice& LineOf(HWND window)
{
    const SetupDialogSession* session = SetupSessionOf(window);
    const u32 owner = session ? session->serialOwner : kSerialOwnerConnection;
    return W.line[owner == kSerialOwnerPrinter ? kLinePrinter
                  : owner == kSerialOwnerAux   ? kLineAux
                                               : kLineConnection];
}

void SerialCombo(HWND window, const SetupControlEntry& entry, u8 init, WPARAM wParam, LPARAM)
{
    for (const LineCombo& c : kLineCombos) {
        if (c.combo != entry.id)
            continue;
        u16& value = LineOf(window).*c.member;
        if (init) {
            FillComboFromStrings(GetDlgItem(window, c.combo), c.firstString, c.lastString);
            SendDlgItemMessageW(window, c.combo, CB_SETCURSEL, value & 0xFF, 0);
        } else if (IsSelectionChange(entry, wParam)) {
            const int index = ComboSelection(window, c.combo);
            if (index != CB_ERR)
                value = static_cast<u8>(index);
        }
    }
}

// For another port the page edits only the line: the connection's own switches and
// its transmit rate are not shown.
void Prepare(HWND window)
{
    const SetupDialogSession* session = SetupSessionOf(window);
    if (!session || session->serialOwner == kSerialOwnerConnection)
        return;
    for (u16 id : {kOnLine, kLocalEcho, kRateLabel, kRateList})
        ShowControl(window, id, false);
}

void OkHandler(HWND, const SetupControlEntry&, u8, WPARAM, LPARAM)
{
    StoreSerialSetup();
}

const SetupControlEntry kControls[] = {
    SetupButton(IDOK, OkHandler),
    SetupButton(IDCANCEL),
    SetupLabel(kSpeedLabel),
    SetupList(kSpeedList, SerialCombo),
    SetupLabel(kDataBitsLabel),
    SetupList(kDataBitsList, SerialCombo),
    SetupLabel(kParityLabel),
    SetupList(kParityList, SerialCombo),
    SetupLabel(kStopBitsLabel),
    SetupList(kStopBitsList, SerialCombo),
    SetupLabel(kFlowLabel),
    SetupList(kFlowList, SerialCombo),
    SetupLabel(kRateLabel),
    SetupList(kRateList, ComboIndexHandler, &W.transmitRate),
    SetupCheck(kOnLine, &W.onLine),
    SetupCheck(kLocalEcho, &W.localEcho),
    SetupEnd(),
};

const SetupPage kPage{2130, kControls, kSpeedList, 0, nullptr, 0, Prepare, nullptr, nullptr, nullptr, nullptr};
const bool kRegistered = [] {
    RegisterIndexCombos(kRateCombo, 1);
    RegisterSetupPage(1, &kPage);
    return true;
}();

}  // namespace
