// The local tree of the FTP dialog (LocalListBox): one drive of this
// machine; files dropped here are downloaded.
#pragma once

#include "extension/ftp/file_tree_win.h"

namespace ftp {

class LocalListBox : public FileTree {
public:
    LocalListBox(FtpClient& client, HINSTANCE module);

    // The drive's root ("C:") as top-level items.
    void fill(const std::string& drive);

protected:
    int expandItem(TreeItem& item, int& position) override;
    bool copyIn(const std::string& source, const std::string& destination) override;
};

} // namespace ftp
