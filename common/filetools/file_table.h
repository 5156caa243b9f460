// The file table filled by the walk before the content search and the
// equal-file detection, and the low-memory rule tested while it grows.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace filetools {

// What the collecting walk read of an entry's file, kept beside the entry so
// that listing it needs no second look-up.
struct EntryStatus {
    std::uint64_t creation = 0; // the platform's file time
    std::uint32_t size = 0;
    std::uint8_t attributes = 0;
};

class FileTable {
public:
    static constexpr std::size_t kGrowthStep = 500;

    // Appends "path<TAB>size" and "name<TAB>size" and keeps the status; false
    // when memory ran out (the lists are then left as they were).
    bool add(std::string_view path, const EntryStatus& status);
    bool add(std::string_view path, std::uint32_t size) { return add(path, EntryStatus{0, size, 0}); }
    void clear(); // empties both lists and gives their memory back

    const std::vector<std::string>& pathEntries() const { return paths_; }
    const std::vector<std::string>& nameEntries() const { return names_; }
    const std::vector<EntryStatus>& statuses() const { return statuses_; }
    std::size_t size() const { return paths_.size(); }

    // The path of an entry: the text before its TAB.
    static std::string_view pathOf(std::string_view entry);

private:
    std::vector<std::string> paths_;
    std::vector<std::string> names_;
    std::vector<EntryStatus> statuses_;
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
