// When a press becomes a drag, and which cursor it shows.
#include "extension/listbox/drag_rules.h"

#include <cstdlib>

#include "resources/list_box_ids.h"

namespace listbox {

bool beyondDragThreshold(int dx, int dy) {
    return std::abs(dx) > kDragSideways || std::abs(dy) > kDragUpDown;
}

int dragCursorIndex(bool controlDown, bool single) {
    if (controlDown)
        return single ? kCursorControlOne : kCursorControlMany;
    return single ? kCursorPlainOne : kCursorPlainMany;
}

int defaultCursorGroup(int index) {
    static const int groups[] = {IDCUR_DRAG_CONTROL_ONE, IDCUR_DRAG_CONTROL_MANY, IDCUR_DRAG_PLAIN_ONE,
                                 IDCUR_DRAG_PLAIN_MANY, IDCUR_DRAG_REFUSED};
    return index >= 0 && index < 5 ? groups[index] : 0;
}

int chooseCursorGroup(int index, int hookGroup) {
    return hookGroup != 0 ? hookGroup : defaultCursorGroup(index);
}

void DragTracker::arm(int x, int y, bool single) {
    pressX_ = x;
    pressY_ = y;
    single_ = single;
    armed_ = true;
    dragging_ = false;
}

bool DragTracker::startsDrag(int x, int y, bool controlDown) {
    if (!armed_ || dragging_ || !beyondDragThreshold(x - pressX_, y - pressY_))
        return false;
    dragging_ = true;
    plain_ = !controlDown;
    return true;
}

bool DragTracker::finish() {
    const bool wasDragging = dragging_;
    armed_ = false;
    dragging_ = false;
    return wasDragging;
}

} // namespace listbox
