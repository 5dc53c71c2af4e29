// VXNTENG.DLL: the English texts of the terminal program and the connection wizard.
// The module holds no logic beyond handing out its string table.
#include <windows.h>

#include "language/vxnteng.h"

namespace {
HINSTANCE ModuleInstance = nullptr;

int32_t LoadText(uint32_t id, wchar_t* buffer, int32_t capacity)
{
    // With a capacity of 0, LoadStringW would store a pointer to the resource text in
    // the caller's buffer instead of copying it.
    if (!buffer || capacity < 1)
        return 0;
    // The platform leaves the buffer untouched for an unknown id or a capacity of 1; a
    // caller that ignores the result still gets an empty text, never stale contents.
    buffer[0] = 0;
    return LoadStringW(ModuleInstance, id, buffer, capacity);
}
}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD, LPVOID)
{
    ModuleInstance = instance;
    return TRUE;
}

__declspec(dllexport) int32_t WINAPI VXWLoadString(uint32_t id, wchar_t* buffer, int32_t capacity)
{
    return LoadText(id, buffer, capacity);
}

__declspec(dllexport) int32_t WINAPI LangEnqVers(LangVersionRecord* record)
{
    if (!record)
        return 0;
    LoadText(kLanguageVersionStringId, record->version, record->versionCapacity);
    return LoadText(kLanguageNameStringId, record->language, record->languageCapacity);
}

}  // extern "C"
