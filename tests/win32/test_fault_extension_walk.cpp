// The extension's file tools when the File Manager hands over trouble: files
// deleted or held open by another program after the walk has read their
// folder, names outside the ANSI code page (reported with '?', so "???.txt"
// would match the decoy "abc.txt" as a pattern) and 10,000 selected entries.
// On old Windows the tools run in the extension (checked in a child copy that
// Wine takes for Windows 3.10); on newer Windows the selection goes to the
// helper in its list file.
#include <gtest/gtest.h>

#include <windows.h>
#include "common/win/fm_extension.h"

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "tests/win32/support/helper_run.h"
#include "tests/win32/support/host_fixture.h"
#include "tests/win32/support/old_windows.h"
#include "tests/win32/support/remote_window.h"
#include "tests/win32/support/robot.h"
#include "tests/win32/support/search_tree.h"
#include "tests/win32/support/test_files.h"
#include "tests/win32/support/trouble_files.h"

namespace {

using Lines = std::vector<std::string>;
using Names = std::set<std::string>;

const FILETIME kOld{0x2a0e0000, 0x01c0e2b0}; // in 2001

class Trigger;
Trigger* activeTrigger = nullptr;

// Acts once at a chosen point inside a running tool. FirstPump: when the
// walk asks the File Manager for the first selected entry a message is
// posted, which the walk's own message pump dispatches after the first file
// it handled. ResultDialog: when the result dialog starts, that is after the
// files were collected and before any was compared.
class Trigger {
public:
    enum class At { FirstPump, ResultDialog };

    Trigger(HWND host, At at, std::function<void()> act) : host_(host), at_(at), act_(std::move(act)) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = windowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "FaultTrigger";
        RegisterClassA(&windowClass);
        window_ =
            CreateWindowA("FaultTrigger", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, windowClass.hInstance, nullptr);
        hook_ = SetWindowsHookExA(WH_CALLWNDPROC, sent, nullptr, GetCurrentThreadId());
        activeTrigger = this;
    }
    ~Trigger() {
        activeTrigger = nullptr;
        UnhookWindowsHookEx(hook_);
        DestroyWindow(window_);
    }
    Trigger(const Trigger&) = delete;
    Trigger& operator=(const Trigger&) = delete;
    bool fired() const { return fired_; }

private:
    void fire() {
        if (!fired_) {
            fired_ = true;
            act_();
        }
    }
    static LRESULT CALLBACK sent(int code, WPARAM wParam, LPARAM lParam) {
        const auto* m = reinterpret_cast<const CWPSTRUCT*>(lParam);
        Trigger* t = activeTrigger;
        if (code == HC_ACTION && t != nullptr && !t->fired_) {
            if (t->at_ == At::FirstPump && m->hwnd == t->host_ && m->message == FM_GETFILESELLFN && m->wParam == 0)
                PostMessageA(t->window_, WM_APP, 0, 0);
            else if (t->at_ == At::ResultDialog && m->message == WM_INITDIALOG && GetDlgItem(m->hwnd, 182) != nullptr)
                t->fire();
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_APP && activeTrigger != nullptr)
            activeTrigger->fire();
        return DefWindowProcA(window, message, wParam, lParam);
    }

    HWND host_;
    At at_;
    std::function<void()> act_;
    HWND window_ = nullptr;
    HHOOK hook_ = nullptr;
    bool fired_ = false;
};

void setWriteTime(const std::string& path, const FILETIME& time) {
    HANDLE h = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    SetFileTime(h, nullptr, nullptr, &time);
    CloseHandle(h);
}

bool writtenIn2001(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    return GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) &&
           CompareFileTime(&data.ftLastWriteTime, &kOld) == 0;
}

// The paths at the start of the result lines (up to a TAB), and all lines.
Names linePaths(const Lines& lines) {
    Names paths;
    for (const std::string& line : lines)
        if (line.size() > 3 && line[1] == ':')
            paths.insert(line.substr(0, line.find('\t')));
    return paths;
}

HWND resultDialog() {
    for (HWND d : threadDialogs())
        if (GetDlgItem(d, 182) != nullptr)
            return d;
    return nullptr;
}

// One extension command with its dialogs answered: the prompt gets `typed`,
// the attribute dialog "set read-only", the date dialog its own values; the
// result list is read when the tool has finished.
struct Command {
    int id;
    const char* prompt; // caption of the prompt, nullptr for none
    const char* typed;
};

Lines runCommand(HostFixture& host, const Command& c) {
    Lines lines;
    const Robot::Action readResult = [&](HWND d) {
        if (GetDlgItem(d, 182) == nullptr || !IsWindowVisible(GetDlgItem(d, IDOK)))
            return false;
        lines = listBoxLines(GetDlgItem(d, 182));
        Robot::click(d, IDOK);
        return true;
    };
    Robot robot(60000);
    if (c.prompt != nullptr) {
        robot.onDialog(c.prompt, [&](HWND d) {
            Robot::setItemText(d, 113, c.typed);
            Robot::click(d, IDOK);
            return true;
        });
        robot.onDialog(nullptr, readResult);
    } else if (c.id == 19) {
        robot.onDialog("set fileattributes", [](HWND d) {
            SendMessageA(GetDlgItem(d, 215), BM_CLICK, 0, 0); // set read-only
            Robot::click(d, IDOK);
            return true;
        });
    } else if (c.id == 20) {
        robot.onDialog("set date/time", [](HWND d) {
            Robot::click(d, IDOK);
            return true;
        });
    } else {
        robot.onDialog(nullptr, readResult);
    }
    host.call(static_cast<WORD>(c.id));
    EXPECT_TRUE(robot.done() && robot.failures().empty()) << "command " << c.id << ": a dialog did not come";
    return lines;
}

class FaultExtensionOldWindows : public ::testing::Test {
protected:
    void SetUp() override {
        if (!inOldWindowsChild())
            GTEST_SKIP() << "runs in the child that Wine takes for Windows 3.10";
        ASSERT_EQ(3u, LOBYTE(LOWORD(GetVersion())));
        ASSERT_TRUE(host.loadLibrary());
        host.sendLoad();
        host.state.focus = FMFOCUS_DIR;
    }
    void TearDown() override {
        if (host.library() != nullptr)
            host.sendUnload();
    }
    HostFixture host;
};

// What shows that a tool has handled a file, and so which files are still to come.
enum class Evidence { Line, ReadOnly, Stamped, None };

struct WalkCase {
    Command command;
    Evidence evidence;
};

} // namespace

TEST(FaultExtensionWalk, InProcessPathOnOldWindows) {
    if (inOldWindowsChild())
        GTEST_SKIP() << "this is the child";
    expectOldWindowsChildPasses("FaultExtensionOldWindows.*:-*TenThousand*");
}

TEST(FaultExtensionWalk, TenThousandEntriesInProcessOnOldWindows) {
    if (inOldWindowsChild())
        GTEST_SKIP() << "this is the child";
    expectOldWindowsChildPasses("FaultExtensionOldWindows.*TenThousand*");
}

// A selected folder of twelve files; after the walk has read the folder and
// handled its first file, a third of the others is deleted and a third held
// open without sharing. The tool goes on with the rest and reads nothing it
// cannot open; nothing is made again where a file vanished.
TEST_F(FaultExtensionOldWindows, FilesVanishOrAreLockedAfterTheirFolderWasRead) {
    const WalkCase cases[] = {
        {{16, "Find in files", "needle"}, Evidence::Line}, {{21, "Find filename", "*"}, Evidence::Line},
        {{11, "Add filesize", "*"}, Evidence::None},       {{19, nullptr, nullptr}, Evidence::ReadOnly},
        {{20, nullptr, nullptr}, Evidence::Stamped},
    };
    for (const WalkCase& c : cases) {
        SCOPED_TRACE("command " + std::to_string(c.command.id));
        SearchTree tree;
        Names all;
        std::map<std::string, DWORD> sizeOf;
        for (int i = 1; i <= 12; ++i) {
            const std::string name = "d\\n" + std::to_string(10 + i) + ".txt";
            const std::string bytes = "needle " + name + "\r\n" + std::string(static_cast<std::size_t>(i), 'x');
            ASSERT_TRUE(tree.file(name, bytes));
            setWriteTime(tree.path(name), kOld);
            all.insert(tree.path(name));
            sizeOf[tree.path(name)] = static_cast<DWORD>(bytes.size());
        }
        host.state.selection = {{tree.path("d"), FILE_ATTRIBUTE_DIRECTORY}};
        Names handled, deleted, locked, untouched;
        std::vector<HANDLE> locks;
        Trigger trigger(host.window(), Trigger::At::FirstPump, [&] {
            for (const std::string& path : all) {
                const bool done = c.evidence == Evidence::Line
                                      ? linePaths(listBoxLines(GetDlgItem(resultDialog(), 182))).count(path) > 0
                                  : c.evidence == Evidence::ReadOnly
                                      ? (GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY) != 0
                                  : c.evidence == Evidence::Stamped ? !writtenIn2001(path)
                                                                    : false;
                if (done) {
                    handled.insert(path);
                    continue;
                }
                const std::size_t k = deleted.size() + locked.size() + untouched.size();
                if (k % 3 == 0 && DeleteFileA(path.c_str())) {
                    deleted.insert(path);
                } else if (k % 3 == 1) {
                    locks.push_back(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
                    locked.insert(path);
                } else {
                    untouched.insert(path);
                }
            }
        });
        const Lines lines = runCommand(host, c.command);
        for (HANDLE lock : locks)
            CloseHandle(lock);
        ASSERT_TRUE(trigger.fired());
        EXPECT_EQ(12u, handled.size() + deleted.size() + locked.size() + untouched.size());
        EXPECT_LE(3u, std::min({deleted.size(), locked.size(), untouched.size()})) << "some of each kind";
        if (c.evidence != Evidence::None) {
            EXPECT_EQ(1u, handled.size()) << "the hook point is after the first file";
        }
        Names expected = handled;
        expected.insert(untouched.begin(), untouched.end());
        for (const std::string& path : deleted)
            EXPECT_FALSE(fileExists(path)) << path << " was made again";
        switch (c.command.id) {
        case 16: // nothing can be read from the locked and the vanished files
            EXPECT_EQ(expected, linePaths(lines));
            break;
        case 21: { // the locked files are found; a vanished one at most with what the folder said
            Names found = linePaths(lines);

            expected.insert(locked.begin(), locked.end());
            for (const std::string& path : expected)
                EXPECT_EQ(1u, found.count(path)) << path;
            for (const std::string& path : found)
                EXPECT_EQ(1u, all.count(path)) << path;
            break;
        }
        case 11: { // locked files count (their size needs no reading); vanished ones at most
            ASSERT_EQ(3u, lines.size());
            std::string total = lines[0].substr(lines[0].find('\t') + 1);
            total.erase(std::remove(total.begin(), total.end(), '.'), total.end());
            DWORD lower = 0, upper = 0;
            for (const auto& [path, size] : sizeOf) {
                upper += size;
                lower += deleted.count(path) == 0 ? size : 0;
            }
            EXPECT_LE(lower, std::stoul(total)) << lines[0];
            EXPECT_GE(upper, std::stoul(total)) << lines[0];
            break;
        }
        case 19:
            for (const std::string& path : expected)
                EXPECT_TRUE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY) << path;
            break;
        case 20: // the date needs the file open for writing: a locked file keeps its time
            for (const std::string& path : all) {
                if (deleted.count(path) == 0) {
                    EXPECT_EQ(locked.count(path) != 0, writtenIn2001(path)) << path;
                }
            }
            break;
        }
        for (const std::string& path : all)
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

// Equal files: after the folders were read and before any comparison, one
// file of a pair vanishes and one is held open. The vanished file's line
// holds only its path; the locked file is compared as any other.
TEST_F(FaultExtensionOldWindows, EqualFilesWhenFilesVanishBeforeTheComparison) {
    SearchTree tree;
    for (const char* folder : {"a", "b"})
        for (const char* name : {"x1.txt", "x2.txt", "x3.txt", "x4.txt"})
            ASSERT_TRUE(tree.file(std::string(folder) + "\\" + name, name));
    host.state.selection = {{tree.path("a"), FILE_ATTRIBUTE_DIRECTORY}, {tree.path("b"), FILE_ATTRIBUTE_DIRECTORY}};
    HANDLE lock = INVALID_HANDLE_VALUE;
    Trigger trigger(host.window(), Trigger::At::ResultDialog, [&] {
        DeleteFileA(tree.path("b\\x2.txt").c_str());
        lock = CreateFileA(tree.path("a\\x3.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    });
    const Lines lines = runCommand(host, {17, nullptr, nullptr});
    CloseHandle(lock);
    ASSERT_TRUE(trigger.fired());
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);
    // Four groups of a head and two lines each.
    ASSERT_EQ(12u, lines.size()) << testing::PrintToString(lines);
    for (std::size_t at = 0; at + 2 < lines.size(); at += 3) {
        const std::string& head = lines[at];
        SCOPED_TRACE(head);
        EXPECT_EQ("\t" + tree.path("a\\" + head) + "\t", lines[at + 1].substr(0, tree.path("a\\" + head).size() + 2));
        if (head == "x2.txt") {
            EXPECT_EQ("\t" + tree.path("b\\x2.txt"), lines[at + 2]) << "the vanished file: its path alone";
        } else {
            EXPECT_EQ("\t" + tree.path("b\\" + head) + "\t",
                      lines[at + 2].substr(0, tree.path("b\\" + head).size() + 2));
        }
    }
}

// Names outside the code page, as the File Manager reports them ("???.txt"),
// beside a plain file and an entry that no longer exists: every tool passes
// over them and never reaches the decoys those names match as patterns.
TEST_F(FaultExtensionOldWindows, NamesOutsideTheCodePageNeverReachADecoy) {
    SearchTree tree;
    const std::string plain = tree.path("plain.txt"), decoys[] = {tree.path("u\\abc.txt"), tree.path("u\\ab.txt")};
    ASSERT_TRUE(tree.file("plain.txt", "NEEDLE plain\r\n"));
    ASSERT_TRUE(tree.file("u\\abc.txt", "DECOY three\r\n"));
    ASSERT_TRUE(tree.file("u\\ab.txt", "DECOY two\r\n"));
    const Lines reported = makeNamesOutsideTheCodePage(tree.path("u"), "NEEDLE unicode\r\n");
    ASSERT_EQ(3u, reported.size()) << "the platform reports names outside the code page with '?'";
    host.state.selection.clear();
    for (const std::string& entry : reported)
        host.state.selection.push_back({entry});
    host.state.selection.push_back({plain});
    host.state.selection.push_back({tree.path("vanished.txt")});
    const Command commands[] = {{16, "Find in files", "NEEDLE|DECOY"},
                                {17, nullptr, nullptr},
                                {11, "Add filesize", "*"},
                                {19, nullptr, nullptr},
                                {20, nullptr, nullptr},
                                {21, "Find filename", "*"}};
    for (const Command& c : commands) {
        SCOPED_TRACE("command " + std::to_string(c.id));
        for (const std::string& path : {plain, decoys[0], decoys[1]}) {
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            setWriteTime(path, kOld);
        }
        const Lines lines = runCommand(host, c);
        for (const std::string& decoy : decoys) {
            EXPECT_EQ(0u, GetFileAttributesA(decoy.c_str()) & 0x07) << decoy;
            EXPECT_TRUE(writtenIn2001(decoy)) << decoy;
        }
        for (const std::string& line : lines)
            EXPECT_TRUE(line.find("DECOY") == line.npos && line.find("\\ab") == line.npos) << line;
        switch (c.id) {
        case 16:
            EXPECT_EQ((Lines{plain + "\tNEEDLE plain", " "}), lines);
            break;
        case 17:
            EXPECT_EQ(Lines{}, lines);
            break;
        case 11:
            ASSERT_FALSE(lines.empty());
            EXPECT_EQ("Byte:\t14", lines[0]);
            break;
        case 19:
            EXPECT_TRUE(GetFileAttributesA(plain.c_str()) & FILE_ATTRIBUTE_READONLY);
            break;
        case 20:
            EXPECT_FALSE(writtenIn2001(plain));
            break;
        case 21: // no line for a file that cannot be reached
            EXPECT_EQ(Names{plain}, linePaths(lines)) << testing::PrintToString(lines);
            break;
        }
    }
    SetFileAttributesA(plain.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// 10,000 selected files, 5,000 equal pairs: equal files and the file-name
// search inside the extension see every one.
TEST_F(FaultExtensionOldWindows, TenThousandSelectedEntries) {
    SearchTree tree;
    const Lines entries = makeEqualPairsOnHost(tree.root(), 5000);
    ASSERT_EQ(10000u, entries.size());
    host.state.selection.clear();
    for (const std::string& entry : entries)
        host.state.selection.push_back({entry});
    const Lines equal = runCommand(host, {17, nullptr, nullptr});
    EXPECT_EQ(15000u, equal.size()) << "5,000 heads with two lines each";
    const Lines found = runCommand(host, {21, "Find filename", "*"});
    EXPECT_EQ(10000u, linePaths(found).size());
}

// Newer Windows: the whole selection, 10,000 files and the names with '?'
// among them, goes to the helper in its list file, which finds every file
// that exists and no decoy.
TEST(FaultExtensionWalk, TenThousandEntriesAndForeignNamesGoToTheHelper) {
    SearchTree tree;
    Lines entries = makeEqualPairsOnHost(tree.root(), 5000);
    ASSERT_EQ(10000u, entries.size());
    ASSERT_TRUE(tree.file("u\\abc.txt", "DECOY three\r\n"));
    ASSERT_TRUE(tree.file("u\\ab.txt", "DECOY two\r\n"));
    const Lines reported = makeNamesOutsideTheCodePage(tree.path("u"), "x");
    ASSERT_EQ(3u, reported.size());
    entries.insert(entries.begin() + 5000, reported.begin(), reported.end());
    TempDirectory dir("flx");
    char previous[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof previous, previous);
    SetCurrentDirectoryA(dir.path().c_str());
    HostFixture host;
    ASSERT_TRUE(host.loadLibrary());
    host.state.focus = FMFOCUS_DIR;
    std::string expectedList;
    for (const std::string& entry : entries) {
        host.state.selection.push_back({entry});
        expectedList += entry + "\r\n";
    }
    host.call(21);
    SetCurrentDirectoryA(previous);
    const HWND prompt = waitForWindow(0, "#32770", "Find filename", 15000);
    ASSERT_NE(nullptr, prompt);
    const Lines lists = filesMatching(dir.path(), "zqk*.tmp");
    ASSERT_EQ(1u, lists.size());
    EXPECT_TRUE(expectedList == readBytes(dir.file(lists[0]))) << "the list file holds the selection whole";
    SendMessageA(GetDlgItem(prompt, 110), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("*"));
    remoteClick(prompt, IDOK);
    const HWND result = waitForWindow(0, "#32770", "searchresult - (Find filename '*')", 60000);
    ASSERT_NE(nullptr, result);
    ASSERT_TRUE(waitForResultFinished(result, 120000));
    std::string count = remoteText(GetDlgItem(result, 1027));
    count.erase(std::remove(count.begin(), count.end(), '.'), count.end());
    EXPECT_EQ("10000", count);
    // Asked of the list by prefix: reading 10,000 lines across processes takes minutes.
    const HWND list = GetDlgItem(result, 1025);
    EXPECT_NE(LB_ERR, SendMessageA(list, LB_FINDSTRING, static_cast<WPARAM>(-1),
                                   reinterpret_cast<LPARAM>(entries.back().c_str())));
    EXPECT_EQ(LB_ERR, SendMessageA(list, LB_FINDSTRING, static_cast<WPARAM>(-1),
                                   reinterpret_cast<LPARAM>(tree.path("u\\ab").c_str())))
        << "a decoy was found";
    remoteClick(result, IDOK);
    for (int i = 0; i < 300 && fileExists(dir.file(lists[0])); ++i)
        Sleep(50);
    EXPECT_FALSE(fileExists(dir.file(lists[0]))) << "the helper ended and removed its list";
}
