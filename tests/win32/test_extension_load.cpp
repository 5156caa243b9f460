// The real korbinen.dll in the test host: the menu the load event builds, the
// settings file it reads and writes, graying and help lines.
// wine-locales: de_DE en_US
#include <gtest/gtest.h>

#include <windows.h>
#include "common/win/fm_extension.h"

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "tests/win32/support/extension_ini.h"
#include "tests/win32/support/host_fixture.h"

namespace {

bool german() {
    const char* locale = std::getenv("KORB_TEST_LOCALE");
    return locale != nullptr && std::string(locale) == "de_DE";
}

// One menu item as read back from the real menu.
struct Item {
    UINT id; // 0 for a separator
    std::string text;

    bool operator==(const Item&) const = default;
};

std::vector<Item> readMenu(HMENU menu) {
    std::vector<Item> items;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR) {
            items.push_back({0, ""});
            continue;
        }
        char text[600] = "";
        GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        // The host shows the extension's item n under its delta + n.
        items.push_back({GetMenuItemID(menu, i) % 100, text});
    }
    return items;
}

std::string show(const std::vector<Item>& items) {
    std::ostringstream out;
    for (const Item& i : items)
        out << (i.id == 0 ? std::string("----") : std::to_string(i.id) + " \"" + i.text + "\"") << "\n";
    return out.str();
}

void expectMenu(const std::vector<Item>& expected, HMENU menu, const char* what) {
    const std::vector<Item> actual = readMenu(menu);
    EXPECT_EQ(expected, actual) << what << "\nexpected:\n" << show(expected) << "actual:\n" << show(actual);
}

const Item kSeparator{0, ""};

// The record the File Manager expects back, with its size as it checks it
// (the menu handle makes it longer on 64-bit Windows).
static_assert(sizeof(FMS_LOAD) == (sizeof(void*) == 4 ? 52 : 64));

// The menu of a first run under Wine, where Notepad and Write are the only
// template programs the platform finds.
std::vector<Item> firstRunMenu() {
    if (german())
        return {{1, "Notepad\tStrg+F1"},
                {2, "Write\tStrg+F2"},
                kSeparator,
                {16, "&Suche in Dateien...\tStrg+Umschalt+S"},
                {21, "Suche Datei&name...\tStrg+Umschalt+F"},
                {17, "Ermittele &gleiche Dateien...\tStrg+Umschalt+G"},
                {11, "Ermittle Dateig&rößen...\tStrg+Umschalt+R"},
                kSeparator,
                {19, "Datei&eigenschaften...\tStrg+Umschalt+E"},
                {20, "Datei&datum...\tStrg+Umschalt+D"},
                kSeparator,
                {18, "Einstellungen...\tStrg+F11"},
                kSeparator,
                {15, "Hilfe\tUmschalt+F1"}};
    return {{1, "Notepad\tCtrl+F1"},
            {2, "Write\tCtrl+F2"},
            kSeparator,
            {16, "&Search in files...\tCtrl+Shift+S"},
            {21, "Search &filename...\tCtrl+Shift+F"},
            {17, "Searching for equal files...\tCtrl+Shift+G"},
            {11, "determine  filesizes...\tCtrl+Shift+R"},
            kSeparator,
            {19, "File&attributes\tCtrl+Shift+E"},
            {20, "File&date\tCtrl+Shift+D"},
            kSeparator,
            {18, "Settings...\tCtrl+F11"},
            kSeparator,
            {15, "Help\tShift+F1"}};
}

const char* languageNumber() {
    return german() ? "7" : "9";
}

bool grayed(HMENU menu, UINT command) {
    return (GetMenuState(menu, HostFixture::kMenuDelta + command, MF_BYCOMMAND) & MF_GRAYED) != 0;
}

std::string helpLine(HostFixture& host, int id, LONG* result = nullptr) {
    FMS_HELPSTRING help{};
    help.idCommand = id;
    const LONG r = host.call(FMEVENT_HELPSTRING, reinterpret_cast<LPARAM>(&help));
    if (result)
        *result = r;
    return std::string(help.szHelp, strnlen(help.szHelp, sizeof help.szHelp));
}

class ExtensionLoad : public ::testing::Test {
protected:
    ExtensionIniScope ini;
    HostFixture host;

    void load() {
        ASSERT_TRUE(host.loadLibrary());
        ASSERT_TRUE(host.sendLoad());
        ASSERT_NE(host.menu(), nullptr);
    }
};

} // namespace

TEST_F(ExtensionLoad, FirstRunBuildsTheDefaultMenu) {
    load();
    expectMenu(firstRunMenu(), host.menu(), german() ? "German first run" : "English first run");
    EXPECT_EQ(host.menuName(), "&Extra");
}

TEST_F(ExtensionLoad, FirstRunWritesEveryKeyInTheUsersLanguage) {
    load();
    const std::string bytes = readExtensionIniBytes();
    EXPECT_NE(bytes.find("Men\xfcName=&Extra"), std::string::npos) << "the key is written in Windows-1252:\n" << bytes;

    const auto values = extensionIniValues();
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"Pi", "0"},
        {"Pa", "0"},
        {"Men\xfcName", "&Extra"},
        {"Ftp", "-"},
        {"SucheDateien", german() ? "&Suche in Dateien..." : "&Search in files..."},
        {"DateiGroessen", german() ? "Ermittle Dateig&r\xf6\xdf"
                                     "en..."
                                   : "determine  filesizes..."},
        {"SucheInfo", "-"},
        {"DateiInfo", "-"},
        {"FensterNeu", "-"},
        {"FensterAlleNeu", "-"},
        {"Programm1", "Notepad"},
        {"Programm2", "Write"},
        {"Programm3", "-"}, // WinWord and Excel are not found under Wine
        {"Programm4", "-"},
        {"Programm8", "-"},
    };
    for (const auto& [key, value] : expected) {
        auto it = values.find(key);
        ASSERT_NE(it, values.end()) << "key " << key << " missing in:\n" << bytes;
        EXPECT_EQ(it->second, value) << "key " << key;
    }
    EXPECT_EQ(values.count("Sprache"), 0u) << "a first run records no language";
    EXPECT_EQ(values.size(), 22u) << bytes;
    EXPECT_EQ(values.count("InfoFile"), 0u) << "the info file name is only read";
}

TEST_F(ExtensionLoad, LanguageChangeResetsTheTextsAndKeepsTheUsersOwn) {
    // Written by a run in the other language, then customised by hand.
    writeExtensionIni({german() ? "Sprache=9" : "Sprache=7", "Men\xfcName=Werk&zeuge", "Ftp=&Ftp nach Hause...",
                       "SucheDateien=Eigene &Suche", "DateiInfo=Datei&info", "FensterAlleNeu=Alle neu",
                       "Programm1=Notepad", "Programm2=-", "Pa=5", "Pi=1"});
    load();
    const auto values = extensionIniValues();
    EXPECT_EQ(values.at("Sprache"), languageNumber());
    EXPECT_EQ(values.at("Men\xfcName"), "Werk&zeuge");
    EXPECT_EQ(values.at("Ftp"), "&Ftp nach Hause...");
    EXPECT_EQ(values.at("SucheDateien"), german() ? "&Suche in Dateien..." : "&Search in files...");
    EXPECT_EQ(values.at("DateiInfo"), "-");
    EXPECT_EQ(values.at("FensterAlleNeu"), "-");
    EXPECT_EQ(values.at("Pa"), "5") << "a hand-made palette arrangement is not overwritten";
    EXPECT_EQ(values.at("Pi"), "1");
    EXPECT_EQ(host.menuName(), "Werk&zeuge");

    std::vector<Item> expected = firstRunMenu();
    expected.erase(expected.begin() + 1); // Write is switched off
    expected.insert(expected.begin() + 1, {9, "&Ftp nach Hause...\tStrg+F9"});
    expectMenu(expected, host.menu(), "after the language change");
}

TEST_F(ExtensionLoad, OneRowPaletteSurvivesARewrite) {
    writeExtensionIni({german() ? "Sprache=9" : "Sprache=7", "Programm1=-", "Pa=-1"});
    load();
    EXPECT_EQ(extensionIniValues().at("Pa"), "-1");
}

TEST_F(ExtensionLoad, SameLanguageKeepsCustomTextsAndWritesNothing) {
    const std::vector<std::string> lines = {std::string("Sprache=") + languageNumber(),
                                            "SucheDateien=Eigene &Suche",
                                            "SucheDateiname=-",
                                            "GleicheDateien=-",
                                            "DateiGroessen=-",
                                            "DateiEigenschaften=-",
                                            "DateiDatum=-",
                                            "FensterNeu=&Neu",
                                            "Programm1=Notepad",
                                            "Programm2=WinWord",
                                            "Programm3=Write"};
    writeExtensionIni(lines);
    const std::string before = readExtensionIniBytes();
    load();
    EXPECT_EQ(readExtensionIniBytes(), before);
    const char* f = german() ? "\tStrg+F" : "\tCtrl+F";
    const char* s = german() ? "\tStrg+Umschalt+S" : "\tCtrl+Shift+S";
    expectMenu({{1, std::string("Notepad") + f + "1"},
                {3, std::string("Write") + f + "3"}, // WinWord in slot 2 is not found
                kSeparator,
                {16, std::string("Eigene &Suche") + s},
                kSeparator,
                {12, "&Neu\tF5"},
                kSeparator,
                firstRunMenu()[11],
                kSeparator,
                firstRunMenu()[13]},
               host.menu(), "custom texts");
}

TEST_F(ExtensionLoad, ProgramsAreFoundByFullPathWithParameters) {
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, sizeof self);
    writeExtensionIni({std::string("Sprache=") + languageNumber(), std::string("Programm1=") + self + " /x 1",
                       "Programm2=C:\\nirgendwo\\fehlt.exe", "Programm3=-", "Programm4=" + std::string(400, 'a'),
                       "Programm5=Notepad"});
    load();
    const std::vector<Item> menu = readMenu(host.menu());
    ASSERT_GE(menu.size(), 3u) << show(menu);
    EXPECT_EQ(menu[0], (Item{1, std::string(self) + " /x 1" + (german() ? "\tStrg+F1" : "\tCtrl+F1")}));
    EXPECT_EQ(menu[1], (Item{5, std::string("Notepad") + (german() ? "\tStrg+F5" : "\tCtrl+F5")}));
    EXPECT_EQ(menu[2], kSeparator);
    // Nothing was rewritten, so the file keeps the names it could not find.
    EXPECT_EQ(extensionIniValues().at("Programm2"), "C:\\nirgendwo\\fehlt.exe");
}

TEST_F(ExtensionLoad, AllSwitchedOffLeavesSettingsAndHelp) {
    std::vector<std::string> lines = {std::string("Sprache=") + languageNumber()};
    for (const char* key : {"SucheDateien", "SucheDateiname", "GleicheDateien", "DateiGroessen", "SucheInfo",
                            "DateiInfo", "DateiEigenschaften", "DateiDatum", "FensterNeu", "FensterAlleNeu", "Ftp"})
        lines.push_back(std::string(key) + "=-");
    for (int n = 1; n <= 8; ++n)
        lines.push_back("Programm" + std::to_string(n) + "=-");
    writeExtensionIni(lines);
    load();
    expectMenu({firstRunMenu()[11], kSeparator, firstRunMenu()[13]}, host.menu(), "all off");
}

TEST_F(ExtensionLoad, OverlongTextsAreCutAndNothingOverflows) {
    const std::string longTitle = "&" + std::string(700, 'T');
    const std::string longText(2000, 'S');
    writeExtensionIni({std::string("Sprache=") + languageNumber(), "Men\xfcName=" + longTitle,
                       "SucheDateien=" + longText, "Programm1=Notepad " + std::string(900, 'p')});
    load();
    EXPECT_EQ(host.menuName(), longTitle.substr(0, 39));
    const std::vector<Item> menu = readMenu(host.menu());
    ASSERT_GE(menu.size(), 4u) << show(menu);
    // 519 characters are read; the suffix follows them.
    EXPECT_EQ(menu[0].text.substr(0, 8), "Notepad ");
    EXPECT_EQ(menu[0].text.size(), 519u + 8u) << "519 characters and the key name";
    EXPECT_EQ(menu[3].text, longText.substr(0, 519) + (german() ? "\tStrg+Umschalt+S" : "\tCtrl+Shift+S"));

    const std::string line = helpLine(host, 1);
    EXPECT_EQ(line.size(), 127u);
    EXPECT_EQ(line.substr(0, 21), german() ? "Das Programm Notepad " : "Executing program Not");
}

TEST_F(ExtensionLoad, InitMenuGraysFileItemsUnlessOnlyFilesAreSelected) {
    writeExtensionIni({std::string("Sprache=") + languageNumber(), "DateiInfo=&Info", "Programm3=Notepad"});
    load();
    HMENU menu = host.menu(); // renumbered by the host to delta + n
    std::vector<UINT> fileItems;
    for (UINT command = 1; command <= 10; ++command) {
        if (GetMenuState(menu, HostFixture::kMenuDelta + command, MF_BYCOMMAND) != static_cast<UINT>(-1))
            fileItems.push_back(command);
    }
    ASSERT_EQ(fileItems, (std::vector<UINT>{1, 2, 3, 10})) << "Notepad, Write, Notepad, file info";
    const HostEntry file{"C:\\daten\\a.txt", FILE_ATTRIBUTE_ARCHIVE, 10};
    const HostEntry file2{"C:\\daten\\b.txt", FILE_ATTRIBUTE_READONLY, 20};
    const HostEntry dir{"C:\\daten\\sub", FILE_ATTRIBUTE_DIRECTORY, 0};
    const struct {
        const char* what;
        int focus;
        std::vector<HostEntry> selection;
        bool gray;
    } cases[] = {
        {"two files in the file list", FMFOCUS_DIR, {file, file2}, false},
        {"two files and a directory", FMFOCUS_DIR, {file, file2, dir}, true},
        {"the same selection, tree focus", FMFOCUS_TREE, {file, file2, dir}, true},
        {"files, tree focus", FMFOCUS_TREE, {file}, true},
        {"files in search results", FMFOCUS_SEARCH, {file2}, false},
        {"nothing selected", FMFOCUS_DIR, {}, true},
    };
    for (const auto& c : cases) {
        host.state.focus = c.focus;
        host.state.selection = c.selection;
        host.clearReceived();
        EXPECT_EQ(host.call(FMEVENT_INITMENU, reinterpret_cast<LPARAM>(menu)), 0) << c.what;
        for (UINT command : {1u, 2u, 3u, 10u})
            EXPECT_EQ(grayed(menu, command), c.gray) << c.what << ": item " << command;
        for (UINT command : {11u, 15u, 16u, 17u, 18u, 19u, 20u, 21u})
            EXPECT_FALSE(grayed(menu, command)) << c.what << ": item " << command;
        EXPECT_EQ(host.countReceived(FM_GETFOCUS), 1) << c.what;
        EXPECT_EQ(host.countReceived(FM_GETSELCOUNTLFN), 1) << c.what;
    }
}

TEST_F(ExtensionLoad, HelpLines) {
    writeExtensionIni({std::string("Sprache=") + languageNumber(), "Programm2=Write /p"});
    load();
    const struct {
        int id;
        const char* german;
        const char* english;
    } cases[] = {
        {-1, "Befehle f\xfcr das Men\xfc 'Extra' (Ausf\xfchren, Suchen, etc. ...)",
         "Commands for Menu 'Extra' (executing, search, etc. ...)"},
        {1, "Das Programm Notepad ausf\xfchren", "Executing program Notepad ."},
        {2, "Das Programm Write /p ausf\xfchren", "Executing program Write /p ."},
        // The string resources are German for everyone.
        {9, "Ftp aufrufen", "Ftp aufrufen"},
        {10, "Datei-Informationen zur Verf\xfcgung stellen", "Datei-Informationen zur Verf\xfcgung stellen"},
        {12, "Das Fenster neu aufbauen (z.B. nach Diskettenwechsel)",
         "Das Fenster neu aufbauen (z.B. nach Diskettenwechsel)"},
        {18, "Einstellungen zur Dateimanager-Erweiterung \xe4ndern",
         "Einstellungen zur Dateimanager-Erweiterung \xe4ndern"},
        {11,
         "Dateigr\xf6\xdf"
         "en ermitteln",
         "determine filesizes"},
        {15, "Listet die Hilfethemen auf", "List Help topics"},
        {16, "in Datei(en) nach einem Text suchen", "search for text within (a) file(s)"},
        {21, "Nach einem Dateinamen suchen...", "Search for filename"},
        {30, "", ""}, // no resource
        {-7, "", ""},
    };
    for (const auto& c : cases) {
        LONG result = -1;
        EXPECT_EQ(helpLine(host, c.id, &result), german() ? c.german : c.english) << "idCommand " << c.id;
        EXPECT_EQ(result, 0) << "idCommand " << c.id;
    }

    FMS_HELPSTRING help{};
    help.idCommand = 0;
    lstrcpyA(help.szHelp, "unber\xfchrt");
    EXPECT_EQ(host.call(FMEVENT_HELPSTRING, reinterpret_cast<LPARAM>(&help)), 1);
    EXPECT_STREQ(help.szHelp, "unber\xfchrt");
}

TEST_F(ExtensionLoad, DispatchResultsOfTheOtherEvents) {
    load();
    EXPECT_EQ(host.call(FMEVENT_USER_REFRESH), 0);
    EXPECT_EQ(host.call(FMEVENT_SELCHANGE), 0);
    EXPECT_EQ(host.call(99), 0);
    EXPECT_EQ(host.call(FMEVENT_HELPSTRING, 0), 0) << "no record, nothing written";
    EXPECT_EQ(host.call(FMEVENT_LOAD, 0), 0) << "no record to fill";
    // Unload arrives without a window, twice does no harm.
    host.sendUnload();
    host.sendUnload();
    EXPECT_EQ(host.call(FMEVENT_UNLOAD), 0);
}
