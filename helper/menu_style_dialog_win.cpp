// The menu-style dialog: the current style's button is the default; a click
// stores its style in "Menu"/"Art" and closes.
#include "helper/menu_style_dialog_win.h"

#include "common/filetools/walk_win.h"
#include "common/text/language_win.h"
#include "common/win/modal_dialog.h"
#include "helper/picture_frame_win.h"
#include "helper/program_list_win.h"
#include "resources/helper_tools_ids.h"

namespace helper {

namespace {

class MenuStyleDialog : public ModalDialog {
    bool onInit() override {
        filetools::centreOnDesktop(window());
        SetWindowTextA(window(), text::lookupText(15106));
        for (int id : {IDC_MENUSTYLE_BUTTON_1, IDC_MENUSTYLE_BUTTON_0})
            SetDlgItemTextA(window(), id, text::lookupText(15108));
        showPicture(window(), IDC_MENUSTYLE_PICTURE_1, IDB_MENU_STYLE_1);
        showPicture(window(), IDC_MENUSTYLE_PICTURE_0, IDB_MENU_STYLE_0);
        const int current = menuStyle() == 1 ? IDC_MENUSTYLE_BUTTON_1 : IDC_MENUSTYLE_BUTTON_0;
        SendMessageA(window(), DM_SETDEFID, current, 0);
        SendDlgItemMessageA(window(), current, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
        SetFocus(GetDlgItem(window(), current));
        return false; // the focus is set
    }
    bool onCommand(int id, int) override {
        if (id == IDC_MENUSTYLE_BUTTON_1 || id == IDC_MENUSTYLE_BUTTON_0) {
            storeMenuStyle(id == IDC_MENUSTYLE_BUTTON_1 ? 1 : 0);
            end(IDOK);
        } else if (id == IDCANCEL) {
            end(IDCANCEL);
        } else {
            return false;
        }
        return true;
    }
};

} // namespace

void chooseMenuStyle(HWND owner) {
    MenuStyleDialog dialog;
    dialog.runModal(filetools::resourceModule(), IDD_MENU_STYLE, owner);
}

} // namespace helper
