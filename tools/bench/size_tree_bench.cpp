// Size tree benchmark of the rules on a real folder (POSIX enumeration): the
// tree built as the helper builds it, then every node's total computed once
// bottom-up and, for comparison, by walking each node's subtree again (a
// folder at depth d read d + 1 times). Checks that both give the same labels.
// Usage: size_tree_bench FOLDER
#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "common/filetools/size_tree.h"

using filetools::SizeTotals;
using filetools::SizeTree;

namespace {

const filetools::UpperTable upper = filetools::ansiUpperTable1252();
const std::vector<std::string> patterns{"*"};

// Calls visit(name, isFolder, size) for every entry whose name does not begin with '.'.
template <typename Visit> void enumerate(const std::string& folder, Visit visit) {
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr)
        return;
    while (dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        struct stat st {};
        if (fstatat(dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        visit(std::string(entry->d_name), S_ISDIR(st.st_mode), static_cast<std::uint32_t>(st.st_size));
    }
    closedir(dir);
}

void build(SizeTree& tree, int node) {
    std::vector<std::string> found;
    const std::string folder = tree.folderOf(node);
    enumerate(folder, [&](const std::string& name, bool isFolder, std::uint32_t) {
        if (isFolder)
            found.push_back(folder + "/" + name);
    });
    for (int child : tree.addChildren(node, std::move(found)))
        build(tree, child);
}

SizeTotals ownFiles(const std::string& folder) {
    SizeTotals own;
    enumerate(folder, [&](const std::string& name, bool isFolder, std::uint32_t size) {
        if (!isFolder && filetools::sizeCounts(upper.apply(name), 0, patterns, nullptr))
            own.addFile(size);
    });
    return own;
}

void rewalk(const std::string& folder, SizeTotals& total) {
    total.add(ownFiles(folder));
    enumerate(folder, [&](const std::string& name, bool isFolder, std::uint32_t) {
        if (isFolder)
            rewalk(folder + "/" + name, total);
    });
}

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: size_tree_bench FOLDER\n");
        return 2;
    }
    SizeTree tree([](std::string_view a, std::string_view b) {
        return strcasecmp(std::string(a).c_str(), std::string(b).c_str());
    });
    auto start = std::chrono::steady_clock::now();
    const int top = tree.addTopLevel(argv[1], true, false);
    build(tree, top);
    const double built = secondsSince(start);

    start = std::chrono::steady_clock::now();
    const std::vector<int> order = tree.displayOrder(top);
    for (int node : order)
        tree.setOwn(node, ownFiles(tree.folderOf(node)));
    tree.sumSubtree(top);
    std::vector<std::string> labels;
    for (int node : order)
        labels.push_back(filetools::sizeLabel(tree.node(node).path, tree.node(node).total, "files"));
    const double once = secondsSince(start);

    start = std::chrono::steady_clock::now();
    std::size_t differ = 0;
    for (std::size_t i = 0; i < order.size(); ++i) {
        SizeTotals total;
        rewalk(tree.folderOf(order[i]), total);
        differ += filetools::sizeLabel(tree.node(order[i]).path, total, "files") != labels[i];
    }
    const double again = secondsSince(start);

    std::printf("nodes %zu  build %.3fs  sums once %.3fs  sums re-walked per node %.3fs  labels differing %zu\n",
                order.size(), built, once, again, differ);
    std::printf("top: %s\n", labels.front().c_str());
    return differ == 0 ? 0 : 1;
}
