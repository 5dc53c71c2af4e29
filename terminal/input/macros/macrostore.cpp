#include "terminal/input/macros/macrostore.h"

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "terminal/core/base/win32.h"
#include "terminal/input/macros/keydefs.h"
#include "terminal/settings/store/profile.h"
#include "terminal/settings/store/profilevalues.h"
#include "terminal/core/base/registry.h"

namespace {
constexpr const wchar_t* kKindKeys[4] = {L"key", L"ZARA", L"SBUTT", L"MOUSE"};
constexpr int kLabelUnits = 20;

std::wstring ValueName(const KeyDefinition& d)
{
    wchar_t name[32];
    if (d.Kind() == kKeyMacro)
        std::swprintf(name, 32, L"%X,%u", d.keyCode, d.ShiftState());
    else
        std::swprintf(name, 32, L"%x", d.keyCode);
    return name;
}

std::wstring LabelName(u32 keyCode)
{
    wchar_t name[32];
    std::swprintf(name, 32, L"Lab%X", keyCode);
    return name;
}

// Parses a value name in full: "%X,%u" for keyboard macros, "%X" for the others.
bool ParseName(const wchar_t* name, u32 kind, u32& keyCode, u32& shift)
{
    wchar_t* end = nullptr;
    const unsigned long code = std::wcstoul(name, &end, 16);
    if (end == name)
        return false;
    keyCode = static_cast<u32>(code);
    shift = 0;
    if (kind != kKeyMacro)
        return *end == 0;
    if (*end != L',' || !end[1])
        return false;
    const wchar_t* digits = end + 1;
    shift = static_cast<u32>(std::wcstoul(digits, &end, 10));
    return end != digits && *end == 0;
}

void LoadKind(u32 kind)
{
    HKEY key = SettingsOpenMacrosKey(CurrentProfileName(), kKindKeys[kind]);
    if (!key)
        return;
    // Buffers as large as the key's largest name and value, so that one long
    // definition cannot end the reading of the ones after it.
    DWORD maxName = 0, maxData = 0;
    RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &maxName, &maxData,
                     nullptr, nullptr);
    std::vector<wchar_t> name(maxName + 1);
    std::vector<BYTE> data(maxData + 2);
    for (DWORD index = 0;; ++index) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD size = static_cast<DWORD>(data.size());
        DWORD type = 0;
        const LONG status = RegEnumValueW(key, index, name.data(), &nameLength, nullptr, &type, data.data(),
                                          &size);
        if (status == ERROR_MORE_DATA)
            continue;  // grew since the key was measured: skip it
        if (status != ERROR_SUCCESS)
            break;
        if (type != REG_BINARY || (kind == kSoftButton && std::wcsstr(name.data(), L"Lab")))
            continue;
        u32 keyCode = 0, shift = 0;
        if (!ParseName(name.data(), kind, keyCode, shift))
            continue;
        // Send type, length, then exactly that many units; anything else is not a
        // definition. The length is believed only as far as the value reaches.
        if (size < 4)
            continue;
        const u16* units = reinterpret_cast<const u16*>(data.data());
        const u32 length = units[1];
        if (4 + 2 * static_cast<std::size_t>(length) > size)
            continue;
        wchar16 label[kLabelUnits] = L"";
        const wchar16* labelText = nullptr;
        if (kind == kSoftButton) {
            const u32 keep = KeepCurrentValues;
            KeepCurrentValues = 0;
            if (SettingsReadString(key, LabelName(keyCode).c_str(), L"", label, kLabelUnits) > 0)
                labelText = label;
            KeepCurrentValues = keep;
        }
        KeyDefinitionsLock locked;
        if (KeyDefinition* old = FindKeyDefinition(keyCode, kind, static_cast<i32>(shift)))
            DeleteKeyDefinition(old);
        AddKeyDefinition(keyCode, units[0], kind, shift, length, reinterpret_cast<const wchar16*>(units + 2),
                         labelText);
    }
    SettingsCloseKey(key);
}
}  // namespace

void SaveMacros()
{
    bool cleared[4] = {};
    KeyDefinitionsLock locked;
    for (const KeyDefinition* d = KeyDefinitions; d; d = d->next) {
        const u32 kind = d->Kind();
        // The stored length is 16 bits wide: a longer text has no registry form.
        if (kind > kMouseMacro || d->length > 0xFFFF)
            continue;
        if (!cleared[kind]) {
            // Each kind is written as a whole.
            SettingsDeleteSectionSubkey(CurrentProfileName(), L"MACROS", kKindKeys[kind]);
            cleared[kind] = true;
        }
        HKEY key = SettingsCreateMacrosKey(CurrentProfileName(), kKindKeys[kind]);
        if (!key)
            continue;
        // A host's text is literal; the stored form is a macro string, which it keeps
        // only in its doubled form.
        std::u16string hostText;
        const wchar16* text = d->text;
        u32 length = d->length;
        if (d->origin == TextOrigin::Host) {
            hostText = AsMacroString(d->text, d->length);
            text = reinterpret_cast<const wchar16*>(hostText.data());
            length = static_cast<u32>(hostText.size());
            if (length > 0xFFFF)
                continue;
        }
        std::vector<u16> value(2 + length);
        value[0] = static_cast<u16>(d->SendType());
        value[1] = static_cast<u16>(length);
        for (u32 i = 0; i < length; ++i)
            value[2 + i] = static_cast<u16>(text[i]);
        SettingsWriteBinary(key, ValueName(*d).c_str(), value.data(), static_cast<int>(value.size()));
        if (kind == kSoftButton && d->label && d->label[0])
            SettingsWriteString(key, LabelName(d->keyCode).c_str(), d->label);
        SettingsCloseKey(key);
    }
}

void LoadMacros()
{
    if (KeepCurrentValues == 0) {
        if (SavedItems.savemacros)
            DeleteKeyMacros();
        if (SavedItems.savebuttons)
            DeleteSoftButtonDefinitions();
    }
    for (u32 kind = kKeyMacro; kind <= kMouseMacro; ++kind)
        LoadKind(kind);
}
