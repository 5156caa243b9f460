// The file table filled by the walk before the content search and the
// equal-file detection, and the low-memory rule tested while it grows.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace filetools {

class FileTable {
public:
    static constexpr std::size_t kGrowthStep = 500;

    // Appends "path<TAB>size" and "name<TAB>size"; false when memory ran out
    // (both lists are then left as they were).
    bool add(std::string_view path, std::uint32_t size);
    void clear(); // empties both lists and gives their memory back

    const std::vector<std::string>& pathEntries() const { return paths_; }
    const std::vector<std::string>& nameEntries() const { return names_; }
    std::size_t size() const { return paths_.size(); }

    // The path of an entry: the text before its TAB.
    static std::string_view pathOf(std::string_view entry);

private:
    std::vector<std::string> paths_;
    std::vector<std::string> names_;
};

// The process-wide table of this deliverable.
FileTable& fileTable();

// Counts collected files or hits and says when the free memory must be
// tested: at the 1st, 101st, 201st ... call.
class MemoryCheckCounter {
public:
    bool due() { return count_++ % 100 == 0; }
    void reset() { count_ = 0; }

private:
    std::uint32_t count_ = 0;
};

// Available physical memory below 6,000,000 bytes and available page file
// below that plus 2,000,000 bytes.
bool memoryIsLow(std::uint64_t availablePhysical, std::uint64_t availablePageFile);

} // namespace filetools
