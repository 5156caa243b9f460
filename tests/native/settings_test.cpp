// Settings rules: defaults per language, first run, language change, the
// switched-off rule, the reading limit and what is written back.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "common/text/text_table.h"
#include "extension/program_text.h"
#include "extension/settings.h"

using ext::ExtensionSettings;
using ext::Function;

namespace {

// The section as an INI file holds it, with the platform's reading limit.
class MemoryStore : public ext::SettingsStore {
public:
    std::map<std::string, std::string> keys;
    std::vector<std::string> log; // "write K=V" / "delete K", in order

    std::string readText(const char* key, const char* fallback) override {
        auto it = keys.find(key);
        std::string value = it == keys.end() ? fallback : it->second;
        return value.substr(0, ext::kSettingsTextBuffer - 1);
    }
    int readInt(const char* key, int fallback) override {
        auto it = keys.find(key);
        return it == keys.end() ? fallback : ext::profileInt(it->second, fallback);
    }
    void writeText(const char* key, const std::string& value) override {
        keys[key] = value;
        log.push_back(std::string("write ") + key + "=" + value);
    }
    void deleteKey(const char* key) override {
        keys.erase(key);
        log.push_back(std::string("delete ") + key);
    }
};

const std::array<std::string, ext::kProgramSlots> kTemplateNames = {"Notepad", "Write", "WinWord", "Excel",
                                                                    "-",       "-",     "-",       "-"};

// Only Notepad and Write exist, as in a fresh Wine prefix, plus one full path.
std::optional<std::string> resolve(const std::string& programText) {
    const ext::ProgramText t = ext::splitProgramText(programText);
    std::string found;
    if (t.program == "Notepad" || t.program == "notepad.exe")
        found = "C:\\windows\\system32\\notepad.exe";
    else if (t.program == "Write" || t.program == "write.exe")
        found = "C:\\windows\\system32\\write.exe";
    else if (t.program == "C:\\tools\\view.exe")
        found = t.program;
    else
        return std::nullopt;
    return ext::programCommandLine(found, t);
}

ext::SettingsReading read(MemoryStore& store, unsigned language) {
    return ext::readSettings(store, language, kTemplateNames, resolve);
}

// A file as a German run leaves it.
// The file as German loads leave it: a first run, then the load after it,
// which records the language.
void fillGerman(MemoryStore& store) {
    MemoryStore fresh;
    read(fresh, text::kGerman);
    read(fresh, text::kGerman);
    store.keys = fresh.keys;
}

struct KeyValue {
    const char* key;
    const char* value;
};

void expectKeys(const MemoryStore& store, const std::vector<KeyValue>& expected, const char* what) {
    for (const KeyValue& kv : expected) {
        auto it = store.keys.find(kv.key);
        ASSERT_NE(it, store.keys.end()) << what << ": key " << kv.key << " missing";
        EXPECT_EQ(it->second, kv.value) << what << ": key " << kv.key;
    }
    EXPECT_EQ(store.keys.size(), expected.size()) << what << ": number of keys";
}

} // namespace

TEST(Settings, OnlyALeadingDashSwitchesOff) {
    const struct {
        const char* text;
        bool off;
    } cases[] = {{"-", true},   {"-Suche", true},  {"--", true}, {"", false},
                 {" -", false}, {"Suche-", false}, {"&-", false}};
    for (const auto& c : cases)
        EXPECT_EQ(ext::isSwitchedOff(c.text), c.off) << "text \"" << c.text << "\"";
}

TEST(Settings, IntegerKeysReadLikeTheINIServices) {
    const struct {
        const char* value;
        int expected;
    } cases[] = {{"", 42},
                 {"0", 0},
                 {"-1", -1},
                 {"5", 5},
                 {"+7", 7},
                 {"12ab", 12},
                 {"abc", 0},
                 {"-", 0},
                 {"99999999999", 0x7fffffff},
                 {"-99999999999", -0x7fffffff - 1}};
    for (const auto& c : cases)
        EXPECT_EQ(ext::profileInt(c.value, 42), c.expected) << "value \"" << c.value << "\"";
}

TEST(Settings, FirstRunWritesEveryKeyWithTheLanguagesDefaults) {
    const struct {
        unsigned language;
        std::vector<KeyValue> file;
    } cases[] = {
        {text::kGerman,
         {{"Pi", "0"},
          {"Pa", "0"},
          {"MenüName", "&Extra"},
          {"SucheDateien", "&Suche in Dateien..."},
          {"SucheDateiname", "Suche Datei&name..."},
          {"Ftp", "-"},
          {"DateiGroessen", "Ermittle Dateig&rößen..."},
          {"SucheInfo", "-"},
          {"DateiInfo", "-"},
          {"FensterNeu", "-"},
          {"FensterAlleNeu", "-"},
          {"DateiEigenschaften", "Datei&eigenschaften..."},
          {"DateiDatum", "Datei&datum..."},
          {"GleicheDateien", "Ermittele &gleiche Dateien..."},
          {"Programm1", "Notepad"},
          {"Programm2", "Write"},
          {"Programm3", "-"},
          {"Programm4", "-"},
          {"Programm5", "-"},
          {"Programm6", "-"},
          {"Programm7", "-"},
          {"Programm8", "-"}}},
        {text::kEnglish,
         {{"Pi", "0"},
          {"Pa", "0"},
          {"MenüName", "&Extra"},
          {"SucheDateien", "&Search in files..."},
          {"SucheDateiname", "Search &filename..."},
          {"Ftp", "-"},
          {"DateiGroessen", "determine  filesizes..."},
          {"SucheInfo", "-"},
          {"DateiInfo", "-"},
          {"FensterNeu", "-"},
          {"FensterAlleNeu", "-"},
          {"DateiEigenschaften", "File&attributes"},
          {"DateiDatum", "File&date"},
          {"GleicheDateien", "Searching for equal files..."},
          {"Programm1", "Notepad"},
          {"Programm2", "Write"},
          {"Programm3", "-"},
          {"Programm4", "-"},
          {"Programm5", "-"},
          {"Programm6", "-"},
          {"Programm7", "-"},
          {"Programm8", "-"}}},
    };
    for (const auto& c : cases) {
        MemoryStore store;
        const ext::SettingsReading r = read(store, c.language);
        const std::string what = "language " + std::to_string(c.language);
        expectKeys(store, c.file, what.c_str());
        EXPECT_EQ(r.settings.infoFile, "korbinex.inf") << what;
        EXPECT_EQ(r.settings.programs[2], "-") << what << ": WinWord cannot be found";
        EXPECT_EQ(r.commandLines[0], "C:\\windows\\system32\\notepad.exe") << what;
        EXPECT_EQ(r.commandLines[2], "") << what;
    }
}

TEST(Settings, SecondRunInTheSameLanguageWritesNothing) {
    MemoryStore store;
    fillGerman(store);
    store.keys["SucheDateien"] = "Suchen &hier";
    store.keys["Programm3"] = "WinWord"; // not found now, but the file keeps it
    const ext::SettingsReading r = read(store, text::kGerman);
    EXPECT_TRUE(store.log.empty()) << "first change: " << (store.log.empty() ? "" : store.log.front());
    EXPECT_EQ(r.settings.function(Function::SearchFiles), "Suchen &hier");
    EXPECT_EQ(r.settings.programs[2], "-");
    EXPECT_EQ(store.keys["Programm3"], "WinWord");
}

TEST(Settings, TheLoadAfterAFirstRunRecordsTheLanguageAndResetsTheTexts) {
    MemoryStore store;
    read(store, text::kGerman);
    EXPECT_EQ(store.keys.count("Sprache"), 0u);
    store.keys["SucheDateien"] = "Suchen &hier";
    store.keys["MenüName"] = "Werk&zeuge";
    const ext::SettingsReading r = read(store, text::kGerman);
    EXPECT_EQ(store.keys["Sprache"], "7");
    EXPECT_EQ(r.settings.function(Function::SearchFiles), "&Suche in Dateien...");
    EXPECT_EQ(r.settings.menuName, "Werk&zeuge");
    store.log.clear();
    read(store, text::kGerman);
    EXPECT_TRUE(store.log.empty()) << "the third load writes nothing";
}

TEST(Settings, LanguageChangeResetsTheTenTextsAndKeepsTheUsersOwn) {
    // Written in German, customised, then read by an English user; and a file
    // without Sprache, which counts as another language.
    for (const bool withLanguage : {true, false}) {
        MemoryStore store;
        fillGerman(store);
        if (!withLanguage)
            store.keys.erase("Sprache");
        store.keys["MenüName"] = "Werk&zeuge";
        store.keys["Ftp"] = "&Ftp nach Hause...";
        store.keys["SucheDateien"] = "Eigene &Suche";
        store.keys["DateiInfo"] = "Datei&info";
        store.keys["Programm3"] = "write.exe /p";
        store.keys["Pa"] = "5";
        const ext::SettingsReading r = read(store, text::kEnglish);
        const std::string what = withLanguage ? "Sprache 7" : "no Sprache";

        const ExtensionSettings& s = r.settings;
        EXPECT_EQ(s.menuName, "Werk&zeuge") << what;
        EXPECT_EQ(s.function(Function::Ftp), "&Ftp nach Hause...") << what;
        EXPECT_EQ(s.function(Function::SearchFiles), "&Search in files...") << what;
        EXPECT_EQ(s.function(Function::FileInfo), "-") << what;
        EXPECT_EQ(s.function(Function::EqualFiles), "Searching for equal files...") << what;
        EXPECT_EQ(s.programs[2], "write.exe /p") << what;
        EXPECT_EQ(s.paletteArrangement, 5) << what;
        EXPECT_EQ(store.keys["Sprache"], "9") << what;
        EXPECT_EQ(store.keys["SucheDateien"], "&Search in files...") << what;
        EXPECT_EQ(store.keys["DateiInfo"], "-") << what;
        EXPECT_EQ(store.keys["MenüName"], "Werk&zeuge") << what;
        EXPECT_EQ(store.keys["Ftp"], "&Ftp nach Hause...") << what;
        EXPECT_EQ(store.keys["Pa"], "5") << what << ": a hand-made arrangement stays";
        // The ten texts went before anything was written back, Ftp never.
        EXPECT_NE(std::find(store.log.begin(), store.log.end(), "delete GleicheDateien"), store.log.end()) << what;
        EXPECT_EQ(std::find(store.log.begin(), store.log.end(), "delete Ftp"), store.log.end()) << what;
    }
}

TEST(Settings, ProgramsResolveWithTheirParameters) {
    const struct {
        const char* stored;
        const char* programText;
        const char* commandLine;
    } cases[] = {
        {"write.exe /p", "write.exe /p", "C:\\windows\\system32\\write.exe /p"},
        {"Notepad  a b", "Notepad  a b", "C:\\windows\\system32\\notepad.exe  a b"},
        {"C:\\tools\\view.exe", "C:\\tools\\view.exe", "C:\\tools\\view.exe"},
        {"Excel", "-", ""},
        {"", "-", ""},
        {" Notepad", "-", ""}, // the program part is empty
        {"-Notepad", "-Notepad", ""},
    };
    for (const auto& c : cases) {
        MemoryStore store;
        fillGerman(store);
        store.keys["Programm2"] = c.stored;
        const ext::SettingsReading r = read(store, text::kGerman);
        EXPECT_EQ(r.settings.programs[1], c.programText) << "stored \"" << c.stored << "\"";
        EXPECT_EQ(r.commandLines[1], c.commandLine) << "stored \"" << c.stored << "\"";
    }
}

TEST(Settings, OverlongTextsAreCutToTheReadingBuffer) {
    MemoryStore store;
    fillGerman(store);
    const std::string longText(2000, 'x');
    store.keys["MenüName"] = longText;
    store.keys["SucheDateien"] = longText;
    store.keys["InfoFile"] = longText;
    store.keys["Programm1"] = "Notepad " + longText; // command line grows past the buffer
    const ext::SettingsReading r = read(store, text::kGerman);
    EXPECT_EQ(r.settings.menuName.size(), 519u);
    EXPECT_EQ(r.settings.function(Function::SearchFiles).size(), 519u);
    EXPECT_EQ(r.settings.infoFile.size(), 519u);
    EXPECT_EQ(r.settings.programs[0].size(), 519u);
    EXPECT_EQ(r.commandLines[0].size(), 519u);
    EXPECT_TRUE(r.commandLines[0].starts_with("C:\\windows\\system32\\notepad.exe xxx"));
}

TEST(Settings, OnlyTheDialogsArrangementsAreWritten) {
    const struct {
        int owner, arrangement;
        const char* pi;
        const char* pa; // nullptr: not written
    } cases[] = {
        {0, 0, "0", "0"}, {1, -1, "1", "-1"}, {0, 1, "0", "1"}, {1, 5, "1", nullptr}, {2, -3, "0", nullptr},
    };
    for (const auto& c : cases) {
        MemoryStore store;
        ExtensionSettings s;
        s.paletteOwner = c.owner;
        s.paletteArrangement = c.arrangement;
        ext::writeSettings(store, s);
        const std::string what = "Pi " + std::to_string(c.owner) + ", Pa " + std::to_string(c.arrangement);
        EXPECT_EQ(store.keys["Pi"], c.pi) << what;
        if (c.pa)
            EXPECT_EQ(store.keys["Pa"], c.pa) << what;
        else
            EXPECT_EQ(store.keys.count("Pa"), 0u) << what;
        EXPECT_EQ(store.keys.size(), c.pa ? 14u : 13u) << what << ": Pi, Pa, title and eleven texts";
    }
}

TEST(Settings, PalettePositionDefaultsNearTheRightEdge) {
    MemoryStore store;
    ext::PalettePosition p = ext::readPalettePosition(store, 12, 1024, 768);
    EXPECT_EQ(p.x, 1024 - 22 * 12 - 22);
    EXPECT_EQ(p.y, 256);
    ext::writePalettePosition(store, {40, -5});
    EXPECT_EQ(store.keys["Px"], "40");
    EXPECT_EQ(store.keys["Py"], "-5");
    p = ext::readPalettePosition(store, 12, 1024, 768);
    EXPECT_EQ(p.x, 40);
    EXPECT_EQ(p.y, -5);
}
