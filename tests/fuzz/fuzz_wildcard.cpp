// wildcardMatch against a slow table of every prefix pair: any difference is a
// finding. Also the pattern lists the prompts make from a typed text.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <vector>

#include "common/filetools/search_patterns.h"
#include "common/filetools/wildcard.h"
#include "tests/fuzz/fuzz_support.h"

using namespace filetools;

namespace {

bool slowMatch(std::string_view text, std::string_view pattern) {
    return !text.empty() && !pattern.empty() && slowWildcard(text, pattern);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const bool derived = in.ConsumeBool();
    std::string pattern = in.ConsumeRandomLengthString(64);
    const std::string text = in.ConsumeRandomLengthString(1000);
    if (derived) {
        // Random patterns seldom match: make one from the text, each character
        // kept, turned into '?', swallowed by a star, or followed by stars.
        pattern.clear();
        for (char c : text) {
            const int op = in.ConsumeIntegralInRange(0, 5);
            pattern += op == 1 ? "?" : op == 2 ? (pattern.ends_with('*') ? "" : "*") : std::string(1, c);
            pattern += op == 4 ? "*" : op == 5 ? "**" : "";
        }
    }
    if (wildcardMatch(text, pattern) != slowMatch(text, pattern))
        std::abort();

    // The typed text as the prompts see it: at most ten trimmed, non-empty
    // entries without a bar, each of which a name can match.
    const std::vector<std::string> patterns = splitPatterns(searchTextFromField(pattern));
    if (patterns.size() > kMaxPatterns)
        std::abort();
    bool any = false;
    for (const std::string& p : patterns) {
        if (p.empty() || p.find('|') != std::string::npos || p.front() == ' ' || p.back() == ' ')
            std::abort();
        any = any || slowMatch(text, p);
    }
    if (nameMatchesAny(text, patterns) != any)
        std::abort();
    return 0;
}
