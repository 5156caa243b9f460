// Which entries of the file table are equal files: the same name and the same
// size, compared as whole "name<TAB>size" keys, byte for byte.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace filetools {

// The groups of equal keys, found in one pass with a hash table. Taken in
// entry order they give exactly what comparing every entry with every later
// one gives: a group belongs to its first entry, its later entries follow in
// entry order and take part in no other comparison.
class EqualFileGroups {
public:
    static constexpr std::uint32_t kNone = 0xFFFFFFFFu;

    explicit EqualFileGroups(const std::vector<std::string>& keys);

    // The first entry of a group with at least one more entry.
    bool isHead(std::size_t entry) const { return next_[entry] != kNone && !later_[entry]; }
    // An entry that an earlier equal entry already took into its group (or an
    // empty one): it is skipped.
    bool isLater(std::size_t entry) const { return later_[entry] != 0; }
    // The group's next entry after this one, kNone after the last.
    std::uint32_t next(std::size_t entry) const { return next_[entry]; }

    std::size_t groupCount() const { return groups_; }

private:
    std::vector<std::uint32_t> next_;
    std::vector<std::uint8_t> later_;
    std::size_t groups_ = 0;
};

// The group head in the list: the key up to its TAB.
std::string_view groupHead(std::string_view key);

// The comparison over the keys of the file table, entry by entry, telling
// the sink what to show. The sink has:
//   void searched(size_t u)       every entry: counted, progress shown
//   void current(size_t u)        an entry not taken by an earlier group
//   bool groupStarts(size_t u)    u has equal entries: group counted, head and
//                                 u's line added; false ends the comparison
//   bool equalFound(size_t g)     a later equal entry's line added, hit
//                                 counted; false ends the comparison
//   bool goOn(size_t u)           after u: false (Escape) ends the comparison
// Linear in the number of keys; the calls are those of comparing each entry
// with every later one.
template <class Sink> void compareEqualEntries(const std::vector<std::string>& keys, Sink& sink) {
    const EqualFileGroups groups(keys);
    for (std::size_t u = 0; u < keys.size(); ++u) {
        sink.searched(u);
        if (groups.isLater(u))
            continue;
        sink.current(u);
        if (groups.isHead(u)) {
            if (!sink.groupStarts(u))
                return;
            for (std::uint32_t g = groups.next(u); g != EqualFileGroups::kNone; g = groups.next(g))
                if (!sink.equalFound(g))
                    return;
        }
        if (!sink.goOn(u))
            return;
    }
}

} // namespace filetools
