// The generated help files read back: sound structure, the title, the
// contents topic, and a topic for every keyword the code passes with HELP_KEY
// (the list the build collects from the code).
#include <gtest/gtest.h>

#include "tests/shared/help_file.h"

#include <sstream>

namespace {

std::vector<std::string> codeKeywords(const std::string& file) {
    std::istringstream in(helpfile::fileBytes(std::string(KORB_HELP_LISTS) + "/" + file + ".keywords"));
    std::vector<std::string> keywords;
    for (std::string line; std::getline(in, line);)
        keywords.push_back(line);
    return keywords;
}

const struct {
    const char* file;
    const char* titleStart;
} kFiles[] = {{"korbinex", "korbinen - "}, {"quorvin", "quorvinx - "}};

} // namespace

TEST(HelpFile, EveryCodeKeywordLeadsToItsTopic) {
    for (const auto& f : kFiles) {
        SCOPED_TRACE(f.file);
        std::string error;
        const auto help =
            helpfile::readHelpFile(helpfile::fileBytes(std::string(KORB_HELP_OUT) + "/" + f.file + ".hlp"), error);
        ASSERT_TRUE(help) << error;
        for (const char* name : {"|SYSTEM", "|TOPIC", "|FONT", "|CONTEXT", "|KWBTREE", "|KWDATA"})
            EXPECT_NE(std::find(help->internalFiles.begin(), help->internalFiles.end(), name),
                      help->internalFiles.end())
                << name;
        EXPECT_EQ(help->title.rfind(f.titleStart, 0), 0u) << help->title;
        const helpfile::Topic* contents = help->topicAt(help->contentsOffset);
        ASSERT_NE(contents, nullptr);
        EXPECT_EQ(contents->title, "Inhalt");

        const auto keywords = codeKeywords(f.file);
        EXPECT_GE(keywords.size(), 5u);
        for (const std::string& keyword : keywords) {
            const auto it = help->keywords.find(keyword);
            ASSERT_NE(it, help->keywords.end()) << "no topic for the code's keyword " << keyword;
            const helpfile::Topic* topic = help->topicAt(it->second);
            ASSERT_NE(topic, nullptr) << keyword;
            // Its own topic names it in the title; the contents only for "Inhalt".
            EXPECT_NE(topic->title.find(keyword), std::string::npos) << keyword << " -> " << topic->title;
            EXPECT_FALSE(topic->text.empty()) << keyword;
        }
    }
}

TEST(HelpFile, DamagedFilesAreRejectedNotOverread) {
    const std::string bytes = helpfile::fileBytes(std::string(KORB_HELP_OUT) + "/quorvin.hlp");
    ASSERT_GT(bytes.size(), 4096u);
    for (std::size_t cut : {std::size_t{0}, std::size_t{15}, std::size_t{100}, bytes.size() / 2, bytes.size() - 1}) {
        std::string error;
        EXPECT_FALSE(helpfile::readHelpFile(bytes.substr(0, cut), error)) << cut;
        EXPECT_FALSE(error.empty()) << cut;
    }
    // Scrambled bytes in the middle: a clean answer either way, never a crash.
    for (std::size_t at = 16; at < bytes.size(); at += 97) {
        std::string damaged = bytes;
        damaged[at] = static_cast<char>(damaged[at] ^ 0x5A);
        std::string error;
        helpfile::readHelpFile(damaged, error);
    }
}
