// Message boxes with the caption of the deliverable they appear in.
#pragma once

#include <windows.h>

#include <string>

// The extension's standard box is OK with the exclamation icon; the helper
// shows plain OK boxes (pass MB_OK).
int showMessage(HWND owner, const std::string& text, UINT style = MB_OK | MB_ICONEXCLAMATION);
