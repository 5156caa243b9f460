// The two drawing bands made from the image strip and its mask.
#include "extension/listbox/image_bands.h"

#include <cstddef>

namespace listbox {

std::vector<std::uint32_t> composeImageBands(const std::vector<std::uint32_t>& source, int width, int height,
                                             std::uint32_t highlight, std::uint32_t window) {
    const int half = height / 2;
    std::vector<std::uint32_t> bands(static_cast<std::size_t>(width) * height);
    if (source.size() < bands.size())
        return bands;
    for (int y = 0; y < half; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t image = source[static_cast<std::size_t>(y) * width + x];
            const std::uint32_t mask = source[static_cast<std::size_t>(y + half) * width + x];
            const bool clear = isTransparent(image, mask);
            bands[static_cast<std::size_t>(y) * width + x] = clear ? highlight : image;
            bands[static_cast<std::size_t>(y + half) * width + x] = clear ? window : image;
        }
    }
    return bands;
}

} // namespace listbox
