// Formatting the lines of found and equal files.
#include "common/filetools/file_lines.h"

#include <cstdio>

#include "common/filetools/search_patterns.h"
#include "common/text/number_format.h"

namespace filetools {

std::string attributeLetters(std::uint8_t attributes) {
    std::string letters;
    if (attributes & kAttrReadOnly)
        letters += 'R';
    if (attributes & kAttrHidden)
        letters += 'H';
    if (attributes & kAttrSystem)
        letters += 'S';
    if (attributes & kAttrArchive)
        letters += 'A';
    return letters;
}

std::string fileLine(std::string_view path, const LocalStamp& created, std::uint8_t attributes, std::uint32_t size,
                     std::string_view sizePrefix) {
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "\t%02d.%02d.%d\t%02d:%02d:%02d\t", created.day, created.month, created.year,
                  created.hour, created.minute, created.second);
    std::string line(path);
    line += stamp;
    line += attributeLetters(attributes);
    line += '\t';
    line += sizePrefix;
    line += text::formatNumber(static_cast<double>(size), 0);
    return line;
}

std::string detailLine(std::string_view path, const LocalStamp& created, std::uint8_t attributes, std::uint32_t size) {
    return "\t" + fileLine(path, created, attributes, size, "");
}

std::string detailLineWithoutStatus(std::string_view path) {
    return "\t" + std::string(path);
}

} // namespace filetools
