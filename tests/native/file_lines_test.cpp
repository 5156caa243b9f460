// The lines of found and equal files, and which names a file-name search finds.
#include <gtest/gtest.h>

#include <string>

#include "common/filetools/file_lines.h"
#include "common/filetools/search_patterns.h"

using namespace filetools;

TEST(FileLines, Formats) {
    const LocalStamp stamp{3, 7, 2024, 9, 5, 1};
    const std::uint8_t all = kAttrReadOnly | kAttrHidden | kAttrSystem | kAttrArchive | kAttrDirectory;
    EXPECT_EQ("C:\\f\t03.07.2024\t09:05:01\tRHSA\t  1.000", fileLine("C:\\f", stamp, all, 1000, kHelperSizePrefix));
    EXPECT_EQ("C:\\f\t03.07.2024\t09:05:01\tRS\t4.294.967.295",
              fileLine("C:\\f", stamp, kAttrSystem | kAttrReadOnly, 4294967295u, ""));
    EXPECT_EQ("\tC:\\f\t31.12.1999\t23:59:59\t\t999", detailLine("C:\\f", {31, 12, 1999, 23, 59, 59}, 0, 999));
    EXPECT_EQ("\tC:\\f\t03.07.2024\t09:05:01\tH\t0", detailLine("C:\\f", stamp, kAttrHidden, 0));
    EXPECT_EQ("\tC:\\gone.txt", detailLineWithoutStatus("C:\\gone.txt"));
}

TEST(FileLines, NameSearchFindsWholeNames) {
    const UpperTable upper = ansiUpperTable1252();
    const struct {
        const char* typed;
        const char* name;
        bool found;
    } cases[] = {
        {"README", "readme", true},     {"README", "README.TXT", false}, {"README.*", "README.TXT", true},
        {"*.txt", "A.TXT", true},       {"*.TXT", "A.TXT.BAK", false},   {" *.TXT | *.DOC ", "b.doc", true},
        {"*.TXT|*.DOC", "c.txt", true}, {"größe*", "GRÖßE.TXT", true},   {"|*.TXT", "a.txt", false},
    };
    for (const auto& c : cases) {
        const auto patterns = splitPatterns(upper.apply(searchTextFromField(c.typed)));
        EXPECT_EQ(c.found, nameMatchesAny(upper.apply(c.name), patterns)) << c.typed << " on " << c.name;
    }
}
