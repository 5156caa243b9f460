// The helper's six file tools over a tree full of trouble: a file locked by
// another process, an entry that no longer exists, names outside the ANSI code
// page (which the platform reports with '?', so "???.txt" would match the
// decoy "abc.txt" as a pattern), paths of 259, 260 and 300 characters, a
// folder too deep to enumerate, and list entries longer than 259 characters.
// Every tool must end normally, act on the files it can reach and never on a
// decoy. And a walk goes on when files and folders vanish under it.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "common/filetools/walk_win.h"
#include "tests/win32/support/helper_run.h"
#include "tests/win32/support/remote_window.h"
#include "tests/win32/support/search_tree.h"
#include "tests/win32/support/test_files.h"
#include "tests/win32/support/trouble_files.h"

namespace {

using Lines = std::vector<std::string>;

struct FileMark {
    DWORD attributes;
    FILETIME written;
    std::string bytes;
    bool operator==(const FileMark& o) const {
        return attributes == o.attributes && CompareFileTime(&written, &o.written) == 0 && bytes == o.bytes;
    }
};

FileMark markOf(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return {data.dwFileAttributes, data.ftLastWriteTime, readBytes(path)};
}

// The trouble tree: `plain` is what every tool reaches, the decoys are what no
// tool may touch through another file's name.
struct TroubleTree {
    SearchTree tree;
    std::string plain, locked, decoyThree, decoyTwo, path259, path260, path300, deepFile;
    Lines questionEntries; // the non-ANSI names as the platform reports them

    TroubleTree() {
        plain = tree.path("plain.txt");
        locked = tree.path("locked.txt");
        decoyThree = tree.path("u\\abc.txt");
        decoyTwo = tree.path("u\\ab.txt");
        tree.file("plain.txt", "NEEDLE plain\r\n");
        tree.file("locked.txt", "NEEDLE locked\r\n");
        tree.file("u\\abc.txt", "DECOY three\r\n");
        tree.file("u\\ab.txt", "DECOY two\r\n");
        questionEntries = makeNamesOutsideTheCodePage(tree.path("u"), "NEEDLE unicode\r\n");
        const FILETIME old{0x2a0e0000, 0x01c0e2b0}; // in 2001
        for (const std::string& decoy : {decoyThree, decoyTwo}) {
            HANDLE h = CreateFileA(decoy.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
            SetFileTime(h, nullptr, nullptr, &old);
            CloseHandle(h);
        }
        // A folder of 200 characters holds files whose paths have 259, 260 and 300.
        const std::string dir = tree.path("L\\") + std::string(197 - tree.root().size(), 'd');
        path259 = dir + "\\" + std::string(254 - dir.size(), 'a') + ".txt";
        path260 = dir + "\\" + std::string(255 - dir.size(), 'b') + ".txt";
        path300 = dir + "\\" + std::string(295 - dir.size(), 'c') + ".txt";
        deepFile = dir + "\\" + std::string(61, 'e') + "\\deep.txt";
        for (const std::string& p : {path259, path260, path300, deepFile})
            makeFileW(wideOf(p), "NEEDLE long\r\n");
    }
};

struct HelperRun {
    bool ended = false;
    DWORD exitCode = 0;
    Lines seen;        // captions of the dialogs answered, "caption: text" of message boxes
    Lines resultLines; // the result list when it finished
};

// Starts the helper with letter on the list and answers whatever it shows:
// the prompt (search text typed, and for the attributes read-only and system
// set), message boxes with OK or Yes, the finished result with OK.
HelperRun driveHelper(char letter, const std::string& list, const char* searchText) {
    ChildProcess helper(helperCommand(std::string(1, letter) + " \"" + list + "\""));
    HelperRun run;
    std::map<HWND, DWORD> answered;
    const DWORD start = GetTickCount();
    while (helper.started() && GetTickCount() - start < 60000) {
        if (helper.wait(100)) {
            run.ended = true;
            run.exitCode = helper.exitCode();
            break;
        }
        for (HWND w : processWindows(helper.id())) {
            if (answered.count(w) != 0 && GetTickCount() - answered[w] < 2000)
                continue;
            const std::string caption = remoteText(w);
            HWND ok = GetDlgItem(w, IDOK);
            if (caption == "Quorvin") { // a message box
                run.seen.push_back(caption + ": " + remoteText(GetDlgItem(w, 0xFFFF)));
                remoteClick(w, ok != nullptr ? IDOK : IDYES);
            } else if (ok != nullptr && IsWindowVisible(ok) && IsWindowEnabled(ok)) {
                if (HWND edit = GetDlgItem(w, 110); edit != nullptr && searchText != nullptr)
                    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(searchText));
                if (caption == "set fileattributes")
                    for (int id : {1044, 1050}) // set read-only, set system
                        remoteClick(w, id);
                if (HWND box = GetDlgItem(w, 1025); box != nullptr)
                    run.resultLines = remoteListBoxItems(box);
                run.seen.push_back(caption);
                remoteClick(w, IDOK);
            } else {
                continue;
            }
            answered[w] = GetTickCount();
        }
    }
    if (!run.ended)
        helper.kill();
    return run;
}

bool mentions(const Lines& lines, const std::string& what) {
    return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return l.find(what) != l.npos; });
}

} // namespace

TEST(FaultHelperTools, EveryToolPassesOverTroubleAndNeverActsOnADecoy) {
    TroubleTree t;
    ASSERT_EQ(3u, t.questionEntries.size()) << "the platform reports names outside the code page with '?'";
    ASSERT_TRUE(fileExists(t.path259));
    HANDLE lock = CreateFileA(t.locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);
    TempDirectory lists("flt");
    const std::string list = lists.file("zqkfault.tmp");

    // Selections: the '?' names beside the plain file, the locked file, a
    // vanished file and entries too long for a path; then the whole tree.
    Lines entries = t.questionEntries;
    entries.insert(entries.end(), {t.plain, t.locked, t.tree.path("vanished.txt"), t.path260, t.path300,
                                   t.tree.root() + "\\" + std::string(400, 'z')});
    const struct {
        char letter;
        const char* searchText;
        const char* plainShows; // in the result lines of the selection run ("" no result list)
    } tools[] = {
        {'1', "NEEDLE|DECOY", "NEEDLE plain"},
        {'2', nullptr, ""},
        {'3', "*", ""},
        {'4', "*", "plain.txt"},
        {'5', nullptr, ""},
        {'6', nullptr, ""},
    };
    for (const auto& tool : tools) {
        for (const bool wholeTree : {false, true}) {
            const std::string what =
                std::string("letter ") + tool.letter + (wholeTree ? " on the tree" : " on entries");
            ASSERT_TRUE(writeListFile(list, wholeTree ? Lines{t.tree.root()} : entries)) << what;
            // The runs on the whole tree may change the decoys; those on the entries never.
            const FileMark decoyThree = markOf(t.decoyThree), decoyTwo = markOf(t.decoyTwo);
            const HelperRun run = driveHelper(tool.letter, list, tool.searchText);
            EXPECT_TRUE(run.ended) << what << ": still running after a minute";
            EXPECT_EQ(0u, run.exitCode) << what << testing::PrintToString(run.seen);
            EXPECT_FALSE(mentions(run.resultLines, "NEEDLE locked")) << what << ": nothing read from the locked file";
            if (!wholeTree) {
                EXPECT_EQ(decoyThree, markOf(t.decoyThree)) << what;
                EXPECT_EQ(decoyTwo, markOf(t.decoyTwo)) << what;
                EXPECT_FALSE(mentions(run.resultLines, "DECOY") || mentions(run.resultLines, "\\ab")) << what;
                if (*tool.plainShows != '\0') {
                    EXPECT_TRUE(mentions(run.resultLines, tool.plainShows)) << what;
                }
            }
            if (tool.letter == '1' && wholeTree) {
                // Hits come from the files that can be read, and each under its own name.
                Lines hits = run.resultLines;
                hits.erase(std::remove(hits.begin(), hits.end(), " "), hits.end());
                std::sort(hits.begin(), hits.end());
                Lines expected = {t.path259 + "\tNEEDLE long", t.plain + "\tNEEDLE plain", t.decoyTwo + "\tDECOY two",
                                  t.decoyThree + "\tDECOY three"};
                std::sort(expected.begin(), expected.end());
                EXPECT_EQ(expected, hits);
            }
        }
    }
    CloseHandle(lock);
    EXPECT_EQ("NEEDLE locked\r\n", readBytes(t.locked));
    EXPECT_EQ(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM, GetFileAttributesA(t.plain.c_str()) & 0x7)
        << "letter 6 ran";
}

// Files and folders deleted while the walk is under way: the walk goes on
// with the rest, and hands each vanished file over at most once.
TEST(FaultHelperTools, WalkGoesOnWhenFilesVanish) {
    for (const auto order : {filetools::WalkOrder::FilesFirst, filetools::WalkOrder::Interleaved}) {
        SearchTree tree;
        for (int i = 0; i < 40; ++i)
            tree.file("f" + std::to_string(100 + i) + ".txt");
        for (int i = 0; i < 5; ++i)
            tree.file("d" + std::to_string(i) + "\\inner.txt");
        std::map<std::string, int> visits;
        std::string root = tree.root();
        filetools::CancelFlag cancel;
        filetools::walkPath(root, order, cancel, [&](const std::string& path, const filetools::FileStatus*) {
            if (++visits[path] == 1 && visits.size() == 3) {
                // Gone under the walk: every other file, and two folders.
                for (int i = 1; i < 40; i += 2)
                    DeleteFileA(tree.path("f" + std::to_string(100 + i) + ".txt").c_str());
                removeTree(tree.path("d1"));
                removeTree(tree.path("d3"));
            }
            return 0;
        });
        int kept = 0;
        for (const auto& [path, count] : visits) {
            EXPECT_EQ(1, count) << path;
            kept += fileExists(path) ? 1 : 0;
        }
        EXPECT_EQ(23, kept) << "20 kept files and 3 folders' files, each visited";
    }
}

// A selection of 10,000 entries: 5,000 names in two folders, each pair equal.
TEST(FaultHelperTools, SelectionOfTenThousandEntries) {
    SearchTree tree;
    const Lines entries = makeEqualPairsOnHost(tree.root(), 5000);
    ASSERT_EQ(10000u, entries.size());
    TempDirectory lists("flt");
    const std::string list = lists.file("zqkmany.tmp");
    const struct {
        char letter;
        const char* searchText;
        const char* caption;
        int counter;          // control holding the count checked
        const char* expected; // its text, points removed
    } cases[] = {{'2', nullptr, "searchresult - (Search for equal files)", 1029, "5000"},
                 {'4', "*", "searchresult - (Find filename '*')", 1027, "10000"}};
    for (const auto& c : cases) {
        ASSERT_TRUE(writeListFile(list, entries));
        ChildProcess helper(helperCommand(std::string(1, c.letter) + " \"" + list + "\""));
        if (c.searchText != nullptr) {
            HWND prompt = waitForWindow(helper.id(), "#32770", nullptr, 15000);
            ASSERT_NE(nullptr, prompt) << c.letter;
            SendMessageA(GetDlgItem(prompt, 110), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.searchText));
            remoteClick(prompt, IDOK);
            for (int i = 0; i < 500 && IsWindow(prompt); ++i)
                Sleep(10);
        }
        HWND result = waitForWindow(helper.id(), "#32770", c.caption, 60000);
        ASSERT_NE(nullptr, result) << c.letter;
        ASSERT_TRUE(waitForResultFinished(result, 120000)) << c.letter;
        std::string count = remoteText(GetDlgItem(result, c.counter));
        count.erase(std::remove(count.begin(), count.end(), '.'), count.end());
        EXPECT_EQ(c.expected, count) << c.letter;
        remoteClick(result, IDOK);
        EXPECT_TRUE(helper.wait(30000)) << c.letter;
        EXPECT_EQ(0u, helper.exitCode()) << c.letter;
    }
}

// Paste if changed onto destinations that cannot be written: held open by
// another program (also read-only), or a folder of the file's name. The line
// says "(Error)", the source and the old destination stay as they were, its
// read-only attribute included.
TEST(FaultHelperTools, PasteOntoDestinationsThatCannotBeWritten) {
    SearchTree source, target;
    const char* names[] = {"locked.txt", "readonly.txt", "folder.txt", "plain.txt"};
    for (const char* name : names) {
        source.file(std::string("S\\") + name, "new source");
        if (std::string(name) == "folder.txt")
            target.folder(std::string("S\\") + name);
        else
            target.file(std::string("S\\") + name, "old",
                        std::string(name) == "readonly.txt" ? FILE_ATTRIBUTE_READONLY : 0);
    }
    const FILETIME old{0x2a0e0000, 0x01c0e2b0}; // in 2001: older than every source
    for (const char* name : names) {
        HANDLE h = CreateFileA(target.path(std::string("S\\") + name).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                               OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        SetFileTime(h, nullptr, nullptr, &old);
        CloseHandle(h);
    }
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    ASSERT_TRUE(writeBytes(std::string(temp) + "quorvinx_copy_files.tmp", source.path("S") + "\r\n"));
    HANDLE locks[2];
    for (int i = 0; i < 2; ++i)
        locks[i] = CreateFileA(target.path(std::string("S\\") + names[i]).c_str(), GENERIC_READ, 0, nullptr,
                               OPEN_EXISTING, 0, nullptr);
    ASSERT_TRUE(writeListFile(target.path("zqkp.tmp"), {target.root()}));
    Lines lines = pasteEveryChangedFile(target.root());
    for (HANDLE lock : locks)
        CloseHandle(lock);
    std::sort(lines.begin(), lines.end());
    Lines expected;
    for (const char* name : names)
        expected.push_back(std::string(" ") + (std::string(name) == "plain.txt" ? "(copied)" : "(Error) ") + " " +
                           source.path(std::string("S\\") + name) + "\t--> " + target.path(std::string("S\\") + name));
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(expected, lines);
    EXPECT_EQ("old", readBytes(target.path("S\\locked.txt")));
    EXPECT_EQ("old", readBytes(target.path("S\\readonly.txt")));
    EXPECT_EQ(FILE_ATTRIBUTE_READONLY,
              GetFileAttributesA(target.path("S\\readonly.txt").c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(GetFileAttributesA(target.path("S\\folder.txt").c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ("new source", readBytes(target.path("S\\plain.txt")));
    for (const char* name : names)
        EXPECT_EQ("new source", readBytes(source.path(std::string("S\\") + name))) << name;
    SetFileAttributesA(target.path("S\\readonly.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
}
