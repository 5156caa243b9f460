// Two tree lists in a dialog of their own, driven by real mouse and key
// input: focus and select, press on the selection, the drag threshold, the
// cursors the drag shows, the drop with its record, double clicks that open
// and close directories, cancel mode and the right button.
// wine-links: listbox
#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "extension/listbox/image_bands.h"
#include "extension/listbox/list_images_win.h"
#include "extension/listbox/tree_list_box_win.h"
#include "tests/win32/support/host_fixture.h"
#include "tests/win32/support/robot.h"

namespace {

constexpr int kDialog = 300, kLeft = 101, kRight = 102;

struct Drop {
    HWND source;
    POINT point;
    LONG count;
    DWORD extra1, extra2;
};

// A tree over a small in-memory disk, acting as the FTP trees do.
class TestTree : public TreeListBox {
public:
    std::vector<std::string> names{""};
    std::map<std::string, std::vector<std::string>> disk; // a trailing '/' marks a directory
    bool copyCursors = false;                             // answer the cursor hook as the FTP trees
    std::vector<Drop> drops;

    void add(const std::string& entry, TreeItem* parent, int& position) {
        const bool dir = entry.back() == '/';
        names.push_back(dir ? entry.substr(0, entry.size() - 1) : entry);
        position = insertItem(static_cast<std::uint32_t>(names.size() - 1), dir ? ItemKind::Directory : ItemKind::File,
                              parent, parent ? position + 1 : -1);
    }
    std::string name(int index) { return names[item(index)->pathNumber]; }

protected:
    void drawTreeItem(HDC dc, const TreeItem& row, const RECT& rect, bool selected) override {
        const int image = !row.isDirectory() ? listbox::kImageFile
                          : row.expanded     ? listbox::kImageExpandedDirectory
                                             : listbox::kImageCollapsedDirectory;
        imageSet()->drawImage(dc, rect.left + 1, rect.top, image,
                              selected ? listbox::kBandSelected : listbox::kBandNormal);
        const std::string& text = names[row.pathNumber];
        TextOutA(dc, rect.left + listbox::kImageWidth + 3, rect.top, text.c_str(), static_cast<int>(text.size()));
    }
    int expandItem(TreeItem& row, int& position) override {
        if (!row.isDirectory())
            return 0;
        for (const std::string& entry : disk[names[row.pathNumber]])
            add(entry, &row, position);
        return 1;
    }
    void dropAction(HWND target, POINT point, LPARAM zero) override {
        EXPECT_EQ(zero, 0);
        CDragStruct drop;
        drop.x = point.x;
        drop.y = point.y;
        drop.source = window();
        drop.count = static_cast<LONG>(selectedItems().size());
        SendMessageA(target, testDropMessage(), 0, reinterpret_cast<LPARAM>(&drop));
    }
    bool canDrop(HWND target, POINT, bool) override { return SendMessageA(target, testCanDropMessage(), 0, 0) != 0; }
    HCURSOR dragCursor(int index) override {
        if (!copyCursors || index == listbox::kCursorRefused)
            return nullptr;
        return imageSet()->cursor(index < listbox::kCursorPlainOne ? 195 : 193);
    }
    LRESULT onTestCanDrop() override { return 1; }
    LRESULT onTestDrop(const CDragStruct& d) override {
        drops.push_back({d.source, {d.x, d.y}, d.count, d.extra1, d.extra2});
        return 1;
    }
};

INT_PTR CALLBACK dialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (CListBoxEx::handleOwnerMessage(dialog, message, wParam, lParam))
        return TRUE;
    return message == WM_INITDIALOG;
}

class TreeListBoxInput : public ::testing::Test {
protected:
    void SetUp() override {
        library = LoadLibraryA(besideTestProgram("korbinen.dll").c_str());
        ASSERT_NE(library, nullptr);
        images = &ListImageSet::shared(library);
        dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kDialog), nullptr, dialogProcedure, 0);
        ASSERT_NE(dialog, nullptr) << "error " << GetLastError();
        for (auto [tree, id] : {std::pair{&left, kLeft}, std::pair{&right, kRight}}) {
            ASSERT_TRUE(tree->attach(GetDlgItem(dialog, id)));
            tree->runCreationStep();
            tree->setImageSet(images);
            tree->setLines(true);
        }
        left.copyCursors = true;
        left.disk = {{"A", {"a1/", "a2", "a3"}}, {"a1", {"x"}}, {"B", {}}};
        int position = 0;
        for (const char* top : {"A/", "B/", "f1", "f2"})
            left.add(top, nullptr, position);
        for (const char* top : {"R/", "r1", "r2", "r3"})
            right.add(top, nullptr, position);
        SetForegroundWindow(dialog);
        pumpMessages(100);
    }
    void TearDown() override {
        if (dialog != nullptr)
            DestroyWindow(dialog);
        ListImageSet::releaseShared();
        if (library != nullptr)
            FreeLibrary(library);
    }

    // Screen point inside row index of a list, dx/dy from its left part.
    POINT at(TestTree& tree, int index, int dx = 0, int dy = 0) {
        RECT r{};
        SendMessageA(tree.window(), LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
        return Robot::onScreen(tree.window(), r.left + 40 + dx, (r.top + r.bottom) / 2 + dy);
    }
    static void move(POINT p) {
        Robot::moveMouse(p);
        pumpMessages(40);
        POINT now{};
        GetCursorPos(&now);
        EXPECT_TRUE(now.x == p.x && now.y == p.y) << "mouse at " << now.x << "," << now.y;
    }
    static void button(bool down) {
        Robot::leftButton(down);
        pumpMessages(40);
    }
    static void click(POINT p) {
        press(p);
        button(false);
    }
    // A press that is no double click of the one before.
    static void press(POINT p) {
        pumpMessages(static_cast<int>(GetDoubleClickTime()) + 50);
        move(p);
        button(true);
    }
    static POINT offset(POINT p, int dx, int dy) { return POINT{p.x + dx, p.y + dy}; }

    HMODULE library = nullptr;
    const ListImageSet* images = nullptr;
    HWND dialog = nullptr;
    TestTree left, right;
};

} // namespace

TEST_F(TreeListBoxInput, ImagesAndCursorsFromTheLibrary) {
    for (int group : {145, 146, 184, 187, 190, 193, 195})
        EXPECT_NE(images->cursor(group), nullptr) << "cursor " << group;
    // A see-through corner of the closed directory takes each band's colour; the folder's yellow stays.
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, images->bitmap());
    EXPECT_EQ(GetPixel(dc, 16, 0), images->highlight);
    EXPECT_EQ(GetPixel(dc, 16, listbox::kImageHeight), images->window);
    EXPECT_EQ(GetPixel(dc, 3, 5), RGB(255, 255, 0));
    EXPECT_EQ(GetPixel(dc, 3, listbox::kImageHeight + 5), RGB(255, 255, 0));
    SelectObject(dc, old);
    DeleteDC(dc);
}

TEST_F(TreeListBoxInput, DragThresholdCursorsAndDrop) {
    // A first click only focuses and selects.
    const POINT f1 = at(left, 2);
    click(f1);
    ASSERT_EQ(GetFocus(), left.window());
    ASSERT_EQ(left.selectedItems(), std::vector<int>{2});

    // 16 pixels sideways is no drag yet; 17 is, with the hook's cursor for one item, Control up.
    const HCURSOR before = GetCursor();
    press(f1);
    move(offset(f1, 16, 0));
    EXPECT_FALSE(left.isDragging());
    EXPECT_EQ(GetCursor(), before);
    move(offset(f1, 17, 0));
    EXPECT_TRUE(left.isDragging());
    EXPECT_EQ(GetCursor(), images->cursor(193));
    // Over the button, which does not know the drop messages: the refusal cursor; back over a tree: the drag cursor.
    RECT close{};
    GetWindowRect(GetDlgItem(dialog, IDCANCEL), &close);
    move(POINT{(close.left + close.right) / 2, (close.top + close.bottom) / 2});
    EXPECT_EQ(GetCursor(), images->cursor(184));
    const POINT target = at(right, 1, 5, 2);
    move(target);
    EXPECT_EQ(GetCursor(), images->cursor(193));
    button(false);
    EXPECT_FALSE(left.isDragging());
    EXPECT_EQ(GetCursor(), before);
    ASSERT_EQ(right.drops.size(), 1u);
    POINT expected = target;
    ScreenToClient(right.window(), &expected);
    const Drop& d = right.drops[0];
    EXPECT_EQ(d.source, left.window());
    EXPECT_EQ(d.count, 1);
    EXPECT_TRUE(d.point.x == expected.x && d.point.y == expected.y) << d.point.x << "," << d.point.y;
    EXPECT_EQ(d.extra1 | d.extra2, 0u);
    EXPECT_EQ(right.selectedItems(), std::vector<int>{}) << "a drop changes no selection of the target";

    // Vertically 10 is no drag, 11 is; a release over the list that started it still drops there;
    // a release without a drag drops nothing.
    press(f1);
    move(offset(f1, 0, 10));
    EXPECT_FALSE(left.isDragging());
    button(false);
    EXPECT_TRUE(left.drops.empty());
    press(f1);
    move(offset(f1, 0, -11));
    EXPECT_TRUE(left.isDragging());
    button(false);
    ASSERT_EQ(left.drops.size(), 1u);
    EXPECT_EQ(left.drops[0].source, left.window());
    EXPECT_EQ(left.selectedItems(), std::vector<int>{2}) << "pressing on the selection keeps it";

    // Cancel mode during a drag restores the cursor and drops nothing.
    press(f1);
    move(offset(f1, 30, 0));
    ASSERT_TRUE(left.isDragging());
    SendMessageA(left.window(), WM_CANCELMODE, 0, 0);
    EXPECT_FALSE(left.isDragging());
    EXPECT_EQ(GetCursor(), before);
    move(target);
    button(false);
    EXPECT_EQ(right.drops.size(), 1u);
}

TEST_F(TreeListBoxInput, SeveralItemsAndTheDefaultCursors) {
    // Under Wine a mouse message carries no MK_SHIFT or MK_CONTROL from keys
    // sent with SendInput, so the several items are selected by message and
    // the Control cursors are checked natively only.
    click(at(right, 1));
    SendMessageA(right.window(), LB_SELITEMRANGE, TRUE, MAKELPARAM(1, 3));
    // The right button toggles one item in a multi-selection list.
    for (bool selected : {false, true}) {
        pumpMessages(static_cast<int>(GetDoubleClickTime()) + 50);
        move(at(right, 2));
        INPUT press[2] = {};
        press[0].type = press[1].type = INPUT_MOUSE;
        press[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
        press[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
        SendInput(2, press, sizeof(INPUT));
        pumpMessages(60);
        EXPECT_EQ(right.isSelected(2), selected);
    }
    ASSERT_EQ(right.selectedItems(), (std::vector<int>{1, 2, 3}));
    // The right list has no cursor hook: the set's cursor for several items shows.
    press(at(right, 1));
    move(offset(at(right, 1), 20, 0));
    EXPECT_EQ(GetCursor(), images->cursor(146));
    move(at(left, 0));
    button(false);
    ASSERT_EQ(left.drops.size(), 1u);
    EXPECT_EQ(left.drops[0].count, 3);
    EXPECT_EQ(left.drops[0].source, right.window());
}

TEST_F(TreeListBoxInput, DoubleClickOpensAndCloses) {
    auto doubleClick = [&](int index) {
        move(at(left, index));
        INPUT clicks[4] = {};
        for (int i = 0; i < 4; ++i) {
            clicks[i].type = INPUT_MOUSE;
            clicks[i].mi.dwFlags = i % 2 == 0 ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
        }
        SendInput(4, clicks, sizeof(INPUT));
        pumpMessages(120);
    };
    auto rows = [&] {
        std::string out;
        for (int i = 0; i < left.count(); ++i) {
            const TreeItem* row = left.item(i);
            out += std::string(row->level, '-') + left.name(i) + (row->isLastChild() ? "'" : "") +
                   (row->expanded ? "*" : "") + " ";
        }
        return out;
    };
    doubleClick(0);
    EXPECT_EQ(rows(), "A* -a1 -a2 -a3' B f1 f2 ");
    doubleClick(1);
    EXPECT_EQ(rows(), "A* -a1* --x' -a2 -a3' B f1 f2 ");
    doubleClick(0);
    EXPECT_EQ(rows(), "A B f1 f2 ");
    doubleClick(1); // empty directory
    EXPECT_EQ(rows(), "A B f1 f2 ");
    doubleClick(3); // a file
    EXPECT_EQ(rows(), "A B f1 f2 ");
    // Children that reach below the visible rows bring the opened item to the top.
    int position = 0;
    left.add("M/", nullptr, position);
    left.disk["M"] = std::vector<std::string>(40, "m");
    doubleClick(4);
    EXPECT_EQ(left.count(), 45);
    EXPECT_EQ(SendMessageA(left.window(), LB_GETTOPINDEX, 0, 0), 4);
}
