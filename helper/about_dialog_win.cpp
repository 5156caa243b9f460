// The About box: picture, version line and the note on passing the program on.
#include "helper/about_dialog_win.h"

#include "common/filetools/walk_win.h"
#include "common/text/language_win.h"
#include "common/win/modal_dialog.h"
#include "helper/picture_frame_win.h"
#include "resources/helper_tools_ids.h"

namespace helper {

namespace {

class AboutDialog : public ModalDialog {
    bool onInit() override {
        filetools::centreOnDesktop(window());
        SetWindowTextA(window(), text::lookupText(15002));
        SetDlgItemTextA(window(), IDC_ABOUT_VERSION, "Version: 1.1.005 (32 Bit)");
        SetDlgItemTextA(window(), IDC_ABOUT_NOTE, text::lookupText(15001));
        showPicture(window(), IDC_ABOUT_PICTURE, IDB_QUORVIN_LOGO);
        return true;
    }
    bool onCommand(int id, int) override {
        if (id != IDOK && id != IDCANCEL)
            return false;
        end(id);
        return true;
    }
};

} // namespace

void showAboutBox(HWND owner) {
    AboutDialog dialog;
    dialog.runModal(filetools::resourceModule(), IDD_ABOUT, owner);
}

} // namespace helper
