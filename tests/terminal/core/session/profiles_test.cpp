// Instances and profiles: version stamp, mouse actions, session slots, the Open Session
// and Save Session As handlers, and reloading another profile.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "terminal/core/base/handles.h"
#include "terminal/core/window/frame_support.h"
#include "terminal/settings/store/connsettings.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/host/hostio.h"
#include "terminal/core/session/instances.h"
#include "terminal/core/base/startopts.h"
#include "terminal/settings/store/mouseactions.h"
#include "terminal/settings/store/profile.h"
#include "terminal/core/base/registry.h"
#include "terminal/settings/store/versionstamp.h"

using namespace frame_test;

namespace {

const std::wstring kBasePath = kBase;

int ValueCount(HKEY root, const std::wstring& path)
{
    HKEY key;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return -1;
    DWORD values = 0;
    RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr, nullptr,
                     nullptr);
    RegCloseKey(key);
    return static_cast<int>(values);
}

class ProfilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        MainWindow();
        ClearSettings();
        UseEnglishModule();
        SettingsSelectRoot(0);
        saved_ = StartupOptions;
        StartupOptions = StartupOptionValues{};
        Connection.hostrollover = 0;
        // As after a first start: the default profile is machine-wide.
        MakeProfile(HKEY_LOCAL_MACHINE, L"Untitled");
        UseProfile(L"Untitled");
    }
    void TearDown() override
    {
        StartInstanceProcess = CreateProcessW;
        AdministratorCheck = IsAdministrator;
        StartupOptions = saved_;
        ClearSettings();
    }
    static void UseProfile(const wchar_t* name)
    {
        CopyText(CurrentProfileName(), kSlotUnits, name);
        CopyText(SelectedProfileName, kSlotUnits, name);
        SelectProfileRoot(name);
    }
    static void MakeProfile(HKEY root, const wchar_t* name)
    {
        SetDword(root, kBasePath + L"\\Profiles\\" + name + L"\\WINDOW", L"dasize", 24);
    }
    StartupOptionValues saved_;
};

TEST_F(ProfilesTest, VersionAndBuildStampsFollowTheProgram)
{
    WriteVersionStamp();
    std::wstring version;
    DWORD build = 0;
    ASSERT_TRUE(ReadString(HKEY_LOCAL_MACHINE, kBasePath, L"Version", &version));
    ASSERT_TRUE(ReadDword(HKEY_LOCAL_MACHINE, kBasePath, L"Build", &build));
    EXPECT_EQ(version, L"1.6.1");
    EXPECT_EQ(build, 0xA4CBCu);
    SetString(HKEY_LOCAL_MACHINE, kBasePath, L"Version", L"1.5.0");
    SetDword(HKEY_LOCAL_MACHINE, kBasePath, L"Build", 7);
    WriteVersionStamp();
    ReadString(HKEY_LOCAL_MACHINE, kBasePath, L"Version", &version);
    ReadDword(HKEY_LOCAL_MACHINE, kBasePath, L"Build", &build);
    EXPECT_EQ(version, L"1.6.1");
    EXPECT_EQ(build, 0xA4CBCu);

    struct Case {
        const char* name;
        int month;
    } cases[] = {{"Jan", 1}, {"feb", 2}, {"NOV", 11}, {"Dec", 12}, {"xyz", 12}, {"Ju", 12}, {"", 12}};
    for (const Case& c : cases)
        EXPECT_EQ(MonthNameToNumber(c.name), c.month) << c.name;
}

TEST_F(ProfilesTest, MouseActionsSaveOnlyWhatDiffersAndReadBackSafely)
{
    const std::wstring key = kBasePath + L"\\Untitled\\Mouse Actions";
    for (int slot = 0; slot < kMouseSlots; ++slot)
        MouseActions[slot] = kFactoryMouseActions[slot];
    HighlightWhenActioned = 1;
    SetDword(HKEY_LOCAL_MACHINE, key, L"Normal", 9);  // a stale value the save replaces
    SaveMouseActions();
    EXPECT_EQ(ValueCount(HKEY_LOCAL_MACHINE, key), 0) << "defaults leave an empty key";

    MouseActions[1] = 3;
    HighlightWhenActioned = 0;
    SaveMouseActions();
    EXPECT_EQ(ValueCount(HKEY_LOCAL_MACHINE, key), 2);
    DWORD value = 99;
    ASSERT_TRUE(ReadDword(HKEY_LOCAL_MACHINE, key, L"Shift", &value));
    EXPECT_EQ(value, 3u);

    SetDword(HKEY_LOCAL_MACHINE, key, L"HighlightWhenActioned", 5);
    SetDword(HKEY_LOCAL_MACHINE, key, L"RAlt", 99);
    MouseActions[1] = 0;
    LoadMouseActions();
    EXPECT_EQ(MouseActions[1], 3);
    EXPECT_EQ(HighlightWhenActioned, 1u);
    EXPECT_EQ(MouseActions[10], kFactoryMouseActions[10]);
    for (int slot = 0; slot < kMouseSlots; ++slot)
        MouseActions[slot] = kFactoryMouseActions[slot];

    EXPECT_TRUE(IsMouseActionName(L"Send Keyword"));
    EXPECT_FALSE(IsMouseActionName(L"Send Keywords"));
    EXPECT_TRUE(IsHotspotMouseAction(L"Show Hotspots"));
    EXPECT_FALSE(IsHotspotMouseAction(L"Send Keyword"));
    EXPECT_TRUE(IsSendingMouseAction(L"Send Keyword"));
}

// A window that stands for another instance and records the WM_CLOSE it gets.
WPARAM g_closeParameter = 99;
LRESULT CALLBACK OtherInstanceProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE) {
        g_closeParameter = wParam;
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

std::wstring g_startedLine;
BOOL WINAPI RecordStart(LPCWSTR, LPWSTR line, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES, BOOL, DWORD, LPVOID,
                        LPCWSTR, LPSTARTUPINFOW, LPPROCESS_INFORMATION)
{
    g_startedLine = line;
    return FALSE;
}

TEST_F(ProfilesTest, SessionSlotsAreClaimedSwitchedAndReleased)
{
    const std::wstring connection = kBasePath + L"\\Profiles\\Multi\\CONNECTION";
    SetString(HKEY_LOCAL_MACHINE, connection, L"netname1", L"hosta");
    SetString(HKEY_LOCAL_MACHINE, connection, L"netname2", L"hostb");
    UseProfile(L"Multi");
    RegisterSessionSlots();
    const std::wstring slot1 = kBasePath + L"\\Multi\\Session 1", slot2 = kBasePath + L"\\Multi\\Session 2";
    DWORD owner = 0;
    ASSERT_TRUE(ReadDword(HKEY_LOCAL_MACHINE, slot1, L"hWnd", &owner));
    EXPECT_EQ(owner, static_cast<DWORD>(reinterpret_cast<UINT_PTR>(MainWindowHandle)));
    std::wstring host;
    ASSERT_TRUE(ReadString(HKEY_LOCAL_MACHINE, slot1, L"netname1", &host));
    EXPECT_EQ(host, L"hosta");
    EXPECT_EQ(std::wstring(Connection.netname), L"hosta");
    EXPECT_EQ(SessionSlotCount(), 2);
    EXPECT_EQ(FindOwnSessionSlot(), 0);

    // One slot free and one instance started so far: a further instance with " +cs".
    StartInstanceProcess = RecordStart;
    g_startedLine.clear();
    SwitchToNextSession();
    EXPECT_EQ(g_startedLine, std::wstring(GetCommandLineW()) + L" +cs");
    DWORD started = 0;
    ASSERT_TRUE(ReadDword(HKEY_LOCAL_MACHINE, kBasePath + L"\\Multi", L"NumSessions", &started));
    EXPECT_EQ(started, 2u);
    g_startedLine.clear();
    SwitchToNextSession();  // every slot's instance is on its way: nothing more starts
    EXPECT_TRUE(g_startedLine.empty());

    WNDCLASSW wc{};
    wc.lpfnWndProc = OtherInstanceProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"vxOtherInstance";
    RegisterClassW(&wc);
    HWND other = CreateWindowW(L"vxOtherInstance", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance,
                               nullptr);
    SetDword(HKEY_LOCAL_MACHINE, slot2, L"hWnd", static_cast<DWORD>(reinterpret_cast<UINT_PTR>(other)));
    SwitchToNextSession();  // both taken: the other window comes forward, nothing starts
    EXPECT_TRUE(g_startedLine.empty());

    g_closeParameter = 99;
    CloseAllSessions();
    PumpMessages();
    EXPECT_EQ(g_closeParameter, 1u);
    EXPECT_FALSE(ReadDword(HKEY_LOCAL_MACHINE, slot1, L"hWnd", &owner));
    EXPECT_FALSE(ReadDword(HKEY_LOCAL_MACHINE, slot2, L"hWnd", &owner));
    EXPECT_FALSE(ReadDword(HKEY_LOCAL_MACHINE, kBasePath + L"\\Multi", L"NumSessions", &started));
    DestroyWindow(other);

    RegisterSessionSlots();
    ASSERT_TRUE(ReadDword(HKEY_LOCAL_MACHINE, slot1, L"hWnd", &owner));
    ReleaseSessionSlots();
    EXPECT_FALSE(ReadDword(HKEY_LOCAL_MACHINE, slot1, L"hWnd", &owner));
    EXPECT_FALSE(ReadString(HKEY_LOCAL_MACHINE, slot1, L"netname1", &host));
    EXPECT_EQ(SessionSlotCount(), 0);

    // A rollover list is not a set of slots.
    Connection.hostrollover = 1;
    RegisterSessionSlots();
    EXPECT_FALSE(ReadDword(HKEY_LOCAL_MACHINE, slot1, L"hWnd", &owner));
    Connection.hostrollover = 0;
}

TEST_F(ProfilesTest, SaveAsNamesThatWouldClashAreRefused)
{
    // clang-format off
    struct Case {
        const wchar_t* name;
        bool allowed;
    } cases[] = {{L"Host A", true},      {L"a\\b", false},        {L"Profiles", false}, {L"startup", false},
                 {L"Hotspot", false},    {L"MACROS", false},      {L"Mouse Actions", false},
                 {L"Session 2", false},  {L"Session 12", false},  {L"Session", true},   {L"Session A", true},
                 {L"Startup,Kiosk", false}, {L"", false}};
    // clang-format on
    for (const Case& c : cases)
        EXPECT_EQ(ProfileNameAllowed(c.name), c.allowed) << c.name;

    MessageBoxAnswerer answerNo(IDNO);
    EXPECT_FALSE(ConfirmProfileName(MainWindowHandle, L"a\\b"));
    EXPECT_TRUE(ConfirmProfileName(MainWindowHandle, L"Fresh"));
    MakeProfile(HKEY_CURRENT_USER, L"Taken");
    EXPECT_FALSE(ConfirmProfileName(MainWindowHandle, L"Taken"));
    const auto texts = answerNo.Texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_NE(texts[0].find(L"backslash"), std::wstring::npos);
    EXPECT_EQ(texts[1], L"Configuration data already exists. Overwrite ?");
}

// A stand-in for a Setup page: the controls the handlers look for, by id.
struct Page {
    HWND window, list, deleteButton, defaultButton, nameEdit, ok;
    Page()
    {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&icc);
        HINSTANCE instance = GetModuleHandleW(nullptr);
        window = CreateWindowW(L"STATIC", L"page", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr, instance, nullptr);
        auto child = [&](const wchar_t* cls, int id, DWORD style) {
            return CreateWindowW(cls, L"", WS_CHILD | style, 0, 0, 100, 100, window,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
        };
        list = child(WC_LISTVIEWW, kCtlProfileList, LVS_REPORT);
        deleteButton = child(L"BUTTON", kCtlDeleteProfile, 0);
        defaultButton = child(L"BUTTON", kCtlSaveAsDefault, 0);
        nameEdit = child(L"EDIT", kCtlProfileName, 0);
        ok = child(L"BUTTON", IDOK, 0);
    }
    ~Page() { DestroyWindow(window); }
    std::wstring Cell(int row, int column) const
    {
        wchar_t text[256] = L"";
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = 256;
        SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
        return text;
    }
    int Rows() const { return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }
};

TEST_F(ProfilesTest, TheOpenSessionListMarksDefaultAndTemplates)
{
    MakeProfile(HKEY_LOCAL_MACHINE, L"Alpha");
    MakeProfile(HKEY_LOCAL_MACHINE, L"Beta");
    MakeProfile(HKEY_CURRENT_USER, L"Beta");
    MakeProfile(HKEY_CURRENT_USER, L"Gamma");
    SetString(HKEY_LOCAL_MACHINE, kBasePath, L"Session", L"Beta");
    Page page;
    CopyText(SelectedProfileName, kSlotUnits, L"");
    FillProfileList(page.window, true);
    ASSERT_EQ(page.Rows(), 4);
    std::vector<std::wstring> rows;
    for (int r = 0; r < page.Rows(); ++r)
        rows.push_back(page.Cell(r, 0) + L"|" + page.Cell(r, 1) + L"|" + page.Cell(r, 2));
    // Machine-wide names first, then the per-user ones the machine lacks.
    EXPECT_EQ(rows, (std::vector<std::wstring>{L" |Alpha|T", L"D|Beta| ", L" |Untitled|T", L" |Gamma| "}));
    EXPECT_EQ(std::wstring(SelectedProfileName), L"Beta");
    EXPECT_FALSE(IsWindowEnabled(page.defaultButton));

    SelectProfileRow(page.window, 3);
    EXPECT_EQ(std::wstring(SelectedProfileName), L"Gamma");
    EXPECT_TRUE(IsWindowEnabled(page.defaultButton));
    SaveAsDefaultPending = 0;
    SetDefaultProfile(page.window);
    EXPECT_EQ(page.Cell(1, 0), L" ");
    EXPECT_EQ(page.Cell(3, 0), L"D");
    EXPECT_EQ(SaveAsDefaultPending, 1u);
    EXPECT_FALSE(IsWindowEnabled(page.defaultButton));

    // Without any default the first fill creates "Untitled" and makes it the default.
    ClearSettings();
    FillProfileList(page.window, false);
    ASSERT_EQ(page.Rows(), 1);
    EXPECT_EQ(page.Cell(0, 0) + page.Cell(0, 1), L"DUntitled");
    SaveAsDefaultPending = 0;
}

TEST_F(ProfilesTest, DeletingRemovesBothCopiesButNeverTheDefaultOfAnAdministrator)
{
    MakeProfile(HKEY_LOCAL_MACHINE, L"Gone");
    MakeProfile(HKEY_CURRENT_USER, L"Gone");
    SetString(HKEY_LOCAL_MACHINE, kBasePath, L"Session", L"Gone");
    Page page;
    CopyText(SelectedProfileName, kSlotUnits, L"Gone");
    {
        MessageBoxAnswerer yes(IDYES);
        DeleteSelectedProfile(page.window);
        ASSERT_EQ(yes.Texts().size(), 1u);
        EXPECT_EQ(yes.Texts()[0], L"OK to delete the session:\n\t<Gone>?");
    }
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kBasePath + L"\\Profiles\\Gone"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kBasePath + L"\\Profiles\\Gone"));
    // The default went with it; the list's refill made "Untitled" the default again.
    std::wstring session;
    ASSERT_TRUE(ReadString(HKEY_LOCAL_MACHINE, kBasePath, L"Session", &session));
    EXPECT_EQ(session, L"Untitled");
    EXPECT_EQ(page.Rows(), 1);
    EXPECT_EQ(SaveAsDefaultPending, 1u);
    SaveAsDefaultPending = 0;

    // A user who is no administrator removes only the per-user copy.
    AdministratorCheck = [] { return false; };
    MakeProfile(HKEY_LOCAL_MACHINE, L"Kept");
    MakeProfile(HKEY_CURRENT_USER, L"Kept");
    DeleteProfileEverywhere(L"Kept");
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kBasePath + L"\\Profiles\\Kept"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kBasePath + L"\\Profiles\\Kept"));

    // "Untitled" for an administrator: the bell, nothing asked, nothing deleted.
    AdministratorCheck = [] { return true; };
    MakeProfile(HKEY_LOCAL_MACHINE, L"Untitled");
    CopyText(SelectedProfileName, kSlotUnits, L"untitled");
    BellPending = 0;
    MessageBoxAnswerer watcher(IDYES);
    DeleteSelectedProfile(page.window);
    EXPECT_EQ(BellPending.load(), 1);
    EXPECT_TRUE(watcher.Texts().empty());
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kBasePath + L"\\Profiles\\Untitled"));
    BellPending = 0;
}

TEST_F(ProfilesTest, SaveAsTakesTheTypedNameAndSavesInTheChosenRoot)
{
    Page page;
    SetWindowTextW(page.nameEdit, L"");
    SaveAsNameChanged(page.window);
    EXPECT_FALSE(IsWindowEnabled(page.ok));
    SetWindowTextW(page.nameEdit, std::wstring(200, L'n').c_str());
    SaveAsNameChanged(page.window);
    EXPECT_TRUE(IsWindowEnabled(page.ok));
    EXPECT_EQ(std::wstring(SelectedProfileName), std::wstring(127, L'n'));

    SetWindowTextW(page.nameEdit, L"Mine");
    SaveAsNameChanged(page.window);
    ASSERT_EQ(SaveProfileAs(MainWindowHandle, 1), 1);
    EXPECT_EQ(std::wstring(CurrentProfileName()), L"Mine");
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kBasePath + L"\\Profiles\\Mine"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kBasePath + L"\\Profiles\\Mine"));
    DWORD dialog = 0;
    EXPECT_TRUE(ReadDword(HKEY_CURRENT_USER, kBasePath + L"\\Startup", L"Dialog", &dialog));
    UseProfile(L"Untitled");
}

TEST_F(ProfilesTest, ReloadingAnotherProfile)
{
    StartHost();
    MakeProfile(HKEY_LOCAL_MACHINE, L"Second");
    CopyText(SelectedProfileName, kSlotUnits, L"NoSuchProfile");
    {
        MessageBoxAnswerer ok;
        SendMessageW(MainWindowHandle, WM_COMMAND, 1078, 0);
        ASSERT_EQ(ok.Texts().size(), 1u);
        EXPECT_EQ(ok.Texts()[0], L"Invalid Configuration File");
    }
    EXPECT_EQ(std::wstring(CurrentProfileName()), L"Untitled");
    EXPECT_EQ(std::wstring(SelectedProfileName), L"Untitled");

    CopyText(SelectedProfileName, kSlotUnits, L"Second");
    SaveAsDefaultPending = 1;
    SendMessageW(MainWindowHandle, WM_COMMAND, 1078, 0);
    EXPECT_EQ(std::wstring(CurrentProfileName()), L"Second");
    EXPECT_EQ(ProfileLoadInProgress.load(), 0u);
    std::wstring session;
    ASSERT_TRUE(ReadString(HKEY_LOCAL_MACHINE, kBasePath, L"Session", &session));
    EXPECT_EQ(session, L"Second");
    PumpMessages();
    wchar_t title[256];
    GetWindowTextW(MainWindowHandle, title, 256);
    EXPECT_NE(std::wstring(title).find(L"(Second)"), std::wstring::npos) << title;
    // The host-data thread runs again after the load.
    FeedHost("\r\nafter-reload");
    EXPECT_TRUE(PumpUntil([] { return OnScreen("after-reload"); }, 5000));
    UseProfile(L"Untitled");
}

TEST_F(ProfilesTest, ReloadRequestsNeverPileUpBoxes)
{
    StartHost();
    // Requests that arrive while a refused reload shows its box are not reloads of their own.
    CopyText(SelectedProfileName, kSlotUnits, L"NoSuchProfile");
    for (int i = 0; i < 63; ++i)
        PostMessageW(MainWindowHandle, WM_COMMAND, 1078, 0);
    {
        MessageBoxAnswerer ok;
        SendMessageW(MainWindowHandle, WM_COMMAND, 1078, 0);
        PumpMessages();
        EXPECT_EQ(ok.Texts().size(), 1u);
    }
    // A reload with no profile chosen loads the current one again, without a box.
    SelectedProfileName[0] = 0;
    {
        MessageBoxAnswerer ok;
        SendMessageW(MainWindowHandle, WM_COMMAND, 1078, 0);
        EXPECT_TRUE(ok.Texts().empty());
    }
    EXPECT_EQ(std::wstring(CurrentProfileName()), L"Untitled");
    EXPECT_EQ(ProfileLoadInProgress.load(), 0u);
    FeedHost("\r\nstill-running");
    EXPECT_TRUE(PumpUntil([] { return OnScreen("still-running"); }, 5000));
}

TEST(Administrator, TheAccessCheckRunsOnThisSystem)
{
    // Wine's user is an administrator; the check must come through to that answer.
    EXPECT_TRUE(IsAdministrator());
}

}  // namespace
