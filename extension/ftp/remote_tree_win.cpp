// Every listing goes through the one listing file, which stays in place.
#include "extension/ftp/remote_tree_win.h"

#include "common/win/plain_message.h"
#include "extension/ftp/ftp_client_win.h"
#include "extension/ftp/listing_file_win.h"
#include "extension/ftp/tree_paths.h"

namespace ftp {

FtpListBox::FtpListBox(FtpClient& client, HINSTANCE module)
    : FileTree(client, module, kRemoteSeparator), listingFile_(listingTempFile()) {}

std::optional<std::vector<ListingEntry>> FtpListBox::list(const std::string& remotePath) {
    HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    // After a failed listing the file still holds an older one, perhaps of
    // another directory or server: it must not be shown as this one.
    const bool listed = client().listDirectory(listingFile_, remotePath);
    auto entries = listed ? readListingFile(listingFile_) : std::nullopt;
    SetCursor(previous);
    if (!listed)
        connectionLost();
    return entries;
}

void FtpListBox::fill() {
    const auto entries = list("");
    if (!entries)
        return;
    int position = -1;
    for (const ListingEntry& entry : *entries) {
        if (insertEntries({entry}, nullptr, position) < 0) {
            showMessage(dialog(), "Too many items");
            break;
        }
    }
}

int FtpListBox::expandItem(TreeItem& item, int& position) {
    if (!item.isDirectory())
        return 0;
    if (const auto entries = list(pathOf(item)))
        insertEntries(*entries, &item, position);
    return 1;
}

bool FtpListBox::copyIn(const std::string& source, const std::string& destination) {
    return client().storeFile(source, destination, 0);
}

} // namespace ftp
