// The extension's About box: its version and the settings picture.
#include "common/win/about_box.h"
#include "extension/dialog_look_win.h"
#include "extension/extension_state_win.h"
#include "extension/settings_dialog_win.h"
#include "resources/settings_dialog_ids.h"

namespace ext {

void showAboutBox() {
    const AboutBoxLayout layout{IDD_ABOUT, IDC_ABOUT_VERSION_TEXT, IDC_ABOUT_NOTE_TEXT};
    ::showAboutBox(extensionState().module, layout, "2.2.001", nullptr,
                   [](HWND dialog) { attachPicture(dialog, IDC_SETTINGS_PICTURE_FRAME); });
}

} // namespace ext
