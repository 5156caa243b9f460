// Times the content search rules on a real tree: every file read in blocks,
// cut into pieces and matched as the search does, hits counted.
// Usage: content_search_bench ROOT SEARCHTEXT
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

#include "common/filetools/content_search.h"
#include "common/filetools/search_patterns.h"

using namespace filetools;

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s ROOT SEARCHTEXT\n", argv[0]);
        return 2;
    }
    const UpperTable upper = ansiUpperTable1252();
    const PieceMatcher matcher(splitPatterns(upper.apply(searchTextFromField(argv[2]))), upper);
    std::vector<char> block(64 * 1024);
    long files = 0, hits = 0, filesWithHits = 0;
    unsigned long long bytes = 0;
    const auto start = std::chrono::steady_clock::now();
    for (const auto& entry : std::filesystem::recursive_directory_iterator(argv[1])) {
        if (!entry.is_regular_file())
            continue;
        const int fd = open(entry.path().c_str(), O_RDONLY);
        if (fd < 0)
            continue;
        ++files;
        FileScanner reader(matcher);
        long fileHits = 0;
        auto onPiece = [&](std::string_view piece) {
            // The line the list would get, so its cost is measured too.
            const std::string line = hitLine(entry.path().native(), piece);
            fileHits += !line.empty();
            return true;
        };
        for (;;) {
            const ssize_t got = read(fd, block.data(), block.size());
            if (got <= 0) {
                reader.finish(onPiece);
                break;
            }
            bytes += static_cast<unsigned long long>(got);
            if (!reader.feed(block.data(), static_cast<std::size_t>(got), onPiece)) {
                reader.finish(onPiece);
                break;
            }
        }
        close(fd);
        hits += fileHits;
        filesWithHits += fileHits > 0;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("files %ld bytes %llu hits %ld files-with-hits %ld seconds %.3f\n", files, bytes, hits, filesWithHits,
                seconds);
    return 0;
}
