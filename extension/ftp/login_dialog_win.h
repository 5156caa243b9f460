// The FTP login dialog (140 "Anmeldung"): host, user, password and account,
// all empty each time it opens.
#pragma once

#include <windows.h>

#include <string>

#include "common/win/modal_dialog.h"

namespace ftp {

// The connection texts each hold at most this many characters.
constexpr int kConnectionTextLimit = 31;

struct ConnectionTexts {
    std::string host;
    std::string user;
    std::string password;
    std::string account;
};

class LoginDialog : public ModalDialog {
public:
    // True when closed with OK; the texts are then in texts().
    bool run(HINSTANCE module, HWND owner);
    const ConnectionTexts& texts() const { return texts_; }

private:
    bool onInit() override;
    bool onCommand(int id, int notification) override;

    ConnectionTexts texts_;
};

} // namespace ftp
