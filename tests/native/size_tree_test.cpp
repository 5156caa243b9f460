// Size tree rules: the labels, totals summed once per subtree, and which
// nodes stay open after the closing step.
#include <gtest/gtest.h>

#include <cctype>

#include "common/filetools/size_tree.h"

using filetools::SizeTotals;
using filetools::SizeTree;

namespace {

int compareNoCase(std::string_view a, std::string_view b) {
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
        const int d = std::toupper(static_cast<unsigned char>(a[i])) - std::toupper(static_cast<unsigned char>(b[i]));
        if (d != 0)
            return d;
    }
    return static_cast<int>(a.size()) - static_cast<int>(b.size());
}

std::string blanks(std::size_t n) {
    return std::string(n, ' ');
}

} // namespace

TEST(SizeTree, Labels) {
    const struct {
        const char* path;
        SizeTotals totals;
        const char* filesText;
        std::string expected;
    } cases[] = {
        {"C:\\DATA\\A.TXT", {3000, 1}, "Dateien", "A.TXT" + blanks(22) + blanks(6) + "2 KB" + blanks(7) + "1 Dateien"},
        {"C:\\*", {0, 0}, "files", "C:\\*" + blanks(23) + blanks(6) + "0 KB" + blanks(7) + "0 files"},
        {"X:\\name", {1024 * 1500, 12345}, "files", "X:\\name" + blanks(20) + "  1.500 KB" + "  12.345 files"},
        {"C:\\DATA", {1264196608u, 7}, "Dateien", "C:\\DATA" + blanks(20) + "1.234.567 KB" + blanks(7) + "7 Dateien"},
        {"C:\\a\\name-of-exactly-25-chars!",
         {4294967295u, 4294967295u},
         "files",
         "name-of-exactly-25-chars!  4.194.303 KB4.294.967.295 files"},
        {"C:\\a\\a-name-longer-than-the-column",
         {2048, 2},
         "files",
         "a-name-longer-than-the-column  " + blanks(6) + "2 KB" + blanks(7) + "2 files"},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(cases[i].expected, filetools::sizeLabel(cases[i].path, cases[i].totals, cases[i].filesText))
            << "case " << i;
    const std::string longName = "C:\\d\\" + std::string(300, 'n');
    EXPECT_EQ(std::string(259, 'n'), filetools::sizeLabel(longName, {}, "files")) << "cut to the label's size";
}

TEST(SizeTree, SortedNodesAndTotalsSummedOnce) {
    SizeTree tree(compareNoCase);
    const int data = tree.addTopLevel("C:\\DATA", true, false);
    const int file = tree.addTopLevel("C:\\ALONE.TXT", false, false, 3000);
    const int root = tree.addTopLevel("C:\\*", true, true);
    EXPECT_EQ((std::vector<int>{root, file, data}), tree.topLevel()) << "sorted by label";
    EXPECT_EQ(file, tree.previousTopLevel(data));
    EXPECT_EQ(-1, tree.previousTopLevel(root));
    EXPECT_EQ("C:", tree.folderOf(root));
    EXPECT_TRUE(filetools::isDriveRootLine("C:\\"));
    EXPECT_FALSE(filetools::isDriveRootLine("C:\\A")) << "a folder at the root is walked as itself";

    const std::vector<int> kids = tree.addChildren(data, {"C:\\DATA\\zeta", "C:\\DATA\\Beta", "C:\\DATA\\alpha"});
    ASSERT_EQ(3u, kids.size());
    EXPECT_EQ("C:\\DATA\\alpha", tree.node(kids[0]).path);
    EXPECT_EQ("C:\\DATA\\zeta", tree.node(kids[2]).path);
    const int deep = tree.addChildren(kids[1], {"C:\\DATA\\Beta\\deep"})[0];
    tree.setOwn(data, {100, 1});
    tree.setOwn(kids[0], {4000000000u, 2});
    tree.setOwn(kids[1], {10, 1});
    tree.setOwn(deep, {500000000u, 3});
    tree.sumSubtree(data);
    EXPECT_EQ((std::vector<int>{data, kids[0], kids[1], deep, kids[2]}), tree.displayOrder(data));
    EXPECT_EQ(500000010u, tree.node(kids[1]).total.bytes);
    EXPECT_EQ(4u, tree.node(kids[1]).total.files);
    const std::uint32_t wrapped = 100u + 4000000000u + 10u + 500000000u; // past 2^32, as the 32-bit total
    EXPECT_EQ(wrapped, tree.node(data).total.bytes);
    EXPECT_EQ(7u, tree.node(data).total.files);
    EXPECT_TRUE(tree.node(deep).summed);
    EXPECT_FALSE(tree.node(root).summed);
    tree.sumSubtree(file);
    EXPECT_EQ(3000u, tree.node(file).total.bytes) << "a selected file counts as itself";
    EXPECT_EQ(1u, tree.node(file).total.files);
}

TEST(SizeTree, WhatStaysOpen) {
    // Entries A (a1 > a11 > a111, a2), B (b1 > b11) and a file F; B was the
    // first entry while it was built and stood open then.
    SizeTree tree(compareNoCase);
    const int b = tree.addTopLevel("C:\\B", true, false);
    const int b1 = tree.addChildren(b, {"C:\\B\\b1"})[0];
    tree.addChildren(b1, {"C:\\B\\b1\\b11"});
    tree.expand(b);
    const int a = tree.addTopLevel("C:\\A", true, false);
    const std::vector<int> as = tree.addChildren(a, {"C:\\A\\a1", "C:\\A\\a2"});
    const int a11 = tree.addChildren(as[0], {"C:\\A\\a1\\a11"})[0];
    tree.addChildren(a11, {"C:\\A\\a1\\a11\\a111"});
    tree.expand(a);
    const int f = tree.addTopLevel("C:\\F.TXT", false, false, 1);
    ASSERT_EQ(8, f);

    const struct {
        const char* name;
        std::vector<int> summed; // entries summed before Escape
        std::vector<bool> open;  // b, b1, b11, a, a1, a2, a11, a111, f
    } cases[] = {
        {"all summed", {a, b, f}, {false, true, false, true, false, false, true, false, false}},
        {"Escape after the first entry", {a}, {false, false, false, true, false, false, true, false, false}},
        {"Escape at once", {}, {false, false, false, true, false, false, false, false, false}},
    };
    for (const auto& c : cases) {
        SizeTree copy = tree;
        for (int top : c.summed)
            copy.sumSubtree(top);
        EXPECT_EQ(c.open, copy.openAfterCollapse()) << c.name;
    }
}
