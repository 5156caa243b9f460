// Wildcard matching by a single forward scan that remembers only the last '*'.
#include "common/filetools/wildcard.h"

namespace filetools {

bool wildcardMatch(std::string_view text, std::string_view pattern) {
    if (text.empty() || pattern.empty())
        return false;
    std::size_t t = 0, p = 0;
    // Where the last '*' stood and how much text it swallows so far; a
    // mismatch retries with the star taking one more character. Earlier stars
    // never need revisiting: any match they could give, the last star gives too.
    std::size_t starPattern = std::string_view::npos, starText = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starPattern = p++;
            starText = t;
        } else if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == text[t])) {
            ++p;
            ++t;
        } else if (starPattern != std::string_view::npos) {
            p = starPattern + 1;
            t = ++starText;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

bool hasWildcard(std::string_view pattern) {
    return pattern.find_first_of("*?") != std::string_view::npos;
}

} // namespace filetools
