// The About box: version and a note, centred on the desktop.
#include "common/text/language_win.h"
#include "common/win/modal_dialog.h"
#include "extension/dialog_look_win.h"
#include "extension/extension_state_win.h"
#include "extension/settings_dialog_win.h"
#include "resources/settings_dialog_ids.h"

namespace ext {

namespace {

class AboutBox : public ModalDialog {
protected:
    bool onInit() override {
        SetWindowTextA(window(), text::lookupText(15002));
        SetDlgItemTextA(window(), IDC_ABOUT_VERSION_TEXT, "Version: 2.2.001 (32 Bit)");
        SetDlgItemTextA(window(), IDC_ABOUT_NOTE_TEXT, text::lookupText(15001));
        attachPicture(window(), IDC_SETTINGS_PICTURE_FRAME);
        centreOn(window(), nullptr);
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

void showAboutBox() {
    AboutBox dialog;
    dialog.runModal(extensionState().module, IDD_ABOUT, nullptr);
}

} // namespace ext
