// The FTP servers the test command runs for the FTP tests (vsftpd and the
// scripted server on 127.0.0.1), the prefix's service entry that points the
// client at them, and a recorder of the message boxes the client shows.
#pragma once

#include <windows.h>

#include <set>
#include <string>
#include <vector>

struct FtpServers {
    int vsftpdPort = 0; // 0: no vsftpd (the test command did not run as root)
    int scriptedPort = 0;
    int controlPort = 0;
    std::string tree; // the directory vsftpd serves, as a Windows path
    std::string log;  // vsftpd's log of every command and reply
    std::string localUser;
    std::string localPassword;

    // From the state file the fixture wrote; ports 0 when there is none.
    static FtpServers load();

    // Names the scenario the scripted server plays for the next connection.
    bool scenario(const char* name) const;
    // What happened in the last scenario: "peer ADDRESS", "> COMMAND" for
    // each command received, and the server's own notes.
    std::vector<std::string> transcript() const;
};

// Points the service "ftp" of the prefix's services file at port (0: removes
// it); the file's old contents come back at destruction.
class FtpServiceEntry {
public:
    explicit FtpServiceEntry(int port);
    ~FtpServiceEntry();
    FtpServiceEntry(const FtpServiceEntry&) = delete;
    FtpServiceEntry& operator=(const FtpServiceEntry&) = delete;

private:
    std::string path_;
    std::string original_;
};

// Closes every message box this thread shows and records it as
// "icon: text" with icon one of "stop", "exclamation", "other".
class BoxRecorder {
public:
    BoxRecorder();
    ~BoxRecorder();
    BoxRecorder(const BoxRecorder&) = delete;
    BoxRecorder& operator=(const BoxRecorder&) = delete;

    std::vector<std::string> boxes;
    std::vector<std::string> captions;

private:
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD);
    UINT_PTR timer_;
    std::set<HWND> handled_;
};

// Lines of the vsftpd log from offset on that record a command ("TYPE A").
std::vector<std::string> vsftpdCommands(const std::string& log, std::size_t offset);
