// The size tree of the helper as plain data: the nodes in label order, what
// each counts, the one-line labels, and which nodes stay open at the end.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/filetools/search_patterns.h"

namespace filetools {

// Byte total and file count; both wrap at 2^32 like the 32-bit sizes they add.
struct SizeTotals {
    std::uint32_t bytes = 0;
    std::uint32_t files = 0;

    void addFile(std::uint32_t size) {
        bytes += size;
        ++files;
    }
    void add(const SizeTotals& other) {
        bytes += other.bytes;
        files += other.files;
    }
};

// A label holds at most this many characters.
inline constexpr std::size_t kMaxSizeLabel = 259;
// The name is padded with blanks up to this column (at least two blanks).
inline constexpr std::size_t kSizeLabelNameColumn = 27;

// The path itself when it has fewer than two backslashes (a drive root, or
// the root's direct subdirectory), else the part after the last backslash.
std::string_view sizeNodeName(std::string_view path);

// "<name>  <blanks to column 27><KB in 7> KB<count in 8> <files text>",
// numbers in German style, cut to kMaxSizeLabel characters.
std::string sizeLabel(std::string_view path, const SizeTotals& totals, std::string_view filesText);

// Whether a file met below a selected folder counts: its upper-cased name
// matches one of the patterns and, when a filter is given, its attributes pass.
bool sizeCounts(std::string_view upperName, std::uint8_t attributes, const std::vector<std::string>& patterns,
                const AttributeFilter* filter);

// A selection line of exactly three characters ("C:\") is a drive root: it
// is shown with "*" appended and walked from the root. Longer lines, even of
// four characters ("C:\A"), are ordinary entries.
bool isDriveRootLine(std::string_view line);

// The nodes of the size tree: the selection entries sorted by label at the
// top, every folder's subfolders sorted below it. Labels compare like the
// tree control sorts them (the glue passes the platform's comparison).
class SizeTree {
public:
    // <0, 0, >0 as the labels sort.
    using Compare = std::function<int(std::string_view, std::string_view)>;

    struct Node {
        std::string path; // the label while the tree is built
        bool folder = false;
        bool driveRoot = false;
        int parent = -1;
        std::vector<int> children; // in label order
        bool expanded = false;
        bool summed = false;
        SizeTotals own;   // the files directly in the folder, or the file itself
        SizeTotals total; // the whole subtree
    };

    explicit SizeTree(Compare compare) : compare_(std::move(compare)) {}

    // A selection entry; returns its node. A file brings its size along:
    // a directly selected file counts without any test.
    int addTopLevel(std::string label, bool folder, bool driveRoot, std::uint32_t fileSize = 0);
    // The top-level node shown just before this one, or -1 when it is first.
    int previousTopLevel(int node) const;
    // The subfolders of a folder (full paths, in any order); returns the new
    // nodes in label order.
    std::vector<int> addChildren(int parent, std::vector<std::string> paths);

    const Node& node(int index) const { return nodes_[static_cast<std::size_t>(index)]; }
    std::size_t size() const { return nodes_.size(); }
    const std::vector<int>& topLevel() const { return topLevel_; }
    int firstTopLevel() const { return topLevel_.empty() ? -1 : topLevel_.front(); }

    // The folder to enumerate for a node: the drive "X:" for a root line.
    std::string folderOf(int index) const;

    // Opens a node (only a node with children opens).
    void expand(int index);
    // The files counted directly in a folder.
    void setOwn(int index, const SizeTotals& own);
    // Totals of every node below and including top, each the sum of its own
    // files and its children's totals; the nodes are then summed and open.
    void sumSubtree(int top);

    // Nodes in display order below and including top, as if all were open.
    std::vector<int> displayOrder(int top) const;

    // What stays open after the closing step: the first top-level node keeps
    // its state, every other node that would be seen is closed, nodes hidden
    // below a closed one keep theirs.
    std::vector<bool> openAfterCollapse() const;

private:
    Node& at(int index) { return nodes_[static_cast<std::size_t>(index)]; }

    Compare compare_;
    std::vector<Node> nodes_;
    std::vector<int> topLevel_;
};

} // namespace filetools
