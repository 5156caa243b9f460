// The FTP dialog (139 "Ftp"): the remote tree on the left, the local drive
// on the right; files are copied by dragging them across.
#pragma once

#include <windows.h>

#include <string>

#include "common/win/modal_dialog.h"
#include "extension/ftp/local_tree_win.h"
#include "extension/ftp/remote_tree_win.h"

namespace ftp {

class FtpDialog : public ModalDialog {
public:
    // title: host, " - ", user; drive: the local drive ("C:").
    FtpDialog(FtpClient& client, HINSTANCE module, std::string title, std::string drive);

    void run(HWND owner);

private:
    bool onInit() override;
    bool onCommand(int id, int notification) override;
    bool onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    FtpClient& client_;
    HINSTANCE module_;
    std::string title_;
    std::string drive_;
    FtpListBox remote_;
    LocalListBox local_;
};

} // namespace ftp
