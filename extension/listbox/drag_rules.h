// The drag gesture of the list boxes: when a press on the selection becomes a
// drag, and which cursor shows. Portable.
#pragma once

namespace listbox {

// A drag starts when the mouse is more than this far from the press.
constexpr int kDragSideways = 16;
constexpr int kDragUpDown = 10;
bool beyondDragThreshold(int dx, int dy);

// Cursor slots, asked of the list's cursor hook first.
enum DragCursorIndex {
    kCursorControlOne = 0,  // Control down, one item
    kCursorControlMany = 1, // Control down, several items
    kCursorPlainOne = 2,    // Control up, one item
    kCursorPlainMany = 3,   // Control up, several items
    kCursorRefused = 4,     // the window under the mouse refuses the drop
};
int dragCursorIndex(bool controlDown, bool single);
// The cursor group of the shared set for a slot.
int defaultCursorGroup(int index);
// The hook's answer when it gives one (nonzero), else the set's.
int chooseCursorGroup(int index, int hookGroup);

// Idle -> armed (press on the selection) -> dragging (moved far enough) -> idle.
class DragTracker {
public:
    void arm(int x, int y, bool single);
    // A move while armed: true when this move starts the drag.
    bool startsDrag(int x, int y, bool controlDown);
    // Button up or cancel: back to idle; true when a drag was in progress.
    bool finish();

    bool armed() const { return armed_; }
    bool dragging() const { return dragging_; }
    bool active() const { return armed_ || dragging_; }
    bool single() const { return single_; }
    bool plain() const { return plain_; }
    int cursorIndex() const { return dragCursorIndex(!plain_, single_); }

private:
    int pressX_ = 0;
    int pressY_ = 0;
    bool armed_ = false;
    bool dragging_ = false;
    bool single_ = false;
    bool plain_ = true;
};

} // namespace listbox
