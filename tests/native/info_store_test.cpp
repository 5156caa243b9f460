// The info catalogue's rules on info file bytes read in text mode: the
// descriptions the lookup collects, the hit lines of the search, and the
// directories the search goes into.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "common/filetools/content_search.h"
#include "extension/info/info_search.h"
#include "extension/info/info_store.h"

using namespace info;
using Lines = std::vector<std::string>;

namespace {

// Feeds the bytes in blocks of 5 and hands each piece to onPiece.
template <class OnPiece> void readPieces(const std::string& bytes, std::size_t maxPiece, OnPiece onPiece) {
    filetools::PieceReader reader(maxPiece);
    for (std::size_t i = 0; i < bytes.size(); i += 5)
        if (!reader.feed(bytes.data() + i, std::min<std::size_t>(5, bytes.size() - i), onPiece))
            break;
    reader.finish(onPiece);
}

} // namespace

TEST(InfoLookup, Descriptions) {
    const std::string x188(188, 'x');
    std::string many; // 50 entry lines of 100 characters: 5000 in all
    for (int i = 0; i < 50; ++i)
        many += "README.TXT " + std::string(99, static_cast<char>('a' + i % 26)) + "\n";
    const std::string manyText = std::regex_replace(many, std::regex("README\\.TXT "), "").substr(0, kMaxDescription);
    const std::string docs = "C:\\DOCS\\readme.txt";
    const struct {
        const char* what;
        std::string path, bytes, expected;
    } cases[] = {
        {"tab", docs, "README.TXT\tProject notes\n", "Project notes\n"},
        {"tab, tab", docs, "README.TXT\t\tx\n", "x\n"},
        {"blank, tab", docs, "README.TXT \tx\n", "x\n"},
        {"two blanks", docs, "README.TXT  x\n", " x\n"},
        {"bare name", docs, "README.TXT\n", "\n"},
        {"bare name on a last line without LF", docs, "OTHER x\nREADME.TXT", "\n"},
        {"two entry lines, others between", docs, "README.TXT first\nX y\n\nREADME.TXT second\n", "first\nsecond\n"},
        {"lower-case name", docs, "readme.txt Project notes\n", ""},
        {"longer key", docs, "README.TXTS more\n", ""},
        {"CR LF lines", docs, "# head\r\nREADME.TXT a\r\nREADME.TXT\r\nREADME.TXT b\r\n", "a\n\nb\n"},
        {"300-character line: 199 + rest", docs, "README.TXT " + x188 + std::string(100, 'y') + "\n", x188},
        {"rest of a long line on its own", docs, "README.TXT " + x188 + "README.TXT tail\n", x188 + "tail\n"},
        {"5000 characters stop at 999", docs, many, manyText},
        {"zero byte, Ctrl-Z", docs, std::string("README.TXT a\0b\n\x1aREADME.TXT c\n", 29), "a"},
        {"only a to z upper-cased", "C:\\äb.txt", "äB.TXT yes\nÄB.TXT no\n", "yes\n"},
        {"a name with a blank", "C:\\my file.txt", "MY FILE.TXT text\nMY text\n", ""},
        {"no backslash", "readme.txt", "README.TXT x\n", ""},
        {"no name", "C:\\", " x\n\n", ""},
    };
    for (const auto& c : cases) {
        const auto target = lookupTarget(c.path, "korbinex.inf");
        DescriptionCollector collector(target ? target->name : "");
        if (target)
            readPieces(c.bytes, kLookupPiece, [&](std::string_view p) { return collector.add(p); });
        EXPECT_EQ(c.expected, collector.text()) << c.what;
    }
    EXPECT_EQ("C:\\DOCS\\beschr.inf", lookupTarget(docs, "beschr.inf")->infoPath);
}

TEST(InfoScan, HitLines) {
    const struct {
        const char* what;
        std::string directory, bytes, typed;
        Lines expected;
    } cases[] = {
        {"found in lower-case text",
         "C:\\D",
         "README.TXT project notes\r\nX other\r\n",
         "NOTES",
         {"C:\\D\\README.TXT project notes"}},
        {"a drive root", "C:\\", "A notes\n", "NOTES", {"C:\\A notes"}},
        {"'|', '*' literal", "D", "A a|b\nB a\nC 5*\n", "A|B", {"D\\A a|b"}},
        {"a lone CR cuts the line", "D", "A one\rtwo\n", "TWO", {"D\\A one"}},
        {"only a to z upper-cased", "D", "A grün\nC GRÜN\n", "GRÜN", {"D\\C GRÜN"}},
        {"pieces of 999", "D", std::string(999, 'y') + "NOTE\n", "NOTE", {"D\\NOTE"}},
    };
    for (const auto& c : cases) {
        std::string directory = c.directory;
        dropTrailingBackslash(directory);
        Lines hits;
        readPieces(c.bytes, kScanPiece, [&](std::string_view p) {
            if (auto hit = scanHit(directory, p, c.typed))
                hits.push_back(*hit);
            return true;
        });
        EXPECT_EQ(c.expected, hits) << c.what;
    }
}

TEST(InfoSearch, OnlyPlainDirectoriesWithoutALeadingPeriod) {
    const struct {
        std::uint32_t attributes;
        const char* name;
        bool searched;
    } cases[] = {{0x10, "sub", true},   {0x11, "ro", false},   {0x12, "hidden", false},
                 {0x14, "sys", false},  {0x30, "arch", false}, {0x410, "lnk", false},
                 {0x10, ".dot", false}, {0x10, "..", false},   {0x20, "file", false}};
    for (const auto& c : cases)
        EXPECT_EQ(c.searched, searchesInto(c.attributes, c.name)) << c.name;
}
