// The FTP client's transfers: one exchange on the control connection and one
// data connection that the server opens to the port the client announced.
#include "extension/ftp/ftp_client_win.h"

#include <cstring>
#include <vector>

#include "extension/ftp/ftp_commands.h"
#include "extension/ftp/ftp_local_file_win.h"
#include "extension/ftp/ftp_wait_win.h"

namespace ftp {

namespace {

// Data moves in blocks of this size: every socket call costs a round trip
// through the platform (under Wine a server request), so small blocks made
// a transfer over loopback a hundred times slower than the line allows.
constexpr int kDataBlockSize = 64 * 1024;
// Connections from elsewhere that the data port turns away before giving up.
constexpr int kMaxRefusedConnections = 8;

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
    std::vector<char> block(kDataBlockSize);
    for (;;) {
        const int got = recv(data, block.data(), kDataBlockSize, 0);
        if (got > 0) {
            if (!file.write(block.data(), static_cast<DWORD>(got)) || !breaks.take())
                return false;
        } else if (got == 0) {
            return true;
        } else if (WSAGetLastError() != WSAEWOULDBLOCK ||
                   waitForSocket(data, WaitFor::Read, timeouts_.dataMs) != WaitResult::Ready) {
            return false;
        }
    }
}

bool FtpClient::sendFrom(SOCKET data, UploadFile& file) {
    MessageBreaks breaks;
    std::vector<char> block(kDataBlockSize);
    for (;;) {
        const int got = file.read(block.data(), kDataBlockSize);
        if (got <= 0)
            return got == 0;
        if (!sendAll(data, block.data(), got, timeouts_.dataMs) || !breaks.take())
            return false;
    }
}

} // namespace ftp
