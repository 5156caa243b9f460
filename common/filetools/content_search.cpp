// Matching pieces of a file against the search patterns, and the hit lines.
#include "common/filetools/content_search.h"

#include <cstring>

#include "common/filetools/wildcard.h"

namespace filetools {

PieceMatcher::PieceMatcher(std::vector<std::string> upperPatterns, const UpperTable& upper)
    : patterns_(std::move(upperPatterns)), upper_(upper) {
    for (const std::string& p : patterns_)
        wildcard_.push_back(hasWildcard(p));
}

bool PieceMatcher::hits(std::string_view piece) const {
    // A zero byte ends the piece for every purpose.
    const void* zero = std::memchr(piece.data(), 0, piece.size());
    if (zero)
        piece = piece.substr(0, static_cast<const char*>(zero) - piece.data());
    char copy[kMaxPiece + 1];
    const std::size_t n = piece.size() < kMaxPiece ? piece.size() : kMaxPiece;
    for (std::size_t i = 0; i < n; ++i)
        copy[i] = static_cast<char>(upper_.map[static_cast<unsigned char>(piece[i])]);
    const std::string_view upper(copy, n);
    for (std::size_t i = 0; i < patterns_.size(); ++i) {
        if (wildcard_[i] ? wildcardMatch(upper, patterns_[i]) : upper.find(patterns_[i]) != std::string_view::npos)
            return true;
    }
    return false;
}

std::string_view shownHit(std::string_view piece) {
    const std::size_t zero = piece.find('\0');
    if (zero != std::string_view::npos)
        piece = piece.substr(0, zero);
    piece = piece.substr(0, kMaxShownHit);
    piece = piece.substr(0, piece.find('\r'));
    return piece.substr(0, piece.find('\n'));
}

std::string hitLine(std::string_view path, std::string_view piece) {
    const std::string_view shown = shownHit(piece);
    std::string line;
    line.reserve(path.size() + 1 + shown.size());
    line.append(path);
    line.push_back('\t');
    line.append(shown);
    return line;
}

} // namespace filetools
