#include "terminal/core/window/dialogs/ctl3d.h"

namespace {
using Ctl3dCall = BOOL(WINAPI*)(HINSTANCE);
HMODULE g_ctl3d = nullptr;

Ctl3dCall Ordinal(int ordinal)
{
    return g_ctl3d ? reinterpret_cast<Ctl3dCall>(
                         reinterpret_cast<void*>(GetProcAddress(g_ctl3d, MAKEINTRESOURCEA(ordinal))))
                   : nullptr;
}
}  // namespace

bool Ctl3dRegister(HINSTANCE instance)
{
    if (!g_ctl3d)
        g_ctl3d = LoadLibraryW(L"CTL3D32.DLL");
    Ctl3dCall registration = Ordinal(12);
    Ctl3dCall autoSubclass = Ordinal(16);
    if (!registration || !autoSubclass)
        return false;
    registration(instance);
    autoSubclass(instance);
    return true;
}

void Ctl3dUnregister(HINSTANCE instance)
{
    if (Ctl3dCall cleanUp = Ordinal(6))
        cleanUp(instance);
}
