// The shared images and cursors of the list boxes.
#include "extension/listbox/list_images_win.h"

#include <cstdint>
#include <vector>

#include "extension/listbox/drag_rules.h"
#include "extension/listbox/image_bands.h"
#include "resources/list_box_ids.h"

namespace {

ListImageSet* sharedSet = nullptr;

const int kCursorGroups[] = {IDCUR_DRAG_PLAIN_ONE,   IDCUR_DRAG_PLAIN_MANY,   IDCUR_DRAG_REFUSED,
                             IDCUR_DRAG_CONTROL_ONE, IDCUR_DRAG_CONTROL_MANY, IDCUR_FTP_COPY_PLAIN,
                             IDCUR_FTP_COPY_CONTROL};

std::uint32_t rgbOf(COLORREF colour) {
    return (static_cast<std::uint32_t>(GetRValue(colour)) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

BITMAPINFO topDownInfo() {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = listbox::kImageStripWidth;
    info.bmiHeader.biHeight = -listbox::kImageStripHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// The drawing bitmap: the strip's images on the highlight colour above and
// on the window colour below. 32-bit pixels are 0x00RRGGBB in memory order BGRA.
HBITMAP makeDrawingBitmap(HINSTANCE module, COLORREF highlight, COLORREF window) {
    HBITMAP strip = LoadBitmapA(module, MAKEINTRESOURCEA(IDB_TREE_IMAGES));
    if (strip == nullptr)
        return nullptr;
    std::vector<std::uint32_t> pixels(listbox::kImageStripWidth * listbox::kImageStripHeight);
    BITMAPINFO info = topDownInfo();
    HDC screen = GetDC(nullptr);
    const int read = GetDIBits(screen, strip, 0, listbox::kImageStripHeight, pixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(strip);
    HBITMAP result = nullptr;
    if (read == listbox::kImageStripHeight) {
        for (std::uint32_t& p : pixels)
            p &= 0xFFFFFF;
        std::vector<std::uint32_t> bands = listbox::composeImageBands(
            pixels, listbox::kImageStripWidth, listbox::kImageStripHeight, rgbOf(highlight), rgbOf(window));
        result = CreateCompatibleBitmap(screen, listbox::kImageStripWidth, listbox::kImageStripHeight);
        info = topDownInfo();
        if (result != nullptr)
            SetDIBits(screen, result, 0, listbox::kImageStripHeight, bands.data(), &info, DIB_RGB_COLORS);
    }
    ReleaseDC(nullptr, screen);
    return result;
}

} // namespace

const ListImageSet& ListImageSet::shared(HINSTANCE module) {
    if (sharedSet == nullptr)
        sharedSet = new ListImageSet(module);
    return *sharedSet;
}

void ListImageSet::releaseShared() {
    delete sharedSet;
    sharedSet = nullptr;
}

ListImageSet::ListImageSet(HINSTANCE module) {
    window = GetSysColor(COLOR_WINDOW);
    highlight = GetSysColor(COLOR_HIGHLIGHT);
    windowText = GetSysColor(COLOR_WINDOWTEXT);
    highlightText = GetSysColor(COLOR_HIGHLIGHTTEXT);
    bitmap_ = makeDrawingBitmap(module, highlight, window);
    for (int i = 0; i < 7; ++i)
        cursors_[i] = LoadCursorA(module, MAKEINTRESOURCEA(kCursorGroups[i]));
}

ListImageSet::~ListImageSet() {
    if (bitmap_ != nullptr)
        DeleteObject(bitmap_);
    // Cursors from resources belong to the system; nothing to free.
}

void ListImageSet::drawImage(HDC dc, int x, int y, int imageOffset, int band) const {
    if (bitmap_ == nullptr)
        return;
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, bitmap_);
    BitBlt(dc, x, y, listbox::kImageWidth, listbox::kImageHeight, memory, imageOffset, band * listbox::kImageHeight,
           SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
}

HCURSOR ListImageSet::cursor(int group) const {
    for (int i = 0; i < 7; ++i)
        if (kCursorGroups[i] == group)
            return cursors_[i];
    return nullptr;
}

HCURSOR ListImageSet::dragCursor(int index) const {
    return cursor(listbox::defaultCursorGroup(index));
}
