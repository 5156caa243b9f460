// The file system side of the FTP trees' listings.
#include "extension/ftp/listing_file_win.h"

#include <windows.h>

#include <cstdio>

namespace ftp {

namespace {

std::optional<std::string> environmentValue(const char* name) {
    char value[MAX_PATH] = "";
    const DWORD size = GetEnvironmentVariableA(name, value, sizeof value);
    if (size == 0 || size >= sizeof value)
        return std::nullopt;
    return std::string(value, size);
}

} // namespace

std::string listingTempFile() {
    const auto temp = environmentValue("TEMP");
    const auto tmp = environmentValue("TMP");
    return listingTempFilePath(temp ? temp->c_str() : nullptr, tmp ? tmp->c_str() : nullptr);
}

std::optional<std::vector<ListingEntry>> readListingFile(const std::string& path) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return std::nullopt;
    std::vector<ListingEntry> entries;
    std::string line;
    for (int c; (c = std::fgetc(file)) != EOF;) {
        if (c != '\n') {
            line += static_cast<char>(c);
            continue;
        }
        if (auto entry = parseListingLine(line))
            entries.push_back(std::move(*entry));
        line.clear();
    }
    if (auto entry = parseListingLine(line))
        entries.push_back(std::move(*entry));
    std::fclose(file);
    return entries;
}

std::vector<ListingEntry> listLocalDirectory(const std::string& directory) {
    std::vector<ListingEntry> entries;
    if (directory.size() > 3) {
        const DWORD attributes = GetFileAttributesA(directory.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
            return entries;
    }
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((directory + "\\*.*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return entries;
    do {
        if (found.cFileName[0] == '.')
            continue;
        const EntryKind kind =
            found.dwFileAttributes == FILE_ATTRIBUTE_DIRECTORY ? EntryKind::Directory : EntryKind::File;
        entries.push_back({found.cFileName, kind});
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return entries;
}

} // namespace ftp
