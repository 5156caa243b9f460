// Help lines and help topics of the menu items.
#include <gtest/gtest.h>

#include "common/text/text_table.h"
#include "extension/help_line.h"

using ext::HelpLineSource;

TEST(HelpLine, EachNumberHasItsSource) {
    const struct {
        std::int32_t id;
        HelpLineSource::Kind kind;
        std::uint32_t source;
    } cases[] = {
        {0, HelpLineSource::Untouched, 0},      {-1, HelpLineSource::Text, 15080},
        {1, HelpLineSource::Program, 1},        {8, HelpLineSource::Program, 8},
        {9, HelpLineSource::StringResource, 9}, {10, HelpLineSource::StringResource, 10},
        {11, HelpLineSource::Text, 15013},      {12, HelpLineSource::StringResource, 12},
        {15, HelpLineSource::Text, 57666},      {16, HelpLineSource::Text, 15005},
        {17, HelpLineSource::Text, 15012},      {18, HelpLineSource::StringResource, 18},
        {19, HelpLineSource::Text, 15038},      {20, HelpLineSource::Text, 15037},
        {21, HelpLineSource::Text, 15014},      {99, HelpLineSource::StringResource, 99},
        {-2, HelpLineSource::Empty, 0},         {65545, HelpLineSource::Empty, 0}, // would alias resource 9
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

TEST(HelpTopic, KeywordsOfTheCommands) {
    const struct {
        long command;
        const char* keyword;
    } cases[] = {
        {1, "Ausführen"},
        {8, "Ausführen"},
        {9, "Ftp"},
        {10, "Dateiinfo"},
        {11, "Dateigrößen"},
        {12, "Fenster neu aufbauen"},
        {13, "Fenster alle neu aufbauen"},
        {14, "Suche in Dateiinfo"},
        {15, "Inhalt"},
        {16, "Suche in Dateien"},
        {17, "Gleiche Dateien"},
        {18, "Einstellungen"},
        {19, "Dateieigenschaften"},
        {20, "Datum"},
        {21, "Suche Dateiname"},
        {0, "Inhalt"},
        {30, "Inhalt"},
        {-1, "Inhalt"},
        {99, "Inhalt"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(ext::helpTopicKeyword(c.command), c.keyword) << "command " << c.command;
}
