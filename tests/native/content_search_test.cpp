// Reading a file as pieces and matching them: text-mode reading, the 999
// character pieces, Ctrl-Z and zero bytes, the patterns and the hit lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/filetools/content_search.h"

using namespace filetools;

namespace {

// Feeds the bytes in blocks of the given size and returns the pieces.
std::vector<std::string> piecesOf(const std::string& bytes, std::size_t block = 7) {
    std::vector<std::string> pieces;
    PieceReader reader;
    auto take = [&](std::string_view p) {
        pieces.emplace_back(p);
        return true;
    };
    for (std::size_t i = 0; i < bytes.size(); i += block)
        if (!reader.feed(bytes.data() + i, std::min(block, bytes.size() - i), take))
            break;
    reader.finish(take);
    return pieces;
}

// The hit lines one file gives for a search text, the way the search runs it.
std::vector<std::string> grep(const std::string& searchText, const std::string& bytes) {
    const UpperTable upper = ansiUpperTable1252();
    PieceMatcher matcher(splitPatterns(upper.apply(searchTextFromField(searchText))), upper);
    std::vector<std::string> hits;
    PieceReader reader;
    auto test = [&](std::string_view p) {
        if (matcher.hits(p))
            hits.push_back(hitLine("C:\\f.txt", p));
        return true;
    };
    reader.feed(bytes.data(), bytes.size(), test);
    reader.finish(test);
    return hits;
}

using Lines = std::vector<std::string>;

} // namespace

TEST(PieceReader, TextModeAndPieces) {
    const std::string longLine(3000, 'x');
    const struct {
        std::string bytes;
        Lines expected;
    } cases[] = {
        {"a\r\nb\r\n", {"a\n", "b\n"}},
        {"a\nb", {"a\n", "b"}},
        {"a\rb\r\n", {"a\rb\n"}},                  // a lone CR stays
        {"a\r", {"a\r"}},                          // CR at the very end
        {"a\r\r\n", {"a\r\n"}},                    // CR CR LF
        {"one\ntwo\x1athree\n", {"one\n", "two"}}, // Ctrl-Z ends the file
        {"\x1a"
         "after",
         {}},
        {std::string("a\0b\nc\n", 6), {std::string("a\0b\n", 4), "c\n"}}, // the zero stays in the piece as read
        {longLine + "\n", {std::string(999, 'x'), std::string(999, 'x'), std::string(999, 'x'), "xxx\n"}},
        {std::string(999, 'y') + "\n", {std::string(999, 'y'), "\n"}},
        {"", {}},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        for (std::size_t block : {1u, 3u, 7u, 4096u})
            EXPECT_EQ(cases[i].expected, piecesOf(cases[i].bytes, block)) << "case " << i << ", blocks of " << block;
}

TEST(PieceReader, StopsWhenTold) {
    PieceReader reader;
    int seen = 0;
    auto stopAtSecond = [&](std::string_view) { return ++seen < 2; };
    const std::string bytes = "1\n2\n3\n4";
    EXPECT_FALSE(reader.feed(bytes.data(), bytes.size(), stopAtSecond));
    reader.finish(stopAtSecond);
    EXPECT_EQ(2, seen) << "nothing is handed over after the stop, not even the last piece";
}

TEST(ContentSearch, PatternsAgainstLines) {
    const std::string file = "foo bar\nFoo\nxAByy\nno\nzzCD\nlast FOO";
    const struct {
        const char* search;
        Lines expected;
    } cases[] = {
        {"foo", {"C:\\f.txt\tfoo bar", "C:\\f.txt\tFoo", "C:\\f.txt\tlast FOO"}},
        {"AB|CD", {"C:\\f.txt\txAByy", "C:\\f.txt\tzzCD"}},
        {"FOO*", {"C:\\f.txt\tfoo bar", "C:\\f.txt\tFoo"}},
        {"*FOO", {"C:\\f.txt\tlast FOO"}}, // only the last line has no line feed after FOO
        {"*FOO*", {"C:\\f.txt\tfoo bar", "C:\\f.txt\tFoo", "C:\\f.txt\tlast FOO"}},
        {"|AB", {}},
        {"A||B", {"C:\\f.txt\tfoo bar", "C:\\f.txt\txAByy", "C:\\f.txt\tlast FOO"}},
        {"B|AB", {"C:\\f.txt\tfoo bar", "C:\\f.txt\txAByy"}}, // a line is listed once
        {"",
         {"C:\\f.txt\tfoo bar", "C:\\f.txt\tFoo", "C:\\f.txt\txAByy", "C:\\f.txt\tno", "C:\\f.txt\tzzCD",
          "C:\\f.txt\tlast FOO"}},
        {"x??Y", {}}, // wildcard entries must match the whole piece
        {"x??Y*", {"C:\\f.txt\txAByy"}},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(cases[i].expected, grep(cases[i].search, file)) << "case " << i << ": '" << cases[i].search << "'";
}

TEST(ContentSearch, AccentedLettersMatchInBothCases) {
    const std::string file = "kleines ä\ngroßes Ä\nGRÖßE\nohne\n";
    EXPECT_EQ((Lines{"C:\\f.txt\tkleines ä", "C:\\f.txt\tgroßes Ä"}), grep("ä", file));
    EXPECT_EQ((Lines{"C:\\f.txt\tkleines ä", "C:\\f.txt\tgroßes Ä"}), grep("Ä", file));
    EXPECT_EQ((Lines{"C:\\f.txt\tGRÖßE"}), grep("größe", file));
}

TEST(ContentSearch, LongLinesBinaryAndZeroBytes) {
    std::string longLine(3000, 'a');
    longLine.replace(997, 4, "NEED"); // spans the first cut: found in neither piece
    longLine.replace(1500, 4, "FIND");
    EXPECT_EQ(1u, grep("FIND", longLine + "\n").size());
    EXPECT_EQ(0u, grep("NEED", longLine + "\n").size());
    // A hit shows at most 255 characters of its piece.
    const Lines hundredK = grep("B", std::string(100000, 'b') + "\n");
    ASSERT_EQ(101u, hundredK.size()) << "100,000 characters are 100 pieces of 999 and one of 100";
    EXPECT_EQ("C:\\f.txt\t" + std::string(255, 'b'), hundredK[0]);
    // Past a zero byte nothing of the piece is searched or shown.
    EXPECT_EQ(0u, grep("hidden", std::string("vis\0hidden\n", 11)).size());
    EXPECT_EQ((Lines{"C:\\f.txt\tvis"}), grep("vis", std::string("vis\0hidden\n", 11)));
    EXPECT_EQ((Lines{"C:\\f.txt\tnext"}), grep("next", std::string("vis\0\nnext\n", 10)));
    // Text after Ctrl-Z is never searched.
    EXPECT_EQ(0u, grep("late", "early\n\x1alate\n").size());
    // A lone CR within the line cuts what is shown, not what is searched.
    EXPECT_EQ((Lines{"C:\\f.txt\tab"}), grep("cd", "ab\rcd\n"));
}

namespace {

// Every piece tested, the plain way: what the scanner must agree with.
std::vector<std::string> referenceHits(const PieceMatcher& matcher, const std::string& bytes) {
    std::vector<std::string> hits;
    PieceReader reader;
    auto test = [&](std::string_view p) {
        if (matcher.hits(p))
            hits.emplace_back(p);
        return true;
    };
    reader.feed(bytes.data(), bytes.size(), test);
    reader.finish(test);
    return hits;
}

std::vector<std::string> scannerHits(const PieceMatcher& matcher, const std::string& bytes, std::size_t block) {
    std::vector<std::string> hits;
    FileScanner scanner(matcher);
    auto take = [&](std::string_view p) {
        hits.emplace_back(p);
        return true;
    };
    for (std::size_t i = 0; i < bytes.size(); i += block)
        if (!scanner.feed(bytes.data() + i, std::min(block, bytes.size() - i), take))
            break;
    scanner.finish(take);
    return hits;
}

} // namespace

TEST(FileScanner, SameHitsAsTestingEveryPiece) {
    const UpperTable upper = ansiUpperTable1252();
    std::string longLine(2500, 'q');
    longLine.replace(997, 6, "needle"); // across a cut: no hit
    longLine.replace(2000, 6, "NeEdLe");
    // Hits at every offset of the sixteen-byte blocks, one cut by the text's end.
    std::string shifted;
    for (int k = 0; k < 40; ++k)
        shifted += std::string(k, 'd') + (k % 3 ? "nEEdLE ärgerlich" : "GRÖßE needl") + "\n";
    shifted += std::string(30, 'l') + "need";
    const std::string files[] = {
        "needle\r\nhay\r\nmore needle here\r\n",
        "hay\nhay\nnee\ndle\nneedle",               // a last line without line feed
        "a\r\nb needle\rc\r\n\r\nneedle\r",         // lone CRs, CR at the very end
        std::string("nee\0needle\nneedle\0\n", 20), // zero bytes
        "x\n" + longLine + "\nneedle\n",
        "before needle\n\x1a needle after Ctrl-Z\n",
        "Größe ÄRGER ärger\nnichts\n",
        std::string(5000, '\n') + "needle",
        shifted,
        "",
    };
    // "ay\n" stands for "ay\r\n" in the raw bytes: lines cannot be skipped by it.
    const char* searches[] = {"needle", "NEEDLE|hay", "ärger", "größe", "e", "needle|zz|q", "*needle*", "hay*", "ay\n"};
    int compared = 0;
    for (const char* search : searches) {
        const PieceMatcher matcher(splitPatterns(upper.apply(search)), upper);
        for (std::size_t f = 0; f < std::size(files); ++f) {
            const std::vector<std::string> expected = referenceHits(matcher, files[f]);
            for (std::size_t block : {1u, 2u, 5u, 64u, 999u, 65536u}) {
                EXPECT_EQ(expected, scannerHits(matcher, files[f], block))
                    << "search '" << search << "', file " << f << ", blocks of " << block;
                ++compared;
            }
        }
    }
    EXPECT_EQ(9 * 10 * 6, compared);
    // Made without splitPatterns, a matcher may hold an empty pattern: every piece is a hit.
    const PieceMatcher withEmpty({"ZZ", ""}, upper);
    EXPECT_EQ(3u, scannerHits(withEmpty, files[0], 64).size());
}

TEST(FileScanner, StopsAtTheFirstRefusedHit) {
    const UpperTable upper = ansiUpperTable1252();
    const PieceMatcher matcher(splitPatterns("HIT"), upper);
    FileScanner scanner(matcher);
    const std::string bytes = "hit 1\nno\nhit 2\nhit 3\n";
    int taken = 0;
    auto takeTwo = [&](std::string_view) { return ++taken < 2; };
    EXPECT_FALSE(scanner.feed(bytes.data(), bytes.size(), takeTwo));
    scanner.finish(takeTwo);
    EXPECT_EQ(2, taken);
}
