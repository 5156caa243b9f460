// The drag gesture of CListBoxEx on a list box control it has taken over.
#include "extension/listbox/list_box_ex_win.h"

#include <windowsx.h>

#include <algorithm>

#include "extension/listbox/image_bands.h"
#include "extension/listbox/list_images_win.h"

namespace {

const char kObjectProperty[] = "CListBoxEx";
UINT canDropMessage = 0;
UINT dropMessage = 0;

POINT pointOf(LPARAM lParam) {
    return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

} // namespace

void registerDragMessages() {
    canDropMessage = RegisterWindowMessageA("TEST_CANDROP");
    dropMessage = RegisterWindowMessageA("TEST_DROP");
}

UINT testCanDropMessage() {
    if (canDropMessage == 0)
        registerDragMessages();
    return canDropMessage;
}

UINT testDropMessage() {
    if (dropMessage == 0)
        registerDragMessages();
    return dropMessage;
}

CListBoxEx::~CListBoxEx() {
    detach();
}

bool CListBoxEx::attach(HWND control) {
    if (window_ != nullptr || !IsWindow(control) || fromWindow(control) != nullptr)
        return false;
    window_ = control;
    SetPropA(control, kObjectProperty, this);
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CListBoxEx::procedure)));
    return true;
}

void CListBoxEx::detach() {
    if (window_ == nullptr)
        return;
    if (IsWindow(window_)) {
        SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
        RemovePropA(window_, kObjectProperty);
        if (GetCapture() == window_)
            ReleaseCapture();
    }
    window_ = nullptr;
}

void CListBoxEx::runCreationStep() {
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(window_, WM_GETFONT, 0, 0));
    if (font == nullptr)
        font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    HDC dc = GetDC(window_);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(window_, dc);
    textHeight_ = metrics.tmHeight;
    multiSelect_ = (GetWindowLongPtrA(window_, GWL_STYLE) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0;
}

CListBoxEx* CListBoxEx::fromWindow(HWND window) {
    return window != nullptr ? static_cast<CListBoxEx*>(GetPropA(window, kObjectProperty)) : nullptr;
}

int CListBoxEx::itemFromPoint(POINT client) const {
    RECT area{};
    GetClientRect(window_, &area);
    const int total = count();
    for (int i = static_cast<int>(SendMessageA(window_, LB_GETTOPINDEX, 0, 0)); i >= 0 && i < total; ++i) {
        RECT item{};
        if (SendMessageA(window_, LB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&item)) == LB_ERR)
            break;
        if (!PtInRect(&area, POINT{item.left, item.top}))
            break;
        if (PtInRect(&item, client))
            return i;
    }
    return -1;
}

int CListBoxEx::count() const {
    return static_cast<int>(SendMessageA(window_, LB_GETCOUNT, 0, 0));
}

bool CListBoxEx::isSelected(int index) const {
    if (multiSelect_)
        return SendMessageA(window_, LB_GETSEL, index, 0) > 0;
    return SendMessageA(window_, LB_GETCURSEL, 0, 0) == index;
}

std::vector<int> CListBoxEx::selectedItems() const {
    std::vector<int> items;
    const int total = count();
    for (int i = 0; i < total; ++i)
        if (isSelected(i))
            items.push_back(i);
    return items;
}

ULONG_PTR CListBoxEx::itemData(int index) const {
    const LRESULT data = SendMessageA(window_, LB_GETITEMDATA, index, 0);
    return data == LB_ERR ? 0 : static_cast<ULONG_PTR>(data);
}

void CListBoxEx::setRedraw(bool on) {
    SendMessageA(window_, WM_SETREDRAW, on ? TRUE : FALSE, 0);
    if (on)
        InvalidateRect(window_, nullptr, TRUE);
}

bool CListBoxEx::handleOwnerMessage(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_MEASUREITEM) {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (measure == nullptr || measure->CtlType != ODT_LISTBOX)
            return false;
        CListBoxEx* list = fromWindow(GetDlgItem(dialog, static_cast<int>(measure->CtlID)));
        if (list == nullptr)
            return false;
        list->measureItem(*measure);
        return true;
    }
    if (message == WM_DRAWITEM) {
        auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (draw == nullptr || draw->CtlType != ODT_LISTBOX)
            return false;
        CListBoxEx* list = fromWindow(draw->hwndItem);
        if (list == nullptr)
            return false;
        list->drawItem(*draw);
        return true;
    }
    if (message == WM_DELETEITEM) {
        // The list frees its own records; nothing for the dialog to do.
        auto* gone = reinterpret_cast<DELETEITEMSTRUCT*>(lParam);
        return gone != nullptr && gone->CtlType == ODT_LISTBOX && fromWindow(gone->hwndItem) != nullptr;
    }
    return false;
}

void CListBoxEx::drawItemContent(HDC, ULONG_PTR, const RECT&, bool) {}

void CListBoxEx::dropAction(HWND, POINT, LPARAM) {}

bool CListBoxEx::canDrop(HWND, POINT, bool) {
    return false;
}

HCURSOR CListBoxEx::dragCursor(int) {
    return nullptr;
}

LRESULT CListBoxEx::onTestCanDrop() {
    return callOriginal(testCanDropMessage(), 0, 0);
}

LRESULT CListBoxEx::onTestDrop(const CDragStruct& drop) {
    return callOriginal(testDropMessage(), 0, reinterpret_cast<LPARAM>(&drop));
}

void CListBoxEx::measureItem(MEASUREITEMSTRUCT& measure) {
    measure.itemHeight = static_cast<UINT>(std::max(textHeight_, listbox::kImageHeight));
}

void CListBoxEx::drawItem(const DRAWITEMSTRUCT& draw) {
    if (draw.itemID != static_cast<UINT>(-1) && (draw.itemAction & (ODA_DRAWENTIRE | ODA_SELECT))) {
        const bool selected = (draw.itemState & ODS_SELECTED) != 0;
        SetBkColor(draw.hDC, backgroundColour(selected));
        ExtTextOutA(draw.hDC, 0, 0, ETO_OPAQUE, &draw.rcItem, nullptr, 0, nullptr);
        SetTextColor(draw.hDC, textColour(selected));
        drawItemContent(draw.hDC, draw.itemData, draw.rcItem, selected);
    }
    drawFocus(draw, 0);
}

void CListBoxEx::drawFocus(const DRAWITEMSTRUCT& draw, int indent) {
    RECT rect = draw.rcItem;
    rect.left += indent;
    if (draw.itemID == static_cast<UINT>(-1)) {
        // An empty list shows its focus as one text line at the top.
        rect.bottom = rect.top + textHeight_;
        if (draw.itemAction & ODA_FOCUS)
            DrawFocusRect(draw.hDC, &rect);
        return;
    }
    // The focus rectangle is drawn by inversion: a focus change toggles it;
    // a repainted item with the focus gets it anew.
    if ((draw.itemAction & ODA_FOCUS) || (draw.itemState & ODS_FOCUS))
        DrawFocusRect(draw.hDC, &rect);
}

COLORREF CListBoxEx::backgroundColour(bool selected) const {
    if (images_ != nullptr)
        return selected ? images_->highlight : images_->window;
    return GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
}

COLORREF CListBoxEx::textColour(bool selected) const {
    if (images_ != nullptr)
        return selected ? images_->highlightText : images_->windowText;
    return GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
}

LRESULT CListBoxEx::callOriginal(UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcA(original_, window_, message, wParam, lParam);
}

LRESULT CALLBACK CListBoxEx::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CListBoxEx* self = fromWindow(window);
    if (self == nullptr)
        return DefWindowProcA(window, message, wParam, lParam);
    // No exception may cross into the platform.
    try {
        if (message == WM_NCDESTROY) {
            const LRESULT result = self->handleMessage(message, wParam, lParam);
            self->detach();
            return result;
        }
        return self->handleMessage(message, wParam, lParam);
    } catch (...) {
        return self->callOriginal(message, wParam, lParam);
    }
}

LRESULT CListBoxEx::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == testCanDropMessage())
        return onTestCanDrop();
    if (message == testDropMessage())
        return lParam != 0 ? onTestDrop(*reinterpret_cast<const CDragStruct*>(lParam)) : 0;
    switch (message) {
    case WM_LBUTTONDOWN:
        if (onButtonDown(lParam))
            return 0;
        break;
    case WM_RBUTTONDOWN:
        if (multiSelect_) {
            const int item = itemFromPoint(pointOf(lParam));
            if (item >= 0)
                SendMessageA(window_, LB_SETSEL, isSelected(item) ? FALSE : TRUE, item);
        }
        break;
    case WM_MOUSEMOVE:
        if (drag_.active()) {
            onMouseMove(wParam, lParam);
            return 0;
        }
        break;
    case WM_LBUTTONUP:
        if (drag_.active()) {
            onButtonUp(lParam);
            return 0;
        }
        break;
    case WM_CANCELMODE:
        if (drag_.active())
            endGesture();
        break;
    case WM_CAPTURECHANGED:
        // Capture taken by another window ends the gesture as a cancel does.
        if (drag_.active() && reinterpret_cast<HWND>(lParam) != window_)
            endGesture();
        break;
    default:
        break;
    }
    return callOriginal(message, wParam, lParam);
}

bool CListBoxEx::onButtonDown(LPARAM lParam) {
    if (GetFocus() != window_)
        return false;
    const POINT point = pointOf(lParam);
    const int item = itemFromPoint(point);
    if (item < 0 || !isSelected(item))
        return false;
    const bool single = !multiSelect_ || SendMessageA(window_, LB_GETSELCOUNT, 0, 0) == 1;
    drag_.arm(point.x, point.y, single);
    SetCapture(window_);
    return true;
}

void CListBoxEx::onMouseMove(WPARAM wParam, LPARAM lParam) {
    POINT point = pointOf(lParam);
    if (!drag_.dragging()) {
        if (drag_.startsDrag(point.x, point.y, (wParam & MK_CONTROL) != 0))
            savedCursor_ = SetCursor(cursorFor(drag_.cursorIndex()));
        return;
    }
    ClientToScreen(window_, &point);
    HWND target = WindowFromPoint(point);
    bool accepted = false;
    if (target != nullptr) {
        ScreenToClient(target, &point);
        accepted = canDrop(target, point, drag_.plain());
    }
    if (accepted && noDropShown_) {
        SetCursor(noDropSavedCursor_);
        noDropSavedCursor_ = nullptr;
        noDropShown_ = false;
    } else if (!accepted && !noDropShown_) {
        noDropSavedCursor_ = SetCursor(cursorFor(listbox::kCursorRefused));
        noDropShown_ = true;
    }
}

void CListBoxEx::onButtonUp(LPARAM lParam) {
    const bool dropping = drag_.dragging();
    endGesture();
    if (!dropping)
        return;
    POINT point = pointOf(lParam);
    ClientToScreen(window_, &point);
    HWND target = WindowFromPoint(point);
    if (target == nullptr)
        return;
    ScreenToClient(target, &point);
    dropAction(target, point, 0);
}

void CListBoxEx::endGesture() {
    const bool wasDragging = drag_.finish();
    if (wasDragging)
        SetCursor(savedCursor_);
    savedCursor_ = nullptr;
    noDropSavedCursor_ = nullptr;
    noDropShown_ = false;
    // Flags first: releasing sends WM_CAPTURECHANGED back here.
    if (GetCapture() == window_)
        ReleaseCapture();
}

HCURSOR CListBoxEx::cursorFor(int index) {
    if (HCURSOR hook = dragCursor(index); hook != nullptr)
        return hook;
    if (images_ != nullptr)
        if (HCURSOR own = images_->dragCursor(index); own != nullptr)
            return own;
    return LoadCursorA(nullptr, index == listbox::kCursorRefused ? IDC_NO : IDC_ARROW);
}
