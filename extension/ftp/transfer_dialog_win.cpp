// The FTP dialog takes over its two list box controls as trees and fills them.
#include "extension/ftp/transfer_dialog_win.h"

#include "extension/ftp/ftp_client_win.h"
#include "extension/listbox/list_images_win.h"
#include "resources/ftp_dialog_ids.h"

namespace ftp {

FtpDialog::FtpDialog(FtpClient& client, HINSTANCE module, std::string title, std::string drive)
    : client_(client), module_(module), title_(std::move(title)), drive_(std::move(drive)), remote_(client, module),
      local_(client, module) {}

void FtpDialog::run(HWND owner) {
    runModal(module_, IDD_FTP_TRANSFER, owner);
    client_.setOwner(owner);
}

bool FtpDialog::onInit() {
    // The server's error texts appear over this dialog, not the disabled File Manager.
    client_.setOwner(window());
    const ListImageSet& images = ListImageSet::shared(module_);
    FileTree* trees[] = {&remote_, &local_};
    const int ids[] = {IDC_FTP_REMOTE_TREE_LIST, IDC_FTP_LOCAL_TREE_LIST};
    for (int i = 0; i < 2; ++i) {
        trees[i]->attach(GetDlgItem(window(), ids[i]));
        trees[i]->setLines(true);
        trees[i]->setImageSet(&images);
    }
    SetDlgItemTextA(window(), IDC_FTP_REMOTE_TITLE_EDIT, title_.c_str());
    SetDlgItemTextA(window(), IDC_FTP_LOCAL_TITLE_EDIT, drive_.c_str());
    // The controls exist already, so they saw no creation message.
    remote_.runCreationStep();
    local_.runCreationStep();
    remote_.fill();
    local_.fill(drive_);
    return true;
}

bool FtpDialog::onCommand(int id, int) {
    if (id != IDCANCEL)
        return false;
    end(IDCANCEL);
    return true;
}

bool FtpDialog::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return CListBoxEx::handleOwnerMessage(window(), message, wParam, lParam);
}

} // namespace ftp
