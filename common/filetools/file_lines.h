// The result lines that describe one file: path, creation date and time,
// attribute letters and size, as the file-name search and the equal-file
// detection list them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace filetools {

// A local date and time to the second.
struct LocalStamp {
    int day = 0, month = 0, year = 0;
    int hour = 0, minute = 0, second = 0;
};

// "R", "H", "S", "A" for read-only, hidden, system and archive, in that order,
// each only when set.
std::string attributeLetters(std::uint8_t attributes);

// "path<TAB>dd.mm.yyyy<TAB>hh:mm:ss<TAB>letters<TAB><sizePrefix>size", the
// size with points between the groups of three digits.
std::string fileLine(std::string_view path, const LocalStamp& created, std::uint8_t attributes, std::uint32_t size,
                     std::string_view sizePrefix);

// The helper puts two spaces before the size of a found name, the extension none.
inline constexpr std::string_view kHelperSizePrefix = "  ";

// One occurrence under an equal-file group: a TAB, then the file line; a file
// whose status cannot be read any more gives the TAB and the path alone.
std::string detailLine(std::string_view path, const LocalStamp& created, std::uint8_t attributes, std::uint32_t size);
std::string detailLineWithoutStatus(std::string_view path);

} // namespace filetools
