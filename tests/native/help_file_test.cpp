// The generated help files read back: sound structure, the title, the
// contents topic, and a topic for every keyword the code passes with HELP_KEY
// (the list the build collects from the code).
#include <gtest/gtest.h>

#include "tests/shared/help_file.h"

#include <algorithm>

namespace {

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

        const auto keywords = helpfile::keywordList(std::string(KORB_HELP_LISTS) + "/" + f.file + ".keywords");
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
