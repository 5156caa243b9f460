// Help lines of the menu items.
#include <gtest/gtest.h>

#include "common/text/text_table.h"
#include "extension/help_line.h"

using ext::HelpLineSource;

// The numbers at the edges of each source; the texts themselves are checked
// against the real library under Wine.
TEST(HelpLine, NumbersOutsideTheItemsReachNoUnrelatedText) {
    const struct {
        std::int32_t id;
        HelpLineSource::Kind kind;
        std::uint32_t source;
    } cases[] = {
        {0, HelpLineSource::Untouched, 0},
        {8, HelpLineSource::Program, 8},
        {99, HelpLineSource::StringResource, 99},
        {0xFFFF, HelpLineSource::StringResource, 0xFFFF},
        {-2, HelpLineSource::Empty, 0},
        {65545, HelpLineSource::Empty, 0}, // its low 16 bits would name resource 9
    };
    for (const auto& c : cases) {
        const HelpLineSource s = ext::helpLineSource(c.id);
        EXPECT_EQ(s.kind, c.kind) << "idCommand " << c.id;
        EXPECT_EQ(s.id, c.source) << "idCommand " << c.id;
    }
}

TEST(HelpLine, ProgramLineNamesTheStoredText) {
    EXPECT_EQ(ext::programHelpLine(text::kGerman, "Notepad"), "Das Programm Notepad ausführen");
    EXPECT_EQ(ext::programHelpLine(text::kEnglish, "write.exe /p"), "Executing program write.exe /p .");
    EXPECT_EQ(ext::programHelpLine(text::kFrench, "Notepad"), "Executing program Notepad .");
}
