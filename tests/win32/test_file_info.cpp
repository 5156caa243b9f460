// The file info commands with the real korbinen.dll in a stand-in File
// Manager, on real trees with real info files: command 10's message boxes,
// command 14's info search window read back item by item, Escape during a
// long search, another InfoFile name, and the unload that closes the window.
#include <gtest/gtest.h>

#include <windows.h>
#include <wfext.h>

#include <cstdlib>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "tests/win32/support/extension_ini.h"
#include "tests/win32/support/host_fixture.h"
#include "tests/win32/support/remote_window.h"
#include "tests/win32/support/robot.h"
#include "tests/win32/support/search_tree.h"

namespace {

using Lines = std::vector<std::string>;

constexpr const char* kSearchTitle = "Find in Fileino";
constexpr const char* kChildVariable = "KORB_INFO_DOT_FILES";

std::string closing(int hits) {
    return "   >>> " + std::to_string(hits) + " occurrence(s) have been found. <<<";
}

struct Box {
    std::string text, caption;
    std::vector<int> buttons; // ids of the visible buttons
};

Box runCommand10(HostFixture& host) {
    Box box;
    Robot robot;
    robot.onMessageBox([&](HWND b, const std::string& text, const std::string& caption) {
        box.text = text;
        box.caption = caption;
        for (int id = IDOK; id <= IDNO; ++id)
            if (HWND button = GetDlgItem(b, id); button != nullptr && IsWindowVisible(button))
                box.buttons.push_back(id);
        Robot::click(b, IDOK);
    });
    host.call(10);
    EXPECT_TRUE(robot.done()) << "no message box came";
    return box;
}

struct WindowSearch {
    HWND owner, found;
};

BOOL CALLBACK matchInfoWindow(HWND w, LPARAM p) {
    auto* search = reinterpret_cast<WindowSearch*>(p);
    char name[32] = "";
    GetClassNameA(w, name, sizeof name);
    if (lstrcmpiA(name, "ListBox") == 0 && GetWindow(w, GW_OWNER) == search->owner && IsWindowVisible(w)) {
        search->found = w;
        return FALSE;
    }
    return TRUE;
}

// The visible info search window owned by `owner`, from any thread.
HWND infoWindow(DWORD thread, HWND owner) {
    WindowSearch search{owner, nullptr};
    EnumThreadWindows(thread, matchInfoWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

struct SearchRun {
    std::string hint, offered;
    HWND window = nullptr;
    Lines items;
    std::string caption;
};

// Command 14 with `typed` in the prompt, or cancelled when typed is nullptr.
SearchRun runCommand14(HostFixture& host, const char* typed) {
    SearchRun run;
    Robot robot;
    robot.onDialog(kSearchTitle, [&](HWND d) {
        run.hint = Robot::itemText(d, 271);
        run.offered = Robot::itemText(d, 113);
        if (typed == nullptr) {
            Robot::click(d, IDCANCEL);
        } else {
            Robot::setItemText(d, 113, typed);
            Robot::click(d, IDOK);
        }
        return true;
    });
    host.call(14);
    EXPECT_TRUE(robot.done()) << "the prompt did not come";
    run.window = infoWindow(GetCurrentThreadId(), host.window());
    if (run.window != nullptr) {
        run.items = listBoxLines(run.window);
        run.caption = Robot::text(run.window);
    }
    return run;
}

HostFixture* loadedHost(HostFixture& host) {
    EXPECT_TRUE(host.loadLibrary());
    EXPECT_TRUE(host.sendLoad());
    return &host;
}

} // namespace

TEST(FileInfo, Command10ShowsTheOneSelectedEntrysDescription) {
    SearchTree tree;
    tree.file("Dir\\ReadMe.txt");
    tree.file("Dir\\Notes.txt");
    tree.file("Dir\\plain.txt");
    tree.folder("Dir\\Sub");
    tree.file("Dir\\korbinex.inf",
              "Files of this folder\r\nREADME.TXT\tfirst line\r\nNOTES.TXT notes\r\n"
              "readme.txt lower case never matches\r\nREADME.TXT second line\r\nSUB\tA folder\r\n");
    ExtensionIniScope ini;
    HostFixture host;
    loadedHost(host);
    const std::string readme = tree.path("Dir\\ReadMe.txt");
    const struct {
        const char* what;
        std::vector<HostEntry> selection;
        std::string text, caption;
    } cases[] = {
        {"two files",
         {{readme}, {tree.path("Dir\\Notes.txt")}},
         "You have more than one file selected !",
         "Filemanager Extension"},
        {"nothing", {}, "You have more than one file selected !", "Filemanager Extension"},
        {"two entry lines", {{readme}}, "first line\nsecond line\n", readme},
        {"no entry", {{tree.path("Dir\\plain.txt")}}, "Sorry, no info available !", tree.path("Dir\\plain.txt")},
        {"a directory, in its parent's info file",
         {{tree.path("Dir\\Sub"), FILE_ATTRIBUTE_DIRECTORY}},
         "A folder\n",
         tree.path("Dir\\Sub")},
    };
    for (const auto& c : cases) {
        host.state.selection = c.selection;
        const Box box = runCommand10(host);
        EXPECT_EQ(c.text, box.text) << c.what;
        EXPECT_EQ(c.caption, box.caption) << c.what;
        EXPECT_EQ(std::vector<int>{IDOK}, box.buttons) << c.what;
    }
}

TEST(FileInfo, Command14ListsTheHitsOfTheTree) {
    SearchTree tree;
    tree.file("korbinex.inf", "README.TXT note one\r\nB.TXT\tNote two\r\nOTHER.TXT nothing\r\nC.TXT notes three\r\n"
                              "H.TXT 5* rating\r\n");
    tree.file("sub\\korbinex.inf", "E.TXT a note\r\nI.TXT choose a|b\r\n");
    tree.folder("empty");
    tree.file(".dot\\korbinex.inf", "F.TXT note\r\n");
    tree.file("hidden\\korbinex.inf", "G.TXT note\r\n");
    tree.file("system\\korbinex.inf", "G.TXT note\r\n");
    SetFileAttributesA(tree.path("hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesA(tree.path("system").c_str(), FILE_ATTRIBUTE_SYSTEM);
    ASSERT_EQ(0x12u, GetFileAttributesA(tree.path("hidden").c_str()));
    ASSERT_EQ(0x14u, GetFileAttributesA(tree.path("system").c_str()));
    ASSERT_TRUE(mapDrive('X', tree.root())) << "drive X could not be mapped onto " << tree.root();

    ExtensionIniScope ini;
    HostFixture host;
    loadedHost(host);
    const std::string r = tree.root();
    const struct {
        std::string start;
        const char* typed;
        Lines items;
    } cases[] = {
        {r,
         "note",
         {r + "\\README.TXT note one", r + "\\B.TXT\tNote two", r + "\\C.TXT notes three", " ",
          r + "\\sub\\E.TXT a note", " ", closing(4)}},
        {r + "\\", "  ", {r + "\\H.TXT 5* rating", " ", closing(1)}}, // empty: a literal "*"
        {r, "A|b", {r + "\\sub\\I.TXT choose a|b", " ", closing(1)}},
        {r, "xyz", {closing(0)}},
        {"X:\\",
         "NOTE",
         {"X:\\README.TXT note one", "X:\\B.TXT\tNote two", "X:\\C.TXT notes three", " ", "X:\\sub\\E.TXT a note", " ",
          closing(4)}},
    };
    HWND previous = nullptr;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.start + " / " + c.typed);
        host.state.currentDirectory = c.start;
        const SearchRun run = runCommand14(host, c.typed);
        ASSERT_NE(nullptr, run.window);
        EXPECT_EQ("", run.hint);
        EXPECT_EQ(c.items, run.items);
        EXPECT_EQ(kSearchTitle, run.caption);
        if (previous != nullptr) {
            EXPECT_FALSE(IsWindow(previous)) << "the earlier window stays";
        }
        previous = run.window;
    }
    unmapDrive('X');

    // The window: a plain top-level list box owned by the File Manager,
    // three quarters of its client width wide.
    const LONG style = GetWindowLongA(previous, GWL_STYLE);
    for (LONG bit : {WS_CAPTION, WS_SYSMENU, WS_THICKFRAME, WS_MINIMIZEBOX, WS_MAXIMIZEBOX, WS_VSCROLL,
                     static_cast<LONG>(LBS_USETABSTOPS)})
        EXPECT_EQ(bit, style & bit) << std::hex << bit;
    EXPECT_EQ(0, style & (LBS_SORT | WS_CHILD));
    RECT client{}, outer{};
    GetClientRect(host.window(), &client);
    GetWindowRect(previous, &outer);
    EXPECT_EQ(client.right / 4 * 3, outer.right - outer.left);

    // Cancel leaves the earlier window alone; unloading closes it.
    const SearchRun cancelled = runCommand14(host, nullptr);
    EXPECT_EQ("NOTE", cancelled.offered) << "the prompt offers the text typed last";
    EXPECT_EQ(previous, cancelled.window);
    host.sendUnload();
    EXPECT_FALSE(IsWindow(previous)) << "the unload left the window open";
}

TEST(FileInfo, EscapeStopsALongSearchAndKeepsItsHits) {
    SearchTree tree;
    constexpr int kFolders = 500;
    for (int i = 0; i < kFolders; ++i)
        tree.file("d" + std::to_string(i) + "\\korbinex.inf", "A.TXT hit " + std::to_string(i) + "\r\n");
    ExtensionIniScope ini;
    HostFixture host;
    loadedHost(host);
    host.state.currentDirectory = tree.root();

    // Another thread watches the caption and presses Escape once 20 folders are done.
    std::string seenCaption;
    const DWORD mainThread = GetCurrentThreadId();
    const HWND hostWindow = host.window();
    std::thread watcher([&] {
        for (const DWORD until = GetTickCount() + 60000; GetTickCount() < until; Sleep(1)) {
            HWND window = infoWindow(mainThread, hostWindow);
            WCHAR caption[100] = L"";
            if (window == nullptr || InternalGetWindowText(window, caption, 100) == 0 || _wtoi(caption) < 20)
                continue;
            char narrow[100] = "";
            WideCharToMultiByte(1252, 0, caption, -1, narrow, sizeof narrow, nullptr, nullptr);
            seenCaption = narrow;
            PostMessageA(hostWindow, WM_KEYDOWN, VK_ESCAPE, 1);
            return;
        }
    });
    const SearchRun run = runCommand14(host, "hit");
    watcher.join();
    EXPECT_TRUE(std::regex_match(seenCaption, std::regex("[0-9]+ Verzeichnisse durchsucht"))) << seenCaption;
    ASSERT_GE(run.items.size(), 3u);
    const int hits = static_cast<int>(run.items.size() - 1) / 2;
    for (int i = 0; i < hits; ++i) {
        EXPECT_TRUE(std::regex_match(run.items[2 * i], std::regex(".*\\\\d[0-9]+\\\\A\\.TXT hit [0-9]+")))
            << run.items[2 * i];
        EXPECT_EQ(" ", run.items[2 * i + 1]);
    }
    EXPECT_GE(hits, 20);
    EXPECT_LT(hits, kFolders) << "Escape did not stop the search";
    EXPECT_EQ(closing(hits), run.items.back());
    EXPECT_EQ(kSearchTitle, run.caption);
    MSG left;
    EXPECT_FALSE(PeekMessageA(&left, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE)) << "the Escape was handed on";
}

TEST(FileInfo, AnotherInfoFileName) {
    SearchTree tree;
    tree.file("a.txt");
    tree.file("korbinex.inf", "A.TXT from korbinex\r\n");
    tree.file("beschr.txt", "A.TXT from beschr\r\n");
    ExtensionIniScope ini;
    writeExtensionIni({"InfoFile=beschr.txt"});
    HostFixture host;
    loadedHost(host);
    host.state.selection = {{tree.path("a.txt")}};
    EXPECT_EQ("from beschr\n", runCommand10(host).text);
    host.state.currentDirectory = tree.root();
    EXPECT_EQ((Lines{tree.path("A.TXT from beschr"), " ", closing(1)}), runCommand14(host, "from").items);
}

// A folder whose name begins with a period is left out for its name: Wine
// reports such names as hidden unless ShowDotFiles is set, which it reads
// when a process starts, so the check runs in a child copy of this program.
TEST(FileInfo, DotFoldersAreLeftOutForTheirName) {
    if (std::getenv(kChildVariable) != nullptr)
        GTEST_SKIP() << "this is the child";
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
              RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine", 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr));
    RegSetValueExA(key, "ShowDotFiles", 0, REG_SZ, reinterpret_cast<const BYTE*>("Y"), 2);
    SetEnvironmentVariableA(kChildVariable, "1");
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, sizeof self);
    ChildProcess child(std::string("\"") + self + "\" --gtest_filter=FileInfoChild.*");
    SetEnvironmentVariableA(kChildVariable, nullptr);
    const bool ended = child.started() && child.wait(120000);
    RegDeleteValueA(key, "ShowDotFiles");
    RegCloseKey(key);
    ASSERT_TRUE(ended) << "the child did not end";
    EXPECT_EQ(0u, child.exitCode()) << "the checks in the child failed (see its output above)";
}

TEST(FileInfoChild, DotFolderIsNotSearched) {
    if (std::getenv(kChildVariable) == nullptr)
        GTEST_SKIP() << "runs in the child that Wine shows dot files to";
    SearchTree tree;
    tree.file(".dot\\korbinex.inf", "F.TXT note\r\n");
    tree.file("plain\\korbinex.inf", "P.TXT note\r\n");
    ASSERT_EQ(0x10u, GetFileAttributesA(tree.path(".dot").c_str())) << "ShowDotFiles is not in effect";
    ExtensionIniScope ini;
    HostFixture host;
    loadedHost(host);
    host.state.currentDirectory = tree.root();
    EXPECT_EQ((Lines{tree.path("plain\\P.TXT note"), " ", closing(1)}), runCommand14(host, "note").items);
}
