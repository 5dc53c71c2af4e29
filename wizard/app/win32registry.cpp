#include "wizard/app/win32registry.h"

#include <windows.h>

namespace {

HKEY RootKey(RegRoot root)
{
    return root == RegRoot::User ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

// An open key that closes itself.
struct Key {
    HKEY handle = nullptr;
    Key(RegRoot root, const WText& path, bool create)
    {
        if (path.empty())
            return;
        if (create) {
            if (RegCreateKeyExW(RootKey(root), path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle,
                                nullptr) != ERROR_SUCCESS)
                handle = nullptr;
        } else if (RegOpenKeyExW(RootKey(root), path.c_str(), 0, KEY_ALL_ACCESS, &handle) != ERROR_SUCCESS &&
                   RegOpenKeyExW(RootKey(root), path.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) {
            handle = nullptr;
        }
    }
    ~Key()
    {
        if (handle)
            RegCloseKey(handle);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
};

// The parent path and the last name of a key path.
bool SplitPath(const WText& path, WText& parent, WText& leaf)
{
    const std::size_t at = path.rfind('\\');
    if (at == WText::npos || at + 1 >= path.size())
        return false;
    parent = path.substr(0, at);
    leaf = path.substr(at + 1);
    return true;
}

}  // namespace

bool Win32Registry::KeyExists(RegRoot root, const WText& path)
{
    return Key(root, path, false).handle != nullptr;
}

bool Win32Registry::CreateKey(RegRoot root, const WText& path)
{
    return Key(root, path, true).handle != nullptr;
}

bool Win32Registry::SetString(RegRoot root, const WText& path, const WText& name, const WText& text)
{
    Key key(root, path, true);
    return key.handle &&
           RegSetValueExW(key.handle, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool Win32Registry::SetDword(RegRoot root, const WText& path, const WText& name, u32 value)
{
    Key key(root, path, true);
    const DWORD v = value;
    return key.handle && RegSetValueExW(key.handle, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v),
                                        sizeof v) == ERROR_SUCCESS;
}

bool Win32Registry::ReadString(RegRoot root, const WText& path, const WText& name, WText& text)
{
    Key key(root, path, false);
    DWORD type = 0, size = 0;
    if (!key.handle ||
        RegQueryValueExW(key.handle, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return false;
    std::wstring buffer(size / sizeof(wchar_t) + 1, L'\0');
    size = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    if (RegQueryValueExW(key.handle, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                         &size) != ERROR_SUCCESS)
        return false;
    // The stored text may or may not carry its terminator; it ends at the first one.
    buffer.resize(size / sizeof(wchar_t));
    text.assign(buffer.c_str());
    return true;
}

bool Win32Registry::ReadDword(RegRoot root, const WText& path, const WText& name, u32& value)
{
    Key key(root, path, false);
    DWORD type = 0, v = 0, size = sizeof v;
    if (!key.handle ||
        RegQueryValueExW(key.handle, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&v), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD)
        return false;
    value = v;
    return true;
}

bool Win32Registry::DeleteValue(RegRoot root, const WText& path, const WText& name)
{
    Key key(root, path, false);
    return key.handle && RegDeleteValueW(key.handle, name.c_str()) == ERROR_SUCCESS;
}

bool Win32Registry::DeleteTree(RegRoot root, const WText& path)
{
    WText parent, leaf;
    if (!SplitPath(path, parent, leaf))
        return false;
    Key key(root, parent, false);
    return key.handle && RegDeleteTreeW(key.handle, leaf.c_str()) == ERROR_SUCCESS;
}

bool Win32Registry::DeleteKey(RegRoot root, const WText& path)
{
    WText parent, leaf;
    if (!SplitPath(path, parent, leaf))
        return false;
    Key key(root, parent, false);
    return key.handle && RegDeleteKeyW(key.handle, leaf.c_str()) == ERROR_SUCCESS;
}

std::vector<WText> Win32Registry::Subkeys(RegRoot root, const WText& path)
{
    std::vector<WText> names;
    Key key(root, path, false);
    if (!key.handle)
        return names;
    wchar_t name[256];
    for (DWORD i = 0;; ++i) {
        DWORD units = 256;
        if (RegEnumKeyExW(key.handle, i, name, &units, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.emplace_back(name, units);
    }
    return names;
}

std::vector<WText> Win32Registry::ValueNames(RegRoot root, const WText& path)
{
    std::vector<WText> names;
    Key key(root, path, false);
    if (!key.handle)
        return names;
    // Value names may be up to 16383 characters.
    std::wstring name(16384, L'\0');
    for (DWORD i = 0;; ++i) {
        DWORD units = static_cast<DWORD>(name.size());
        if (RegEnumValueW(key.handle, i, name.data(), &units, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.emplace_back(name.c_str(), units);
    }
    return names;
}

bool Win32Registry::CopyTree(RegRoot root, const WText& from, const WText& to)
{
    Key source(root, from, false);
    Key target(root, to, true);
    return source.handle && target.handle && RegCopyTreeW(source.handle, nullptr, target.handle) == ERROR_SUCCESS;
}

void Win32Registry::Flush(RegRoot root, const WText& path)
{
    Key key(root, path, false);
    if (key.handle)
        RegFlushKey(key.handle);
}
