// The helper's About box: its version and the Quorvin picture.
#include "helper/about_dialog_win.h"

#include "common/filetools/walk_win.h"
#include "common/win/about_box.h"
#include "helper/picture_frame_win.h"
#include "resources/helper_tools_ids.h"

namespace helper {

void showAboutBox(HWND owner) {
    const AboutBoxLayout layout{IDD_ABOUT, IDC_ABOUT_VERSION, IDC_ABOUT_NOTE};
    ::showAboutBox(filetools::resourceModule(), layout, "1.1.005", owner,
                   [](HWND dialog) { showPicture(dialog, IDC_ABOUT_PICTURE, IDB_QUORVIN_LOGO); });
}

} // namespace helper
