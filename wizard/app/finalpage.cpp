// Page 147, the last: where a new connection is stored (for the current user or for
// every user) and how to finish.
#include <windows.h>
#include <lm.h>

#include "wizard/app/pages.h"
#include "wizard/app/resource.h"
#include "wizard/app/wizardapp.h"
#include "wizard/app/wizardlanguage.h"

namespace {

// The user's full name from the account database (NetAPI32 bound at run time, as it may
// be missing); empty when it cannot be had.
std::wstring FullUserName()
{
    wchar_t account[257] = {};
    if (!GetEnvironmentVariableW(L"USERNAME", account, 257) || App().osCode == 16)
        return std::wstring();
    HMODULE netapi = LoadLibraryW(L"NETAPI32.DLL");
    if (!netapi)
        return std::wstring();
    using GetInfo = DWORD(WINAPI*)(LPCWSTR, LPCWSTR, DWORD, LPBYTE*);
    using Free = DWORD(WINAPI*)(LPVOID);
    auto getInfo = reinterpret_cast<GetInfo>(reinterpret_cast<void*>(GetProcAddress(netapi, "NetUserGetInfo")));
    auto freeBuffer = reinterpret_cast<Free>(reinterpret_cast<void*>(GetProcAddress(netapi, "NetApiBufferFree")));
    std::wstring name;
    BYTE* info = nullptr;
    if (getInfo && freeBuffer && getInfo(nullptr, account, 2, &info) == 0 && info) {
        const auto* user = reinterpret_cast<const USER_INFO_2*>(info);
        if (user->usri2_full_name)
            name = user->usri2_full_name;
        freeBuffer(info);
    }
    FreeLibrary(netapi);
    return name;
}

std::wstring WithoutAmpersand(std::wstring text)
{
    for (std::size_t at = text.find(L'&'); at != std::wstring::npos; at = text.find(L'&', at))
        text.erase(at, 1);
    return text;
}

}  // namespace

FinalPage::FinalPage() : WizardPage(IDD_PAGE_FINAL) {}

BOOL FinalPage::OnInitDialog()
{
    WizardPage::OnInitDialog();
    WizardApp& app = App();
    filling_ = true;
    std::wstring currentUser = WizardLoadString(30237);
    const std::wstring fullName = FullUserName();
    const std::size_t at = currentUser.find(L"(%s) ");
    if (!fullName.empty())
        currentUser = WizardFormatString(30237, fullName);
    else if (at != std::wstring::npos)
        currentUser.erase(at, 5);
    SetText(IDC_STORE_USER, currentUser);
    SetControlText(IDC_STORE_ALL);
    // Only an administrator making a new connection chooses: a user's connections are
    // always the user's own, and an edited one stays where it is.
    const bool choose = app.settings.mode == WizardMode::New && app.administrator;
    Show(IDC_STORE_USER, choose);
    Show(IDC_STORE_ALL, choose);
    SetCheck(IDC_STORE_USER, app.settings.userScope);
    SetCheck(IDC_STORE_ALL, !app.settings.userScope);
    const UINT finishing = app.settings.mode == WizardMode::Edit ? 1 : 30211;
    SetText(IDC_FINISH_TEXT, WizardFormatString(30255, WithoutAmpersand(WizardLoadString(finishing))));
    Show(IDC_DESKTOP_ICON, false);
    filling_ = false;
    return FALSE;
}

void FinalPage::Shown()
{
    Tell(0, TRUE);
    // A new connection gets its desktop shortcut, an edited one never.
    App().desktopIcon = App().settings.mode == WizardMode::New;
    if (App().settings.mode == WizardMode::Edit) {
        // On this page only OK stores.
        Tell(3, FALSE);
    }
}

void FinalPage::OnCommand(int id, int code)
{
    if (filling_ || code != BN_CLICKED)
        return;
    if (id == IDC_STORE_USER || id == IDC_STORE_ALL)
        App().settings.userScope = id == IDC_STORE_USER;
}
