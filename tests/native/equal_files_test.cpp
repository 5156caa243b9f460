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

namespace {

using Lines = std::vector<std::string>;

// Records what the comparison shows; refuses the line numbered refuseAt and
// stops after entry escapeAt, as a full list and Escape would.
struct Recorder {
    explicit Recorder(const std::vector<std::string>& keys) : keys(keys) {}
    const std::vector<std::string>& keys;
    std::size_t refuseAt = SIZE_MAX, escapeAt = SIZE_MAX;
    Lines lines, events;
    long filesSearched = 0, hits = 0, withHits = 0;

    bool add(std::string line) {
        if (lines.size() == refuseAt)
            return false;
        lines.push_back(std::move(line));
        return true;
    }
    void searched(std::size_t) { ++filesSearched; }
    void current(std::size_t u) { events.push_back("current " + std::to_string(u)); }
    bool groupStarts(std::size_t u) {
        ++withHits;
        return add(std::string(groupHead(keys[u]))) && add("\t#" + std::to_string(u));
    }
    bool equalFound(std::size_t g) {
        if (!add("\t#" + std::to_string(g)))
            return false;
        ++hits;
        return true;
    }
    bool goOn(std::size_t u) { return u != escapeAt; }
};

Lines keysOf(const std::vector<std::pair<std::string, std::uint32_t>>& files) {
    FileTable table;
    for (const auto& [path, size] : files)
        table.add(path, size);
    return table.nameEntries();
}

} // namespace

TEST(EqualFiles, Groups) {
    const struct {
        const char* what;
        std::vector<std::pair<std::string, std::uint32_t>> files;
        Lines lines;
        long hits, withHits;
    } cases[] = {
        {"two equal", {{"C:\\a\\A.TXT", 10}, {"C:\\b\\A.TXT", 10}}, {"A.TXT", "\t#0", "\t#1"}, 1, 1},
        {"sizes differ", {{"C:\\a\\A.TXT", 10}, {"C:\\b\\A.TXT", 11}}, {}, 0, 0},
        {"case differs", {{"C:\\a\\A.TXT", 10}, {"C:\\b\\a.txt", 10}}, {}, 0, 0},
        {"three equal", {{"a\\X", 1}, {"b\\X", 1}, {"c\\X", 1}}, {"X", "\t#0", "\t#1", "\t#2"}, 2, 1},
        {"none", {{"a\\X", 1}, {"a\\Y", 1}, {"b\\X", 2}}, {}, 0, 0},
        {"groups by first entry, entries in walk order",
         {{"1\\B", 5}, {"1\\A", 5}, {"2\\A", 5}, {"2\\B", 5}, {"3\\A", 5}, {"x\\A", 6}},
         {"B", "\t#0", "\t#3", "A", "\t#1", "\t#2", "\t#4"},
         3,
         2},
        {"4 GB and more stay apart from small sizes",
         {{"a\\Z", 4294967295u}, {"b\\Z", 4294967295u}},
         {"Z", "\t#0", "\t#1"},
         1,
         1},
    };
    for (const auto& c : cases) {
        const Lines keys = keysOf(c.files);
        Recorder r(keys);
        compareEqualEntries(keys, r);
        EXPECT_EQ(c.lines, r.lines) << c.what;
        EXPECT_EQ(c.hits, r.hits) << c.what;
        EXPECT_EQ(c.withHits, r.withHits) << c.what;
        EXPECT_EQ(static_cast<long>(keys.size()), r.filesSearched) << c.what << ": every entry counts as searched";
    }
}

TEST(EqualFiles, SameAsComparingEveryPairIncludingEarlyEnds) {
    std::mt19937 random(7);
    for (int round = 0; round < 60; ++round) {
        std::vector<std::string> keys;
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
        ASSERT_EQ(slow.events, fast.events) << "round " << round;
        ASSERT_EQ(slow.filesSearched, fast.filesSearched) << "round " << round;
        ASSERT_EQ(slow.hits, fast.hits) << "round " << round;
        ASSERT_EQ(slow.withHits, fast.withHits) << "round " << round;
    }
}
