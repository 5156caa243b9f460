// Rules of the info files: lookup of one description, hits of one search.
#include "extension/info/info_store.h"

namespace info {

namespace {

// A piece as the C string it was read into: a zero byte ends it.
std::string_view cString(std::string_view piece) {
    return piece.substr(0, piece.find('\0'));
}

} // namespace

std::string upperAz(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return result;
}

std::string joinPath(std::string_view directory, std::string_view name) {
    std::string result;
    result.reserve(directory.size() + 1 + name.size());
    result.append(directory).append(1, '\\').append(name);
    return result;
}

std::optional<LookupTarget> lookupTarget(std::string_view path, std::string_view infoFile) {
    const std::string upper = upperAz(path);
    const std::size_t slash = upper.rfind('\\');
    // A path ending in a backslash names no file; an empty name would match
    // every blank line and every line that starts with a blank.
    if (slash == std::string::npos || slash + 1 == upper.size())
        return std::nullopt;
    return LookupTarget{joinPath(std::string_view(path).substr(0, slash), infoFile), upper.substr(slash + 1)};
}

void DescriptionCollector::append(std::string_view part) {
    text_.append(part.substr(0, kMaxDescription - text_.size()));
}

bool DescriptionCollector::add(std::string_view rawPiece) {
    if (text_.size() >= kMaxDescription)
        return false;
    const std::string_view piece = cString(rawPiece);
    const std::size_t keyEnd = piece.find_first_of(" \t\n");
    const std::string_view key = piece.substr(0, keyEnd);
    if (key != name_)
        return true;
    if (keyEnd == std::string_view::npos || piece[keyEnd] == '\n') {
        append("\n"); // a bare name: one empty line
    } else {
        std::size_t start = keyEnd + 1;
        if (start < piece.size() && piece[start] == '\t')
            ++start;
        append(piece.substr(start));
    }
    return text_.size() < kMaxDescription;
}

void dropTrailingBackslash(std::string& directory) {
    if (!directory.empty() && directory.back() == '\\')
        directory.pop_back();
}

std::optional<std::string> scanHit(std::string_view directory, std::string_view rawPiece, std::string_view upperTerm) {
    const std::string_view piece = cString(rawPiece);
    if (upperAz(piece).find(upperTerm) == std::string::npos)
        return std::nullopt;
    std::string_view line = piece.substr(0, piece.find('\r'));
    line = line.substr(0, line.find('\n'));
    return joinPath(directory, line);
}

} // namespace info
