// The two parallel lists of the file table.
#include "common/filetools/file_table.h"

#include <algorithm>
#include <new>

#include "common/filetools/search_patterns.h"

namespace filetools {

bool FileTable::add(std::string_view path, std::uint32_t size) {
    try {
        if (paths_.size() == paths_.capacity()) {
            // At least one growth step, and at least the size so far: a fixed
            // step alone moves every entry again every 500 files, which made
            // collecting a million files take minutes.
            const std::size_t room = paths_.size() + std::max(kGrowthStep, paths_.size());
            paths_.reserve(room);
            names_.reserve(room);
        }
        // The size is unsigned: files of 2 GB and more must not show a negative size.
        std::string entry(path);
        entry.push_back('\t');
        entry += std::to_string(size);
        std::string name(entry, path.size() - fileNameOf(path).size());
        paths_.push_back(std::move(entry));
        names_.push_back(std::move(name));
        return true;
    } catch (const std::bad_alloc&) {
        // Both pushes are into reserved room and cannot throw: the lists stay parallel.
        return false;
    }
}

void FileTable::clear() {
    std::vector<std::string>().swap(paths_);
    std::vector<std::string>().swap(names_);
}

std::string_view FileTable::pathOf(std::string_view entry) {
    return entry.substr(0, entry.find('\t'));
}

FileTable& fileTable() {
    static FileTable table;
    return table;
}

bool memoryIsLow(std::uint64_t availablePhysical, std::uint64_t availablePageFile) {
    return availablePhysical < 6000000 && availablePageFile < availablePhysical + 2000000;
}

} // namespace filetools
