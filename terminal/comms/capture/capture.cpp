// Capture of host data into a file: from the File menu, from the host's capture
// sequence, and in debug mode the raw stream of the telnet connection.
#include <cwchar>
#include <mutex>

#include "terminal/core/base/handles.h"
#include "terminal/core/base/menus.h"
#include "terminal/core/base/win32.h"

#include <commdlg.h>

#include "terminal/core/host/capture.h"
#include "terminal/comms/capture/capturefiles.h"
#include "terminal/comms/capture/capturename.h"
#include "terminal/comms/telnet/telnet.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/language.h"
#include "terminal/core/base/messagebox.h"
#include "terminal/core/base/startopts.h"
#include "terminal/core/base/uirequests.h"
#include "terminal/core/host/attention.h"
#include "terminal/core/host/pushback.h"

namespace {
constexpr int kBufferSize = 513;
constexpr int kFlushAt = 511;
constexpr int kNameUnits = 256;
constexpr u32 kStrCaptureTitle = 5004;    // "Capture File"
constexpr u32 kStrNoFilename = 7104;      // "No filename specified"
constexpr u32 kStrErrorOpening = 7105;    // "Error opening %s"
constexpr u32 kStrNoMemory = 7106;        // "Not enough memory to open %s"
constexpr u32 kStrDiskWriteError = 7107;  // "Disk Write Error - %d"

struct CaptureState {
    HANDLE file = INVALID_HANDLE_VALUE;
    bool active = false;
    bool hostCapture = false;
    u8* buffer = nullptr;
    int count = 0;
    wchar_t name[kNameUnits] = {};
};
CaptureState g_capture;
// The host-data thread writes, the commands open and close, a sender may write.
std::recursive_mutex g_lock;

int OpenCaptureFile(const wchar_t* name, DWORD disposition)
{
    CloseCaptureFile();
    HANDLE file = CreateFileW(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        MessageBoxFormatId(kStrErrorOpening, name);
        return 0;
    }
    if (disposition == OPEN_EXISTING)
        SetFilePointer(file, 0, nullptr, FILE_END);
    u8* buffer = new (std::nothrow) u8[kBufferSize];
    if (!buffer) {
        CloseHandle(file);
        MessageBoxFormatId(kStrNoMemory, name);
        return 0;
    }
    std::lock_guard<std::recursive_mutex> hold(g_lock);
    g_capture.file = file;
    g_capture.buffer = buffer;
    g_capture.count = 0;
    g_capture.active = true;
    // Received bytes now pass through the capture: the reader stops handing out the run
    // it holds (a host's capture sequence opens it in the middle of one).
    AttendHostReader(kAttendInput);
    return 1;
}

void WriteBytes(const u8* bytes, int count)
{
    for (int i = 0; i < count; ++i)
        CaptureWriteByte(bytes[i]);
}

// Ends a diverting capture at its terminator; the terminator goes back to the input.
void CaptureHostByte(u8 byte)
{
    if (byte == 0x1B || byte == 0x18 || byte == 0x1A || byte == 0x9C) {
        CloseCaptureFile();
        PushBackInputByte(byte);
        return;
    }
    if (!(CaptureDebugMode() && TelnetRawCaptureActive()))
        CaptureWriteByte(byte);
}
}  // namespace

void RefreshCaptureMenus()
{
    if (OnUserInterfaceThread()) {
        UpdateCaptureMenuText();
        UpdateReplayMenuText();
    } else {
        PostUiRequest(kUiUpdateCaptureMenus, 0);
    }
}

int CreateCaptureFile(const wchar_t* name)
{
    return OpenCaptureFile(name, CREATE_ALWAYS);
}

int AppendCaptureFile(const wchar_t* name)
{
    return OpenCaptureFile(name, OPEN_EXISTING);
}

void FlushCaptureBuffer()
{
    std::lock_guard<std::recursive_mutex> hold(g_lock);
    if (!g_capture.active || g_capture.count == 0)
        return;
    DWORD written = 0;
    const BOOL ok = WriteFile(g_capture.file, g_capture.buffer, static_cast<DWORD>(g_capture.count), &written,
                              nullptr);
    const DWORD error = ok ? 0 : GetLastError();
    g_capture.count = 0;
    if (!ok || written == 0) {
        CloseCaptureFile();
        MessageBoxFormatIdNumber(kStrDiskWriteError, static_cast<i32>(error ? error : ERROR_DISK_FULL));
        RefreshCaptureMenus();
    }
}

void CaptureWriteByte(u8 byte)
{
    std::lock_guard<std::recursive_mutex> hold(g_lock);
    if (!g_capture.active || !g_capture.buffer)
        return;
    g_capture.buffer[g_capture.count++] = byte;
    if (g_capture.count >= kFlushAt)
        FlushCaptureBuffer();
}

void CloseCaptureFile()
{
    std::lock_guard<std::recursive_mutex> hold(g_lock);
    if (!g_capture.active)
        return;
    FlushCaptureBuffer();
    if (g_capture.file != INVALID_HANDLE_VALUE)
        CloseHandle(g_capture.file);
    g_capture.file = INVALID_HANDLE_VALUE;
    delete[] g_capture.buffer;
    g_capture.buffer = nullptr;
    g_capture.count = 0;
    g_capture.active = g_capture.hostCapture = false;
    RefreshCaptureMenus();
}

int StartCaptureToFile(HWND owner)
{
    wchar_t name[kNameUnits] = {}, title[64];
    LoadLanguageString(InstanceHandle, kStrCaptureTitle, title, 64);
    static const wchar_t kFilter[] = L"Data File\0*.DAT\0Capture File\0*.CAP\0ReGIS Files\0*.REG\0"
                                     L"Sixel Files\0*.SXL\0Log File\0*.LOG\0";
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = kFilter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = name;
    ofn.nMaxFile = kNameUnits;
    ofn.lpstrTitle = title;
    ofn.lpstrDefExt = L"DAT";
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
    if (!GetSaveFileNameW(&ofn))
        return 0;
    if (!name[0]) {
        MessageBoxById(kStrNoFilename);
        return 0;
    }
    return CreateCaptureFile(name);
}

void CaptureCommand(HWND owner)
{
    if (CaptureFileOpen()) {
        CloseCaptureFile();
    } else {
        SetModalFlag(1);
        StartCaptureToFile(owner);
        SetModalFlag(0);
    }
    RefreshCaptureMenus();
}

bool CaptureFileOpen()
{
    return g_capture.active;
}

bool CaptureDiverting()
{
    return g_capture.active && g_capture.hostCapture;
}

bool CaptureDebugMode()
{
    return StartupOptions.debugTrace != 0;
}

bool TelnetRawCaptureActive()
{
    return StartupOptions.debugTrace && g_capture.active && Telnet.telnetMode;
}

void AppendCaptureByte(u8 byte)
{
    CaptureWriteByte(byte);
}

void EndDivertingCapture()
{
    CloseCaptureFile();
}

// Replayed bytes meet the capture as received ones do.
int CaptureReplayedByte(u8 byte)
{
    if (CaptureDiverting()) {
        CaptureHostByte(byte);
        return -1;
    }
    if (g_capture.active && !TelnetRawCaptureActive())
        CaptureWriteByte(byte);
    return byte;
}

void CaptureReceivedBlock(const u8* bytes, int count)
{
    if (g_capture.active && bytes && count > 0)
        WriteBytes(bytes, count);
}

void CaptureSentBlock(const u8* bytes, int count)
{
    if (!StartupOptions.debugTwoWay || !g_capture.active || !bytes || count < 1)
        return;
    static const u8 kSend[] = "\n*SEND*\n", kRecv[] = "\n*RECV*\n";
    std::lock_guard<std::recursive_mutex> hold(g_lock);
    WriteBytes(kSend, 8);
    WriteBytes(bytes, count);
    WriteBytes(kRecv, 8);
}

namespace {

// One rule for every file a host names: a plain name in the working directory, opened
// new (mode 0) or for appending (1). Such a name is refused without a word: a message
// box would stop the host's data behind it, and the user did not ask for the file.
bool OpenHostNamedCapture(int mode, const u8* name, int length, bool diverting)
{
    wchar_t wide[kNameUnits];
    int n = 0;
    for (; n < length && n < kNameUnits - 1; ++n)
        wide[n] = name[n];
    wide[n] = 0;
    CloseCaptureFile();
    // A path could reach any file the user may write.
    if (!IsPlainCaptureName(wide))
        return false;
    const int opened = mode == 1 ? AppendCaptureFile(wide) : CreateCaptureFile(wide);
    if (opened) {
        std::lock_guard<std::recursive_mutex> hold(g_lock);
        g_capture.hostCapture = diverting;
        std::wcscpy(g_capture.name, wide);
    }
    RefreshCaptureMenus();
    return opened != 0;
}

}  // namespace

bool StartHostCapture(int mode, const u8* name, int length)
{
    return OpenHostNamedCapture(mode, name, length, true);
}

bool OpenHostCaptureFile(int mode, const u8* name, int length)
{
    return OpenHostNamedCapture(mode, name, length, false);
}
