#include "terminal/core/host/testsource.h"

#include <mutex>
#include <string>

#include "terminal/core/base/handles.h"
#include "terminal/core/screen/celltext.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/family.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/screen/selectiontext.h"
#include "terminal/core/window/status/statusbar.h"

#include "terminal/core/base/win32.h"

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

namespace {

std::once_flag g_dumpOnce;
wchar_t g_dumpPath[MAX_PATH];
bool g_dumpOn = false;
std::string g_lastDump;

void AppendUtf8(std::string& out, u16 c)
{
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// Written aside and renamed, so that a reader never sees half a dump.
void WriteDumpFile(const wchar_t* path, const std::string& dump, std::string& last)
{
    if (dump == last)
        return;
    wchar_t temporary[MAX_PATH];
    lstrcpynW(temporary, path, MAX_PATH - 4);
    lstrcatW(temporary, L".new");
    HANDLE f = CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(f, dump.data(), static_cast<DWORD>(dump.size()), &written, nullptr);
    CloseHandle(f);
    if (MoveFileExW(temporary, path, MOVEFILE_REPLACE_EXISTING))
        last = dump;
}

}  // namespace

// The status bar's printer and auxiliary fields and whether the main window takes
// input. Both the host-data thread's idle step and the user-interface thread's tick
// write it, so that it stays current while printing holds the host-data thread.
void TestStatusDump()
{
    static std::mutex lock;
    static std::once_flag once;
    static wchar_t path[MAX_PATH];
    static bool on = false;
    static std::string last;
    std::call_once(once, [] {
        const DWORD n = GetEnvironmentVariableW(L"VXNT_TEST_STATUS", path, MAX_PATH);
        on = n > 0 && n < MAX_PATH - 4;
    });
    if (!on)
        return;
    std::lock_guard<std::mutex> guard(lock);
    wchar_t field[kStatusTextUnits] = {};
    StatusBarGetText(kFieldPrinter, field, kStatusTextUnits);
    std::string dump = "printer ";
    for (const wchar_t* c = field; *c; ++c)
        AppendUtf8(dump, static_cast<u16>(*c));
    StatusBarGetText(kFieldAux, field, kStatusTextUnits);
    dump += "\naux ";
    for (const wchar_t* c = field; *c; ++c)
        AppendUtf8(dump, static_cast<u16>(*c));
    dump += "\nenabled " + std::to_string(MainWindowHandle && IsWindowEnabled(MainWindowHandle) ? 1 : 0) + "\n";
    wchar_t name[kStatusTextUnits] = {};
    StatusBarGetText(kFieldEmulationName, name, kStatusTextUnits);
    dump += "emulation ";
    for (const wchar_t* c = name; *c; ++c)
        AppendUtf8(dump, static_cast<u16>(*c));
    dump += "\n";
    // Every field by its id, as the bar shows it (a family's own indicators).
    for (int i = 0; i < kStatusMaxFields; ++i) {
        const i64 id = StatusBarFieldIdAt(i);
        if (id < 0 || static_cast<u32>(id) == kFieldFiller)
            continue;
        StatusBarGetText(static_cast<u32>(id), field, kStatusTextUnits);
        dump += "field" + std::to_string(id) + " ";
        for (const wchar_t* c = field; *c; ++c)
            AppendUtf8(dump, static_cast<u16>(*c));
        dump += "\n";
    }
    WriteDumpFile(path, dump, last);
}

void TestScreenDump()
{
    TestStatusDump();
    std::call_once(g_dumpOnce, [] {
        const DWORD n = GetEnvironmentVariableW(L"VXNT_TEST_SCREEN", g_dumpPath, MAX_PATH);
        g_dumpOn = n > 0 && n < MAX_PATH - 4;
    });
    if (!g_dumpOn || !Screen.lines)
        return;
    std::string dump;
    const DisplayHooks* display = ActiveFamily().display;
    if (display && display->screenText) {
        display->screenText(dump);
    } else if (display) {
        // A family's own screen, as copying reads it.
        int row = 0, column = 0;
        if (display->cursorPosition)
            display->cursorPosition(&row, &column);
        dump = "cursor " + std::to_string(row) + " " + std::to_string(column) + " emulation " +
               std::to_string(EmulationId.load()) + "\n";
        const SelectionArea area = ScreenSelectionArea();
        for (int r = 0; area.available && r < area.visibleRows; ++r) {
            for (wchar16 u : SelectionRowText(area, area.viewTop + r))
                AppendUtf8(dump, static_cast<u16>(u));
            dump += "\n";
        }
    } else {
        dump = "cursor " + std::to_string(Screen.cursorRow) + " " + std::to_string(Screen.cursorColumn) +
               " emulation " + std::to_string(EmulationId.load()) + "\n";
        for (int row = 0; row < Screen.rows; ++row) {
            const ScreenLineRecord* line = LineAt(row);
            std::string text;
            std::size_t kept = 0;
            for (int c = 0; line && c <= Screen.lastColumn; ++c) {
                const u16 ch = CellRecordToUnicode(line->cells[c]);
                AppendUtf8(text, ch ? ch : u' ');
                if (ch && ch != u' ')
                    kept = text.size();
            }
            text.resize(kept);
            dump += text + "\n";
        }
    }
    // The status line below the rows, as it shows.
    wchar16 status[kStoreColumns + 1];
    std::string statusText;
    auto text = ActiveFamily().statusLineText;
    const int n = text ? text(status, kStoreColumns + 1) : 0;
    for (int i = 0; i < n; ++i)
        AppendUtf8(statusText, status[i]);
    dump += "status " + statusText + "\n";
    WriteDumpFile(g_dumpPath, dump, g_lastDump);
}
