#include "terminal/core/base/registry.h"

#include <cstring>
#include <vector>

#include "terminal/core/base/corestate.h"
#include "terminal/core/base/win32.h"

u32 KeepCurrentValues = 0;
u32 PerUserProfile = 0;
u32 AdministratorMode = 0;

namespace {
HKEY RegistryRoot = HKEY_LOCAL_MACHINE;

constexpr wchar_t kBaseKey[] = L"Software\\Quorlan";
constexpr wchar_t kProgramKey[] = L"vexaNT";
constexpr wchar_t kProfiles[] = L"Profiles";
// Deeper trees than this are not the program's own and are left alone.
constexpr int kMaxTreeDepth = 64;

// Joins the base, the program key and `parts` with backslashes. False (and an empty
// path) when a part is missing or empty or the whole would not fit: a cut path would
// name some other key.
bool BuildPath(wchar_t (&out)[kSettingsPathUnits], std::initializer_list<const wchar_t*> parts)
{
    std::size_t used = 0;
    auto append = [&](const wchar_t* text) {
        if (!text || !*text)
            return false;
        const std::size_t n = std::wcslen(text);
        const std::size_t separator = used ? 1 : 0;
        if (used + separator + n + 1 > kSettingsPathUnits)
            return false;
        if (separator)
            out[used++] = L'\\';
        std::memcpy(out + used, text, n * sizeof(wchar_t));
        used += n;
        out[used] = 0;
        return true;
    };
    out[0] = 0;
    bool ok = append(kBaseKey) && append(kProgramKey);
    for (const wchar_t* part : parts)
        ok = ok && append(part);
    if (!ok)
        out[0] = 0;
    return ok;
}

HKEY OpenPath(const wchar_t* path, u32 access)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(RegistryRoot, path, 0, access, &key) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

HKEY CreatePath(HKEY parent, const wchar_t* path, u32 options)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(parent, path, 0, nullptr, options, kKeyAllAccess, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

HKEY Open(std::initializer_list<const wchar_t*> parts, u32 access)
{
    wchar_t path[kSettingsPathUnits];
    return BuildPath(path, parts) ? OpenPath(path, access) : nullptr;
}

HKEY Create(std::initializer_list<const wchar_t*> parts)
{
    wchar_t path[kSettingsPathUnits];
    return BuildPath(path, parts) ? CreatePath(RegistryRoot, path, kRegNonVolatile) : nullptr;
}

// Runs `work` with `user` selected and puts the previous root back.
template <typename Work>
auto WithRoot(u32 user, Work work)
{
    const HKEY saved = RegistryRoot;
    SettingsSelectRoot(user);
    auto result = work();
    RegistryRoot = saved;
    return result;
}

// Queries a text value into `out` (capacity units). True when a REG_SZ was found; the
// text is then terminated within the capacity, a stored text that fills the whole
// buffer without its terminator losing its last unit.
bool QueryText(HKEY key, const wchar_t* name, wchar_t* out, int capacity)
{
    if (!key || capacity < 1)
        return false;
    DWORD type = 0;
    DWORD size = static_cast<DWORD>(capacity) * sizeof(wchar_t);
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(out), &size) != ERROR_SUCCESS)
        return false;
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return false;
    const std::size_t units = size / sizeof(wchar_t);
    out[units < static_cast<std::size_t>(capacity) ? units : capacity - 1] = 0;
    return true;
}

int CopyDefault(wchar_t* buffer, int capacity, const wchar_t* fallback)
{
    return static_cast<int>(CopyText(buffer, capacity, fallback ? fallback : L""));
}

// Appends `name` to a double-NUL list of `capacity` units, `used` units of it taken
// (names and their terminators). The final list terminator must still fit after it.
bool AppendName(wchar_t* list, int capacity, int& used, const wchar_t* name)
{
    const int n = static_cast<int>(std::wcslen(name));
    if (used + n + 2 > capacity)
        return false;
    std::memcpy(list + used, name, (n + 1) * sizeof(wchar_t));
    used += n + 1;
    list[used] = 0;
    return true;
}

bool ListContains(const wchar_t* list, int used, const wchar_t* name)
{
    for (int at = 0; at < used && list[at];) {
        if (std::wcscmp(list + at, name) == 0)
            return true;
        at += static_cast<int>(std::wcslen(list + at)) + 1;
    }
    return false;
}

// The names of the subkeys of {base}\Profiles under the selected root, in order.
std::vector<std::wstring> ProfileNames()
{
    std::vector<std::wstring> names;
    HKEY key = Open({kProfiles}, kKeyRead);
    if (!key)
        return names;
    for (DWORD index = 0;; ++index) {
        wchar_t name[kRegKeyNameUnits];
        DWORD length = kRegKeyNameUnits;
        const LONG status = RegEnumKeyExW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_MORE_DATA)
            continue;  // cannot happen with a buffer of the registry's own limit
        if (status != ERROR_SUCCESS)
            break;
        names.emplace_back(name, length);
    }
    RegCloseKey(key);
    return names;
}

i32 DeleteTree(HKEY parent, const wchar_t* name, int depth)
{
    if (!parent || !name || !*name)
        return ERROR_INVALID_PARAMETER;
    if (depth > kMaxTreeDepth)
        return ERROR_ACCESS_DENIED;
    HKEY key = nullptr;
    LONG status = RegOpenKeyExW(parent, name, 0, kKeyAllAccess, &key);
    if (status != ERROR_SUCCESS)
        return status;
    DWORD count = 0;
    RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                     nullptr);
    // From the last index down, so deleting one subkey never shifts the ones still due.
    for (DWORD index = count; index-- > 0;) {
        wchar_t child[kRegKeyNameUnits];
        DWORD length = kRegKeyNameUnits;
        if (RegEnumKeyExW(key, index, child, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS)
            DeleteTree(key, child, depth + 1);
    }
    RegCloseKey(key);
    return RegDeleteKeyW(parent, name);
}

int ListValues(HKEY key, DWORD wanted, wchar_t* buffer, int capacity, int* count)
{
    if (buffer && capacity > 0)
        std::memset(buffer, 0, capacity * sizeof(wchar_t));
    int used = 0, listed = 0;
    if (!key)
        return 0;
    for (DWORD index = 0;; ++index) {
        wchar_t name[260];
        DWORD length = 260;
        DWORD type = 0;
        const LONG status = RegEnumValueW(key, index, name, &length, nullptr, &type, nullptr, nullptr);
        if (status == ERROR_MORE_DATA)
            continue;  // a name too long for the list's users: skip it, go on
        if (status != ERROR_SUCCESS)
            break;
        if (type != wanted)
            continue;
        if (count)
            ++listed;
        else if (buffer && AppendName(buffer, capacity, used, name))
            ++listed;
    }
    if (count)
        *count = listed;
    return listed > 0 ? 1 : 0;
}
}  // namespace

u32 SettingsRootIsUser()
{
    return RegistryRoot == HKEY_CURRENT_USER ? 1 : 0;
}

void SettingsSelectRoot(u32 user)
{
    RegistryRoot = user ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

void SelectProfileRoot(const wchar16* profile)
{
    if (OsVersionCode == 16 || OsVersionCode == 0) {
        AdministratorMode = 1;
        PerUserProfile = 0;
    } else {
        PerUserProfile = 1;
        AdministratorMode = 1;  // machine-wide profiles may be edited on every system
        if (WithRoot(0, [&] { return SettingsProfileExists(profile); }))
            PerUserProfile = 0;
        if (WithRoot(1, [&] { return SettingsProfileExists(profile); }))
            PerUserProfile = 1;
    }
    SettingsSelectRoot(PerUserProfile);
}

void SelectSaveRoot()
{
    SettingsSelectRoot(PerUserProfile);
}

// clang-format off
HKEY SettingsOpenBaseKey() { return Open({}, kKeyRead); }
HKEY SettingsCreateBaseKey() { return Create({}); }
HKEY SettingsOpenKey(const wchar16* name, u32 access) { return Open({name}, access); }
HKEY SettingsOpenKeyRead(const wchar16* name) { return Open({name}, kKeyRead); }
HKEY SettingsCreateKey(const wchar16* name) { return Create({name}); }
// clang-format on

HKEY SettingsCreateKeyEx(const wchar16* name, u32 options)
{
    wchar_t path[kSettingsPathUnits];
    if (!BuildPath(path, {name}))
        return nullptr;
    if (!(options & kRegVolatile))
        return CreatePath(RegistryRoot, path, options);
    wchar_t* last = std::wcsrchr(path, L'\\');
    *last = 0;
    HKEY parent = CreatePath(RegistryRoot, path, kRegNonVolatile);
    if (!parent)
        return nullptr;
    HKEY key = CreatePath(parent, last + 1, options);
    RegCloseKey(parent);
    return key;
}

HKEY SettingsOpenSection(const wchar16* profile, const wchar16* section)
{
    return Open({kProfiles, profile, section}, kKeyRead);
}
bool SettingsSectionPath(wchar16 (&out)[kSettingsPathUnits], const wchar16* profile, const wchar16* section,
                         const wchar16* subkey)
{
    if (subkey && *subkey)
        return BuildPath(out, {kProfiles, profile, section, subkey});
    return BuildPath(out, {kProfiles, profile, section});
}
HKEY SettingsCreateSection(const wchar16* profile, const wchar16* section)
{
    return Create({kProfiles, profile, section});
}
HKEY SettingsOpenMacrosKey(const wchar16* profile, const wchar16* kind)
{
    return Open({kProfiles, profile, L"Macros", kind}, kKeyRead);
}
HKEY SettingsCreateMacrosKey(const wchar16* profile, const wchar16* kind)
{
    return Create({kProfiles, profile, L"Macros", kind});
}

HKEY SettingsOpenStartupKey(const wchar16* connection)
{
    if (!connection)
        return nullptr;
    std::wstring name = L"Startup,";
    name += connection;
    return Open({name.c_str()}, kKeyRead);
}

HKEY SettingsOpenHotspotKey(const wchar16* profile, const wchar16* name)
{
    return Open({profile, L"Hotspot", name}, kKeyRead);
}
// clang-format off
HKEY SettingsOpenMouseActions(const wchar16* profile) { return Open({profile, L"Mouse Actions"}, kKeyRead); }
HKEY SettingsCreateMouseActions(const wchar16* profile) { return Create({profile, L"Mouse Actions"}); }
// clang-format on

HKEY SettingsOpenSubkey(HKEY parent, const wchar16* name)
{
    HKEY key = nullptr;
    if (!parent || !name || RegOpenKeyExW(parent, name, 0, kKeyRead, &key) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

HKEY SettingsCreateSubkey(HKEY parent, const wchar16* name)
{
    return parent && name && *name ? CreatePath(parent, name, kRegNonVolatile) : nullptr;
}

i32 SettingsCloseKey(HKEY key)
{
    if (!key)
        return ERROR_INVALID_HANDLE;
    RegFlushKey(key);
    return RegCloseKey(key);
}

int SettingsKeyExists(const wchar16* path)
{
    HKEY key = nullptr;
    if (!path || RegOpenKeyExW(RegistryRoot, path, 0, kKeyRead, &key) != ERROR_SUCCESS)
        return 0;
    RegCloseKey(key);
    return 1;
}

int SettingsProfileExists(const wchar16* profile)
{
    HKEY key = Open({kProfiles, profile}, kKeyRead);
    if (!key)
        return 0;
    RegCloseKey(key);
    return 1;
}

int SettingsProfileExistsAnyRoot(const wchar16* profile)
{
    return WithRoot(0, [&] { return SettingsProfileExists(profile); }) ||
                   WithRoot(1, [&] { return SettingsProfileExists(profile); })
               ? 1
               : 0;
}

int SettingsCreateProfile(const wchar16* profile)
{
    HKEY key = Create({kProfiles, profile});
    if (!key)
        return 0;
    SettingsCloseKey(key);
    return 1;
}

int SettingsDeleteProfile(const wchar16* profile)
{
    HKEY parent = profile ? Open({kProfiles}, kKeyAllAccess) : Open({}, kKeyAllAccess);
    if (!parent)
        return 0;
    DeleteTree(parent, profile ? profile : kProfiles, 0);
    SettingsCloseKey(parent);
    return 1;
}

int SettingsDeleteSectionSubkey(const wchar16* profile, const wchar16* section, const wchar16* subkey)
{
    HKEY key = Open({kProfiles, profile, section}, kKeyAllAccess);
    if (!key)
        return 0;
    const LONG status = subkey && *subkey ? RegDeleteKeyW(key, subkey) : ERROR_INVALID_PARAMETER;
    SettingsCloseKey(key);
    return status == ERROR_SUCCESS ? 1 : 0;
}

i32 SettingsDeleteKeyTree(HKEY parent, const wchar16* name)
{
    return DeleteTree(parent, name, 0);
}

i32 SettingsDeleteMouseActions(const wchar16* profile)
{
    HKEY key = Open({profile}, kKeyAllAccess);
    if (!key)
        return ERROR_FILE_NOT_FOUND;
    const LONG status = RegDeleteKeyW(key, L"Mouse Actions");
    SettingsCloseKey(key);
    return status;
}

int SettingsListProfiles(wchar16* buffer, int capacity)
{
    if (!buffer || capacity < 1)
        return 0;
    std::memset(buffer, 0, capacity * sizeof(wchar_t));
    int used = 0, listed = 0;
    for (const std::wstring& name : WithRoot(0, ProfileNames))
        if (AppendName(buffer, capacity, used, name.c_str()))
            ++listed;
    if (OsVersionCode == 16 || OsVersionCode == 0)
        return listed > 0 ? 1 : 0;
    // A per-user name joins only when the machine-wide part lacks it (exact case).
    const int machineUnits = used;
    for (const std::wstring& name : WithRoot(1, ProfileNames))
        if (!ListContains(buffer, machineUnits, name.c_str()) && AppendName(buffer, capacity, used, name.c_str()))
            ++listed;
    return listed > 0 ? 1 : 0;
}

int SettingsCountDwordValues(HKEY key)
{
    int count = 0;
    ListValues(key, REG_DWORD, nullptr, 0, &count);
    return count;
}

int SettingsListDwordValues(HKEY key, wchar16* buffer, int capacity)
{
    return ListValues(key, REG_DWORD, buffer, capacity, nullptr);
}

int SettingsListStringValues(HKEY key, wchar16* buffer, int capacity)
{
    return ListValues(key, REG_SZ, buffer, capacity, nullptr);
}

u32 SettingsReadDword(HKEY key, const wchar16* name, u32 current, u32 factory)
{
    if (key) {
        DWORD value = 0, type = 0, size = sizeof value;
        if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) == ERROR_SUCCESS &&
            type == REG_DWORD && size == sizeof value)
            return value;
    }
    return KeepCurrentValues == 1 ? current : factory;
}

int SettingsReadString(HKEY key, const wchar16* name, const wchar16* fallback, wchar16* buffer, int capacity)
{
    if (!buffer || capacity < 1)
        return 0;
    HKEY opened = nullptr;
    if (!key) {
        opened = SettingsOpenBaseKey();
        if (!opened)
            return 0;
        key = opened;
    }
    // The query goes to a scratch buffer so that a failed one cannot disturb the
    // current text that the user pass keeps.
    std::vector<wchar_t> text(capacity);
    const bool found = QueryText(key, name, text.data(), capacity);
    if (opened)
        RegCloseKey(opened);
    if (found) {
        std::memcpy(buffer, text.data(), capacity * sizeof(wchar_t));
        if (const int length = static_cast<int>(TextLength(buffer)))
            return length;
    }
    if (KeepCurrentValues == 1) {
        buffer[capacity - 1] = 0;
        return 0;
    }
    return CopyDefault(buffer, capacity, fallback);
}

int SettingsReadStringDefault(HKEY key, const wchar16* name, const wchar16* fallback, wchar16* buffer,
                              int capacity)
{
    if (!buffer || capacity < 1)
        return 0;
    HKEY opened = key ? nullptr : SettingsOpenBaseKey();
    const bool found = QueryText(key ? key : opened, name, buffer, capacity);
    if (opened)
        RegCloseKey(opened);
    if (found)
        return static_cast<int>(TextLength(buffer)) + 1;
    return CopyDefault(buffer, capacity, fallback);
}

int SettingsReadBinaryBytes(HKEY key, const wchar16* name, void* buffer, int bytes)
{
    if (!buffer || bytes < 1)
        return 0;
    std::memset(buffer, 0, bytes);
    if (!key)
        return 0;
    DWORD type = 0, size = static_cast<DWORD>(bytes);
    if (RegQueryValueExW(key, name, nullptr, &type, static_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS ||
        type != REG_BINARY) {
        std::memset(buffer, 0, bytes);  // a failed query may have left a part behind
        return 0;
    }
    return static_cast<int>(size);
}

int SettingsReadBinary(HKEY key, const wchar16* name, u16* buffer, int count)
{
    if (count < 1)
        return 0;
    return SettingsReadBinaryBytes(key, name, buffer, count * 2) / 2;
}

int SettingsReadWorkDir(wchar16* buffer, int capacity)
{
    return WithRoot(0, [&] { return SettingsReadStringDefault(nullptr, L"WorkDir", L"", buffer, capacity); });
}

namespace {
// Runs a write on `key`, or on {base} opened with full access and flushed after.
template <typename Write>
i32 WriteTo(HKEY key, Write write)
{
    if (key)
        return write(key);
    HKEY base = Open({}, kKeyAllAccess);
    if (!base)
        return ERROR_FILE_NOT_FOUND;
    const i32 status = write(base);
    SettingsCloseKey(base);
    return status;
}
}  // namespace

i32 SettingsStoreString(HKEY key, const wchar16* name, const wchar16* text)
{
    if (!text)
        text = L"";
    const DWORD bytes = static_cast<DWORD>((std::wcslen(text) + 1) * sizeof(wchar_t));
    return WriteTo(key, [&](HKEY k) {
        return static_cast<i32>(RegSetValueExW(k, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), bytes));
    });
}

i32 SettingsWriteString(HKEY key, const wchar16* name, const wchar16* text)
{
    return SettingsStoreString(key, name, text);
}

i32 SettingsWriteStringOrDelete(HKEY key, const wchar16* name, const wchar16* text)
{
    if (!text || !*text)
        return SettingsDeleteValue(key, name);
    return SettingsWriteString(key, name, text);
}

i32 SettingsWriteBinaryBytes(HKEY key, const wchar16* name, const void* data, int bytes)
{
    if (!key || bytes < 0 || (!data && bytes))
        return ERROR_INVALID_PARAMETER;
    return RegSetValueExW(key, name, 0, REG_BINARY, static_cast<const BYTE*>(data), static_cast<DWORD>(bytes));
}

void SettingsWriteBinary(HKEY key, const wchar16* name, const u16* data, int count)
{
    // 16-bit units go out low byte first, as the registry form defines them.
    std::vector<BYTE> bytes(count > 0 ? count * 2 : 0);
    for (int i = 0; i < count; ++i) {
        bytes[2 * i] = static_cast<BYTE>(data[i]);
        bytes[2 * i + 1] = static_cast<BYTE>(data[i] >> 8);
    }
    SettingsWriteBinaryBytes(key, name, bytes.data(), static_cast<int>(bytes.size()));
}

i32 SettingsWriteDword(HKEY key, const wchar16* name, u32 value)
{
    if (!key)
        return ERROR_INVALID_HANDLE;
    const DWORD v = value;
    return RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), sizeof v);
}

i32 SettingsWriteDwordOrDelete(HKEY key, const wchar16* name, u32 value, u32 fallback)
{
    if (value == fallback)
        return SettingsDeleteValue(key, name);
    return SettingsWriteDword(key, name, value);
}

i32 SettingsDeleteValue(HKEY key, const wchar16* name)
{
    return WriteTo(key, [&](HKEY k) { return static_cast<i32>(RegDeleteValueW(k, name)); });
}
