// Tree rows, the drag gesture and the image bands of the list boxes.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "extension/listbox/drag_rules.h"
#include "extension/listbox/image_bands.h"
#include "extension/listbox/tree_items.h"

namespace {

// Rows in a plain vector; names stand in for the path table.
class VectorRows : public TreeRows {
public:
    ~VectorRows() override {
        for (TreeItem* item : items)
            delete item;
    }
    int rowCount() const override { return static_cast<int>(items.size()); }
    TreeItem* row(int index) const override { return items[index]; }
    int insertRow(int position, TreeItem* item) override {
        if (rowCount() >= capacity)
            return -1;
        if (position < 0 || position > rowCount())
            position = rowCount();
        items.insert(items.begin() + position, item);
        return position;
    }
    void eraseRow(int index) override {
        listbox::noteRowLeaving(*this, index);
        delete items[index];
        items.erase(items.begin() + index);
    }

    std::vector<TreeItem*> items;
    std::vector<std::string> names{""};
    int capacity = 1000;
};

// A directory tree to expand: name -> entries (a trailing '/' marks a directory).
using Disk = std::map<std::string, std::vector<std::string>>;

int add(VectorRows& rows, const std::string& entry, TreeItem* parent, int position) {
    const bool dir = entry.back() == '/';
    rows.names.push_back(dir ? entry.substr(0, entry.size() - 1) : entry);
    return listbox::insertItem(rows, static_cast<std::uint32_t>(rows.names.size() - 1),
                               dir ? ItemKind::Directory : ItemKind::File, parent, position);
}

// What a double click does, with a hook that lists the disk.
int refusals = 0;
void toggle(VectorRows& rows, const Disk& disk, const std::string& name) {
    int index = 0;
    while (rows.names[rows.row(index)->pathNumber] != name)
        ++index;
    TreeItem* item = rows.row(index);
    if (item->expanded) {
        listbox::collapseItem(rows, index);
        return;
    }
    rows.bulk = true;
    int position = index;
    int result = 0;
    if (item->isDirectory()) {
        result = 1;
        auto found = disk.find(name);
        for (const std::string& entry : found == disk.end() ? std::vector<std::string>{} : found->second) {
            position = add(rows, entry, item, position + 1);
            refusals += position == listbox::kLevelRefused;
            if (position < 0)
                position = index; // the level message goes on with the next entry
        }
    }
    rows.bulk = false;
    listbox::finishExpand(rows, index, result);
}

// One line per row: the tree line of each level, the name, '*' when open.
std::string picture(const VectorRows& rows) {
    std::string out;
    for (const TreeItem* item : rows.items) {
        for (int k = 1; k <= item->level; ++k)
            out += " |+`"[static_cast<int>(listbox::treeLineAt(*item, k))];
        out += rows.names[item->pathNumber] + (item->expanded ? "*" : "") + " ";
    }
    return out;
}

} // namespace

TEST(TreeRows, ExpandAndCollapse) {
    const Disk disk = {{"A", {"a1/", "a2", "a3"}}, {"a1", {"x", "y/"}}, {"y", {"z"}}, {"B", {}}, {"C", {}}};
    const struct {
        const char* toggled;
        const char* expected;
    } cases[] = {
        {"A", "A* +a1 +a2 `a3 B f C "},
        {"a1", "A* +a1* |+x |`y +a2 `a3 B f C "},
        {"y", "A* +a1* |+x |`y* | `z +a2 `a3 B f C "},
        {"a1", "A* +a1 +a2 `a3 B f C "},          // closes exactly a1's rows, open ones too
        {"a1", "A* +a1* |+x |`y +a2 `a3 B f C "}, // asks the disk anew
        {"A", "A B f C "},                        // the following top-level items stay
        {"B", "A B f C "},                        // an empty directory stays closed
        {"f", "A B f C "},                        // a file does not open
        {"C", "A B f C "},                        // nor an empty one at the end of the list
    };
    VectorRows rows;
    for (const char* top : {"A/", "B/", "f", "C/"})
        add(rows, top, nullptr, -1);
    for (const auto& c : cases) {
        toggle(rows, disk, c.toggled);
        EXPECT_EQ(picture(rows), c.expected) << "after toggling " << c.toggled;
    }
}

TEST(TreeRows, LevelLimitRefusesEachChild) {
    VectorRows rows;
    add(rows, "d0/", nullptr, -1);
    Disk disk;
    for (int level = 0; level < listbox::kMaxLevel; ++level)
        disk["d" + std::to_string(level)] = {"d" + std::to_string(level + 1) + "/"};
    disk["d16"] = {"p", "q", "r/"};
    for (int level = 0; level <= listbox::kMaxLevel; ++level)
        toggle(rows, disk, "d" + std::to_string(level));
    EXPECT_EQ(rows.rowCount(), 17);
    EXPECT_EQ(rows.row(16)->level, 16);
    EXPECT_EQ(refusals, 3);
    EXPECT_EQ(rows.row(16)->expanded, 0u);
}

TEST(TreeRows, SiblingBitsOutsideBulkMode) {
    // Inserting after a last child moves its corner on; deleting a last child hands it back.
    VectorRows rows;
    add(rows, "A/", nullptr, -1);
    toggle(rows, {{"A", {"a1", "a2"}}}, "A");
    EXPECT_EQ(picture(rows), "A* +a1 `a2 ");
    add(rows, "a3", rows.row(0), 3);
    EXPECT_EQ(picture(rows), "A* +a1 +a2 `a3 ");
    rows.eraseRow(3);
    EXPECT_EQ(picture(rows), "A* +a1 `a2 ");
    rows.capacity = rows.rowCount();
    EXPECT_EQ(add(rows, "a4", rows.row(0), 3), listbox::kListFull);
}

TEST(DragGesture, ThresholdAndCursor) {
    const struct {
        int dx, dy;
        bool control, single;
        bool starts;
        int cursor;
    } cases[] = {
        {16, 0, false, true, false, 0},    {17, 0, false, true, true, 145},  {-17, 0, true, true, true, 187},
        {0, 10, false, false, false, 0},   {0, 11, false, false, true, 146}, {0, -11, true, false, true, 190},
        {-16, -10, false, true, false, 0}, {16, 11, false, true, true, 145},
    };
    for (const auto& c : cases) {
        listbox::DragTracker drag;
        drag.arm(100, 200, c.single);
        EXPECT_EQ(drag.startsDrag(100 + c.dx, 200 + c.dy, c.control), c.starts) << c.dx << "," << c.dy;
        if (c.starts) {
            EXPECT_FALSE(drag.startsDrag(100 + 2 * c.dx, 200 + 2 * c.dy, c.control)) << "a drag starts once";
            EXPECT_EQ(listbox::defaultCursorGroup(drag.cursorIndex()), c.cursor) << c.dx << "," << c.dy;
        }
        EXPECT_EQ(drag.finish(), c.starts) << "a release drops only after a drag";
        EXPECT_FALSE(drag.active());
    }
}

TEST(DragGesture, HookCursorComesFirst) {
    // The FTP trees' answers (195, 193, none) and a list without a hook.
    const int ftpHook[] = {195, 195, 193, 193, 0};
    const int expectedFtp[] = {195, 195, 193, 193, 184};
    const int expectedPlain[] = {187, 190, 145, 146, 184};
    for (int index = 0; index < 5; ++index) {
        EXPECT_EQ(listbox::chooseCursorGroup(index, ftpHook[index]), expectedFtp[index]) << index;
        EXPECT_EQ(listbox::chooseCursorGroup(index, 0), expectedPlain[index]) << index;
    }
}

TEST(ImageBands, BlueOverMagentaIsTransparent) {
    const std::uint32_t blue = 0x0000FF, magenta = 0xFF00FF, red = 0xFF0000, black = 0;
    const std::uint32_t hi = 0x000080, win = 0xFFFFFF;
    // Upper row: the images; lower row: the mask below each.
    const std::vector<std::uint32_t> strip = {blue, blue, red, magenta, magenta, black, magenta, magenta};
    const std::vector<std::uint32_t> expected = {hi, blue, red, magenta, win, blue, red, magenta};
    EXPECT_EQ(listbox::composeImageBands(strip, 4, 2, hi, win), expected);
}
