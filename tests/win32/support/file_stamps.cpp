// Reading file times and attributes back for the tests.
#include "tests/win32/support/file_stamps.h"

std::uint64_t timeValue(const FILETIME& time) {
    return static_cast<std::uint64_t>(time.dwHighDateTime) << 32 | time.dwLowDateTime;
}

std::uint64_t timeValue(const SYSTEMTIME& time) {
    FILETIME file{};
    SystemTimeToFileTime(&time, &file);
    return timeValue(file);
}

FileTimes fileTimes(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return {};
    return {timeValue(data.ftCreationTime), timeValue(data.ftLastAccessTime), timeValue(data.ftLastWriteTime)};
}

DWORD keptAttributes(const std::string& path) {
    return GetFileAttributesA(path.c_str()) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
}

std::int64_t localOffset() {
    SYSTEMTIME local, universal;
    GetLocalTime(&local);
    GetSystemTime(&universal);
    constexpr std::int64_t minute = 60 * static_cast<std::int64_t>(kSecond);
    const std::int64_t difference =
        static_cast<std::int64_t>(timeValue(local)) - static_cast<std::int64_t>(timeValue(universal));
    return (difference + (difference >= 0 ? minute / 2 : -minute / 2)) / minute * minute;
}
