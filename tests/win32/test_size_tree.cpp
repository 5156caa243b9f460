// The helper's size tree on real folders: letter 3 end to end with a selected
// file, a folder tree and a drive root, the labels read back from the
// helper's tree view; in this process the attribute filter, the font and
// pictures, and Escape while the tree is built.
// wine-locales: de_DE en_US
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "common/filetools/search_prompt_win.h"
#include "common/filetools/size_tree_win.h"
#include "common/filetools/walk_win.h"
#include "common/text/language_win.h"
#include "common/win/deliverable.h"
#include "tests/win32/support/helper_run.h"
#include "tests/win32/support/host_fixture.h"
#include "tests/win32/support/remote_tree.h"
#include "tests/win32/support/remote_window.h"
#include "tests/win32/support/robot.h"
#include "tests/win32/support/search_tree.h"
#include "tests/win32/support/test_files.h"

using Items = std::vector<TreeItemSeen>;

namespace {

constexpr int kTreeView = 1016;
constexpr char kDrive = 'R';

bool german() {
    const char* locale = std::getenv("KORB_TEST_LOCALE");
    return locale != nullptr && std::string(locale) == "de_DE";
}

std::string title() {
    return german() ? "Summiere Dateigrößen" : "Add filesize";
}

// The label as the user sees it: name, blanks to column 27, KB in 7, count in 8.
std::string label(const std::string& name, const char* kb, const char* files) {
    std::string l = name + "  ";
    l.resize(l.size() < 27 ? 27 : l.size(), ' ');
    const std::string k = kb, f = files;
    return l + std::string(7 - k.size(), ' ') + k + " KB" + std::string(8 - f.size(), ' ') + f + " " +
           (german() ? "Dateien" : "files");
}

} // namespace

TEST(SizeTreeEndToEnd, HelperLetterThreeOverFileFolderAndDrive) {
    WritePrivateProfileStringA("Suchbegriffe", "f3A", nullptr, "Quorvin.ini");
    SearchTree tree;
    tree.file("single\\A.TXT", std::string(3000, 'a'));
    tree.file("data\\one.txt", std::string(1500, '1'));
    tree.file("data\\two.doc", std::string(2600, '2'));
    tree.file("data\\hid.txt", std::string(50, 'h'), FILE_ATTRIBUTE_HIDDEN);
    tree.file("data\\skip.exe", std::string(5000, 's'));
    tree.file("data\\.dot.txt", std::string(999, 'd'));
    tree.file("data\\.dotdir\\w.txt", std::string(777, 'w'));
    tree.file("data\\sub\\x.txt", std::string(4096, 'x'));
    tree.file("data\\sub\\deep\\y.TXT", std::string(10240, 'y'));
    tree.file("data\\Beta\\z.doc", std::string(100, 'z'));
    tree.file("drive\\r.txt", std::string(2048, 'r'));
    tree.file("drive\\folder\\s.txt", std::string(1024, 's'));
    tree.file("drive\\folder\\inner\\t.doc", "t");
    ASSERT_TRUE(mapDrive(kDrive, tree.path("drive")));
    struct Unmap {
        ~Unmap() { unmapDrive(kDrive); }
    } unmap;
    const std::string list = tree.path("zqk3.tmp");
    const std::string root = std::string(1, kDrive) + ":\\";
    ASSERT_TRUE(writeListFile(list, {root, tree.path("single\\A.TXT"), tree.path("missing.txt"), tree.path("data")}));

    ChildProcess helper("\"" + besideTestProgram("quorvinx.exe") + "\" 3 \"" + list + "\"");
    ASSERT_TRUE(helper.started());
    HWND prompt = waitForWindow(helper.id(), "#32770", title().c_str(), 15000);
    ASSERT_NE(nullptr, prompt) << "the prompt did not open";
    SendMessageA(GetDlgItem(prompt, 110), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("*.txt|*.doc"));
    remoteClick(prompt, IDOK);
    for (int i = 0; i < 500 && IsWindow(prompt); ++i)
        Sleep(10);
    HWND dialog = waitForWindow(helper.id(), "#32770", title().c_str(), 15000);
    ASSERT_NE(nullptr, dialog) << "the size tree did not open";
    const DWORD start = GetTickCount();
    while (!IsWindowVisible(GetDlgItem(dialog, IDOK)) && GetTickCount() - start < 60000)
        Sleep(20);
    ASSERT_TRUE(IsWindowVisible(GetDlgItem(dialog, IDOK))) << "the sums did not finish";
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, 1015))) << "the animation is hidden at the end";
    const Items items = remoteTreeItems(GetDlgItem(dialog, kTreeView));

    // Sorted by path: the folder (C:\...\data), the file, the drive root.
    const Items expected = {
        {0, label("data", "18", "6"), 2, 3, true},         {1, label("Beta", "0", "1"), 2, 3, false},
        {1, label("sub", "14", "2"), 2, 3, false},         {2, label("deep", "10", "1"), 2, 3, false},
        {0, label("A.TXT", "2", "1"), 0, 1, false},        {0, label(root + "*", "3", "3"), 2, 3, false},
        {1, label(root + "folder", "1", "2"), 2, 3, true}, {2, label("inner", "0", "1"), 2, 3, false},
    };
    ASSERT_EQ(expected.size(), items.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(expected[i], items[i]) << "item " << i << ": '" << items[i].label << "' depth " << items[i].depth
                                         << " images " << items[i].image << "/" << items[i].selectedImage
                                         << (items[i].open ? " open" : " closed");
    EXPECT_EQ(5u, visibleItems(items).size()) << "the first entry shows its subfolders, the others are closed";

    remoteClick(dialog, IDOK);
    ASSERT_TRUE(helper.wait(15000)) << "the helper did not end";
    EXPECT_EQ("*.txt|*.doc", rememberedSearchText("f3A"));
    EXPECT_FALSE(fileExists(list)) << "the list file is gone";
}

namespace {

class SizeTreeDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        setDeliverable(kHelperProfile);
        text::chooseLanguage();
        ASSERT_NE(nullptr, useResourcesOf("quorvinx.exe"));
        filetools::searchState() = filetools::SearchState{};
        filetools::searchState().searchPatterns = {"*"};
    }
    void TearDown() override { filetools::setResourceModule(nullptr); }

    // Runs the dialog over the list; `during` acts while it works (return true
    // when done), the finished tree is read and OK pressed.
    Items run(const std::vector<std::string>& entries, std::function<bool(HWND)> during = nullptr) {
        const std::string list = tree.path("zqk.tmp");
        writeListFile(list, entries);
        Items items;
        Robot robot(60000);
        if (during)
            robot.onDialog(title().c_str(), during);
        robot.onDialog(title().c_str(), [&](HWND d) {
            if (!IsWindowVisible(GetDlgItem(d, IDOK)))
                return false;
            items = remoteTreeItems(GetDlgItem(d, kTreeView));
            dialogFont = reinterpret_cast<HFONT>(SendDlgItemMessageA(d, kTreeView, WM_GETFONT, 0, 0));
            images = reinterpret_cast<HIMAGELIST>(SendDlgItemMessageA(d, kTreeView, TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
            imageCount = ImageList_GetImageCount(images);
            ImageList_GetIconSize(images, &imageWidth, &imageHeight);
            Robot::click(d, IDOK);
            return true;
        });
        filetools::SizeTreeDialog dialog(list);
        EXPECT_EQ(IDOK, dialog.run(nullptr));
        EXPECT_TRUE(robot.failures().empty());
        return items;
    }

    SearchTree tree;
    HFONT dialogFont = nullptr;
    HIMAGELIST images = nullptr;
    int imageCount = 0, imageWidth = 0, imageHeight = 0;
};

} // namespace

TEST_F(SizeTreeDialogTest, HiddenOnlyFilterFontAndPictures) {
    filetools::searchState().attributes = {true, false, false, false};
    tree.file("dir\\plain.txt", std::string(5000, 'p'));
    tree.file("dir\\hidden.txt", std::string(2048, 'h'), FILE_ATTRIBUTE_HIDDEN);
    tree.file("dir\\in\\hidden.doc", std::string(1024, 'h'), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    tree.file("plain.dat", std::string(4096, 'q'));
    const Items items = run({tree.path("dir"), tree.path("plain.dat")});
    const Items expected = {
        {0, label("dir", "3", "2"), 2, 3, true},
        {1, label("in", "1", "1"), 2, 3, false},
        {0, label("plain.dat", "4", "1"), 0, 1, false}, // a selected file counts without any test
    };
    EXPECT_EQ(expected, items);

    LOGFONTA font{};
    ASSERT_NE(0, GetObjectA(dialogFont, sizeof font, &font));
    EXPECT_STREQ("Fixedsys", font.lfFaceName);
    EXPECT_EQ(10, font.lfHeight);
    EXPECT_EQ(8, font.lfWidth);
    EXPECT_EQ(FIXED_PITCH | FF_MODERN, font.lfPitchAndFamily);
    EXPECT_EQ(4, imageCount);
    EXPECT_EQ(19, imageWidth);
    EXPECT_EQ(16, imageHeight);
}

TEST_F(SizeTreeDialogTest, EscapeWhileBuildingKeepsThePaths) {
    tree.file("dir\\a\\b\\c.txt");
    PostThreadMessageA(GetCurrentThreadId(), WM_KEYDOWN, VK_ESCAPE, 0);
    const Items items = run({tree.path("dir"), tree.path("dir\\a\\b\\c.txt")});
    EXPECT_EQ((Items{{0, tree.path("dir"), 2, 3, false}}), items) << "no sums, no further entries";
}
