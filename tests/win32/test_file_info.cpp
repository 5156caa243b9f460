// The file info commands with the real korbinen.dll in a stand-in File
// Manager, on real trees with real info files: command 10's message boxes,
// the info search window of command 14 read back item by item, Escape during
// a long search, another InfoFile name, and the unload that closes the window.
#include <gtest/gtest.h>

#include <windows.h>

#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "tests/win32/support/extension_ini.h"
#include "tests/win32/support/host_fixture.h"
#include "tests/win32/support/robot.h"
#include "tests/win32/support/search_tree.h"

namespace {

using Lines = std::vector<std::string>;
constexpr const char* kSearchTitle = "Find in Fileino";

std::string closing(int hits) {
    return "   >>> " + std::to_string(hits) + " occurrence(s) have been found. <<<";
}

// "text|caption|visible button ids" of the box command 10 shows.
std::string command10(HostFixture& host, std::vector<HostEntry> selection) {
    host.state.selection = std::move(selection);
    std::string seen = "(no box)";
    Robot robot;
    robot.onMessageBox([&](HWND box, const std::string& text, const std::string& caption) {
        seen = text + "|" + caption + "|";
        for (int id = IDOK; id <= IDNO; ++id)
            if (IsWindowVisible(GetDlgItem(box, id)))
                seen += std::to_string(id);
        Robot::click(box, IDOK);
    });
    host.call(10);
    return seen;
}

// The visible list box window that `owner` owns, looked for from any thread.
HWND infoWindow(HWND owner) {
    for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, "ListBox", nullptr)) != nullptr;)
        if (GetWindow(w, GW_OWNER) == owner && IsWindowVisible(w))
            return w;
    return nullptr;
}

// Command 14 with `typed` in the prompt (nullptr: Cancel); the window's items,
// its caption last.
Lines command14(HostFixture& host, const char* typed, std::string* offered = nullptr) {
    Robot robot;
    robot.onDialog(kSearchTitle, [&](HWND d) {
        EXPECT_EQ("", Robot::itemText(d, 271)) << "the hint line";
        if (offered != nullptr)
            *offered = Robot::itemText(d, 113);
        if (typed != nullptr)
            Robot::setItemText(d, 113, typed);
        Robot::click(d, typed != nullptr ? IDOK : IDCANCEL);
        return true;
    });
    host.call(14);
    EXPECT_TRUE(robot.done()) << "the prompt did not come";
    const HWND window = infoWindow(host.window());
    Lines items = window ? listBoxLines(window) : Lines{"(no window)"};
    items.push_back(window ? Robot::text(window) : "");
    return items;
}

} // namespace

TEST(FileInfo, Command10ShowsTheDescriptionOfOneEntry) {
    SearchTree tree;
    tree.folder("Dir\\Sub");
    for (const char* name : {"Dir\\ReadMe.txt", "Dir\\Notes.txt", "Dir\\plain.txt", "a.txt"})
        tree.file(name);
    tree.file("Dir\\korbinex.inf", "Files here\r\nREADME.TXT\tfirst line\r\nNOTES.TXT notes\r\n"
                                   "readme.txt never\r\nREADME.TXT second line\r\nSUB\tA folder\r\n");
    tree.file("korbinex.inf", "A.TXT from korbinex\r\n");
    tree.file("beschr.txt", "A.TXT from beschr\r\n");
    const std::string readme = tree.path("Dir\\ReadMe.txt"), plain = tree.path("Dir\\plain.txt");
    const std::string sub = tree.path("Dir\\Sub");
    ExtensionIniScope ini;
    {
        HostFixture host;
        ASSERT_TRUE(host.loadLibrary() && host.sendLoad());
        const std::string notOne = "You have more than one file selected !|Filemanager Extension|1";
        EXPECT_EQ(notOne, command10(host, {{readme}, {tree.path("Dir\\Notes.txt")}}));
        EXPECT_EQ(notOne, command10(host, {}));
        EXPECT_EQ("first line\nsecond line\n|" + readme + "|1", command10(host, {{readme}}));
        EXPECT_EQ("Sorry, no info available !|" + plain + "|1", command10(host, {{plain}}));
        EXPECT_EQ("A folder\n|" + sub + "|1", command10(host, {{sub, FILE_ATTRIBUTE_DIRECTORY}}));
        EXPECT_EQ("from korbinex\n|" + tree.path("a.txt") + "|1", command10(host, {{tree.path("a.txt")}}));
    }
    writeExtensionIni({"InfoFile=beschr.txt"});
    HostFixture host;
    ASSERT_TRUE(host.loadLibrary() && host.sendLoad());
    EXPECT_EQ("from beschr\n|" + tree.path("a.txt") + "|1", command10(host, {{tree.path("a.txt")}}));
    host.state.currentDirectory = tree.root();
    EXPECT_EQ((Lines{tree.path("A.TXT from beschr"), " ", closing(1), kSearchTitle}), command14(host, "from"));
}

TEST(FileInfo, Command14ListsTheHitsOfTheTree) {
    SearchTree tree;
    tree.file("korbinex.inf", "README.TXT note one\r\nB.TXT\tNote two\r\nOTHER.TXT nothing\r\n"
                              "C.TXT notes three\r\nH.TXT 5* rating\r\n");
    tree.file("sub\\korbinex.inf", "E.TXT a note\r\nI.TXT choose a|b\r\n");
    tree.folder("empty");
    // Wine shows ".dot" as hidden; the period rule itself is checked natively.
    for (const char* name : {".dot", "hidden", "system"})
        tree.file(std::string(name) + "\\korbinex.inf", "G.TXT note\r\n");
    SetFileAttributesA(tree.path("hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesA(tree.path("system").c_str(), FILE_ATTRIBUTE_SYSTEM);
    ASSERT_EQ(0x14u, GetFileAttributesA(tree.path("system").c_str()));
    ASSERT_TRUE(mapDrive('X', tree.root()));
    ExtensionIniScope ini;
    HostFixture host;
    ASSERT_TRUE(host.loadLibrary() && host.sendLoad());
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
    for (auto c : cases) {
        host.state.currentDirectory = c.start;
        c.items.push_back(kSearchTitle);
        EXPECT_EQ(c.items, command14(host, c.typed)) << c.start << " " << c.typed;
        EXPECT_FALSE(previous != nullptr && IsWindow(previous)) << "the earlier window stays";
        previous = infoWindow(host.window());
    }
    unmapDrive('X');
    const LONG style = GetWindowLongA(previous, GWL_STYLE);
    // The scroll bar (and its style bit) shows only on a full list: see the Escape test.
    const LONG wanted = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | LBS_USETABSTOPS;
    EXPECT_EQ(wanted, style & (wanted | LBS_SORT | WS_CHILD)) << std::hex << style;
    RECT client{}, outer{};
    GetClientRect(host.window(), &client);
    GetWindowRect(previous, &outer);
    EXPECT_EQ(client.right / 4 * 3, outer.right - outer.left);

    // Cancel leaves the window alone; unloading closes it.
    std::string offered;
    command14(host, nullptr, &offered);
    EXPECT_EQ("NOTE", offered);
    EXPECT_EQ(previous, infoWindow(host.window()));
    host.sendUnload();
    EXPECT_FALSE(IsWindow(previous));
}

TEST(FileInfo, EscapeStopsALongSearchAndKeepsItsHits) {
    SearchTree tree;
    constexpr int kFolders = 500;
    for (int i = 0; i < kFolders; ++i)
        tree.file("d" + std::to_string(i) + "\\korbinex.inf", "A.TXT hit\r\n");
    ExtensionIniScope ini;
    HostFixture host;
    ASSERT_TRUE(host.loadLibrary() && host.sendLoad());
    host.state.currentDirectory = tree.root();
    // Another thread presses Escape once the caption counts 20 folders.
    std::string seenCaption;
    std::thread watcher([&, owner = host.window()] {
        for (const DWORD until = GetTickCount() + 60000; GetTickCount() < until; Sleep(1)) {
            WCHAR caption[100] = L"";
            const HWND window = infoWindow(owner);
            if (window != nullptr && InternalGetWindowText(window, caption, 100) > 0 && _wtoi(caption) >= 20) {
                seenCaption.assign(caption, caption + lstrlenW(caption));
                PostMessageA(owner, WM_KEYDOWN, VK_ESCAPE, 1);
                return;
            }
        }
    });
    const Lines items = command14(host, "hit");
    watcher.join();
    EXPECT_TRUE(std::regex_match(seenCaption, std::regex("[0-9]+ Verzeichnisse durchsucht"))) << seenCaption;
    const int hits = static_cast<int>(items.size() - 2) / 2;
    EXPECT_GE(hits, 19) << "the start folder counts, and has no hits";
    EXPECT_LT(hits, kFolders) << "Escape did not stop the search";
    for (int i = 0; i < hits; ++i)
        EXPECT_TRUE(std::regex_match(items[2 * i] + items[2 * i + 1], std::regex(".*\\\\d[0-9]+\\\\A\\.TXT hit ")));
    EXPECT_EQ((Lines{closing(hits), kSearchTitle}), Lines(items.end() - 2, items.end()));
    EXPECT_TRUE(GetWindowLongA(infoWindow(host.window()), GWL_STYLE) & WS_VSCROLL);
    MSG left;
    EXPECT_FALSE(PeekMessageA(&left, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE)) << "the Escape was handed on";
}
