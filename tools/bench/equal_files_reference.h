// The equal-file comparison as first described: every remaining entry
// compared with every later one, equal later entries emptied. Quadratic; kept
// as the yardstick that the one-pass comparison is tested and timed against.
#pragma once

#include <string>
#include <vector>

template <class Sink> void quadraticEqualEntries(std::vector<std::string> keys, Sink& sink) {
    const std::size_t n = keys.size();
    for (std::size_t u = 0; u < n; ++u) {
        sink.searched(u);
        if (keys[u].empty())
            continue;
        sink.current(u);
        bool first = true;
        for (std::size_t g = u + 1; g < n; ++g) {
            if (keys[g] != keys[u])
                continue;
            if (first && !sink.groupStarts(u))
                return;
            first = false;
            if (!sink.equalFound(g))
                return;
            keys[g].clear();
        }
        if (!sink.goOn(u))
            return;
    }
}
