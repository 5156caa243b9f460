// Copy list and paste if changed: where the copy list lives, where a
// remembered file lands, and whether it is copied.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace helper {

inline constexpr const char* kCopyListName = "quorvinx_copy_files.tmp";

// The copy list in the temporary directory (with or without its final backslash).
std::string copyListPath(const std::string& tempDirectory);

// The paste target from the first selected entry: a drive root "C:\" becomes
// "C:", an existing file its directory.
std::string pasteTarget(const std::string& firstEntry, bool namesFile);

// The number of backslashes in the copy list's first line.
int stripCount(const std::string& firstCopyLine);

// The source path without its first `strip` levels (each up to and including
// a backslash; fewer when the path runs out of them).
std::string relativePath(const std::string& source, int strip);

// target + "\" + relative path.
std::string pasteDestination(const std::string& target, const std::string& relative);

// Every directory named by the text before a backslash of the destination, in order.
std::vector<std::string> directoriesOnTheWay(const std::string& destination);

// What is known of the two files when deciding.
struct PastePair {
    bool sourceExists;
    bool destinationExists;
    int timeOrder; // source last-write time compared with the destination's: -1, 0, 1
    std::uint32_t sourceSize, destinationSize;
};
// Copy when the destination is missing, older, or of the same time but another
// size (a missing source is attempted and fails).
bool pasteCopies(const PastePair& pair);

// The marker text id: 15138 not copied, 15139 copied, 15140 the copy failed.
std::uint32_t pasteMarkerId(bool attempted, bool succeeded);

// " %s %s\t--> %s"
std::string pasteLine(const std::string& marker, const std::string& source, const std::string& destination);

} // namespace helper
