// The language module's two exports, as callers bind them by name or ordinal.
#pragma once

#include <cstdint>

// Filled by the caller; LangEnqVers loads the version text and the language name into
// the two buffers, each cut to its capacity in UTF-16 units.
struct LangVersionRecord {
    wchar_t* version;
    wchar_t* language;
    int32_t languageCapacity;
    int32_t versionCapacity;
};

using VXWLoadStringProc = int32_t(__stdcall*)(uint32_t id, wchar_t* buffer, int32_t capacity);
using LangEnqVersProc = int32_t(__stdcall*)(LangVersionRecord* record);

constexpr uint32_t kLanguageVersionStringId = 10100;
constexpr uint32_t kLanguageNameStringId = 15000;
