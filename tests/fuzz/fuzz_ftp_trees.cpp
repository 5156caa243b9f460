// The FTP trees over arbitrary input: listing lines from the server, the
// drop paths built from them, and the tree rows opened and closed in any
// order. A listing item is the end of its line (its line end aside), never "." or "..", and of
// the kind the line's first character says; a copy lands in the drop
// directory under the source's last part; after any sequence of opening and
// closing, every row's level follows its parent's and the last-sibling bits
// are those of a fresh build.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "extension/ftp/listing_file.h"
#include "extension/ftp/tree_paths.h"
#include "extension/listbox/tree_items.h"

namespace {

void check(bool ok) {
    if (!ok)
        std::abort();
}

void checkListingLine(std::string line) {
    const auto entry = ftp::parseListingLine(line);
    if (!entry)
        return;
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.pop_back(); // the line end is not part of the name
    check(!line.empty() && (line[0] == 'd' || line[0] == '-'));
    check(entry->kind == (line[0] == 'd' ? ftp::EntryKind::Directory : ftp::EntryKind::File));
    check(!entry->name.empty() && entry->name != "." && entry->name != "..");
    check(line.size() >= entry->name.size() &&
          line.compare(line.size() - entry->name.size(), std::string::npos, entry->name) == 0);

    const std::string remote = ftp::childPath("", entry->name, ftp::kRemoteSeparator);
    check(remote == "/" + entry->name);
    const std::string directory = ftp::dropDirectory(remote, entry->kind == ftp::EntryKind::Directory, '/');
    check(remote.compare(0, directory.size(), directory) == 0);
    const std::string local = ftp::copyDestination("C:\\DOCS", '\\', remote, '/');
    const std::string_view last = ftp::lastPathPart(remote, '/');
    check(local == "C:\\DOCS\\" + std::string(last));
}

class VectorRows : public TreeRows {
public:
    std::vector<std::unique_ptr<TreeItem>> rows;
    int rowCount() const override { return static_cast<int>(rows.size()); }
    TreeItem* row(int index) const override { return rows.at(static_cast<std::size_t>(index)).get(); }
    int insertRow(int position, TreeItem* item) override {
        if (rows.size() >= 300) {
            delete item;
            return listbox::kListFull;
        }
        const std::size_t at = position < 0 ? rows.size() : static_cast<std::size_t>(position);
        check(at <= rows.size());
        rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(at), std::unique_ptr<TreeItem>(item));
        return static_cast<int>(at);
    }
    void eraseRow(int index) override { rows.erase(rows.begin() + index); }
};

// Each directory row that is open shows its children right below it; its
// last child carries the bit of its level, the others do not, and every
// deeper bit is copied from the parent.
void checkRows(const VectorRows& tree) {
    for (int i = 0; i < tree.rowCount(); ++i) {
        const TreeItem& item = *tree.row(i);
        check(item.level <= listbox::kMaxLevel);
        check(item.parent == nullptr ? item.level == 0 : item.level == item.parent->level + 1);
        if (item.level == 0)
            continue;
        const int end = listbox::lastDescendant(tree, i);
        const bool last = end + 1 >= tree.rowCount() || tree.row(end + 1)->level < item.level;
        check(item.isLastChild() == last);
        const std::uint16_t ancestors = static_cast<std::uint16_t>((1u << (item.level - 1)) - 1);
        check((item.lastSiblingMask & ancestors) == (item.parent->lastSiblingMask & ancestors));
    }
}

void exerciseRows(FuzzedDataProvider& input) {
    VectorRows tree;
    std::uint32_t path = 1;
    for (int n = input.ConsumeIntegralInRange(1, 6); n > 0; --n)
        listbox::insertItem(tree, path++, ItemKind::Directory, nullptr, -1);
    while (input.remaining_bytes() > 0 && tree.rowCount() > 0) {
        const int index = input.ConsumeIntegralInRange(0, tree.rowCount() - 1);
        TreeItem& item = *tree.row(index);
        if (item.expanded) {
            listbox::collapseItem(tree, index);
        } else if (item.isDirectory()) {
            // What the expand hook does: children right after the item, in bulk mode.
            tree.bulk = true;
            int position = index;
            for (int n = input.ConsumeIntegralInRange(0, 4); n > 0 && position >= 0; --n) {
                const ItemKind kind = input.ConsumeBool() ? ItemKind::Directory : ItemKind::File;
                const int result = listbox::insertItem(tree, path++, kind, &item, position + 1);
                position = result == listbox::kLevelRefused ? position : result;
            }
            tree.bulk = false;
            item.expanded = 1;
            listbox::finishExpand(tree, index, 1);
        }
        checkRows(tree);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    checkListingLine(input.ConsumeRandomLengthString(400));
    exerciseRows(input);
    return 0;
}
