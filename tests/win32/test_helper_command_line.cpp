// The real quorvinx.exe on its own: what its command line makes it do, seen
// from another process (its message boxes, its exit, the list file it was
// given). Also the tools' shared start on the list file, in this process.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "common/filetools/selection_list_win.h"
#include "common/win/deliverable.h"
#include "tests/win32/support/host_fixture.h"
#include "tests/win32/support/remote_window.h"
#include "tests/win32/support/robot.h"
#include "tests/win32/support/test_files.h"

namespace {

std::string helperCommand(const std::string& arguments) {
    std::string command = "\"";
    command += besideTestProgram("quorvinx.exe");
    command += '"';
    if (!arguments.empty()) {
        command += ' ';
        command += arguments;
    }
    return command;
}

struct SeenBox {
    std::string text;
    std::string caption;
};

// Runs the helper to its end. Any window it shows is read (message box text,
// or the caption of a dialog) and dismissed, so a tool that shows a dialog
// in a later build does not hang the test. False when it did not end.
bool runHelper(const std::string& arguments, const std::string& directory, std::vector<SeenBox>& seen) {
    ChildProcess helper(helperCommand(arguments), directory.c_str());
    if (!helper.started())
        return false;
    const DWORD start = GetTickCount();
    while (!helper.wait(50)) {
        if (GetTickCount() - start > 20000)
            return false;
        for (HWND window : processWindows(helper.id())) {
            const HWND text = GetDlgItem(window, 0xFFFF);
            seen.push_back({text ? remoteText(text) : std::string(), remoteText(window)});
            // A message box has only OK; a dialog is left through Cancel.
            remoteClick(window, GetDlgItem(window, IDCANCEL) ? IDCANCEL : IDOK);
            Sleep(200);
        }
    }
    return true;
}

} // namespace

TEST(HelperAlone, FirstCharacterThatIsNoDigitIsAnUnknownFunction) {
    const struct {
        const char* firstArgument;
        const char* message;
    } cases[] = {
        {"x", "unbekannte Funktion: x"},
        {"xyz", "unbekannte Funktion: xyz"},
        {"-7", "unbekannte Funktion: -7"},
    };
    for (const auto& c : cases) {
        TempDirectory dir;
        ASSERT_TRUE(writeBytes(dir.file("zqk1.tmp"), "C:\\\r\n"));
        std::vector<SeenBox> seen;
        ASSERT_TRUE(runHelper(std::string(c.firstArgument) + " zqk1.tmp", dir.path(), seen)) << c.firstArgument;
        ASSERT_EQ(1u, seen.size()) << "first argument " << c.firstArgument;
        EXPECT_EQ(c.message, seen[0].text) << "first argument " << c.firstArgument;
        EXPECT_EQ("Quorvin", seen[0].caption) << "first argument " << c.firstArgument;
        EXPECT_FALSE(fileExists(dir.file("zqk1.tmp"))) << "the list file stays after " << c.firstArgument;
    }
}

TEST(HelperAlone, DigitFollowedByMoreCharactersIsThatLetter) {
    // Letter 7 copies the list for another caller; whatever it shows, it is
    // never the unknown-function message that "7abc" as a whole would give.
    TempDirectory dir;
    ASSERT_TRUE(writeBytes(dir.file("zqk2.tmp"), "C:\\a.txt\r\n"));
    std::vector<SeenBox> seen;
    ASSERT_TRUE(runHelper("7abc zqk2.tmp", dir.path(), seen));
    for (const SeenBox& box : seen)
        EXPECT_EQ(std::string::npos, box.text.find("unbekannte Funktion")) << box.text;
}

TEST(HelperAlone, NoArgumentsDeletesNothing) {
    TempDirectory dir;
    // Names a list file could have: none of them may go.
    const char* names[] = {"zqk3.tmp", "0", "zqkA1B2.tmp"};
    for (const char* name : names)
        ASSERT_TRUE(writeBytes(dir.file(name), "C:\\\r\n"));
    std::vector<SeenBox> seen;
    ASSERT_TRUE(runHelper("", dir.path(), seen));
    for (const char* name : names)
        EXPECT_TRUE(fileExists(dir.file(name))) << name << " was deleted";
    for (const SeenBox& box : seen)
        EXPECT_EQ(std::string::npos, box.text.find("Error")) << box.text;
}

namespace {

// Answers the content search prompt of a helper started with letter 1.
bool answerSearchPrompt(const ChildProcess& helper, const char* searchText, const char* files) {
    const HWND prompt = waitForWindow(helper.id(), "#32770", "Find in files", 15000);
    if (prompt == nullptr)
        return false;
    SendMessageA(GetDlgItem(prompt, 110), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(searchText));
    SendMessageA(GetDlgItem(prompt, 111), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(files));
    remoteClick(prompt, IDOK);
    return true;
}

} // namespace

TEST(HelperAlone, LetterWithoutListIsToldWhenTheToolReadsItAndNothingIsDeleted) {
    TempDirectory dir;
    const char* names[] = {"zqk6.tmp", "1"};
    for (const char* name : names)
        ASSERT_TRUE(writeBytes(dir.file(name), dir.file("x.txt") + "\r\n"));
    ChildProcess helper(helperCommand("1"), dir.path().c_str());
    ASSERT_TRUE(answerSearchPrompt(helper, "needle", "*")) << "the prompt did not open";
    const HWND box = waitForWindow(helper.id(), "#32770", "Quorvin", 15000);
    ASSERT_NE(nullptr, box) << "no message about the missing list";
    EXPECT_EQ("Error: Open (tmp)", remoteText(GetDlgItem(box, 0xFFFF)));
    remoteClick(box, IDOK);
    ASSERT_TRUE(helper.wait(15000)) << "the helper did not end";
    for (const char* name : names)
        EXPECT_TRUE(fileExists(dir.file(name))) << name << " was deleted";
}

TEST(HelperAlone, LastListLineWithoutLineEndIsStillSearched) {
    TempDirectory dir;
    ASSERT_TRUE(writeBytes(dir.file("first.txt"), "needle one\r\n"));
    ASSERT_TRUE(writeBytes(dir.file("last.txt"), "needle two\r\n"));
    ASSERT_TRUE(writeBytes(dir.file("zqk9.tmp"), dir.file("first.txt") + "\r\n" + dir.file("last.txt")));
    ChildProcess helper(helperCommand("1 zqk9.tmp"), dir.path().c_str());
    ASSERT_TRUE(answerSearchPrompt(helper, "needle", "*.txt")) << "the prompt did not open";
    const HWND result = waitForWindow(helper.id(), "#32770", "searchresult - (Find in files 'NEEDLE')", 30000);
    ASSERT_NE(nullptr, result) << "the result dialog did not open";
    const DWORD start = GetTickCount();
    while (!IsWindowVisible(GetDlgItem(result, IDOK)) && GetTickCount() - start < 30000)
        Sleep(50);
    int first = 0, last = 0;
    for (const std::string& line : remoteListBoxItems(GetDlgItem(result, 1025))) {
        first += line == dir.file("first.txt") + "\tneedle one";
        last += line == dir.file("last.txt") + "\tneedle two";
    }
    EXPECT_EQ(1, first);
    EXPECT_EQ(1, last) << "the entry on the line without line end was not searched";
    remoteClick(result, IDOK);
    ASSERT_TRUE(helper.wait(15000)) << "the helper did not end";
    EXPECT_FALSE(fileExists(dir.file("zqk9.tmp"))) << "the list file stays";
}

TEST(SelectionListFile, ToolThatCannotOpenTheListTellsTheUser) {
    setDeliverable(kHelperProfile);
    TempDirectory dir;
    const std::string paths[] = {"", dir.file("zqk-missing.tmp")};
    for (const std::string& path : paths) {
        std::vector<SeenBox> seen;
        Robot robot;
        robot.onMessageBox([&](HWND box, const std::string& text, const std::string& caption) {
            seen.push_back({text, caption});
            Robot::click(box, IDOK);
        });
        filetools::SelectionListReader reader;
        EXPECT_FALSE(filetools::openSelectionList(reader, path)) << "path \"" << path << "\"";
        EXPECT_FALSE(reader.isOpen());
        ASSERT_EQ(1u, seen.size()) << "path \"" << path << "\"";
        EXPECT_EQ("Error: Open (tmp)", seen[0].text);
        EXPECT_EQ("Quorvin", seen[0].caption);
    }
    setDeliverable(kExtensionProfile);
}
