// The login dialog: the edit fields take no more than the connection texts hold.
#include "extension/ftp/login_dialog_win.h"

#include "resources/ftp_dialog_ids.h"

namespace ftp {

namespace {

constexpr int kFields[] = {IDC_FTP_LOGIN_HOST_EDIT, IDC_FTP_LOGIN_USER_EDIT, IDC_FTP_LOGIN_PASSWORD_EDIT,
                           IDC_FTP_LOGIN_ACCOUNT_EDIT};

std::string fieldText(HWND dialog, int id) {
    char buffer[kConnectionTextLimit + 1] = "";
    GetDlgItemTextA(dialog, id, buffer, sizeof buffer);
    return buffer;
}

} // namespace

bool LoginDialog::run(HINSTANCE module, HWND owner) {
    texts_ = ConnectionTexts{};
    return runModal(module, IDD_FTP_LOGIN, owner) == IDOK;
}

bool LoginDialog::onInit() {
    for (int id : kFields)
        SendDlgItemMessageA(window(), id, EM_LIMITTEXT, kConnectionTextLimit, 0);
    return true;
}

bool LoginDialog::onCommand(int id, int) {
    if (id == IDOK) {
        texts_.host = fieldText(window(), IDC_FTP_LOGIN_HOST_EDIT);
        texts_.user = fieldText(window(), IDC_FTP_LOGIN_USER_EDIT);
        texts_.password = fieldText(window(), IDC_FTP_LOGIN_PASSWORD_EDIT);
        texts_.account = fieldText(window(), IDC_FTP_LOGIN_ACCOUNT_EDIT);
        end(IDOK);
        return true;
    }
    if (id == IDCANCEL) {
        end(IDCANCEL);
        return true;
    }
    return false;
}

} // namespace ftp
