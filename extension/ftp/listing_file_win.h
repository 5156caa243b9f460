// Reading the directory entries the FTP trees show: a server's listing from
// the listing file, a local directory from the file system.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "extension/ftp/listing_file.h"

namespace ftp {

// The listing file's path from this process's TEMP and TMP.
std::string listingTempFile();

// The entries of the listing file in listing order; nothing when it cannot
// be opened.
std::optional<std::vector<ListingEntry>> readListingFile(const std::string& path);

// The entries of a local directory in the order the file system returns
// them, names beginning with "." left out. A directory counts as one only
// when its attributes are exactly the directory bit. A path longer than a
// drive ("C:") that is not an existing directory lists nothing.
std::vector<ListingEntry> listLocalDirectory(const std::string& directory);

} // namespace ftp
