// Waiting for a socket without freezing the thread: the wait is cut into
// short slices and the thread's window messages are dispatched between them,
// as the blocking calls of Windows Sockets 1.1 did, and it ends at a deadline.
#pragma once

#include <windows.h>

namespace ftp {

// OtherReady: the socket watched besides has something to read (and the
// socket itself is not ready).
enum class WaitResult { Ready, OtherReady, TimedOut, Failed, Cancelled };
enum class WaitFor { Read, Write, Connect };

// Waits at most timeoutMs until the socket is ready (Connect: connected or
// failed), or until alsoRead, when given, has something to read. Cancelled
// when the thread is asked to quit (the quit request is posted again for the
// thread's own loop).
WaitResult waitForSocket(SOCKET socket, WaitFor what, DWORD timeoutMs, SOCKET alsoRead = INVALID_SOCKET);

// Dispatches the thread's messages at most every few tenths of a second, so
// that a transfer that never has to wait still lets windows repaint.
class MessageBreaks {
public:
    // False when the thread was asked to quit.
    bool take();

private:
    DWORD last_ = GetTickCount();
};

// Makes the socket non-blocking, so that every wait goes through waitForSocket.
bool setNonBlocking(SOCKET socket);

} // namespace ftp
