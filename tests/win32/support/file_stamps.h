// File times and attributes as the date and attribute tests read them back,
// and the local time zone's offset measured on the running clock.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

// Creation, last-access and last-write time in 100 ns units; all 0 when the
// path cannot be read.
struct FileTimes {
    std::uint64_t creation = 0, access = 0, write = 0;
    bool operator==(const FileTimes&) const = default;
};
FileTimes fileTimes(const std::string& path);

// Read-only, hidden and system: what Wine keeps of a file's attributes.
DWORD keptAttributes(const std::string& path);

std::uint64_t timeValue(const SYSTEMTIME& time);
std::uint64_t timeValue(const FILETIME& time);

// Local time minus universal time now, to the minute, in 100 ns units.
std::int64_t localOffset();

// One second in 100 ns units.
inline constexpr std::uint64_t kSecond = 10000000;
