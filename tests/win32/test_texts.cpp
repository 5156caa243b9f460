// wine-locales: de_DE en_US it_IT fr_FR es_ES nl_NL
// The user's language as the platform reports it chooses the texts, in the
// shared lookup and in the real extension library alike.
#include <gtest/gtest.h>

#include <windows.h>
#include "common/win/fm_extension.h"

#include <cstdlib>
#include <map>
#include <string>

#include "common/text/language_win.h"
#include "common/win/deliverable.h"
#include "tests/win32/support/host_fixture.h"

namespace {

struct LocaleExpectation {
    LANGID langId;
    unsigned language;
    const char* about;       // 15002
    const char* save;        // 15054
    const char* helpTopics;  // 57666, the help line of item 15
    const char* menuCommand; // 15080, the help line of the menu title
};

const char kMenuGerman[] = "Befehle f\xfcr das Men\xfc 'Extra' (Ausf\xfchren, Suchen, etc. ...)";
const char kMenuEnglish[] = "Commands for Menu 'Extra' (executing, search, etc. ...)";

const std::map<std::string, LocaleExpectation> kLocales = {
    {"de_DE",
     {0x407, 7,
      "\xfc"
      "ber Quorvin",
      "&Sichern", "Listet die Hilfethemen auf", kMenuGerman}},
    {"en_US", {0x409, 9, "About Quorvin", "&Save", "List Help topics", kMenuEnglish}},
    {"it_IT", {0x410, 16, "Informazioni su Quorvin", "&Salva", "List Help topics", kMenuEnglish}},
    {"fr_FR", {0x40c, 12, "A propos de Quorvin", "&Enregistrer", "Affiche les rubriques d'aide", kMenuEnglish}},
    {"es_ES", {0xc0a, 10, "Acerca de Quorvin", "Guadar", "List Help topics", kMenuEnglish}},
    {"nl_NL", {0x413, 19, "About Quorvin", "&Save", "List Help topics", kMenuEnglish}},
};

const LocaleExpectation& expectation() {
    const char* locale = std::getenv("KORB_TEST_LOCALE");
    const auto it = kLocales.find(locale ? locale : "en_US");
    return it != kLocales.end() ? it->second : kLocales.at("en_US");
}

std::string helpLine(HostFixture& host, int idCommand) {
    FMS_HELPSTRING help{};
    help.idCommand = idCommand;
    host.call(FMEVENT_HELPSTRING, reinterpret_cast<LPARAM>(&help));
    return help.szHelp;
}

} // namespace

TEST(Language, ThePlatformReportsTheUsersLanguage) {
    EXPECT_EQ(expectation().langId, GetUserDefaultLangID());
    EXPECT_EQ(1252u, GetACP());
}

TEST(Language, SharedLookupFollowsTheChosenLanguage) {
    setDeliverable(kHelperProfile);
    text::chooseLanguage();
    EXPECT_EQ(expectation().language, text::chosenLanguage());
    EXPECT_STREQ(expectation().about, text::lookupText(15002));
    EXPECT_STREQ(expectation().save, text::lookupText(15054));
    EXPECT_STREQ("Programme", text::lookupText(15107));
    EXPECT_STREQ(" ", text::lookupText(15079)); // not in the helper's copy
    setDeliverable(kExtensionProfile);
    EXPECT_STRNE(" ", text::lookupText(15079));
}

TEST(Language, TheExtensionLibraryShowsItsHelpLinesInTheUsersLanguage) {
    HostFixture host;
    ASSERT_TRUE(host.loadLibrary());
    EXPECT_EQ(expectation().menuCommand, helpLine(host, -1));
    EXPECT_EQ(expectation().helpTopics, helpLine(host, 15));
    // The string resources are German in every language.
    EXPECT_EQ("Ftp aufrufen", helpLine(host, 9));
    EXPECT_EQ("Einstellungen zur Dateimanager-Erweiterung \xe4ndern", helpLine(host, 18));
    EXPECT_EQ("", helpLine(host, 77)); // no such resource
}
