// The drive choice dialog (120): one box per drive letter, the letters that
// do not exist disabled; OK turns the ticks into the drive root list.
#include "extension/drive_choice_win.h"

#include <wfext.h>

#include <array>
#include <string>

#include "common/filetools/walk_win.h"
#include "common/text/language_win.h"
#include "common/win/deliverable.h"
#include "common/win/modal_dialog.h"
#include "common/win/pending_messages.h"
#include "extension/drive_choice.h"
#include "extension/file_search_win.h"
#include "extension/menu_plan.h"
#include "resources/drive_choice_ids.h"

namespace ext {

namespace {

class DriveChoiceDialog : public ModalDialog {
public:
    explicit DriveChoiceDialog(std::string title) : title_(std::move(title)) {}

private:
    bool onInit() override {
        SetWindowTextA(window(), title_.c_str());
        const DWORD present = GetLogicalDrives();
        for (int i = 0; i < 26; ++i)
            EnableWindow(GetDlgItem(window(), IDC_DRIVE_CHOICE_FIRST_CHECK + i), drivePresent(present, i));
        return true;
    }

    bool onCommand(int id, int) override {
        if (id == IDOK) {
            std::array<bool, 26> ticked{};
            for (int i = 0; i < 26; ++i)
                ticked[static_cast<std::size_t>(i)] =
                    IsDlgButtonChecked(window(), IDC_DRIVE_CHOICE_FIRST_CHECK + i) == BST_CHECKED;
            applyDriveTicks(driveRoots(), ticked);
            end(IDOK);
        } else if (id == IDCANCEL) {
            end(IDCANCEL);
        } else if (id == IDC_DRIVE_CHOICE_HELP_BUTTON) {
            WinHelpA(window(), deliverable().helpFile, HELP_KEY, reinterpret_cast<ULONG_PTR>("Laufwerksauswahl"));
        } else {
            return false;
        }
        return true;
    }

    std::string title_;
};

} // namespace

DriveChoice offerDriveChoice(HWND fileManager, std::uint32_t titleTextId) {
    driveRoots().clear();
    const int focus = static_cast<int>(SendMessageA(fileManager, FM_GETFOCUS, 0, 0));
    if (focus == kFocusDirectory || focus == kFocusSearch)
        return DriveChoice::GoOn;
    FMS_GETDRIVEINFOA drive{};
    SendMessageA(fileManager, FM_GETDRIVEINFOA, 0, reinterpret_cast<LPARAM>(&drive));
    if (!offersDriveChoice(focus, hostField(drive.szPath, sizeof drive.szPath)))
        return DriveChoice::GoOn;
    DriveChoiceDialog dialog(text::lookupText(titleTextId));
    const INT_PTR result = dialog.runModal(filetools::resourceModule(), IDD_DRIVE_CHOICE, fileManager);
    dispatchPendingMessages();
    return result == IDOK ? DriveChoice::GoOn : DriveChoice::Cancel;
}

} // namespace ext
