// Grouping equal keys in one pass: each key's last entry so far is kept in a
// hash table, and every further equal entry is chained behind it.
#include "common/filetools/equal_files.h"

#include <unordered_map>

namespace filetools {

EqualFileGroups::EqualFileGroups(const std::vector<std::string>& keys)
    : next_(keys.size(), kNone), later_(keys.size(), 0) {
    struct Last {
        std::uint32_t entry;
    };
    std::unordered_map<std::string_view, Last> last;
    last.reserve(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (keys[i].empty()) {
            later_[i] = 1; // an emptied entry takes part in no comparison
            continue;
        }
        const auto [at, inserted] = last.try_emplace(keys[i], Last{static_cast<std::uint32_t>(i)});
        if (inserted)
            continue;
        if (!later_[at->second.entry])
            ++groups_; // the first entry gets its first equal one
        next_[at->second.entry] = static_cast<std::uint32_t>(i);
        later_[i] = 1;
        at->second.entry = static_cast<std::uint32_t>(i);
    }
}

std::string_view groupHead(std::string_view key) {
    return key.substr(0, key.find('\t'));
}

} // namespace filetools
