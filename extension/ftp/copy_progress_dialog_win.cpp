// The copy dialog lives only while one drop is copied.
#include "extension/ftp/copy_progress_dialog_win.h"

#include "resources/ftp_dialog_ids.h"

namespace ftp {

CopyProgressDialog::CopyProgressDialog(HINSTANCE module, HWND owner)
    : window_(CreateDialogParamA(module, MAKEINTRESOURCEA(IDD_FTP_COPY), owner, procedure, 0)) {}

CopyProgressDialog::~CopyProgressDialog() {
    if (window_ != nullptr)
        DestroyWindow(window_);
}

void CopyProgressDialog::show(const std::string& source, const std::string& destination) {
    if (window_ == nullptr)
        return;
    SetDlgItemTextA(window_, IDC_FTP_COPY_SOURCE_EDIT, source.c_str());
    SetDlgItemTextA(window_, IDC_FTP_COPY_DESTINATION_EDIT, destination.c_str());
    UpdateWindow(window_);
}

INT_PTR CALLBACK CopyProgressDialog::procedure(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

} // namespace ftp
