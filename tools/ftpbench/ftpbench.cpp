// Times one download and one upload of the FTP client against a server the
// prefix's service entry "ftp" points at, logged in anonymously.
// Usage: ftpbench HOST REMOTE_SOURCE LOCAL_FILE REMOTE_TARGET
#include <windows.h>

#include <cstdio>
#include <string>

#include "common/win/deliverable.h"
#include "extension/ftp/ftp_client_win.h"

namespace {

double fileMegabytes(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return (static_cast<double>(data.nFileSizeHigh) * 4294967296.0 + data.nFileSizeLow) / (1024.0 * 1024.0);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: ftpbench HOST REMOTE_SOURCE LOCAL_FILE REMOTE_TARGET\n");
        return 2;
    }
    setDeliverable(kExtensionProfile);
    ftp::FtpClient client;
    if (!client.login(argv[1], "anonymous", "", "")) {
        std::fprintf(stderr, "login failed\n");
        return 1;
    }
    LARGE_INTEGER frequency, start, middle, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    const bool downloaded = client.retrieveFile(argv[3], argv[2], 0);
    QueryPerformanceCounter(&middle);
    const bool uploaded = downloaded && client.storeFile(argv[3], argv[4], 0);
    QueryPerformanceCounter(&end);
    if (!uploaded) {
        std::fprintf(stderr, downloaded ? "upload failed\n" : "download failed\n");
        return 1;
    }
    const double megabytes = fileMegabytes(argv[3]);
    const double down = static_cast<double>(middle.QuadPart - start.QuadPart) / frequency.QuadPart;
    const double up = static_cast<double>(end.QuadPart - middle.QuadPart) / frequency.QuadPart;
    std::printf("%.1f %.3f %.3f\n", megabytes, down, up);
    return 0;
}
