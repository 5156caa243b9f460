// The animation and the finished state shared by the tools' dialogs.
#include "common/filetools/tool_progress_win.h"

#include <commctrl.h>

#include "common/filetools/walk_win.h"

namespace filetools {

void startToolAnimation(HWND animation, int clip) {
    SendMessageA(animation, ACM_OPENA, reinterpret_cast<WPARAM>(resourceModule()),
                 reinterpret_cast<LPARAM>(MAKEINTRESOURCEA(clip)));
    SendMessageA(animation, ACM_PLAY, static_cast<WPARAM>(-1), MAKELONG(0, 0xFFFF));
}

void showToolFinished(HWND dialog, HWND animation) {
    if (animation != nullptr) {
        SendMessageA(animation, ACM_STOP, 0, 0);
        SendMessageA(animation, ACM_OPENA, 0, 0); // closing the clip frees its frames
        ShowWindow(animation, SW_HIDE);
    }
    ShowWindow(GetDlgItem(dialog, IDOK), SW_SHOW);
    SetFocus(GetDlgItem(dialog, IDOK));
    MessageBeep(0);
}

} // namespace filetools
