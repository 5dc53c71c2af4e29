// Load and unload of lprspool, and its two window exports.
#include "lpr/lprmodule.h"

#include <cstring>

#include "lpr/lprdebug.h"

LprModule g_lpr;

bool LprStartup(HINSTANCE instance)
{
    g_lpr.instance = instance;
    WSADATA data;
    if (WSAStartup(MAKEWORD(1, 1), &data) != 0)
        return false;
    g_lpr.socketsStarted = true;
    char name[LprLocalHostChars + 1] = {};
    if (gethostname(name, sizeof name) != 0)
        name[0] = 0;
    name[LprLocalHostChars] = 0;
    if (char* dot = std::strchr(name, '.'))
        *dot = 0;
    std::memcpy(g_lpr.localHost, name, sizeof g_lpr.localHost);
    InitializeCriticalSection(&g_lpr.lock);
    // Without a table the module still loads; every request export then answers -1.
    if (!LprGrowTable())
        g_lpr.table = nullptr;
    return true;
}

void LprShutdown(bool processExit)
{
    // At process exit the system has already ended the sender and every other thread, and
    // the memory and sockets go with the process: nothing to wait for or free.
    if (processExit || !g_lpr.socketsStarted)
        return;
    // A sender thread holds a reference to the module until it has left its loop, so
    // when the last reference goes on any other thread the sender is done with the
    // table. Waiting for its handle here would only wait for the loader lock this
    // thread holds.
    EnterCriticalSection(&g_lpr.lock);
    g_lpr.senderRunning = false;
    if (g_lpr.senderThread) {
        CloseHandle(g_lpr.senderThread);
        g_lpr.senderThread = nullptr;
    }
    if (LprRequest* records = LprLockTable()) {
        for (int i = 0; i < g_lpr.records; ++i)
            if (records[i].state != LprStateFree)
                LprFreeRequest(records[i]);
        LprUnlockTable();
    }
    if (g_lpr.table)
        GlobalFree(g_lpr.table);
    g_lpr.table = nullptr;
    g_lpr.records = 0;
    LeaveCriticalSection(&g_lpr.lock);
    DeleteCriticalSection(&g_lpr.lock);
    WSACleanup();
    g_lpr.socketsStarted = false;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH)
        return LprStartup(instance) ? TRUE : FALSE;
    if (reason == DLL_PROCESS_DETACH)
        LprShutdown(reserved != nullptr);
    return TRUE;
}

extern "C" HWND WINAPI InitLPD(HWND owner)
{
    g_lpr.owner = owner;
    return owner;
}

extern "C" HWND WINAPI StartLPDDebug()
{
    return LprStartDebugWindow(g_lpr.instance, g_lpr.owner);
}
