// Socket waits that keep the thread's messages moving.
#include "extension/ftp/ftp_wait_win.h"

namespace ftp {

namespace {

constexpr DWORD kSliceMs = 50;
constexpr DWORD kBreakEveryMs = 200;

// False when a quit request was met (and posted again).
bool dispatchMessages() {
    MSG message;
    for (int i = 0; i < 1000 && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE); ++i) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return true;
}

} // namespace

WaitResult waitForSocket(SOCKET socket, WaitFor what, DWORD timeoutMs, SOCKET alsoRead) {
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return WaitResult::TimedOut;
        const DWORD slice = timeoutMs - elapsed < kSliceMs ? timeoutMs - elapsed : kSliceMs;
        fd_set readable;
        FD_ZERO(&readable);
        fd_set writable;
        FD_ZERO(&writable);
        fd_set failed;
        FD_ZERO(&failed);
        FD_SET(socket, what == WaitFor::Read ? &readable : &writable);
        if (what == WaitFor::Connect)
            FD_SET(socket, &failed);
        if (alsoRead != INVALID_SOCKET)
            FD_SET(alsoRead, &readable);
        timeval wait{0, static_cast<long>(slice) * 1000};
        const int count = select(0, &readable, &writable, &failed, &wait);
        if (count == SOCKET_ERROR)
            return WaitResult::Failed;
        if (what == WaitFor::Connect && FD_ISSET(socket, &failed))
            return WaitResult::Failed;
        if (FD_ISSET(socket, what == WaitFor::Read ? &readable : &writable))
            return WaitResult::Ready;
        if (count > 0)
            return WaitResult::OtherReady;
        if (!dispatchMessages())
            return WaitResult::Cancelled;
    }
}

bool MessageBreaks::take() {
    const DWORD now = GetTickCount();
    if (now - last_ < kBreakEveryMs)
        return true;
    last_ = now;
    return dispatchMessages();
}

bool setNonBlocking(SOCKET socket) {
    u_long on = 1;
    return ioctlsocket(socket, FIONBIO, &on) == 0;
}

} // namespace ftp
