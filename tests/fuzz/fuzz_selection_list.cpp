// The selection list reader over an arbitrary file: every line of the file is
// either an entry that fits a path buffer (no zero byte, no line end) or
// counted as skipped, and both ways of reading see the same lines.
#include <fuzzer/FuzzedDataProvider.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/filetools/selection_list.h"

using namespace filetools;

namespace {

const std::string& scratchPath() {
    static const std::string path = [] {
        static char name[] = "/dev/shm/fuzz_selection_XXXXXX"; // memory: one file per run
        const int fd = mkstemp(name);
        if (fd < 0)
            std::abort();
        close(fd);
        std::atexit([] { unlink(name); });
        return std::string(name);
    }();
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::FILE* f = std::fopen(scratchPath().c_str(), "wb");
    std::fwrite(data, 1, size, f);
    std::fclose(f);

    // The lines as the rule describes them: split at LF, one trailing CR dropped, empty ones skipped.
    std::vector<std::string> expected;
    std::string all(reinterpret_cast<const char*>(data), size);
    for (std::size_t start = 0; start < all.size();) {
        std::size_t end = all.find('\n', start);
        end = end == std::string::npos ? all.size() : end;
        std::string line = all.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            expected.push_back(line);
        start = end + 1;
    }
    std::vector<std::string> lines;
    if (!readSelectionList(scratchPath(), lines) || lines != expected)
        std::abort();

    SelectionListReader reader;
    if (!reader.open(scratchPath()))
        std::abort();
    char entry[kEntrySize + 1];
    entry[kEntrySize] = 'X'; // a guard just past the buffer
    std::size_t entries = 0;
    while (reader.nextEntry(reinterpret_cast<char(&)[kEntrySize]>(entry))) {
        const std::size_t n = std::strlen(entry);
        if (n == 0 || n >= kEntrySize || entry[kEntrySize] != 'X' ||
            expected[entries + reader.skippedTooLong()] != entry)
            std::abort();
        ++entries;
    }
    if (entries + reader.skippedTooLong() != expected.size() || entry[0] != '\0')
        std::abort();
    return 0;
}
