// The result dialog and the search prompts on the real platform: content
// search over real files with bad contents, the counters, "<" and "<<", OK
// and the clipboard, the controls per mode, and what the prompts remember.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "common/filetools/content_search_win.h"
#include "common/filetools/equal_files_win.h"
#include "common/filetools/file_lines_win.h"
#include "common/filetools/search_prompt_win.h"
#include "common/text/language_win.h"
#include "common/win/deliverable.h"
#include "tests/win32/support/helper_run.h"
#include "tests/win32/support/robot.h"
#include "tests/win32/support/search_tree.h"

using namespace filetools;

namespace {

using Lines = std::vector<std::string>;

class ResultDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        setDeliverable(kHelperProfile);
        text::chooseLanguage();
        ASSERT_NE(nullptr, useResourcesOf("quorvinx.exe"));
        searchState() = SearchState{};
    }
    void TearDown() override { setResourceModule(nullptr); }
};

// The whole CF_TEXT block, past the text's end too, as other programs may read it.
std::string clipboardBlock() {
    std::string bytes = "(no text)";
    if (!OpenClipboard(nullptr))
        return "(clipboard not open)";
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* p = static_cast<const char*>(GlobalLock(data))) {
            bytes.assign(p, GlobalSize(data));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return bytes;
}

void setClipboard(const std::string& text) {
    putClipboardText(nullptr, text);
}

// What the finished dialog showed, and what the robot then did.
struct Seen {
    std::string caption;
    Lines lines;
    std::string searched, hits, withHits;
    bool progressVisible = false, removeVisible = false, compactVisible = false, withHitsVisible = false;
    long extent = 0, clientWidth = 0;
};

// Runs the dialog to its end; `after` acts on the finished dialog (the
// default presses OK). Returns what the finished dialog showed.
Seen runToTheEnd(ResultDialog& dialog, std::function<void(HWND)> after = nullptr) {
    Seen seen;
    Robot robot;
    robot.onDialog(nullptr, [&](HWND d) {
        if (!IsWindowVisible(GetDlgItem(d, IDOK)))
            return false;
        seen.caption = Robot::text(d);
        seen.lines = listBoxLines(GetDlgItem(d, 1025));
        seen.searched = Robot::itemText(d, 1026);
        seen.hits = Robot::itemText(d, 1027);
        seen.withHits = Robot::itemText(d, 1029);
        seen.progressVisible = IsWindowVisible(GetDlgItem(d, 1000));
        seen.removeVisible = IsWindowVisible(GetDlgItem(d, 1031));
        seen.compactVisible = IsWindowVisible(GetDlgItem(d, 1030));
        seen.withHitsVisible = IsWindowVisible(GetDlgItem(d, 1029));
        seen.extent = static_cast<long>(SendDlgItemMessageA(d, 1025, LB_GETHORIZONTALEXTENT, 0, 0));
        RECT client;
        GetClientRect(GetDlgItem(d, 1025), &client);
        seen.clientWidth = client.right;
        if (after)
            after(d);
        else
            Robot::click(d, IDOK);
        return true;
    });
    dialog.run(nullptr);
    EXPECT_TRUE(robot.failures().empty());
    return seen;
}

// Runs a dialog whose tool searches the given files for the search text;
// `after` acts on the finished dialog (the default presses OK).
Seen runSearch(ResultMode mode, const std::string& search, const Lines& files,
               std::function<void(HWND)> after = nullptr) {
    SearchState& state = searchState();
    state.searchText = upperCase(search);
    state.searchPatterns = splitPatterns(state.searchText);
    const PieceMatcher matcher = currentMatcher();
    ResultDialog dialog(kHelperResult, mode, state.searchText, [&](ResultDialog& d) {
        for (const std::string& f : files) {
            d.countFileSearched();
            if (grepFile(kHelperSearch, matcher, d, f, 0) == 1)
                break;
        }
    });
    return runToTheEnd(dialog, std::move(after));
}

} // namespace

TEST_F(ResultDialogTest, ContentSearchOverRealFilesWithBadContents) {
    SearchTree tree;
    tree.file("text.txt", "first foo\r\nnothing\r\nFOO again\r\n");
    tree.file("binary.bin", std::string("\x01\x02 foo\0 hidden foo\n\xff\xfe foo\n", 25));
    tree.file("long.txt", std::string(100000, 'f') + "\n");
    tree.file("ctrlz.txt", "before foo\n\x1a after foo\n");
    tree.file("locked.txt", "foo locked\n");
    HANDLE lock = CreateFileA(tree.path("locked.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);
    const Lines files = {tree.path("text.txt"),    tree.path("locked.txt"), tree.path("binary.bin"),
                         tree.path("missing.txt"), tree.path("ctrlz.txt"),  tree.path("long.txt")};
    const Seen seen = runSearch(ResultMode::ContentSearch, "foo", files);
    CloseHandle(lock);

    const std::string t = tree.path("text.txt") + "\t", b = tree.path("binary.bin") + "\t",
                      c = tree.path("ctrlz.txt") + "\t";
    const Lines expected = {
        t + "first foo", t + "FOO again", " ", b + "\x01\x02 foo", b + "\xff\xfe foo", " ", c + "before foo", " "};
    EXPECT_EQ(expected, seen.lines) << "the long line of f's has no FOO in any piece";
    EXPECT_EQ("5", seen.hits);
    EXPECT_EQ("3", seen.withHits);
    EXPECT_EQ("6", seen.searched);
    EXPECT_EQ("searchresult - (Find in files 'FOO')", seen.caption);
    EXPECT_TRUE(seen.progressVisible && seen.removeVisible && seen.compactVisible && seen.withHitsVisible);
    EXPECT_EQ(2 * seen.clientWidth, seen.extent);
}

TEST_F(ResultDialogTest, LongLinesAreCutIntoPiecesAndShownShort) {
    SearchTree tree;
    std::string line(3000, 'a');
    line.replace(998, 2, "ZZ");   // across the first cut: not found
    line.replace(2997, 3, "TAI"); // the whole fourth piece
    tree.file("long.txt", line + "\n");
    const Seen seen = runSearch(ResultMode::ContentSearch, "zz|tai", {tree.path("long.txt")});
    ASSERT_EQ(2u, seen.lines.size());
    EXPECT_EQ(tree.path("long.txt") + "\tTAI", seen.lines[0]) << "the fourth piece holds the last 3 characters";
    EXPECT_EQ("1", seen.hits);
}

TEST_F(ResultDialogTest, ColumnButtonsOnHitLines) {
    SearchTree tree;
    tree.file("a.txt", "x\ty  z\n");
    const std::string p = tree.path("a.txt");
    const struct {
        std::vector<int> buttons;
        Lines expected;
    } cases[] = {
        {{1031}, {"x\ty  z", " "}},
        {{1031, 1030}, {"xy z", " "}},
        {{1030}, {p + "\txy z", " "}},
        {{1031, 1031}, {"y  z", " "}},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        Lines after;
        runSearch(ResultMode::ContentSearch, "x", {p}, [&](HWND d) {
            for (int id : cases[i].buttons)
                SendDlgItemMessageA(d, id, BM_CLICK, 0, 0);
            after = listBoxLines(GetDlgItem(d, 1025));
            Robot::click(d, IDOK);
        });
        EXPECT_EQ(cases[i].expected, after) << "case " << i;
    }
}

TEST_F(ResultDialogTest, OkCopiesTheSelectedLines) {
    SearchTree tree;
    tree.file("a.txt", "one hit\ntwo hit\nnone\nthree hit\n");
    const std::string p = tree.path("a.txt");
    setClipboard("before");
    runSearch(ResultMode::ContentSearch, "hit", {p}, [](HWND d) {
        SendDlgItemMessageA(d, 1025, LB_SETSEL, TRUE, 0);
        SendDlgItemMessageA(d, 1025, LB_SETSEL, TRUE, 2);
        Robot::click(d, IDOK);
    });
    EXPECT_EQ(p + "\tone hit\r\n" + p + "\tthree hit\r\n", clipboardText());

    // A long text first, so that a block that is not cleared would show its remains.
    setClipboard(std::string(30000, 'x'));
    runSearch(ResultMode::ContentSearch, "hit", {p});
    EXPECT_EQ("", clipboardText()) << "no line selected: an empty text";
    const std::string block = clipboardBlock();
    EXPECT_EQ(std::string::npos, block.find_first_not_of('\0')) << "bytes after the empty text in the block";

    setClipboard("before");
    runSearch(ResultMode::ContentSearch, "absent", {p});
    EXPECT_EQ("before", clipboardText()) << "an empty list leaves the clipboard alone";

    setClipboard("before");
    runSearch(ResultMode::ContentSearch, "hit", {p}, [](HWND d) {
        SendDlgItemMessageA(d, 1025, LB_SETSEL, TRUE, -1);
        PostMessageA(d, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ("before", clipboardText()) << "Escape after the run closes without copying";
}

TEST_F(ResultDialogTest, ControlsAndCaptionPerMode) {
    SearchTree tree;
    tree.file("a.txt", "a\n");
    const Seen names = runSearch(ResultMode::NameSearch, "*.txt", {});
    EXPECT_EQ("searchresult - (Find filename '*.TXT')", names.caption);
    EXPECT_FALSE(names.removeVisible || names.compactVisible || names.withHitsVisible || names.progressVisible);
    const Seen equal = runSearch(ResultMode::EqualFiles, "*", {});
    EXPECT_EQ("searchresult - (Search for equal files)", equal.caption);
    EXPECT_FALSE(equal.removeVisible || equal.compactVisible);
    EXPECT_TRUE(equal.progressVisible && equal.withHitsVisible);
}

TEST_F(ResultDialogTest, EscapeDuringTheSearchKeepsWhatWasFound) {
    // Escape typed while the tenth file is searched ends the search at the
    // next pump: after that file's next read when it has one, else before the
    // next file, whose walk pumps first.
    struct Case {
        std::size_t fileSize;
        long searched, shownSearched;
        std::size_t lines;
    } cases[] = {
        {4, 10, 11, 20},     // one read per file: the tenth keeps its separator
        {70000, 10, 10, 19}, // the pump after the first of two reads stops inside the tenth
    };
    for (const Case& c : cases) {
        SearchTree tree;
        Lines files;
        const std::string content = "hit\n" + std::string(c.fileSize - 4, 'x');
        for (int i = 0; i < 20; ++i) {
            tree.file("f" + std::to_string(i) + ".txt", content);
            files.push_back(tree.path("f" + std::to_string(i) + ".txt"));
        }
        SearchState& state = searchState();
        state.searchPatterns = {"HIT"};
        state.namePatterns = {"*"};
        state.attributes = AttributeFilter{};
        const PieceMatcher matcher = currentMatcher();
        long searched = 0;
        ResultDialog dialog(kHelperResult, ResultMode::ContentSearch, "HIT", [&](ResultDialog& d) {
            const ResultAction grep = [&](ResultDialog& r, const std::string& p, const FileStatus& status) {
                if (++searched == 10)
                    PostMessageA(r.window(), WM_KEYDOWN, VK_ESCAPE, 0);
                return grepFile(kHelperSearch, matcher, r, p, status.size);
            };
            for (const std::string& f : files)
                if (walkPathFiltered(d, grep, f) == 1)
                    break;
        });
        resultCancel().set = false;
        const Seen seen = runToTheEnd(dialog);
        EXPECT_EQ(c.searched, searched) << c.fileSize;
        EXPECT_EQ(std::to_string(c.shownSearched), seen.searched) << c.fileSize;
        EXPECT_EQ(c.lines, seen.lines.size()) << c.fileSize;
        EXPECT_TRUE(resultCancel().set) << c.fileSize;
    }
}

namespace {

struct PromptSeen {
    std::string initialSearch, initialSelection;
    bool hiddenTicked = false;
};

bool runPrompt(const PromptRequest& request, const std::string& search, const std::string& selection, bool untickHidden,
               bool confirm, PromptSeen* seen = nullptr) {
    Robot robot;
    robot.onDialog(nullptr, [&](HWND d) {
        const int searchEdit = request.kind == PromptKind::Extension ? 113 : 110;
        if (seen) {
            seen->initialSearch = Robot::itemText(d, searchEdit);
            seen->initialSelection = request.kind == PromptKind::HelperWithSelection ? Robot::itemText(d, 111) : "";
            seen->hiddenTicked = request.kind != PromptKind::Extension && Robot::isChecked(d, 1007);
        }
        Robot::setItemText(d, searchEdit, search.c_str());
        if (request.kind == PromptKind::HelperWithSelection)
            Robot::setItemText(d, 111, selection.c_str());
        if (untickHidden)
            Robot::setChecked(d, 1007, false);
        Robot::click(d, confirm ? IDOK : IDCANCEL);
        return true;
    });
    return promptForSearch(nullptr, request);
}

} // namespace

TEST_F(ResultDialogTest, HelperPromptRemembersItsTextsInTheSettingsFile) {
    WritePrivateProfileStringA("Suchbegriffe", "f1A", nullptr, "Quorvin.ini");
    WritePrivateProfileStringA("Suchbegriffe", "f1B", nullptr, "Quorvin.ini");
    const PromptRequest request{PromptKind::HelperWithSelection, 15010, 15011, "f1A", "f1B"};
    PromptSeen first;
    ASSERT_TRUE(runPrompt(request, "größe | Foo", "*.txt| *.DOC", true, true, &first));
    EXPECT_EQ("*", first.initialSearch) << "default when nothing is remembered";
    EXPECT_EQ("*", first.initialSelection);
    EXPECT_TRUE(first.hiddenTicked) << "all four boxes are ticked at start";
    const SearchState& state = searchState();
    EXPECT_EQ("GRÖßE | FOO", state.searchText);
    EXPECT_EQ((Lines{"GRÖßE", "FOO"}), state.searchPatterns);
    EXPECT_EQ((Lines{"*.TXT", "*.DOC"}), state.namePatterns);
    EXPECT_FALSE(state.attributes.hidden);
    EXPECT_TRUE(state.attributes.system && state.attributes.readOnly && state.attributes.archive);
    EXPECT_EQ("größe | Foo", rememberedSearchText("f1A")) << "the raw text is remembered";
    EXPECT_EQ("*.txt| *.DOC", rememberedSearchText("f1B"));

    PromptSeen second;
    ASSERT_FALSE(runPrompt(request, "other", "other", false, false, &second));
    EXPECT_EQ("größe | Foo", second.initialSearch);
    EXPECT_EQ("*.txt| *.DOC", second.initialSelection);
    EXPECT_FALSE(second.hiddenTicked) << "the boxes show the current filter";
    EXPECT_EQ("größe | Foo", rememberedSearchText("f1A")) << "cancel writes nothing";
}

TEST_F(ResultDialogTest, OverlongAndManyPiecedSearchTexts) {
    const PromptRequest request{PromptKind::HelperSearchOnly, 15034, 15011, "f4A", "f4B"};
    ASSERT_TRUE(runPrompt(request, std::string(500, 'q'), "", false, true));
    EXPECT_EQ(std::string(99, 'Q'), searchState().searchText);
    EXPECT_EQ(Lines{"*"}, searchState().namePatterns) << "the single-field prompt passes every name";
    ASSERT_TRUE(runPrompt(request, "a|b|c|d|e|f|g|h|i|j|k|l", "", false, true));
    EXPECT_EQ((Lines{"A", "B", "C", "D", "E", "F", "G", "H", "I", "J"}), searchState().searchPatterns);
    ASSERT_TRUE(runPrompt(request, std::string(50, '*'), "", false, true));
    EXPECT_EQ(Lines{std::string(50, '*')}, searchState().searchPatterns);
    ASSERT_TRUE(runPrompt(request, "   ", "", false, true));
    EXPECT_EQ("*", searchState().searchText);
}

TEST_F(ResultDialogTest, ExtensionPromptKeepsTheLastTextInMemory) {
    setDeliverable(kExtensionProfile);
    ASSERT_NE(nullptr, useResourcesOf("korbinen.dll"));
    const PromptRequest request{PromptKind::Extension, 15010, 15011, {}, {}};
    PromptSeen first, second;
    ASSERT_TRUE(runPrompt(request, " Größe ", "", false, true, &first));
    EXPECT_EQ("", first.initialSearch);
    EXPECT_EQ("Größe", searchState().searchText) << "kept as typed";
    EXPECT_EQ(Lines{"GRÖßE"}, searchState().searchPatterns);
    ASSERT_FALSE(runPrompt(request, "x", "", false, false, &second));
    EXPECT_EQ("Größe", second.initialSearch);
    setDeliverable(kHelperProfile);
}

TEST_F(ResultDialogTest, AnimationClipsOpenAndPlay) {
    ensureCommonControls();
    HWND animation = CreateWindowExA(0, ANIMATE_CLASSA, "", WS_POPUP | WS_VISIBLE | ACS_CENTER, 0, 0, 64, 64, nullptr,
                                     nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, animation);
    for (int clip : {130, 131, 136}) {
        EXPECT_TRUE(SendMessageA(animation, ACM_OPENA, reinterpret_cast<WPARAM>(resourceModule()),
                                 reinterpret_cast<LPARAM>(MAKEINTRESOURCEA(clip))))
            << "clip " << clip << " was not accepted";
        EXPECT_TRUE(SendMessageA(animation, ACM_PLAY, static_cast<WPARAM>(-1), MAKELONG(0, 0xFFFF))) << "clip " << clip;
        SendMessageA(animation, ACM_STOP, 0, 0);
    }
    EXPECT_FALSE(SendMessageA(animation, ACM_OPENA, reinterpret_cast<WPARAM>(resourceModule()),
                              reinterpret_cast<LPARAM>(MAKEINTRESOURCEA(137))))
        << "a clip that does not exist is refused";
    DestroyWindow(animation);
}

// A group is formed from the walk's sizes, but its lines describe each file
// as it is when listed: a file changed since shows its new status, a removed
// one its path alone.
TEST_F(ResultDialogTest, EqualFilesListEachFileAsItIsWhenListed) {
    SearchTree tree;
    tree.file("a\\A.TXT", "0123456789", FILE_ATTRIBUTE_HIDDEN);
    tree.file("b\\A.TXT", "abcdefghij", FILE_ATTRIBUTE_READONLY);
    tree.file("b\\B.TXT", "solo");
    fileTable().clear();
    std::string root = tree.root();
    CancelFlag cancel;
    walkPath(root, WalkOrder::FilesFirst, cancel,
             [](const std::string& p, const FileStatus* s) { return collectFile(kHelperSearch, p, s); });
    ASSERT_TRUE(DeleteFileA(tree.path("a\\A.TXT").c_str()));
    SetFileAttributesA(tree.path("b\\A.TXT").c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_TRUE(tree.file("b\\A.TXT", "longer than before"));
    FileStatus now;
    ASSERT_TRUE(queryFileStatus(tree.path("b\\A.TXT"), now));
    const Lines expected = {"A.TXT", "\t" + tree.path("a\\A.TXT"),
                            detailLine(tree.path("b\\A.TXT"), localStamp(now.creation), now.attributes, now.size)};
    EXPECT_NE(std::string::npos, expected[2].find("\t18")) << expected[2];

    ResultDialog dialog(kHelperResult, ResultMode::EqualFiles, "", compareEqualFiles);
    const Seen seen = runToTheEnd(dialog);
    EXPECT_EQ(expected, seen.lines);
    EXPECT_EQ("3 1 1", seen.searched + " " + seen.hits + " " + seen.withHits);
    EXPECT_EQ(0u, fileTable().size()) << "the comparison empties the table";
}
