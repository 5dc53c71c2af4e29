// An lprspool.DLL that lacks StartLPDDebug: the terminal must refuse to bind it and print
// nothing through it. Should it be bound anyway, every request it takes leaves a file
// "lprspool_partial_used" in the working directory, which the test looks for.
#include <windows.h>

namespace {

void MarkUsed()
{
    HANDLE f = CreateFileW(L"lprspool_partial_used", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f != INVALID_HANDLE_VALUE)
        CloseHandle(f);
}

}  // namespace

extern "C" {
__declspec(dllexport) HWND WINAPI InitLPD(HWND owner)
{
    return owner;
}
__declspec(dllexport) int WINAPI OpenLPDRequest(LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, int, int, int, UINT, UINT, int)
{
    MarkUsed();
    return 0;
}
__declspec(dllexport) int WINAPI AddLPDData(int, const BYTE*, int)
{
    MarkUsed();
    return 1;
}
__declspec(dllexport) int WINAPI CloseLPDRequest(int)
{
    return 1;
}
}
