// Last-sibling bookkeeping of the tree rows.
#include "extension/listbox/tree_items.h"

#include <new>

namespace listbox {

namespace {

std::uint16_t bitOf(int level) {
    return static_cast<std::uint16_t>(1u << (level - 1));
}

} // namespace

int insertItem(TreeRows& rows, std::uint32_t pathNumber, ItemKind kind, TreeItem* parent, int position) {
    if (parent != nullptr && parent->level >= kMaxLevel)
        return kLevelRefused;
    TreeItem* item = new (std::nothrow) TreeItem;
    if (item == nullptr)
        return kListFull;
    item->pathNumber = pathNumber;
    item->kind = static_cast<std::uint16_t>(kind);
    item->parent = parent;
    item->lastSiblingMask = parent != nullptr ? parent->lastSiblingMask : 0;
    item->level = parent != nullptr ? static_cast<std::uint16_t>(parent->level + 1) : 0;
    // A child's own bit is not its parent's: it starts as "not last".
    if (item->level > 0)
        item->lastSiblingMask &= static_cast<std::uint16_t>(~bitOf(item->level));

    const int index = rows.insertRow(position, item);
    if (index < 0) {
        delete item;
        return kListFull;
    }
    if (!rows.bulk && index > 0 && item->level > 0) {
        TreeItem* before = rows.row(index - 1);
        if (before->level > 0 && before->isLastChild()) {
            before->lastSiblingMask &= static_cast<std::uint16_t>(~bitOf(before->level));
            item->lastSiblingMask |= bitOf(item->level);
        }
    }
    return index;
}

void noteRowLeaving(TreeRows& rows, int index) {
    if (rows.bulk || index <= 0 || index >= rows.rowCount())
        return;
    const TreeItem* item = rows.row(index);
    TreeItem* before = rows.row(index - 1);
    if (item == nullptr || before == nullptr)
        return;
    if (item->level > 0 && item->isLastChild() && before->level == item->level)
        before->lastSiblingMask |= bitOf(before->level);
}

int lastDescendant(const TreeRows& rows, int index) {
    const int level = rows.row(index)->level;
    int last = index;
    const int count = rows.rowCount();
    while (last + 1 < count && rows.row(last + 1)->level > level)
        ++last;
    return last;
}

void collapseItem(TreeRows& rows, int index) {
    TreeItem* item = rows.row(index);
    const bool wasBulk = rows.bulk;
    rows.bulk = true;
    // From the end backwards, so the indexes still to visit stay put.
    for (int i = lastDescendant(rows, index); i > index; --i)
        rows.eraseRow(i);
    item->expanded = 0;
    rows.bulk = wasBulk;
}

int finishExpand(TreeRows& rows, int index, int hookResult) {
    TreeItem* item = rows.row(index);
    item->expanded = static_cast<std::uint32_t>(hookResult);
    int lastChild = -1;
    const int end = lastDescendant(rows, index);
    for (int i = index + 1; i <= end; ++i)
        if (rows.row(i)->level == item->level + 1)
            lastChild = i;
    if (lastChild < 0) {
        // No child came: an empty directory stays closed, wherever it stands.
        item->expanded = 0;
        return -1;
    }
    rows.row(lastChild)->lastSiblingMask |= bitOf(item->level + 1);
    // The last child's bit also marks its open descendants' column.
    for (int i = lastChild + 1; i <= end; ++i)
        rows.row(i)->lastSiblingMask |= bitOf(item->level + 1);
    return lastChild;
}

TreeLine treeLineAt(const TreeItem& item, int k) {
    if (k < 1 || k > item.level)
        return TreeLine::None;
    if (k < item.level)
        return item.lastAtLevel(k) ? TreeLine::None : TreeLine::Through;
    return item.isLastChild() ? TreeLine::Corner : TreeLine::Tee;
}

} // namespace listbox
