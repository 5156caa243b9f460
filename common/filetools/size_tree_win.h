// The helper's size tree dialog: it builds the tree of the selection's
// folders, sums every node once, labels the nodes with their totals and
// closes all but the first entry, all while it opens.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "common/filetools/size_tree.h"
#include "common/win/modal_dialog.h"

namespace filetools {

class SizeTreeDialog : public ModalDialog {
public:
    // The entries come from the selection list; the name patterns and the
    // attribute filter from the last confirmed prompt.
    explicit SizeTreeDialog(std::string listPath);
    ~SizeTreeDialog() override;

    // Runs modally; IDOK, or IDCANCEL for Escape after the work.
    INT_PTR run(HWND owner);

private:
    bool onInit() override;
    bool onCommand(int id, int notification) override;

    void setUp();
    void build();
    void addTopLevel(const std::string& line);
    void addSubfolders(int node);
    void sum();
    void collapse();
    void finish();

    HTREEITEM insert(int node, HTREEITEM parent, HTREEITEM after);
    void setOpen(int node, bool open);
    bool cancelledByEscape();
    void refreshIfDue();
    void refresh();

    std::string listPath_;
    SizeTree tree_;
    std::vector<HTREEITEM> items_;
    std::vector<bool> shownOpen_; // what the control shows, which the model may not know yet
    HWND view_ = nullptr;
    HIMAGELIST images_ = nullptr;
    bool cancelled_ = false;
    DWORD lastPump_ = 0; // tick of the last look at the message queue
    bool finished_ = false;
};

} // namespace filetools
