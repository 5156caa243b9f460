// fmhost.exe run as its own process with the probe extension (and korbinen.dll):
// loading, menu deltas, commands, the menu path, selection queries from the real
// file list, refresh, reload and unload.
#include <windows.h>
#include "common/win/fm_extension.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "tests/win32/support/host_fixture.h"
#include "tests/win32/support/remote_window.h"
#include "tests/win32/support/screenshot.h"
#include "tests/win32/support/search_tree.h"
#include "tests/win32/support/test_files.h"

namespace {

// The record sizes the host passes, as the interface header has them for this
// architecture.
const std::string kLoadSize = "size=" + std::to_string(sizeof(FMS_LOADA));
const std::string kToolbarSize = "size=" + std::to_string(sizeof(FMS_TOOLBARLOAD));

constexpr int kFilesPaneId = 12;
constexpr const char* kProbe = "fmhost_probe.dll";

std::vector<std::string> readLines(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream in(path, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::string joined(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines)
        out += "  " + line + "\n";
    return out;
}

bool contains(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

int attributeByte(const std::string& path) {
    return static_cast<int>(GetFileAttributesA(path.c_str()) & 0xFF);
}

class FmHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        root_ = std::string(temp) + "fmhost_test_" + std::to_string(GetCurrentProcessId()) + "_" +
                std::to_string(GetTickCount());
        CreateDirectoryA(root_.c_str(), nullptr);
        dir_ = root_ + "\\files";
        CreateDirectoryA(dir_.c_str(), nullptr);
        CreateDirectoryA((dir_ + "\\gamma").c_str(), nullptr);
        writeBytes(dir_ + "\\alpha.txt", "hello");
        writeBytes(dir_ + "\\beta.dat", std::string(1234, 'b'));
        writeBytes(dir_ + "\\long file name.text", "long");
        logPath_ = root_ + "\\probe.log";
        reportPath_ = root_ + "\\report.txt";
        SetEnvironmentVariableA("FMHOST_PROBE_LOG", logPath_.c_str());
    }

    void TearDown() override {
        if (frame_ && host_ && !host_->wait(0)) {
            PostMessageA(frame_, WM_CLOSE, 0, 0);
            host_->wait(10000);
        }
        host_.reset();
        removeTree(root_);
    }

    // A copy of the probe under another name, so that it is a library of its own.
    std::string probeCopy(const std::string& name) {
        std::string path = root_ + "\\" + name;
        CopyFileA(besideTestProgram(kProbe).c_str(), path.c_str(), FALSE);
        return path;
    }

    void writeIni(const std::vector<std::pair<std::string, std::string>>& addOns) {
        std::string text = "[AddOns]\r\n";
        for (const auto& [key, path] : addOns)
            text += key + "=" + path + "\r\n";
        writeBytes(root_ + "\\fmhost.ini", text);
    }

    // Starts fmhost on directory (the test directory by default), in the folder root_; extra goes before it.
    void start(const std::string& extra = "", const std::string& directory = "") {
        std::string line = "\"" + besideTestProgram("fmhost.exe") + "\" \"/ini:" + root_ +
                           "\\fmhost.ini\" \"/report:" + reportPath_ + "\" " + extra + " \"" +
                           (directory.empty() ? dir_ : directory) + "\"";
        host_ = std::make_unique<ChildProcess>(line, root_.c_str());
        ASSERT_TRUE(host_->started()) << line;
        frame_ = waitForWindow(host_->id(), "FmHostFrame", nullptr, 15000);
        ASSERT_NE(frame_, nullptr) << "no fmhost window for " << line;
        files_ = GetDlgItem(frame_, kFilesPaneId);
        ASSERT_NE(files_, nullptr);
    }

    std::vector<std::string> report() {
        DeleteFileA(reportPath_.c_str());
        UINT message = RegisterWindowMessageA("fmhost.report");
        DWORD_PTR written = 0;
        SendMessageTimeoutA(frame_, message, 0, 0, SMTO_ABORTIFHUNG, 5000, &written);
        EXPECT_EQ(written, 1u) << "fmhost wrote no report";
        return readLines(reportPath_);
    }

    // The lines of one popup in the report, from its "popup" line to the next.
    static std::vector<std::string> popupLines(const std::vector<std::string>& report, int index) {
        std::vector<std::string> lines;
        int seen = -1;
        for (const std::string& line : report) {
            if (line.rfind("popup ", 0) == 0) {
                ++seen;
                if (seen > index)
                    break;
            } else if (seen == index && (line.rfind("item ", 0) == 0 || line == "separator")) {
                lines.push_back(line);
            }
        }
        return lines;
    }

    static std::vector<std::string> linesStarting(const std::vector<std::string>& lines, const std::string& prefix) {
        std::vector<std::string> out;
        for (const std::string& line : lines)
            if (line.rfind(prefix, 0) == 0)
                out.push_back(line);
        return out;
    }

    std::vector<std::string> log() const { return readLines(logPath_); }

    // Waits until the probe's log holds a line starting with prefix; returns the whole log.
    std::vector<std::string> waitForLog(const std::string& prefix, int timeoutMs = 8000) {
        DWORD end = GetTickCount() + static_cast<DWORD>(timeoutMs);
        std::vector<std::string> lines;
        do {
            lines = log();
            for (const std::string& line : lines)
                if (line.rfind(prefix, 0) == 0)
                    return lines;
            Sleep(50);
        } while (GetTickCount() < end);
        ADD_FAILURE() << "no log line starting with \"" << prefix << "\"; log:\n" << joined(lines);
        return lines;
    }

    void clearLog() { DeleteFileA(logPath_.c_str()); }

    int listIndex(const std::string& name) {
        std::vector<std::string> items = remoteListBoxItems(files_);
        for (size_t i = 0; i < items.size(); ++i)
            if (items[i].substr(0, items[i].find('\t')) == name)
                return static_cast<int>(i);
        return -1;
    }

    void selectOnly(const std::vector<std::string>& names) {
        SendMessageA(files_, LB_SETSEL, FALSE, -1);
        for (const std::string& name : names) {
            int index = listIndex(name);
            ASSERT_GE(index, 0) << name << " is not in fmhost's file list";
            SendMessageA(files_, LB_SETSEL, TRUE, index);
        }
    }

    std::string root_, dir_, logPath_, reportPath_;
    std::unique_ptr<ChildProcess> host_;
    HWND frame_ = nullptr;
    HWND files_ = nullptr;
};

TEST_F(FmHostTest, LoadsEachExtensionWithItsOwnDeltaPopupAndButtons) {
    std::string second = probeCopy("second.dll");
    writeIni({{"one", besideTestProgram(kProbe)}, {"two", second}});
    start();
    std::vector<std::string> lines = waitForLog("second.dll: toolbarload");
    std::vector<std::string> expectedLog = {"fmhost_probe.dll: load window=frame " + kLoadSize + " delta=700",
                                            "fmhost_probe.dll: toolbarload " + kToolbarSize,
                                            "second.dll: load window=frame " + kLoadSize + " delta=800",
                                            "second.dll: toolbarload " + kToolbarSize};
    EXPECT_EQ(lines, expectedLog) << joined(lines);

    std::vector<std::string> shown = report();
    EXPECT_EQ(linesStarting(shown, "popup "),
              (std::vector<std::string>{"popup &File", "popup &Probe", "popup &Probe", "popup &Window", "popup &Help"}))
        << joined(shown);
    // Ids are the extension's id modulo 100 plus its delta, so 105 becomes 705.
    for (int popup : {1, 2}) {
        std::string d = popup == 1 ? "7" : "8";
        std::vector<std::string> expected = {
            "item " + d + "01 Probe &one",    "item " + d + "02 Probe &two",    "separator",
            "item " + d + "21 Probe &query",  "item " + d + "03 Probe &reload", "item " + d + "04 Probe re&fresh",
            "item " + d + "05 Probe &wrapped"};
        EXPECT_EQ(popupLines(shown, popup), expected) << "popup " << popup << "\n" << joined(shown);
    }
    EXPECT_EQ(linesStarting(shown, "button "),
              (std::vector<std::string>{"button 701", "button separator", "button 702", "button 801",
                                        "button separator", "button 802"}))
        << joined(shown);
    EXPECT_TRUE(linesStarting(shown, "problem ").empty()) << joined(shown);
}

TEST_F(FmHostTest, BrokenEntriesAreSkippedWithoutTakingADelta) {
    struct Case {
        std::string key, path, problem;
    };
    std::string refuse = probeCopy("refuse.dll");
    std::vector<Case> cases = {
        {"missing", root_ + "\\nowhere.dll", "problem missing: cannot load " + root_ + "\\nowhere.dll"},
        {"noexport", "shlwapi.dll", "problem noexport: no FMExtensionProc in shlwapi.dll"},
        {"refusing", refuse, "problem refusing: refused to load"},
        {"good", besideTestProgram(kProbe), ""},
        {"again", besideTestProgram(kProbe), "problem again: already loaded as good"},
    };
    std::vector<std::pair<std::string, std::string>> ini;
    for (const Case& c : cases)
        ini.push_back({c.key, c.path});
    writeIni(ini);
    start();
    std::vector<std::string> shown = report();
    std::vector<std::string> problems = linesStarting(shown, "problem ");
    for (size_t i = 0; i < cases.size(); ++i) {
        if (!cases[i].problem.empty()) {
            EXPECT_TRUE(contains(problems, cases[i].problem))
                << "case " << i << " (" << cases[i].key << "): expected \"" << cases[i].problem << "\"\n"
                << joined(problems);
        }
    }
    EXPECT_EQ(problems.size(), 4u) << joined(problems);
    EXPECT_EQ(linesStarting(shown, "extension "),
              (std::vector<std::string>{"extension good 700 " + besideTestProgram(kProbe)}))
        << joined(shown);
    std::vector<std::string> lines = log();
    EXPECT_TRUE(contains(lines, "refuse.dll: load window=frame " + kLoadSize + " delta=700")) << joined(lines);
    EXPECT_TRUE(contains(lines, "fmhost_probe.dll: load window=frame " + kLoadSize + " delta=700")) << joined(lines);
    EXPECT_EQ(linesStarting(lines, "fmhost_probe.dll: load").size(), 1u) << "loaded twice:\n" << joined(lines);
}

TEST_F(FmHostTest, AtMostTenExtensionsAndTitlesCutToTheirField) {
    std::vector<std::pair<std::string, std::string>> ini;
    ini.push_back({"p0", probeCopy("unterminated.dll")});
    for (int i = 1; i <= 10; ++i)
        ini.push_back({"p" + std::to_string(i), probeCopy("copy" + std::to_string(i) + ".dll")});
    writeIni(ini);
    start("/openmenu:0");
    waitForLog("unterminated.dll: helpstring id=1 ");
    std::vector<std::string> shown = report();
    // The help line field was filled to its last byte too: 127 characters reach the status bar.
    EXPECT_TRUE(contains(shown, "helpline " + std::string(127, 'H'))) << joined(shown);
    std::vector<std::string> loaded = linesStarting(shown, "extension ");
    ASSERT_EQ(loaded.size(), 10u) << joined(shown);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(loaded[static_cast<size_t>(i)].substr(0, loaded[static_cast<size_t>(i)].rfind(' ')),
                  "extension p" + std::to_string(i) + " " + std::to_string(700 + 100 * i))
            << "extension " << i;
    EXPECT_TRUE(contains(shown, "problem p10: not loaded, at most 10 extensions")) << joined(shown);
    // The extension filled all 40 bytes of the title: 39 are shown, nothing beyond the field.
    std::vector<std::string> popups = linesStarting(shown, "popup ");
    ASSERT_GE(popups.size(), 2u);
    EXPECT_EQ(popups[1], "popup " + std::string(39, 'N'));
}

TEST_F(FmHostTest, CommandsReachTheOwningExtensionWithTheirNumber) {
    std::string second = probeCopy("second.dll");
    writeIni({{"one", besideTestProgram(kProbe)}, {"two", second}});
    start();
    waitForLog("second.dll: toolbarload");
    struct Case {
        WPARAM command;
        std::string expected; // empty: no extension may hear of it
    };
    const Case cases[] = {
        {701, "fmhost_probe.dll: command 1 window=frame lparam=0"},
        {702, "fmhost_probe.dll: command 2 window=frame lparam=0"},
        {705, "fmhost_probe.dll: command 5 window=frame lparam=0"},
        {799, "fmhost_probe.dll: command 99 window=frame lparam=0"},
        {801, "second.dll: command 1 window=frame lparam=0"},
        {MAKEWPARAM(802, 1), "second.dll: command 2 window=frame lparam=0"}, // as from an accelerator
        {1650, ""},
        {699, ""},
    };
    for (const Case& c : cases) {
        clearLog();
        PostMessageA(frame_, WM_COMMAND, c.command, 0);
        // A refresh afterwards marks the end: it follows the command through the same queue.
        PostMessageA(frame_, WM_COMMAND, 110, 0);
        std::vector<std::string> lines = waitForLog("second.dll: userrefresh");
        std::vector<std::string> commands = linesStarting(lines, "fmhost_probe.dll: command");
        for (const std::string& line : linesStarting(lines, "second.dll: command"))
            commands.push_back(line);
        std::vector<std::string> expected;
        if (!c.expected.empty())
            expected.push_back(c.expected);
        EXPECT_EQ(commands, expected) << "command " << LOWORD(c.command) << ":\n" << joined(lines);
    }
}

TEST_F(FmHostTest, SelectionQueriesAnswerFromTheFileList) {
    writeIni({{"probe", besideTestProgram(kProbe)}});
    start();
    waitForLog("fmhost_probe.dll: toolbarload");
    struct Case {
        std::vector<std::string> names; // in list order: directories first, then by name
    };
    const Case cases[] = {{{"alpha.txt"}}, {{"gamma", "beta.dat"}}, {{}}, {{"long file name.text"}}};
    for (size_t n = 0; n < std::size(cases); ++n) {
        const Case& c = cases[n];
        selectOnly(c.names);
        EXPECT_EQ(SendMessageA(frame_, FM_GETFOCUS, 0, 0), FMFOCUS_DIR) << "case " << n;
        EXPECT_EQ(SendMessageA(frame_, FM_GETSELCOUNTLFN, 0, 0), static_cast<LRESULT>(c.names.size())) << "case " << n;
        clearLog();
        PostMessageA(frame_, WM_COMMAND, 721, 0);
        std::vector<std::string> lines = waitForLog("fmhost_probe.dll: drive ");
        std::vector<std::string> expected = {"fmhost_probe.dll: command 21 window=frame lparam=0",
                                             "fmhost_probe.dll: focus 1 count " + std::to_string(c.names.size())};
        for (size_t i = 0; i < c.names.size(); ++i) {
            std::string path = dir_ + "\\" + c.names[i];
            std::ifstream in(path, std::ios::binary | std::ios::ate);
            long size =
                (GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY) ? 0 : static_cast<long>(in.tellg());
            expected.push_back("fmhost_probe.dll: sel " + std::to_string(i) + " ret " + std::to_string(i) + " attr " +
                               std::to_string(attributeByte(path)) + " size " + std::to_string(size) + " name " + path);
        }
        expected.push_back("fmhost_probe.dll: beyond ret -1 name untouched");
        std::vector<std::string> got = lines;
        std::vector<std::string> shortNames = linesStarting(got, "fmhost_probe.dll: short ");
        got.erase(std::remove_if(got.begin(), got.end(),
                                 [](const std::string& l) { return l.rfind("fmhost_probe.dll: short ", 0) == 0; }),
                  got.end());
        expected.push_back("fmhost_probe.dll: drive ret 1 path " + dir_);
        EXPECT_EQ(got, expected) << "case " << n << ":\n" << joined(lines);
        // The old queries give the short form of each name.
        ASSERT_EQ(shortNames.size(), c.names.size()) << "case " << n << ":\n" << joined(lines);
        for (size_t i = 0; i < c.names.size(); ++i) {
            std::string name = shortNames[i].substr(shortNames[i].find(" name ") + 6);
            std::string last = name.substr(name.find_last_of('\\') + 1);
            char expectedShort[MAX_PATH] = "";
            GetShortPathNameA((dir_ + "\\" + c.names[i]).c_str(), expectedShort, sizeof expectedShort);
            EXPECT_EQ(name, expectedShort) << "case " << n << " entry " << i;
            EXPECT_EQ(last.find(' '), std::string::npos) << "case " << n << ": " << name;
        }
    }
}

TEST_F(FmHostTest, FocusKindAndSelectionFollowThePane) {
    writeIni({{"probe", besideTestProgram(kProbe)}});
    start();
    waitForLog("fmhost_probe.dll: toolbarload");
    selectOnly({"alpha.txt", "beta.dat"});
    struct Case {
        int focus;
        std::string selected; // the one entry of a tree or drive bar selection; empty: the list's two files
    };
    // Tab moves from the file list to the drive bar, then to the tree, then back to the list.
    const Case cases[] = {{FMFOCUS_DRIVES, dir_.substr(0, 3)}, {FMFOCUS_TREE, dir_}, {FMFOCUS_DIR, ""}};
    for (size_t n = 0; n < std::size(cases); ++n) {
        const Case& c = cases[n];
        HWND focused = GetDlgItem(frame_, n == 0 ? kFilesPaneId : (n == 1 ? 10 : 11));
        clearLog();
        PostMessageA(focused, WM_KEYDOWN, VK_TAB, 0);
        PostMessageA(frame_, WM_COMMAND, 721, 0);
        std::vector<std::string> lines = waitForLog("fmhost_probe.dll: drive ");
        EXPECT_EQ(SendMessageA(frame_, FM_GETFOCUS, 0, 0), c.focus) << "case " << n;
        int count = c.selected.empty() ? 2 : 1;
        EXPECT_TRUE(
            contains(lines, "fmhost_probe.dll: focus " + std::to_string(c.focus) + " count " + std::to_string(count)))
            << "case " << n << ":\n"
            << joined(lines);
        if (!c.selected.empty()) {
            EXPECT_TRUE(contains(lines, "fmhost_probe.dll: sel 0 ret 0 attr " +
                                            std::to_string(attributeByte(c.selected)) + " size 0 name " + c.selected))
                << "case " << n << ":\n"
                << joined(lines);
        }
    }
}

TEST_F(FmHostTest, RefreshRereadsTheDirectoryAndKeepsTheSelection) {
    writeIni({{"probe", besideTestProgram(kProbe)}});
    start();
    waitForLog("fmhost_probe.dll: toolbarload");
    selectOnly({"beta.dat"});
    writeBytes(dir_ + "\\aardvark.txt", "new");
    struct Case {
        const char* how;
        std::function<void()> refresh;
    };
    const Case cases[] = {
        {"FM_REFRESH_WINDOWS 0", [&] { EXPECT_EQ(SendMessageA(frame_, FM_REFRESH_WINDOWS, 0, 0), 0); }},
        {"FM_REFRESH_WINDOWS 1 from the extension",
         [&] {
             clearLog();
             PostMessageA(frame_, WM_COMMAND, 704, 0);
             std::vector<std::string> lines = waitForLog("fmhost_probe.dll: refresh ret");
             EXPECT_TRUE(contains(lines, "fmhost_probe.dll: refresh ret 0")) << joined(lines);
         }},
        {"the Refresh command", [&] { SendMessageA(frame_, WM_COMMAND, 110, 0); }},
    };
    for (const Case& c : cases) {
        c.refresh();
        int index = listIndex("aardvark.txt");
        EXPECT_GE(index, 0) << c.how << ": the new file is not listed";
        EXPECT_EQ(remoteListBoxSelection(files_), (std::vector<int>{listIndex("beta.dat")})) << c.how;
    }
    // The shown directory disappears: fmhost falls back to its parent instead of showing a dead list.
    SendMessageA(files_, LB_SETSEL, FALSE, -1);
    SendMessageA(files_, LB_SETCARETINDEX, listIndex("gamma"), FALSE);
    PostMessageA(files_, WM_KEYDOWN, VK_RETURN, 0);
    std::vector<std::string> shown;
    for (int i = 0; i < 100 && !contains(shown, "directory " + dir_ + "\\gamma"); ++i, Sleep(50))
        shown = report();
    ASSERT_TRUE(contains(shown, "directory " + dir_ + "\\gamma")) << joined(shown);
    RemoveDirectoryA((dir_ + "\\gamma").c_str());
    SendMessageA(frame_, FM_REFRESH_WINDOWS, 0, 0);
    shown = report();
    EXPECT_TRUE(contains(shown, "directory " + dir_)) << joined(shown);
    EXPECT_EQ(listIndex("gamma"), -1);
}

TEST_F(FmHostTest, SelectionChangesAreAnnounced) {
    writeIni({{"probe", besideTestProgram(kProbe)}});
    start();
    waitForLog("fmhost_probe.dll: toolbarload");
    clearLog();
    // A key in the list changes the selection as a user would.
    PostMessageA(files_, WM_KEYDOWN, VK_DOWN, 0);
    std::vector<std::string> lines = waitForLog("fmhost_probe.dll: selchange");
    EXPECT_EQ(lines, (std::vector<std::string>{"fmhost_probe.dll: selchange"}));
}

TEST_F(FmHostTest, OpeningTheMenuAsksForHelpLinesGrayingAndTopics) {
    writeIni({{"probe", besideTestProgram(kProbe)}});
    start("/openmenu:0");
    std::vector<std::string> lines = waitForLog("fmhost_probe.dll: helpstring id=1 ");
    saveScreenshotOnRequest("fmhost_menu_open");
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "fmhost_probe.dll: load window=frame " + kLoadSize + " delta=700",
                         "fmhost_probe.dll: toolbarload " + kToolbarSize, "fmhost_probe.dll: helpstring id=-1 menu=set",
                         "fmhost_probe.dll: initmenu first=701 items=7", "fmhost_probe.dll: helpstring id=1 menu=set"}))
        << joined(lines);
    std::vector<std::string> shown = report();
    EXPECT_TRUE(contains(shown, "helpline Probe help 1")) << joined(shown);
    EXPECT_TRUE(contains(popupLines(shown, 1), "item 702 grayed Probe &two")) << joined(shown);

    // The open menu takes keys from fmhost's queue: down to the next item, F1 for its topic.
    clearLog();
    PostMessageA(frame_, WM_KEYDOWN, VK_DOWN, 0);
    lines = waitForLog("fmhost_probe.dll: helpstring id=2 ");
    PostMessageA(frame_, WM_KEYDOWN, VK_F1, 0);
    lines = waitForLog("fmhost_probe.dll: helpmenuitem");
    EXPECT_EQ(lines, (std::vector<std::string>{"fmhost_probe.dll: helpstring id=2 menu=set",
                                               "fmhost_probe.dll: helpmenuitem 2"}))
        << joined(lines);
    PostMessageA(frame_, WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageA(frame_, WM_KEYDOWN, VK_ESCAPE, 0);
}

TEST_F(FmHostTest, ReloadAskedFromInsideAnExtensionWaitsUntilItHasReturned) {
    writeIni({{"probe", besideTestProgram(kProbe)}});
    start();
    waitForLog("fmhost_probe.dll: toolbarload");
    clearLog();
    PostMessageA(frame_, WM_COMMAND, 703, 0);
    std::vector<std::string> lines = waitForLog("fmhost_probe.dll: toolbarload");
    EXPECT_EQ(lines, (std::vector<std::string>{"fmhost_probe.dll: command 3 window=frame lparam=0",
                                               "fmhost_probe.dll: reload ret 0", "fmhost_probe.dll: unload window=null",
                                               "fmhost_probe.dll: load window=frame " + kLoadSize + " delta=700",
                                               "fmhost_probe.dll: toolbarload " + kToolbarSize}))
        << joined(lines);
    std::vector<std::string> shown = report();
    EXPECT_EQ(linesStarting(shown, "popup "),
              (std::vector<std::string>{"popup &File", "popup &Probe", "popup &Window", "popup &Help"}))
        << joined(shown);
    EXPECT_EQ(linesStarting(shown, "button "),
              (std::vector<std::string>{"button 701", "button separator", "button 702"}))
        << joined(shown);
}

TEST_F(FmHostTest, ExitUnloadsEveryExtensionWithANullWindow) {
    struct Case {
        const char* how;
        UINT message;
        WPARAM wParam;
    };
    const Case cases[] = {{"WM_CLOSE", WM_CLOSE, 0}, {"File, Exit", WM_COMMAND, 100}};
    for (const Case& c : cases) {
        std::string second = probeCopy("second.dll");
        writeIni({{"one", besideTestProgram(kProbe)}, {"two", second}});
        clearLog();
        start();
        waitForLog("second.dll: toolbarload");
        PostMessageA(frame_, c.message, c.wParam, 0);
        ASSERT_TRUE(host_->wait(10000)) << c.how << ": fmhost did not end";
        EXPECT_EQ(host_->exitCode(), 0u) << c.how;
        std::vector<std::string> lines = log();
        EXPECT_EQ(linesStarting(lines, "fmhost_probe.dll: unload"),
                  (std::vector<std::string>{"fmhost_probe.dll: unload window=null"}))
            << c.how << ":\n"
            << joined(lines);
        EXPECT_EQ(linesStarting(lines, "second.dll: unload"),
                  (std::vector<std::string>{"second.dll: unload window=null"}))
            << c.how << ":\n"
            << joined(lines);
        host_.reset();
        frame_ = nullptr;
    }
}

TEST_F(FmHostTest, RecordPointersFromAnotherProcessAreRefused) {
    writeIni({{"probe", besideTestProgram(kProbe)}});
    start();
    waitForLog("fmhost_probe.dll: toolbarload");
    selectOnly({"alpha.txt"});
    // A pointer into this process means nothing in fmhost: writing there would corrupt it.
    const UINT recordQueries[] = {FM_GETFILESELLFNA, FM_GETFILESELA, FM_GETFILESELLFNW, FM_GETDRIVEINFOA,
                                  FM_GETDRIVEINFOW};
    for (UINT message : recordQueries) {
        DWORD_PTR answer = 12345;
        ASSERT_NE(SendMessageTimeoutA(frame_, message, 0, 0x00010000, SMTO_ABORTIFHUNG, 5000, &answer), 0)
            << "message " << message << ": no answer";
        EXPECT_EQ(answer, 0u) << "message " << message;
    }
    EXPECT_EQ(SendMessageA(frame_, FM_GETSELCOUNTLFN, 0, 0), 1);
    EXPECT_FALSE(host_->wait(0)) << "fmhost ended";
}

TEST_F(FmHostTest, KorbinenLoadsWithItsMenuInTheMenuBar) {
    writeIni({{"korbinen", besideTestProgram("korbinen.dll")}});
    start();
    std::vector<std::string> shown = report();
    std::vector<std::string> problems = linesStarting(shown, "problem ");
    ASSERT_TRUE(problems.empty()) << joined(shown);
    std::vector<std::string> popups = linesStarting(shown, "popup ");
    ASSERT_EQ(popups.size(), 4u) << joined(shown);
    EXPECT_EQ(popups[1], "popup &Extra");
    std::vector<std::string> items = popupLines(shown, 1);
    ASSERT_FALSE(items.empty()) << joined(shown);
    // Settings and Help close every korbinen menu; their ids carry the delta.
    EXPECT_EQ(items.back().substr(0, 9), "item 715 ") << joined(items);
    EXPECT_EQ(items[items.size() - 3].substr(0, 9), "item 718 ") << joined(items);
}

TEST_F(FmHostTest, KorbinenGraysFileItemsUnlessOnlyFilesAreSelected) {
    writeIni({{"korbinen", besideTestProgram("korbinen.dll")}});
    start();
    struct Case {
        std::vector<std::string> names;
        bool grayed;
    };
    const Case cases[] = {{{"alpha.txt", "beta.dat"}, false}, {{"gamma", "alpha.txt"}, true}, {{}, true}};
    for (size_t n = 0; n < std::size(cases); ++n) {
        const Case& c = cases[n];
        selectOnly(c.names);
        // Alt+E, as a user opens the menu: korbinen asks fmhost for the selection before it drops down.
        PostMessageA(frame_, WM_SYSCOMMAND, SC_KEYMENU, 'E');
        std::vector<std::string> shown;
        for (int i = 0; i < 100; ++i, Sleep(50)) {
            shown = report();
            // An item is highlighted only after the menu was prepared, so its graying is done.
            if (!contains(shown, "highlighted 0"))
                break;
        }
        ASSERT_FALSE(contains(shown, "highlighted 0")) << "case " << n << ": the menu did not open\n" << joined(shown);
        std::vector<std::string> fileItems;
        for (const std::string& line : popupLines(shown, 1)) {
            int id = std::atoi(line.c_str() + 5);
            if ((id >= 701 && id <= 708) || id == 710)
                fileItems.push_back(line);
        }
        ASSERT_FALSE(fileItems.empty()) << "case " << n << ": korbinen's menu has no program or file info item\n"
                                        << joined(shown);
        for (const std::string& line : fileItems)
            EXPECT_EQ(line.find(" grayed ") != std::string::npos, c.grayed) << "case " << n << ": " << line;
        PostMessageA(frame_, WM_KEYDOWN, VK_ESCAPE, 0);
        PostMessageA(frame_, WM_KEYDOWN, VK_ESCAPE, 0);
        for (int i = 0; i < 100 && !contains(shown, "highlighted 0"); ++i, Sleep(50))
            shown = report();
        ASSERT_TRUE(contains(shown, "highlighted 0")) << "case " << n << ": the menu did not close";
    }
}

TEST_F(FmHostTest, WideExtensionsAreCalledThroughTheWideEntryWithWideRecords) {
    writeBytes(dir_ + "\\größe.txt", "groß");
    writeIni({{"narrow", besideTestProgram(kProbe)}, {"wide", besideTestProgram("fmhost_probe_w.dll")}});
    start("/openmenu:1");
    std::vector<std::string> lines = waitForLog("fmhost_probe_w.dll: helpstring id=1 ");
    EXPECT_EQ(linesStarting(lines, "fmhost_probe_w.dll: "),
              (std::vector<std::string>{
                  "fmhost_probe_w.dll: load window=frame size=" + std::to_string(sizeof(FMS_LOADW)) + " delta=800",
                  "fmhost_probe_w.dll: toolbarload " + kToolbarSize, "fmhost_probe_w.dll: helpstring id=-1 menu=set",
                  "fmhost_probe_w.dll: initmenu first=801 items=7", "fmhost_probe_w.dll: helpstring id=1 menu=set"}))
        << joined(lines);
    std::vector<std::string> shown = report();
    EXPECT_TRUE(contains(shown, "popup &Unicode ü")) << joined(shown);
    EXPECT_TRUE(contains(shown, "helpline Unicode ü help 1")) << joined(shown);
    PostMessageA(frame_, WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageA(frame_, WM_KEYDOWN, VK_ESCAPE, 0);
    for (int i = 0; i < 100 && !contains(shown, "helpline "); ++i, Sleep(50))
        shown = report();

    selectOnly({"größe.txt"});
    clearLog();
    PostMessageA(frame_, WM_COMMAND, 821, 0);
    lines = waitForLog("fmhost_probe_w.dll: drive ");
    std::string path = dir_ + "\\größe.txt";
    EXPECT_EQ(lines, (std::vector<std::string>{"fmhost_probe_w.dll: command 21 window=frame lparam=0",
                                               "fmhost_probe_w.dll: focus 1 count 1",
                                               "fmhost_probe_w.dll: sel 0 ret 0 attr " +
                                                   std::to_string(attributeByte(path)) + " size 4 name " + path,
                                               "fmhost_probe_w.dll: beyond ret -1 name untouched",
                                               linesStarting(lines, "fmhost_probe_w.dll: short 0 ").empty()
                                                   ? std::string("(no short name)")
                                                   : linesStarting(lines, "fmhost_probe_w.dll: short 0 ")[0],
                                               "fmhost_probe_w.dll: drive ret 1 path " + dir_}))
        << joined(lines);
    for (const std::string& line : log())
        EXPECT_EQ(line.find("narrow entry"), std::string::npos) << line;
}

TEST_F(FmHostTest, WithoutItsIniOrStartDirectoryFmhostStillWorks) {
    start("", root_ + "\\no such directory");
    std::vector<std::string> shown = report();
    EXPECT_EQ(linesStarting(shown, "popup "), (std::vector<std::string>{"popup &File", "popup &Window", "popup &Help"}))
        << joined(shown);
    EXPECT_TRUE(contains(shown, "problem no INI file " + root_ + "\\fmhost.ini")) << joined(shown);
    // It shows the directory it was started in and says why.
    EXPECT_TRUE(contains(shown, "directory " + root_)) << joined(shown);
    EXPECT_TRUE(contains(shown, "status no such directory: " + root_ + "\\no such directory")) << joined(shown);
    EXPECT_GE(listIndex("files"), 0);
    PostMessageA(frame_, WM_CLOSE, 0, 0);
    EXPECT_TRUE(host_->wait(10000));
    EXPECT_EQ(host_->exitCode(), 0u);
}

TEST_F(FmHostTest, CloseDuringAnExtensionsOwnMessageLoopWaitsForItToReturn) {
    writeIni({{"probe", besideTestProgram(kProbe)}});
    start();
    waitForLog("fmhost_probe.dll: toolbarload");
    clearLog();
    PostMessageA(frame_, WM_COMMAND, 706, 0);
    waitForLog("fmhost_probe.dll: modal start");
    PostMessageA(frame_, WM_CLOSE, 0, 0);
    ASSERT_TRUE(host_->wait(15000)) << "fmhost did not end";
    EXPECT_EQ(host_->exitCode(), 0u);
    std::vector<std::string> lines = log();
    EXPECT_EQ(lines, (std::vector<std::string>{"fmhost_probe.dll: command 6 window=frame lparam=0",
                                               "fmhost_probe.dll: modal start", "fmhost_probe.dll: modal done",
                                               "fmhost_probe.dll: unload window=null"}))
        << joined(lines);
}

TEST_F(FmHostTest, SizesBeyondFourGigabytesShowAsTheLargest32BitValue) {
    std::string huge = dir_ + "\\huge.bin";
    HANDLE file = CreateFileA(huge.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    LARGE_INTEGER end;
    end.QuadPart = 5LL * 1024 * 1024 * 1024; // sparse on the disks Wine runs on: no 5 GB are written
    bool sized = SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    CloseHandle(file);
    if (!sized)
        GTEST_SKIP() << "this disk cannot hold a 5 GB file";
    writeIni({{"probe", besideTestProgram(kProbe)}});
    start();
    waitForLog("fmhost_probe.dll: toolbarload");
    selectOnly({"huge.bin"});
    clearLog();
    PostMessageA(frame_, WM_COMMAND, 721, 0);
    std::vector<std::string> lines = waitForLog("fmhost_probe.dll: drive ");
    // 5 GB cut to its low 32 bits would claim 1 GB.
    EXPECT_TRUE(contains(lines, "fmhost_probe.dll: sel 0 ret 0 attr " + std::to_string(attributeByte(huge)) +
                                    " size 4294967295 name " + huge))
        << joined(lines);
    std::vector<std::string> items = remoteListBoxItems(files_);
    EXPECT_TRUE(
        contains(items, "huge.bin\t4294967295\t" +
                            std::string((GetFileAttributesA(huge.c_str()) & FILE_ATTRIBUTE_ARCHIVE) ? "---A" : "----")))
        << joined(items);
}

TEST_F(FmHostTest, KorbinenRefreshCommandsComeBackAsARefreshOfTheList) {
    writeIni({{"korbinen", besideTestProgram("korbinen.dll")}});
    start();
    selectOnly({"beta.dat"});
    // Commands 12 (this window) and 13 (all windows) through korbinen's menu delta: it asks fmhost to re-read.
    const WPARAM commands[] = {712, 713};
    for (WPARAM command : commands) {
        std::string name = "new" + std::to_string(command) + ".txt";
        writeBytes(dir_ + "\\" + name, "x");
        PostMessageA(frame_, WM_COMMAND, command, 0);
        int index = -1;
        for (int i = 0; i < 100 && index < 0; ++i, Sleep(50))
            index = listIndex(name);
        EXPECT_GE(index, 0) << "command " << command << ": the list was not read again";
        EXPECT_EQ(remoteListBoxSelection(files_), (std::vector<int>{listIndex("beta.dat")})) << "command " << command;
    }
}

} // namespace
