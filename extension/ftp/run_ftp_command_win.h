// Command 9: log in to an FTP server and copy files between it and the
// drive of the File Manager's active window.
#pragma once

#include <windows.h>

namespace ftp {

void runFtpCommand(HWND fileManager);

} // namespace ftp
