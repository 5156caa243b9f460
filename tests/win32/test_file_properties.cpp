// wine-environment: TZ=Europe/Berlin
// The attribute and date tools: both deliverables' dialogs driven by the robot
// (texts, the radio pairs, each refusal with its message), then each tool end
// to end on one real tree: the helper on a selection list, the extension in a
// stand-in File Manager on an old Windows. Wine keeps only read-only, hidden
// and system of a file (hidden and system of a folder), and a read-only file
// opens for writing when the tests run as root: only that is compared.
#include <gtest/gtest.h>

#include <windows.h>
#include <wfext.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "common/filetools/attribute_dialog_win.h"
#include "common/filetools/date_dialog_win.h"
#include "common/filetools/walk_win.h"
#include "common/text/language_win.h"
#include "common/win/deliverable.h"
#include "tests/win32/support/host_fixture.h"
#include "tests/win32/support/old_windows.h"
#include "tests/win32/support/remote_window.h"
#include "tests/win32/support/robot.h"
#include "tests/win32/support/search_tree.h"
#include "tests/win32/support/test_files.h"

using namespace filetools;

namespace {

using Texts = std::vector<std::string>;
using Times = std::array<std::uint64_t, 3>; // creation, last access, last write
constexpr DWORD RO = FILE_ATTRIBUTE_READONLY, H = FILE_ATTRIBUTE_HIDDEN, S = FILE_ATTRIBUTE_SYSTEM, kAsMade = ~0u;
constexpr std::uint64_t kTwoSeconds = 20000000;

std::uint64_t value(const FILETIME& t) {
    return static_cast<std::uint64_t>(t.dwHighDateTime) << 32 | t.dwLowDateTime;
}

std::uint64_t value(const SYSTEMTIME& t) {
    FILETIME f{};
    SystemTimeToFileTime(&t, &f);
    return value(f);
}

// Local minus universal time now, to the minute.
std::int64_t localOffset() {
    SYSTEMTIME local, universal;
    GetLocalTime(&local);
    GetSystemTime(&universal);
    const std::int64_t minute = 600000000, d = value(local) - value(universal);
    return (d + (d < 0 ? -minute : minute) / 2) / minute * minute;
}

// A selected folder with files at three depths, a hidden subfolder and a dot
// file, a selected single file, a missing entry and a file outside.
class PropertyTree {
public:
    PropertyTree() {
        for (const Entry& e : entries_)
            e.folder ? tree_.folder(e.name) : tree_.file(e.name);
        for (const Entry& e : entries_)
            SetFileAttributesA(path(e.name).c_str(), e.attributes);
    }
    std::string path(const std::string& name) const { return tree_.path(name); }
    Texts selection() const { return {path("sel"), path("single.txt"), path("gone.txt")}; }

    // Selected files get `after` (kAsMade: their own); the rest keep theirs.
    void expectAttributes(DWORD after) const {
        for (const Entry& e : entries_)
            EXPECT_EQ(e.selected && after != kAsMade ? after : e.attributes, keptAttributes(e.name)) << e.name;
        EXPECT_FALSE(fileExists(path("gone.txt")));
    }
    DWORD keptAttributes(const std::string& name) const {
        return GetFileAttributesA(path(name).c_str()) & (RO | H | S);
    }
    Times times(const std::string& name) const {
        WIN32_FILE_ATTRIBUTE_DATA d{};
        GetFileAttributesExA(path(name).c_str(), GetFileExInfoStandard, &d);
        return {value(d.ftCreationTime), value(d.ftLastAccessTime), value(d.ftLastWriteTime)};
    }
    std::vector<Times> allTimes() const {
        std::vector<Times> all;
        for (const Entry& e : entries_)
            all.push_back(times(e.name));
        return all;
    }
    // Selected files other than `locked` carry one even second in low..high
    // as all three times; the rest keep the times they had.
    void expectStamp(const std::vector<Times>& before, std::uint64_t low, std::uint64_t high,
                     const std::string& locked = "") const {
        for (std::size_t i = 0; i < entries_.size(); ++i) {
            const Entry& e = entries_[i];
            if (e.folder)
                continue; // walking a folder reads it
            const Times now = times(e.name);
            if (!e.selected || e.name == locked) {
                EXPECT_EQ(before[i], now) << e.name << " keeps its times";
                continue;
            }
            EXPECT_TRUE(now[2] >= low && now[2] <= high && now[2] % kTwoSeconds == 0) << e.name << ": " << now[2];
            EXPECT_EQ(Times({now[2], now[2], now[2]}), now) << e.name;
        }
        EXPECT_FALSE(fileExists(path("gone.txt"))) << "nothing is created";
    }

private:
    struct Entry {
        std::string name;
        bool folder, selected;
        DWORD attributes;
    };
    SearchTree tree_;
    const std::vector<Entry> entries_ = {
        {"sel", true, false, 0},
        {"sel\\a.txt", false, true, H},
        {"sel\\sub", true, false, 0},
        {"sel\\sub\\b.txt", false, true, 0},
        {"sel\\sub\\.dot.txt", false, false, H},
        {"sel\\sub\\deep", true, false, 0},
        {"sel\\sub\\deep\\c.txt", false, true, S},
        {"sel\\hid", true, false, H},
        {"sel\\hid\\e.txt", false, true, RO},
        {"single.txt", false, true, 0},
        {"other.txt", false, false, H},
    };
};

// The helper on a list of the selection with this letter.
std::unique_ptr<ChildProcess> startHelper(const PropertyTree& tree, char letter) {
    std::string list;
    for (const std::string& entry : tree.selection())
        list += entry + "\r\n";
    writeBytes(tree.path("zqk.tmp"), list);
    return std::make_unique<ChildProcess>("\"" + besideTestProgram("quorvinx.exe") + "\" " + letter + " \"" +
                                          tree.path("zqk.tmp") + "\"");
}

struct Side {
    const char* file;
    const DeliverableProfile& profile;
    const AttributeDialogIds& attributes;
    const DateDialogProfile& date;
};
const Side kSides[] = {{"quorvinx.exe", kHelperProfile, kHelperAttributeIds, kHelperDateDialog},
                       {"korbinen.dll", kExtensionProfile, kExtensionAttributeIds, kExtensionDateDialog}};

class Dialogs : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        setDeliverable(side().profile);
        text::chooseLanguage();
        ASSERT_NE(nullptr, useResourcesOf(side().file));
    }
    void TearDown() override { setResourceModule(nullptr); }
    const Side& side() const { return kSides[GetParam()]; }
};

std::string texts(HWND d, std::initializer_list<int> ids) {
    RECT r, desk;
    GetWindowRect(d, &r);
    GetWindowRect(GetDesktopWindow(), &desk);
    std::string all = std::abs(r.left + r.right - desk.right) <= 2 && std::abs(r.top + r.bottom - desk.bottom) <= 2
                          ? "centred"
                          : "off centre";
    for (int id : ids)
        all += "|" + Robot::itemText(d, id);
    return all;
}

} // namespace

TEST_P(Dialogs, AttributePairsCycleAndOkStoresTheirMarks) {
    const AttributeDialogIds& ids = side().attributes;
    const auto marks = [&](HWND d) {
        std::string m;
        for (int a = 0; a < 4; ++a)
            m += Robot::isChecked(d, ids.set[a]) ? 'S' : Robot::isChecked(d, ids.clear[a]) ? 'C' : '.';
        return m;
    };
    // Clicks as attribute (read-only, hidden, system, archive) and button, then the marks shown.
    const char* clicks[][2] = {{"0S", "S..."}, {"0S", "...."}, {"1S", ".S.."}, {"1C", ".C.."}, {"2S", ".CS."},
                               {"3C", ".CSC"}, {"0C", "CCSC"}, {"0C", ".CSC"}, {"3C", ".CS."}, {"3C", ".CSC"}};
    Texts seen, expected = {"...."};
    std::string shown;
    Robot robot;
    robot.onDialog("set fileattributes", [&](HWND d) {
        shown = texts(d, {ids.group[0], ids.group[1], ids.group[2], ids.group[3], ids.set[3], ids.clear[2], IDCANCEL,
                          ids.help, IDOK});
        seen.push_back(marks(d));
        for (const auto& c : clicks) {
            const int a = c[0][0] - '0';
            SendMessageA(GetDlgItem(d, c[0][1] == 'S' ? ids.set[a] : ids.clear[a]), BM_CLICK, 0, 0);
            seen.push_back(marks(d));
            expected.push_back(c[1]);
        }
        Robot::click(d, IDOK);
        return true;
    });
    AttributeChange change;
    ASSERT_TRUE(runAttributeDialog(nullptr, ids, change));
    EXPECT_EQ("centred|Readonly|Hidden|System|Archive|set|clear|&Cancel|&Help|&Ok", shown);
    EXPECT_EQ(expected, seen);
    const PairMark U = PairMark::Untouched, C = PairMark::Clear;
    EXPECT_EQ((std::array<PairMark, 4>{U, C, PairMark::Set, C}), change.marks);

    // Every opening starts untouched; Cancel leaves the change alone.
    robot.onDialog("set fileattributes", [&](HWND d) {
        seen = {marks(d)};
        SendMessageA(GetDlgItem(d, ids.set[0]), BM_CLICK, 0, 0);
        Robot::click(d, IDCANCEL);
        return true;
    });
    EXPECT_FALSE(runAttributeDialog(nullptr, ids, change));
    EXPECT_EQ(Texts{"...."}, seen);
    EXPECT_EQ((std::array<PairMark, 4>{U, C, PairMark::Set, C}), change.marks);
    EXPECT_TRUE(robot.failures().empty());
}

TEST_P(Dialogs, DateDialogRefusesFieldByFieldAndKeepsTheInput) {
    const DateDialogProfile& p = side().date;
    const bool helper = GetParam() == 0;
    const std::string no = helper ? "This date does not exist" : "bitte ein Datum und eine Uhrzeit, die es gibt";
    const std::string between = "Please enter an integer between ";
    // Typed day, month, year, hour, minute, second and each deliverable's answer.
    const struct {
        Texts typed;
        std::string helper, extension;
    } cases[] = {
        {{"x", "6", "2024", "13", "45", "59"}, between + "1 and 31", no},
        {{"32", "6", "2024", "13", "45", "59"}, between + "1 and 31", "bitte Tag < 32"},
        {{"15", "13", "2024", "13", "45", "59"}, between + "1 and 12", "bitte Tag < 13"},
        {{"15", "6", "2108", "13", "45", "59"}, between + "1980 and 2107", "bitte Jahr größer 1979 und kleiner 2108"},
        {{"15", "6", "2024", "24", "45", "59"}, between + "0 and 23", "bitte Stunde < 24"},
        {{"15", "6", "2024", "13", "60", "59"}, between + "0 and 59", no},
        {{"15", "6", "2024", "13", "61", "59"}, between + "0 and 59", "bitte Minute < 61 "},
        {{"15", "6", "2024", "13", "45", "61"}, between + "0 and 59", "bitte Sekunde < 61"},
        {{"31", "2", "2024", "13", "45", "59"}, no, no},
        {{" 29", "2", "2024", "7", "5", "3"}, "", ""}, // valid: OK closes the dialog
    };
    const auto fields = [&](HWND d) {
        std::string all;
        for (int id : p.fields)
            all += Robot::itemText(d, id) + "|";
        return all;
    };
    const auto clock = [] {
        SYSTEMTIME t;
        GetLocalTime(&t);
        char text[64];
        std::snprintf(text, sizeof text, "%d|%d|%d|%02d|%02d|%02d|", t.wDay, t.wMonth, t.wYear, t.wHour, t.wMinute,
                      t.wSecond);
        return std::string(text);
    };
    Texts seen, expected, kept, typed;
    std::string shown, initial, before = clock(), after;
    Robot robot;
    for (const auto& c : cases) {
        robot.onDialog("set date/time", [&](HWND d) {
            if (!IsWindowEnabled(d))
                return false; // the last message box is still closing
            if (shown.empty()) {
                after = clock();
                initial = fields(d);
                shown = texts(d, {p.groups[0], p.groups[1], p.help, IDCANCEL, IDOK});
            } else {
                kept.push_back(fields(d));
            }
            for (int f = 0; f < 6; ++f)
                Robot::setItemText(d, p.fields[f], c.typed[f].c_str());
            typed.push_back(fields(d));
            Robot::click(d, IDOK);
            return true;
        });
        const std::string message = helper ? c.helper : c.extension;
        if (message.empty())
            break;
        expected.push_back((helper ? "Quorvin: " : "korbinen.dll: ") + message);
        robot.onMessageBox([&](HWND box, const std::string& text, const std::string& caption) {
            seen.push_back(caption + ": " + text);
            Robot::click(box, IDOK);
        });
    }
    DosDateTime stamp;
    ASSERT_TRUE(runDateDialog(nullptr, p, stamp));
    EXPECT_TRUE(robot.failures().empty());
    EXPECT_EQ("centred|Date|Time|&Help|&Cancel|OK", shown);
    EXPECT_TRUE(initial == before || initial == after) << initial << " is not the local time " << before;
    EXPECT_EQ(expected, seen);
    typed.pop_back();
    EXPECT_EQ(typed, kept) << "a refused field leaves every field as typed";
    EXPECT_EQ(29 | 2 << 5 | 44 << 9, stamp.date);
    EXPECT_EQ(1 | 5 << 5 | 7 << 11, stamp.time);
}

INSTANTIATE_TEST_SUITE_P(BothDeliverables, Dialogs, ::testing::Values(0, 1),
                         [](const auto& info) { return info.param == 0 ? "Helper" : "Extension"; });

TEST(HelperTools, LetterSixChangesEveryFileBelowTheSelection) {
    PropertyTree tree;
    auto helper = startHelper(tree, '6');
    HWND dialog = waitForWindow(helper->id(), "#32770", "set fileattributes", 15000);
    ASSERT_NE(nullptr, dialog);
    for (int id : {1044, 1047, 1050, IDOK}) // set read-only, clear hidden, set system
        remoteClick(dialog, id);
    ASSERT_TRUE(helper->wait(30000));
    tree.expectAttributes(RO | S);
    EXPECT_FALSE(fileExists(tree.path("zqk.tmp"))) << "the helper removes its list file";
}

TEST(HelperTools, LetterFiveStampsTheTypedMomentInUniversalTimeExceptOnALockedFile) {
    PropertyTree tree;
    HANDLE lock =
        CreateFileA(tree.path("sel\\sub\\b.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    const auto before = tree.allTimes();
    auto helper = startHelper(tree, '5');
    HWND dialog = waitForWindow(helper->id(), "#32770", "set date/time", 15000);
    ASSERT_NE(nullptr, dialog);
    const char* typed[] = {"24", "12", "2025", "13", "45", "59"};
    for (int f = 0; f < 6; ++f)
        SendMessageA(GetDlgItem(dialog, kHelperDateDialog.fields[f]), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(typed[f]));
    remoteClick(dialog, IDOK);
    ASSERT_TRUE(helper->wait(30000));
    CloseHandle(lock);
    const std::int64_t offset = localOffset();
    ASSERT_NE(0, offset) << "the test must run in a time zone other than UTC";
    const std::uint64_t stamp = value(SYSTEMTIME{2025, 12, 0, 24, 13, 45, 58, 0}) - offset;
    tree.expectStamp(before, stamp, stamp, "sel\\sub\\b.txt");
}

TEST(ExtensionTools, RunInsideOnOldWindows) {
    if (inOldWindowsChild())
        GTEST_SKIP() << "this is the child";
    expectOldWindowsChildPasses("ExtensionToolsOldWindows.*");
}

TEST(ExtensionToolsOldWindows, CommandsNineteenAndTwentyChangeTheSelectionAndRefreshWhenConfirmed) {
    if (!inOldWindowsChild())
        GTEST_SKIP() << "runs in the child that Wine takes for Windows 3.10";
    ASSERT_EQ(3u, LOBYTE(LOWORD(GetVersion())));
    PropertyTree tree;
    HostFixture host;
    ASSERT_TRUE(host.loadLibrary());
    host.sendLoad();
    for (const std::string& entry : tree.selection())
        host.state.selection.push_back({entry});
    const auto refreshes = [&](WORD command) {
        host.clearReceived();
        host.call(command);
        std::vector<WPARAM> scopes;
        for (const HostMessage& m : host.received())
            if (m.message == FM_REFRESH_WINDOWS)
                scopes.push_back(m.wParam);
        return scopes;
    };
    const auto before = tree.allTimes();
    std::string message;
    Robot robot;
    robot.onDialog("set fileattributes", [](HWND d) {
        Robot::click(d, 218);
        Robot::click(d, IDCANCEL);
        return true;
    });
    EXPECT_EQ(std::vector<WPARAM>(), refreshes(19)) << "Cancel";
    tree.expectAttributes(kAsMade);

    // Minute 60 passes the extension's field checks, then is refused as a time that does not exist.
    robot.onDialog("set date/time", [](HWND d) {
        Robot::setItemText(d, 214, "60");
        Robot::click(d, IDOK);
        return true;
    });
    robot.onMessageBox([&](HWND box, const std::string& text, const std::string&) {
        message = text;
        Robot::click(box, IDOK);
    });
    robot.onDialog("set date/time", [](HWND d) {
        if (!IsWindowEnabled(d))
            return false;
        Robot::click(d, IDCANCEL);
        return true;
    });
    EXPECT_EQ(std::vector<WPARAM>(), refreshes(20)) << "Cancel";
    EXPECT_EQ("bitte ein Datum und eine Uhrzeit, die es gibt", message);
    EXPECT_EQ(before, tree.allTimes()) << "no file was touched";

    robot.onDialog("set fileattributes", [](HWND d) {
        for (int id : {218, 223, 217}) // set hidden, clear system, clear read-only
            SendMessageA(GetDlgItem(d, id), BM_CLICK, 0, 0);
        Robot::click(d, IDOK);
        return true;
    });
    EXPECT_EQ(std::vector<WPARAM>({0}), refreshes(19));
    tree.expectAttributes(H);

    // The dialog's own values: the moment it opened, in universal time.
    FILETIME start, opened{};
    robot.onDialog("set date/time", [&](HWND d) {
        GetSystemTimeAsFileTime(&opened);
        Robot::click(d, IDOK);
        return true;
    });
    GetSystemTimeAsFileTime(&start);
    EXPECT_EQ(std::vector<WPARAM>({0}), refreshes(20));
    EXPECT_TRUE(robot.failures().empty());
    tree.expectStamp(before, value(start) - value(start) % kTwoSeconds, value(opened));
    host.sendUnload();
}
