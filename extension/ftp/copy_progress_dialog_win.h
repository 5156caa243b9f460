// The modeless copy dialog (141 "Ftp"): the file being copied and where to.
#pragma once

#include <windows.h>

#include <string>

namespace ftp {

class CopyProgressDialog {
public:
    CopyProgressDialog(HINSTANCE module, HWND owner);
    ~CopyProgressDialog();
    CopyProgressDialog(const CopyProgressDialog&) = delete;
    CopyProgressDialog& operator=(const CopyProgressDialog&) = delete;

    // Shows the pair and paints it before the transfer blocks the thread.
    void show(const std::string& source, const std::string& destination);

private:
    static INT_PTR CALLBACK procedure(HWND, UINT, WPARAM, LPARAM);

    HWND window_;
};

} // namespace ftp
