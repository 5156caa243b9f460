// Listing lines in the Unix long format: permissions, links, owner, group,
// size, month, day, time or year, then the name.
#include "extension/ftp/listing_file.h"

namespace ftp {

namespace {

constexpr const char kListingFileName[] = "korbinex.ftp";
constexpr int kFieldsBeforeName = 8;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// The text after the eighth field and its blanks; empty when the line has
// no ninth field.
std::string_view afterEighthField(std::string_view line) {
    std::size_t i = 0;
    for (int field = 0; field < kFieldsBeforeName; ++field) {
        while (i < line.size() && isBlank(line[i]))
            ++i;
        if (i == line.size())
            return {};
        while (i < line.size() && !isBlank(line[i]))
            ++i;
    }
    while (i < line.size() && isBlank(line[i]))
        ++i;
    return line.substr(i);
}

} // namespace

std::string listingTempFilePath(const char* temp, const char* tmp) {
    std::string directory;
    if (temp != nullptr && *temp != '\0')
        directory = temp;
    else if (tmp != nullptr && *tmp != '\0')
        directory = tmp;
    else
        directory = "C:\\";
    if (directory.back() != '\\')
        directory += '\\';
    return directory + kListingFileName;
}

std::optional<ListingEntry> parseListingLine(std::string_view line) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.remove_suffix(1);
    if (line.empty() || (line[0] != 'd' && line[0] != '-'))
        return std::nullopt;
    std::string_view name = afterEighthField(line);
    if (name.empty()) {
        const std::size_t blank = line.find_last_of(' ');
        if (blank == std::string_view::npos)
            return std::nullopt;
        name = line.substr(blank + 1);
    }
    if (name.empty() || name == "." || name == "..")
        return std::nullopt;
    return ListingEntry{std::string(name), line[0] == 'd' ? EntryKind::Directory : EntryKind::File};
}

} // namespace ftp
