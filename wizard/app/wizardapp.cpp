// VXNTCONWIZ.EXE: one job per run, chosen by the command line. With no switch it
// creates a connection, -E edits one, -D deletes one and -R registers the client with
// the connection manager.
#include "wizard/app/wizardapp.h"

#include <windows.h>
#include <commctrl.h>

#include "wizard/app/mainwizard.h"
#include "wizard/app/resource.h"
#include "wizard/app/shortcut.h"
#include "wizard/app/wizardlanguage.h"
#include "wizard/engine/buildstamp.h"
#include "wizard/engine/keypaths.h"
#include "wizard/engine/profilestore.h"
#include "wizard/engine/registration.h"

namespace {

const wchar_t kTitle[] = L"vxntconwiz";

int Ask(HWND owner, const std::wstring& text, const std::wstring& title, UINT buttons)
{
    return MessageBoxW(owner, text.c_str(), title.c_str(), buttons | MB_TOPMOST | MB_SETFOREGROUND);
}

u32 OsCode()
{
    OSVERSIONINFOW v = {};
    v.dwOSVersionInfoSize = sizeof v;
    if (!GetVersionExW(&v))
        return 0;
    if (v.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS)
        return 16;
    if (v.dwPlatformId != VER_PLATFORM_WIN32_NT)
        return 0;
    if (v.dwMajorVersion == 5)
        return v.dwMinorVersion == 1 ? 36 : 34;
    return v.dwMajorVersion == 4 ? 33 : 32;
}

// Membership of the built-in Administrators group, by an access check against a
// descriptor that grants that group alone. VXNTCONWIZ_USER=1 stands for a user who is
// not an administrator (Wine answers yes for everyone).
bool IsAdministrator()
{
    wchar_t seam[4] = {};
    if (GetEnvironmentVariableW(L"VXNTCONWIZ_USER", seam, 4) && seam[0] == L'1')
        return false;
    if (!ImpersonateSelf(SecurityImpersonation))
        return false;
    HANDLE token = nullptr;
    if (!OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, FALSE, &token) &&
        !(GetLastError() == ERROR_NO_TOKEN && OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))) {
        RevertToSelf();
        return false;
    }
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    PSID admins = nullptr;
    BOOL granted = FALSE;
    if (AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0,
                                 &admins)) {
        const DWORD aclSize = sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) + GetLengthSid(admins) - sizeof(DWORD);
        auto* acl = static_cast<PACL>(LocalAlloc(LPTR, aclSize));
        SECURITY_DESCRIPTOR sd;
        GENERIC_MAPPING mapping = {1, 2, 0, 3};
        PRIVILEGE_SET privileges;
        DWORD privilegesSize = sizeof privileges, access = 0;
        if (acl && InitializeAcl(acl, aclSize, ACL_REVISION2) &&
            AddAccessAllowedAce(acl, ACL_REVISION2, 3, admins) &&
            InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION) &&
            SetSecurityDescriptorDacl(&sd, TRUE, acl, FALSE) && SetSecurityDescriptorOwner(&sd, admins, FALSE) &&
            SetSecurityDescriptorGroup(&sd, admins, FALSE)) {
            if (!AccessCheck(&sd, token, 1, &mapping, &privileges, &privilegesSize, &access, &granted)) {
                printf("AccessCheck() failed with error %lu\n", GetLastError());
                granted = FALSE;
            }
        }
        LocalFree(acl);
        FreeSid(admins);
    }
    CloseHandle(token);
    RevertToSelf();
    return granted != FALSE;
}

std::wstring LinkPath(const WText& name)
{
    const WizardApp& app = App();
    return DesktopFolder(app.settings.userScope, app.osCode) + L"\\" + name + L".lnk";
}

bool ConfirmDelete(const WText& name)
{
    return Ask(nullptr, WizardFormatString(10165, name), WizardLoadString(10166), MB_YESNO | MB_ICONQUESTION) ==
           IDYES;
}

bool ConfirmEditMachineConnection(const WText& name)
{
    const std::wstring text = WizardFormatString(10174, name) + WizardFormatString(10175, L"vexaNT") +
                              WizardLoadString(10176);
    return Ask(nullptr, text, WizardLoadString(10177), MB_YESNO | MB_ICONWARNING) == IDYES;
}

// The connection a switch names must be one: an empty name would name every
// registration and profile, a cut one another connection.
bool CheckCommandLineName(const WizardCommand& command)
{
    if (command.nameProblem == NameProblem::None)
        return true;
    if (command.nameProblem == NameProblem::Separator)
        AcceptConnectionName(nullptr, command.name);
    else
        Ask(nullptr, WizardLoadString(IDS_NAME_LENGTH), WizardLoadString(30240), MB_OK | MB_ICONINFORMATION);
    return false;
}

void RunDelete(const WText& name)
{
    WizardApp& app = App();
    if (!ConfirmDelete(name))
        return;
    UnregisterConnection(app.registry, name);
    DeleteProfile(app.registry, app.settings.userScope ? RegRoot::User : RegRoot::Machine, name,
                  app.settings.deleteWholeProfile);
    DeleteShortcut(LinkPath(name));
    app.exitCode = 1;
}

void RunWizard(const WizardCommand& command)
{
    WizardApp& app = App();
    WizardSettings& s = app.settings;
    if (command.mode == WizardMode::Edit)
        s.name = command.name;
    s.startOptions = kDefaultStartOptions;
    WizardSetDefaults(s, static_cast<u32>(ReadSelectedLanguage()));
    // A new connection gets its desktop shortcut; an edited one never.
    app.desktopIcon = command.mode == WizardMode::New;
    if (command.mode == WizardMode::Edit) {
        WText line;
        if (ReadStartLine(app.registry, s.name, line))
            s.startOptions = ParseStartOptions(line);
        WizardReadProfile(app.registry, s, true);
        WizardReadProfile(app.registry, s, false);
    }
    s.startName = s.name;
    WizardMainDialog dialog;
    if (dialog.DoModal(nullptr) == IDOK) {
        SaveConnection();
        app.exitCode = 1;
    }
}

}  // namespace

WizardApp& App()
{
    static WizardApp app;
    return app;
}

bool AcceptConnectionName(HWND owner, const WText& name)
{
    const NameProblem problem = CheckConnectionName(name);
    if (problem == NameProblem::Separator || problem == NameProblem::Switch) {
        const bool separator = problem == NameProblem::Separator;
        const std::wstring text = WizardLoadString(separator ? 30241 : 30244) + L"\n\n\t" +
                                  (separator ? L"\\ / \"" : L"\" -\"");
        Ask(owner, text, WizardLoadString(30240), MB_OK | MB_ICONINFORMATION);
        return false;
    }
    return problem == NameProblem::None;
}

bool ConfirmReplaceConnection(HWND owner, const WText& name)
{
    if (!ConnectionExists(App().registry, name))
        return true;
    return Ask(owner, WizardLoadString(10129), WizardLoadString(30233), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void SaveConnection()
{
    WizardApp& app = App();
    WizardSettings& s = app.settings;
    const RegRoot root = s.userScope ? RegRoot::User : RegRoot::Machine;
    if (s.mode == WizardMode::Edit) {
        UnregisterConnection(app.registry, s.startName);
        DeleteShortcut(LinkPath(s.name));
        if (!SameTextIgnoringCase(s.name, s.startName)) {
            CopyProfile(app.registry, root, s.name, s.startName);
            DeleteProfile(app.registry, root, s.startName, true);
        }
    }
    const WText line = BuildStartCommandLine(s.startOptions, s.name);
    WizardRegisterConnection(app.registry, s.name, line, app.keepMacros);
    if (app.desktopIcon)
        CreateShortcut(LinkPath(s.name), OwnDirectory() + L"vexaNT.exe", line, OwnDirectory());
    WizardWriteProfile(app.registry, s, BuildStampFromDate(__DATE__));
    // A later Apply or Finish saves over what is now stored.
    s.startName = s.name;
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    WizardApp& app = App();
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);
    const WizardCommand command = ParseWizardCommandLine(GetCommandLineW());
    app.keepMacros = command.keepMacros;
    app.settings.mode = command.mode;
    app.settings.deleteWholeProfile = !command.keepMacros;
    app.osCode = OsCode();
    const bool administrator = app.osCode == 16 || app.osCode == 0 || IsAdministrator();
    app.administrator = administrator;
    app.settings.userScope = !administrator;

    if (command.mode == WizardMode::Register) {
        WizardRegisterClient(app.registry);
        return 0;
    }
    if (ProbeLanguageModules(ReadSelectedLanguage()) == 0) {
        MessageBoxW(nullptr,
                    L"No Language Resources found\nPlease contact your local support team\nCannot continue.",
                    kTitle, MB_OK | MB_TOPMOST);
        return 0;
    }
    if ((command.mode == WizardMode::Edit || command.mode == WizardMode::Delete) &&
        !CheckCommandLineName(command)) {
        UnloadLanguageModule();
        return 0;
    }
    if (command.mode == WizardMode::Edit && !administrator &&
        app.registry.KeyExists(RegRoot::Machine, ProfileKeyPath(command.name)) &&
        !ConfirmEditMachineConnection(command.name)) {
        UnloadLanguageModule();
        return 0;
    }
    if (command.mode == WizardMode::Delete)
        RunDelete(command.name);
    else
        RunWizard(command);
    UnloadLanguageModule();
    return app.exitCode;
}
