// The local side of a transfer. A download is written to a temporary file
// beside its target and takes the target's place only once the server has
// confirmed the transfer, so a broken download leaves the old file intact.
#pragma once

#include <windows.h>

#include <string>

namespace ftp {

class DownloadFile {
public:
    DownloadFile() = default;
    ~DownloadFile();
    DownloadFile(const DownloadFile&) = delete;
    DownloadFile& operator=(const DownloadFile&) = delete;

    // Creates the temporary file in the target's directory.
    bool open(const std::string& target);
    bool write(const char* bytes, DWORD size);
    // Puts the temporary file in the target's place; false leaves the target as it was.
    bool commit();

private:
    void close();

    HANDLE file_ = INVALID_HANDLE_VALUE;
    std::string target_;
    std::string temporary_;
};

class UploadFile {
public:
    UploadFile() = default;
    ~UploadFile();
    UploadFile(const UploadFile&) = delete;
    UploadFile& operator=(const UploadFile&) = delete;

    // The file must exist and open for reading.
    bool open(const std::string& path);
    // Bytes read into buffer: 0 at the end of the file, -1 when reading failed.
    int read(char* buffer, DWORD size);

private:
    HANDLE file_ = INVALID_HANDLE_VALUE;
};

} // namespace ftp
