#include "terminal/core/session/username.h"

#include "terminal/core/base/corestate.h"

namespace {

// USER_INFO_2 as far as the full name, laid out for this build's pointer size.
struct UserInfo2 {
    wchar16* name;
    wchar16* password;
    DWORD passwordAge;
    DWORD privilege;
    wchar16* homeDirectory;
    wchar16* comment;
    DWORD flags;
    wchar16* scriptPath;
    DWORD authorisationFlags;
    wchar16* fullName;
};
using NetUserGetInfoCall = DWORD(WINAPI*)(const wchar16* server, const wchar16* user, DWORD level, BYTE** buffer);
using NetApiBufferFreeCall = DWORD(WINAPI*)(void* buffer);

template <typename T>
T Entry(HMODULE module, const char* name)
{
    return reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

bool FullName(const wchar16* user, wchar16* name, int capacity)
{
    HMODULE module = LoadLibraryW(L"NetAPI32.DLL");
    if (!module)
        return false;
    bool found = false;
    auto getInfo = Entry<NetUserGetInfoCall>(module, "NetUserGetInfo");
    auto freeBuffer = Entry<NetApiBufferFreeCall>(module, "NetApiBufferFree");
    BYTE* buffer = nullptr;
    if (getInfo && getInfo(nullptr, user, 2, &buffer) == 0 && buffer) {
        const auto* info = reinterpret_cast<const UserInfo2*>(buffer);
        if (info->fullName && info->fullName[0]) {
            CopyText(name, static_cast<std::size_t>(capacity), info->fullName);
            found = true;
        }
    }
    if (buffer && freeBuffer)
        freeBuffer(buffer);
    FreeLibrary(module);
    return found;
}

}  // namespace

int CurrentUserName(wchar16* name, int capacity)
{
    if (!name || capacity < 1)
        return 0;
    name[0] = 0;
    wchar16 user[257] = {};
    const DWORD n = GetEnvironmentVariableW(L"USERNAME", user, 257);
    if (n >= 257)
        user[0] = 0;  // longer than any account name: not one
    if (OsVersionCode != 16 && user[0] && FullName(user, name, capacity))
        return static_cast<int>(TextLength(name));
    // The variable itself, cut to what the caller holds.
    wchar16 whole[1024] = {};
    const DWORD length = GetEnvironmentVariableW(L"USERNAME", whole, 1024);
    if (length > 0 && length < 1024)
        CopyText(name, static_cast<std::size_t>(capacity), whole);
    return static_cast<int>(TextLength(name));
}
