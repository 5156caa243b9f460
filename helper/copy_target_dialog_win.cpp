// Asking for the directory the selected files are copied into.
#include "helper/copy_target_dialog_win.h"

#include "common/filetools/walk_win.h"
#include "common/text/language_win.h"
#include "common/win/modal_dialog.h"
#include "resources/helper_tools_ids.h"

namespace helper {

namespace {

class CopyTargetDialog : public ModalDialog {
public:
    std::string target;

private:
    bool onInit() override {
        filetools::centreOnDesktop(window());
        SetWindowTextA(window(), text::lookupText(15122));
        SetDlgItemTextA(window(), IDC_COPYTARGET_LABEL, text::lookupText(15131));
        SetDlgItemTextA(window(), IDCANCEL, text::lookupText(15077));
        SendDlgItemMessageA(window(), IDC_COPYTARGET_EDIT, EM_LIMITTEXT, MAX_PATH - 1, 0);
        return true;
    }
    bool onCommand(int id, int) override {
        if (id == IDOK) {
            char buffer[MAX_PATH] = "";
            GetDlgItemTextA(window(), IDC_COPYTARGET_EDIT, buffer, sizeof buffer);
            target = buffer;
        } else if (id != IDCANCEL) {
            return false;
        }
        end(id);
        return true;
    }
};

} // namespace

std::optional<std::string> askCopyTarget(HWND owner) {
    CopyTargetDialog dialog;
    if (dialog.runModal(filetools::resourceModule(), IDD_COPY_TARGET, owner) != IDOK)
        return std::nullopt;
    return dialog.target;
}

} // namespace helper
