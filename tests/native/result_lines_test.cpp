// The result list's column commands, clipboard text, caption and tab stops,
// and the file table with its memory rule.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/filetools/file_table.h"
#include "common/filetools/result_lines.h"

using namespace filetools;

TEST(ResultLines, RemoveFirstColumn) {
    const struct {
        const char* line;
        std::optional<std::string> expected;
    } cases[] = {
        {"C:\\p\tx\ty", "x\ty"},  {" ", std::nullopt}, // separator lines stay
        {"no tab", std::nullopt}, {"\tlead", "lead"},  {"a\t", ""},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(cases[i].expected, removeFirstColumn(cases[i].line)) << "case " << i;
}

TEST(ResultLines, CompactColumns) {
    const struct {
        const char* line;
        bool removed;
        std::optional<std::string> expected;
    } cases[] = {
        {"C:\\p\tx\ty", false, "C:\\p\txy"},
        {"x\ty", true, "xy"}, // after "<": the first TAB of what is left goes
        {" ", false, std::nullopt},
        {" ", true, std::nullopt},
        {"C:\\a  b\tone\t two\tthree", false, "C:\\a b\tone two three"},
        {"a\tb", false, "a\tb"},
        {"x\t\t\ty", true, "x y"},
        {"p\t   lots    of   space  ", false, "p\t lots of space "},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(cases[i].expected, compactColumns(cases[i].line, cases[i].removed)) << "case " << i;
    // The two in a row on a content hit.
    const std::string hit = "C:\\p\tx\ty";
    EXPECT_EQ("xy", compactColumns(*removeFirstColumn(hit), true));
}

TEST(ResultLines, ClipboardTextIsBounded) {
    EXPECT_EQ("", clipboardText({}));
    EXPECT_EQ("a\r\nb\tc\r\n", clipboardText({"a", "b\tc"}));

    // Lines are taken while fewer than 32,000 characters are gathered.
    const std::vector<std::string> many(200, std::string(498, 'x')); // 500 per line with CR LF
    const std::string text = clipboardText(many);
    EXPECT_EQ(64u * 500, text.size()) << "64 lines reach 32,000; no further line is taken";

    const std::vector<std::string> justBelow = {std::string(31997, 'a'), "b", "c"};
    EXPECT_EQ(31999u + 3, clipboardText(justBelow).size()) << "the line after 31,999 characters still goes in";
    const std::vector<std::string> atBound = {std::string(31998, 'a'), "b"};
    EXPECT_EQ(32000u, clipboardText(atBound).size()) << "at 32,000 characters no line is added";

    // However long a line, the text and its terminator fit the 33,000-byte block.
    const std::vector<std::string> huge = {std::string(40000, 'h')};
    EXPECT_EQ(kClipboardBlock - 1, clipboardText(huge).size());
    const std::vector<std::string> lateHuge = {std::string(31000, 'a'), std::string(5000, 'h')};
    EXPECT_EQ(kClipboardBlock - 1, clipboardText(lateHuge).size());
}

TEST(ResultLines, Caption) {
    EXPECT_EQ("Suchergebnis - (Suche in Dateiinhalt 'FOO')",
              composeCaption("Suchergebnis", "Suche in Dateiinhalt", true, "FOO"));
    EXPECT_EQ("Suchergebnis - (Gleiche Dateien ermitteln)",
              composeCaption("Suchergebnis", "Gleiche Dateien ermitteln", false, "*"));
    EXPECT_EQ("searchresult", composeCaption("searchresult", "", true, "x"));
    const struct {
        ResultMode mode;
        std::uint32_t modeId;
        bool quote;
    } cases[] = {{ResultMode::ContentSearch, 15010, true},
                 {ResultMode::EqualFiles, 15012, false},
                 {ResultMode::NameSearch, 15034, true},
                 {ResultMode::PasteIfChanged, 15136, true}};
    for (const auto& c : cases) {
        const CaptionParts parts = helperCaptionParts(c.mode);
        EXPECT_EQ(15026u, parts.baseId);
        EXPECT_EQ(c.modeId, parts.modeId) << "mode " << static_cast<int>(c.mode);
        EXPECT_EQ(c.quote, parts.quoteSearchText) << "mode " << static_cast<int>(c.mode);
    }
}

TEST(ResultLines, TabStopsFollowTheRightEdge) {
    // Right edge 800 px with a base unit of 8: 800 * 4 / 8 = 400 units, halved 200.
    EXPECT_EQ((std::vector<int>{10, 20, 30, 220, 250, 270, 290, 310, 330, 350}), resultTabStops(800, 8, true));
    EXPECT_EQ((std::vector<int>{10, 20, 30, 220, 240, 260, 280, 300, 320, 340}), resultTabStops(800, 8, false));
    // Integer division at each step: 1001 * 4 / 7 = 572, halved 286.
    EXPECT_EQ(306, resultTabStops(1001, 7, true)[3]);
    EXPECT_EQ(24, resultTabStops(13, 6, false)[3]) << "13 * 4 / 6 = 8, halved 4";
}

TEST(FileTable, EntriesAndMemoryRule) {
    FileTable table;
    ASSERT_TRUE(table.add("C:\\dir\\a.txt", 12));
    ASSERT_TRUE(table.add("C:\\big.iso", 4000000000u));
    ASSERT_TRUE(table.add("noslash", 0));
    EXPECT_EQ((std::vector<std::string>{"C:\\dir\\a.txt\t12", "C:\\big.iso\t4000000000", "noslash\t0"}),
              table.pathEntries());
    EXPECT_EQ((std::vector<std::string>{"a.txt\t12", "big.iso\t4000000000", "noslash\t0"}), table.nameEntries());
    EXPECT_EQ("C:\\dir\\a.txt", FileTable::pathOf(table.pathEntries()[0]));
    table.clear();
    EXPECT_EQ(0u, table.size());

    MemoryCheckCounter counter;
    std::vector<int> due;
    for (int i = 1; i <= 250; ++i)
        if (counter.due())
            due.push_back(i);
    EXPECT_EQ((std::vector<int>{1, 101, 201}), due);

    const struct {
        std::uint64_t physical, pageFile;
        bool low;
    } cases[] = {{5999999, 7999998, true}, {5999999, 7999999, false}, {6000000, 0, false},
                 {1000000, 2999999, true}, {1000000, 3000000, false}, {0, 0, true}};
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(cases[i].low, memoryIsLow(cases[i].physical, cases[i].pageFile)) << "case " << i;
}
