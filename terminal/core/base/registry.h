// The registry layer: every persistent setting goes through these openers, readers and
// writers. The layer shows no messages; a failure is a missing key (no handle), a zero
// result or a registry status, and each caller decides what it means.
//
// Paths are built under one process-wide root (HKEY_LOCAL_MACHINE at start) and the
// program key {base} = Software\Quorlan\vexaNT:
//   {base}\Profiles\{profile}\{section}             values of one profile section
//   {base}\Profiles\{profile}\Macros\{kind}         key definitions
//   {base}\Startup,{connection}                     start-up options of a connection
//   {base}\{profile}\Hotspot\{name}, \Mouse Actions, \Session {n} (volatile)
#pragma once

#include "terminal/core/base/vxtypes.h"

// The same handle type <windows.h> declares, so platform callers pass theirs through.
struct HKEY__;
typedef HKEY__* HKEY;

// Registry value types and the two creation options the program uses.
constexpr u32 kRegSz = 1;
constexpr u32 kRegBinary = 3;
constexpr u32 kRegDword = 4;
constexpr u32 kRegNonVolatile = 0;
constexpr u32 kRegVolatile = 1;

// Access masks: read for openers that only read, full access for writers.
constexpr u32 kKeyRead = 0x20019;
constexpr u32 kKeyAllAccess = 0xF003F;

// Longest key path the layer builds, terminator included. A path that would not fit
// yields no handle instead of being cut into another key's name.
constexpr int kSettingsPathUnits = 520;
// Longest key name the registry allows, plus the terminator.
constexpr int kRegKeyNameUnits = 256;

// 0 while HKEY_LOCAL_MACHINE is selected, 1 for HKEY_CURRENT_USER.
u32 SettingsRootIsUser();
// 0 selects HKEY_LOCAL_MACHINE, any other value HKEY_CURRENT_USER.
void SettingsSelectRoot(u32 user);

// The absent-value rule of every reader: 1 keeps the caller's current value, 0 gives
// the factory default. Set by the two load passes (machine 0, then user 1).
extern u32 KeepCurrentValues;
// Where the current profile lives (1 per-user, 0 machine-wide) and whether
// machine-wide profiles are edited here.
extern u32 PerUserProfile;
extern u32 AdministratorMode;

// Decides PerUserProfile and AdministratorMode for a profile and selects its root: a
// per-user copy wins over a machine-wide one, and a profile in neither root is
// per-user. Windows 9x (and an unknown platform) keeps everything machine-wide.
void SelectProfileRoot(const wchar16* profile);
// Selects the root saves go to: HKEY_CURRENT_USER when the profile is per-user.
void SelectSaveRoot();

// Key openers: an open handle or nullptr. The caller closes it (SettingsCloseKey).
HKEY SettingsOpenBaseKey();
HKEY SettingsCreateBaseKey();
HKEY SettingsOpenKey(const wchar16* name, u32 access);
HKEY SettingsOpenKeyRead(const wchar16* name);
HKEY SettingsCreateKey(const wchar16* name);
// Creates {base}\{name}. With kRegVolatile only the last component of `name` is
// created volatile: a volatile parent would refuse every non-volatile child (the
// profile key holds both the session slots and the persistent mouse actions).
HKEY SettingsCreateKeyEx(const wchar16* name, u32 options);
HKEY SettingsOpenSection(const wchar16* profile, const wchar16* section);
HKEY SettingsCreateSection(const wchar16* profile, const wchar16* section);
HKEY SettingsOpenMacrosKey(const wchar16* profile, const wchar16* kind);
HKEY SettingsCreateMacrosKey(const wchar16* profile, const wchar16* kind);
HKEY SettingsOpenStartupKey(const wchar16* connection);
HKEY SettingsOpenHotspotKey(const wchar16* profile, const wchar16* name);
HKEY SettingsOpenMouseActions(const wchar16* profile);
HKEY SettingsCreateMouseActions(const wchar16* profile);
HKEY SettingsOpenSubkey(HKEY parent, const wchar16* name);
// The path of {base}\Profiles\{profile}\{section}, or of its `subkey` when one is given,
// for readers that open it in a root of their own and so never move the selected root.
// False (and an empty path) when it would not fit.
bool SettingsSectionPath(wchar16 (&out)[kSettingsPathUnits], const wchar16* profile, const wchar16* section,
                         const wchar16* subkey = nullptr);
HKEY SettingsCreateSubkey(HKEY parent, const wchar16* name);

// Flushes a key (after writes) and closes it; nullptr is ignored.
i32 SettingsCloseKey(HKEY key);

// 1 when `path`, relative to the selected root, opens for reading.
int SettingsKeyExists(const wchar16* path);
int SettingsProfileExists(const wchar16* profile);
// Looks in both roots; the selected root is unchanged afterwards.
int SettingsProfileExistsAnyRoot(const wchar16* profile);
int SettingsCreateProfile(const wchar16* profile);
// Deletes {base}\Profiles\{profile} with all its sections, or every profile when
// `profile` is nullptr. 1 when the parent key could be opened.
int SettingsDeleteProfile(const wchar16* profile);
int SettingsDeleteSectionSubkey(const wchar16* profile, const wchar16* section, const wchar16* subkey);
// Deletes `name` under `parent` with all its subkeys and values; the registry status.
i32 SettingsDeleteKeyTree(HKEY parent, const wchar16* name);
i32 SettingsDeleteMouseActions(const wchar16* profile);

// The profile names of both roots as a double-NUL list (machine-wide names first, a
// per-user name only when the machine part lacks it). A name that does not fit is
// skipped. 1 when any name was listed.
int SettingsListProfiles(wchar16* buffer, int capacity);
int SettingsCountDwordValues(HKEY key);
// The names of the key's REG_DWORD (REG_SZ) values as a double-NUL list.
int SettingsListDwordValues(HKEY key, wchar16* buffer, int capacity);
int SettingsListStringValues(HKEY key, wchar16* buffer, int capacity);

// A stored REG_DWORD of 4 bytes, else (absent, another type or size, no key) `current`
// when KeepCurrentValues is 1 and `factory` otherwise.
u32 SettingsReadDword(HKEY key, const wchar16* name, u32 current, u32 factory);
// Reads a REG_SZ into `buffer` (capacity in units; the result is always terminated
// within it) and returns the length now in the buffer. With no key, {base} is read. A
// missing, unusable or empty value: under KeepCurrentValues 1 returns 0 and keeps the
// buffer (empty when an empty text is stored); under 0 copies the default ("" when
// none) and returns its length.
int SettingsReadString(HKEY key, const wchar16* name, const wchar16* fallback, wchar16* buffer, int capacity);
// As SettingsReadString without KeepCurrentValues: the units stored, terminator
// included, or the default's length when absent.
int SettingsReadStringDefault(HKEY key, const wchar16* name, const wchar16* fallback, wchar16* buffer,
                              int capacity);
// Reads a REG_BINARY of at most `count` 16-bit units into the zeroed buffer; the units
// read, 0 when absent or longer than the buffer.
int SettingsReadBinary(HKEY key, const wchar16* name, u16* buffer, int count);
int SettingsReadBinaryBytes(HKEY key, const wchar16* name, void* buffer, int bytes);
// "WorkDir" of HKEY_LOCAL_MACHINE {base}; the selected root is unchanged afterwards.
int SettingsReadWorkDir(wchar16* buffer, int capacity);

// Writers return 0 on success, else the registry status. With no key, {base} is
// opened, written, flushed and closed.
i32 SettingsWriteString(HKEY key, const wchar16* name, const wchar16* text);
i32 SettingsStoreString(HKEY key, const wchar16* name, const wchar16* text);
// Deletes the value instead of writing an empty text.
i32 SettingsWriteStringOrDelete(HKEY key, const wchar16* name, const wchar16* text);
void SettingsWriteBinary(HKEY key, const wchar16* name, const u16* data, int count);
i32 SettingsWriteBinaryBytes(HKEY key, const wchar16* name, const void* data, int bytes);
i32 SettingsWriteDword(HKEY key, const wchar16* name, u32 value);
// Deletes the value when it equals its default.
i32 SettingsWriteDwordOrDelete(HKEY key, const wchar16* name, u32 value, u32 fallback);
i32 SettingsDeleteValue(HKEY key, const wchar16* name);
