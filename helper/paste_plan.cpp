// Rules of copy list and paste if changed.
#include "helper/paste_plan.h"

#include <algorithm>

namespace helper {

std::string copyListPath(const std::string& tempDirectory) {
    if (!tempDirectory.empty() && tempDirectory.back() == '\\')
        return tempDirectory + kCopyListName;
    return tempDirectory + "\\" + kCopyListName;
}

std::string pasteTarget(const std::string& firstEntry, bool namesFile) {
    if (firstEntry.size() == 3 && firstEntry[2] == '\\')
        return firstEntry.substr(0, 2);
    if (namesFile) {
        const std::size_t slash = firstEntry.rfind('\\');
        if (slash != std::string::npos)
            return firstEntry.substr(0, slash);
    }
    return firstEntry;
}

int stripCount(const std::string& firstCopyLine) {
    return static_cast<int>(std::count(firstCopyLine.begin(), firstCopyLine.end(), '\\'));
}

std::string relativePath(const std::string& source, int strip) {
    std::size_t start = 0;
    for (int i = 0; i < strip; ++i) {
        const std::size_t slash = source.find('\\', start);
        if (slash == std::string::npos)
            break;
        start = slash + 1;
    }
    return source.substr(start);
}

std::string pasteDestination(const std::string& target, const std::string& relative) {
    return target + "\\" + relative;
}

std::vector<std::string> directoriesOnTheWay(const std::string& destination) {
    std::vector<std::string> directories;
    for (std::size_t slash = destination.find('\\'); slash != std::string::npos;
         slash = destination.find('\\', slash + 1))
        directories.push_back(destination.substr(0, slash));
    return directories;
}

bool pasteCopies(const PastePair& pair) {
    if (!pair.sourceExists || !pair.destinationExists)
        return true;
    if (pair.timeOrder != 0)
        return pair.timeOrder > 0;
    return pair.sourceSize != pair.destinationSize;
}

std::uint32_t pasteMarkerId(bool attempted, bool succeeded) {
    if (!attempted)
        return 15138;
    return succeeded ? 15139 : 15140;
}

std::string pasteLine(const std::string& marker, const std::string& source, const std::string& destination) {
    return " " + marker + " " + source + "\t--> " + destination;
}

} // namespace helper
