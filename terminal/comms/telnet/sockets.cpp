// Windows Sockets 1.1, bound at run time (the program imports nothing of it), one TCP
// connection with host rollover, and the connecting thread with its dialog.
#include <winsock2.h>

#include "terminal/comms/telnet/sockets.h"

#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "terminal/core/base/handles.h"
#include "terminal/core/base/menus.h"
#include "terminal/settings/store/connsettings.h"
#include "terminal/comms/telnet/netsession.h"
#include "terminal/comms/telnet/socketio.h"
#include "terminal/comms/telnet/telnet.h"
#include "terminal/comms/telnet/telnetoptions.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/language.h"
#include "terminal/core/base/messagebox.h"
#include "terminal/core/base/resource.h"
#include "terminal/comms/telnet/recordsession.h"

std::atomic<u32> ConnectionStartState{0};
std::atomic<u32> DisconnectRequested{0};

namespace {

// ---- The socket library -------------------------------------------------------------

using FnAsyncSelect = int(WSAAPI*)(SOCKET, HWND, u_int, long);
using FnGetLastError = int(WSAAPI*)();
using FnCleanup = int(WSAAPI*)();
using FnStartup = int(WSAAPI*)(WORD, LPWSADATA);
using FnGetHostName = int(WSAAPI*)(char*, int);
using FnFdIsSet = int(WSAAPI*)(SOCKET, fd_set*);
using FnSelect = int(WSAAPI*)(int, fd_set*, fd_set*, fd_set*, const timeval*);
using FnBind = int(WSAAPI*)(SOCKET, const sockaddr*, int);
using FnSetSockOpt = int(WSAAPI*)(SOCKET, int, int, const char*, int);
using FnInetAddr = unsigned long(WSAAPI*)(const char*);
using FnHtons = u_short(WSAAPI*)(u_short);
using FnGetHostByName = hostent*(WSAAPI*)(const char*);
using FnSocket = SOCKET(WSAAPI*)(int, int, int);
using FnSend = int(WSAAPI*)(SOCKET, const char*, int, int);
using FnRecv = int(WSAAPI*)(SOCKET, char*, int, int);
using FnIoctl = int(WSAAPI*)(SOCKET, long, u_long*);
using FnConnect = int(WSAAPI*)(SOCKET, const sockaddr*, int);
using FnClose = int(WSAAPI*)(SOCKET);
using FnShutdown = int(WSAAPI*)(SOCKET, int);

struct SocketEntryPoints {
    HMODULE module;
    FnAsyncSelect WSAAsyncSelect;
    FnGetLastError WSAGetLastError;
    FnCleanup WSACleanup;
    FnStartup WSAStartup;
    FnGetHostName gethostname;
    FnFdIsSet WSAFDIsSet;
    FnSelect select;
    FnBind bind;
    FnSetSockOpt setsockopt;
    FnInetAddr inet_addr;
    FnHtons htons;
    FnGetHostByName gethostbyname;
    FnSocket socket;
    FnSend send;
    FnRecv recv;
    FnIoctl ioctlsocket;
    FnConnect connect;
    FnClose closesocket;
    FnShutdown shutdown;
};
SocketEntryPoints Ws{};

const char* const kEntryNames[19] = {
    "WSAAsyncSelect", "WSAGetLastError", "WSACleanup", "WSAStartup",  "gethostname",   "__WSAFDIsSet", "select",
    "bind",           "setsockopt",      "inet_addr",  "htons",       "gethostbyname", "socket",       "send",
    "recv",           "ioctlsocket",     "connect",    "closesocket", "shutdown",
};

constexpr UINT kMsgEndConnecting = 1026;
constexpr UINT kMsgShowConnecting = 1028;
constexpr UINT kMsgRetitleConnecting = 1029;
constexpr i32 kCountdownExpired = 7213;
constexpr UINT kDialogConnecting = 2572;
constexpr int kIdConnectText = 1151, kIdConnectRemaining = 10117, kIdConnectSeconds = 1142;
constexpr long kSocketEvents = FD_READ | FD_WRITE | FD_CONNECT | FD_CLOSE;  // 0x33

// ---- State of the one connection ----------------------------------------------------

std::atomic<i32> StartupState{-1};
std::atomic<i32> ConnectState{0};              // 0 pending, 1 connected, -error, 7213 countdown over
std::atomic<SocketHandle> Pending{kNoSocket};  // the socket being connected or open
std::atomic<u32> ReadReady{0}, Writable{0}, PeerClosed{0}, Closing{0}, Closed{0};
HANDLE ReadEvent = nullptr;

bool IsGoneError(int e)
{
    return e == WSAECONNABORTED || e == WSAECONNRESET || e == WSAENOTCONN || e == WSAESHUTDOWN;
}

SOCKET Sock(SocketHandle s)
{
    return static_cast<SOCKET>(s);
}

// ---- The connecting thread ----------------------------------------------------------

struct ConnectingThreadParams {
    i32 mode;  // always 2: connecting
    const wchar16* host;
};
ConnectingThreadParams ConnectingParams{};
HANDLE ConnectingThread = nullptr;
std::atomic<DWORD> ConnectingThreadId{0};
std::atomic<u32> ConnectingEnding{0};
std::atomic<u32> DialogNotShown{0};
HANDLE ConnectingReady = nullptr;
HWND ConnectingDialog = nullptr;
int Countdown = 0;

void PostToConnectingThread(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    if (const DWORD id = ConnectingThreadId)
        PostThreadMessageW(id, message, wParam, lParam);
}

void EndConnectingThread()
{
    if (ConnectingThreadId) {
        ConnectingEnding = 1;
        PostToConnectingThread(kMsgEndConnecting);
    }
}

// A thread told to end is waited for, so a new attempt gets a dialog of its own.
void ReapConnectingThread()
{
    if (ConnectingThread && (ConnectingEnding || !ConnectingThreadId)) {
        WaitForSingleObject(ConnectingThread, 3000);
        CloseHandle(ConnectingThread);
        ConnectingThread = nullptr;
        ConnectingEnding = 0;
    }
}

void SetCountdownText(HWND dialog)
{
    SetDlgItemInt(dialog, kIdConnectSeconds, static_cast<UINT>(Countdown), FALSE);
}

void TitleConnectingDialog(HWND dialog, const wchar16* host)
{
    wchar_t format[128], protocol[64], text[400];
    GetDlgItemTextW(dialog, kIdConnectText, format, 128);
    if (!wcsstr(format, L"%s"))
        wcscpy(format, L"Connecting via %s to %s");
    LoadLanguageString(InstanceHandle, kProtocolTcpIp, protocol, 64);
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(_wcsdup(format)));
    _snwprintf(text, 399, format, protocol, host ? host : L"");
    text[399] = 0;
    SetDlgItemTextW(dialog, kIdConnectText, text);
}

void RestartCountdown(HWND dialog)
{
    Countdown = static_cast<int>(Connection.timeOut);
    const bool counting = Countdown > 0;
    ShowWindow(GetDlgItem(dialog, kIdConnectRemaining), counting ? SW_SHOW : SW_HIDE);
    ShowWindow(GetDlgItem(dialog, kIdConnectSeconds), counting ? SW_SHOW : SW_HIDE);
    KillTimer(dialog, 1);
    if (counting) {
        wchar_t label[64];
        LoadLanguageString(InstanceHandle, kIdConnectRemaining, label, 64);
        SetDlgItemTextW(dialog, kIdConnectRemaining, label);
        SetCountdownText(dialog);
        SetTimer(dialog, 1, 1000, nullptr);
    }
}

void ShowTopmost(HWND dialog)
{
    SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
}

constexpr UINT_PTR kRevealTimer = 2;
constexpr UINT kRevealDelay = 1500;  // a connection made quicker shows no dialog

INT_PTR CALLBACK ConnectingDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        TitleConnectingDialog(dialog, reinterpret_cast<const ConnectingThreadParams*>(lParam)->host);
        wchar_t cancel[32];
        if (LoadLanguageString(InstanceHandle, 2, cancel, 32) > 0)
            SetDlgItemTextW(dialog, IDCANCEL, cancel);
        EnableWindow(GetDlgItem(dialog, IDCANCEL), TRUE);
        RestartCountdown(dialog);
        return TRUE;
    }
    case WM_TIMER:
        if (wParam == kRevealTimer) {
            KillTimer(dialog, kRevealTimer);
            DialogNotShown = 0;
            ShowTopmost(dialog);
        } else if (wParam == 1) {
            if (--Countdown <= 0) {
                KillTimer(dialog, 1);
                ConnectState = kCountdownExpired;
            } else {
                SetCountdownText(dialog);
            }
        }
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) {
            KillTimer(dialog, 1);
            DisconnectRequested = 1;
            ConnectingEnding = 1;
            PostThreadMessageW(GetCurrentThreadId(), kMsgEndConnecting, 0, 0);
        }
        return TRUE;
    case WM_ACTIVATE:
        if (!DialogNotShown && LOWORD(wParam) != WA_INACTIVE)
            ShowTopmost(dialog);
        return FALSE;
    case WM_DESTROY: free(reinterpret_cast<void*>(GetWindowLongPtrW(dialog, DWLP_USER))); return FALSE;
    }
    return FALSE;
}

DWORD WINAPI ShowConnectingDialog(LPVOID parameter)
{
    MSG msg;
    PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);  // the queue exists now
    ConnectingThreadId = GetCurrentThreadId();
    SetEvent(ConnectingReady);

    HWND dialog = CreateDialogParamW(InstanceHandle, MAKEINTRESOURCEW(kDialogConnecting), MainWindowHandle,
                                     ConnectingDialogProc, reinterpret_cast<LPARAM>(parameter));
    ConnectingDialog = dialog;
    if (dialog) {
        RECT own, main;
        GetWindowRect(dialog, &own);
        if (!MainWindowHandle || !GetWindowRect(MainWindowHandle, &main))
            SystemParametersInfoW(SPI_GETWORKAREA, 0, &main, 0);
        const int w = own.right - own.left, h = own.bottom - own.top;
        SetWindowPos(dialog, nullptr, main.left + (main.right - main.left - w) / 2,
                     main.top + (main.bottom - main.top - h) / 2, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_HIDEWINDOW);
        DialogNotShown = 1;
        SetTimer(dialog, kRevealTimer, kRevealDelay, nullptr);
    }
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!msg.hwnd) {
            if (msg.message == kMsgEndConnecting)
                break;
            if (msg.message == kMsgShowConnecting && dialog) {
                DialogNotShown = 0;
                KillTimer(dialog, kRevealTimer);
                ShowTopmost(dialog);
            }
            if (msg.message == kMsgRetitleConnecting && msg.wParam == 2 && dialog) {
                SetWindowTextW(GetDlgItem(dialog, kIdConnectText),
                               reinterpret_cast<const wchar_t*>(GetWindowLongPtrW(dialog, DWLP_USER)));
                TitleConnectingDialog(dialog, reinterpret_cast<const wchar16*>(msg.lParam));
                RestartCountdown(dialog);
            }
            continue;
        }
        if (dialog && IsDialogMessageW(dialog, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (dialog) {
        KillTimer(dialog, 1);
        KillTimer(dialog, kRevealTimer);
        ConnectingDialog = nullptr;
        DestroyWindow(dialog);
    }
    DialogNotShown = 0;
    ConnectingThreadId = 0;
    return 0;
}

void StartConnectingThread(const wchar16* host)
{
    ConnectingParams = {2, host};
    ReapConnectingThread();
    if (ConnectingThreadId) {
        if (Connection.hostrollover) {
            PostToConnectingThread(kMsgRetitleConnecting, 2, reinterpret_cast<LPARAM>(host));
            PostToConnectingThread(kMsgShowConnecting);
        }
        return;
    }
    if (!ConnectingReady)
        ConnectingReady = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ResetEvent(ConnectingReady);
    DWORD id = 0;
    ConnectingThread = CreateThread(nullptr, 0, ShowConnectingDialog, &ConnectingParams, 0, &id);
    if (ConnectingThread) {
        SetThreadPriority(ConnectingThread, THREAD_PRIORITY_HIGHEST);
        // Messages posted before the thread has its queue would be lost.
        WaitForSingleObject(ConnectingReady, 3000);
    }
}

// ---- Opening and closing ------------------------------------------------------------

int ConnectSocket(const wchar16* host)
{
    // Every attempt starts pending: a refusal or time-out left by an earlier host must
    // not decide this one.
    ConnectState = 0;
    Pending = kNoSocket;
    StartConnectingThread(host);

    char name[kHostNameUnits + 1];
    int n = 0;
    for (; host[n] && n < kHostNameUnits; ++n)
        name[n] = static_cast<char>(host[n] & 0xFF);
    name[n] = 0;

    sockaddr_in address{};
    address.sin_family = AF_INET;
    unsigned long literal = Ws.inet_addr(name);
    if (literal == INADDR_NONE) {
        hostent* entry = Ws.gethostbyname(name);
        if (!entry)
            return -Ws.WSAGetLastError();
        const int length = entry->h_length < 4 ? entry->h_length : 4;
        std::memcpy(&address.sin_addr, entry->h_addr_list[0], static_cast<std::size_t>(length));
        address.sin_family = static_cast<short>(entry->h_addrtype);
    } else {
        address.sin_addr.s_addr = literal;
    }
    address.sin_port = Ws.htons(static_cast<u_short>(Connection.telnetPort));

    const SOCKET s = Ws.socket(address.sin_family, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET)
        return -Ws.WSAGetLastError();

    if (const u32 first = Connection.localPort) {
        const u32 end = first + 35 < 65535 ? first + 35 : 65535;
        int lastError = WSAEADDRINUSE;
        bool bound = false;
        for (u32 port = first; port < end && !bound; ++port) {
            sockaddr_in local{};
            local.sin_family = AF_INET;
            local.sin_addr.s_addr = INADDR_ANY;
            local.sin_port = Ws.htons(static_cast<u_short>(port));
            if (Ws.bind(s, reinterpret_cast<sockaddr*>(&local), sizeof local) == 0) {
                bound = true;
                break;
            }
            lastError = Ws.WSAGetLastError();
            if (lastError != WSAEADDRINUSE) {
                Ws.closesocket(s);
                return -lastError;
            }
        }
        if (!bound) {
            Ws.closesocket(s);
            return -lastError;
        }
    }

    const linger lingerOption{1, 2};
    Ws.setsockopt(s, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&lingerOption), sizeof lingerOption);
    u_long nonBlocking = 1;
    Ws.ioctlsocket(s, FIONBIO, &nonBlocking);
    Pending = static_cast<SocketHandle>(s);
    Ws.WSAAsyncSelect(s, MainWindowHandle, kMsgSocketEvent, kSocketEvents);
    ReadReady = PeerClosed = Writable = Closing = 0;
    const BOOL keepAlive = TelnetConfig.keepAlives ? TRUE : FALSE;
    Ws.setsockopt(s, SOL_SOCKET, SO_KEEPALIVE, reinterpret_cast<const char*>(&keepAlive), sizeof keepAlive);

    if (Ws.connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        const int e = Ws.WSAGetLastError();
        if (e != WSAEWOULDBLOCK) {
            if (Connection.hostrollover)
                EndConnectingThread();
            Pending = kNoSocket;
            Ws.closesocket(s);
            return -e;
        }
    }
    ReadEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!ReadEvent) {
        Pending = kNoSocket;
        Ws.closesocket(s);
        return -18;
    }
    const BOOL inline_ = TRUE;
    Ws.setsockopt(s, SOL_SOCKET, SO_OOBINLINE, reinterpret_cast<const char*>(&inline_), sizeof inline_);
    return static_cast<SocketHandle>(s);
}

void UnbindSocketLibrary()
{
    if (Ws.module)
        FreeLibrary(Ws.module);
    Ws = SocketEntryPoints{};
}

void CloseTcpConnection(SocketHandle socket)
{
    // Closed once only: a handle closed twice could by then name another socket.
    SocketHandle open = socket;
    if (socket == kNoSocket || !Pending.compare_exchange_strong(open, kNoSocket))
        return;
    const SOCKET s = Sock(socket);
    if (DisconnectRequested)
        Closing = 1;
    const i32 state = ConnectState;
    if (state > 0 && state != kCountdownExpired && Ws.module) {
        Ws.WSAAsyncSelect(s, MainWindowHandle, 0, 0);
        u_long blocking = 0;
        Ws.ioctlsocket(s, FIONBIO, &blocking);
        if (Connection.closeBudget && DisconnectRequested) {
            Ws.shutdown(s, SD_SEND);
            for (u32 waits = 0; waits < 2 * Connection.closeBudget; ++waits) {
                const int r = SocketReceive(socket);
                if (r == -1 || r == -2)
                    break;
                Sleep(450);
            }
        } else {
            Ws.shutdown(s, SD_BOTH);
        }
        ConnectState = 0;
    }
    if (Ws.module)
        Ws.closesocket(s);
    if (ReadEvent) {
        CloseHandle(ReadEvent);
        ReadEvent = nullptr;
    }
}

void SocketResetState()
{
    TelnetReset();
    ConnectionType = -1;
    Telnet.telnetMode = 0;
    Closed = 0;
    DisconnectRequested = 0;
    NetBuffers.sendCount = 0;
    NetBuffers.sendPending = 0;
    NetBuffers.receiveIndex = NetBuffers.receiveCount = 0;
}

void OnNetworkConnected()
{
    if (Telnet.telnetMode)
        TelnetStartNegotiation(SocketIndex);
    // A printer session is connected.
    if ((Tn3270ActiveSession && Tn3270ActiveSession->model == k3287PrinterModel) ||
        (Tn5250ActiveSession && Tn5250ActiveSession->printerSession))
        SessionPrinterState(2);
    if (SocketIndex >= 0) {
        UpdateConnectionMenu();
        UpdateWindowTitle(MainWindowHandle);
    }
}

int ConnectHost(u32 protocol, const wchar16* host)
{
    if (SocketIndex >= 0) {
        DisconnectNetworkSession(SocketIndex);
        SocketIndex = kNoSocket;
        Slots.networkHostShown[0] = 0;
        PostConnectionRefresh();
    }
    if (!host || !host[0] || protocol == kProtocolSerial || Connection.noConnection)
        return -1;
    CopyText(Slots.networkHostShown, kSlotUnits, host);
    SocketResetState();
    if (Tn3270ActiveSession)
        SessionReset(Configured3270Model);
    if (Tn5250ActiveSession)
        SessionReset(Configured5250Model);
    if (protocol != kProtocolTcpIp)
        return -1;
    ConnectionType = 1;
    // Telnet mode is on before connect(): FD_CONNECT is handled on the user-interface
    // thread and may come before this thread returns, and it starts the negotiation.
    Telnet.telnetMode = 1;
    const int socket = OpenTcpConnection(host);
    if (socket < 0) {
        Telnet.telnetMode = 0;
        if (Connection.onCloseAction == 1) {
            ConnectionType = -1;
            PostExitCommand();
            return -1;
        }
        if (Connection.hostrollover)
            return socket;
        StatusBarSetLinkState(0);
        EndConnectingThread();
        ConnectionStartState = 0;
        return socket;
    }
    Tn3270UpdateTelnetModes();
    Tn5250UpdateTelnetModes();
    SocketIndex = socket;
    return socket;
}

}  // namespace

// ---- Public interface ---------------------------------------------------------------

HMODULE BindSocketLibrary()
{
    if (Ws.module)
        return Ws.module;
    HMODULE module = LoadLibraryW(L"WS2_32.DLL");
    if (!module)
        module = LoadLibraryW(L"WSOCK32.DLL");
    if (!module)
        return nullptr;
    SocketEntryPoints entries{};
    FARPROC* slots = reinterpret_cast<FARPROC*>(&entries.WSAAsyncSelect);
    for (int i = 0; i < 19; ++i) {
        slots[i] = GetProcAddress(module, kEntryNames[i]);
        if (!slots[i]) {
            FreeLibrary(module);
            return nullptr;
        }
    }
    entries.module = module;
    Ws = entries;
    return module;
}

int SocketStartup()
{
    if (!Ws.module)
        return -1;
    WSADATA data;
    return Ws.WSAStartup(MAKEWORD(1, 1), &data);
}

void SocketCleanup()
{
    if (Ws.module)
        Ws.WSACleanup();
    StartupState = -1;
    UnbindSocketLibrary();
}

int OpenTcpConnection(const wchar16* host)
{
    if (!BindSocketLibrary())
        return -14;
    if (StartupState == -1) {
        const int r = SocketStartup();
        if (r != 0) {
            UnbindSocketLibrary();
            return r < 0 ? -10092 : -r;
        }
        StartupState = 0;
    }
    const int socket = ConnectSocket(host);
    if (socket < 0)
        SocketCleanup();
    return socket;
}

HANDLE SocketReadEvent()
{
    return ReadEvent;
}

void SocketEvent(WPARAM socket, LPARAM eventAndError)
{
    const int event = LOWORD(eventAndError);
    const int error = HIWORD(eventAndError);
    if (event == 0 || event > 32)
        return;
    // Notifications of a socket closed since they were posted belong to nobody.
    if (static_cast<SocketHandle>(socket) != Pending.load())
        return;
    switch (event) {
    case FD_READ:
        ReadReady = 1;
        if (ReadEvent)
            SetEvent(ReadEvent);
        break;
    case FD_WRITE:
        Writable = 1;
        if (NetBuffers.sendPending.load())
            TelnetWrite(static_cast<SocketHandle>(socket), nullptr, 0);
        break;
    case FD_CONNECT:
        if (ConnectState != 0)
            break;
        ConnectionStartState = 0;
        if (error) {
            ConnectState = -error;
            SocketIndex = kNoSocket;
            StatusBarSetLinkState(0);
            if (!Connection.hostrollover)
                EndConnectingThread();
        } else {
            EndConnectingThread();
            ConnectState = 1;
            Writable = 1;
            SocketIndex = static_cast<SocketHandle>(socket);
            OnNetworkConnected();
        }
        break;
    case FD_CLOSE:
        PeerClosed = 1;
        ReadReady = 0;
        Writable = 0;
        if (ReadEvent)
            SetEvent(ReadEvent);
        break;
    default: break;
    }
}

int SocketReceive(SocketHandle socket)
{
    SocketBuffers& b = NetBuffers;
    const SOCKET s = Sock(socket);
    if (!Ws.module)
        return -2;
    auto received = [&](int r) {
        if (r > 0) {
            b.receiveCount = r;
            b.receiveIndex = 0;
            StatusBarSetLinkState(2);
            return -1;
        }
        b.receiveCount = 0;
        if (r == 0) {
            CloseTcpConnection(socket);
            return -2;
        }
        if (IsGoneError(Ws.WSAGetLastError())) {
            CloseTcpConnection(socket);
            return -2;
        }
        return -1;
    };
    if (PeerClosed) {
        return received(Ws.recv(s, reinterpret_cast<char*>(b.receive), kReceiveBufferSize, 0));
    }
    if (!Closing) {
        // Whatever has arrived is read at once: a flood is taken buffer after buffer
        // without waiting for a notification of each, and an empty socket only says so
        // (WSAEWOULDBLOCK). The read event is reset first, so that data arriving after
        // this read wakes the waiting reader (HostWaitForInput).
        if (ReadEvent)
            ResetEvent(ReadEvent);
        ReadReady = 0;
        b.receiveIndex = 0;
        const int r = Ws.recv(s, reinterpret_cast<char*>(b.receive), kReceiveBufferSize, 0);
        if (r == 0) {
            // The FD_CLOSE that follows makes the next receive close the socket.
            b.receiveCount = 0;
            return -1;
        }
        return received(r);
    }
    // Draining a graceful close: what still arrives is read and thrown away.
    if (!ReadReady) {
        fd_set readable, failed;
        FD_ZERO(&readable);
        FD_ZERO(&failed);
        FD_SET(s, &readable);
        FD_SET(s, &failed);
        const timeval wait{0, 1000};
        const int r = Ws.select(0, &readable, nullptr, &failed, &wait);
        if (r == 0)
            return 0;
        if (r < 0)
            return -1;
        ReadReady = Ws.WSAFDIsSet(s, &readable) ? 1 : 0;
        if (Ws.WSAFDIsSet(s, &failed) && IsGoneError(Ws.WSAGetLastError())) {
            PeerClosed = 1;
            return -2;
        }
        if (!ReadReady) {
            if (IsGoneError(Ws.WSAGetLastError())) {
                PeerClosed = 1;
                return -2;
            }
            return r;
        }
    }
    const int r = Ws.recv(s, reinterpret_cast<char*>(b.receive), kReceiveBufferSize, 0);
    b.receiveCount = 0;
    if (r == 0) {
        PeerClosed = 1;
        return -2;
    }
    ReadReady = 0;
    if (r < 0 && IsGoneError(Ws.WSAGetLastError())) {
        PeerClosed = 1;
        return -2;
    }
    return r;
}

int SocketSend(SocketHandle socket, const u8* data, int length, int flags)
{
    if (!Writable || !Ws.module)
        return 0;
    const int r = Ws.send(Sock(socket), reinterpret_cast<const char*>(data), length, flags);
    if (r == SOCKET_ERROR && Ws.WSAGetLastError() == WSAEWOULDBLOCK)
        Writable = 0;
    return r;
}

bool SocketWriteAbandoned()
{
    return PeerClosed || Closed || DisconnectRequested || ConnectionType != 1 || QuitRequested;
}

int ConnectWithRollover(u32 protocol, const wchar16* host)
{
    const wchar16* hosts[4] = {host, Connection.rollover[0], Connection.rollover[1], Connection.rollover[2]};
    int results[4] = {-1, -1, -1, -1};
    const int count = Connection.hostrollover > 0 ? 4 : 1;
    for (int i = 0; i < count; ++i) {
        StatusBarSetLinkState(3);
        if (!hosts[i] || !hosts[i][0])
            continue;
        const int socket = ConnectHost(protocol, hosts[i]);
        results[i] = socket;
        if (socket < 0)
            continue;
        while (ConnectState == 0 && !DisconnectRequested && !QuitRequested)
            Sleep(100);
        const i32 state = ConnectState;
        if (state == 1 && !DisconnectRequested) {
            EndConnectingThread();
            return socket;
        }
        if (state == kCountdownExpired) {
            DisconnectRequested = 1;
            DisconnectNetworkSession(socket);
            results[i] = -13;
            continue;
        }
        if (DisconnectRequested || QuitRequested) {
            DisconnectNetworkSession(socket);
            SocketIndex = kNoSocket;
            EndConnectingThread();
            ConnectionStartState = 0;
            PostConnectionRefresh();
            return -1;
        }
        results[i] = state;
        // The refused socket is closed here; nothing else would close it.
        DisconnectNetworkSession(socket);
        SocketIndex = kNoSocket;
    }
    EndConnectingThread();
    ConnectionStartState = 0;
    int reported = results[0];
    if (Connection.hostrollover) {
        reported = 0;
        for (int i = count - 1; i >= 0; --i)
            if (results[i] < -1) {
                reported = results[i];
                break;
            }
    }
    if (reported != 0)
        PostMessageW(MainWindowHandle, kMsgConnectFailure, static_cast<WPARAM>(static_cast<i64>(reported)), 0);
    else
        PostConnectionRefresh();
    return -1;
}

int ConnectNetworkSession(u32 protocolIndex, const wchar16* host)
{
    return ConnectWithRollover(kProtocolTcpIp + protocolIndex, host);
}

void DisconnectNetworkSession(SocketHandle socket)
{
    if (socket < 0)
        return;
    Closed = 1;
    if (ConnectionType == 1)
        CloseTcpConnection(socket);
    NetBuffers.receiveCount = NetBuffers.receiveIndex = 0;
    ConnectionType = -1;
    Telnet.telnetMode = 0;
    Tn3270UpdateTelnetModes();
    Tn5250UpdateTelnetModes();
}

void ShowConnectError(i32 code)
{
    const i32 n = -code;
    if (n <= 0)
        return;  // no failure: only the title and menus are refreshed
    if (n >= 10000) {
        ShowTcpIpErrorBox(n);
        return;
    }
    // clang-format off
    switch (n) {
    case 2: case 3: case 4: case 5: case 6: case 8: case 10: case 11: case 12: case 13: case 14:
        MessageBoxById(7200 + static_cast<u32>(n));
        return;
    case 7:
        return;
    default:
        MessageBoxFormatIdNumber(7200, n);
    }
    // clang-format on
}

bool NetworkConnectionOpen()
{
    return SocketIndex >= 0;
}

bool ConnectingDialogShown()
{
    return ConnectingThreadId != 0 && !DialogNotShown;
}

void NotifyConnectingThreadOfFocus()
{
    PostToConnectingThread(kMsgShowConnecting);
}

bool NetworkClosed()
{
    return Closed != 0;
}

std::u16string LocalHostName()
{
    std::u16string name;
    if (!BindSocketLibrary())
        return name;
    char buffer[256] = {};
    if (Ws.gethostname(buffer, sizeof buffer - 1) == 0)
        for (const char* p = buffer; *p; ++p)
            name.push_back(static_cast<u8>(*p));
    return name;
}
