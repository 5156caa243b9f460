// The tree images: bitmap 147 holds the images in its upper half and their
// transparency mask in the lower half; drawing uses two bands made from it,
// one on the highlight colour and one on the window colour. Portable.
#pragma once

#include <cstdint>
#include <vector>

namespace listbox {

constexpr int kImageWidth = 17;
constexpr int kImageHeight = 14;
constexpr int kImageStripWidth = 68;
constexpr int kImageStripHeight = 28;
// x offsets of the images in the strip; band 0 = selected, band 1 = not.
constexpr int kImageCollapsedDirectory = 0;
constexpr int kImageFile = 17;
constexpr int kImageExpandedDirectory = 34;
constexpr int kBandSelected = 0;
constexpr int kBandNormal = 1;

constexpr std::uint32_t kRgbBlue = 0x0000FF; // 0xRRGGBB
constexpr std::uint32_t kRgbMagenta = 0xFF00FF;

// Transparent where the image is blue and its mask pixel is magenta.
inline bool isTransparent(std::uint32_t image, std::uint32_t mask) {
    return image == kRgbBlue && mask == kRgbMagenta;
}

// source: width x height pixels (0xRRGGBB, top row first), height even. The
// result has the same size: upper band on highlight, lower band on window.
std::vector<std::uint32_t> composeImageBands(const std::vector<std::uint32_t>& source, int width, int height,
                                             std::uint32_t highlight, std::uint32_t window);

} // namespace listbox
