// The menu plan (items, suffixes, separators) and the graying rule.
#include <gtest/gtest.h>

#include <sstream>

#include "common/text/text_table.h"
#include "extension/menu_plan.h"

using ext::ExtensionSettings;
using ext::Function;
using ext::MenuEntry;

namespace {

ExtensionSettings allOff() {
    ExtensionSettings s;
    s.programs.fill("-");
    s.functions.fill("-");
    s.menuName = "&Extra";
    return s;
}

// Programs named P1... in the given slots, each with a command line.
struct Programs {
    ExtensionSettings settings = allOff();
    std::array<std::string, ext::kProgramSlots> lines;

    Programs& slot(int n, const std::string& text) {
        settings.programs[n - 1] = text;
        lines[n - 1] = "C:\\bin\\" + text + ".exe";
        return *this;
    }
    Programs& on(Function f, const std::string& text) {
        settings.function(f) = text;
        return *this;
    }
};

std::string show(const std::vector<MenuEntry>& plan) {
    std::ostringstream out;
    for (const MenuEntry& e : plan)
        out << (e.command == 0 ? std::string("----") : std::to_string(e.command) + " " + e.text) << "\n";
    return out.str();
}

void expectPlan(const std::vector<MenuEntry>& expected, const std::vector<MenuEntry>& actual, const char* what) {
    EXPECT_EQ(expected, actual) << what << "\nexpected:\n" << show(expected) << "actual:\n" << show(actual);
}

const MenuEntry kSep{0, ""};
const MenuEntry kSettingsDe{18, "Einstellungen...\tStrg+F11"};
const MenuEntry kHelpDe{15, "Hilfe\tUmschalt+F1"};

} // namespace

TEST(MenuPlan, EdgeCasesOfProgramsFtpAndGroups) {
    const struct {
        const char* what;
        Programs input;
        std::vector<MenuEntry> expected;
    } cases[] = {
        {"all off", Programs{}, {kSettingsDe, kSep, kHelpDe}},
        {"three programs, FTP off",
         Programs{}.slot(1, "A").slot(2, "B").slot(5, "C").on(Function::SearchFiles, "&Suche"),
         {{1, "A\tStrg+F1"},
          {2, "B\tStrg+F2"},
          kSep,
          {5, "C\tStrg+F5"},
          kSep,
          {16, "&Suche\tStrg+Umschalt+S"},
          kSep,
          kSettingsDe,
          kSep,
          kHelpDe}},
        {"four programs, FTP on",
         Programs{}.slot(1, "A").slot(3, "B").slot(4, "C").slot(8, "D").on(Function::Ftp, "&Ftp..."),
         {{1, "A\tStrg+F1"},
          {3, "B\tStrg+F3"},
          kSep,
          {4, "C\tStrg+F4"},
          {8, "D\tStrg+F8"},
          kSep,
          {9, "&Ftp...\tStrg+F9"},
          kSep,
          kSettingsDe,
          kSep,
          kHelpDe}},
        {"one program, FTP on: they share a block",
         Programs{}.slot(2, "A").on(Function::Ftp, "F"),
         {{2, "A\tStrg+F2"}, {9, "F\tStrg+F9"}, kSep, kSettingsDe, kSep, kHelpDe}},
        {"info group on, properties empty",
         Programs{}.on(Function::SearchInfo, "Info&suche").on(Function::FileInfo, "&Info"),
         {{14, "Info&suche\tStrg+Umschalt+O"}, {10, "&Info\tStrg+Umschalt+I"}, kSep, kSettingsDe, kSep, kHelpDe}},
        {"every group, in group order",
         Programs{}
             .on(Function::FileSizes, "R")
             .on(Function::EqualFiles, "G")
             .on(Function::SearchName, "N")
             .on(Function::SearchFiles, "S")
             .on(Function::FileInfo, "I")
             .on(Function::Date, "D")
             .on(Function::Attributes, "E")
             .on(Function::RebuildAll, "A")
             .on(Function::RebuildWindow, "W"),
         {{16, "S\tStrg+Umschalt+S"},
          {21, "N\tStrg+Umschalt+F"},
          {17, "G\tStrg+Umschalt+G"},
          {11, "R\tStrg+Umschalt+R"},
          kSep,
          {10, "I\tStrg+Umschalt+I"},
          kSep,
          {19, "E\tStrg+Umschalt+E"},
          {20, "D\tStrg+Umschalt+D"},
          kSep,
          {12, "W\tF5"},
          {13, "A\tUmschalt+F5"},
          kSep,
          kSettingsDe,
          kSep,
          kHelpDe}},
        {"program texts keep their parameters; empty texts still count as on",
         Programs{}.slot(6, "write.exe /p").on(Function::Date, ""),
         {{6, "write.exe /p\tStrg+F6"}, kSep, {20, "\tStrg+Umschalt+D"}, kSep, kSettingsDe, kSep, kHelpDe}},
    };
    for (const auto& c : cases)
        expectPlan(c.expected, ext::planMenu(c.input.settings, c.input.lines, text::kGerman), c.what);
}

TEST(MenuPlan, UnresolvedProgramsHaveNoItem) {
    Programs p;
    p.slot(1, "A").slot(2, "B").slot(3, "C");
    p.lines[1].clear(); // B was not found
    expectPlan({{1, "A\tStrg+F1"}, {3, "C\tStrg+F3"}, kSep, kSettingsDe, kSep, kHelpDe},
               ext::planMenu(p.settings, p.lines, text::kGerman), "slot 2 unresolved");
}

TEST(MenuPlan, SuffixesFollowTheLanguageExceptTheFixedOnes) {
    Programs p;
    p.slot(1, "Notepad")
        .on(Function::Ftp, "Ftp")
        .on(Function::SearchFiles, "S")
        .on(Function::RebuildWindow, "W")
        .on(Function::RebuildAll, "A");
    expectPlan({{1, "Notepad\tCtrl+F1"},
                {9, "Ftp\tStrg+F9"}, // the FTP key name is a fixed text
                kSep,
                {16, "S\tCtrl+Shift+S"},
                kSep,
                {12, "W\tF5"},
                {13, "A\tShift+F5"},
                kSep,
                {18, "Settings...\tCtrl+F11"},
                kSep,
                {15, "Help\tShift+F1"}},
               ext::planMenu(p.settings, p.lines, text::kEnglish), "English");
    // Italian has no suffixes of its own: English ones.
    EXPECT_EQ(ext::planMenu(p.settings, p.lines, text::kItalian), ext::planMenu(p.settings, p.lines, text::kEnglish));
}

TEST(MenuPlan, FileOnlyItemsNeedAFileSelection) {
    constexpr std::uint8_t file = 0x20, readOnly = 0x01, dir = 16, volume = 8;
    const struct {
        const char* what;
        int focus;
        std::vector<std::uint8_t> entries;
        bool onlyFiles;
        unsigned asked; // entries the host is asked for
    } cases[] = {
        {"two files", 1, {file, readOnly}, true, 2},
        {"two files and a directory", 1, {file, file, dir}, false, 3},
        {"directory first", 1, {dir, file, file}, false, 1},
        {"same selection, tree focus", 2, {file, file, dir}, false, 0},
        {"files, tree focus", 2, {file}, false, 0},
        {"files, drive bar", 3, {file}, false, 0},
        {"search results", 4, {file, 0}, true, 2},
        {"volume label", 4, {volume}, false, 1},
        {"hidden directory", 1, {dir | 0x02}, false, 1},
        {"nothing selected", 1, {}, false, 0},
    };
    for (const auto& c : cases) {
        unsigned asked = 0;
        const bool result =
            ext::selectionHoldsOnlyFiles(c.focus, static_cast<unsigned>(c.entries.size()), [&](unsigned i) {
                ++asked;
                return c.entries.at(i);
            });
        EXPECT_EQ(result, c.onlyFiles) << c.what;
        EXPECT_EQ(asked, c.asked) << c.what;
    }
}
