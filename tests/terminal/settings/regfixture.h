// A clean program key in both roots of the test prefix, and raw registry access that
// seeds and inspects values without going through the layer under test.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "terminal/core/base/corestate.h"
#include "terminal/core/base/win32.h"
#include "terminal/core/base/registry.h"

namespace regtest {

constexpr wchar_t kBase[] = L"Software\\Quorlan\\vexaNT";

inline std::wstring Path(const std::wstring& below)
{
    return below.empty() ? std::wstring(kBase) : std::wstring(kBase) + L"\\" + below;
}

inline void Seed(HKEY root, const std::wstring& below, const wchar_t* name, DWORD type, const void* data,
                 DWORD bytes)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(root, Path(below).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), bytes), ERROR_SUCCESS);
    RegCloseKey(key);
}

inline void SeedDword(HKEY root, const std::wstring& below, const wchar_t* name, DWORD value)
{
    Seed(root, below, name, REG_DWORD, &value, sizeof value);
}

inline void SeedText(HKEY root, const std::wstring& below, const wchar_t* name, const std::wstring& text)
{
    Seed(root, below, name, REG_SZ, text.c_str(), DWORD((text.size() + 1) * 2));
}

inline void SeedKey(HKEY root, const std::wstring& below)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(root, Path(below).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

inline bool KeyExists(HKEY root, const std::wstring& below)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, Path(below).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// The raw value: its type and bytes; type 0 and no bytes when absent.
struct Raw {
    DWORD type = 0;
    std::vector<BYTE> bytes;
    bool present = false;
};

inline Raw Read(HKEY root, const std::wstring& below, const wchar_t* name)
{
    Raw raw;
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, Path(below).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return raw;
    DWORD size = 0;
    if (RegQueryValueExW(key, name, nullptr, &raw.type, nullptr, &size) == ERROR_SUCCESS) {
        raw.bytes.resize(size);
        RegQueryValueExW(key, name, nullptr, &raw.type, raw.bytes.data(), &size);
        raw.present = true;
    }
    RegCloseKey(key);
    return raw;
}

inline DWORD ReadDword(HKEY root, const std::wstring& below, const wchar_t* name)
{
    Raw raw = Read(root, below, name);
    DWORD v = 0xDEADBEEF;
    if (raw.present && raw.type == REG_DWORD && raw.bytes.size() == 4)
        memcpy(&v, raw.bytes.data(), 4);
    return v;
}

inline std::wstring ReadText(HKEY root, const std::wstring& below, const wchar_t* name)
{
    Raw raw = Read(root, below, name);
    if (!raw.present || raw.type != REG_SZ)
        return L"<absent>";
    std::wstring s(reinterpret_cast<const wchar_t*>(raw.bytes.data()), raw.bytes.size() / 2);
    while (!s.empty() && s.back() == 0)
        s.pop_back();
    return s;
}

// The value names of a key, sorted (the registry keeps its own order).
inline std::vector<std::wstring> ValueNames(HKEY root, const std::wstring& below)
{
    std::vector<std::wstring> names;
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, Path(below).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return names;
    for (DWORD i = 0;; ++i) {
        wchar_t name[16384];
        DWORD length = 16384;
        if (RegEnumValueW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.emplace_back(name, length);
    }
    RegCloseKey(key);
    std::sort(names.begin(), names.end());
    return names;
}

inline std::vector<std::wstring> Sorted(std::vector<std::wstring> names)
{
    std::sort(names.begin(), names.end());
    return names;
}

// Splits a double-NUL list.
inline std::vector<std::wstring> SplitList(const wchar_t* list, int capacity)
{
    std::vector<std::wstring> names;
    for (int at = 0; at < capacity && list[at];) {
        std::wstring name(list + at);
        at += int(name.size()) + 1;
        names.push_back(name);
    }
    return names;
}

// Each test starts with no program key in either root, HKEY_LOCAL_MACHINE selected and
// both load flags at their start values.
class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override { Clean(); }
    void TearDown() override { Clean(); }

    static void Clean()
    {
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\Quorlan");
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Quorlan");
        SettingsSelectRoot(0);
        KeepCurrentValues = 0;
        PerUserProfile = 0;
        AdministratorMode = 0;
        OsVersionCode = 32;
    }
};

}  // namespace regtest
