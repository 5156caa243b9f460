// What the two trees of the FTP dialog share: a table of full paths the rows
// refer to, drawing an image and a name, and dragging files from one tree to
// the other. Each tree says how it lists a directory and how a file comes in.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "extension/ftp/listing_file.h"
#include "extension/listbox/tree_list_box_win.h"

namespace ftp {

class FtpClient;

// Tells the user that the server cannot be reached (text 15079).
void showNoConnection(HWND owner);

class FileTree : public TreeListBox {
public:
    FileTree(FtpClient& client, HINSTANCE module, char separator);
    ~FileTree() override;

    char separator() const { return separator_; }
    // The full path of a row's record.
    const std::string& pathOf(const TreeItem& item) const;
    // The paths of the last drag that started here.
    const std::vector<std::string>& dragList() const { return dragList_; }

protected:
    // The path top-level rows hang under: "" remotely, the drive locally.
    void setTopLevelPath(std::string path) { topLevelPath_ = std::move(path); }
    // Adds the entries as children of parent (none: top level, appended),
    // inserted after position; position follows the last insert result.
    // Stops at a full list; the result is the last insert result.
    int insertEntries(const std::vector<ListingEntry>& entries, TreeItem* parent, int& position);
    HWND dialog() const { return GetParent(window()); }
    FtpClient& client() { return client_; }
    // After a failed remote operation: true, and the user told, when the
    // connection is gone, since every further operation would fail as well.
    bool connectionLost();
    // Copies one dragged file of the other tree into this one.
    virtual bool copyIn(const std::string& source, const std::string& destination) = 0;

    void drawTreeItem(HDC dc, const TreeItem& item, const RECT& rect, bool selected) override;
    void dropAction(HWND target, POINT point, LPARAM zero) override;
    bool canDrop(HWND target, POINT point, bool plain) override;
    HCURSOR dragCursor(int index) override;
    LRESULT onTestCanDrop() override;
    LRESULT onTestDrop(const CDragStruct& drop) override;

private:
    std::uint32_t addPath(std::string path);

    FtpClient& client_;
    HINSTANCE module_;
    char separator_;
    std::string topLevelPath_;
    std::vector<std::string> paths_;
    std::vector<std::string> dragList_;
};

} // namespace ftp
