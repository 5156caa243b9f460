// Text lookup: language columns, fallbacks, and the two copies of the table.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "common/text/text_table.h"

using text::lookupText;
using text::TextCopy;

namespace {

struct LookupCase {
    unsigned language;
    std::uint32_t id;
    const char* expected; // CP1252 bytes, as the sources are compiled
};

void expectAll(TextCopy copy, const LookupCase* cases, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        EXPECT_STREQ(cases[i].expected, lookupText(copy, cases[i].language, cases[i].id))
            << "case " << i << ": language " << cases[i].language << ", id " << cases[i].id;
    }
}

} // namespace

TEST(TextTable, EachLanguageGetsItsColumnOrFallsBack) {
    const LookupCase cases[] = {
        {text::kItalian, 15002, "Informazioni su Quorvin"},
        {text::kFrench, 15002, "A propos de Quorvin"},
        {text::kSpanish, 15002, "Acerca de Quorvin"},
        {text::kGerman, 15002, "über Quorvin"},
        {text::kEnglish, 15002, "About Quorvin"},
        {19, 15002, "About Quorvin"},         // Dutch has no column: English
        {text::kEnglish, 15107, "Programme"}, // no English text: German
        {text::kItalian, 15107, "Programme"}, // no Italian, no English: German
        {text::kItalian, 15001, "You may give this program to everyone you like. This is intended !"}, // empty Italian
        {text::kSpanish, 15001, "You may give this program to everyone you like. This is intended !"}, // none
        {text::kFrench, 15001, "Ce programme peut être transmis à une autre personne; ceci est même souhaitable"},
        {text::kSpanish, 15054, "Guadar"},         // as stored
        {text::kSpanish, 15057, "Print Pre&view"}, // empty Spanish falls back
        {text::kGerman, 15048, "Archive"},
        {text::kFrench, 15048, "Fichier archieve"},
        {text::kEnglish, 15127, "please drive and directory,\nExample:  c:\\temp"},
        {text::kGerman, 15094, "   >>> %d Treffer <<<"},
        {text::kEnglish, 15091, "Settings...\tCtrl+F11"},
        {text::kGerman, 15091, "Einstellungen...\tStrg+F11"},
        {text::kItalian, 57666, "List Help topics"},
        {text::kFrench, 57666, "Affiche les rubriques d'aide"},
        {text::kFrench, 15105, "A propos de Korbinex"},
        {text::kSpanish, 15113, "Instalando"},
    };
    expectAll(TextCopy::Extension, cases, std::size(cases));
}

TEST(TextTable, GermanUsersAlwaysGetGerman) {
    const LookupCase cases[] = {
        {text::kGerman, 15001, "Dieses Programm darf weitergegeben werden, dies ist sogar erwünscht !"},
        {text::kGerman, 15054, "&Sichern"},
        {text::kGerman, 15081, "\tStrg+Umschalt+S"},
        {text::kGerman, 57666, "Listet die Hilfethemen auf"},
    };
    expectAll(TextCopy::Extension, cases, std::size(cases));
}

TEST(TextTable, UnknownIdsGiveOneBlank) {
    const LookupCase cases[] = {
        {text::kEnglish, 15066, " "},
        {text::kGerman, 0, " "}, // the end row is no text
        {text::kGerman, 99999, " "},
    };
    expectAll(TextCopy::Extension, cases, std::size(cases));
}

TEST(TextTable, HelperCopyLacksExtensionOnlyRows) {
    const LookupCase cases[] = {
        {text::kEnglish, 15079, " "},
        {text::kGerman, 15079, " "},
        {text::kEnglish, 15105, " "},
        {text::kEnglish, 57666, " "},
        {text::kItalian, 15002, "Informazioni su Quorvin"},
        {text::kEnglish, 15107, "Programme"},
        {text::kSpanish, 15113, "Instalando"},
    };
    expectAll(TextCopy::Helper, cases, std::size(cases));
    EXPECT_STREQ("no connection possible !", lookupText(TextCopy::Extension, text::kEnglish, 15079));
}

TEST(TextTable, TextsAreWindows1252Bytes) {
    // "ü" of "über" and "ß"-free "größen": single bytes, not UTF-8 pairs.
    const std::string about = lookupText(TextCopy::Extension, text::kGerman, 15002);
    ASSERT_FALSE(about.empty());
    EXPECT_EQ('\xfc', about[0]);
    EXPECT_EQ(std::string("Dateigr\xf6\xdf"
                          "en ermitteln"),
              lookupText(TextCopy::Helper, text::kGerman, 15013));
}

TEST(TextTable, IdsAreUniqueAndEveryRowHasGerman) {
    std::set<std::uint32_t> seen;
    int rows = 0;
    for (const text::TextRow* row = text::kTextRows; row->id != 0; ++row, ++rows) {
        EXPECT_TRUE(seen.insert(row->id).second) << "id " << row->id << " twice";
        ASSERT_NE(nullptr, row->german) << "id " << row->id;
        EXPECT_NE('\0', row->german[0]) << "id " << row->id;
    }
    EXPECT_EQ(130, rows); // with the row for a date that does not exist
}

TEST(TextTable, LanguageNumberIsTheLowTenBits) {
    EXPECT_EQ(7u, text::languageFromLangId(0x407));
    EXPECT_EQ(9u, text::languageFromLangId(0x409));
    EXPECT_EQ(16u, text::languageFromLangId(0x410));
    EXPECT_EQ(12u, text::languageFromLangId(0x40c));
    EXPECT_EQ(10u, text::languageFromLangId(0xc0a));
    EXPECT_EQ(19u, text::languageFromLangId(0x413));
    EXPECT_EQ(7u, text::languageFromLangId(0x807)); // Swiss German
}
