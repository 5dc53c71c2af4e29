#include "terminal/core/testsource.h"

#include <mutex>

#include "terminal/core/win32.h"

namespace {

std::once_flag g_once;
HANDLE g_source = INVALID_HANDLE_VALUE;
HANDLE g_sink = INVALID_HANDLE_VALUE;
u8 g_buffer[4096];
DWORD g_length = 0;
DWORD g_position = 0;

HANDLE OpenNamedBy(const wchar_t* variable, bool forWriting)
{
    wchar_t path[MAX_PATH];
    const DWORD n = GetEnvironmentVariableW(variable, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return INVALID_HANDLE_VALUE;
    const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    if (forWriting)
        return CreateFileW(path, FILE_APPEND_DATA, share, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    return CreateFileW(path, GENERIC_READ, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

void Open()
{
    g_source = OpenNamedBy(L"VXNT_TEST_HOST", false);
    if (g_source != INVALID_HANDLE_VALUE)
        g_sink = OpenNamedBy(L"VXNT_TEST_SINK", true);
}

}  // namespace

bool TestSourceActive()
{
    std::call_once(g_once, Open);
    return g_source != INVALID_HANDLE_VALUE;
}

int TestSourceReadByte()
{
    if (!TestSourceActive())
        return -1;
    if (g_position >= g_length) {
        // At the end the file is followed: what is appended later is read then.
        g_position = g_length = 0;
        if (!ReadFile(g_source, g_buffer, sizeof g_buffer, &g_length, nullptr))
            g_length = 0;
        if (g_length == 0)
            return -1;
    }
    return g_buffer[g_position++];
}

void TestSourceSend(const u16* units, int n)
{
    if (!TestSourceActive() || g_sink == INVALID_HANDLE_VALUE || !units || n < 1)
        return;
    u8 bytes[512];
    while (n > 0) {
        const int chunk = n < 512 ? n : 512;
        for (int i = 0; i < chunk; ++i)
            bytes[i] = static_cast<u8>(units[i]);
        DWORD written = 0;
        WriteFile(g_sink, bytes, static_cast<DWORD>(chunk), &written, nullptr);
        units += chunk;
        n -= chunk;
    }
}
