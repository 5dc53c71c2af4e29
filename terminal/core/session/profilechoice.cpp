// The Open Session and Save Session As pages: choosing, deleting and marking the default
// profile, saving under a new name, and who may touch machine-wide profiles.
#include "terminal/core/base/handles.h"
#include "terminal/core/base/win32.h"
#include "terminal/core/session/instances.h"

#include <commctrl.h>

#include <cwchar>
#include <string>
#include <vector>

#include "terminal/core/base/corestate.h"
#include "terminal/core/host/hostio.h"
#include "terminal/core/base/language.h"
#include "terminal/core/session/sessionprofile.h"
#include "terminal/core/window/dialogs/listview.h"
#include "terminal/core/base/startopts.h"
#include "terminal/core/base/stringids.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/settings/store/profile.h"
#include "terminal/core/base/registry.h"

wchar16 SelectedProfileName[kSlotUnits];
u32 SaveAsDefaultPending = 0;
u32 SessionsApplyRequested = 0, SessionsReloadRequested = 0;
bool (*AdministratorCheck)() = IsAdministrator;

namespace {

constexpr u32 kStrColumnDefault = 7183, kStrColumnSession = 7184, kStrColumnTemplate = 7185;
constexpr u32 kStrDeleteQuestion = 10165, kStrDeleteCaption = 10166;
constexpr u32 kStrOverwriteQuestion = 10129, kStrSaveAsCaption = 5020;
constexpr int kListUnits = 1024;
constexpr int kSaveAsNameLimit = 127;
constexpr wchar16 kUntitled[] = VXT("Untitled");

int g_defaultRow = -1;

bool SameName(const wchar16* a, const wchar16* b, bool ignoreCase)
{
    return CompareStringOrdinal(a, -1, b, -1, ignoreCase) == CSTR_EQUAL;
}

std::wstring Text(u32 id)
{
    wchar_t text[256] = L"";
    LoadLanguageString(InstanceHandle, id, text, 256);
    return text;
}

// "Session" of the program key in the selected root; false when it holds none.
bool ReadDefaultName(wchar16* name)
{
    HKEY base = SettingsOpenBaseKey();
    name[0] = 0;
    bool found = false;
    if (base) {
        DWORD type = 0, size = kSlotUnits * sizeof(wchar16);
        found = RegQueryValueExW(base, L"Session", nullptr, &type, reinterpret_cast<BYTE*>(name), &size) ==
                    ERROR_SUCCESS &&
                type == REG_SZ;
        name[kSlotUnits - 1] = 0;
        SettingsCloseKey(base);
    }
    return found && name[0];
}

bool ProfileIn(u32 user, const wchar16* name)
{
    const u32 saved = SettingsRootIsUser();
    SettingsSelectRoot(user);
    const bool exists = SettingsProfileExists(name) != 0;
    SettingsSelectRoot(saved);
    return exists;
}

HWND List(HWND page)
{
    return GetDlgItem(page, kCtlProfileList);
}

void DeleteIn(u32 user, const wchar16* name)
{
    SettingsSelectRoot(user);
    SettingsDeleteProfile(name);
    wchar16 session[kSlotUnits];
    if (ReadDefaultName(session) && SameName(session, name, false)) {
        SettingsDeleteValue(nullptr, VXT("Session"));
        SaveAsDefaultPending = 1;
    }
}

}  // namespace

bool IsAdministrator()
{
    if (OsVersionCode == 16 || OsVersionCode == 0)
        return true;
    if (!ImpersonateSelf(SecurityImpersonation))
        return false;
    bool result = false;
    HANDLE token = nullptr;
    PSID administrators = nullptr;
    PACL acl = nullptr;
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    if ((OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, TRUE, &token) ||
         OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY | TOKEN_DUPLICATE, &token)) &&
        AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0,
                                 &administrators)) {
        const DWORD aclSize = sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) + GetLengthSid(administrators) -
                              sizeof(DWORD);
        acl = static_cast<PACL>(LocalAlloc(LPTR, aclSize));
        SECURITY_DESCRIPTOR descriptor;
        GENERIC_MAPPING mapping{1, 2, 0, 3};
        PRIVILEGE_SET privileges{};
        DWORD privilegesSize = sizeof privileges, granted = 0;
        BOOL status = FALSE;
        if (acl && InitializeAcl(acl, aclSize, ACL_REVISION2) &&
            AddAccessAllowedAce(acl, ACL_REVISION2, 3, administrators) &&
            InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) &&
            SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE) &&
            SetSecurityDescriptorOwner(&descriptor, administrators, FALSE) &&
            SetSecurityDescriptorGroup(&descriptor, administrators, FALSE) &&
            AccessCheck(&descriptor, token, 1, &mapping, &privileges, &privilegesSize, &granted, &status))
            result = status != FALSE;
    }
    RevertToSelf();
    if (acl)
        LocalFree(acl);
    if (administrators)
        FreeSid(administrators);
    if (token)
        CloseHandle(token);
    return result;
}

int MayEditMachineProfiles()
{
    return 1;
}

void FillProfileList(HWND page, bool firstFill)
{
    HWND list = List(page);
    if (!list)
        return;
    if (firstFill) {
        const struct {
            u32 text;
            int width;
        } columns[] = {{kStrColumnDefault, 20}, {kStrColumnSession, 200}, {kStrColumnTemplate, 20}};
        const int count = OsVersionCode == 16 ? 2 : 3;
        for (int c = 0; c < count; ++c) {
            std::wstring title = Text(columns[c].text);
            LVCOLUMNW column{};
            column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
            column.cx = columns[c].width;
            column.pszText = title.data();
            column.iSubItem = c;
            SendMessageW(list, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
        }
    }
    // The default profile: machine-wide "Session" (created when missing), which the
    // user's own "Session" overrides.
    const u32 savedRoot = SettingsRootIsUser();
    wchar16 defaultName[kSlotUnits] = {};
    SettingsSelectRoot(0);
    if (!ReadDefaultName(defaultName)) {
        SettingsCreateProfile(kUntitled);
        SettingsWriteString(nullptr, VXT("Session"), kUntitled);
        CopyText(defaultName, kSlotUnits, kUntitled);
    }
    if (OsVersionCode != 16) {
        SettingsSelectRoot(1);
        wchar16 user[kSlotUnits];
        if (ReadDefaultName(user))
            CopyText(defaultName, kSlotUnits, user);
    }
    SettingsSelectRoot(savedRoot);

    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    std::vector<wchar16> names(kListUnits + 2, 0);
    SettingsListProfiles(names.data(), kListUnits);
    g_defaultRow = -1;
    int row = 0, selected = -1;
    for (const wchar16* name = names.data(); *name; name += TextLength(name) + 1, ++row) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = const_cast<wchar16*>(VXT(" "));
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        SetListCell(list, row, 1, name);
        const bool templateOnly = ProfileIn(0, name) && !ProfileIn(1, name);
        if (OsVersionCode != 16)
            SetListCell(list, row, 2, templateOnly ? VXT("T") : VXT(" "));
        if (g_defaultRow < 0 && SameName(name, defaultName, false))
            g_defaultRow = row;
        if (selected < 0 && SameName(name, SelectedProfileName, false))
            selected = row;
    }
    if (row == 0)
        return;
    if (g_defaultRow < 0)
        g_defaultRow = 0;
    SetListCell(list, g_defaultRow, 0, VXT("D"));
    SelectProfileRow(page, selected < 0 ? g_defaultRow : selected);
}

void SelectProfileRow(HWND page, int row)
{
    HWND list = List(page);
    if (!list || row < 0 || row >= static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)))
        return;
    SelectListRow(list, row);
    CopyText(SelectedProfileName, kSlotUnits, ListCellText(list, row, 1).c_str());
    EnableWindow(GetDlgItem(page, kCtlSaveAsDefault), row != g_defaultRow);
}

void SetDefaultProfile(HWND page)
{
    HWND list = List(page);
    const int row = list ? static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, -1, LVNI_SELECTED)) : -1;
    if (row < 0)
        return;
    if (g_defaultRow >= 0)
        SetListCell(list, g_defaultRow, 0, VXT(" "));
    SetListCell(list, row, 0, VXT("D"));
    g_defaultRow = row;
    SaveAsDefaultPending = 1;
    SelectListRow(list, row);
    SetFocus(list);
    EnableWindow(GetDlgItem(page, kCtlSaveAsDefault), FALSE);
}

void SessionsPageOk()
{
    SessionsApplyRequested = 1;
    SessionsReloadRequested = 1;
}

int DeleteProfileEverywhere(const wchar16* name)
{
    if (!name || !name[0])
        return 0;
    const u32 savedRoot = SettingsRootIsUser();
    if (AdministratorCheck())
        DeleteIn(0, name);
    DeleteIn(1, name);
    SettingsSelectRoot(savedRoot);
    return 1;
}

void DeleteSelectedProfile(HWND page)
{
    const wchar16* name = SelectedProfileName;
    if (!name[0] || SameName(name, kUntitled, true)) {
        // The default profile stays: an administrator keeps it, a user may only drop
        // a copy of their own.
        if (AdministratorCheck() || !ProfileIn(1, name)) {
            RequestBell();
            return;
        }
    }
    wchar_t format[256], text[512];
    LoadLanguageString(InstanceHandle, kStrDeleteQuestion, format, 256);
    _snwprintf(text, std::size(text) - 1, format, name);
    text[std::size(text) - 1] = 0;
    const std::wstring caption = Text(kStrDeleteCaption);
    if (MessageBoxW(page, text, caption.c_str(), MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
        return;
    if (SameName(name, CurrentProfileName(), true))
        DisconnectSession();
    wchar16 doomed[kSlotUnits];
    CopyText(doomed, kSlotUnits, name);
    DeleteProfileEverywhere(doomed);
    FillProfileList(page, false);
}

void SaveAsNameChanged(HWND page)
{
    wchar16 name[kSaveAsNameLimit + 1] = {};
    GetDlgItemTextW(page, kCtlProfileName, name, kSaveAsNameLimit + 1);
    CopyText(SelectedProfileName, kSlotUnits, name);
    EnableWindow(GetDlgItem(page, IDOK), name[0] != 0);
}

bool ProfileNameAllowed(const wchar16* name)
{
    if (!name || !name[0])
        return false;
    for (const wchar16* p = name; *p; ++p)
        if (*p == '\\')
            return false;  // a nested key, out of sight of the profile list
    // The profile's own keys sit beside these under the program key.
    for (const wchar16* reserved :
         {VXT("Profiles"), VXT("Startup"), VXT("Hotspot"), VXT("Macros"), VXT("Mouse Actions")})
        if (SameName(name, reserved, true))
            return false;
    if (CompareStringOrdinal(name, 8, VXT("Session "), 8, TRUE) == CSTR_EQUAL && name[8]) {
        const wchar16* p = name + 8;
        while (*p >= '0' && *p <= '9')
            ++p;
        if (!*p)
            return false;
    }
    if (CompareStringOrdinal(name, 8, VXT("Startup,"), 8, TRUE) == CSTR_EQUAL)
        return false;
    return true;
}

bool ConfirmProfileName(HWND owner, const wchar16* name)
{
    if (!name || !name[0])
        return false;
    if (!ProfileNameAllowed(name)) {
        const std::wstring text = Text(kStrUnusableProfileName);
        MessageBoxW(owner, text.c_str(), Text(kStrSaveAsCaption).c_str(), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    if (!SettingsProfileExistsAnyRoot(name))
        return true;
    return MessageBoxW(owner, Text(kStrOverwriteQuestion).c_str(), Text(kStrSaveAsCaption).c_str(),
                       MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
}

int SaveProfileAs(HWND owner, u32 perUser, bool confirm)
{
    if (confirm && !ConfirmProfileName(owner, SelectedProfileName))
        return 0;
    PerUserProfile = perUser ? 1 : 0;
    SettingsSelectRoot(PerUserProfile);
    CopyText(CurrentProfileName(), kSlotUnits, SelectedProfileName);
    if (!SettingsCreateProfile(CurrentProfileName()))
        return 0;
    SaveProfile();
    WriteStartupDialog(StartupOptions.startupDialog);
    UpdateWindowTitle(MainWindowHandle);
    return 1;
}
