// Search text and pattern lists from the prompt fields; the attribute filter.
#include "common/filetools/search_patterns.h"

#include "common/filetools/wildcard.h"

namespace filetools {

namespace {

std::string_view trimSpaces(std::string_view s) {
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

} // namespace

std::string searchTextFromField(std::string_view field) {
    const std::string_view text = trimSpaces(field.substr(0, kMaxSearchText));
    return text.empty() ? std::string("*") : std::string(text);
}

std::vector<std::string> splitPatterns(std::string_view searchText) {
    std::vector<std::string> patterns;
    for (;;) {
        const std::size_t bar = searchText.find('|');
        const std::string_view piece = trimSpaces(searchText.substr(0, bar));
        // An empty entry ends the list, wherever it stands.
        if (piece.empty())
            break;
        patterns.emplace_back(piece);
        if (bar == std::string_view::npos || patterns.size() == kMaxPatterns)
            break;
        searchText.remove_prefix(bar + 1);
    }
    return patterns;
}

std::string UpperTable::apply(std::string_view s) const {
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(map[static_cast<unsigned char>(c)]);
    return out;
}

UpperTable ansiUpperTable1252() {
    UpperTable t = asciiUpperTable();
    for (unsigned c = 0xE0; c <= 0xFE; ++c)
        if (c != 0xF7) // the division sign has no upper case
            t.map[c] = static_cast<unsigned char>(c - 0x20);
    t.map[0x9A] = 0x8A; // š
    t.map[0x9C] = 0x8C; // œ
    t.map[0x9E] = 0x8E; // ž
    t.map[0xFF] = 0x9F; // ÿ
    return t;
}

UpperTable asciiUpperTable() {
    UpperTable t;
    for (unsigned c = 0; c < 256; ++c)
        t.map[c] = static_cast<unsigned char>(c >= 'a' && c <= 'z' ? c - 0x20 : c);
    return t;
}

bool nameMatchesAny(std::string_view upperName, const std::vector<std::string>& patterns) {
    for (const std::string& p : patterns)
        if (wildcardMatch(upperName, p))
            return true;
    return false;
}

std::string_view fileNameOf(std::string_view path) {
    const std::size_t slash = path.rfind('\\');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string_view directoryOf(std::string_view path) {
    const std::size_t slash = path.rfind('\\');
    return slash == std::string_view::npos ? std::string_view() : path.substr(0, slash);
}

bool AttributeFilter::accepts(std::uint8_t attributes) const {
    if ((hidden && (attributes & kAttrHidden)) || (system && (attributes & kAttrSystem)) ||
        (readOnly && (attributes & kAttrReadOnly)) || (archive && (attributes & kAttrArchive)))
        return true;
    return hidden && system && readOnly && archive;
}

} // namespace filetools
