// Local files of FTP transfers.
#include "extension/ftp/ftp_local_file_win.h"

#include "extension/ftp/ftp_commands.h"

namespace ftp {

DownloadFile::~DownloadFile() {
    close();
    if (!temporary_.empty())
        DeleteFileA(temporary_.c_str());
}

bool DownloadFile::open(const std::string& target) {
    char name[MAX_PATH] = "";
    if (target.empty() || GetTempFileNameA(localDirectory(target).c_str(), "kft", 0, name) == 0)
        return false;
    temporary_ = name;
    target_ = target;
    file_ = CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    return file_ != INVALID_HANDLE_VALUE;
}

bool DownloadFile::write(const char* bytes, DWORD size) {
    DWORD written = 0;
    return file_ != INVALID_HANDLE_VALUE && WriteFile(file_, bytes, size, &written, nullptr) && written == size;
}

bool DownloadFile::commit() {
    if (file_ == INVALID_HANDLE_VALUE)
        return false;
    close();
    if (!MoveFileExA(temporary_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED))
        return false;
    temporary_.clear();
    return true;
}

void DownloadFile::close() {
    if (file_ != INVALID_HANDLE_VALUE)
        CloseHandle(file_);
    file_ = INVALID_HANDLE_VALUE;
}

UploadFile::~UploadFile() {
    if (file_ != INVALID_HANDLE_VALUE)
        CloseHandle(file_);
}

bool UploadFile::open(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return false;
    file_ = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN,
                        nullptr);
    return file_ != INVALID_HANDLE_VALUE;
}

int UploadFile::read(char* buffer, DWORD size) {
    DWORD got = 0;
    if (!ReadFile(file_, buffer, size, &got, nullptr))
        return -1;
    return static_cast<int>(got);
}

} // namespace ftp
