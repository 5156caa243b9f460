// The extension's own equal files (17), file-name search (21) and the drive
// choice they and the content search (16) offer, with the real korbinen.dll
// in a stand-in File Manager on an old Windows. Three drive letters are
// mapped onto real trees, so whole drives are searched for real.
#include <gtest/gtest.h>

#include <windows.h>
#include <wfext.h>

#include <string>
#include <vector>

#include "tests/win32/support/expected_lines.h"
#include "tests/win32/support/host_fixture.h"
#include "tests/win32/support/old_windows.h"
#include "tests/win32/support/robot.h"
#include "tests/win32/support/screenshot.h"
#include "tests/win32/support/search_tree.h"

namespace {

using Lines = std::vector<std::string>;

struct ResultRead {
    bool opened = false;
    std::string caption, searched, hits, withHits, meter;
    Lines lines;
    std::vector<int> hidden; // of the controls that may be hidden
};

struct DriveChoiceRead {
    bool opened = false;
    std::string caption;
    Lines texts;                // every control's text in order of the ids below
    std::string enabledLetters; // the letters whose box can be ticked
};

Lines walked(const std::vector<std::string>& roots) {
    Lines files;
    for (const std::string& r : roots) {
        const Lines below = filesInWalkOrder(r, false);
        files.insert(files.end(), below.begin(), below.end());
    }
    return files;
}

class ExtensionFileToolsOldWindows : public ::testing::Test {
protected:
    void SetUp() override {
        if (!inOldWindowsChild())
            GTEST_SKIP() << "runs in the child that Wine takes for Windows 3.10";
        ASSERT_EQ(3u, LOBYTE(LOWORD(GetVersion())));
        // Three letters that no drive uses yet.
        const DWORD present = GetLogicalDrives();
        for (char c = 'P'; c <= 'Y' && letters_.size() < 3; ++c)
            if (!(present >> (c - 'A') & 1))
                letters_.push_back(c);
        ASSERT_EQ(3u, letters_.size());
        p.file("E.TXT", "12345");
        p.file("s\\E.TXT", "abcde");
        p.file("s\\W.BIN", "ww");
        p.file("s\\t\\W.BIN", "vv");
        p.file("s\\other.txt", "1");
        q.file("E.TXT", "qqqqq");
        q.file("h.doc", "1", FILE_ATTRIBUTE_HIDDEN);
        q.file("x.txt.bak", "1");
        r.file("E.TXT", "rrrrr");
        r.file("deep\\E.TXT", "rrr");
        const SearchTree* trees[] = {&p, &q, &r};
        for (int i = 0; i < 3; ++i)
            ASSERT_TRUE(mapDrive(letters_[i], trees[i]->root())) << "drive " << letters_[i] << " not mapped";
        ASSERT_TRUE(host.loadLibrary());
        host.sendLoad();
    }
    void TearDown() override {
        if (host.library() != nullptr)
            host.sendUnload();
        for (char c : letters_)
            unmapDrive(c);
    }

    std::string root(int i) const { return std::string(1, letters_[i]) + ":\\"; }
    std::string drive(int i) const { return std::string(1, letters_[i]) + ":"; }

    // Runs a command; the prompt (when one comes) gets `typed`, the drive
    // choice (when it comes) gets the ticks, then OK or Cancel.
    void run(int command, const char* title, const char* typed, const std::string& ticks, bool ok) {
        driveChoice = DriveChoiceRead{};
        result = ResultRead{};
        Robot robot;
        if (typed != nullptr) {
            robot.onDialog(title, [&](HWND d) {
                Robot::setItemText(d, 113, typed);
                Robot::click(d, IDOK);
                return true;
            });
        }
        // Whichever comes: the drive choice first, or the result at once.
        robot.onDialog(nullptr, [&, ticks, ok](HWND d) { return actOn(d, ticks, ok); });
        robot.onDialog(nullptr, [&, ticks, ok](HWND d) { return actOn(d, ticks, ok); });
        host.call(static_cast<WORD>(command));
    }

    bool actOn(HWND d, const std::string& ticks, bool ok) {
        if (GetDlgItem(d, 229) != nullptr) {
            driveChoice.opened = true;
            driveChoice.caption = Robot::text(d);
            for (int id = 229; id <= 254; ++id)
                if (IsWindowEnabled(GetDlgItem(d, id)))
                    driveChoice.enabledLetters += static_cast<char>('A' + id - 229);
            for (int id : {229, 254, IDOK, IDCANCEL, 224})
                driveChoice.texts.push_back(Robot::itemText(d, id));
            for (char c : ticks)
                Robot::setChecked(d, 229 + (c - 'A'), true);
            saveScreenshotOnRequest("drive_choice");
            Robot::click(d, ok ? IDOK : IDCANCEL);
            return true;
        }
        if (GetDlgItem(d, 182) == nullptr || !IsWindowVisible(GetDlgItem(d, IDOK)))
            return false;
        result.opened = true;
        result.caption = Robot::text(d);
        result.lines = listBoxLines(GetDlgItem(d, 182));
        result.searched = Robot::itemText(d, 185);
        result.hits = Robot::itemText(d, 188);
        result.withHits = Robot::itemText(d, 194);
        result.meter = Robot::itemText(d, 274);
        for (int id : {198, 197, 256, 194, 257, 274})
            if (!IsWindowVisible(GetDlgItem(d, id)))
                result.hidden.push_back(id);
        saveScreenshotOnRequest("extension_result");
        Robot::click(d, IDOK);
        return true;
    }

    std::vector<char> letters_;
    SearchTree p, q, r;
    HostFixture host;
    DriveChoiceRead driveChoice;
    ResultRead result;
};

} // namespace

TEST(ExtensionFileTools, InProcessPathOnOldWindows) {
    if (inOldWindowsChild())
        GTEST_SKIP() << "this is the child";
    expectOldWindowsChildPasses("ExtensionFileToolsOldWindows.*");
}

TEST_F(ExtensionFileToolsOldWindows, EqualFilesOverTheSelectionOrTheChosenDrives) {
    // A folder selected in a file list: no drive choice, the selection is compared.
    host.state.focus = FMFOCUS_DIR;
    host.state.currentDirectory = root(0);
    host.state.selection = {{p.root()}};
    run(17, nullptr, nullptr, "", true);
    EXPECT_FALSE(driveChoice.opened) << "no choice from a file list";
    ASSERT_TRUE(result.opened);
    const Lines fromSelection = expectedEqualFileLines(walked({p.root()}));
    ASSERT_EQ(6u, fromSelection.size());
    EXPECT_EQ(fromSelection, result.lines);
    EXPECT_EQ("searchresult", result.caption);
    EXPECT_EQ("5", result.searched);
    EXPECT_EQ("2", result.hits);
    EXPECT_EQ("2", result.withHits);
    EXPECT_EQ("100%", result.meter);
    EXPECT_EQ((std::vector<int>{198, 197}), result.hidden) << "only the column buttons hide; the meter shows";

    // The tree on a drive root: the choice opens; two drives ticked are searched alone.
    host.state.focus = FMFOCUS_TREE;
    run(17, nullptr, nullptr, {letters_[1], letters_[2]}, true);
    ASSERT_TRUE(driveChoice.opened);
    EXPECT_EQ("Search for equal files", driveChoice.caption);
    EXPECT_EQ((Lines{"A", "Z", "&Ok", "&Abbruch", "&Hilfe"}), driveChoice.texts);
    std::string present;
    for (int i = 0; i < 26; ++i)
        if (GetLogicalDrives() >> i & 1)
            present += static_cast<char>('A' + i);
    EXPECT_EQ(present, driveChoice.enabledLetters) << "letters without a drive cannot be ticked";
    for (char c : letters_)
        EXPECT_NE(std::string::npos, present.find(c)) << "the mapped drive " << c << " is listed";
    EXPECT_EQ(
        (Lines{"E.TXT", "\t" + foundFileLine(root(1) + "E.TXT", ""), "\t" + foundFileLine(root(2) + "E.TXT", "")}),
        result.lines);
    EXPECT_EQ("5", result.searched);

    // Nothing ticked: the window's drive; Cancel: nothing at all.
    run(17, nullptr, nullptr, "", true);
    EXPECT_TRUE(driveChoice.opened);
    EXPECT_EQ(expectedEqualFileLines(walked({drive(0)})), result.lines);
    EXPECT_EQ(6u, result.lines.size());
    run(17, nullptr, nullptr, {letters_[1]}, false);
    EXPECT_TRUE(driveChoice.opened);
    EXPECT_FALSE(result.opened) << "Cancel ends the command";

    // Below a root: no choice, the current folder is compared.
    host.state.currentDirectory = root(0) + "s";
    run(17, nullptr, nullptr, "", true);
    EXPECT_FALSE(driveChoice.opened);
    EXPECT_EQ(expectedEqualFileLines(walked({root(0) + "s"})), result.lines);
    EXPECT_EQ(3u, result.lines.size());
}

TEST_F(ExtensionFileToolsOldWindows, NameSearchAndContentSearchOfferTheDrivesAfterTheirPrompt) {
    host.state.focus = FMFOCUS_DRIVES;
    host.state.currentDirectory = root(0);
    run(21, "Find filename", "e.txt|*.DOC", {letters_[1]}, true);
    ASSERT_TRUE(driveChoice.opened);
    EXPECT_EQ("Find filename", driveChoice.caption);
    ASSERT_TRUE(result.opened);
    Lines expected;
    for (const std::string& f : walked({drive(1)}))
        if (f.find("x.txt") == std::string::npos)
            expected.push_back(foundFileLine(f, ""));
    ASSERT_EQ(2u, expected.size());
    EXPECT_EQ(expected, result.lines) << "no attribute filter: the hidden file is found too";
    EXPECT_EQ("3", result.searched);
    EXPECT_EQ("2", result.hits);
    EXPECT_EQ((std::vector<int>{198, 197, 256, 194, 257, 274}), result.hidden);

    run(16, "Find in files", "q", "", false);
    EXPECT_TRUE(driveChoice.opened);
    EXPECT_EQ("Find in files", driveChoice.caption);
    EXPECT_FALSE(result.opened) << "a cancelled drive choice ends the content search";
}
