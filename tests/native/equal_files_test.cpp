// Equal files: the groups the comparison lists, and the one-pass comparison
// against the comparison of every entry with every later one.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "common/filetools/equal_files.h"
#include "common/filetools/file_table.h"
#include "tools/bench/equal_files_reference.h"

using namespace filetools;
using Lines = std::vector<std::string>;

namespace {

// Records what the comparison shows; refuses line number refuseAt and stops
// after entry escapeAt, as a full list and Escape would.
struct Recorder {
    explicit Recorder(const Lines& keys) : keys(keys) {}
    const Lines& keys;
    std::size_t refuseAt = SIZE_MAX, escapeAt = SIZE_MAX;
    Lines lines;
    long searchedCount = 0, hits = 0, withHits = 0;

    bool add(std::string line) {
        if (lines.size() == refuseAt)
            return false;
        lines.push_back(std::move(line));
        return true;
    }
    void searched(std::size_t) { ++searchedCount; }
    void current(std::size_t u) { lines.push_back("current " + std::to_string(u)); }
    bool groupStarts(std::size_t u) {
        return ++withHits, add(std::string(groupHead(keys[u]))) && add("#" + std::to_string(u));
    }
    bool equalFound(std::size_t g) { return add("#" + std::to_string(g)) && ++hits; }
    bool goOn(std::size_t u) { return u != escapeAt; }
    std::string summary() const {
        return std::to_string(searchedCount) + " " + std::to_string(hits) + " " + std::to_string(withHits);
    }
};

} // namespace

TEST(EqualFiles, Groups) {
    const struct {
        std::vector<std::pair<const char*, std::uint32_t>> files;
        Lines groups;         // the lines without the current-file events
        const char* counters; // searched, hits, files with hits
    } cases[] = {
        {{{"C:\\a\\A.TXT", 10}, {"C:\\b\\A.TXT", 10}}, {"A.TXT", "#0", "#1"}, "2 1 1"},
        {{{"C:\\a\\A.TXT", 10}, {"C:\\b\\A.TXT", 11}}, {}, "2 0 0"},
        {{{"C:\\a\\A.TXT", 10}, {"C:\\b\\a.txt", 10}}, {}, "2 0 0"},
        {{{"a\\X", 1}, {"b\\X", 1}, {"c\\X", 1}}, {"X", "#0", "#1", "#2"}, "3 2 1"},
        {{{"a\\X", 1}, {"a\\Y", 1}, {"b\\X", 2}}, {}, "3 0 0"},
        {{{"1\\B", 5}, {"1\\A", 5}, {"2\\A", 5}, {"2\\B", 5}, {"3\\A", 5}, {"x\\A", 6}},
         {"B", "#0", "#3", "A", "#1", "#2", "#4"},
         "6 3 2"},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        FileTable table;
        for (const auto& [path, size] : cases[i].files)
            table.add(path, size);
        Recorder r(table.nameEntries());
        compareEqualEntries(table.nameEntries(), r);
        Lines groups;
        for (const std::string& line : r.lines)
            if (line.rfind("current ", 0) != 0)
                groups.push_back(line);
        EXPECT_EQ(cases[i].groups, groups) << "case " << i;
        EXPECT_EQ(cases[i].counters, r.summary()) << "case " << i;
    }
}

TEST(EqualFiles, SameAsComparingEveryPairIncludingEarlyEnds) {
    std::mt19937 random(7);
    for (int round = 0; round < 60; ++round) {
        Lines keys;
        const int n = 1 + static_cast<int>(random() % 300);
        for (int i = 0; i < n; ++i)
            keys.push_back("N" + std::to_string(random() % 40) + "\t" + std::to_string(random() % 3));
        if (round % 5 == 0)
            keys[random() % n].clear(); // an entry emptied beforehand is skipped by both
        Recorder fast(keys), slow(keys);
        fast.refuseAt = slow.refuseAt = round % 3 == 1 ? random() % 40 : SIZE_MAX;
        fast.escapeAt = slow.escapeAt = round % 3 == 2 ? random() % n : SIZE_MAX;
        compareEqualEntries(keys, fast);
        quadraticEqualEntries(keys, slow);
        ASSERT_EQ(slow.lines, fast.lines) << "round " << round;
        ASSERT_EQ(slow.summary(), fast.summary()) << "round " << round;
    }
}
