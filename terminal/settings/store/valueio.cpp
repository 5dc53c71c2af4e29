#include "terminal/settings/store/valueio.h"

#include <string>

u8 LoadByte(HKEY key, const wchar16* name, u8 current, u8 factory)
{
    return static_cast<u8>(SettingsReadDword(key, name, SignExtendByte(current), SignExtendByte(factory)));
}

void SaveByte(HKEY key, const wchar16* name, u8 value, u8 factory)
{
    if (value != factory)
        SettingsWriteDword(key, name, SignExtendByte(value));
}

void LoadValue(HKEY key, const ProfileValue& v)
{
    switch (v.kind) {
    case ValueKind::Byte: {
        u8& field = *static_cast<u8*>(v.field);
        field = LoadByte(key, v.name, field, static_cast<u8>(v.factory));
        break;
    }
    case ValueKind::Dword: {
        u32& field = *static_cast<u32*>(v.field);
        field = SettingsReadDword(key, v.name, field, static_cast<u32>(v.factory));
        break;
    }
    case ValueKind::Text:
        SettingsReadString(key, v.name, VXT(""), static_cast<wchar16*>(v.field), v.capacity);
        break;
    }
}

void SaveValue(HKEY key, const ProfileValue& v)
{
    switch (v.kind) {
    case ValueKind::Byte:
        SaveByte(key, v.name, *static_cast<const u8*>(v.field), static_cast<u8>(v.factory));
        break;
    case ValueKind::Dword:
        if (*static_cast<const u32*>(v.field) != static_cast<u32>(v.factory))
            SettingsWriteDword(key, v.name, *static_cast<const u32*>(v.field));
        break;
    case ValueKind::Text: {
        // Bounded by the field, whether or not it holds its terminator.
        const wchar16* text = static_cast<const wchar16*>(v.field);
        std::basic_string<wchar16> bounded;
        for (int i = 0; i < v.capacity && text[i]; ++i)
            bounded.push_back(text[i]);
        if (!bounded.empty())
            SettingsWriteString(key, v.name, bounded.c_str());
        break;
    }
    }
}

void LoadValues(HKEY key, ValueTable table)
{
    for (int i = 0; i < table.count; ++i)
        LoadValue(key, table.values[i]);
}

void SaveValues(HKEY key, ValueTable table)
{
    for (int i = 0; i < table.count; ++i)
        SaveValue(key, table.values[i]);
}
