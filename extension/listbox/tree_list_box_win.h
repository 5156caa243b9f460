// The tree list box: a CListBoxEx whose rows are TreeItem records drawn
// indented with tree lines; a double click opens or closes a directory. The
// FTP trees derive from it and fill in drawTreeItem and expandItem.
#pragma once

#include <windows.h>

#include <cstdint>

#include "extension/listbox/list_box_ex_win.h"
#include "extension/listbox/tree_items.h"

class TreeListBox : public CListBoxEx {
public:
    TreeListBox();
    ~TreeListBox() override;

    // Creates a record and inserts it at position (-1 appends). Returns the
    // index, -1 when the parent is at the level limit (after the level
    // message), -2 when the list is full.
    int insertItem(std::uint32_t pathNumber, ItemKind kind, TreeItem* parent, int position);
    TreeItem* item(int index) const;

    void setLines(bool on) { lines_ = on; }
    bool lines() const { return lines_; }
    // Bulk mode: many rows come or go; the last-sibling bookkeeping rests.
    void setBulk(bool on) { rows_.bulk = on; }
    bool bulk() const { return rows_.bulk; }

    // What a double click on the row does: collapse it when open, else expand it.
    void toggleItem(int index);

protected:
    // Hook 1 of the tree: draw the item's image and name into rect (already
    // indented); background and text colour are set.
    virtual void drawTreeItem(HDC dc, const TreeItem& item, const RECT& rect, bool selected);
    // Hooks 2-4 (dropAction, canDrop, dragCursor) come from CListBoxEx.
    // Hook 5: insert the children right after the item with insertItem(...,
    // &item, position + 1), setting position to each insert result; nonzero
    // when the item can have children.
    virtual int expandItem(TreeItem& item, int& position);

    void measureItem(MEASUREITEMSTRUCT& measure) override;
    void drawItem(const DRAWITEMSTRUCT& draw) override;
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    class ListRows : public TreeRows {
    public:
        explicit ListRows(TreeListBox& owner) : owner_(owner) {}
        int rowCount() const override;
        TreeItem* row(int index) const override;
        int insertRow(int position, TreeItem* item) override;
        void eraseRow(int index) override;

    private:
        TreeListBox& owner_;
    };

    void expand(int index);
    void freeAllRecords();

    ListRows rows_{*this};
    bool lines_ = false;
};
