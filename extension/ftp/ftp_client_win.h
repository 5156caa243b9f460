// The FTP client of the extension: one control connection to one server
// over Windows Sockets 1.1, login, and active-mode transfers of listings and
// files. It runs on the File Manager's thread; while it waits, the thread's
// window messages are dispatched, and every wait ends at a time-out, so a
// silent server cannot freeze the File Manager. A second operation started
// from such a message fails at once (busy counter).
//
// The owner must not destroy the client from a message handled during one of
// the client's own operations (busy() is true then).
#pragma once

#include <windows.h>

#include <array>
#include <string>

namespace ftp {

class DownloadFile;
class UploadFile;

// Longest waits, in milliseconds.
struct Timeouts {
    DWORD connectMs = 15000; // the server accepts the control connection
    DWORD replyMs = 30000;   // one reply line arrives completely
    DWORD acceptMs = 20000;  // the server opens the data connection
    DWORD dataMs = 30000;    // the data connection moves again
};

class FtpClient {
public:
    // Starts Windows Sockets; a failure is shown at once (owner: the window
    // that owns the client's message boxes) and makes every operation fail.
    explicit FtpClient(HWND owner = nullptr);
    // Sends "QUIT" when connected and idle.
    ~FtpClient();
    FtpClient(const FtpClient&) = delete;
    FtpClient& operator=(const FtpClient&) = delete;

    bool login(const std::string& host, const std::string& user, const std::string& password,
               const std::string& account);
    // The listing of remotePath ("" for the current directory) into localPath.
    bool listDirectory(const std::string& localPath, const std::string& remotePath);
    bool retrieveFile(const std::string& localPath, const std::string& remotePath, unsigned mode);
    bool storeFile(const std::string& localPath, const std::string& remotePath, unsigned mode);

    // The exchange's building blocks. A reply read returns its class, or a
    // negative value when the connection failed; a connection that failed or
    // timed out is closed, since later replies could no longer be matched.
    int readReply(std::string& line);
    int readFullReply(std::string& line);
    bool sendCommand(const std::string& text);
    void closeSocket(SOCKET& socket);

    void setTimeouts(const Timeouts& timeouts) { timeouts_ = timeouts; }
    // The window that owns the client's message boxes from now on.
    void setOwner(HWND owner) { owner_ = owner; }
    bool busy() const { return busy_ != 0; }
    bool connected() const { return control_ != INVALID_SOCKET; }
    const std::string& lastReplyLine() const { return lastLine_; }
    int lastReplyCode() const { return lastCode_; }
    // Where login connected to (port in network order).
    const sockaddr_in& serverAddress() const { return server_; }

private:
    // Marks one operation in progress for as long as it lives.
    class Busy {
    public:
        explicit Busy(FtpClient& client) : client_(client) { ++client_.busy_; }
        ~Busy() { --client_.busy_; }
        Busy(const Busy&) = delete;
        Busy& operator=(const Busy&) = delete;

    private:
        FtpClient& client_;
    };

    bool connectControl(const std::string& host);
    bool readGreeting();
    bool transfer(unsigned mode, const std::string& command, DownloadFile* download, UploadFile* upload);
    bool openDataPort();
    // INVALID_SOCKET without a connection; answered tells whether the
    // server's reply to the transfer was read instead (a refusal).
    SOCKET acceptFromServer(bool& answered);
    bool receiveInto(SOCKET data, DownloadFile& file);
    bool sendFrom(SOCKET data, UploadFile& file);
    bool sendAll(SOCKET socket, const char* bytes, int size, DWORD timeoutMs);
    void dropControl();

    HWND owner_;
    bool started_ = false;
    int busy_ = 0;
    Timeouts timeouts_;
    sockaddr_in server_{};
    sockaddr_in dataPeer_{};
    sockaddr_in local_{};
    SOCKET control_ = INVALID_SOCKET;
    SOCKET listen_ = INVALID_SOCKET;
    std::array<char, 4096> buffer_{};
    std::string lastLine_;
    int lastCode_ = 0;
};

} // namespace ftp
