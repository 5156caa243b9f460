// Wildcard matching, the pattern lists made from the prompt texts and the
// attribute filter of the walks.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "common/filetools/search_patterns.h"
#include "common/filetools/wildcard.h"

using namespace filetools;

namespace {

// The matcher as first described, with its recursion over every split; slow
// but plainly right, so the fast matcher is compared against it.
int referenceMatch(const std::string& text, const std::string& pattern) {
    if (text.empty() || pattern.empty())
        return 0;
    std::size_t i = 0, j = 0;
    for (;;) {
        const char p = pattern[j];
        if (p == '?') {
            if (i >= text.size())
                return 0;
            ++i, ++j;
            if (i >= text.size() && j >= pattern.size())
                return 1;
            if (j >= pattern.size())
                return 0;
        } else if (p == '*') {
            if (j + 1 == pattern.size())
                return 1;
            ++j;
            if (i < text.size()) {
                for (std::size_t k = i; k < text.size(); ++k)
                    if (referenceMatch(text.substr(k), pattern.substr(j)))
                        return 1;
                return 0;
            }
        } else {
            if (i >= text.size() || text[i] != p)
                return 0;
            ++i, ++j;
            if (i >= text.size() && j >= pattern.size())
                return 1;
            if (j >= pattern.size())
                return 0;
        }
    }
}

struct MatchCase {
    const char* text;
    const char* pattern;
    bool expected;
};

} // namespace

TEST(Wildcard, NamedCases) {
    const MatchCase cases[] = {
        {"A.TXT", "*.TXT", true},
        {"A.TXT1", "*.TXT", false},
        {"ABC", "A?C", true},
        {"AC", "A?C", false},
        {"A", "A*", true},
        {"", "*", false},
        {"X", "*", true},
        {"ABC", "ABC", true},
        {"ABCD", "ABC", false},
        {"AC", "A*C", true},
        {"ABC", "", false},
        {"", "", false},
        {"README", "README", true},
        {"README.TXT", "README", false},
        {"README.TXT", "README.*", true},
        {"A.TXT.BAK", "*.TXT", false},
        {"AB", "?", false},
        {"A", "??", false},
        {"A", "A**", true},
        {"AB", "A*?", true},
        {"A", "A*?", false},
        {"FOO\n", "FOO*", true},
        {"XFOO\n", "*FOO", false},
        {"XFOO", "*FOO", true},
        {"A FOO B\n", "*FOO*", true},
        {"ABAB", "*AB", true},
        {"AAB", "*A*B", true},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(cases[i].expected, wildcardMatch(cases[i].text, cases[i].pattern))
            << "case " << i << ": '" << cases[i].text << "' against '" << cases[i].pattern << "'";
    }
}

TEST(Wildcard, AgreesWithTheRecursiveRuleOnEveryShortInput) {
    // Every text of up to 4 characters over {A,B} against every pattern of up
    // to 4 characters over {A,B,*,?}.
    const std::string textAlphabet = "AB", patternAlphabet = "AB*?";
    std::vector<std::string> texts = {""}, patterns = {""};
    for (int len = 1; len <= 4; ++len) {
        const std::size_t from = texts.size();
        for (std::size_t k = 0; k < from; ++k)
            if (texts[k].size() == static_cast<std::size_t>(len - 1))
                for (char c : textAlphabet)
                    texts.push_back(texts[k] + c);
        const std::size_t pfrom = patterns.size();
        for (std::size_t k = 0; k < pfrom; ++k)
            if (patterns[k].size() == static_cast<std::size_t>(len - 1))
                for (char c : patternAlphabet)
                    patterns.push_back(patterns[k] + c);
    }
    int compared = 0;
    for (const std::string& t : texts)
        for (const std::string& p : patterns) {
            ASSERT_EQ(referenceMatch(t, p) == 1, wildcardMatch(t, p)) << "'" << t << "' against '" << p << "'";
            ++compared;
        }
    EXPECT_GT(compared, 5000);
}

TEST(Wildcard, HostilePatternsStayFast) {
    const std::string line(999, 'A');
    const std::string fiftyStars(50, '*');
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(wildcardMatch(line, "*A*A*A*A*B"));
    EXPECT_TRUE(wildcardMatch(line, fiftyStars));
    EXPECT_FALSE(wildcardMatch(line, fiftyStars + "B"));
    EXPECT_TRUE(wildcardMatch(line + "B", "*A*A*A*A*A*A*A*A*A*A*B"));
    EXPECT_FALSE(wildcardMatch("", fiftyStars));
    const auto elapsed = std::chrono::steady_clock::now() - start;
    // The recursive rule takes years on these; a bounded scan takes microseconds.
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count(), 200);
}

TEST(SearchText, TrimmedCutAndDefaulted) {
    const struct {
        std::string field;
        std::string expected;
    } cases[] = {
        {"  foo  ", "foo"},
        {"", "*"},
        {"    ", "*"},
        {"\tA", "\tA"}, // only spaces are trimmed
        {std::string(500, 'x'), std::string(99, 'x')},
        {std::string(98, ' ') + "ab", "a"}, // cut first, then trimmed
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(cases[i].expected, searchTextFromField(cases[i].field)) << "case " << i;
}

TEST(PatternList, SplitAtBars) {
    using V = std::vector<std::string>;
    const struct {
        const char* text;
        V expected;
    } cases[] = {
        {"FOO", V{"FOO"}},
        {"AB|CD", V{"AB", "CD"}},
        {" AB | CD ", V{"AB", "CD"}},
        {"|AB", V{}},
        {"A||B", V{"A"}},
        {"AB|", V{"AB"}},
        {"AB| ", V{"AB"}},
        {"|", V{}},
        {"*", V{"*"}},
        {"1|2|3|4|5|6|7|8|9|10|11|12", V{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}},
        {"A|B|C|D|E|F|G|H|I|J", V{"A", "B", "C", "D", "E", "F", "G", "H", "I", "J"}},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(cases[i].expected, splitPatterns(cases[i].text)) << "case " << i << ": '" << cases[i].text << "'";
}

TEST(PatternList, NameFilter) {
    const std::vector<std::string> patterns = splitPatterns("*.TXT|*.DOC");
    const struct {
        const char* name;
        bool expected;
    } cases[] = {{"A.TXT", true}, {"B.DOC", true}, {"C.TXT.BAK", false}, {"", false}, {"DOC", false}};
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, nameMatchesAny(c.name, patterns)) << c.name;
    EXPECT_FALSE(nameMatchesAny("A.TXT", {})) << "an empty list passes nothing";
}

TEST(PatternList, AnsiUpperCasing) {
    const UpperTable upper = ansiUpperTable1252();
    // ß has no single upper-case letter in the code page, ÷ is no letter.
    EXPECT_EQ("GRÖßE ÄÖÜ ß Š Ÿ ÷ 123", upper.apply("größe äöü ß š ÿ ÷ 123"));
    EXPECT_EQ("ÀÉÎÕÜ", upper.apply("àéîõü"));
    EXPECT_EQ("ABC{|}", asciiUpperTable().apply("abc{|}"));
    EXPECT_EQ("ä", asciiUpperTable().apply("ä"));
}

TEST(AttributeFilter, TickedAttributesDecide) {
    const struct {
        AttributeFilter filter;
        std::uint8_t attributes;
        bool expected;
    } cases[] = {
        {{true, true, true, true}, 0, true},
        {{true, true, true, true}, kAttrHidden, true},
        {{true, false, false, false}, 0, false},
        {{true, false, false, false}, kAttrArchive, false},
        {{true, false, false, false}, kAttrHidden, true},
        {{true, false, false, false}, kAttrHidden | kAttrArchive, true},
        {{false, true, false, false}, kAttrSystem, true},
        {{false, false, true, false}, kAttrReadOnly, true},
        {{false, false, false, true}, kAttrArchive, true},
        {{false, false, false, true}, kAttrReadOnly | kAttrHidden, false},
        {{false, false, false, false}, 0, false},
        {{false, false, false, false}, 0x27, false},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(cases[i].expected, cases[i].filter.accepts(cases[i].attributes)) << "case " << i;
}
