// The lines of found and equal files, and which names a file-name search finds.
#include <gtest/gtest.h>

#include <string>

#include "common/filetools/file_lines.h"
#include "common/filetools/search_patterns.h"

using namespace filetools;

TEST(FileLines, Formats) {
    const LocalStamp stamp{3, 7, 2024, 9, 5, 1};
    const struct {
        std::uint8_t attributes;
        std::uint32_t size;
        const char* letters;
        const char* size_;
    } cases[] = {
        {0, 0, "", "0"},
        {kAttrArchive, 999, "A", "999"},
        {kAttrReadOnly | kAttrHidden | kAttrSystem | kAttrArchive | kAttrDirectory, 1000, "RHSA", "1.000"},
        {kAttrSystem | kAttrReadOnly, 4294967295u, "RS", "4.294.967.295"},
        {kAttrHidden, 1234567, "H", "1.234.567"},
    };
    for (const auto& c : cases) {
        const std::string stem = std::string("C:\\d\\f.txt\t03.07.2024\t09:05:01\t") + c.letters + "\t";
        EXPECT_EQ(stem + "  " + c.size_, fileLine("C:\\d\\f.txt", stamp, c.attributes, c.size, kHelperSizePrefix));
        EXPECT_EQ(stem + c.size_, fileLine("C:\\d\\f.txt", stamp, c.attributes, c.size, ""));
        EXPECT_EQ("\t" + stem + c.size_, detailLine("C:\\d\\f.txt", stamp, c.attributes, c.size));
    }
    EXPECT_EQ("\tC:\\gone.txt", detailLineWithoutStatus("C:\\gone.txt"));
    EXPECT_EQ("x\t31.12.1999\t23:59:59\t\t12", fileLine("x", {31, 12, 1999, 23, 59, 59}, 0, 12, ""));
}

TEST(FileLines, NameSearchFindsWholeNames) {
    const UpperTable upper = ansiUpperTable1252();
    const struct {
        const char* typed;
        const char* name;
        bool found;
    } cases[] = {
        {"README", "readme", true},       {"README", "README.TXT", false},
        {"README.*", "README.TXT", true}, {"*.TXT", "A.TXT", true},
        {"*.txt", "a.txt", true},         {"*.TXT", "A.TXT.BAK", false},
        {"*.TXT|*.DOC", "b.doc", true},   {"*.TXT|*.DOC", "c.txt", true},
        {"*.TXT|*.DOC", "d.xls", false},  {" *.TXT | *.DOC ", "e.doc", true},
        {"größe*", "GRÖSSE.TXT", false},  {"größe*", "GRÖßE.TXT", true},
        {"", "anything", true},           {"|*.TXT", "a.txt", false},
    };
    for (const auto& c : cases) {
        const auto patterns = splitPatterns(upper.apply(searchTextFromField(c.typed)));
        EXPECT_EQ(c.found, nameMatchesAny(upper.apply(c.name), patterns)) << c.typed << " on " << c.name;
    }
}
