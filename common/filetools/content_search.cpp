// Matching pieces of a file against the search patterns, and the hit lines.
#include "common/filetools/content_search.h"

#include <array>
#include <cstdint>
#include <cstring>

#include "common/filetools/wildcard.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace filetools {

namespace {

// A rough share of each byte in text and source files (per mille, case
// ignored): the search filters on a pattern's rarest bytes.
unsigned byteFrequency(unsigned char c) {
    static const unsigned char letters[26] = {82, 15, 28, 43, 127, 22, 20, 61, 70, 2,  8, 40, 24,
                                              67, 75, 19, 1,  60,  63, 91, 28, 10, 24, 2, 20, 1};
    if (c >= 'a' && c <= 'z')
        return letters[c - 'a'];
    if (c >= 'A' && c <= 'Z')
        return letters[c - 'A'];
    if (c == ' ')
        return 180;
    if (c == '\n' || c == '\r' || c == '\t' || c == ',' || c == '.')
        return 20;
    if (c >= '0' && c <= '9')
        return 10;
    if (c >= 0x21 && c < 0x7f)
        return 5;
    return 1; // control bytes and the upper half
}

} // namespace

PieceMatcher::PieceMatcher(std::vector<std::string> upperPatterns, const UpperTable& upper)
    : patterns_(std::move(upperPatterns)), upper_(upper) {
    for (const std::string& p : patterns_) {
        wildcard_.push_back(hasWildcard(p));
        // An empty pattern is in every piece: no line could be skipped.
        canSkipLines_ = canSkipLines_ && !p.empty() && !wildcard_.back() && p.find('\n') == std::string::npos;
    }
    if (!canSkipLines_)
        return;
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

        // The raw bytes behind each pattern byte; a position whose byte has
        // none or more than two cannot be probed.
        Probes& probes = probes_.emplace_back();
        constexpr unsigned kUnusable = ~0u;
        std::vector<unsigned> cost(p.size(), 0);
        std::vector<std::array<unsigned char, 2>> raw(p.size());
        for (std::size_t k = 0; k < p.size(); ++k) {
            unsigned count = 0;
            for (unsigned c = 0; c < 256; ++c) {
                if (upper_.map[c] != static_cast<unsigned char>(p[k]))
                    continue;
                if (count < 2)
                    raw[k][count] = static_cast<unsigned char>(c);
                ++count;
                cost[k] += byteFrequency(static_cast<unsigned char>(c));
            }
            if (count == 1)
                raw[k][1] = raw[k][0];
            if (count == 0 || count > 2)
                cost[k] = kUnusable;
        }
        auto rarest = [&](auto&& allowed) {
            std::size_t best = p.size();
            for (std::size_t k = 0; k < p.size(); ++k)
                if (cost[k] != kUnusable && allowed(k) && (best == p.size() || cost[k] < cost[best]))
                    best = k;
            return best;
        };
        const std::size_t first = rarest([](std::size_t) { return true; });
        if (first == p.size())
            continue;
        // The second probe prefers a byte other than the first's.
        std::size_t second = rarest([&](std::size_t k) { return p[k] != p[first]; });
        if (second == p.size())
            second = rarest([&](std::size_t k) { return k != first; });
        if (second == p.size())
            second = first;
        probes.usable = true;
        probes.at[0] = first;
        probes.at[1] = second;
        std::memcpy(probes.raw[0], raw[first].data(), 2);
        std::memcpy(probes.raw[1], raw[second].data(), 2);
    }
}

std::size_t PieceMatcher::findAny(std::string_view text, std::size_t from) const {
    std::size_t best = std::string_view::npos;
    for (std::size_t k = 0; k < patterns_.size(); ++k) {
        std::size_t rest = from;
        std::size_t at = findByProbes(k, text, rest, best);
        if (at == std::string_view::npos && rest < best)
            at = findHorspool(k, text, rest, best);
        if (at < best)
            best = at;
    }
    return best;
}

// Sixteen text positions at a time: those where both probe bytes stand are
// compared in full. Leaves `from` where the blocks ended; the rest of the
// text is for the byte-wise search.
std::size_t PieceMatcher::findByProbes(std::size_t k, std::string_view text, std::size_t& from,
                                       std::size_t until) const {
#if defined(__SSE2__)
    const Probes& probes = probes_[k];
    if (!probes.usable)
        return std::string_view::npos;
    const unsigned char* t = reinterpret_cast<const unsigned char*>(text.data());
    const unsigned char* p = reinterpret_cast<const unsigned char*>(patterns_[k].data());
    const unsigned char* map = upper_.map;
    const std::size_t n = text.size(), m = patterns_[k].size();
    const std::size_t at0 = probes.at[0], at1 = probes.at[1];
    const std::size_t reach = (at0 > at1 ? at0 : at1) + 16;
    const __m128i a0 = _mm_set1_epi8(static_cast<char>(probes.raw[0][0]));
    const __m128i a1 = _mm_set1_epi8(static_cast<char>(probes.raw[0][1]));
    const __m128i b0 = _mm_set1_epi8(static_cast<char>(probes.raw[1][0]));
    const __m128i b1 = _mm_set1_epi8(static_cast<char>(probes.raw[1][1]));
    std::size_t i = from;
    for (; i + reach <= n && i < until; i += 16) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + i + at0));
        const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + i + at1));
        const __m128i both = _mm_and_si128(_mm_or_si128(_mm_cmpeq_epi8(x, a0), _mm_cmpeq_epi8(x, a1)),
                                           _mm_or_si128(_mm_cmpeq_epi8(y, b0), _mm_cmpeq_epi8(y, b1)));
        for (unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(both)); mask != 0; mask &= mask - 1) {
            const std::size_t start = i + static_cast<std::size_t>(__builtin_ctz(mask));
            if (start >= until || start + m > n) {
                from = n; // no later start can be a hit either
                return std::string_view::npos;
            }
            std::size_t j = 0;
            while (j < m && map[t[start + j]] == p[j])
                ++j;
            if (j == m)
                return start;
        }
    }
    from = i;
#else
    (void)k, (void)text, (void)from, (void)until;
#endif
    return std::string_view::npos;
}

// Horspool: look at the text under the pattern's last character and jump by
// how far that character stands from the pattern's end.
std::size_t PieceMatcher::findHorspool(std::size_t k, std::string_view text, std::size_t from,
                                       std::size_t until) const {
    const unsigned char* t = reinterpret_cast<const unsigned char*>(text.data());
    const unsigned char* map = upper_.map;
    const std::size_t n = text.size();
    const unsigned char* p = reinterpret_cast<const unsigned char*>(patterns_[k].data());
    const std::size_t m = patterns_[k].size();
    const std::size_t* skip = skips_[k].by;
    const unsigned char last = p[m - 1];
    for (std::size_t i = from + m - 1; i < n && i - (m - 1) < until; i += skip[t[i]]) {
        if (map[t[i]] != last)
            continue;
        std::size_t j = 1;
        while (j < m && map[t[i - j]] == p[m - 1 - j])
            ++j;
        if (j == m)
            return i - (m - 1);
    }
    return std::string_view::npos;
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
