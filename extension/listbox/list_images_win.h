// The images and cursors both trees share: created once, at the first use,
// and kept until the library unloads.
#pragma once

#include <windows.h>

class ListImageSet {
public:
    // The one set, made from module's bitmap 147 and cursors at the first call.
    static const ListImageSet& shared(HINSTANCE module);
    // At library end.
    static void releaseShared();

    // Draws an image (listbox::kImageFile etc.) of a band (listbox::kBandSelected
    // or kBandNormal) with its top-left corner at x, y.
    void drawImage(HDC dc, int x, int y, int imageOffset, int band) const;
    // A cursor group of the library (145, 146, 184, 187, 190, 193, 195); nullptr for others.
    HCURSOR cursor(int group) const;
    // The default cursor of a drag slot (listbox::DragCursorIndex).
    HCURSOR dragCursor(int index) const;
    HBITMAP bitmap() const { return bitmap_; }

    // System colours, read at creation.
    COLORREF window = 0;
    COLORREF highlight = 0;
    COLORREF windowText = 0;
    COLORREF highlightText = 0;

    ListImageSet(const ListImageSet&) = delete;
    ListImageSet& operator=(const ListImageSet&) = delete;

private:
    explicit ListImageSet(HINSTANCE module);
    ~ListImageSet();

    HBITMAP bitmap_ = nullptr;
    HCURSOR cursors_[7] = {};
};
