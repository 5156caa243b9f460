// Command 9: the login dialog, the login, then the FTP dialog while the
// connection lasts.
#include "extension/ftp/run_ftp_command_win.h"

#include "common/win/fm_extension.h"

#include "extension/extension_state_win.h"
#include "extension/file_search_win.h"
#include "extension/ftp/file_tree_win.h"
#include "extension/ftp/ftp_client_win.h"
#include "extension/ftp/login_dialog_win.h"
#include "extension/ftp/transfer_dialog_win.h"

namespace ftp {

namespace {

// The drive of the File Manager's active window: the first two characters
// of its path ("C:").
std::string activeDrive(HWND fileManager) {
    FMS_GETDRIVEINFOA drive{};
    SendMessageA(fileManager, FM_GETDRIVEINFOA, 0, reinterpret_cast<LPARAM>(&drive));
    return ext::hostField(drive.szPath, sizeof drive.szPath).substr(0, 2);
}

} // namespace

void runFtpCommand(HWND fileManager) {
    const HINSTANCE module = ext::extensionState().module;
    LoginDialog login;
    if (!login.run(module, fileManager))
        return;
    const ConnectionTexts texts = login.texts();
    FtpClient client(fileManager);
    if (!client.login(texts.host, texts.user, texts.password, texts.account)) {
        showNoConnection(fileManager);
        return;
    }
    FtpDialog dialog(client, module, texts.host + " - " + texts.user, activeDrive(fileManager));
    dialog.run(fileManager);
}

} // namespace ftp
