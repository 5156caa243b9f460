// CListBoxEx: an owner-drawn list box whose selected items can be dragged
// onto another window, which is asked with TEST_CANDROP and handed the drop
// with TEST_DROP. It takes over an existing list box control of a dialog.
#pragma once

#include <windows.h>

#include <vector>

#include "extension/listbox/drag_rules.h"

class ListImageSet;

// The drop messages, registered by name at library start (and at first use).
void registerDragMessages();
UINT testCanDropMessage(); // wParam 0, lParam 0; nonzero: the target accepts
UINT testDropMessage();    // wParam 0, lParam the CDragStruct; 1 when handled

// The record a drop carries; it lives only during the TEST_DROP call.
struct CDragQuery {
    LONG x = 0; // drop point, client coordinates of the target
    LONG y = 0;
    HWND source = nullptr; // the list box where the drag started (CListBoxEx::fromWindow finds its object)
    DWORD extra1 = 0;      // unused, zero
    DWORD extra2 = 0;      // unused, zero
};

struct CDragStruct : CDragQuery {
    LONG count = 0; // number of dragged items
};

class CListBoxEx {
public:
    CListBoxEx() = default;
    virtual ~CListBoxEx();
    CListBoxEx(const CListBoxEx&) = delete;
    CListBoxEx& operator=(const CListBoxEx&) = delete;

    // Takes over a list box control (window procedure replacement); false if
    // it is no window or already taken. Run runCreationStep() right after.
    bool attach(HWND control);
    void detach();
    // What a created list does at WM_CREATE: measure the font's text height,
    // note the multiple-selection style.
    void runCreationStep();

    HWND window() const { return window_; }
    // The list object attached to a window, or nullptr.
    static CListBoxEx* fromWindow(HWND window);

    // The shared images and cursors (ListImageSet::shared); may stay unset.
    void setImageSet(const ListImageSet* images) { images_ = images; }
    const ListImageSet* imageSet() const { return images_; }

    int textHeight() const { return textHeight_; }
    bool isMultiSelect() const { return multiSelect_; }
    bool isDragging() const { return drag_.dragging(); }

    // First item from the top visible one whose rectangle holds the point
    // (client coordinates); -1 when none.
    int itemFromPoint(POINT client) const;

    int count() const;
    bool isSelected(int index) const;
    std::vector<int> selectedItems() const; // in list order
    ULONG_PTR itemData(int index) const;
    // WM_SETREDRAW; switching it on also repaints.
    void setRedraw(bool on);

    // The dialog hands its owner-draw messages (WM_MEASUREITEM, WM_DRAWITEM)
    // here; true when they were for an attached list (the dialog procedure
    // then returns TRUE).
    static bool handleOwnerMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    // Hooks, in this order. Draw content: the background is filled and the
    // text colour set; draw the item into rect.
    virtual void drawItemContent(HDC dc, ULONG_PTR itemData, const RECT& rect, bool selected);
    // The mouse was released over target after a drag; point in target's client coordinates; zero is 0.
    virtual void dropAction(HWND target, POINT point, LPARAM zero);
    // May the drag go onto target? plain: Control was up when the drag started.
    virtual bool canDrop(HWND target, POINT point, bool plain);
    // The cursor for a slot (listbox::DragCursorIndex), or nullptr for the shared set's.
    virtual HCURSOR dragCursor(int index);

    // Target side: the answers to TEST_CANDROP and TEST_DROP sent to this
    // list. The base gives the list box's own answer (0).
    virtual LRESULT onTestCanDrop();
    virtual LRESULT onTestDrop(const CDragStruct& drop);

    // Owner drawing; the tree list box replaces these.
    virtual void measureItem(MEASUREITEMSTRUCT& measure);
    virtual void drawItem(const DRAWITEMSTRUCT& draw);
    // Every message of the control; the base does the drag gesture.
    virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT callOriginal(UINT message, WPARAM wParam, LPARAM lParam);

    // The focus rectangle of an owner-draw request, its left edge moved in by
    // indent (an empty list's: one text line at the top).
    void drawFocus(const DRAWITEMSTRUCT& draw, int indent);
    // The colours of the set, or the system's when there is none.
    COLORREF backgroundColour(bool selected) const;
    COLORREF textColour(bool selected) const;

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool onButtonDown(LPARAM lParam);
    void onMouseMove(WPARAM wParam, LPARAM lParam);
    void onButtonUp(LPARAM lParam);
    void endGesture();
    HCURSOR cursorFor(int index);

    HWND window_ = nullptr;
    WNDPROC original_ = nullptr;
    const ListImageSet* images_ = nullptr;
    int textHeight_ = 0;
    bool multiSelect_ = false;
    listbox::DragTracker drag_;
    HCURSOR savedCursor_ = nullptr;
    HCURSOR noDropSavedCursor_ = nullptr;
    bool noDropShown_ = false;
};
