#include "wizard/app/wizardlanguage.h"

namespace {

const wchar_t* const kModules[] = {
    L"VXNTENG.DLL", L"VXNTFRA.DLL", L"VXNTDEU.DLL", L"VXNTESP.DLL", L"VXNTITA.DLL", L"VXNTNLD.DLL",
    L"VXNTNOR.DLL", L"VXNTSVE.DLL", L"VXNTDAN.DLL", L"VXNTSUO.DLL", L"VXNTKOR.DLL",
};
constexpr int kModuleCount = kLanguageModuleCount;
bool g_found[kModuleCount];
int g_selected = -1;
HMODULE g_module;
int g_moduleIndex = -1;
using LoadStringProc = int(__stdcall*)(UINT id, wchar_t* buffer, int capacity);
LoadStringProc g_loadString;

DWORD ReadDword(HKEY root, const wchar_t* path, const wchar_t* name, DWORD fallback)
{
    DWORD value = fallback, size = sizeof value, type = 0;
    HKEY key;
    if (RegOpenKeyExW(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return fallback;
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
        type != REG_DWORD)
        value = fallback;
    RegCloseKey(key);
    return value;
}

// WorkDir of the program key, else the wizard's own directory (with its final "\").
std::wstring ModuleDirectory(bool skipWorkDir)
{
    if (!skipWorkDir) {
        HKEY key;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Quorlan\\vexaNT", 0, KEY_READ, &key) == ERROR_SUCCESS) {
            wchar_t dir[260] = {};
            DWORD size = sizeof dir - sizeof(wchar_t), type = 0;
            const bool read = RegQueryValueExW(key, L"WorkDir", nullptr, &type, reinterpret_cast<BYTE*>(dir),
                                               &size) == ERROR_SUCCESS &&
                              type == REG_SZ && dir[0];
            RegCloseKey(key);
            if (read)
                return dir;
        }
    }
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dir = path;
    return dir.substr(0, dir.rfind(L'\\') + 1);
}

HMODULE LoadFrom(const std::wstring& directory, const wchar_t* name)
{
    std::wstring path = directory;
    if (!path.empty() && path.back() != L'\\')
        path += L'\\';
    return LoadLibraryW((path + name).c_str());
}

void Bind()
{
    if (g_selected < 0)
        return;
    g_module = LoadFrom(ModuleDirectory(false), kModules[g_selected]);
    if (!g_module)
        g_module = LoadFrom(ModuleDirectory(true), kModules[g_selected]);
    g_moduleIndex = g_module ? g_selected : -1;
    g_loadString = g_module ? reinterpret_cast<LoadStringProc>(
                                  reinterpret_cast<void*>(GetProcAddress(g_module, "VXWLoadString")))
                            : nullptr;
}

}  // namespace

int ReadSelectedLanguage()
{
    const wchar_t* key = L"Software\\Quorlan\\vexaterm.2000";
    DWORD id = ReadDword(HKEY_LOCAL_MACHINE, key, L"SelectedLanguage", 2057);
    id = ReadDword(HKEY_CURRENT_USER, key, L"SelectedLanguage", id);
    switch (id & 0x3FF) {
    case 12: return 1;
    case 7: return 2;
    case 10: return 3;
    case 16: return 4;
    case 19: return 5;
    case 20: return 6;
    case 29: return 7;
    case 6: return 8;
    case 11: return 9;
    case 18: return 10;
    default: return 0;
    }
}

int ProbeLanguageModules(int selected)
{
    int found = 0;
    for (bool skipWorkDir : {false, true}) {
        const std::wstring dir = ModuleDirectory(skipWorkDir);
        for (int i = 0; i < kModuleCount; ++i) {
            if (HMODULE m = LoadFrom(dir, kModules[i])) {
                FreeLibrary(m);
                found += !g_found[i];
                g_found[i] = true;
            }
        }
        if (found)
            break;
    }
    g_selected = -1;
    if (!found)
        return 0;
    g_selected = selected >= 0 && selected < kModuleCount && g_found[selected] ? selected : -1;
    for (int i = 0; i < kModuleCount && g_selected < 0; ++i)
        if (g_found[i])
            g_selected = i;
    return found;
}

std::wstring WizardLoadString(UINT id)
{
    if (g_module && g_moduleIndex != g_selected) {
        FreeLibrary(g_module);
        g_module = nullptr;
        g_loadString = nullptr;
    }
    if (!g_module)
        Bind();
    wchar_t buffer[256] = {};
    if (g_loadString && g_loadString(id, buffer, 255) > 0)
        return buffer;
    // Texts may be longer than a module's 255 units in the own table.
    wchar_t own[1024] = {};
    LoadStringW(GetModuleHandleW(nullptr), id, own, 1024);
    return own;
}

std::wstring WizardFormatString(UINT id, const std::wstring& argument)
{
    std::wstring text = WizardLoadString(id);
    const std::size_t at = text.find(L"%s");
    if (at != std::wstring::npos)
        text.replace(at, 2, argument);
    return text;
}

void UnloadLanguageModule()
{
    if (g_module)
        FreeLibrary(g_module);
    g_module = nullptr;
    g_loadString = nullptr;
    g_moduleIndex = -1;
}

bool LanguageModuleFound(int index)
{
    return index >= 0 && index < kModuleCount && g_found[index];
}

int SelectedLanguageModule()
{
    return g_selected;
}

void SelectLanguageModule(int index)
{
    if (LanguageModuleFound(index))
        g_selected = index;
}
