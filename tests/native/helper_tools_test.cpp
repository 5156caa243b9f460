// Rules of the helper's own tools: the program list, run with parameters,
// copy list and paste if changed, and the result list's context menu.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "helper/paste_plan.h"
#include "helper/program_list.h"
#include "helper/result_menu.h"
#include "helper/run_request.h"

using namespace helper;

namespace {

// Programs the platform would find, by their first word.
std::optional<std::string> knownPrograms(const std::string& configured) {
    static const std::map<std::string, std::string> known = {{"Notepad", "C:\\windows\\system32\\notepad.exe"},
                                                             {"Write", "C:\\windows\\system32\\write.exe"}};
    const auto it = known.find(firstWord(configured));
    if (it == known.end())
        return std::nullopt;
    const std::size_t blank = configured.find(' ');
    return it->second + (blank == std::string::npos ? "" : configured.substr(blank));
}

} // namespace

TEST(ProgramList, KeysDefaultsAndResolution) {
    EXPECT_EQ("Programm_1", programKey(1));
    EXPECT_EQ("Programm_8", programKey(8));
    const char* defaults[] = {"Notepad", "Write", "WinWord", "Excel", "-", "-", "-", "-"};
    for (int i = 1; i <= kProgramCount; ++i)
        EXPECT_STREQ(defaults[i - 1], defaultProgram(i)) << "entry " << i;
    const struct {
        const char* configured;
        const char* keptConfigured;
        const char* resolved;
        bool valid;
        const char* shown;
    } cases[] = {
        {"Notepad", "Notepad", "C:\\windows\\system32\\notepad.exe", true, "Notepad"},
        {"Notepad /p x.txt", "Notepad /p x.txt", "C:\\windows\\system32\\notepad.exe /p x.txt", true,
         "Notepad /p x.txt"},
        {"WinWord", "", "-", false, ""},
        {"-", "-", "-", false, ""},
        {"-off", "-off", "-off", false, "-off"},
        {"", "", "-", false, ""},
    };
    for (const auto& c : cases) {
        const ProgramEntry e = resolveEntry(c.configured, knownPrograms);
        EXPECT_EQ(c.keptConfigured, e.configured) << c.configured;
        EXPECT_EQ(c.resolved, e.resolved) << c.configured;
        EXPECT_EQ(c.valid, e.valid()) << c.configured;
        EXPECT_EQ(c.shown, shownEntry(e.configured)) << c.configured;
    }
}

TEST(ProgramList, TypedListIsStoredOnlyWhenEveryProgramIsFound) {
    const ListCheck good = checkTypedList({"Notepad", "", " Write", "\tx", "Write /s", "", "", ""}, knownPrograms);
    EXPECT_TRUE(good.ok);
    EXPECT_EQ((std::vector<std::string>{"Notepad", "-", "-", "-", "Write /s", "-", "-", "-"}), good.configured);
    const ListCheck typo = checkTypedList({"Notepad", "", "", "", "Notpad x.txt", "Wirte", "", ""}, knownPrograms);
    EXPECT_FALSE(typo.ok);
    EXPECT_EQ("Notpad", typo.missingWord) << "the first failing entry is named";
    EXPECT_TRUE(typo.configured.empty());
    EXPECT_EQ("Das Programm 'Notpad' kann nicht gefunden werden !", programNotFoundMessage(typo.missingWord));
}

TEST(RunWithParameters, ProgramFieldOrParameterFieldIsStarted) {
    const struct {
        const char* program;
        const char* parameters;
        const char* file;
        const char* passed;
    } cases[] = {
        {"", "C:\\a.txt", "C:\\a.txt", ""},
        {" ", "C:\\a.txt", "C:\\a.txt", ""},
        {"\t", "C:\\a.txt", "C:\\a.txt", ""},   // below a blank
        {" x", "C:\\a.txt", " x", "C:\\a.txt"}, // longer: sorts after it
        {"notepad", "C:\\a.txt", "notepad", "C:\\a.txt"},
        {"notepad", "", "notepad", ""},
    };
    for (const auto& c : cases) {
        const RunRequest r = runRequest(c.program, c.parameters);
        EXPECT_EQ(c.file, r.file) << "program \"" << c.program << "\"";
        EXPECT_EQ(c.passed, r.parameters) << "program \"" << c.program << "\"";
    }
    EXPECT_EQ("Fehler Nr. 2 beim Aufruf von:\nnix.exe",
              startFailureMessage("Fehler Nr.", 2, "beim Aufruf von:", "nix.exe"));
}

TEST(PasteIfChanged, TargetStripAndDestination) {
    EXPECT_EQ("C:\\Temp\\quorvinx_copy_files.tmp", copyListPath("C:\\Temp\\"));
    EXPECT_EQ("C:\\Temp\\quorvinx_copy_files.tmp", copyListPath("C:\\Temp"));
    const struct {
        const char* entry;
        bool file;
        const char* target;
    } targets[] = {
        {"D:\\T", false, "D:\\T"},           {"C:\\", false, "C:"},     {"D:\\T\\x.txt", true, "D:\\T"},
        {"D:\\T\\sub", false, "D:\\T\\sub"}, {"C:\\x.txt", true, "C:"},
    };
    for (const auto& t : targets)
        EXPECT_EQ(t.target, pasteTarget(t.entry, t.file)) << t.entry;

    const struct {
        const char* firstCopyLine;
        const char* source;
        const char* target;
        const char* destination;
    } cases[] = {
        {"C:\\A\\B", "C:\\A\\B\\X\\Y.TXT", "D:\\T", "D:\\T\\B\\X\\Y.TXT"},
        {"C:\\A\\B\\f.txt", "C:\\A\\B\\f.txt", "D:\\T", "D:\\T\\f.txt"},
        {"C:\\", "C:\\X\\Y.TXT", "C:", "C:\\X\\Y.TXT"},
        {"C:\\A\\B\\C\\D", "C:\\Y.TXT", "D:\\T", "D:\\T\\Y.TXT"}, // runs out of levels
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.destination, pasteDestination(c.target, relativePath(c.source, stripCount(c.firstCopyLine))))
            << c.source;
    EXPECT_EQ((std::vector<std::string>{"D:", "D:\\T", "D:\\T\\B", "D:\\T\\B\\X"}),
              directoriesOnTheWay("D:\\T\\B\\X\\Y.TXT"));
}

TEST(PasteIfChanged, CopyDecisionAndLine) {
    const struct {
        PastePair pair;
        bool copies;
    } cases[] = {
        {{false, true, 1, 1, 1}, true},  // a missing source is attempted
        {{true, false, 0, 1, 1}, true},  // no destination yet
        {{true, true, 1, 5, 5}, true},   // source newer
        {{true, true, -1, 5, 9}, false}, // destination newer
        {{true, true, 0, 5, 5}, false},  // same time and size
        {{true, true, 0, 5, 6}, true},   // same time, other size
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(cases[i].copies, pasteCopies(cases[i].pair)) << "case " << i;
    EXPECT_EQ(15138u, pasteMarkerId(false, false));
    EXPECT_EQ(15139u, pasteMarkerId(true, true));
    EXPECT_EQ(15140u, pasteMarkerId(true, false));
    EXPECT_EQ(" (gleich)  C:\\a.txt\t--> D:\\a.txt", pasteLine("(gleich) ", "C:\\a.txt", "D:\\a.txt"));
}

TEST(ResultMenu, PlanLinesAndCopyRules) {
    std::vector<ProgramEntry> programs(kProgramCount, ProgramEntry{"-", "-"});
    auto ids = [](const std::vector<MenuItem>& plan) {
        std::vector<int> v;
        for (const MenuItem& item : plan)
            v.push_back(item.id);
        return v;
    };
    EXPECT_EQ((std::vector<int>{32780, 32781, 0, 32771, 0, 32782}), ids(resultMenuPlan(programs)))
        << "without programs the menu starts with the date entry";
    programs[1] = {"C:\\Tools\\edit.exe /r", "C:\\Tools\\edit.exe /r"};
    programs[6] = {"Notepad", "C:\\windows\\notepad.exe"};
    const std::vector<MenuItem> plan = resultMenuPlan(programs);
    EXPECT_EQ((std::vector<int>{32773, 32778, 0, 32780, 32781, 0, 32771, 0, 32782}), ids(plan));
    EXPECT_EQ("edit.exe /r", plan[0].text);
    EXPECT_EQ("Notepad", plan[1].text);
    EXPECT_EQ(15039u, plan[3].textId);

    const struct {
        const char* line;
        const char* path;
        bool drivePath;
    } lines[] = {
        {"C:\\a\\b.txt\tfound text", "C:\\a\\b.txt", true},
        {"\tC:\\a\\b.txt\t1.234", "C:\\a\\b.txt", true},
        {"C:\\x.txt", "C:\\x.txt", true},
        {"b.txt\t12", "b.txt", false},
        {" ", " ", false},
        {" (gleich)  C:\\a.txt\t--> D:\\a.txt", " (gleich)  C:\\a.txt", false},
    };
    for (const auto& l : lines) {
        EXPECT_EQ(l.path, linePath(l.line)) << l.line;
        EXPECT_EQ(l.drivePath, isDrivePath(linePath(l.line))) << l.line;
    }
    EXPECT_TRUE(copyTargetValid("c:\\temp"));
    EXPECT_FALSE(copyTargetValid("temp"));
    EXPECT_FALSE(copyTargetValid("c:temp"));
    EXPECT_EQ((std::vector<std::string>{"c:", "c:\\n", "c:\\n\\d"}), targetAndParents("c:\\n\\d"));
    EXPECT_EQ("c:\\n\\y.txt", copyDestination("c:\\n", "C:\\a\\y.txt"));
    EXPECT_EQ(15124u, deleteQuestionId(2));
    EXPECT_EQ(15125u, deleteQuestionId(1));
}
