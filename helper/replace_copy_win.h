// Copying a file over another without losing the old one when the copy fails
// half-way (a full disk): the copy goes to a temporary name beside the
// destination and replaces it only once it is complete.
#pragma once

#include <string>

namespace helper {

// True when `destination` now holds a complete copy of `source`; on failure
// the old destination is untouched, no partial file is left, and
// GetLastError tells why.
bool replaceCopy(const std::string& source, const std::string& destination);

} // namespace helper
