// Reading the info files named by the InfoFile setting.
#pragma once

#include <functional>
#include <string>

namespace info {

// The description of the file or directory at path (as the File Manager gives
// it); empty when there is no info file, no entry or no text.
std::string lookupDescription(const std::string& path);

// Hands every line of directory's info file that holds upperTerm to onHit, as
// "directory\line", in file order; true when there was at least one. The
// directory loses one trailing backslash first, in place.
bool scanInfoFile(std::string& directory, const std::string& upperTerm,
                  const std::function<void(const std::string& hitLine)>& onHit);

} // namespace info
