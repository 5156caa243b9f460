// The paths of the two FTP trees: remote paths separated by "/", local ones
// by "\", and where a dragged file goes when it is dropped on an item.
#pragma once

#include <string>
#include <string_view>

namespace ftp {

constexpr char kRemoteSeparator = '/';
constexpr char kLocalSeparator = '\\';

// The text after the last separator (all of it when there is none): the
// name an item shows.
std::string_view lastPathPart(std::string_view path, char separator);

// A child's path: the parent, the separator, the name. A remote top-level
// item has the empty parent and becomes "/name".
std::string childPath(std::string_view parent, std::string_view name, char separator);

// The directory a drop onto an item copies into: a directory itself, for a
// file the path up to its last separator, so the copies land next to it
// (a remote top-level file gives "", the root).
std::string dropDirectory(std::string_view itemPath, bool itemIsDirectory, char separator);

// Where one dragged file is copied: the drop directory, this tree's
// separator and the last part of the source path (by the source's separator).
std::string copyDestination(std::string_view directory, char separator, std::string_view source, char sourceSeparator);

} // namespace ftp
