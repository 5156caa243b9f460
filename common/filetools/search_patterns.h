// What the search prompts make of the typed texts: the search text, the
// pattern lists split at '|', and the attribute filter of the walks.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace filetools {

// The prompts hold at most this many characters of a field; longer input is cut.
constexpr std::size_t kMaxSearchText = 99;
// A pattern list has at most this many entries.
constexpr std::size_t kMaxPatterns = 10;

// The field text cut to kMaxSearchText characters, trimmed of leading and
// trailing spaces, "*" when nothing is left.
std::string searchTextFromField(std::string_view field);

// The pieces between '|' characters, each trimmed of spaces, in order, up to
// the first empty piece and at most kMaxPatterns of them. Without a '|' the
// whole text is the only entry. An empty first piece gives an empty list.
std::vector<std::string> splitPatterns(std::string_view searchText);

// Upper-case table of the ANSI code page: entry c is the upper-case form of
// byte c. The glue fills it from the platform; ansiUpperTable1252() is the
// Windows-1252 table for use where the platform is not there.
struct UpperTable {
    unsigned char map[256];
    std::string apply(std::string_view s) const;
};
UpperTable ansiUpperTable1252();
// Only a-z converted.
UpperTable asciiUpperTable();

// A file name (the part after the last backslash, already upper-cased) matches
// when one of the patterns matches it as a whole.
bool nameMatchesAny(std::string_view upperName, const std::vector<std::string>& patterns);

// The text after the last backslash of a path (the whole path without one).
std::string_view fileNameOf(std::string_view path);
// The text before the last backslash (empty without one).
std::string_view directoryOf(std::string_view path);

// Attribute bits as the walk keeps them (the low seven platform bits).
enum FileAttribute : std::uint8_t {
    kAttrReadOnly = 0x01,
    kAttrHidden = 0x02,
    kAttrSystem = 0x04,
    kAttrDirectory = 0x10,
    kAttrArchive = 0x20,
};

// The four check boxes of the prompts; all ticked at program start.
struct AttributeFilter {
    bool hidden = true;
    bool system = true;
    bool readOnly = true;
    bool archive = true;

    // A file passes when it carries one of the ticked attributes, or when all
    // four are ticked; with none ticked nothing passes.
    bool accepts(std::uint8_t attributes) const;
};

} // namespace filetools
