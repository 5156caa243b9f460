// The size tree's rules: labels, the counting test, the sorted nodes with
// their totals summed once bottom-up, and the final open/closed states.
#include "common/filetools/size_tree.h"

#include <algorithm>

#include "common/text/number_format.h"

namespace filetools {

namespace {

std::string rightAligned(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

} // namespace

std::string_view sizeNodeName(std::string_view path) {
    if (std::count(path.begin(), path.end(), '\\') < 2)
        return path;
    return fileNameOf(path);
}

std::string sizeLabel(std::string_view path, const SizeTotals& totals, std::string_view filesText) {
    std::string label(sizeNodeName(path));
    label += "  ";
    if (label.size() < kSizeLabelNameColumn)
        label.append(kSizeLabelNameColumn - label.size(), ' ');
    label += rightAligned(text::formatNumber(totals.bytes / 1024, 0), 7);
    label += " KB";
    label += rightAligned(text::formatNumber(totals.files, 0), 8);
    label += ' ';
    label += filesText;
    if (label.size() > kMaxSizeLabel)
        label.resize(kMaxSizeLabel);
    return label;
}

bool sizeCounts(std::string_view upperName, std::uint8_t attributes, const std::vector<std::string>& patterns,
                const AttributeFilter* filter) {
    if (!nameMatchesAny(upperName, patterns))
        return false;
    return filter == nullptr || filter->accepts(attributes);
}

bool isDriveRootLine(std::string_view line) {
    return line.size() == 3;
}

int SizeTree::addTopLevel(std::string label, bool folder, bool driveRoot, std::uint32_t fileSize) {
    Node n;
    n.path = std::move(label);
    n.folder = folder;
    n.driveRoot = driveRoot;
    if (!folder)
        n.own.addFile(fileSize);
    const int index = static_cast<int>(nodes_.size());
    nodes_.push_back(std::move(n));
    // After the equal labels, as the tree control inserts a sorted item.
    const auto place = std::upper_bound(topLevel_.begin(), topLevel_.end(), index,
                                        [&](int a, int b) { return compare_(node(a).path, node(b).path) < 0; });
    topLevel_.insert(place, index);
    return index;
}

int SizeTree::previousTopLevel(int index) const {
    const auto at = std::find(topLevel_.begin(), topLevel_.end(), index);
    return at == topLevel_.begin() || at == topLevel_.end() ? -1 : *(at - 1);
}

std::vector<int> SizeTree::addChildren(int parent, std::vector<std::string> paths) {
    std::stable_sort(paths.begin(), paths.end(),
                     [&](const std::string& a, const std::string& b) { return compare_(a, b) < 0; });
    std::vector<int> added;
    added.reserve(paths.size());
    for (std::string& p : paths) {
        Node n;
        n.path = std::move(p);
        n.folder = true;
        n.parent = parent;
        added.push_back(static_cast<int>(nodes_.size()));
        nodes_.push_back(std::move(n));
    }
    std::vector<int>& children = at(parent).children;
    children.insert(children.end(), added.begin(), added.end());
    return added;
}

std::string SizeTree::folderOf(int index) const {
    const Node& n = node(index);
    return n.driveRoot ? n.path.substr(0, 2) : n.path;
}

void SizeTree::expand(int index) {
    if (!node(index).children.empty())
        at(index).expanded = true;
}

void SizeTree::setOwn(int index, const SizeTotals& own) {
    at(index).own = own;
}

void SizeTree::sumSubtree(int top) {
    const std::vector<int> order = displayOrder(top);
    // Children stand after their parent in display order: walking it backwards
    // finishes every child before its parent needs it.
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        Node& n = at(*it);
        n.total = n.own;
        for (int child : n.children)
            n.total.add(node(child).total);
        n.summed = true;
        expand(*it);
    }
}

std::vector<int> SizeTree::displayOrder(int top) const {
    std::vector<int> order;
    std::vector<int> stack{top};
    while (!stack.empty()) {
        const int index = stack.back();
        stack.pop_back();
        order.push_back(index);
        const std::vector<int>& children = node(index).children;
        stack.insert(stack.end(), children.rbegin(), children.rend());
    }
    return order;
}

std::vector<bool> SizeTree::openAfterCollapse() const {
    std::vector<bool> open(nodes_.size());
    for (std::size_t i = 0; i < nodes_.size(); ++i)
        open[i] = nodes_[i].expanded;
    if (topLevel_.empty())
        return open;
    // Seen in display order: the first entry, its children when it is open,
    // and the other entries. Each is closed before the next is looked at, so
    // nothing below a closed node is seen.
    const int first = topLevel_.front();
    if (open[static_cast<std::size_t>(first)])
        for (int child : node(first).children)
            open[static_cast<std::size_t>(child)] = false;
    for (std::size_t i = 1; i < topLevel_.size(); ++i)
        open[static_cast<std::size_t>(topLevel_[i])] = false;
    return open;
}

} // namespace filetools
