// Path texts of the FTP trees.
#include "extension/ftp/tree_paths.h"

namespace ftp {

std::string_view lastPathPart(std::string_view path, char separator) {
    const std::size_t at = path.rfind(separator);
    return at == std::string_view::npos ? path : path.substr(at + 1);
}

std::string childPath(std::string_view parent, std::string_view name, char separator) {
    std::string path(parent);
    path += separator;
    path += name;
    return path;
}

std::string dropDirectory(std::string_view itemPath, bool itemIsDirectory, char separator) {
    if (itemIsDirectory)
        return std::string(itemPath);
    const std::size_t at = itemPath.rfind(separator);
    return std::string(at == std::string_view::npos ? std::string_view() : itemPath.substr(0, at));
}

std::string copyDestination(std::string_view directory, char separator, std::string_view source, char sourceSeparator) {
    return childPath(directory, lastPathPart(source, sourceSeparator), separator);
}

} // namespace ftp
