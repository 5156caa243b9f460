// Whole-string matching of a name or a line against a pattern with '*' and '?'.
#pragma once

#include <string_view>

namespace filetools {

// True when the whole text matches the whole pattern, byte for byte ('*' any
// run of characters, '?' exactly one). An empty text or an empty pattern never
// matches, so a lone "*" needs at least one character. Callers upper-case both
// sides beforehand. Runs without backtracking beyond the last '*': the cost is
// bounded by text length times pattern length, never exponential.
bool wildcardMatch(std::string_view text, std::string_view pattern);

// True when the pattern holds '*' or '?'.
bool hasWildcard(std::string_view pattern);

} // namespace filetools
