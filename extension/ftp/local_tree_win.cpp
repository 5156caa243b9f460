// Local directories are read as they are when a row opens.
#include "extension/ftp/local_tree_win.h"

#include "extension/ftp/ftp_client_win.h"
#include "extension/ftp/listing_file_win.h"
#include "extension/ftp/tree_paths.h"

namespace ftp {

LocalListBox::LocalListBox(FtpClient& client, HINSTANCE module) : FileTree(client, module, kLocalSeparator) {}

void LocalListBox::fill(const std::string& drive) {
    setTopLevelPath(drive);
    int position = -1;
    insertEntries(listLocalDirectory(drive), nullptr, position);
}

int LocalListBox::expandItem(TreeItem& item, int& position) {
    if (!item.isDirectory())
        return 0;
    insertEntries(listLocalDirectory(pathOf(item)), &item, position);
    return 1;
}

bool LocalListBox::copyIn(const std::string& source, const std::string& destination) {
    return client().retrieveFile(destination, source, 0);
}

} // namespace ftp
