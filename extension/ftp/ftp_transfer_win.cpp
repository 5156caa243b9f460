// The FTP client's transfers: one exchange on the control connection and one
// data connection that the server opens to the port the client announced.
// Before <windows.h>, which the client's header includes: the calls that
// take several blocks at once.
#include <winsock2.h>

#include "extension/ftp/ftp_client_win.h"

#include <cstring>
#include <vector>

#include "extension/ftp/ftp_commands.h"
#include "extension/ftp/ftp_local_file_win.h"
#include "extension/ftp/ftp_wait_win.h"

namespace ftp {

namespace {

// Data moves in blocks of 4000 bytes down and 1024 bytes up. Every socket
// call costs a round trip through the platform (under Wine a server request,
// a few hundred microseconds on a busy machine), so one call per block made
// a 100 MB transfer over loopback ten (download) to a hundred (upload) times
// slower than the line allows: each call hands over a row of blocks.
constexpr DWORD kReceiveBlockSize = 4000;
constexpr DWORD kSendBlockSize = 1024;
constexpr int kReceiveBlocksPerCall = 256; // about 1 MB a call
constexpr int kSendBlocksPerCall = 1024;   // 1 MB a call, one file read
// Socket buffers big enough for such a call: with the system's default the
// receiving side got about 90 KB a call.
constexpr int kSocketBufferSize = 1024 * 1024;
// Connections from elsewhere that the data port turns away before giving up.
constexpr int kMaxRefusedConnections = 8;

// Describes bytes as consecutive blocks of blockSize (the last one shorter);
// returns how many buffers were filled, at most count.
DWORD describeBlocks(char* bytes, DWORD size, DWORD blockSize, WSABUF* buffers, int count) {
    DWORD used = 0;
    for (DWORD at = 0; at < size && used < static_cast<DWORD>(count); at += blockSize, ++used) {
        buffers[used].buf = bytes + at;
        buffers[used].len = size - at < blockSize ? size - at : blockSize;
    }
    return used;
}

} // namespace

bool FtpClient::listDirectory(const std::string& localPath, const std::string& remotePath) {
    if (busy_ != 0 || !connected())
        return false;
    Busy busy(*this);
    DownloadFile file;
    return file.open(localPath) && transfer(kModeAscii | kModeRawCommand, listCommand(remotePath), &file, nullptr);
}

bool FtpClient::retrieveFile(const std::string& localPath, const std::string& remotePath, unsigned mode) {
    if (busy_ != 0 || !connected())
        return false;
    Busy busy(*this);
    DownloadFile file;
    return file.open(localPath) &&
           transfer(mode, transferCommand(Direction::Download, mode, remotePath), &file, nullptr);
}

bool FtpClient::storeFile(const std::string& localPath, const std::string& remotePath, unsigned mode) {
    if (busy_ != 0 || !connected())
        return false;
    Busy busy(*this);
    // A local file that cannot be read sends no STOR, which would empty the remote file.
    UploadFile file;
    return file.open(localPath) && transfer(mode, transferCommand(Direction::Upload, mode, remotePath), nullptr, &file);
}

bool FtpClient::transfer(unsigned mode, const std::string& command, DownloadFile* download, UploadFile* upload) {
    std::string line;
    if (!sendCommand(typeCommand(mode)) || readFullReply(line) < 0)
        return false;
    if (!openDataPort() || !sendCommand(command)) {
        closeSocket(listen_);
        return false;
    }
    if (readFullReply(line) != 1) {
        closeSocket(listen_);
        return false;
    }
    bool answered = false;
    SOCKET data = acceptFromServer(answered);
    closeSocket(listen_);
    if (data == INVALID_SOCKET) {
        // Unless the server has answered already, its answer to the failed
        // transfer may still come and would be taken for the next command's.
        if (!answered)
            dropControl();
        return false;
    }
    const bool moved = download != nullptr ? receiveInto(data, *download) : sendFrom(data, *upload);
    closeSocket(data);
    const int replyClass = readFullReply(line);
    return moved && replyClass == 2 && (download == nullptr || download->commit());
}

bool FtpClient::openDataPort() {
    listen_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (listen_ == INVALID_SOCKET)
        return false;
    // Listen only where the server reaches this machine: the control connection's local address.
    int size = sizeof local_;
    if (getsockname(control_, reinterpret_cast<sockaddr*>(&local_), &size) != 0)
        return false;
    sockaddr_in bound = local_;
    bound.sin_port = 0;
    size = sizeof bound;
    // The data connection takes these from the listen socket; without them it works all the same.
    setsockopt(listen_, SOL_SOCKET, SO_RCVBUF, reinterpret_cast<const char*>(&kSocketBufferSize),
               sizeof kSocketBufferSize);
    setsockopt(listen_, SOL_SOCKET, SO_SNDBUF, reinterpret_cast<const char*>(&kSocketBufferSize),
               sizeof kSocketBufferSize);
    if (bind(listen_, reinterpret_cast<const sockaddr*>(&bound), sizeof bound) != 0 ||
        getsockname(listen_, reinterpret_cast<sockaddr*>(&bound), &size) != 0 || listen(listen_, 1) != 0 ||
        !setNonBlocking(listen_))
        return false;
    std::array<std::uint8_t, 4> address;
    std::memcpy(address.data(), &local_.sin_addr, 4);
    std::string line;
    if (!sendCommand(portCommand(address, ntohs(bound.sin_port))))
        return false;
    readFullReply(line); // a refused PORT shows in the reply to the command that follows
    return connected();
}

SOCKET FtpClient::acceptFromServer(bool& answered) {
    const DWORD start = GetTickCount();
    for (int refused = 0; refused <= kMaxRefusedConnections;) {
        const DWORD elapsed = GetTickCount() - start;
        // The control connection is watched too: a server that cannot open
        // the data connection says so there, and no connection will come.
        const WaitResult waited = elapsed >= timeouts_.acceptMs
                                      ? WaitResult::TimedOut
                                      : waitForSocket(listen_, WaitFor::Read, timeouts_.acceptMs - elapsed, control_);
        if (waited == WaitResult::OtherReady) {
            std::string line;
            const int replyClass = readFullReply(line);
            if (replyClass == 1)
                continue; // one more preliminary reply; the connection may still come
            answered = replyClass >= 0;
            return INVALID_SOCKET;
        }
        if (waited != WaitResult::Ready)
            return INVALID_SOCKET;
        sockaddr_in peer{};
        int size = sizeof peer;
        SOCKET data = accept(listen_, reinterpret_cast<sockaddr*>(&peer), &size);
        if (data == INVALID_SOCKET) {
            // A connection given up before it was taken is no reason to stop waiting for the server.
            const int error = WSAGetLastError();
            if (error == WSAEWOULDBLOCK || error == WSAECONNRESET)
                continue;
            return INVALID_SOCKET;
        }
        // Only the server may deliver data; anyone else who found the port first is turned away.
        if (peer.sin_addr.s_addr == server_.sin_addr.s_addr && setNonBlocking(data)) {
            dataPeer_ = peer;
            return data;
        }
        closeSocket(data);
        ++refused;
    }
    return INVALID_SOCKET;
}

bool FtpClient::receiveInto(SOCKET data, DownloadFile& file) {
    MessageBreaks breaks;
    std::vector<char> block(kReceiveBlockSize * kReceiveBlocksPerCall);
    std::vector<WSABUF> buffers(kReceiveBlocksPerCall);
    describeBlocks(block.data(), static_cast<DWORD>(block.size()), kReceiveBlockSize, buffers.data(),
                   kReceiveBlocksPerCall);
    for (;;) {
        DWORD got = 0;
        DWORD flags = 0;
        if (WSARecv(data, buffers.data(), kReceiveBlocksPerCall, &got, &flags, nullptr, nullptr) == 0) {
            if (got == 0)
                return true;
            if (!file.write(block.data(), got) || !breaks.take())
                return false;
        } else if (WSAGetLastError() != WSAEWOULDBLOCK ||
                   waitForSocket(data, WaitFor::Read, timeouts_.dataMs) != WaitResult::Ready) {
            return false;
        }
    }
}

bool FtpClient::sendFrom(SOCKET data, UploadFile& file) {
    MessageBreaks breaks;
    std::vector<char> block(kSendBlockSize * kSendBlocksPerCall);
    std::vector<WSABUF> buffers(kSendBlocksPerCall);
    for (;;) {
        const int got = file.read(block.data(), static_cast<DWORD>(block.size()));
        if (got <= 0)
            return got == 0;
        for (DWORD at = 0; at < static_cast<DWORD>(got);) {
            const DWORD used = describeBlocks(block.data() + at, static_cast<DWORD>(got) - at, kSendBlockSize,
                                              buffers.data(), kSendBlocksPerCall);
            DWORD sent = 0;
            const int result = WSASend(data, buffers.data(), used, &sent, 0, nullptr, nullptr);
            if (result == 0 && sent > 0)
                at += sent;
            else if (result == 0 || WSAGetLastError() != WSAEWOULDBLOCK ||
                     waitForSocket(data, WaitFor::Write, timeouts_.dataMs) != WaitResult::Ready)
                return false;
        }
        if (!breaks.take())
            return false;
    }
}

} // namespace ftp
