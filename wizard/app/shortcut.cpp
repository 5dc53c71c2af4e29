#include "wizard/app/shortcut.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

std::wstring DesktopFolder(bool userScope, unsigned osCode)
{
    const int folder = userScope || osCode == 16 || osCode == 0 ? CSIDL_DESKTOPDIRECTORY
                                                                : CSIDL_COMMON_DESKTOPDIRECTORY;
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, folder | CSIDL_FLAG_CREATE, nullptr, 0, path)))
        return std::wstring();
    return path;
}

bool CreateShortcut(const std::wstring& linkPath, const std::wstring& target, const std::wstring& arguments,
                    const std::wstring& workingDirectory)
{
    const HRESULT init = CoInitialize(nullptr);
    IShellLinkW* link = nullptr;
    HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  reinterpret_cast<void**>(&link));
    if (SUCCEEDED(hr)) {
        hr = link->SetPath(target.c_str());
        if (SUCCEEDED(hr) && !arguments.empty())
            hr = link->SetArguments(arguments.c_str());
        if (SUCCEEDED(hr))
            hr = link->SetWorkingDirectory(workingDirectory.c_str());
        IPersistFile* file = nullptr;
        if (SUCCEEDED(hr))
            hr = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
        if (SUCCEEDED(hr)) {
            hr = file->Save(linkPath.c_str(), TRUE);
            file->Release();
        }
        link->Release();
    }
    if (SUCCEEDED(init))
        CoUninitialize();
    return SUCCEEDED(hr);
}

void DeleteShortcut(const std::wstring& linkPath)
{
    DeleteFileW(linkPath.c_str());
}

std::wstring OwnDirectory()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dir = path;
    return dir.substr(0, dir.rfind(L'\\') + 1);
}
