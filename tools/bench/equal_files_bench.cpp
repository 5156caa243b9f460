// Times (processor seconds) the equal-file comparison: the one-pass rule against the comparison
// of every entry with every later one, on the same file table.
// Usage: equal_files_bench [ENTRIES] [--full]      synthetic table (default 200000)
//        equal_files_bench --tree ROOT             the files below ROOT
//        equal_files_bench --table N KEYS PATTERN  N synthetic entries: grouping and
//            name matching timed on one line, the keys written to KEYS for sort | uniq -d
// Without --full the quadratic comparison runs on 10,000 and 20,000 entries
// and its time for ENTRIES is extrapolated; --full runs it on all of them.
#include <ctime>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "common/filetools/equal_files.h"
#include "common/filetools/file_lines.h"
#include "common/filetools/file_table.h"
#include "common/filetools/search_patterns.h"
#include "tools/bench/equal_files_reference.h"

using namespace filetools;

namespace {

// Builds the lines the dialog would get, so their cost is measured too
// (unless withLines is off: then only the grouping is timed).
struct CountingSink {
    const FileTable& table;
    bool withLines = true;
    long filesSearched = 0, hits = 0, groups = 0;
    std::size_t bytes = 0;

    void searched(std::size_t) { ++filesSearched; }
    void current(std::size_t) {}
    bool groupStarts(std::size_t u) {
        ++groups;
        if (withLines)
            bytes += groupHead(table.nameEntries()[u]).size() + line(u).size();
        return true;
    }
    bool equalFound(std::size_t g) {
        ++hits;
        if (withLines)
            bytes += line(g).size();
        return true;
    }
    bool goOn(std::size_t) { return true; }
    std::string line(std::size_t i) const {
        return detailLine(FileTable::pathOf(table.pathEntries()[i]), LocalStamp{1, 2, 2026, 3, 4, 5}, 0x20, 1234);
    }
};

// Processor time: the machine may be shared, and wall time then says more
// about the neighbours than about the comparison.
double seconds(std::clock_t start) {
    return static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
}

FileTable syntheticTable(std::size_t n) {
    // Names from a pool a tenth of the table's size, sizes from a few values:
    // about a third of the entries have an equal one.
    std::mt19937 random(20261208);
    FileTable table;
    for (std::size_t i = 0; i < n; ++i) {
        char path[128];
        std::snprintf(path, sizeof path, "C:\\d%03u\\e%02u\\name%06u.txt", static_cast<unsigned>(i % 400),
                      static_cast<unsigned>(i / 400 % 50), static_cast<unsigned>(random() % (n / 10 + 1)));
        table.add(path, static_cast<std::uint32_t>(random() % 4 * 1000));
    }
    return table;
}

FileTable treeTable(const char* root) {
    FileTable table;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file() || entry.path().filename().native()[0] == '.')
            continue;
        std::string path = entry.path().native();
        for (char& c : path)
            if (c == '/')
                c = '\\';
        table.add(path, static_cast<std::uint32_t>(entry.file_size()));
    }
    return table;
}

struct Timing {
    double seconds;
    long groups, hits;
};

Timing timeRule(const FileTable& table, bool withLines = true) {
    CountingSink sink{table, withLines};
    const std::clock_t start = std::clock();
    compareEqualEntries(table.nameEntries(), sink);
    return {seconds(start), sink.groups, sink.hits};
}

Timing timeQuadratic(const FileTable& table) {
    CountingSink sink{table};
    const std::clock_t start = std::clock();
    quadraticEqualEntries(table.nameEntries(), sink);
    return {seconds(start), sink.groups, sink.hits};
}

// One line for tools/bench/run.sh: the grouping (with its result lines) and
// the name search's matching over the same entries.
int tableRun(std::size_t n, const char* keysPath, const char* pattern) {
    const FileTable table = syntheticTable(n);
    if (FILE* keys = std::fopen(keysPath, "w")) {
        for (const std::string& key : table.nameEntries())
            std::fprintf(keys, "%s\n", key.c_str());
        std::fclose(keys);
    }
    const Timing rule = timeRule(table);
    const UpperTable upper = ansiUpperTable1252();
    const std::vector<std::string> patterns = splitPatterns(upper.apply(pattern));
    const std::clock_t start = std::clock();
    long matched = 0;
    for (const std::string& entry : table.pathEntries()) {
        const std::string_view path = FileTable::pathOf(entry);
        if (nameMatchesAny(upper.apply(path.substr(path.rfind('\\') + 1)), patterns))
            ++matched;
    }
    std::printf("entries %zu grouping %.3f groups %ld hits %ld names %.3f matched %ld\n", table.size(), rule.seconds,
                rule.groups, rule.hits, seconds(start), matched);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 5 && std::strcmp(argv[1], "--table") == 0)
        return tableRun(std::strtoul(argv[2], nullptr, 10), argv[3], argv[4]);
    if (argc == 3 && std::strcmp(argv[1], "--tree") == 0) {
        const FileTable table = treeTable(argv[2]);
        const Timing rule = timeRule(table);
        std::printf("tree: %zu files, rule %.3f s, groups %ld, hits %ld\n", table.size(), rule.seconds, rule.groups,
                    rule.hits);
        return 0;
    }
    std::size_t n = 200000;
    bool full = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--full") == 0)
            full = true;
        else
            n = std::strtoul(argv[i], nullptr, 10);
    }
    for (std::size_t size : {n / 2, n}) {
        const FileTable table = syntheticTable(size);
        const Timing grouping = timeRule(table, false);
        const Timing rule = timeRule(table);
        std::printf("rule      %7zu entries: %.3f s grouping, %.3f s with the result lines  (groups %ld, hits %ld)\n",
                    size, grouping.seconds, rule.seconds, rule.groups, rule.hits);
    }
    const std::vector<std::size_t> sizes = full ? std::vector<std::size_t>{n} : std::vector<std::size_t>{10000, 20000};
    double last = 0;
    std::size_t lastSize = 0;
    for (std::size_t size : sizes) {
        const FileTable table = syntheticTable(size);
        const Timing slow = timeQuadratic(table);
        const Timing fast = timeRule(table);
        std::printf("quadratic %7zu entries: %.3f s  (groups %ld, hits %ld; rule %.4f s, %s)\n", size, slow.seconds,
                    slow.groups, slow.hits, fast.seconds,
                    slow.groups == fast.groups && slow.hits == fast.hits ? "same result" : "RESULTS DIFFER");
        last = slow.seconds;
        lastSize = size;
    }
    if (!full) {
        const double ratio = static_cast<double>(n) / static_cast<double>(lastSize);
        std::printf("quadratic %7zu entries: about %.0f s (extrapolated, n squared)\n", n, last * ratio * ratio);
    }
    return 0;
}
