// The tree list box: rows of TreeItem records in a list box control, drawn
// with tree lines; a double click opens or closes a directory.
#include "extension/listbox/tree_list_box_win.h"

#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "common/win/plain_message.h"
#include "extension/listbox/image_bands.h"
#include "extension/listbox/list_images_win.h"

namespace {

const char kLevelMessage[] = "This implementation supports\na maximum of 16 levels of indentation";
const char kTooManyMessage[] = "Too many items in list box";
constexpr int kLineHeight = listbox::kImageHeight / 2;

} // namespace

int TreeListBox::ListRows::rowCount() const {
    return owner_.count();
}

TreeItem* TreeListBox::ListRows::row(int index) const {
    return owner_.item(index);
}

int TreeListBox::ListRows::insertRow(int position, TreeItem* item) {
    const LRESULT index =
        SendMessageA(owner_.window(), LB_INSERTSTRING, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(item));
    return index < 0 ? -1 : static_cast<int>(index);
}

void TreeListBox::ListRows::eraseRow(int index) {
    // Through the list's own handling, which frees the record.
    SendMessageA(owner_.window(), LB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

TreeListBox::TreeListBox() = default;

TreeListBox::~TreeListBox() {
    if (window() != nullptr && IsWindow(window())) {
        freeAllRecords();
        SendMessageA(window(), LB_RESETCONTENT, 0, 0);
    }
    detach();
}

int TreeListBox::insertItem(std::uint32_t pathNumber, ItemKind kind, TreeItem* parent, int position) {
    const int result = listbox::insertItem(rows_, pathNumber, kind, parent, position);
    if (result == listbox::kLevelRefused)
        showMessage(GetParent(window()), kLevelMessage);
    return result;
}

TreeItem* TreeListBox::item(int index) const {
    return reinterpret_cast<TreeItem*>(itemData(index));
}

void TreeListBox::toggleItem(int index) {
    TreeItem* row = item(index);
    if (row == nullptr)
        return;
    if (row->expanded) {
        setRedraw(false);
        listbox::collapseItem(rows_, index);
        setRedraw(true);
        return;
    }
    expand(index);
}

void TreeListBox::expand(int index) {
    setRedraw(false);
    HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    setBulk(true);
    int position = index;
    const int result = expandItem(*item(index), position);
    setBulk(false);
    const int lastChild = listbox::finishExpand(rows_, index, result);
    SetCursor(previous);
    if (position == listbox::kListFull) {
        showMessage(GetParent(window()), kTooManyMessage);
    } else if (lastChild >= 0) {
        // When the children reach below the visible rows, the opened item goes to the top.
        RECT area{}, last{};
        GetClientRect(window(), &area);
        SendMessageA(window(), LB_GETITEMRECT, static_cast<WPARAM>(lastChild), reinterpret_cast<LPARAM>(&last));
        if (last.bottom > area.bottom)
            SendMessageA(window(), LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
    }
    setRedraw(true);
}

void TreeListBox::freeAllRecords() {
    const int total = count();
    for (int i = 0; i < total; ++i) {
        delete item(i);
        SendMessageA(window(), LB_SETITEMDATA, static_cast<WPARAM>(i), 0);
    }
}

void TreeListBox::drawTreeItem(HDC, const TreeItem&, const RECT&, bool) {}

int TreeListBox::expandItem(TreeItem&, int&) {
    return 0;
}

void TreeListBox::measureItem(MEASUREITEMSTRUCT& measure) {
    measure.itemHeight = static_cast<UINT>(std::max(textHeight(), listbox::kImageHeight));
}

void TreeListBox::drawItem(const DRAWITEMSTRUCT& draw) {
    const TreeItem* row = reinterpret_cast<const TreeItem*>(draw.itemData);
    if (draw.itemID == static_cast<UINT>(-1) || row == nullptr) {
        drawFocus(draw, lines_ ? listbox::kIndent : 0);
        return;
    }
    const int indent = listbox::kIndent * row->level;
    if (draw.itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) {
        const RECT& full = draw.rcItem;
        if (lines_) {
            HPEN pen = CreatePen(PS_SOLID, 1, textColour(false));
            HGDIOBJ old = SelectObject(draw.hDC, pen);
            for (int k = 1; k <= row->level; ++k) {
                const int x = full.left + listbox::kIndent * (k - 1) + listbox::kIndent / 2;
                const int middle = full.top + kLineHeight;
                const listbox::TreeLine line = listbox::treeLineAt(*row, k);
                if (line == listbox::TreeLine::None)
                    continue;
                MoveToEx(draw.hDC, x, full.top, nullptr);
                LineTo(draw.hDC, x, line == listbox::TreeLine::Corner ? middle : full.bottom);
                if (line != listbox::TreeLine::Through) {
                    MoveToEx(draw.hDC, x, middle, nullptr);
                    LineTo(draw.hDC, x + listbox::kIndent / 2, middle);
                }
            }
            SelectObject(draw.hDC, old);
            DeleteObject(pen);
        }
        RECT rect = full;
        rect.left += indent;
        const bool selected = (draw.itemState & ODS_SELECTED) != 0;
        SetBkColor(draw.hDC, backgroundColour(selected));
        ExtTextOutA(draw.hDC, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
        SetTextColor(draw.hDC, textColour(selected));
        drawTreeItem(draw.hDC, *row, rect, selected);
    }
    drawFocus(draw, indent);
}

LRESULT TreeListBox::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case LB_DELETESTRING: {
        const int index = static_cast<int>(wParam);
        TreeItem* row = index >= 0 && index < count() ? item(index) : nullptr;
        listbox::noteRowLeaving(rows_, index);
        const LRESULT result = callOriginal(message, wParam, lParam);
        if (result != LB_ERR)
            delete row;
        return result;
    }
    case LB_RESETCONTENT:
    case WM_DESTROY: {
        // The records go with the rows.
        std::vector<TreeItem*> records;
        for (int i = 0, total = count(); i < total; ++i)
            records.push_back(item(i));
        const LRESULT result = CListBoxEx::handleMessage(message, wParam, lParam);
        for (TreeItem* record : records)
            delete record;
        return result;
    }
    case WM_LBUTTONDBLCLK: {
        const LRESULT result = CListBoxEx::handleMessage(message, wParam, lParam);
        const int index = itemFromPoint(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        if (index >= 0)
            toggleItem(index);
        return result;
    }
    default:
        return CListBoxEx::handleMessage(message, wParam, lParam);
    }
}
