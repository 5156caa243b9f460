// The expected lines, from the platform's own answers about the files.
#include "tests/win32/support/expected_lines.h"

#include <windows.h>

#include <cstdio>
#include <map>

std::vector<std::string> filesInWalkOrder(const std::string& folder, bool filesFirst) {
    std::vector<std::string> files;
    std::vector<std::string> folders;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "\\*.*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return files;
    do {
        if (data.cFileName[0] == '.')
            continue;
        const std::string child = folder + "\\" + data.cFileName;
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            files.push_back(child);
        } else if (filesFirst) {
            folders.push_back(child);
        } else {
            const auto below = filesInWalkOrder(child, false);
            files.insert(files.end(), below.begin(), below.end());
        }
    } while (FindNextFileA(find, &data));
    FindClose(find);
    for (const std::string& f : folders) {
        const auto below = filesInWalkOrder(f, true);
        files.insert(files.end(), below.begin(), below.end());
    }
    return files;
}

std::string foundFileLine(const std::string& path, const char* sizePrefix) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return "";
    FILETIME local;
    SYSTEMTIME t;
    FileTimeToLocalFileTime(&data.ftCreationTime, &local);
    FileTimeToSystemTime(&local, &t);
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%02u.%02u.%u\t%02u:%02u:%02u", t.wDay, t.wMonth, t.wYear, t.wHour, t.wMinute,
                  t.wSecond);
    std::string letters;
    const DWORD bits[] = {FILE_ATTRIBUTE_READONLY, FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_SYSTEM,
                          FILE_ATTRIBUTE_ARCHIVE};
    for (int i = 0; i < 4; ++i)
        if (data.dwFileAttributes & bits[i])
            letters += "RHSA"[i];
    std::string digits = std::to_string(data.nFileSizeLow), size;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            size += '.';
        size += digits[i];
    }
    return path + "\t" + stamp + "\t" + letters + "\t" + sizePrefix + size;
}

std::vector<std::string> expectedEqualFileLines(const std::vector<std::string>& paths) {
    std::vector<std::string> keys;
    std::map<std::string, int> count;
    for (const std::string& p : paths) {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        GetFileAttributesExA(p.c_str(), GetFileExInfoStandard, &data);
        keys.push_back(p.substr(p.rfind('\\') + 1) + "\t" + std::to_string(data.nFileSizeLow));
        ++count[keys.back()];
    }
    std::vector<std::string> lines;
    std::map<std::string, bool> listed;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        if (count[keys[i]] < 2 || listed[keys[i]])
            continue;
        listed[keys[i]] = true;
        lines.push_back(keys[i].substr(0, keys[i].find('\t')));
        for (std::size_t j = i; j < paths.size(); ++j)
            if (keys[j] == keys[i])
                lines.push_back("\t" + foundFileLine(paths[j], ""));
    }
    return lines;
}
