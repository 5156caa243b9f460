// Matching pieces of a file against the search patterns, and the hit lines.
#include "common/filetools/content_search.h"

#include <cstdint>
#include <cstring>

#include "common/filetools/wildcard.h"

namespace filetools {

PieceMatcher::PieceMatcher(std::vector<std::string> upperPatterns, const UpperTable& upper)
    : patterns_(std::move(upperPatterns)), upper_(upper) {
    for (const std::string& p : patterns_) {
        wildcard_.push_back(hasWildcard(p));
        canSkipLines_ = canSkipLines_ && !wildcard_.back() && p.find('\n') == std::string::npos;
    }
    if (canSkipLines_) {
        for (const std::string& p : patterns_) {
            Skips& skip = skips_.emplace_back();
            for (std::size_t& s : skip.by)
                s = p.size();
            for (std::size_t k = 0; k + 1 < p.size(); ++k)
                skip.by[static_cast<unsigned char>(p[k])] = p.size() - 1 - k;
            // Indexed by the raw byte: the text is searched without an upper-case copy.
            Skips folded;
            for (unsigned c = 0; c < 256; ++c)
                folded.by[c] = skip.by[upper_.map[c]];
            skip = folded;
        }
    }
}

std::size_t PieceMatcher::findAny(std::string_view text, std::size_t from) const {
    std::size_t best = std::string_view::npos;
    const unsigned char* t = reinterpret_cast<const unsigned char*>(text.data());
    const unsigned char* map = upper_.map;
    const std::size_t n = text.size();
    for (std::size_t k = 0; k < patterns_.size(); ++k) {
        const unsigned char* p = reinterpret_cast<const unsigned char*>(patterns_[k].data());
        const std::size_t m = patterns_[k].size();
        const std::size_t* skip = skips_[k].by;
        const unsigned char last = p[m - 1];
        // Horspool: look at the text under the pattern's last character and
        // jump by how far that character stands from the pattern's end.
        for (std::size_t i = from + m - 1; i < n && i - (m - 1) < best; i += skip[t[i]]) {
            if (map[t[i]] != last)
                continue;
            std::size_t j = 1;
            while (j < m && map[t[i - j]] == p[m - 1 - j])
                ++j;
            if (j == m) {
                best = i - (m - 1);
                break;
            }
        }
    }
    return best;
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
