// The info catalogue's rules: descriptions looked up from info file bytes
// read in text mode, hit lines of the search, and which directories the
// search goes into.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/filetools/content_search.h"
#include "extension/info/info_search.h"
#include "extension/info/info_store.h"

using namespace info;

namespace {

using Lines = std::vector<std::string>;

// Runs the pieces of bytes, fed in small blocks, through onPiece.
template <class OnPiece> void readPieces(const std::string& bytes, std::size_t maxPiece, OnPiece onPiece) {
    filetools::PieceReader reader(maxPiece);
    for (std::size_t i = 0; i < bytes.size(); i += 5)
        if (!reader.feed(bytes.data() + i, std::min<std::size_t>(5, bytes.size() - i), onPiece))
            break;
    reader.finish(onPiece);
}

std::string describe(const std::string& path, const std::string& bytes) {
    const auto target = lookupTarget(path, "korbinex.inf");
    if (!target)
        return "(no target)";
    DescriptionCollector collector(target->name);
    readPieces(bytes, kLookupPiece, [&](std::string_view p) { return collector.add(p); });
    return collector.text();
}

Lines scan(std::string directory, const std::string& bytes, const std::string& typed) {
    dropTrailingBackslash(directory);
    Lines hits;
    readPieces(bytes, kScanPiece, [&](std::string_view p) {
        if (auto hit = scanHit(directory, p, upperAz(typed)))
            hits.push_back(*hit);
        return true;
    });
    return hits;
}

} // namespace

TEST(InfoLookup, TargetOfAPath) {
    const auto target = lookupTarget("C:\\Docs\\readme.txt", "beschr.inf");
    ASSERT_TRUE(target);
    EXPECT_EQ("C:\\Docs\\beschr.inf", target->infoPath);
    EXPECT_EQ("README.TXT", target->name);
    EXPECT_EQ("äBC.TXT", lookupTarget("C:\\äbc.txt", "k")->name) << "only a to z change";
    EXPECT_FALSE(lookupTarget("readme.txt", "k")) << "no backslash";
    EXPECT_FALSE(lookupTarget("C:\\", "k")) << "no name after the backslash";
}

TEST(InfoLookup, Descriptions) {
    const std::string line300 = "README.TXT " + std::string(288, 'x') + "\n"; // 300 characters
    std::string many, manyText;                                               // 50 entry lines of 100 characters each
    for (int i = 0; i < 50; ++i) {
        const std::string text(99, static_cast<char>('a' + i % 26));
        many += "README.TXT " + text + "\n";
        manyText += text + "\n";
    }
    manyText.resize(kMaxDescription);
    const struct {
        const char* what;
        std::string bytes;
        std::string expected;
    } cases[] = {
        {"tab", "README.TXT\tProject notes\n", "Project notes\n"},
        {"tab, tab", "README.TXT\t\tx\n", "x\n"},
        {"blank, tab", "README.TXT \tx\n", "x\n"},
        {"two blanks", "README.TXT  x\n", " x\n"},
        {"blank, tab, tab", "README.TXT \t\tx\n", "\tx\n"},
        {"bare name", "README.TXT\n", "\n"},
        {"bare name on a last line without LF", "OTHER x\nREADME.TXT", "\n"},
        {"text on a last line without LF", "README.TXT last", "last"},
        {"two entry lines, others between", "README.TXT first\nX.TXT no\n\nREADME.TXT second\n", "first\nsecond\n"},
        {"lower-case name", "readme.txt Project notes\n", ""},
        {"longer key", "README.TXTS more\n", ""},
        {"CR LF lines", "# heading\r\nREADME.TXT a\r\nREADME.TXT\r\nREADME.TXT b\r\n", "a\n\nb\n"},
        {"300-character line read as 199 + rest", line300, std::string(188, 'x')},
        {"rest of a long line looked at on its own", "README.TXT " + std::string(188, 'x') + "README.TXT tail\n",
         std::string(188, 'x') + "tail\n"},
        {"5000 characters stop at 999", many, manyText},
        {"zero byte ends the piece", std::string("README.TXT ab\0cd\n", 17), "ab"},
        {"Ctrl-Z ends the file", "README.TXT a\n\x1aREADME.TXT b\n", "a\n"},
        {"no info file content", "", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, describe("C:\\DOCS\\readme.txt", c.bytes)) << c.what;
}

TEST(InfoLookup, NameWithABlankHasNoEntry) {
    EXPECT_EQ("", describe("C:\\my file.txt", "MY FILE.TXT text\nMY text\n"));
}

TEST(InfoScan, HitLines) {
    const struct {
        const char* what;
        std::string directory, bytes, typed;
        Lines expected;
    } cases[] = {
        {"found in lower-case text, spelled as read",
         "C:\\DOCS",
         "README.TXT project notes\r\nX.TXT other\r\n",
         "notes",
         {"C:\\DOCS\\README.TXT project notes"}},
        {"a drive root", "C:\\", "A.TXT notes\n", "NOTES", {"C:\\A.TXT notes"}},
        {"one trailing backslash only", "C:\\D\\\\", "A x\n", "x", {"C:\\D\\\\A x"}},
        {"the name matches too, tabs stay", "D", "NOTES.TXT\tabc\n", "notes", {"D\\NOTES.TXT\tabc"}},
        {"'|' is an ordinary character", "D", "A a|b\nB a\nC b\n", "a|b", {"D\\A a|b"}},
        {"'*' and '?' are literal", "D", "A 5* good\nB 5 stars\nC why?\n", "*", {"D\\A 5* good"}},
        {"a lone CR cuts the line", "D", "A one\rtwo\n", "two", {"D\\A one"}},
        {"only a to z are upper-cased", "D", "A grün\nB GRüN\nC GRÜN\n", "grÜn", {"D\\C GRÜN"}},
        {"pieces of 999 characters", "D", std::string(999, 'y') + "NOTE\n", "note", {"D\\NOTE"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, scan(c.directory, c.bytes, c.typed)) << c.what;
}

TEST(InfoSearch, DirectoriesSearched) {
    const struct {
        std::uint32_t attributes;
        const char* name;
        bool searched;
    } cases[] = {
        {0x10, "sub", true},   {0x11, "ro", false},    {0x12, "hidden", false}, {0x14, "system", false},
        {0x30, "arch", false}, {0x10, ".dot", false},  {0x10, ".", false},      {0x10, "..", false},
        {0x20, "file", false}, {0x410, "link", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.searched, searchesInto(c.attributes, c.name)) << c.name;
}

TEST(InfoSearch, WindowSizeAndTexts) {
    EXPECT_EQ(441, searchWindowSize(590).width); // 590 / 4 = 147, times 3
    EXPECT_EQ(220, searchWindowSize(590).height);
    EXPECT_EQ("12 Verzeichnisse durchsucht", withCount(kSearchedCaption, 12));
    EXPECT_EQ("   >>> 0 Treffer <<<", withCount("   >>> %d Treffer <<<", 0));
}
