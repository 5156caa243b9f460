// Item records of the tree list box and the bookkeeping that keeps their
// last-sibling bits right while rows come and go. Portable: the rows are the
// list box in a dialog, a plain vector in the tests.
#pragma once

#include <cstdint>

enum class ItemKind : std::uint16_t { Directory = 1, File = 2 };

// One record per list row; the row's data value points to it.
struct TreeItem {
    std::uint16_t lastSiblingMask = 0; // bit k-1: the ancestor (or the item itself) at level k is a last child
    std::uint32_t pathNumber = 0;      // position of the path in the owner's path table plus 1
    std::uint16_t kind = 0;            // ItemKind
    std::uint16_t level = 0;           // 0 for top-level items
    std::uint32_t expanded = 0;        // nonzero while the children are shown
    TreeItem* parent = nullptr;

    bool isDirectory() const { return kind == static_cast<std::uint16_t>(ItemKind::Directory); }
    // Whether the ancestor at level k (1..16; the item itself at its own level) is a last child.
    bool lastAtLevel(int k) const { return k >= 1 && k <= 16 && (lastSiblingMask >> (k - 1)) & 1u; }
    bool isLastChild() const { return lastAtLevel(level); }
};

// The rows a tree is kept in. The owner of the rows frees a record when its
// row goes (eraseRow), after noteRowLeaving has run.
class TreeRows {
public:
    virtual ~TreeRows() = default;
    virtual int rowCount() const = 0;
    virtual TreeItem* row(int index) const = 0;
    // Puts the record at position (-1 appends); its index, or a negative value when the list is full.
    virtual int insertRow(int position, TreeItem* item) = 0;
    // Removes the row and frees its record.
    virtual void eraseRow(int index) = 0;

    // Set while many rows come or go at once: the last-sibling bookkeeping rests.
    bool bulk = false;
};

namespace listbox {

constexpr int kMaxLevel = 16;
constexpr int kIndent = 16;       // pixels per level
constexpr int kLevelRefused = -1; // insertItem: the parent is too deep
constexpr int kListFull = -2;     // insertItem: no record or no row

// Creates a record under parent (none: top level) and inserts it at position
// (-1 appends). Returns its index, kLevelRefused or kListFull.
int insertItem(TreeRows& rows, std::uint32_t pathNumber, ItemKind kind, TreeItem* parent, int position);

// Called while the row at index is still there, just before it goes: hands
// its last-sibling bit to the item before it.
void noteRowLeaving(TreeRows& rows, int index);

// Index of the last descendant of the row at index (index itself when none).
int lastDescendant(const TreeRows& rows, int index);

// Closes the row at index: removes exactly its descendants (in bulk mode) and
// marks it collapsed.
void collapseItem(TreeRows& rows, int index);

// After the expand hook ran for the row at index with result hookResult.
// Marks the last child, or leaves the item
// collapsed when no child came. Returns the index of the last child, or -1.
int finishExpand(TreeRows& rows, int index, int hookResult);

// Tree lines of one row: for each level 1..level, what to draw in its column.
enum class TreeLine { None, Through, Tee, Corner };
TreeLine treeLineAt(const TreeItem& item, int k);

} // namespace listbox
