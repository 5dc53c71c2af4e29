// Page 135: the login script, an initiation string and steps that each wait for a text
// or a keyboard state and then send a response.
#include <windows.h>
#include <commctrl.h>

#include "wizard/app/loginpage.h"
#include "wizard/app/resource.h"
#include "wizard/app/wizardapp.h"
#include "wizard/app/wizardlanguage.h"

namespace {

constexpr int kResponseControls[] = {IDC_RESPOND_GROUP, IDC_RESPONSE, IDC_INSERT, IDC_TOKEN, IDC_KEY};
constexpr int kKeyDefinitionToken = 6;

}  // namespace

LoginPage::LoginPage() : WizardPage(IDD_PAGE_LOGIN) {}

BOOL LoginPage::OnInitDialog()
{
    WizardPage::OnInitDialog();
    const WizardSettings& s = App().settings;
    filling_ = true;
    for (int id : {IDC_INITIATION, IDC_WAIT_GROUP, IDC_WAIT_TEXT_RADIO, IDC_WAIT_LOCK, IDC_WAIT_UNLOCK,
                   IDC_RESPOND_GROUP, IDC_INSERT, IDC_ADD, IDC_REMOVE, IDC_REMOVE_ALL, IDC_PARAMETERS, IDC_SCRIPT})
        SetControlText(id);
    Limit(IDC_WAIT_TEXT, static_cast<int>(kWaitTextChars + 1));
    Limit(IDC_RESPONSE, static_cast<int>(kResponseChars + 1));
    for (int token = 0; token < 7; ++token)
        AddItem(IDC_TOKEN, WizardLoadString(30215 + static_cast<UINT>(token)), token);
    SendDlgItemMessageW(hwnd_, IDC_TOKEN, CB_SETCURSEL, 0, 0);
    const std::vector<WText> keys = KeyNamesFor(s.number[kValueVdumode]);
    for (std::size_t i = 0; i < keys.size(); ++i)
        AddItem(IDC_KEY, keys[i], static_cast<LPARAM>(i));
    SendDlgItemMessageW(hwnd_, IDC_KEY, CB_SETCURSEL, 0, 0);
    Enable(IDC_KEY, false);
    SetCheck(IDC_WAIT_TEXT_RADIO, true);

    HWND view = GetDlgItem(hwnd_, IDC_SCRIPT_LIST);
    ListView_SetExtendedListViewStyle(view, LVS_EX_FULLROWSELECT);
    const std::wstring actOn = WizardLoadString(30224), send = WizardLoadString(30225);
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = 70;
    column.pszText = const_cast<wchar_t*>(actOn.c_str());
    ListView_InsertColumn(view, 0, &column);
    column.cx = 110;
    column.pszText = const_cast<wchar_t*>(send.c_str());
    ListView_InsertColumn(view, 1, &column);

    list_.Load(s.script);
    Refill(static_cast<int>(list_.Items().size()) - 1);
    SetText(IDC_WAIT_TEXT, L"");
    SetText(IDC_RESPONSE, L"");
    ArrangeResponse();
    filling_ = false;
    return FALSE;
}

void LoginPage::Refill(int selected)
{
    HWND view = GetDlgItem(hwnd_, IDC_SCRIPT_LIST);
    ListView_DeleteAllItems(view);
    const std::vector<ScriptItem>& items = list_.Items();
    for (std::size_t i = 0; i < items.size(); ++i) {
        LVITEMW item = {};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = static_cast<int>(i);
        item.pszText = const_cast<wchar_t*>(items[i].actOn.c_str());
        item.lParam = static_cast<LPARAM>((static_cast<u32>(items[i].kind) << 16) | items[i].sequence);
        ListView_InsertItem(view, &item);
        ListView_SetItemText(view, static_cast<int>(i), 1, const_cast<wchar_t*>(items[i].send.c_str()));
    }
    if (selected >= 0)
        ListView_SetItemState(view, selected, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    SendDlgItemMessageW(hwnd_, IDC_MOVE, UDM_SETRANGE32, 0, items.empty() ? 0 : items.size() - 1);
    Enable(IDC_REMOVE, !items.empty());
    Enable(IDC_REMOVE_ALL, !items.empty());
    Enable(IDC_INITIATION, !list_.HasInitiation());
}

int LoginPage::Selected() const
{
    return ListView_GetNextItem(GetDlgItem(hwnd_, IDC_SCRIPT_LIST), -1, LVNI_SELECTED);
}

void LoginPage::ArrangeResponse()
{
    const bool initiation = Checked(IDC_INITIATION);
    const bool keyboard = Checked(IDC_WAIT_LOCK) || Checked(IDC_WAIT_UNLOCK);
    const bool text = GetWindowTextLengthW(GetDlgItem(hwnd_, IDC_WAIT_TEXT)) > 0;
    const bool on = initiation || keyboard || text;
    for (int id : {IDC_WAIT_GROUP, IDC_WAIT_TEXT_RADIO, IDC_WAIT_LOCK, IDC_WAIT_UNLOCK, IDC_WAIT_TEXT})
        Enable(id, !initiation);
    if (initiation)
        SetText(IDC_RESPOND_GROUP, L"Initiate with");
    else
        SetControlText(IDC_RESPOND_GROUP);
    if (!on) {
        filling_ = true;
        SetText(IDC_RESPONSE, L"");
        filling_ = false;
    }
    for (int id : kResponseControls)
        Enable(id, on);
    Enable(IDC_KEY, on && SelectedData(IDC_TOKEN, 0) == kKeyDefinitionToken);
    Enable(IDC_ADD, on);
}

void LoginPage::Shown()
{
    Tell(0, TRUE);
    SetFocus(GetDlgItem(hwnd_, IDC_WAIT_TEXT));
}

void LoginPage::Add()
{
    const WText send = Text(IDC_RESPONSE);
    int at;
    if (Checked(IDC_INITIATION)) {
        at = list_.AddInitiation(send);
        SetCheck(IDC_INITIATION, false);
    } else if (Checked(IDC_WAIT_LOCK) || Checked(IDC_WAIT_UNLOCK)) {
        at = list_.AddStep(StepKind::Keyboard, Checked(IDC_WAIT_LOCK) ? L"<KL>" : L"<KU>", send);
    } else {
        at = list_.AddStep(StepKind::Text, Text(IDC_WAIT_TEXT), send);
    }
    filling_ = true;
    SetText(IDC_WAIT_TEXT, L"");
    SetText(IDC_RESPONSE, L"");
    filling_ = false;
    Refill(at);
    ArrangeResponse();
    Tell(0, TRUE);
    Changed();
}

void LoginPage::Remove()
{
    int selected = -1;
    const ScriptItem item = list_.Remove(Selected(), selected);
    filling_ = true;
    SetCheck(IDC_INITIATION, item.kind == StepKind::Initiation);
    SetCheck(IDC_WAIT_LOCK, item.actOn == L"<KL>");
    SetCheck(IDC_WAIT_UNLOCK, item.actOn == L"<KU>");
    SetCheck(IDC_WAIT_TEXT_RADIO, item.kind == StepKind::Text);
    SetText(IDC_WAIT_TEXT, item.kind == StepKind::Text ? item.actOn : WText());
    SetText(IDC_RESPONSE, item.send);
    filling_ = false;
    Refill(selected);
    ArrangeResponse();
    Changed();
}

void LoginPage::OnCommand(int id, int code)
{
    if (filling_)
        return;
    switch (id) {
    case IDC_WAIT_TEXT:
        if (code == EN_CHANGE)
            ArrangeResponse();
        break;
    case IDC_TOKEN:
        if (code == CBN_SELCHANGE)
            ArrangeResponse();
        break;
    case IDC_INITIATION:
    case IDC_WAIT_TEXT_RADIO:
    case IDC_WAIT_LOCK:
    case IDC_WAIT_UNLOCK:
        if (code == BN_CLICKED)
            ArrangeResponse();
        break;
    case IDC_INSERT:
        if (code == BN_CLICKED) {
            const WText token = ResponseToken(static_cast<int>(SelectedData(IDC_TOKEN, 0)), Text(IDC_KEY));
            SendDlgItemMessageW(hwnd_, IDC_RESPONSE, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(token.c_str()));
        }
        break;
    case IDC_ADD:
        if (code == BN_CLICKED)
            Add();
        break;
    case IDC_REMOVE:
        if (code == BN_CLICKED && Selected() >= 0)
            Remove();
        break;
    case IDC_REMOVE_ALL:
        if (code == BN_CLICKED) {
            list_.Clear();
            Refill(-1);
            Changed();
        }
        break;
    default: break;
    }
}

bool LoginPage::OnMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result)
{
    if (message != WM_NOTIFY)
        return false;
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->idFrom != IDC_MOVE || header->code != UDN_DELTAPOS)
        return false;
    const auto* delta = reinterpret_cast<const NMUPDOWN*>(lParam);
    const int moved = list_.Move(Selected(), delta->iDelta < 0 ? -1 : +1);
    Refill(moved);
    Changed();
    result = 0;
    return true;
}

void LoginPage::Save(WizardSettings& s)
{
    s.script = list_.Script();
}
