// Running instances registered per profile, the profile chosen at start, and the
// handlers of the Open Session and Save Session As pages.
#pragma once

#include "terminal/core/base/corestate.h"
#include "terminal/core/base/win32.h"

// The profile picked in the Open Session list or typed in Save Session As (133 units).
// The profile in use is CurrentProfileName() (profile.h).
extern wchar16 SelectedProfileName[kSlotUnits];

// Chooses the profile the program runs with: the "Session" value of the program key,
// machine-wide then per-user ("Untitled" when neither names one), unless the command
// line chose a profile or a host. Decides the profile's registry root. Without "+cs" it
// also clears the instance slots of the profile.
void InitProfileSelection();
// The Save command: saves the current profile (a profile without a name goes to Save
// Session As instead).
void SaveCurrentSession();

// Session slots: instances of one profile each serve one of its hosts netname1-4
// (unless those are a rollover list). A slot is the volatile key
// {base}\{profile}\Session {n} holding the owner's window and host.
void RegisterSessionSlots();
// Frees the slots Session 1-4 of the profile and "NumSessions" (without "+cs").
void ReleaseSessionSlots();
void CloseAllSessions();
// 0-based index of this window's slot; the slot count when it has none; 0 with rollover.
int FindOwnSessionSlot();
int SessionSlotCount();
// Forward: a free slot starts a further instance with this command line and " +cs"
// (while "NumSessions" is below the slot count); otherwise, and backward, the next
// instance's window comes to the front.
void SwitchToNextSession();
void SwitchToPreviousSession();
// Posts WM_CLOSE to the main window (a family's window keys ask for it).
void CloseMainWindow();
// How a further instance is started; a test can watch the command line instead.
extern BOOL(WINAPI* StartInstanceProcess)(LPCWSTR, LPWSTR, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES, BOOL,
                                          DWORD, LPVOID, LPCWSTR, LPSTARTUPINFOW, LPPROCESS_INFORMATION);

// The start-up option reader's step: makes sure a default profile exists, reads the
// start-up dialog setting ("Dialog" of {base}\Startup) and the thin client's menu
// security mask into StartupOptions. 0 when the default profile cannot be created.
int ReadStartupSettings();
// Creates {base}\Startup and writes "Dialog".
void WriteStartupDialog(u32 value);

// Closes the session: clears the screen when the "clearscreenonclose" option asks for
// it, stops a running login script, closes the socket or the serial port, and refreshes
// the title and the menus.
void DisconnectSession();

// Administrators edit machine-wide profiles; the test runs an access check against
// BUILTIN\Administrators. A test may replace it.
bool IsAdministrator();
extern bool (*AdministratorCheck)();
int MayEditMachineProfiles();

// Open Session page (list view 2410, "&Delete" 1132, "&Save As Default" 2450).
constexpr int kCtlProfileList = 2410, kCtlDeleteProfile = 1132, kCtlSaveAsDefault = 2450;
// Set by "Save As Default": the next profile load writes "Session" with the selection.
extern u32 SaveAsDefaultPending;
// Set by OK of the Open Session page: the Setup dialog applies and then reloads.
extern u32 SessionsApplyRequested, SessionsReloadRequested;
void FillProfileList(HWND page, bool firstFill);
// A click on a row of the list.
void SelectProfileRow(HWND page, int row);
void SetDefaultProfile(HWND page);
void SessionsPageOk();
void DeleteSelectedProfile(HWND page);
// Deletes the profile in both roots (machine-wide only for administrators); a deleted
// default forgets the "Session" value. The selected root is kept.
int DeleteProfileEverywhere(const wchar16* name);

// Save Session As page (name field 2390).
constexpr int kCtlProfileName = 2390;
void SaveAsNameChanged(HWND page);
// A name that would make a nested key or collide with a key of the program key.
bool ProfileNameAllowed(const wchar16* name);
// Refuses an empty or unusable name and asks before overwriting; true to go on.
bool ConfirmProfileName(HWND owner, const wchar16* name);
// OK of Save Session As: saves the running settings under SelectedProfileName in the
// chosen root (1 per user). 1 when saved. `confirm` false: the name was confirmed.
int SaveProfileAs(HWND owner, u32 perUser, bool confirm = true);
