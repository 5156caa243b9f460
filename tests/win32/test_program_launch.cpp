// Commands 1 to 8 in the real korbinen.dll under the test host. The slots'
// program is a recording program of the tests' own, so every start is seen
// with its command line and the directory it ran in.
// wine-locales: de_DE en_US
#include <gtest/gtest.h>

#include <windows.h>
#include "common/win/fm_extension.h"

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

// "<directory>|<command line>" per start, sorted: the programs run side by
// side and may write in any order. Waits up to ms for count lines.
std::vector<std::string> starts(const std::string& record, std::size_t count, int ms = 10000) {
    std::vector<std::string> lines;
    for (const DWORD begin = GetTickCount(); lines.size() < count && static_cast<int>(GetTickCount() - begin) < ms;) {
        Sleep(20);
        lines.clear();
        const std::string bytes = readBytes(record);
        for (std::size_t at = 0, end; (end = bytes.find("\r\n", at)) != std::string::npos; at = end + 2)
            lines.push_back(bytes.substr(at, end - at));
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

// Runs a command; the robot answers its message boxes in order with the given
// buttons and returns "caption: text" of each.
std::vector<std::string> run(HostFixture& host, int command, const std::vector<int>& answers) {
    std::vector<std::string> boxes;
    Robot robot(5000);
    for (int answer : answers)
        robot.onMessageBox([&boxes, answer](HWND box, const std::string& text, const std::string& caption) {
            boxes.push_back(caption + ": " + text);
            PostMessageA(GetDlgItem(box, answer), BM_CLICK, 0, 0);
        });
    host.call(static_cast<WORD>(command));
    EXPECT_TRUE(robot.failures().empty()) << "command " << command;
    return boxes;
}

} // namespace

TEST(ProgramLaunch, StartsPerFileInItsDirectoryAloneOrNotAtAll) {
    ExtensionIniScope ini;
    TempDirectory one{"kone"}, two{"ktwo"}, gone{"kgon"};
    const std::string record = one.file("starts.txt");
    const std::string recorder = besideTestProgram("launch_recorder.exe");
    const std::string vanished = gone.file("vanish.exe");
    ASSERT_TRUE(CopyFileA(recorder.c_str(), vanished.c_str(), FALSE));
    SetEnvironmentVariableA("KORB_LAUNCH_RECORD", record.c_str());
    writeExtensionIni({"Programm1=" + recorder, "Programm2=" + recorder + " /x", "Programm3=" + vanished});
    HostFixture host;
    ASSERT_TRUE(host.loadLibrary());
    ASSERT_TRUE(host.sendLoad());

    // Files, a directory, a file in a root and a volume label: one question,
    // then one start per file, each in the file's directory.
    const std::string readme = one.file("README"), letter = two.file("brief.txt");
    host.state.selection = {{readme, 0, 1},
                            {one.path(), FILE_ATTRIBUTE_DIRECTORY, 0},
                            {"C:\\korbroot", 0, 1},
                            {"C:\\VOLUME", 8, 0},
                            {letter, 0, 1}};
    const std::string question = german() ? "korbinen.dll: Sie haben mehrere Dateien ausgw\xe4hlt !\nsoll die "
                                            "Verarbeitung fortgesetzt werden ?"
                                          : "korbinen.dll: You have more than one file selected !\nContinue ?";
    EXPECT_EQ(run(host, 1, {IDYES}), std::vector<std::string>{question});
    std::vector<std::string> expected = {one.path() + "|" + recorder + " " + readme + ".",
                                         two.path() + "|" + recorder + " " + letter,
                                         "C:\\|" + recorder + " C:\\korbroot."};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(starts(record, 3), expected);
    EXPECT_EQ(run(host, 1, {IDNO}).size(), 1u);

    // One directory: nothing starts, nothing is shown.
    host.state.selection = {{one.path(), FILE_ATTRIBUTE_DIRECTORY, 0}};
    EXPECT_TRUE(run(host, 2, {}).empty());
    // Drive bar focused, or the File Manager minimised: the program starts alone.
    host.state.selection = {{letter, 0, 1}};
    host.state.focus = FMFOCUS_DRIVES;
    run(host, 2, {});
    host.state.focus = FMFOCUS_SEARCH;
    ShowWindow(host.window(), SW_MINIMIZE);
    run(host, 2, {});
    ShowWindow(host.window(), SW_RESTORE);
    const std::vector<std::string> all = starts(record, 5);
    ASSERT_EQ(all.size(), 5u) << "the directory started nothing; each alone start once";
    EXPECT_EQ(std::count_if(all.begin(), all.end(),
                            [&](const std::string& l) { return l.ends_with("|" + recorder + " /x"); }),
              2);

    // The program deleted since load: one message per file, and the fixed one alone.
    ASSERT_TRUE(DeleteFileA(vanished.c_str()));
    host.state.selection = {{readme, 0, 1}, {letter, 0, 1}};
    const std::string error = german() ? "korbinen.dll: Fehler Nr. 2 beim Aufruf von:\n" + vanished + " "
                                       : "korbinen.dll: Error Nr. 2 by execution:\n" + vanished + " ";
    EXPECT_EQ(run(host, 3, {IDYES, IDOK, IDOK}),
              (std::vector<std::string>{question, error + readme + ".", error + letter}));
    host.state.focus = FMFOCUS_TREE;
    EXPECT_EQ(run(host, 3, {IDOK}),
              std::vector<std::string>{"Datei-Manager Erweiterung: Fehler Nr. 2 beim Aufruf von:\n" + vanished});
    SetEnvironmentVariableA("KORB_LAUNCH_RECORD", nullptr);
}
