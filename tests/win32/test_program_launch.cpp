// Commands 1 to 8 in the real korbinen.dll under the test host: the configured
// program is a recording program of the test's own, so every start is seen
// with its command line and the directory it ran in.
// wine-locales: de_DE en_US
#include <gtest/gtest.h>

#include <windows.h>
#include <wfext.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/win32/support/extension_ini.h"
#include "tests/win32/support/host_fixture.h"
#include "tests/win32/support/robot.h"
#include "tests/win32/support/test_files.h"

namespace {

bool german() {
    const char* locale = std::getenv("KORB_TEST_LOCALE");
    return locale != nullptr && std::string(locale) == "de_DE";
}

std::string manyFilesQuestion() {
    return german() ? "Sie haben mehrere Dateien ausgw\xe4hlt !\nsoll die Verarbeitung fortgesetzt werden ?"
                    : "You have more than one file selected !\nContinue ?";
}

std::string startError(const std::string& commandLine) {
    return (german() ? "Fehler Nr. 2 beim Aufruf von:\n" : "Error Nr. 2 by execution:\n") + commandLine;
}

// A box the test did not expect is closed and remembered.
struct BoxLog {
    std::vector<std::string> texts;
    std::vector<std::string> captions;
};

class ProgramLaunch : public ::testing::Test {
protected:
    ExtensionIniScope ini;
    TempDirectory records{"krec"};
    TempDirectory first{"kone"};
    TempDirectory second{"ktwo"};
    std::string recorder = besideTestProgram("launch_recorder.exe");
    std::string record = records.file("starts.txt");
    HostFixture host;

    void SetUp() override { SetEnvironmentVariableA("KORB_LAUNCH_RECORD", record.c_str()); }
    void TearDown() override { SetEnvironmentVariableA("KORB_LAUNCH_RECORD", nullptr); }

    void load(const std::vector<std::string>& lines) {
        writeExtensionIni(lines);
        ASSERT_TRUE(host.loadLibrary());
        ASSERT_TRUE(host.sendLoad());
    }

    // Lines "<directory>|<command line>" of the starts so far, sorted: the
    // started programs run side by side and may write in any order.
    std::vector<std::string> starts(std::size_t expected, int ms = 10000) {
        std::vector<std::string> lines;
        const DWORD begin = GetTickCount();
        do {
            lines.clear();
            const std::string bytes = readBytes(record);
            for (std::size_t at = 0; at < bytes.size();) {
                const std::size_t end = bytes.find("\r\n", at);
                if (end == std::string::npos)
                    break;
                lines.push_back(bytes.substr(at, end - at));
                at = end + 2;
            }
            if (lines.size() >= expected)
                break;
            Sleep(20);
        } while (static_cast<int>(GetTickCount() - begin) < ms);
        std::sort(lines.begin(), lines.end());
        return lines;
    }

    // Runs command under a robot that answers the queued boxes in order
    // (IDYES/IDOK...) and logs each box's text and caption.
    BoxLog run(int command, const std::vector<int>& answers) {
        BoxLog log;
        Robot robot(5000);
        for (int answer : answers)
            robot.onMessageBox([&log, answer](HWND box, const std::string& text, const std::string& caption) {
                log.texts.push_back(text);
                log.captions.push_back(caption);
                PostMessageA(GetDlgItem(box, answer), BM_CLICK, 0, 0);
            });
        host.call(static_cast<WORD>(command));
        for (std::string failure : robot.failures())
            ADD_FAILURE() << "command " << command << ": " << failure;
        return log;
    }
};

} // namespace

TEST_F(ProgramLaunch, EachSelectedFileStartsTheProgramInItsOwnDirectory) {
    load({"Programm1=" + recorder});
    const std::string readme = first.file("README");
    const std::string letter = second.file("brief.txt");
    host.state.focus = FMFOCUS_DIR;
    host.state.selection = {{readme, 0, 1},
                            {first.path(), FILE_ATTRIBUTE_DIRECTORY, 0},
                            {"C:\\korbroot", 0, 1},
                            {"C:\\VOLUME", 8, 0},
                            {letter, 0, 1}};

    const BoxLog log = run(1, {IDYES});
    ASSERT_EQ(log.texts.size(), 1u);
    EXPECT_EQ(log.texts[0], manyFilesQuestion());
    EXPECT_EQ(log.captions[0], "korbinen.dll");

    std::vector<std::string> expected = {
        first.path() + "|" + recorder + " " + readme + ".",
        second.path() + "|" + recorder + " " + letter,
        "C:\\|" + recorder + " C:\\korbroot.",
    };
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(starts(3), expected) << "directories and volume labels start nothing";

    // No: nothing more starts.
    const BoxLog refused = run(1, {IDNO});
    EXPECT_EQ(refused.texts.size(), 1u);
    Sleep(500);
    EXPECT_EQ(starts(4, 0).size(), 3u);
}

TEST_F(ProgramLaunch, WithoutAFileSelectionTheProgramStartsAlone) {
    load({"Programm1=" + recorder, "Programm2=" + recorder + " /x"});
    const std::string file = first.file("a.txt");

    // A single directory: nothing starts and nothing is shown.
    host.state.selection = {{first.path(), FILE_ATTRIBUTE_DIRECTORY, 0}};
    EXPECT_TRUE(run(2, {}).texts.empty());
    EXPECT_TRUE(threadDialogs().empty());

    struct Case {
        const char* what;
        int focus;
        bool minimised;
        std::size_t selected;
    };
    const Case cases[] = {
        {"drive bar focused", FMFOCUS_DRIVES, false, 1},
        {"tree focused", FMFOCUS_TREE, false, 1},
        {"File Manager minimised", FMFOCUS_DIR, true, 1},
        {"nothing selected", FMFOCUS_SEARCH, false, 0},
    };
    std::size_t count = 0;
    for (const Case& c : cases) {
        host.state.focus = c.focus;
        host.state.selection.assign(c.selected, HostEntry{file, 0, 1});
        ShowWindow(host.window(), c.minimised ? SW_MINIMIZE : SW_RESTORE);
        EXPECT_TRUE(run(2, {}).texts.empty()) << c.what;
        const std::vector<std::string> lines = starts(++count);
        ASSERT_EQ(lines.size(), count) << c.what;
        for (const std::string& line : lines)
            EXPECT_EQ(line.substr(line.find('|') + 1), recorder + " /x") << c.what;
    }
    ShowWindow(host.window(), SW_RESTORE);
}

TEST_F(ProgramLaunch, AProgramGoneSinceLoadIsReportedPerFile) {
    TempDirectory gone{"kgon"};
    const std::string copy = gone.file("vanish.exe");
    ASSERT_TRUE(CopyFileA(recorder.c_str(), copy.c_str(), FALSE));
    load({"Programm3=" + copy});
    ASSERT_TRUE(DeleteFileA(copy.c_str()));

    const std::string a = first.file("a.txt");
    const std::string b = second.file("b.txt");
    host.state.focus = FMFOCUS_SEARCH;
    host.state.selection = {{a, 0, 1}, {b, 0, 1}};
    const BoxLog log = run(3, {IDYES, IDOK, IDOK});
    ASSERT_EQ(log.texts.size(), 3u);
    EXPECT_EQ(log.texts[1], startError(copy + " " + a));
    EXPECT_EQ(log.texts[2], startError(copy + " " + b));
    EXPECT_EQ(log.captions[2], "korbinen.dll");

    // Alone, the fixed German message with its own caption.
    host.state.focus = FMFOCUS_DRIVES;
    const BoxLog alone = run(3, {IDOK});
    ASSERT_EQ(alone.texts.size(), 1u);
    EXPECT_EQ(alone.texts[0], "Fehler Nr. 2 beim Aufruf von:\n" + copy);
    EXPECT_EQ(alone.captions[0], "Datei-Manager Erweiterung");
    EXPECT_TRUE(starts(1, 300).empty());
}
