// Rules of the info search over a directory tree: which directories it goes
// into, the size of its window, and its counted texts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace info {

// Only a plain directory (attribute word exactly 0x10) whose name does not
// begin with a period is searched: hidden, system, read-only and archived
// directories are left out, and so are "." and "..".
bool searchesInto(std::uint32_t attributes, std::string_view name);

struct WindowSize {
    int width;
    int height;
};
// Three quarters of the File Manager's client width, half that high.
WindowSize searchWindowSize(int clientWidth);

// The pattern with its "%d" replaced by count (a pattern without one stays as it is).
std::string withCount(std::string_view pattern, int count);

// The caption while the search runs; the same German text in every language.
inline constexpr const char* kSearchedCaption = "%d Verzeichnisse durchsucht";

} // namespace info
