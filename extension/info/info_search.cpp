// Rules of the info search.
#include "extension/info/info_search.h"

namespace info {

bool searchesInto(std::uint32_t attributes, std::string_view name) {
    return attributes == 0x10 && !name.empty() && name.front() != '.';
}

WindowSize searchWindowSize(int clientWidth) {
    const int width = clientWidth / 4 * 3;
    return {width, width / 2};
}

std::string withCount(std::string_view pattern, int count) {
    std::string result(pattern);
    const std::size_t at = result.find("%d");
    if (at != std::string::npos)
        result.replace(at, 2, std::to_string(count));
    return result;
}

} // namespace info
