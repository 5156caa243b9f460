// wine-environment: TZ=Europe/Berlin
// The attribute and date tools end to end on one real tree: the real helper
// on a selection list (letters 6 and 5), and the extension's own commands 19
// and 20 in a stand-in File Manager on an old Windows, with the refresh it
// asks for. Wine keeps only read-only, hidden and system of a file, and only
// hidden and system of a folder; a read-only file still opens for writing
// when the tests run as root, so only those are compared.
#include <gtest/gtest.h>

#include <windows.h>
#include <wfext.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tests/win32/support/file_stamps.h"
#include "tests/win32/support/host_fixture.h"
#include "tests/win32/support/old_windows.h"
#include "tests/win32/support/remote_window.h"
#include "tests/win32/support/robot.h"
#include "tests/win32/support/search_tree.h"
#include "tests/win32/support/test_files.h"

namespace {

constexpr DWORD RO = FILE_ATTRIBUTE_READONLY, H = FILE_ATTRIBUTE_HIDDEN, S = FILE_ATTRIBUTE_SYSTEM;

// A selected folder with files at three depths, a hidden subfolder, a dot
// file inside, a selected single file and one file outside the selection.
class PropertyTree {
public:
    PropertyTree() {
        for (const auto& [name, entry] : entries_) {
            if (entry.folder)
                tree_.folder(name);
            else
                tree_.file(name, "x");
        }
        for (const auto& [name, entry] : entries_)
            if (entry.attributes != 0)
                SetFileAttributesA(tree_.path(name).c_str(), entry.attributes);
    }

    std::string path(const std::string& name) const { return tree_.path(name); }
    std::vector<std::string> selection() const { return {path("sel"), path("single.txt")}; }

    static constexpr DWORD kAsCreated = ~0u;

    // Every selected file has `after` as its kept attributes (kAsCreated: its
    // own); folders, the dot file and the file outside keep their own.
    void expectAttributes(DWORD after) const {
        for (const auto& [name, entry] : entries_) {
            const DWORD expected = entry.selected && after != kAsCreated ? after : entry.attributes;
            EXPECT_EQ(expected, keptAttributes(path(name))) << name;
        }
    }

    // The selected files carry the stamp; the others keep the times they had.
    void expectTimes(const std::map<std::string, FileTimes>& before, std::uint64_t low, std::uint64_t high,
                     const std::string& lockedName = "") const {
        for (const auto& [name, entry] : entries_) {
            if (entry.folder)
                continue;
            const FileTimes now = fileTimes(path(name));
            if (entry.selected && name != lockedName) {
                EXPECT_TRUE(now.write >= low && now.write <= high && now.write % (2 * kSecond) == 0)
                    << name << ": " << now.write << " not an even second in " << low << ".." << high;
                EXPECT_EQ(now.write, now.access) << name;
            } else {
                EXPECT_EQ(before.at(name), now) << name << " keeps its times";
            }
        }
    }

    std::map<std::string, FileTimes> times() const {
        std::map<std::string, FileTimes> all;
        for (const auto& [name, entry] : entries_)
            all[name] = fileTimes(path(name));
        return all;
    }

private:
    struct Entry {
        bool folder, selected;
        DWORD attributes;
    };
    SearchTree tree_;
    const std::map<std::string, Entry> entries_ = {
        {"sel", {true, false, 0}},
        {"sel\\a.txt", {false, true, H}},
        {"sel\\sub", {true, false, 0}},
        {"sel\\sub\\b.txt", {false, true, 0}},
        {"sel\\sub\\.dot.txt", {false, false, H}},
        {"sel\\sub\\deep", {true, false, 0}},
        {"sel\\sub\\deep\\c.txt", {false, true, S}},
        {"sel\\hid", {true, false, H}},
        {"sel\\hid\\e.txt", {false, true, RO}},
        {"single.txt", {false, true, 0}},
        {"other.txt", {false, false, H}},
    };
};

// Runs the helper with a list of the selection and this letter; the list is
// gone when it ends.
class HelperRun {
public:
    HelperRun(const PropertyTree& tree, char letter) : list_(tree.path("zqk5.tmp")) {
        std::string bytes;
        for (const std::string& entry : tree.selection())
            bytes += entry + "\r\n";
        writeBytes(list_, bytes);
        process_ = std::make_unique<ChildProcess>("\"" + besideTestProgram("quorvinx.exe") + "\" " + letter + " \"" +
                                                  list_ + "\"");
    }
    DWORD id() const { return process_->id(); }
    void expectEnd() {
        ASSERT_TRUE(process_->wait(30000)) << "the helper did not end";
        EXPECT_FALSE(fileExists(list_)) << "the helper removes its list file";
    }

private:
    std::string list_;
    std::unique_ptr<ChildProcess> process_;
};

void typeFields(HWND dialog, const std::vector<int>& ids, const std::vector<const char*>& values) {
    for (std::size_t i = 0; i < ids.size(); ++i)
        SendMessageA(GetDlgItem(dialog, ids[i]), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(values[i]));
}

std::uint64_t universalNow() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return timeValue(now);
}

} // namespace

TEST(FilePropertiesHelper, LetterSixChangesEveryFileBelowTheSelection) {
    PropertyTree tree;
    HelperRun helper(tree, '6');
    HWND dialog = waitForWindow(helper.id(), "#32770", "set fileattributes", 15000);
    ASSERT_NE(nullptr, dialog);
    for (int id : {1044, 1047, 1050}) // set read-only, clear hidden, set system
        remoteClick(dialog, id);
    remoteClick(dialog, IDOK);
    helper.expectEnd();
    tree.expectAttributes(RO | S);
}

TEST(FilePropertiesHelper, LetterFiveStampsTheTypedMomentExceptOnALockedFile) {
    PropertyTree tree;
    const std::string locked = "sel\\sub\\b.txt";
    HANDLE lock = CreateFileA(tree.path(locked).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);
    const auto before = tree.times();
    HelperRun helper(tree, '5');
    HWND dialog = waitForWindow(helper.id(), "#32770", "set date/time", 15000);
    ASSERT_NE(nullptr, dialog);
    const std::vector<int> ids = {1038, 1039, 1041, 1042, 1043, 1044};
    typeFields(dialog, ids, {"24", "12", "2025", "13", "60", "59"});
    remoteClick(dialog, IDOK);
    HWND box = waitForWindow(helper.id(), "#32770", "Quorvin", 15000);
    ASSERT_NE(nullptr, box) << "minute 60 is refused";
    EXPECT_EQ("Please enter an integer between 0 and 59", remoteText(GetDlgItem(box, 0xFFFF)));
    remoteClick(box, IDOK);
    typeFields(dialog, {1043}, {"45"});
    remoteClick(dialog, IDOK);
    helper.expectEnd();
    CloseHandle(lock);
    const std::int64_t offset = localOffset();
    ASSERT_NE(0, offset) << "the test must run in a time zone other than UTC";
    const std::uint64_t stamp = timeValue(SYSTEMTIME{2025, 12, 0, 24, 13, 45, 58, 0}) - offset;
    tree.expectTimes(before, stamp, stamp, locked);
}

TEST(FilePropertiesExtension, CommandsRunInsideOnOldWindows) {
    if (inOldWindowsChild())
        GTEST_SKIP() << "this is the child";
    expectOldWindowsChildPasses("FilePropertiesOldWindows.*");
}

TEST(FilePropertiesOldWindows, CommandsNineteenAndTwentyChangeTheSelectionAndRefresh) {
    if (!inOldWindowsChild())
        GTEST_SKIP() << "runs in the child that Wine takes for Windows 3.10";
    ASSERT_EQ(3u, LOBYTE(LOWORD(GetVersion())));
    PropertyTree tree;
    HostFixture host;
    ASSERT_TRUE(host.loadLibrary());
    host.sendLoad();
    host.state.focus = FMFOCUS_DIR;
    for (const std::string& entry : tree.selection())
        host.state.selection.push_back({entry});
    const auto refreshes = [&] {
        std::vector<WPARAM> scopes;
        for (const HostMessage& m : host.received())
            if (m.message == FM_REFRESH_WINDOWS)
                scopes.push_back(m.wParam);
        host.clearReceived();
        return scopes;
    };
    const auto before = tree.times();
    Robot robot;

    // Cancel in either dialog: nothing changes and nothing is refreshed.
    robot.onDialog("set fileattributes", [](HWND d) {
        Robot::click(d, 218);
        Robot::click(d, IDCANCEL);
        return true;
    });
    host.clearReceived();
    host.call(19);
    EXPECT_EQ(std::vector<WPARAM>(), refreshes());
    tree.expectAttributes(PropertyTree::kAsCreated);

    // Minute 60 passes the extension's field checks and is then refused as a
    // time that does not exist; the user cancels.
    std::string message;
    robot.onDialog("set date/time", [](HWND d) {
        Robot::setItemText(d, 214, "60");
        Robot::click(d, IDOK);
        return true;
    });
    robot.onMessageBox([&](HWND box, const std::string& text, const std::string& caption) {
        message = caption + ": " + text;
        Robot::click(box, IDOK);
    });
    robot.onDialog("set date/time", [](HWND d) {
        if (!IsWindowEnabled(d))
            return false;
        Robot::click(d, IDCANCEL);
        return true;
    });
    host.call(20);
    EXPECT_EQ("korbinen.dll: bitte ein Datum und eine Uhrzeit, die es gibt", message);
    EXPECT_EQ(std::vector<WPARAM>(), refreshes());
    EXPECT_EQ(before, tree.times()) << "no file was touched";

    // Set hidden, clear system and read-only.
    robot.onDialog("set fileattributes", [](HWND d) {
        for (int id : {218, 223, 217})
            SendMessageA(GetDlgItem(d, id), BM_CLICK, 0, 0);
        Robot::click(d, IDOK);
        return true;
    });
    host.call(19);
    EXPECT_EQ(std::vector<WPARAM>({0}), refreshes());
    tree.expectAttributes(H);

    // The dialog's own values: the moment it opened, in universal time.
    std::uint64_t opened = 0;
    robot.onDialog("set date/time", [&](HWND d) {
        opened = universalNow();
        Robot::click(d, IDOK);
        return true;
    });
    const std::uint64_t start = universalNow();
    host.call(20);
    EXPECT_EQ(std::vector<WPARAM>({0}), refreshes());
    EXPECT_TRUE(robot.failures().empty());
    tree.expectTimes(before, start - start % (2 * kSecond), opened);
    host.sendUnload();
}
