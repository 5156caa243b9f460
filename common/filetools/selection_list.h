// Reading the selection list file the extension hands to the helper: one full
// path per line, CR LF or LF, read line by line without a length limit.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace filetools {

// The platform's path limit including the terminator: every consumer copies
// entries into buffers of this size.
inline constexpr std::size_t kEntrySize = 260;

// Copies an entry into a path buffer. An entry that does not fit is not cut
// (a cut path names another file or a parent directory): the buffer gets ""
// and the result is false, so the caller skips the entry.
bool copyEntry(char* out, std::size_t size, std::string_view entry);

class SelectionListReader {
public:
    SelectionListReader() = default;
    ~SelectionListReader();
    SelectionListReader(const SelectionListReader&) = delete;
    SelectionListReader& operator=(const SelectionListReader&) = delete;

    // Opens the file for reading in text mode; false when it cannot be opened
    // (an empty path never opens).
    bool open(const std::string& path);
    bool isOpen() const { return file_ != nullptr; }
    void close();

    // The next line without its line end, of any length; empty lines are
    // skipped. False at the end of the file.
    bool nextLine(std::string& line);

    // The next entry that fits a path buffer of kEntrySize; longer lines are
    // skipped and counted in skippedTooLong().
    bool nextEntry(char (&out)[kEntrySize]);
    std::size_t skippedTooLong() const { return skippedTooLong_; }

private:
    std::FILE* file_ = nullptr;
    std::size_t skippedTooLong_ = 0;
};

// All lines of a list (empty lines skipped); false when it cannot be opened.
bool readSelectionList(const std::string& path, std::vector<std::string>& lines);

} // namespace filetools
