// The selection list reader: line ends, empty and over-long lines, entries
// copied into path buffers.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

#include "common/filetools/selection_list.h"

using filetools::kEntrySize;
using filetools::SelectionListReader;

namespace {

class ListFile {
public:
    explicit ListFile(const std::string& content) {
        char name[] = "/tmp/zqkXXXXXX";
        const int fd = mkstemp(name);
        path_ = name;
        if (fd >= 0) {
            ssize_t written = write(fd, content.data(), content.size());
            (void)written;
            close(fd);
        }
    }
    ~ListFile() { std::remove(path_.c_str()); }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

std::vector<std::string> linesOf(const std::string& content) {
    ListFile file(content);
    std::vector<std::string> lines;
    EXPECT_TRUE(filetools::readSelectionList(file.path(), lines));
    return lines;
}

} // namespace

TEST(SelectionList, LineEndsAndEmptyLines) {
    using Lines = std::vector<std::string>;
    const struct {
        const char* name;
        std::string content;
        Lines expected;
    } cases[] = {
        {"CR LF", "C:\\a.txt\r\nC:\\b\r\n", {"C:\\a.txt", "C:\\b"}},
        {"LF", "C:\\a.txt\nC:\\b\n", {"C:\\a.txt", "C:\\b"}},
        {"mixed", "C:\\a\r\nC:\\b\nC:\\c\r\n", {"C:\\a", "C:\\b", "C:\\c"}},
        {"last line without line end", "C:\\a\r\nC:\\last", {"C:\\a", "C:\\last"}},
        {"only line without line end", "C:\\", {"C:\\"}},
        {"empty lines skipped", "\r\n\nC:\\a\n\r\n\nC:\\b\n\n", {"C:\\a", "C:\\b"}},
        {"empty file", "", {}},
        {"blanks kept", "C:\\my files\\a b.txt\n", {"C:\\my files\\a b.txt"}},
        {"CP1252 name",
         "C:\\gr\xf6\xdf"
         "e.txt\n",
         {"C:\\gr\xf6\xdf"
          "e.txt"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, linesOf(c.content)) << "case: " << c.name;
}

TEST(SelectionList, LinesOfAnyLengthAreReadWhole) {
    const std::string longLine(5000, 'x');
    const std::vector<std::string> lines = linesOf("C:\\a\n" + longLine + "\nC:\\b");
    ASSERT_EQ(3u, lines.size());
    EXPECT_EQ(longLine, lines[1]);
    EXPECT_EQ("C:\\b", lines[2]);
}

TEST(SelectionList, EntriesThatDoNotFitAPathBufferAreSkipped) {
    const std::string fits(259, 'a');
    const std::string tooLong(260, 'b');
    ListFile file("C:\\first\n" + tooLong + "\n" + fits + "\n" + std::string(4000, 'c') + "\nC:\\last");
    SelectionListReader reader;
    ASSERT_TRUE(reader.open(file.path()));
    std::vector<std::string> entries;
    char entry[kEntrySize];
    while (reader.nextEntry(entry))
        entries.emplace_back(entry);
    EXPECT_EQ((std::vector<std::string>{"C:\\first", fits, "C:\\last"}), entries);
    EXPECT_EQ(2u, reader.skippedTooLong());
    EXPECT_FALSE(reader.nextEntry(entry));
    EXPECT_STREQ("", entry);
}

TEST(SelectionList, CopyEntryNeverWritesPastTheBuffer) {
    const struct {
        std::string entry;
        std::size_t size;
        bool fits;
        const char* expected;
    } cases[] = {
        {"C:\\", 4, true, "C:\\"},               // exactly fits with its terminator
        {"C:\\a", 4, false, ""},                 // one too many: not cut
        {"", 4, true, ""},                       //
        {std::string("C:\0x", 4), 8, false, ""}, // an embedded zero would hide the rest
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        char buffer[9];
        std::memset(buffer, '#', sizeof buffer);
        EXPECT_EQ(cases[i].fits, filetools::copyEntry(buffer, cases[i].size, cases[i].entry)) << "case " << i;
        EXPECT_STREQ(cases[i].expected, buffer) << "case " << i;
        for (std::size_t k = cases[i].size; k < sizeof buffer; ++k)
            EXPECT_EQ('#', buffer[k]) << "case " << i << ": written at " << k;
    }
    EXPECT_FALSE(filetools::copyEntry(nullptr, 0, "x"));
}

TEST(SelectionList, MissingOrUnnamedFileDoesNotOpen) {
    SelectionListReader reader;
    EXPECT_FALSE(reader.open(""));
    EXPECT_FALSE(reader.open("/tmp/no such directory/zqk0001.tmp"));
    std::string line;
    EXPECT_FALSE(reader.nextLine(line));
    std::vector<std::string> lines{"old"};
    EXPECT_FALSE(filetools::readSelectionList("", lines));
    EXPECT_TRUE(lines.empty());
}
