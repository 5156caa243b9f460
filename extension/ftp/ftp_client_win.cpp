// The FTP client's control connection: connecting, replies, login, QUIT.
#include "extension/ftp/ftp_client_win.h"

#include <cstring>

#include "common/win/plain_message.h"
#include "extension/ftp/ftp_commands.h"
#include "extension/ftp/ftp_reply.h"
#include "extension/ftp/ftp_wait_win.h"

namespace ftp {

FtpClient::FtpClient(HWND owner) : owner_(owner) {
    WSADATA data;
    started_ = WSAStartup(0x0101, &data) == 0;
    if (!started_)
        showMessage(owner_, "FTP client failed to initialize\nCheck WINSOCK.DLL", MB_OK | MB_ICONHAND);
}

FtpClient::~FtpClient() {
    if (control_ != INVALID_SOCKET && busy_ == 0) {
        Busy busy(*this);
        std::string line;
        if (sendCommand("QUIT"))
            readFullReply(line);
    }
    closeSocket(listen_);
    closeSocket(control_);
    if (started_)
        WSACleanup();
}

bool FtpClient::login(const std::string& host, const std::string& user, const std::string& password,
                      const std::string& account) {
    if (busy_ != 0 || !started_)
        return false;
    Busy busy(*this);
    closeSocket(control_);
    if (!connectControl(host))
        return false;
    int size = sizeof local_;
    if (getsockname(control_, reinterpret_cast<sockaddr*>(&local_), &size) != 0) {
        closeSocket(control_);
        return false;
    }
    // The greeting's own code is not judged: after any final line the login goes on.
    std::string line;
    int replyClass = readGreeting() ? 0 : -1;
    LoginStep step = LoginStep::User;
    while (replyClass >= 0 && step != LoginStep::Done) {
        const std::string command = step == LoginStep::User       ? "USER " + user
                                    : step == LoginStep::Password ? "PASS " + password
                                                                  : "ACCT " + account;
        replyClass = sendCommand(command) ? readFullReply(line) : -1;
        step = nextLoginStep(step, replyClass);
    }
    if (replyClass == 2)
        return true;
    showMessage(owner_, "FTP Logon Fehler:\n" + lastLine_, MB_OK | MB_ICONEXCLAMATION);
    return false;
}

bool FtpClient::connectControl(const std::string& host) {
    server_ = {};
    server_.sin_family = AF_INET;
    const servent* service = getservbyname("FTP", "TCP");
    server_.sin_port = service != nullptr ? static_cast<u_short>(service->s_port) : htons(21);
    const hostent* entry = gethostbyname(host.c_str());
    if (entry != nullptr && entry->h_addrtype == AF_INET && entry->h_length == 4 && entry->h_addr_list[0] != nullptr)
        std::memcpy(&server_.sin_addr, entry->h_addr_list[0], 4);
    else
        server_.sin_addr.s_addr = inet_addr(host.c_str());
    if (server_.sin_addr.s_addr == INADDR_NONE)
        return false;
    control_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (control_ == INVALID_SOCKET)
        return false;
    dataPeer_ = server_;
    dataPeer_.sin_port = htons(20);
    bool connected = setNonBlocking(control_);
    if (connected && connect(control_, reinterpret_cast<const sockaddr*>(&server_), sizeof server_) != 0) {
        connected = WSAGetLastError() == WSAEWOULDBLOCK &&
                    waitForSocket(control_, WaitFor::Connect, timeouts_.connectMs) == WaitResult::Ready;
        int error = 0;
        int size = sizeof error;
        if (connected && getsockopt(control_, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &size) == 0)
            connected = error == 0;
    }
    if (!connected)
        closeSocket(control_);
    return connected;
}

bool FtpClient::readGreeting() {
    std::string line;
    for (int i = 0; i < kMaxReplyLines; ++i) {
        const int replyClass = readFullReply(line);
        if (replyClass != 1)
            return replyClass >= 0;
    }
    return false;
}

int FtpClient::readReply(std::string& line) {
    line.clear();
    lastLine_.clear();
    lastCode_ = 0;
    if (control_ == INVALID_SOCKET)
        return -1;
    LineAssembler assembler;
    const DWORD start = GetTickCount();
    while (!assembler.complete()) {
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeouts_.replyMs ||
            waitForSocket(control_, WaitFor::Read, timeouts_.replyMs - elapsed) != WaitResult::Ready) {
            dropControl();
            return -1;
        }
        const int pending = recv(control_, buffer_.data(), static_cast<int>(kPeekSize), MSG_PEEK);
        if (pending == SOCKET_ERROR && WSAGetLastError() == WSAEWOULDBLOCK)
            continue;
        const std::size_t take =
            pending > 0 ? LineAssembler::bytesToTake({buffer_.data(), static_cast<std::size_t>(pending)}) : 0;
        const int taken = take > 0 ? recv(control_, buffer_.data(), static_cast<int>(take), 0) : 0;
        if (taken <= 0) {
            dropControl();
            return -1;
        }
        assembler.add({buffer_.data(), static_cast<std::size_t>(taken)});
    }
    line = assembler.line();
    lastLine_ = line;
    lastCode_ = replyCode(line);
    if (isErrorCode(lastCode_))
        showMessage(owner_, "FTP Fehler:\n" + line, MB_OK | MB_ICONHAND);
    return replyClass(lastCode_);
}

int FtpClient::readFullReply(std::string& line) {
    int result = readReply(line);
    if (result < 0 || !opensMultiLineReply(line))
        return result;
    const std::string first = line;
    for (int i = 0; i < kMaxReplyLines; ++i) {
        result = readReply(line);
        if (result < 0 || endsMultiLineReply(first, line))
            return result;
    }
    dropControl();
    return -1;
}

bool FtpClient::sendCommand(const std::string& text) {
    const std::optional<std::string> wire = commandLine(text);
    if (!wire || control_ == INVALID_SOCKET)
        return false;
    for (std::size_t at = 0; at < wire->size(); at += kCommandPieceSize) {
        const std::size_t piece = wire->size() - at < kCommandPieceSize ? wire->size() - at : kCommandPieceSize;
        if (!sendAll(control_, wire->data() + at, static_cast<int>(piece), timeouts_.replyMs)) {
            dropControl();
            return false;
        }
    }
    return true;
}

bool FtpClient::sendAll(SOCKET socket, const char* bytes, int size, DWORD timeoutMs) {
    while (size > 0) {
        const int sent = send(socket, bytes, size, 0);
        if (sent > 0) {
            bytes += sent;
            size -= sent;
        } else if (sent == 0 || WSAGetLastError() != WSAEWOULDBLOCK ||
                   waitForSocket(socket, WaitFor::Write, timeoutMs) != WaitResult::Ready) {
            return false;
        }
    }
    return true;
}

void FtpClient::closeSocket(SOCKET& socket) {
    if (socket == INVALID_SOCKET)
        return;
    shutdown(socket, 2);
    closesocket(socket);
    socket = INVALID_SOCKET;
}

void FtpClient::dropControl() {
    closeSocket(control_);
}

} // namespace ftp
