#include "support/doubles_registry.h"

#include <cstring>

#include "terminal/core/base/corestate.h"

u32 KeepCurrentValues = 0;

namespace doubles {
RegistryDouble& Registry()
{
    static RegistryDouble r;
    return r;
}

HKEY RegistryKeyHandle(const std::basic_string<wchar16>& name)
{
    return reinterpret_cast<HKEY>(&Registry().keys[name]);
}

void ResetRegistry()
{
    Registry() = RegistryDouble{};
    KeepCurrentValues = 0;
}
}  // namespace doubles

namespace {
const doubles::RegistryValue* Find(HKEY key, const wchar16* name)
{
    if (!key || !name)
        return nullptr;
    const auto& values = *reinterpret_cast<const doubles::RegistryKey*>(key);
    const auto found = values.find(name);
    return found == values.end() ? nullptr : &found->second;
}

void Store(HKEY key, const wchar16* name, u32 type, const void* data, std::size_t bytes)
{
    if (!key || !name)
        return;
    const u8* from = static_cast<const u8*>(data);
    (*reinterpret_cast<doubles::RegistryKey*>(key))[name] = doubles::RegistryValue{type, {from, from + bytes}};
}

// A REG_SZ (or REG_EXPAND_SZ) that fits `capacity` units, terminated within them.
bool QueryText(HKEY key, const wchar16* name, wchar16* out, int capacity)
{
    const doubles::RegistryValue* v = Find(key, name);
    if (!v || (v->type != 1 && v->type != 2) || v->bytes.size() > static_cast<std::size_t>(capacity) * 2)
        return false;
    std::memset(out, 0, static_cast<std::size_t>(capacity) * 2);
    if (!v->bytes.empty())
        std::memcpy(out, v->bytes.data(), v->bytes.size());
    const std::size_t units = v->bytes.size() / 2;
    out[units < static_cast<std::size_t>(capacity) ? units : capacity - 1] = 0;
    return true;
}
}  // namespace

u32 SettingsReadDword(HKEY key, const wchar16* name, u32 current, u32 factory)
{
    const doubles::RegistryValue* v = Find(key, name);
    if (v && v->type == kRegDword && v->bytes.size() == 4) {
        u32 value;
        std::memcpy(&value, v->bytes.data(), 4);
        return value;
    }
    return KeepCurrentValues == 1 ? current : factory;
}

int SettingsReadString(HKEY key, const wchar16* name, const wchar16* fallback, wchar16* buffer, int capacity)
{
    if (!buffer || capacity < 1)
        return 0;
    std::vector<wchar16> text(static_cast<std::size_t>(capacity));
    if (QueryText(key, name, text.data(), capacity)) {
        std::memcpy(buffer, text.data(), static_cast<std::size_t>(capacity) * 2);
        if (const int length = static_cast<int>(TextLength(buffer)))
            return length;
    }
    if (KeepCurrentValues == 1) {
        buffer[capacity - 1] = 0;
        return 0;
    }
    return static_cast<int>(CopyText(buffer, static_cast<std::size_t>(capacity), fallback ? fallback : VXT("")));
}

int SettingsReadBinaryBytes(HKEY key, const wchar16* name, void* buffer, int bytes)
{
    if (!buffer || bytes < 1)
        return 0;
    std::memset(buffer, 0, static_cast<std::size_t>(bytes));
    const doubles::RegistryValue* v = Find(key, name);
    if (!v || v->type != kRegBinary || v->bytes.size() > static_cast<std::size_t>(bytes))
        return 0;
    if (!v->bytes.empty())
        std::memcpy(buffer, v->bytes.data(), v->bytes.size());
    return static_cast<int>(v->bytes.size());
}

int SettingsReadBinary(HKEY key, const wchar16* name, u16* buffer, int count)
{
    if (count < 1)
        return 0;
    return SettingsReadBinaryBytes(key, name, buffer, count * 2) / 2;
}

i32 SettingsWriteString(HKEY key, const wchar16* name, const wchar16* text)
{
    if (!text)
        text = VXT("");
    Store(key, name, kRegSz, text, (TextLength(text) + 1) * 2);
    return 0;
}

void SettingsWriteBinary(HKEY key, const wchar16* name, const u16* data, int count)
{
    Store(key, name, kRegBinary, data, count > 0 ? static_cast<std::size_t>(count) * 2 : 0);
}

i32 SettingsWriteDword(HKEY key, const wchar16* name, u32 value)
{
    Store(key, name, kRegDword, &value, 4);
    return 0;
}

i32 SettingsDeleteValue(HKEY key, const wchar16* name)
{
    if (!key || !name)
        return 2;
    return reinterpret_cast<doubles::RegistryKey*>(key)->erase(name) ? 0 : 2;
}

i32 SettingsWriteDwordOrDelete(HKEY key, const wchar16* name, u32 value, u32 fallback)
{
    if (value == fallback) {
        SettingsDeleteValue(key, name);
        return 0;
    }
    return SettingsWriteDword(key, name, value);
}
