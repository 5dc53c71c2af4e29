// Stands in for the 3-D controls library: records which ordinals were called, with
// which instance, in call order.
#include <windows.h>

static char g_calls[64];
static int g_count;
static HINSTANCE g_instance;

static void Note(char c, HINSTANCE instance)
{
    if (g_count < 63)
        g_calls[g_count++] = c;
    g_instance = instance;
}

extern "C" {
// clang-format off
BOOL WINAPI Ctl3dUnregister(HINSTANCE i) { Note('u', i); return TRUE; }
BOOL WINAPI Ctl3dRegister(HINSTANCE i) { Note('r', i); return TRUE; }
BOOL WINAPI Ctl3dAutoSubclass(HINSTANCE i) { Note('a', i); return TRUE; }
// clang-format on
// "ra" after registration, "rau" after clean-up; the last instance passed.
const char* WINAPI Ctl3dDoubleCalls(HINSTANCE* instance)
{
    *instance = g_instance;
    return g_calls;
}
}
