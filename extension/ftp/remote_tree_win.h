// The remote tree of the FTP dialog (FtpListBox): the server's directories
// as its listings show them; files dropped here are uploaded.
#pragma once

#include <optional>

#include "extension/ftp/file_tree_win.h"

namespace ftp {

class FtpListBox : public FileTree {
public:
    FtpListBox(FtpClient& client, HINSTANCE module);

    // The directory the server put the user in, as top-level items.
    void fill();

protected:
    int expandItem(TreeItem& item, int& position) override;
    bool copyIn(const std::string& source, const std::string& destination) override;

private:
    // The listing of remotePath ("" for the current directory); nothing when
    // it could not be read.
    std::optional<std::vector<ListingEntry>> list(const std::string& remotePath);

    std::string listingFile_;
};

} // namespace ftp
