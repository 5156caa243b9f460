// The per-directory info files: where a file's info file lies, how its
// entry lines make up a description, and which lines a search term hits.
// Names and lines are upper-cased for letters a to z only, as the stored
// info files were written for.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace info {

constexpr std::size_t kLookupPiece = 199;    // characters per read of the lookup
constexpr std::size_t kScanPiece = 999;      // characters per read of the search
constexpr std::size_t kMaxDescription = 999; // characters of one description

// Letters a to z upper-cased; every other byte stays as it is.
std::string upperAz(std::string_view text);

// "directory\name": the info file of a directory, or a directory's child.
std::string joinPath(std::string_view directory, std::string_view name);

// What a path is looked up as: its upper-cased name in the info file of the
// directory it lies in.
struct LookupTarget {
    std::string infoPath;
    std::string name;
};
// Nothing for a path without a backslash or without a name after it.
std::optional<LookupTarget> lookupTarget(std::string_view path, std::string_view infoFile);

// Collects the description of one name from the pieces of its info file,
// in file order. Each entry line gives one line of text; a bare name gives
// an empty line.
class DescriptionCollector {
public:
    explicit DescriptionCollector(std::string name) : name_(std::move(name)) {}
    // False once the description is full: later pieces would add nothing.
    bool add(std::string_view piece);
    const std::string& text() const { return text_; }

private:
    void append(std::string_view part);

    std::string name_;
    std::string text_;
};

// A drive root "C:\" becomes "C:", any other path loses one trailing
// backslash, so that "directory\name" never doubles it.
void dropTrailingBackslash(std::string& directory);

// The hit line "directory\line" when the upper-cased piece holds upperTerm
// literally; the line is cut at its first CR and its first LF.
std::optional<std::string> scanHit(std::string_view directory, std::string_view piece, std::string_view upperTerm);

} // namespace info
