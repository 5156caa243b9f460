// The listing file of the FTP trees: where it lies, and which item a line
// of a server's directory listing gives.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ftp {

enum class EntryKind { Directory = 1, File = 2 };

struct ListingEntry {
    std::string name;
    EntryKind kind;
};

// The listing file "korbinex.ftp" in the directory named by TEMP, else TMP
// (nullptr or empty: not set), else "C:\".
std::string listingTempFilePath(const char* temp, const char* tmp);

// The item a listing line stands for: "d" lines are directories, "-" lines
// files, every other line (totals, links, devices) none. In the Unix long
// format the name is everything after the eighth field, so names with blanks
// survive; a shorter line takes its last word. "." and ".." give no item, so
// a tree never contains itself.
std::optional<ListingEntry> parseListingLine(std::string_view line);

} // namespace ftp
